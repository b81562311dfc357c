#include "dialog/DialogGrid.h"

#include <cstdlib>

#include "base/GbkText.h"

namespace ckw::dlg {

namespace {
const GridCell kNoCell{};

std::vector<std::string> SplitLines(const char* text) {
    std::vector<std::string> items;
    std::string s = text ? text : "";
    size_t start = 0;
    while (start <= s.size() && !s.empty()) {
        size_t end = s.find('\n', start);
        if (end == std::string::npos) end = s.size();
        items.push_back(s.substr(start, end - start));
        start = end + 1;
    }
    return items;
}
}  // namespace

bool GridModel::GridSetRows(short count) {
    if (count < 0) return false;
    m_rows.resize(static_cast<size_t>(count));
    for (Row& row : m_rows) row.cells.resize(m_colWidths.size());
    if (m_currentRow >= count) m_currentRow = 0;
    Touch();
    return true;
}

bool GridModel::GridSetCols(short count) {
    if (count < 0) return false;
    m_colWidths.resize(static_cast<size_t>(count), grid::kDefaultColWidth);
    for (Row& row : m_rows) row.cells.resize(m_colWidths.size());
    if (m_currentCol >= count) m_currentCol = 0;
    Touch();
    return true;
}

bool GridModel::GridSetColWidth(short col, short width) {
    if (col < 0 || col >= GridGetCols() || width < 0) return false;
    m_colWidths[static_cast<size_t>(col)] = width;
    Touch();
    return true;
}

short GridModel::GridGetColWidth(short col) {
    return col >= 0 && col < GridGetCols() ? m_colWidths[static_cast<size_t>(col)] : 0;
}

long GridModel::GridGetRowHeight(short row) {
    // Row 0 always answers, so that a dialog can size its grid before it has filled it.
    if (row >= 0 && row < GridGetRows()) return m_rows[static_cast<size_t>(row)].height;
    return grid::kDefaultRowHeight;
}

bool GridModel::GridSetRowHeight(short row, long height) {
    if (row < 0 || row >= GridGetRows() || height < 0) return false;
    m_rows[static_cast<size_t>(row)].height = height;
    Touch();
    return true;
}

bool GridModel::GridInsertRow(short row) {
    if (row < 1 || row > GridGetRows() || GridGetRows() == 0x7FFF) return false;
    Row fresh;
    fresh.cells.resize(m_colWidths.size());
    m_rows.insert(m_rows.begin() + row, std::move(fresh));
    Touch();
    return true;
}

bool GridModel::GridDeleteRow(short row) {
    if (row < 1 || row >= GridGetRows()) return false;
    m_rows.erase(m_rows.begin() + row);
    if (m_currentRow >= GridGetRows()) m_currentRow = static_cast<short>(GridGetRows() - 1);
    Touch();
    return true;
}

bool GridModel::GridSetRowLevel(short row, short level) {
    if (row < 0 || row >= GridGetRows() || level < 0 || level > 2) return false;
    m_rows[static_cast<size_t>(row)].level = level;
    Touch();
    return true;
}

short GridModel::GridGetRowLevel(short row) {
    return row >= 0 && row < GridGetRows() ? m_rows[static_cast<size_t>(row)].level : 0;
}

bool GridModel::GridSetLineColor(long colour) {
    m_lineColor = colour;
    Touch();
    return true;
}

bool GridModel::GridSetFixedRows(short count) {
    if (count < 0) return false;
    m_fixedRows = count;
    Touch();
    return true;
}

bool GridModel::GridSetFixedCols(short count) {
    if (count < 0) return false;
    m_fixedCols = count;
    Touch();
    return true;
}

bool GridModel::GridSetRowSelect(bool whole) {
    m_rowSelect = whole;
    Touch();
    return true;
}

bool GridModel::GridSetUserResize(short what, bool allow) {
    if (what == 0) {
        m_resizeCols = allow;
    } else if (what == 1) {
        m_resizeRows = allow;
    } else {
        return false;
    }
    Touch();
    return true;
}

GridCell* GridModel::At(long row, long col) {
    if (row < 0 || col < 0 || row >= GridGetRows() || col >= GridGetCols()) return nullptr;
    return &m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)];
}

bool GridModel::HasCell(int row, int col) const {
    return row >= 0 && col >= 0 && row < static_cast<int>(m_rows.size()) && col < static_cast<int>(m_colWidths.size());
}

const GridCell& GridModel::Cell(int row, int col) const {
    return HasCell(row, col) ? m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)] : kNoCell;
}

bool GridModel::GridSetCellText(short row, short col, const char* text) { return GridPutCellText(row, col, text); }

bool GridModel::GridPutCellText(long row, long col, const char* text) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    cell->text = text ? text : "";
    Touch();
    return true;
}

CString GridModel::GridGetCellText(short row, short col) {
    GridCell* cell = At(row, col);
    return cell ? CString(cell->text) : CString();
}

double GridModel::GridGetCellNumber(short row, short col) {
    GridCell* cell = At(row, col);
    return cell ? text::ParseNumber(cell->text) : 0.0;
}

bool GridModel::GridSetCellEditMode(short row, short col, long mode) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    cell->editMode = mode;
    Touch();
    return true;
}

bool GridModel::GridSetCellReadOnly(short row, short col, bool readOnly) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    cell->readOnly = readOnly;
    Touch();
    return true;
}

bool GridModel::GridSetCellType(short row, short col, long type) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    cell->type = type;
    Touch();
    return true;
}

bool GridModel::GridSetCellCheck(short row, short col, bool checked) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    cell->checked = checked;
    Touch();
    return true;
}

bool GridModel::GridGetCellCheck(short row, short col) {
    GridCell* cell = At(row, col);
    return cell && cell->checked;
}

bool GridModel::GridSetCellKind(short row, short col, long kind, long arg) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    cell->kind = kind;
    if (kind == grid::kKindDropDown)
        cell->itemIndex = arg >= 0 && arg < static_cast<long>(cell->items.size()) ? arg : -1;
    Touch();
    return true;
}

long GridModel::GridGetCellKind(short row, short col) {
    GridCell* cell = At(row, col);
    return cell ? cell->kind : grid::kKindPlain;
}

bool GridModel::GridSetCellBackColor(short row, short col, long colour) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    cell->backColor = colour;
    Touch();
    return true;
}

long GridModel::GridGetCellBackColor(short row, short col) {
    GridCell* cell = At(row, col);
    return cell ? cell->backColor : grid::kWhite;
}

bool GridModel::GridSetCellTextColor(short row, short col, long colour) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    cell->textColor = colour;
    Touch();
    return true;
}

long GridModel::GridGetCellTextColor(short row, short col) {
    GridCell* cell = At(row, col);
    return cell ? cell->textColor : grid::kBlack;
}

bool GridModel::GridSetCellItems(short row, short col, const char* items) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    cell->items = SplitLines(items);
    cell->itemIndex = -1;
    Touch();
    return true;
}

long GridModel::GridGetCellItemIndex(short row, short col) {
    GridCell* cell = At(row, col);
    return cell ? cell->itemIndex : -1;
}

bool GridModel::GridAddCellLabel(short row, short col, const char* name, const char* text, long x, long y,
                                 long alignment) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    CellLabel label{name ? name : "", text ? text : "", x, y, alignment};
    for (CellLabel& existing : cell->labels) {
        if (existing.name == label.name) {
            existing = std::move(label);
            Touch();
            return true;
        }
    }
    cell->labels.push_back(std::move(label));
    Touch();
    return true;
}

bool GridModel::GridSetCellDiagonal(short row, short col, long style) {
    GridCell* cell = At(row, col);
    if (!cell) return false;
    cell->diagonal = style;
    Touch();
    return true;
}

bool GridModel::IsUserEditable(int row, int col) const {
    if (!HasCell(row, col) || IsCaption(row, col)) return false;
    const GridCell& cell = Cell(row, col);
    return cell.editMode == 1 && !cell.readOnly && (cell.kind == grid::kKindPlain || cell.kind == grid::kKindButton);
}

Status GridModel::CheckCell(int row, int col) const {
    if (!HasCell(row, col))
        return Status("cell (" + std::to_string(row) + ", " + std::to_string(col) + ") is outside the grid of " +
                      std::to_string(m_rows.size()) + " rows and " + std::to_string(m_colWidths.size()) + " columns");
    return {};
}

Status GridModel::UserClick(int row, int col) {
    if (auto error = CheckCell(row, col); !error.ok()) return error;
    m_currentRow = static_cast<short>(row);
    m_currentCol = static_cast<short>(col);
    Touch();
    std::string text = Cell(row, col).text;
    if (m_events) m_events->GridCellClicked(m_id, static_cast<short>(row), static_cast<short>(col), 1, text.c_str());
    return {};
}

Status GridModel::UserRightClick(int row, int col) {
    if (auto error = CheckCell(row, col); !error.ok()) return error;
    std::string text = Cell(row, col).text;
    if (m_events) m_events->GridRightClicked(m_id, static_cast<short>(row), static_cast<short>(col), 2, text.c_str());
    return {};
}

Status GridModel::UserEdit(int row, int col, const std::string& textGbk) {
    if (auto error = CheckCell(row, col); !error.ok()) return error;
    if (!IsUserEditable(row, col))
        return Status("cell (" + std::to_string(row) + ", " + std::to_string(col) + ") cannot be edited");
    m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)].text = textGbk;
    Touch();
    if (m_events) m_events->GridCellEdited(m_id, static_cast<short>(row), static_cast<short>(col), textGbk.c_str());
    return {};
}

Status GridModel::UserCheck(int row, int col, bool checked) {
    if (auto error = CheckCell(row, col); !error.ok()) return error;
    GridCell& cell = m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)];
    // Read-only locks a check-box cell's text, not its box.
    if (!grid::IsCheckType(cell.type) || row < m_fixedRows)
        return Status("cell (" + std::to_string(row) + ", " + std::to_string(col) + ") has no check box");
    if (cell.checked == checked) return {};
    cell.checked = checked;
    Touch();
    std::string text = cell.text;
    if (m_events)
        m_events->GridCheckChanged(m_id, static_cast<short>(row), static_cast<short>(col), checked, text.c_str());
    return {};
}

Status GridModel::UserPickColor(int row, int col, long colour) {
    if (auto error = CheckCell(row, col); !error.ok()) return error;
    GridCell& cell = m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)];
    if (cell.kind != grid::kKindColor || cell.readOnly || IsCaption(row, col))
        return Status("cell (" + std::to_string(row) + ", " + std::to_string(col) + ") is not a colour cell");
    cell.backColor = colour & 0xFFFFFF;
    Touch();
    if (m_events) m_events->GridColorPicked(m_id, static_cast<short>(row), static_cast<short>(col), colour & 0xFFFFFF);
    return {};
}

Status GridModel::UserChoose(int row, int col, int index) {
    if (auto error = CheckCell(row, col); !error.ok()) return error;
    GridCell& cell = m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)];
    if (cell.kind != grid::kKindDropDown || cell.readOnly || IsCaption(row, col))
        return Status("cell (" + std::to_string(row) + ", " + std::to_string(col) + ") is not a drop-down");
    if (index < 0 || index >= static_cast<int>(cell.items.size()))
        return Status("the drop-down has no entry " + std::to_string(index));
    cell.itemIndex = index;
    cell.text = cell.items[static_cast<size_t>(index)];
    Touch();
    std::string text = cell.text;
    if (m_events) m_events->GridCellEdited(m_id, static_cast<short>(row), static_cast<short>(col), text.c_str());
    return {};
}

Status GridModel::UserBrowse(int row, int col) {
    if (auto error = CheckCell(row, col); !error.ok()) return error;
    const GridCell& cell = Cell(row, col);
    if (cell.kind != grid::kKindButton || cell.readOnly)
        return Status("cell (" + std::to_string(row) + ", " + std::to_string(col) + ") has no browse button");
    if (m_events) m_events->GridButtonClicked(m_id, static_cast<short>(row), static_cast<short>(col));
    return {};
}

}  // namespace ckw::dlg
