// Dialog templates and popup menus of the settings dialogs (line types, layers, text and
// dimension sizes, user parameters, the two-choice dialog). Sizes in pixels; the dialogs lay
// their controls out again when they open and on every resize.
#include "res/ResourceTables.h"
#include "res/ResourceIds.h"

namespace ckw::res {

using dlg::ControlKind;
using dlg::DialogTemplate;
using dlg::MenuTemplate;

namespace {
constexpr int kButtonW = 80;
constexpr int kButtonH = 26;
}  // namespace

const std::vector<DialogTemplate>& SettingsDialogs() {
    static const std::vector<DialogTemplate> dialogs = {
        {IDD_LINETYPE,
         "线型设置",
         680,
         440,
         {{IDC_GRID, ControlKind::Grid, "", {15, 15, 655, 354}},
          {IDC_ADD_ROW, ControlKind::PushButton, "增加表行", {15, 374, 15 + kButtonW, 400}},
          {IDC_DELETE_ROW, ControlKind::PushButton, "删除表行", {135, 374, 135 + kButtonW, 400}},
          {1, ControlKind::DefPushButton, "确认", {362, 374, 362 + kButtonW, 400}},
          {2, ControlKind::PushButton, "取消", {468, 374, 468 + kButtonW, 400}},
          {IDC_HELP, ControlKind::PushButton, "帮助(&H)", {575, 374, 575 + kButtonW, 400}}}},
        {IDD_LAYER,
         "图层设置",
         760,
         480,
         {{IDC_GRID, ControlKind::Grid, "", {15, 15, 735, 394}},
          {IDC_INIT_SYSTEM, ControlKind::PushButton, "初始化系统设置...", {25, 414, 165, 440}},
          {1, ControlKind::DefPushButton, "确认", {442, 414, 442 + kButtonW, 440}},
          {2, ControlKind::PushButton, "取消", {548, 414, 548 + kButtonW, 440}},
          {IDC_HELP, ControlKind::PushButton, "帮助(&H)", {655, 414, 655 + kButtonW, 440}}}},
        {IDD_TEXT,
         "标注设置",
         460,
         440,
         {{IDC_TAB, ControlKind::Tab, "", {12, 10, 448, 36}},
          {IDC_GRID, ControlKind::Grid, "", {12, 40, 448, 380}},
          {IDC_RELOAD, ControlKind::PushButton, "初始化", {12, 396, 12 + kButtonW, 422}},
          {1, ControlKind::DefPushButton, "确认", {262, 396, 262 + kButtonW, 422}},
          {2, ControlKind::PushButton, "取消", {356, 396, 356 + kButtonW, 422}}}},
        {IDD_USERPARA,
         "绘图参数设置",
         460,
         440,
         {{IDC_GRID, ControlKind::Grid, "", {12, 15, 448, 380}},
          {IDC_RELOAD, ControlKind::PushButton, "初始化", {12, 396, 12 + kButtonW, 422}},
          {1, ControlKind::DefPushButton, "确认", {262, 396, 262 + kButtonW, 422}},
          {2, ControlKind::PushButton, "取消", {356, 396, 356 + kButtonW, 422}}}},
        {IDD_TWO_CHOICE,
         "KELO绘图参数",
         300,
         170,
         {{IDC_CHOICE_GROUP, ControlKind::GroupBox, "选择施工图形式", {15, 12, 285, 108}},
          {IDC_CHOICE_FIRST, ControlKind::RadioButton, "05版格式", {35, 38, 265, 62}},
          {IDC_CHOICE_SECOND, ControlKind::RadioButton, "08版格式", {35, 70, 265, 94}},
          {1, ControlKind::DefPushButton, "确认", {105, 124, 105 + kButtonW, 124 + kButtonH}},
          {2, ControlKind::PushButton, "取消", {200, 124, 200 + kButtonW, 124 + kButtonH}}}},
    };
    return dialogs;
}

const std::vector<MenuTemplate>& SettingsMenus() {
    static const std::vector<MenuTemplate> menus = {
        {IDR_LINETYPE_MENU,
         "编辑",
         {{ID_DELETE_ROW, "删除表行"},
          {ID_ADD_ROW, "增加表行"},
          {0, ""},
          {ID_LOAD_ACCESS, "导入Access数据"},
          {ID_SAVE_ACCESS, "保存到Access"},
          {ID_EDIT_ACCESS, "Access修改"},
          {ID_DATA_INIT, "数据初始化"},
          {ID_IMPORT_LIN, "导入AutoCad线型"}}},
        {IDR_LAYER_MENU,
         "编辑",
         {{ID_LOAD_ACCESS, "导入Access数据"},
          {ID_SAVE_ACCESS, "保存到Access"},
          {ID_EDIT_ACCESS, "Access修改"},
          {ID_DATA_INIT, "数据初始化"},
          {0, ""},
          {ID_EXPORT_TXT, "数据导出->TXT"},
          {ID_IMPORT_TXT, "数据导入TXT->LIB"}}},
    };
    return menus;
}

}  // namespace ckw::res
