#include "TablePrinter.h"

#include <algorithm>

namespace kwutil {

size_t TablePrinter::DisplayWidth(const std::string& utf8) {
    size_t width = 0;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        // Three- and four-byte sequences are the CJK ranges and full-width forms here.
        width += n >= 3 ? 2 : 1;
        i += n;
    }
    return width;
}

void TablePrinter::Print(std::ostream& out) const {
    std::vector<size_t> widths;
    for (const auto& row : m_rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    for (const auto& row : m_rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size()) line += std::string(widths[c] - DisplayWidth(row[c]) + 2, ' ');
        }
        out << line << "\n";
    }
}

}  // namespace kwutil
