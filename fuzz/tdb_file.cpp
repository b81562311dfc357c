// Feeds arbitrary bytes to the .TDB table reader; a table it accepts must write and read back to
// the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tables/TdbFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ckw::tables::UserTable table;
    if (!ckw::tables::ReadTdb(std::string_view(reinterpret_cast<const char*>(data), size), table).ok()) return 0;
    const std::string first = ckw::tables::WriteTdb(table);
    ckw::tables::UserTable reread;
    if (!ckw::tables::ReadTdb(first, reread).ok() || !(reread == table)) std::abort();
    if (ckw::tables::WriteTdb(reread) != first) std::abort();
    return 0;
}
