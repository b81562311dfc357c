#pragma once
// A user table: a schedule of rows and columns (column schedules, beam tables, material lists,
// revision tables) as the table designer edits it and the .TDB files keep it. Sizes are
// millimetres of paper; texts are GBK without line breaks.
#include <string>
#include <vector>

#include "base/Status.h"

namespace ckw::tables {

// Beyond these a table file is refused as damaged: no schedule on a sheet comes near them.
inline constexpr int kMaxTableRows = 1000;
inline constexpr int kMaxTableCols = 100;
inline constexpr double kMaxCellSize = 2000;       // mm of paper, column width or row height
inline constexpr int kMaxTextHeightTenths = 1000;  // 100 mm
inline constexpr int kMaxWidthFactorPercent = 1000;

// Border bits of a cell: which of its four sides is drawn (and which of them heavy).
enum Border : int { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8, kAllBorders = 15 };

// Where a text sits in its cell, as on a phone keypad: 1 top-left ... 5 centred ... 9 bottom-right.
inline constexpr int kCentred = 5;

struct TableCell {
    std::string text;
    // 1 x 1 for a plain cell; a merged cell's first (top-left) cell holds the spans of the merge,
    // the cells it covers hold 0 x 0 and keep their own content hidden until the merge is undone.
    int rowSpan = 1;
    int colSpan = 1;
    int alignment = kCentred;
    int borders = kAllBorders;
    int heavyBorders = 0;
    int textHeightTenths = 35;  // 0.1 mm of paper
    int widthFactorPercent = 70;

    bool Covered() const { return rowSpan == 0; }
    bool operator==(const TableCell&) const = default;
};

// Rows or columns, for the operations that work the same way on both.
enum class Axis { Rows, Cols };

class UserTable {
public:
    UserTable() = default;
    // rows x cols plain cells (each clamped to 1 and the maximum), every column width wide and
    // every row height high.
    UserTable(int rows, int cols, double width, double height);

    int Rows() const { return m_rows; }
    int Cols() const { return m_cols; }
    int Count(Axis axis) const { return axis == Axis::Rows ? m_rows : m_cols; }
    TableCell& Cell(int row, int col) { return m_cells[Index(row, col)]; }
    const TableCell& Cell(int row, int col) const { return m_cells[Index(row, col)]; }
    bool Contains(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }

    double ColWidth(int col) const { return m_colWidths.at(col); }
    double RowHeight(int row) const { return m_rowHeights.at(row); }
    // false (nothing changed) outside 0 < size <= kMaxCellSize.
    bool SetColWidth(int col, double width);
    bool SetRowHeight(int row, double height);
    double Width() const;
    double Height() const;

    // Layer kinds of the parameter library the texts and the lines go on (GBK; empty: defaults).
    std::string textLayer;
    std::string lineLayer;

    // The first cell of the merge covering (row, col); the cell itself when it is not covered.
    void Anchor(int& row, int& col) const;

    // Row and column operations. A false result leaves the table as it was and names why (GBK).
    // Inserting before a merged cell's inside makes the merge one longer; deleting a line of it
    // one shorter. Moving swaps a line with its neighbour (delta -1 or +1); a line a merge
    // crosses along the axis does not move.
    Status Insert(Axis axis, int at);
    Status Remove(Axis axis, int at);
    Status Move(Axis axis, int at, int delta);

    // Merges the cells of the rectangle into one; merges inside it are undone first, a merge
    // reaching out of it refuses. The first cell keeps its text and attributes.
    Status Merge(int row, int col, int rows, int cols);
    // Undoes the merge whose first cell is (row, col); false when it is not merged.
    bool Split(int row, int col);

    // Sets which sides of the cell at (row, col) (of its merge) are drawn, and heavy, and the
    // facing sides of its neighbours to match, so that a line shows the same from both cells.
    void SetBorders(int row, int col, int borders, int heavyBorders);

    bool operator==(const UserTable&) const = default;

private:
    size_t Index(int row, int col) const { return static_cast<size_t>(row) * m_cols + col; }
    // The table with one line more (or less) along axis at `at`, the rest moved up or down.
    void Rebuild(Axis axis, int at, bool insert);
    // Whether a merge covers line `at` together with a neighbouring line along axis.
    bool CrossedAlong(Axis axis, int at) const;

    int m_rows = 0;
    int m_cols = 0;
    std::vector<TableCell> m_cells;
    std::vector<double> m_colWidths;
    std::vector<double> m_rowHeights;
};

}  // namespace ckw::tables
