// Feeds arbitrary bytes to the .T loader: it must refuse or load, never crash, and what it loads
// must go through everything a loaded drawing meets (text form, SVG, extents).
#include <cstddef>
#include <cstdint>
#include <sstream>

#include <ckw/ReferenceEngine.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ckw::engine::Drawing drawing;
    std::string error;
    if (!ckw::engine::ReadDrawingBytes(data, size, drawing, error)) return 0;
    std::ostringstream out;
    ckw::engine::WriteDrawingText(drawing, out);
    ckw::engine::WriteSvg(drawing, out);
    std::array<float, 4> box{};
    drawing.Extents(box);
    return 0;
}
