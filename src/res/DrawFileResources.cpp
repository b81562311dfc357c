// Dialog templates of the drawing-file commands: the old-drawing browser and copy other floor.
#include "res/ResourceIds.h"
#include "res/ResourceTables.h"

namespace ckw::res {

using dlg::ControlKind;
using dlg::DialogTemplate;

const std::vector<DialogTemplate>& DrawFileDialogs() {
    static const std::vector<DialogTemplate> dialogs = {
        {IDD_OLD_DRAWING,
         "请选择要打开的旧图",
         560,
         400,
         {{IDC_SEARCH_PATH, ControlKind::Label, "当前搜索路径:", {15, 12, 545, 32}},
          {IDC_FILE_GRID, ControlKind::Grid, "", {15, 38, 545, 344}},
          {1, ControlKind::DefPushButton, "确认", {360, 360, 440, 386}},
          {2, ControlKind::PushButton, "取消", {465, 360, 545, 386}}}},
        {IDD_COPY_FLOOR,
         "拷贝他层",
         420,
         420,
         {{IDC_FILE_GRID, ControlKind::Grid, "", {15, 15, 405, 300}},
          {IDC_INSERT_SCALE_LABEL, ControlKind::Label, "插入比例", {15, 318, 85, 340}},
          {IDC_INSERT_SCALE, ControlKind::Edit, "", {90, 316, 190, 340}},
          {IDC_INSERT_X_LABEL, ControlKind::Label, "X:", {15, 352, 35, 374}},
          {IDC_INSERT_X, ControlKind::Edit, "", {40, 350, 160, 374}},
          {IDC_INSERT_Y_LABEL, ControlKind::Label, "Y:", {175, 352, 195, 374}},
          {IDC_INSERT_Y, ControlKind::Edit, "", {200, 350, 320, 374}},
          {IDC_PICK_POINT, ControlKind::PushButton, "拾取...", {325, 350, 405, 374}},
          {1, ControlKind::DefPushButton, "确认", {220, 386, 300, 412}},
          {2, ControlKind::PushButton, "取消", {325, 386, 405, 412}}}},
    };
    return dialogs;
}

}  // namespace ckw::res
