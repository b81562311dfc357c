#include "tables/UserTable.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace ckw::tables {

namespace {

int& SpanAlong(TableCell& cell, Axis axis) { return axis == Axis::Rows ? cell.rowSpan : cell.colSpan; }
int SpanAlong(const TableCell& cell, Axis axis) { return axis == Axis::Rows ? cell.rowSpan : cell.colSpan; }
int SpanAcross(const TableCell& cell, Axis axis) { return axis == Axis::Rows ? cell.colSpan : cell.rowSpan; }

void Cover(TableCell& cell) { cell.rowSpan = cell.colSpan = 0; }

std::string LineWord(Axis axis) { return axis == Axis::Rows ? "行" : "列"; }

}  // namespace

UserTable::UserTable(int rows, int cols, double width, double height)
    : m_rows(std::clamp(rows, 1, kMaxTableRows)),
      m_cols(std::clamp(cols, 1, kMaxTableCols)),
      m_cells(static_cast<size_t>(m_rows) * m_cols),
      m_colWidths(m_cols, std::clamp(width, 0.01, kMaxCellSize)),
      m_rowHeights(m_rows, std::clamp(height, 0.01, kMaxCellSize)) {}

bool UserTable::SetColWidth(int col, double width) {
    if (col < 0 || col >= m_cols || !(width > 0 && width <= kMaxCellSize)) return false;
    m_colWidths[col] = width;
    return true;
}

bool UserTable::SetRowHeight(int row, double height) {
    if (row < 0 || row >= m_rows || !(height > 0 && height <= kMaxCellSize)) return false;
    m_rowHeights[row] = height;
    return true;
}

double UserTable::Width() const { return std::accumulate(m_colWidths.begin(), m_colWidths.end(), 0.0); }
double UserTable::Height() const { return std::accumulate(m_rowHeights.begin(), m_rowHeights.end(), 0.0); }

void UserTable::Anchor(int& row, int& col) const {
    if (!Contains(row, col) || !Cell(row, col).Covered()) return;
    for (int r = row; r >= 0; --r)
        for (int c = col; c >= 0; --c) {
            const TableCell& cell = Cell(r, c);
            if (!cell.Covered() && r + cell.rowSpan > row && c + cell.colSpan > col) {
                row = r;
                col = c;
                return;
            }
        }
}

bool UserTable::CrossedAlong(Axis axis, int at) const {
    const int across = Count(axis == Axis::Rows ? Axis::Cols : Axis::Rows);
    for (int j = 0; j < across; ++j) {
        int r = axis == Axis::Rows ? at : j, c = axis == Axis::Rows ? j : at;
        const TableCell& cell = Cell(r, c);
        if (SpanAlong(cell, axis) > 1) return true;
        if (cell.Covered()) {
            Anchor(r, c);
            if ((axis == Axis::Rows ? r : c) != at) return true;
        }
    }
    return false;
}

void UserTable::Rebuild(Axis axis, int at, bool insert) {
    const int rows = m_rows + (axis == Axis::Rows ? (insert ? 1 : -1) : 0);
    const int cols = m_cols + (axis == Axis::Cols ? (insert ? 1 : -1) : 0);
    std::vector<TableCell> cells(static_cast<size_t>(rows) * cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const int along = axis == Axis::Rows ? r : c;
            int oldAlong = along;
            if (insert && along == at) {
                // A new line takes the style of its neighbour across the axis, not its content.
                oldAlong = at < Count(axis) ? at : at - 1;
            } else if (insert ? along > at : along >= at) {
                oldAlong = insert ? along - 1 : along + 1;
            }
            const TableCell& old = axis == Axis::Rows ? Cell(oldAlong, c) : Cell(r, oldAlong);
            TableCell& cell = cells[static_cast<size_t>(r) * cols + c];
            if (insert && along == at) {
                cell.alignment = old.alignment;
                cell.textHeightTenths = old.textHeightTenths;
                cell.widthFactorPercent = old.widthFactorPercent;
            } else {
                cell = old;
            }
        }
    std::vector<double>& sizes = axis == Axis::Rows ? m_rowHeights : m_colWidths;
    if (insert) {
        sizes.insert(sizes.begin() + at, sizes[at < Count(axis) ? at : at - 1]);
    } else {
        sizes.erase(sizes.begin() + at);
    }
    m_cells = std::move(cells);
    m_rows = rows;
    m_cols = cols;
}

Status UserTable::Insert(Axis axis, int at) {
    const int limit = axis == Axis::Rows ? kMaxTableRows : kMaxTableCols;
    if (at < 0 || at > Count(axis)) return Status("没有这一" + LineWord(axis));
    if (Count(axis) >= limit) return Status("表格已经达到最多的" + LineWord(axis) + "数");
    // Merges the new line falls inside grow by one.
    std::vector<std::pair<int, int>> growing;  // (along, across) of their first cells
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < m_cols; ++c) {
            const TableCell& cell = Cell(r, c);
            const int along = axis == Axis::Rows ? r : c;
            if (!cell.Covered() && along < at && at < along + SpanAlong(cell, axis))
                growing.emplace_back(along, axis == Axis::Rows ? c : r);
        }
    Rebuild(axis, at, true);
    for (auto [along, across] : growing) {
        TableCell& first = axis == Axis::Rows ? Cell(along, across) : Cell(across, along);
        ++SpanAlong(first, axis);
        for (int j = across; j < across + SpanAcross(first, axis); ++j)
            Cover(axis == Axis::Rows ? Cell(at, j) : Cell(j, at));
    }
    return {};
}

Status UserTable::Remove(Axis axis, int at) {
    if (at < 0 || at >= Count(axis)) return Status("没有这一" + LineWord(axis));
    if (Count(axis) == 1) return Status("表格至少要有一" + LineWord(axis));
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < m_cols; ++c) {
            TableCell& cell = Cell(r, c);
            const int along = axis == Axis::Rows ? r : c;
            if (cell.Covered() || SpanAlong(cell, axis) < 2) continue;
            if (along < at && at < along + SpanAlong(cell, axis)) {
                --SpanAlong(cell, axis);
            } else if (along == at) {
                // The merge loses its first line: the next line's cell leads it from now on.
                TableCell& next = axis == Axis::Rows ? Cell(r + 1, c) : Cell(r, c + 1);
                next = cell;
                --SpanAlong(next, axis);
            }
        }
    Rebuild(axis, at, false);
    return {};
}

Status UserTable::Move(Axis axis, int at, int delta) {
    const int other = at + delta;
    if ((delta != 1 && delta != -1) || at < 0 || at >= Count(axis) || other < 0 || other >= Count(axis))
        return Status("这一" + LineWord(axis) + "不能再移动");
    if (CrossedAlong(axis, at) || CrossedAlong(axis, other))
        return Status("合并单元格跨越的" + LineWord(axis) + "不能移动");
    const int across = Count(axis == Axis::Rows ? Axis::Cols : Axis::Rows);
    for (int j = 0; j < across; ++j) {
        if (axis == Axis::Rows) {
            std::swap(Cell(at, j), Cell(other, j));
        } else {
            std::swap(Cell(j, at), Cell(j, other));
        }
    }
    std::vector<double>& sizes = axis == Axis::Rows ? m_rowHeights : m_colWidths;
    std::swap(sizes[at], sizes[other]);
    return {};
}

Status UserTable::Merge(int row, int col, int rows, int cols) {
    if (rows < 1 || cols < 1 || !Contains(row, col) || !Contains(row + rows - 1, col + cols - 1))
        return Status("合并的范围超出了表格");
    if (rows * cols == 1) return Status("合并至少要两个单元格");
    for (int r = row; r < row + rows; ++r)
        for (int c = col; c < col + cols; ++c) {
            int ar = r, ac = c;
            Anchor(ar, ac);
            const TableCell& first = Cell(ar, ac);
            if (ar < row || ac < col || ar + first.rowSpan > row + rows || ac + first.colSpan > col + cols)
                return Status("合并的范围与另一个合并单元格交叉");
        }
    for (int r = row; r < row + rows; ++r)
        for (int c = col; c < col + cols; ++c) Cover(Cell(r, c));
    Cell(row, col).rowSpan = rows;
    Cell(row, col).colSpan = cols;
    return {};
}

bool UserTable::Split(int row, int col) {
    if (!Contains(row, col)) return false;
    const TableCell first = Cell(row, col);
    if (first.Covered() || first.rowSpan * first.colSpan == 1) return false;
    for (int r = row; r < row + first.rowSpan; ++r)
        for (int c = col; c < col + first.colSpan; ++c) Cell(r, c).rowSpan = Cell(r, c).colSpan = 1;
    return true;
}

void UserTable::SetBorders(int row, int col, int borders, int heavyBorders) {
    if (!Contains(row, col)) return;
    Anchor(row, col);
    TableCell& cell = Cell(row, col);
    cell.borders = borders;
    cell.heavyBorders = heavyBorders;
    auto match = [&](int r, int c, int side, int facing) {
        if (!Contains(r, c)) return;
        Anchor(r, c);
        TableCell& neighbour = Cell(r, c);
        neighbour.borders = (neighbour.borders & ~facing) | ((borders & side) ? facing : 0);
        neighbour.heavyBorders = (neighbour.heavyBorders & ~facing) | ((heavyBorders & side) ? facing : 0);
    };
    for (int r = row; r < row + cell.rowSpan; ++r) {
        match(r, col - 1, kLeft, kRight);
        match(r, col + cell.colSpan, kRight, kLeft);
    }
    for (int c = col; c < col + cell.colSpan; ++c) {
        match(row - 1, c, kTop, kBottom);
        match(row + cell.rowSpan, c, kBottom, kTop);
    }
}

}  // namespace ckw::tables
