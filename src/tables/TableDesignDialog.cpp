#include "tables/TableDesignDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <tuple>

#include <ckw/DrawingPara.h>
#include "dialog/DialogRunner.h"
#include "base/GbkText.h"
#include "platform/FileCopy.h"
#include "platform/Ui.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "tables/TableDataDialogs.h"
#include "tables/TableDrawing.h"
#include "tables/TdbFile.h"

namespace ckw::tables {

namespace {

namespace res = ckw::res;
using ckw::ui::Answer;
using ckw::ui::Buttons;

constexpr const char* kTdbFilter = "KELO表格文件 (*.TDB)|*.TDB|";
constexpr const char* kTdbTitle = "请选择KELO表格文件";
constexpr long kCoveredColour = 0xE0E0E0;
constexpr long kMergedColour = 0xCCFFFF;  // light yellow (0x00BBGGRR)
constexpr short kPixelsPerMm = 4;

bool Exists(const std::string& pathGbk) {
    std::error_code ec;
    return std::filesystem::exists(ckw::text::GbkToUtf8(pathGbk), ec);
}

std::string WithTdbExtension(std::string path) {
    const std::string upper = ckw::text::ToUpper(path);
    if (upper.size() < 4 || upper.compare(upper.size() - 4, 4, ".TDB") != 0) path += ".TDB";
    return path;
}

std::string DirectoryOf(const std::string& pathGbk) {
    return ckw::text::Utf8ToGbk(std::filesystem::path(ckw::text::GbkToUtf8(pathGbk)).parent_path().string());
}

std::string Caption(int number, double size) {
    return std::to_string(number) + " (" + ckw::text::FormatFixed(size, 1) + ")";
}

}  // namespace

UserTable DefaultUserTable() { return UserTable(5, 4, 20, 8); }

TableDesignDialog::TableDesignDialog(std::string tablePath, std::string workingCopyPath)
    : Dialog(res::DialogResource(res::IDD_USER_TABLE)),
      m_table(DefaultUserTable()),
      m_path(std::move(tablePath)),
      m_workingCopy(std::move(workingCopyPath)) {}

bool TableDesignDialog::OnInitDialog() {
    if (m_exDrawingPara.IsClosed()) m_exDrawingPara.Init();
    m_ownsWorkingCopy = false;
    m_pathDamaged = false;
    m_workingCopyLeft.clear();
    // Copies that a designer killed while saving left beside the two files.
    ckw::fs::RemoveStaleCopies(ckw::text::GbkToUtf8(m_workingCopy));
    ckw::fs::RemoveStaleCopies(ckw::text::GbkToUtf8(m_path));
    if (Exists(m_workingCopy) &&
        ckw::ui::MessageBox("上次的表格设计没有保存, 是否恢复?", Buttons::YesNo) == Answer::Yes) {
        if (Status loaded = LoadTdbFile(m_workingCopy, m_table); loaded.ok())
            m_ownsWorkingCopy = true;
        else
            ckw::ui::ShowError(loaded.why());
    } else if (Exists(m_path)) {
        if (Status loaded = LoadTdbFile(m_path, m_table); !loaded.ok()) {
            ckw::ui::ShowError(loaded.why());
            m_pathDamaged = true;
        }
    }
    ShowLayers();
    ShowTable();
    return true;
}

void TableDesignDialog::ShowLayers() {
    for (auto [id, kind, fallback] : {std::tuple{res::IDC_TEXT_LAYER, &m_table.textLayer, kDefaultTextLayer},
                                      std::tuple{res::IDC_LINE_LAYER, &m_table.lineLayer, kDefaultLineLayer}}) {
        auto& combo = Item(id);
        combo.ResetContent();
        const std::string wanted = kind->empty() ? fallback : *kind;
        int chosen = -1;
        for (int i = 0; i < m_exDrawingPara.GetLayerCount(); ++i) {
            const std::string name = m_exDrawingPara.GetLayerAt(i)->GetComponentKind();
            if (name == wanted) chosen = i;
            combo.InsertItem(-1, name);
        }
        // A kind the parameter library lacks stays the table's choice.
        if (chosen < 0) {
            combo.InsertItem(-1, wanted);
            chosen = static_cast<int>(combo.Items().size()) - 1;
        }
        combo.SetCurSel(chosen);
    }
}

void TableDesignDialog::ShowTable() {
    auto& grid = Grid(res::IDC_GRID);
    const short rows = static_cast<short>(m_table.Rows() + 1), cols = static_cast<short>(m_table.Cols() + 1);
    grid.GridSetRows(rows);
    grid.GridSetCols(cols);
    grid.GridSetColWidth(0, 72);
    for (short c = 1; c < cols; ++c) {
        const double width = m_table.ColWidth(c - 1);
        grid.GridSetColWidth(c, static_cast<short>(std::clamp<double>(width * kPixelsPerMm, 40, 240)));
        grid.GridSetCellText(0, c, Caption(c, width).c_str());
    }
    for (short r = 1; r < rows; ++r) {
        grid.GridSetCellText(r, 0, Caption(r, m_table.RowHeight(r - 1)).c_str());
        for (short c = 1; c < cols; ++c) {
            const TableCell& cell = m_table.Cell(r - 1, c - 1);
            const bool merged = cell.rowSpan * cell.colSpan > 1;
            grid.GridSetCellText(r, c, cell.Covered() ? "" : cell.text.c_str());
            grid.GridSetCellEditMode(r, c, cell.Covered() ? 0 : 1);
            grid.GridSetCellReadOnly(r, c, cell.Covered());
            grid.GridSetCellBackColor(r, c,
                                      cell.Covered() ? kCoveredColour
                                      : merged       ? kMergedColour
                                                     : ckw::grid::kWhite);
        }
    }
    grid.GridRefresh();
}

void TableDesignDialog::Changed() {
    // A working copy that cannot be written leaves the designer without a recovery point, not
    // without the table: the table is saved with OK.
    if (SaveTdbFile(m_workingCopy, m_table).ok()) m_ownsWorkingCopy = true;
    ShowTable();
}

void TableDesignDialog::RemoveWorkingCopy() {
    if (!m_ownsWorkingCopy) return;
    std::error_code ec;
    std::filesystem::remove(ckw::text::GbkToUtf8(m_workingCopy), ec);
    m_ownsWorkingCopy = false;
    if (!ec) return;
    m_workingCopyLeft = "删除不了临时文件" + m_workingCopy + ": " + ckw::text::Utf8ToGbk(ec.message());
    ckw::ui::MessageBox(m_workingCopyLeft);
}

void TableDesignDialog::OnOK() {
    if (m_pathDamaged) {
        const std::string question = "表格文件" + m_path + "读不出来, 是否用现在的表格替换它?";
        if (ckw::ui::MessageBox(question, Buttons::YesNo) != Answer::Yes) return;
    }
    if (Status saved = SaveTdbFile(m_path, m_table); !saved.ok()) {
        ckw::ui::ShowError(saved.why());
        return;
    }
    RemoveWorkingCopy();
    EndDialog(ckw::dlg::IDOK);
}

void TableDesignDialog::OnCancel() {
    RemoveWorkingCopy();
    EndDialog(ckw::dlg::IDCANCEL);
}

void TableDesignDialog::OnComboChanged(int id) {
    const auto& combo = Item(id);
    if (combo.GetCurSel() < 0) return;
    const std::string& kind = combo.Items()[combo.GetCurSel()];
    (id == res::IDC_TEXT_LAYER ? m_table.textLayer : m_table.lineLayer) = kind;
    Changed();
}

void TableDesignDialog::GridCellEdited(int, short row, short col, const char* newText) {
    if (row < 1 || col < 1 || !m_table.Contains(row - 1, col - 1)) return;
    std::string text = newText ? newText : "";
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    m_table.Cell(row - 1, col - 1).text = text;
    Changed();
}

void TableDesignDialog::OnCommand(int id) {
    switch (id) {
    case res::IDC_TABLE_INIT:
        Initialise();
        break;
    case res::IDC_TABLE_CELL:
        EditCell();
        break;
    case res::IDC_OPEN_TDB:
        OpenFile();
        break;
    case res::IDC_SAVE_TDB:
        SaveAs();
        break;
    case res::IDC_MERGE_RIGHT:
    case res::IDC_MERGE_DOWN:
    case res::IDC_SPLIT:
        MergeCommand(id);
        break;
    default:
        LineCommand(id);
        break;
    }
}

bool TableDesignDialog::CurrentCell(int& row, int& col, bool anyRow, bool anyCol) {
    auto& grid = Grid(res::IDC_GRID);
    row = grid.GridGetCurrentRow() - 1;
    col = grid.GridGetCurrentCol() - 1;
    // A click on a row's or column's caption selects the row or column.
    if ((row >= 0 || anyRow) && (col >= 0 || anyCol)) return true;
    ckw::ui::MessageBox("请先选择一个单元格");
    return false;
}

void TableDesignDialog::LineCommand(int id) {
    enum class Op { Insert, Remove, MoveBack, MoveOn };
    struct Action {
        int id;
        Axis axis;
        Op op;
    };
    static constexpr Action kActions[] = {
        {res::IDC_INSERT_TABLE_ROW, Axis::Rows, Op::Insert}, {res::IDC_DELETE_TABLE_ROW, Axis::Rows, Op::Remove},
        {res::IDC_ROW_UP, Axis::Rows, Op::MoveBack},         {res::IDC_ROW_DOWN, Axis::Rows, Op::MoveOn},
        {res::IDC_INSERT_TABLE_COL, Axis::Cols, Op::Insert}, {res::IDC_DELETE_TABLE_COL, Axis::Cols, Op::Remove},
        {res::IDC_COL_LEFT, Axis::Cols, Op::MoveBack},       {res::IDC_COL_RIGHT, Axis::Cols, Op::MoveOn},
    };
    const auto* action =
        std::find_if(std::begin(kActions), std::end(kActions), [id](const Action& a) { return a.id == id; });
    if (action == std::end(kActions)) return;
    int row = 0, col = 0;
    const bool rows = action->axis == Axis::Rows;
    if (!CurrentCell(row, col, !rows, rows)) return;
    const int at = rows ? row : col;
    Status done;
    switch (action->op) {
    // New lines go after the current one: schedules grow at their end.
    case Op::Insert:
        done = m_table.Insert(action->axis, at + 1);
        break;
    case Op::Remove:
        done = m_table.Remove(action->axis, at);
        break;
    case Op::MoveBack:
    case Op::MoveOn: {
        const int delta = action->op == Op::MoveOn ? 1 : -1;
        done = m_table.Move(action->axis, at, delta);
        // The selection moves with the line (the cell is there: nothing to refuse).
        if (done.ok())
            (void)Grid(res::IDC_GRID).UserClick(rows ? row + 1 + delta : row + 1, rows ? col + 1 : col + 1 + delta);
        break;
    }
    }
    if (!done.ok()) {
        ckw::ui::MessageBox(done.why());
        return;
    }
    Changed();
}

void TableDesignDialog::MergeCommand(int id) {
    int row = 0, col = 0;
    if (!CurrentCell(row, col)) return;
    m_table.Anchor(row, col);
    const TableCell& cell = m_table.Cell(row, col);
    Status done;
    if (id == res::IDC_SPLIT) {
        if (!m_table.Split(row, col)) done = "这个单元格没有合并";
    } else if (id == res::IDC_MERGE_RIGHT) {
        done = m_table.Merge(row, col, cell.rowSpan, cell.colSpan + 1);
    } else {
        done = m_table.Merge(row, col, cell.rowSpan + 1, cell.colSpan);
    }
    if (!done.ok()) {
        ckw::ui::MessageBox(done.why());
        return;
    }
    Changed();
}

void TableDesignDialog::Initialise() {
    NewTableSize size{m_table.Rows(), m_table.Cols(), m_table.ColWidth(0), m_table.RowHeight(0)};
    TableInitDialog dialog(size);
    if (dialog.DoModal() != ckw::dlg::IDOK) return;
    size = dialog.Size();
    UserTable table(size.rows, size.cols, size.colWidth, size.rowHeight);
    table.textLayer = m_table.textLayer;
    table.lineLayer = m_table.lineLayer;
    m_table = std::move(table);
    Changed();
}

void TableDesignDialog::EditCell() {
    int row = 0, col = 0;
    if (!CurrentCell(row, col)) return;
    m_table.Anchor(row, col);
    const TableCell& cell = m_table.Cell(row, col);
    CellData data{
        cell.text,         cell.textHeightTenths / 10.0, cell.widthFactorPercent / 100.0, cell.alignment, cell.borders,
        cell.heavyBorders, m_table.ColWidth(col),        m_table.RowHeight(row)};
    TableCellDialog dialog(data);
    if (dialog.DoModal() != ckw::dlg::IDOK) return;
    data = dialog.Data();
    TableCell& edited = m_table.Cell(row, col);
    edited.text = data.text;
    edited.textHeightTenths = static_cast<int>(std::lround(data.textHeight * 10));
    edited.widthFactorPercent = static_cast<int>(std::lround(data.widthFactor * 100));
    edited.alignment = data.alignment;
    m_table.SetBorders(row, col, data.borders, data.heavyBorders);
    m_table.SetColWidth(col, data.colWidth);
    m_table.SetRowHeight(row, data.rowHeight);
    Changed();
}

void TableDesignDialog::Open(const std::string& path) {
    UserTable table;
    if (Status loaded = LoadTdbFile(path, table); !loaded.ok()) {
        ckw::ui::MessageBox(loaded.why());
        return;
    }
    m_table = std::move(table);
    m_path = path;
    m_pathDamaged = false;
    ShowLayers();
    Changed();
}

void TableDesignDialog::OpenFile() {
    ckw::dlg::FileDialogRequest request;
    request.filter = kTdbFilter;
    request.title = kTdbTitle;
    request.initialDir = DirectoryOf(m_path);
    if (auto chosen = FileDialog(request); chosen && !chosen->empty()) Open(WithTdbExtension(*chosen));
}

void TableDesignDialog::SaveAs() {
    ckw::dlg::FileDialogRequest request;
    request.open = false;
    request.filter = kTdbFilter;
    request.title = kTdbTitle;
    request.initialDir = DirectoryOf(m_path);
    auto chosen = FileDialog(request);
    if (!chosen || chosen->empty()) return;
    const std::string path = WithTdbExtension(*chosen);
    if (Status saved = SaveTdbFile(path, m_table); !saved.ok()) {
        ckw::ui::MessageBox(saved.why());
        return;
    }
    m_path = path;
    m_pathDamaged = false;
}

}  // namespace ckw::tables
