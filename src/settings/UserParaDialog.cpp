#include "settings/UserParaDialog.h"

#include <algorithm>

#include <ckw/DrawingPara.h>
#include "drawpara/ParaRows.h"
#include "dao/Dao.h"
#include "base/GbkText.h"
#include "platform/Ui.h"
#include "drawpara/LibraryStep.h"
#include "settings/SettingsGrid.h"
#include "settings/UserParaKinds.h"
#include "settings/WriteBack.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::settings {

using namespace ckw::res;
namespace dao = ckw::dao;
using ckw::drawpara::RunLibraryStep;
using ckw::drawpara::StepMode;

namespace {

std::string_view ItemOf(const CkwUserParaDef_& record) { return record.GetParaType(); }

}  // namespace

UserParaDialog::UserParaDialog(std::string tableGbk)
    : Dialog(DialogResource(IDD_USERPARA)), m_table(ckw::drawpara::UserParaTableName(tableGbk)) {}

UserParaDialog::UserParaDialog(std::string tableGbk, const SettingsPaths& paths)
    : Dialog(DialogResource(IDD_USERPARA)),
      m_table(ckw::drawpara::UserParaTableName(tableGbk)),
      m_usePathsGiven(true),
      m_paths(paths) {}

ckw::dlg::GridModel& UserParaDialog::TheGrid() { return Grid(IDC_GRID); }

bool UserParaDialog::OnInitDialog() {
    if (!m_table.empty()) SetWindowText(m_table);
    if (!m_usePathsGiven) m_paths = SettingsPaths::FromConfiguration();
    Read();
    Fill();
    return true;
}

void UserParaDialog::Read() {
    // The table named by the caller is quoted as an identifier, never spliced into SQL. A table
    // the library lacks has been reported by the global read already: no second message, and
    // OK has nothing to write.
    m_tableMissing = m_table.empty();
    if (m_tableMissing) return;
    auto missingTable = [this](const dao::DaoException& e) {
        m_tableMissing = e.errorCode() == 0x0C06;
        return m_tableMissing;
    };
    std::vector<CkwUserParaDef_> read;
    bool done = RunLibraryStep(
        m_paths.userLibrary, StepMode::Read,
        [&](dao::Database& db) {
            dao::Recordset rs(db);
            rs.OpenTable(m_table);
            ForEachRow(rs,
                       [&](const dao::Recordset& row) { read.push_back(ckw::drawpara::UserParameterFromRow(row)); });
        },
        missingTable);
    if (done) m_records = m_recordsAsRead = std::move(read);
}

void UserParaDialog::Fill() {
    ckw::dlg::GridModel& grid = TheGrid();
    const int n = static_cast<int>(m_records.size());
    // The grid keeps its place and width and is made as high as the rows need.
    const ckw::dlg::Rect rect = Item(IDC_GRID).GetRect();
    const long height = grid.GridGetRowHeight(0) * (n + 3);
    Item(IDC_GRID).MoveWindow({12, 15, 12 + rect.Width(), 15 + static_cast<int>(height)});
    grid.GridSetRows(static_cast<short>(n + 1));
    grid.GridSetCols(3);
    const int w = (rect.Width() - 50) / 3;
    grid.GridSetColWidth(0, 40);
    grid.GridSetColWidth(1, static_cast<short>(2 * w));
    grid.GridSetColWidth(2, static_cast<short>(w));
    SetGridHeader(grid, {"序号", "内容", "数值"});
    for (short k = 1; k <= n; ++k) {
        const CkwUserParaDef_& record = m_records[static_cast<size_t>(k - 1)];
        grid.GridSetCellText(k, 0, std::to_string(k).c_str());
        grid.GridSetCellText(k, 1, ckw::text::TrimRight(record.GetParaDes()).c_str());
        grid.GridSetCellEditMode(k, 1, 1);
        LockCell(grid, k, 1);
        // A grade is picked from its list (a stored value outside it stays offered).
        std::vector<std::string> choices = UserParaChoices(record.GetParaType());
        if (!choices.empty()) {
            const std::string value = ckw::text::Trim(record.GetParaValue());
            if (!value.empty() && std::find(choices.begin(), choices.end(), value) == choices.end())
                choices.push_back(value);
            std::string items;
            for (const std::string& choice : choices) items += (items.empty() ? "" : "\n") + choice;
            grid.GridSetCellItems(k, 2, items.c_str());
            const auto at = std::find(choices.begin(), choices.end(), value);
            grid.GridSetCellKind(k, 2, ckw::grid::kKindDropDown,
                                 at == choices.end() ? -1L : static_cast<long>(at - choices.begin()));
        } else {
            grid.GridSetCellEditMode(k, 2, 1);
        }
        grid.GridSetCellText(k, 2, record.GetParaValue());
    }
}

bool UserParaDialog::Write() {
    return RunLibraryStep(m_paths.userLibrary, StepMode::Write, [&](dao::Database& db) {
        dao::Recordset rs(db);
        rs.OpenTable(m_table);
        ckw::settings::WriteBackByKey(
            rs, "内容", m_recordsAsRead, m_records,
            [](const CkwUserParaDef_& r) { return std::string(r.GetParaType()); },
            [](const CkwUserParaDef_& r) {
                return FieldValues{{"数值", dao::Variant::Text(r.GetParaValue())}};
            });
    });
}

void UserParaDialog::OnOK() {
    ckw::dlg::GridModel& grid = TheGrid();
    // A value that does not suit its kind keeps the dialog open, naming the item.
    for (short k = 1; k < grid.GridGetRows() && k <= static_cast<int>(m_records.size()); ++k) {
        const CkwUserParaDef_& record = m_records[static_cast<size_t>(k - 1)];
        const CString typed = grid.GridGetCellText(k, 2);
        const std::string why =
            CheckUserParaValue(record.GetParaType(), record.GetParaValKind(), static_cast<const char*>(typed));
        if (!why.empty()) {
            ckw::ui::MessageBox(why);
            return;
        }
    }
    for (short k = 1; k < grid.GridGetRows() && k <= static_cast<int>(m_records.size()); ++k) {
        const std::string item = m_records[static_cast<size_t>(k - 1)].GetParaType();
        WithKey(m_records, item, ItemOf)->SetParaValue(grid.GridGetCellText(k, 2));
    }
    // A failed write keeps the dialog open with the edits (its message has been shown).
    if (!m_tableMissing && !Write()) return;
    m_records.clear();
    m_exDrawingPara.ReadUserParaDef_FromDbLib(m_table.c_str());
    EndDialog(ckw::dlg::IDOK);
}

void UserParaDialog::OnCancel() {
    m_records.clear();
    EndDialog(ckw::dlg::IDCANCEL);
}

void UserParaDialog::OnCommand(int id) {
    if (id != IDC_RELOAD) return;
    Read();
    Fill();
}

}  // namespace ckw::settings
