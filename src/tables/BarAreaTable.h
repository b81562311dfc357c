#pragma once
// The reinforcement bar area table as its window shows it: cross-section areas in mm2 of 1..9
// bars per diameter (mode 1), or per metre width of a slab per bar spacing (any other mode).
// Row 0 holds the column captions and column 0 the row captions; the top-left cell carries two
// labels naming what the rows and the columns are.
#include <string>
#include <vector>

namespace ckw::tables {

class BarAreaTable {
public:
    explicit BarAreaTable(int mode);

    int Mode() const { return m_mode; }
    bool PerBarCount() const { return m_mode == 1; }
    int Rows() const { return static_cast<int>(m_cells.size()); }
    int Cols() const { return m_cells.empty() ? 0 : static_cast<int>(m_cells[0].size()); }
    // Texts are GBK; the top-left cell is empty (it shows the two labels).
    const std::string& Cell(int row, int col) const { return m_cells.at(row).at(col); }
    // Window caption, and the labels of the top-left cell: what the rows are, what the columns are.
    const char* Caption() const;
    const char* RowLabel() const;
    const char* ColumnLabel() const;
    // Only mode 2 shows the slab table in a shortened window.
    bool ShortWindow() const { return m_mode == 2; }

private:
    int m_mode;
    std::vector<std::vector<std::string>> m_cells;
};

// The bar areas themselves (mm2): n bars of diameter d, and bars of diameter d at spacing s per
// metre width.
double BarsArea(int bars, double diameter);
double SlabBarsArea(double spacing, double diameter);

}  // namespace ckw::tables
