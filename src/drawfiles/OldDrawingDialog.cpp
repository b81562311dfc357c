#include "drawfiles/OldDrawingDialog.h"

#include <ckw/CString.h>
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::drawfiles {

namespace {
constexpr short kColumns = 4;
constexpr const char* kCaptions[kColumns] = {"图名", "层号", "修改时间", "比例"};
}  // namespace

OldDrawingDialog::OldDrawingDialog(std::string folderGbk, const std::vector<OldDrawing>& candidates)
    : Dialog(ckw::res::DialogResource(ckw::res::IDD_OLD_DRAWING)),
      m_folder(std::move(folderGbk)),
      m_candidates(candidates) {}

bool OldDrawingDialog::OnInitDialog() {
    CString label;
    label.Format("当前搜索路径: %s", m_folder.c_str());
    Item(ckw::res::IDC_SEARCH_PATH).SetWindowText(label.str());

    auto& grid = Grid(ckw::res::IDC_FILE_GRID);
    const short rows = static_cast<short>(m_candidates.size() + 1);
    grid.GridSetRows(rows);
    grid.GridSetCols(kColumns);
    grid.GridSetFixedRows(1);
    grid.GridSetFixedCols(0);
    const int b = Item(ckw::res::IDC_FILE_GRID).GetRect().Width() - 25;
    const short narrow = static_cast<short>(b / 6), wide = static_cast<short>((b - 2 * (b / 6)) / 2);
    for (short c = 0; c < kColumns; ++c) {
        grid.GridSetColWidth(c, c % 2 == 0 ? wide : narrow);
        grid.GridSetCellText(0, c, kCaptions[c]);
        grid.GridSetCellEditMode(0, c, 0);
    }
    for (short r = 1; r < rows; ++r) {
        const OldDrawing& candidate = m_candidates[static_cast<size_t>(r - 1)];
        grid.GridSetCellType(r, 0, ckw::grid::kTypeCheckName);
        grid.GridSetCellEditMode(r, 0, 1);
        grid.GridPutCellText(r, 0, candidate.shownName.c_str());
        grid.GridSetCellText(r, 1, std::to_string(candidate.floor).c_str());
        grid.GridSetCellText(r, 2, WrittenText(candidate.written).c_str());
        grid.GridSetCellText(r, 3, std::to_string(candidate.scale).c_str());
        for (short c = 1; c < kColumns; ++c) grid.GridSetCellEditMode(r, c, 0);
    }
    for (short r = 0; r < rows; ++r)
        for (short c = 0; c < kColumns; ++c) grid.GridSetCellReadOnly(r, c, true);
    return true;
}

void OldDrawingDialog::GridCheckChanged(int, short row, short, bool checked, const char*) {
    if (!checked) return;
    auto& grid = Grid(ckw::res::IDC_FILE_GRID);
    for (short r = 1; r < grid.GridGetRows(); ++r)
        if (r != row && grid.GridGetCellCheck(r, 0)) grid.GridSetCellCheck(r, 0, false);
}

void OldDrawingDialog::OnOK() {
    auto& grid = Grid(ckw::res::IDC_FILE_GRID);
    m_picked.reset();
    for (short r = 1; r < grid.GridGetRows(); ++r)
        if (grid.GridGetCellCheck(r, 0)) m_picked = static_cast<size_t>(r - 1);
    EndDialog(ckw::dlg::IDOK);
}

}  // namespace ckw::drawfiles
