// Feeds arbitrary text to the drawing text reader; what it accepts must dump and read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include <ckw/ReferenceEngine.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ckw::engine::Drawing drawing;
    std::string error;
    if (!ckw::engine::ReadDrawingText(in, drawing, error)) return 0;
    std::ostringstream first;
    ckw::engine::WriteDrawingText(drawing, first);
    std::istringstream again(first.str());
    ckw::engine::Drawing reread;
    if (!ckw::engine::ReadDrawingText(again, reread, error)) std::abort();
    std::ostringstream second;
    ckw::engine::WriteDrawingText(reread, second);
    if (second.str() != first.str()) std::abort();
    return 0;
}
