#include "settings/LineTypeDialog.h"

#include <algorithm>

#include "dialog/DialogRunner.h"
#include "platform/Ui.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "settings/LineTypePattern.h"
#include "settings/LineTypeTable.h"
#include "settings/LinFile.h"
#include "settings/SettingsGrid.h"

namespace ckw::settings {

using namespace ckw::res;

namespace {}

LineTypeDialog::LineTypeDialog() : Dialog(DialogResource(IDD_LINETYPE)) {}

LineTypeDialog::LineTypeDialog(const SettingsPaths& paths)
    : Dialog(DialogResource(IDD_LINETYPE)), m_usePathsGiven(true), m_paths(paths) {}

ckw::dlg::GridModel& LineTypeDialog::TheGrid() { return Grid(IDC_GRID); }

bool LineTypeDialog::OnInitDialog() {
    if (!m_usePathsGiven) m_paths = SettingsPaths::FromConfiguration();
    m_currentRow = 0;
    m_selectedName.clear();
    Load();
    Layout();
    Fill();
    return true;
}

void LineTypeDialog::Load() { LoadLineTypes(m_paths.userLibrary, false, m_records); }

bool LineTypeDialog::Save() { return SaveLineTypes(m_paths.userLibrary, m_records); }

void LineTypeDialog::Layout() {
    const ckw::dlg::Rect ok = Item(ckw::dlg::IDOK).GetRect();
    const int W = Width(), H = Height(), w = ok.Width(), h = ok.Height();
    Item(IDC_GRID).MoveWindow({15, 15, 15 + W - 40, 15 + H - h - 75});
    const int top = H - 40 - h;
    Item(IDC_ADD_ROW).MoveWindow({15, top, 15 + w, top + h});
    const int deleteLeft = 15 + w + w / 2;
    Item(IDC_DELETE_ROW).MoveWindow({deleteLeft, top, deleteLeft + w, top + h});
    const int helpLeft = W - 25 - w;
    Item(IDC_HELP).MoveWindow({helpLeft, top, helpLeft + w, top + h});
    const int cancelLeft = helpLeft - w / 3 - w;
    Item(ckw::dlg::IDCANCEL).MoveWindow({cancelLeft, top, cancelLeft + w, top + h});
    const int okLeft = cancelLeft - w / 3 - w;
    Item(ckw::dlg::IDOK).MoveWindow({okLeft, top, okLeft + w, top + h});
}

void LineTypeDialog::Fill() {
    ckw::dlg::GridModel& grid = TheGrid();
    const int count = static_cast<int>(m_records.size());
    grid.GridSetRows(static_cast<short>(count + 1));
    grid.GridSetCols(4);
    const int W = Item(IDC_GRID).GetRect().Width();
    const int col1 = std::min((W - 65) / 4, 150);
    const int col2 = std::min((W - 25 - 40 - col1) / 2, 250);
    const int col3 = W - 25 - 40 - col1 - col2;
    grid.GridSetColWidth(0, 40);
    grid.GridSetColWidth(1, static_cast<short>(col1));
    grid.GridSetColWidth(2, static_cast<short>(col2));
    grid.GridSetColWidth(3, static_cast<short>(col3));
    SetGridHeader(grid, {"序号", "线型名称", "线型描述", "线型说明"});
    for (int i = 0; i < count; ++i) {
        const short r = static_cast<short>(i + 1);
        grid.GridSetCellText(r, 0, std::to_string(r).c_str());
        grid.GridSetCellText(r, 1, m_records[static_cast<size_t>(i)].GetLineTypeName());
        grid.GridSetCellText(r, 2, m_records[static_cast<size_t>(i)].GetLineTypeData());
        grid.GridSetCellText(r, 3, m_records[static_cast<size_t>(i)].GetLineTypeDes());
        for (short c = 1; c <= 3; ++c) {
            grid.GridSetCellEditMode(r, c, 1);
            grid.GridSetCellReadOnly(r, c, c == 3 || (r == 1 && c <= 2));
        }
    }
}

void LineTypeDialog::AddRow() {
    CkwLineTypeDef_ record;
    std::string name = "线型" + std::to_string(m_records.size() + 1);
    record.SetLineTypeName(name.c_str());
    m_records.push_back(std::move(record));
    Fill();
}

void LineTypeDialog::DeleteRow(int row) {
    // Row 1, the solid line, stays.
    if (row <= 1 || row > static_cast<int>(m_records.size())) return;
    m_records.erase(m_records.begin() + (row - 1));
    Fill();
}

void LineTypeDialog::ImportLinFile() {
    ckw::dlg::FileDialogRequest request;
    request.filter = "AutoCAD线型文件 (*.LIN)|*.LIN|所有文件 (*.*)|*.*|";
    auto path = FileDialog(request);
    if (!path) return;
    std::vector<CkwLineTypeDef_> imported;
    // A file that gives nothing is said so: the user would otherwise take the unchanged list for
    // a file of line types already there.
    if (!ReadLinFile(*path, static_cast<int>(m_records.size()), imported)) {
        ckw::ui::ShowError("无法读取线型文件 " + *path);
        return;
    }
    if (imported.empty()) {
        ckw::ui::MessageBox("线型文件 " + *path + " 中没有可导入的简单线型");
        return;
    }
    for (CkwLineTypeDef_& record : imported) m_records.push_back(std::move(record));
    Fill();
}

void LineTypeDialog::OnOK() {
    // A failed save keeps the dialog open with the edits (its message has been shown).
    if (!Save()) return;
    const int count = static_cast<int>(m_records.size());
    m_selectedName = m_currentRow > 0 && m_currentRow <= count
                         ? m_records[static_cast<size_t>(m_currentRow - 1)].GetLineTypeName()
                         : "";
    m_records.clear();
    EndDialog(ckw::dlg::IDOK);
}

void LineTypeDialog::OnCancel() {
    m_records.clear();
    EndDialog(ckw::dlg::IDCANCEL);
}

void LineTypeDialog::OnCommand(int id) {
    if (id == IDC_ADD_ROW) AddRow();
    if (id == IDC_DELETE_ROW) DeleteRow(m_currentRow);
}

void LineTypeDialog::OnSize(int, int) {
    Layout();
    Fill();
}

void LineTypeDialog::GridCellClicked(int, short row, short, long, const char*) { m_currentRow = row; }

void LineTypeDialog::GridRightClicked(int, short row, short, long, const char*) {
    RunMenuCommand(TrackPopupMenu(MenuResource(IDR_LINETYPE_MENU)), row);
}

void LineTypeDialog::RunMenuCommand(int command, int row) {
    switch (command) {
    case ID_DELETE_ROW:
        DeleteRow(row);
        break;
    case ID_ADD_ROW:
        AddRow();
        break;
    case ID_LOAD_ACCESS:
    case ID_DATA_INIT:
        Load();
        Fill();
        break;
    case ID_SAVE_ACCESS:
        Save();
        break;
    case ID_EDIT_ACCESS:
        EditUserLibraryTable(m_paths, "系统线型表");
        break;
    case ID_IMPORT_LIN:
        ImportLinFile();
        break;
    default:
        break;
    }
}

void LineTypeDialog::GridCellEdited(int, short row, short col, const char* newText) {
    if (col != 1 && col != 2) return;
    if (row < 1 || row > static_cast<int>(m_records.size())) return;
    ckw::dlg::GridModel& grid = TheGrid();
    std::string name = col == 1 ? std::string(newText) : grid.GridGetCellText(row, 1).str();
    if (name.empty()) name = "线型" + std::to_string(row);
    std::string data = col == 2 ? std::string(newText) : grid.GridGetCellText(row, 2).str();
    CkwLineTypeDef_& record = m_records[static_cast<size_t>(row - 1)];
    record.SetLineTypeName(name.c_str());
    record.SetLineTypeData(data.c_str());
    RebuildLineTypeDescription(record, row - 1);
    grid.GridPutCellText(row, 3, record.GetLineTypeDes());
}

}  // namespace ckw::settings
