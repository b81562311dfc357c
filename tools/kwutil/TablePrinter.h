#pragma once
// Prints rows of UTF-8 cells as aligned columns; Chinese characters take two columns on a
// terminal.
#include <ostream>
#include <string>
#include <vector>

namespace kwutil {

class TablePrinter {
public:
    explicit TablePrinter(std::vector<std::string> header) { m_rows.push_back(std::move(header)); }
    void Add(std::vector<std::string> row) { m_rows.push_back(std::move(row)); }
    void Print(std::ostream& out) const;

    // Columns a UTF-8 text takes on a terminal.
    static size_t DisplayWidth(const std::string& utf8);

private:
    std::vector<std::vector<std::string>> m_rows;
};

}  // namespace kwutil
