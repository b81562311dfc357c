#include "sheet/FrameSettingsDialog.h"

#include <string>
#include <vector>

#include <ckw/Util.h>
#include "dialog/DialogRunner.h"
#include "sheet/FrameSettingsForm.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::geom {

namespace {

constexpr int kRows = 6;
constexpr int kFileRow = 5;
constexpr long kLineColour = 0xA8A8A8;

std::string JoinItems(const std::vector<std::string>& items) {
    std::string joined;
    for (const auto& item : items) joined += (joined.empty() ? "" : "\n") + item;
    return joined;
}

}  // namespace

FrameSettingsDialog::FrameSettingsDialog(const FrameSettings& settings)
    : Dialog(ckw::res::DialogResource(ckw::res::IDD_FRAME_SETTINGS)), m_settings(settings) {}

bool FrameSettingsDialog::OnInitDialog() {
    auto& grid = Grid(ckw::res::IDC_GRID);
    grid.GridSetRows(kRows);
    grid.GridSetCols(2);
    grid.GridSetFixedRows(0);
    grid.GridSetFixedCols(1);
    grid.GridSetLineColor(kLineColour);
    grid.GridSetColWidth(0, kFrameSettingsLabelWidth);
    const int gridWidth = Item(ckw::res::IDC_GRID).GetRect().Width();
    grid.GridSetColWidth(1, static_cast<short>(gridWidth - kFrameSettingsLabelWidth - 4));
    const auto rows = FrameSettingsRows(m_settings);
    for (short r = 0; r < kRows; ++r) {
        const auto& row = rows[r];
        grid.GridSetCellText(r, 0, row.label);
        if (row.editor == FrameSettingsRow::Editor::DropDown) {
            grid.GridSetCellItems(r, 1, JoinItems(row.items).c_str());
            long index = -1;
            for (size_t i = 0; i < row.items.size(); ++i)
                if (row.items[i] == row.value) index = static_cast<long>(i);
            grid.GridSetCellKind(r, 1, ckw::grid::kKindDropDown, index);
        } else {
            grid.GridSetCellEditMode(r, 1, 1);
            if (row.editor == FrameSettingsRow::Editor::FileBrowse)
                grid.GridSetCellKind(r, 1, ckw::grid::kKindButton, 0);
        }
        grid.GridSetCellText(r, 1, row.value.c_str());
    }
    return true;
}

void FrameSettingsDialog::OnOK() {
    auto& grid = Grid(ckw::res::IDC_GRID);
    std::vector<std::string> values;
    for (short r = 0; r < kRows; ++r) values.push_back(grid.GridGetCellText(r, 1).str());
    m_settings = FrameSettingsFromValues(values, m_settings);
    EndDialog(ckw::dlg::IDOK);
}

void FrameSettingsDialog::GridButtonClicked(int, short row, short) {
    if (row != kFileRow) return;
    ckw::dlg::FileDialogRequest request;
    request.filter = kTitleBlockFilter;
    request.title = kTitleBlockDialogTitle;
    char dir[260] = {};
    CUtil::GetKeloCfgPath(dir);
    request.initialDir = dir;
    auto chosen = FileDialog(request);
    if (!chosen || chosen->empty()) return;
    m_settings.titlePath = *chosen;
    m_settings.titleFile = TitleBlockName(*chosen);
    Grid(ckw::res::IDC_GRID).GridSetCellText(kFileRow, 1, m_settings.titleFile.c_str());
}

}  // namespace ckw::geom
