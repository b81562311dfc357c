// Dialog templates of the sheet commands: the frame settings and the bar area table.
#include "res/ResourceIds.h"
#include "res/ResourceTables.h"

namespace ckw::res {

using dlg::ControlKind;
using dlg::DialogTemplate;

const std::vector<DialogTemplate>& SheetDialogs() {
    static const std::vector<DialogTemplate> dialogs = {
        {IDD_FRAME_SETTINGS,
         "图框设定",
         380,
         230,
         {{IDC_GRID, ControlKind::Grid, "", {12, 12, 368, 168}},
          {1, ControlKind::DefPushButton, "确认", {188, 186, 268, 212}},
          {2, ControlKind::PushButton, "取消", {288, 186, 368, 212}}}},
        {IDD_BAR_AREA,
         "钢筋面积表mm2",
         700,
         880,
         {{IDC_GRID, ControlKind::Grid, "", {15, 15, 685, 815}},
          {1, ControlKind::DefPushButton, "退出", {310, 830, 390, 856}}}},
    };
    return dialogs;
}

}  // namespace ckw::res
