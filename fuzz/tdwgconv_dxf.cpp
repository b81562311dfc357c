// Feeds arbitrary bytes to the converter's DXF path: the reader and the mapping into a drawing.
// Whatever the bytes, it must end with a drawing or a message, and a refused file leaves nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <ckw/EngineDrawing.h>
#include "Readers.h"
#include "TWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tdwg::Drawing d;
    std::string error;
    if (!tdwg::ReadDxfBytes(std::string(reinterpret_cast<const char*>(data), size), d, error)) {
        if (error.empty() || !d.entities.empty() || !d.blocks.empty()) std::abort();
        return 0;
    }
    ckw::engine::Drawing out;
    tdwg::MapToEngine(d, out);
    return 0;
}
