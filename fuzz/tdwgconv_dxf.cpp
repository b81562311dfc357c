// Feeds arbitrary bytes to the converter's DXF path: the reader and the mapping into a drawing.
// Whatever the bytes, it must end with a drawing or a message, and a refused file leaves nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ConverterRead.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tdwg::Drawing d;
    std::string error;
    const bool read = tdwg::ReadDxfBytes(std::string(reinterpret_cast<const char*>(data), size), d, error);
    return CheckConverterRead(read, d, error);
}
