#include "drawfiles/CopyFloorDialog.h"

#include <cfloat>
#include <cmath>
#include <optional>

#include "base/GbkText.h"
#include "platform/Ui.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::drawfiles {

namespace {

using namespace ckw::res;

std::string NumberText(float value) { return ckw::text::FormatGeneral(value, FLT_DIG); }

std::optional<float> ParseNumber(const std::string& textGbk) {
    const std::optional<double> value = ckw::text::ParseWholeNumber(textGbk);
    if (!value || !std::isfinite(*value) || std::fabs(*value) > FLT_MAX) return std::nullopt;
    return static_cast<float>(*value);
}

}  // namespace

CopyFloorDialog::CopyFloorDialog(std::string sourcePathGbk, std::vector<SourceLayer>& layers, Placement& placement)
    : Dialog(DialogResource(IDD_COPY_FLOOR)),
      m_source(std::move(sourcePathGbk)),
      m_layers(layers),
      m_placement(placement) {}

bool CopyFloorDialog::OnInitDialog() {
    SetWindowText(m_source);
    auto& grid = Grid(IDC_FILE_GRID);
    const short rows = static_cast<short>(m_layers.size() + 1);
    grid.GridSetRows(rows);
    grid.GridSetCols(2);
    const int a = Item(IDC_FILE_GRID).GetRect().Width() - 25;
    grid.GridSetColWidth(0, static_cast<short>(a / 3));
    grid.GridSetColWidth(1, static_cast<short>(a - a / 3));
    grid.GridSetCellText(0, 0, "层号");
    grid.GridSetCellText(0, 1, "层名称");
    grid.GridSetCellReadOnly(0, 0, true);
    grid.GridSetCellReadOnly(0, 1, true);
    for (short r = 1; r < rows; ++r) {
        const SourceLayer& layer = m_layers[static_cast<size_t>(r - 1)];
        grid.GridSetCellText(r, 0, std::to_string(layer.number).c_str());
        grid.GridSetCellType(r, 0, ckw::grid::kTypeCheckNumber);
        grid.GridSetCellCheck(r, 0, layer.copy);
        grid.GridSetCellText(r, 1, layer.name.c_str());
        grid.GridSetCellReadOnly(r, 0, true);
        grid.GridSetCellReadOnly(r, 1, true);
    }
    grid.GridSetRowSelect(true);
    Item(IDC_INSERT_SCALE).SetWindowText(NumberText(m_placement.scale));
    Item(IDC_INSERT_X).SetWindowText(NumberText(m_placement.x));
    Item(IDC_INSERT_Y).SetWindowText(NumberText(m_placement.y));
    return true;
}

bool CopyFloorDialog::Store() {
    const auto scale = ParseNumber(Item(IDC_INSERT_SCALE).GetWindowText());
    const auto x = ParseNumber(Item(IDC_INSERT_X).GetWindowText());
    const auto y = ParseNumber(Item(IDC_INSERT_Y).GetWindowText());
    if (!scale || !x || !y) {
        ckw::ui::MessageBox("请输入一个数字。");
        return false;
    }
    // A scale of 0 would collapse the floor to a point; a negative one turns it over, which a
    // mirrored floor needs.
    if (*scale == 0) {
        ckw::ui::MessageBox("插入比例不能为0！");
        return false;
    }
    auto& grid = Grid(IDC_FILE_GRID);
    for (size_t i = 0; i < m_layers.size(); ++i) m_layers[i].copy = grid.GridGetCellCheck(static_cast<short>(i + 1), 0);
    m_placement = {*scale, *x, *y};
    return true;
}

void CopyFloorDialog::OnOK() {
    if (Store()) EndDialog(ckw::dlg::IDOK);
}

void CopyFloorDialog::OnCommand(int id) {
    if (id == IDC_PICK_POINT && Store()) EndDialog(kPickRequested);
}

}  // namespace ckw::drawfiles
