// Feeds arbitrary bytes to the converter's DWG path after its reader: the JSON the DWG reader
// prints, read tolerantly, and the mapping into a drawing. Whatever the bytes, it must end with a
// drawing or a message, and a refused text leaves nothing. The kept inputs start from the reader's
// output for two drawings of tests/data/dwg (lw_r14_v.dwg, lw_sample_2000.dwg).
#include <cstddef>
#include <cstdint>
#include <string>

#include "ConverterRead.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tdwg::Drawing d;
    std::string error;
    const bool read = tdwg::ParseDwgJson(std::string(reinterpret_cast<const char*>(data), size), d, error);
    return CheckConverterRead(read, d, error);
}
