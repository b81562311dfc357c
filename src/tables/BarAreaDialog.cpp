#include "tables/BarAreaDialog.h"

#include <ckw/SheetCommands.h>
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::tables {

namespace {
constexpr long kCornerGrey = 12632256;  // 0xC0C0C0
constexpr int kExitButton = ckw::dlg::IDOK;
}  // namespace

BarAreaDialog::BarAreaDialog(int mode) : Dialog(ckw::res::DialogResource(ckw::res::IDD_BAR_AREA)), m_table(mode) {}

bool BarAreaDialog::OnInitDialog() {
    SetWindowText(m_table.Caption());
    auto& grid = Grid(ckw::res::IDC_GRID);
    grid.GridSetRows(static_cast<short>(m_table.Rows()));
    grid.GridSetCols(static_cast<short>(m_table.Cols()));
    grid.GridSetRowHeight(0, 2 * grid.GridGetRowHeight(1));
    grid.GridSetCellBackColor(0, 0, kCornerGrey);
    grid.GridSetCellDiagonal(0, 0, 1);
    grid.GridAddCellLabel(0, 0, "A101", m_table.RowLabel(), 50, 50, 4);
    grid.GridAddCellLabel(0, 0, "A102", m_table.ColumnLabel(), 950, 950, 1);
    for (short r = 0; r < m_table.Rows(); ++r)
        for (short c = 0; c < m_table.Cols(); ++c) {
            if (r == 0 && c == 0) continue;
            grid.GridSetCellText(r, c, m_table.Cell(r, c).c_str());
            grid.GridSetCellReadOnly(r, c, true);
        }
    const short width = static_cast<short>((Item(ckw::res::IDC_GRID).GetRect().Width() - 25) / 10);
    for (short c = 0; c < m_table.Cols(); ++c) grid.GridSetColWidth(c, width);
    if (m_table.ShortWindow()) Shorten();
    return true;
}

// The slab table has few rows: a shorter window, the button centred near its bottom and the grid
// stretched down to it.
void BarAreaDialog::Shorten() {
    const int width = Width(), height = Height() * 7 / 10;
    if (!UserResize(width, height).ok()) return;
    auto& button = Item(kExitButton);
    const int w = button.GetRect().Width(), h = button.GetRect().Height();
    const int left = (width - w) / 2, bottom = height - 35;
    button.MoveWindow({left, bottom - h, left + w, bottom});
    Item(ckw::res::IDC_GRID).MoveWindow({15, 15, width - 15, bottom - h - 20});
}

}  // namespace ckw::tables

extern "C" void exBarArea(int mode) {
    ckw::tables::BarAreaDialog dialog(mode);
    dialog.DoModal();
}
