#pragma once
// The grid control without a toolkit: it keeps every cell's text and state, answers the
// operations of the grid contract, and turns the user's actions (from a script or from the
// widgets of a runner) into the contract's events. Both runners work on this one model.
#include <string>
#include <vector>

#include <ckw/CkwExport.h>
#include "base/Status.h"
#include "dialog/GridControl.h"
#include "dialog/GridEvents.h"

namespace ckw::dlg {

struct CellLabel {
    std::string name;
    std::string text;  // GBK
    long x = 0;
    long y = 0;
    long alignment = 1;
};

struct GridCell {
    std::string text;  // GBK
    long editMode = 0;
    bool readOnly = false;
    long type = grid::kTypeText;
    bool checked = false;
    long kind = grid::kKindPlain;
    std::vector<std::string> items;  // drop-down entries
    long itemIndex = -1;
    long backColor = grid::kWhite;
    long textColor = grid::kBlack;
    long diagonal = 0;
    std::vector<CellLabel> labels;
};

class CKW_API GridModel : public grid::GridControl {
public:
    // events receives the user's actions as grid events; it may be null.
    GridModel(int id, grid::GridEvents* events) : m_id(id), m_events(events) {}

    int id() const { return m_id; }

    // --- The grid contract ---------------------------------------------------------------------
    bool GridSetRows(short count) override;
    short GridGetRows() override { return static_cast<short>(m_rows.size()); }
    bool GridSetCols(short count) override;
    short GridGetCols() override { return static_cast<short>(m_colWidths.size()); }
    bool GridSetColWidth(short col, short width) override;
    short GridGetColWidth(short col) override;
    long GridGetRowHeight(short row) override;
    bool GridSetRowHeight(short row, long height) override;
    bool GridInsertRow(short row) override;
    bool GridDeleteRow(short row) override;
    bool GridSetRowLevel(short row, short level) override;
    short GridGetRowLevel(short row) override;
    bool GridSetLineColor(long colour) override;
    bool GridSetFixedRows(short count) override;
    bool GridSetFixedCols(short count) override;
    bool GridSetRowSelect(bool whole) override;
    bool GridSetUserResize(short what, bool allow) override;
    void GridRefresh() override { Touch(); }
    bool GridSetCellText(short row, short col, const char* text) override;
    bool GridPutCellText(long row, long col, const char* text) override;
    CString GridGetCellText(short row, short col) override;
    double GridGetCellNumber(short row, short col) override;
    bool GridSetCellEditMode(short row, short col, long mode) override;
    bool GridSetCellReadOnly(short row, short col, bool readOnly) override;
    bool GridSetCellType(short row, short col, long type) override;
    bool GridSetCellCheck(short row, short col, bool checked) override;
    bool GridGetCellCheck(short row, short col) override;
    bool GridSetCellKind(short row, short col, long kind, long arg) override;
    long GridGetCellKind(short row, short col) override;
    bool GridSetCellBackColor(short row, short col, long colour) override;
    long GridGetCellBackColor(short row, short col) override;
    bool GridSetCellTextColor(short row, short col, long colour) override;
    long GridGetCellTextColor(short row, short col) override;
    bool GridSetCellItems(short row, short col, const char* items) override;
    long GridGetCellItemIndex(short row, short col) override;
    bool GridAddCellLabel(short row, short col, const char* name, const char* text, long x, long y,
                          long alignment) override;
    bool GridSetCellDiagonal(short row, short col, long style) override;
    short GridGetCurrentRow() override { return m_currentRow; }
    short GridGetCurrentCol() override { return m_currentCol; }

    // --- For runners ---------------------------------------------------------------------------
    bool HasCell(int row, int col) const;
    // The cell, or an empty default cell when it does not exist.
    const GridCell& Cell(int row, int col) const;
    long LineColor() const { return m_lineColor; }
    short FixedRows() const { return m_fixedRows; }
    short FixedCols() const { return m_fixedCols; }
    bool RowSelect() const { return m_rowSelect; }
    bool UserResizesCols() const { return m_resizeCols; }
    bool UserResizesRows() const { return m_resizeRows; }
    bool IsCaption(int row, int col) const { return row < m_fixedRows || col < m_fixedCols; }
    // Whether the user may type into the cell: an edit field, not read-only, not a caption,
    // not a colour cell or drop-down.
    bool IsUserEditable(int row, int col) const;
    unsigned revision() const { return m_revision; }

    // The user's actions. Each checks that a person could do it on the cell shown, changes the
    // cell as the control would, and sends the event. The result is empty when done, otherwise
    // why it was refused (nothing changed, no event).
    Status UserClick(int row, int col);
    Status UserRightClick(int row, int col);
    Status UserEdit(int row, int col, const std::string& textGbk);
    Status UserCheck(int row, int col, bool checked);
    Status UserPickColor(int row, int col, long colour);
    Status UserChoose(int row, int col, int index);
    Status UserBrowse(int row, int col);

private:
    struct Row {
        std::vector<GridCell> cells;
        long height = grid::kDefaultRowHeight;
        short level = 0;
    };

    GridCell* At(long row, long col);
    Status CheckCell(int row, int col) const;
    void Touch() { ++m_revision; }

    int m_id;
    grid::GridEvents* m_events;
    std::vector<Row> m_rows;
    std::vector<short> m_colWidths;
    long m_lineColor = grid::kDefaultLineColor;
    short m_fixedRows = 1;
    short m_fixedCols = 1;
    bool m_rowSelect = false;
    bool m_resizeCols = false;
    bool m_resizeRows = false;
    short m_currentRow = 0;
    short m_currentCol = 0;
    unsigned m_revision = 0;
};

}  // namespace ckw::dlg
