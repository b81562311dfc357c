// Dialog templates of the user table designer: the designer, table initialisation and the
// attributes of a cell.
#include <utility>

#include "res/ResourceIds.h"
#include "res/ResourceTables.h"

namespace ckw::res {

using dlg::ControlKind;
using dlg::ControlTemplate;
using dlg::DialogTemplate;

namespace {

// The designer's buttons, one below the other on the right of the grid.
std::vector<ControlTemplate> DesignerControls() {
    std::vector<ControlTemplate> controls = {{IDC_GRID, ControlKind::Grid, "", {12, 12, 740, 520}}};
    const std::pair<int, const char*> buttons[] = {
        {IDC_TABLE_INIT, "数据初始化"},   {IDC_TABLE_CELL, "数据"},         {IDC_INSERT_TABLE_ROW, "插入行"},
        {IDC_DELETE_TABLE_ROW, "删除行"}, {IDC_ROW_UP, "行上移"},           {IDC_ROW_DOWN, "行下移"},
        {IDC_INSERT_TABLE_COL, "插入列"}, {IDC_DELETE_TABLE_COL, "删除列"}, {IDC_COL_LEFT, "列左移"},
        {IDC_COL_RIGHT, "列右移"},        {IDC_MERGE_RIGHT, "向右合并"},    {IDC_MERGE_DOWN, "向下合并"},
        {IDC_SPLIT, "取消合并"},          {IDC_OPEN_TDB, "打开..."},        {IDC_SAVE_TDB, "另存为..."},
    };
    int top = 12;
    for (auto [id, caption] : buttons) {
        controls.push_back({id, ControlKind::PushButton, caption, {756, top, 888, top + 26}});
        top += 32;
    }
    controls.push_back({0, ControlKind::Label, "文字图层", {12, 544, 80, 566}});
    controls.push_back({IDC_TEXT_LAYER, ControlKind::ComboBox, "", {84, 540, 260, 566}});
    controls.push_back({0, ControlKind::Label, "表格线图层", {276, 544, 360, 566}});
    controls.push_back({IDC_LINE_LAYER, ControlKind::ComboBox, "", {364, 540, 540, 566}});
    controls.push_back({1, ControlKind::DefPushButton, "确认", {680, 540, 760, 566}});
    controls.push_back({2, ControlKind::PushButton, "取消", {790, 540, 870, 566}});
    // Labels have no id of their own; give each one that no control uses.
    int labelId = 2070;
    for (auto& control : controls)
        if (control.kind == ControlKind::Label) control.id = labelId++;
    return controls;
}

}  // namespace

const std::vector<DialogTemplate>& TableDialogs() {
    static const std::vector<DialogTemplate> dialogs = {
        {IDD_USER_TABLE, "用户表格设计", 900, 590, DesignerControls()},
        {IDD_TABLE_INIT,
         "数据初始化",
         300,
         225,
         {{2080, ControlKind::Label, "行数", {20, 20, 110, 42}},
          {IDC_TABLE_ROWS, ControlKind::Edit, "", {120, 17, 280, 43}},
          {2081, ControlKind::Label, "列数", {20, 55, 110, 77}},
          {IDC_TABLE_COLS, ControlKind::Edit, "", {120, 52, 280, 78}},
          {2082, ControlKind::Label, "列宽(mm)", {20, 90, 110, 112}},
          {IDC_COL_WIDTH, ControlKind::Edit, "", {120, 87, 280, 113}},
          {2083, ControlKind::Label, "行高(mm)", {20, 125, 110, 147}},
          {IDC_ROW_HEIGHT, ControlKind::Edit, "", {120, 122, 280, 148}},
          {1, ControlKind::DefPushButton, "确认", {100, 178, 180, 204}},
          {2, ControlKind::PushButton, "取消", {200, 178, 280, 204}}}},
        {IDD_TABLE_CELL,
         "数据",
         420,
         320,
         {{2084, ControlKind::Label, "文字", {15, 18, 95, 40}},
          {IDC_CELL_TEXT, ControlKind::Edit, "", {100, 15, 405, 41}},
          {2085, ControlKind::Label, "字高(mm)", {15, 53, 95, 75}},
          {IDC_TEXT_HEIGHT, ControlKind::Edit, "", {100, 50, 190, 76}},
          {2086, ControlKind::Label, "宽度系数", {215, 53, 295, 75}},
          {IDC_WIDTH_FACTOR, ControlKind::Edit, "", {300, 50, 405, 76}},
          {2087, ControlKind::Label, "对齐", {15, 88, 95, 110}},
          {IDC_ALIGNMENT, ControlKind::ComboBox, "", {100, 85, 190, 111}},
          {2088, ControlKind::Label, "列宽(mm)", {15, 123, 95, 145}},
          {IDC_COL_WIDTH, ControlKind::Edit, "", {100, 120, 190, 146}},
          {2089, ControlKind::Label, "行高(mm)", {215, 123, 295, 145}},
          {IDC_ROW_HEIGHT, ControlKind::Edit, "", {300, 120, 405, 146}},
          {2090, ControlKind::GroupBox, "边线", {15, 156, 405, 254}},
          {IDC_BORDER_FIRST, ControlKind::CheckBox, "左边线", {30, 180, 118, 202}},
          {IDC_BORDER_FIRST + 1, ControlKind::CheckBox, "上边线", {122, 180, 210, 202}},
          {IDC_BORDER_FIRST + 2, ControlKind::CheckBox, "右边线", {214, 180, 302, 202}},
          {IDC_BORDER_FIRST + 3, ControlKind::CheckBox, "下边线", {306, 180, 394, 202}},
          {IDC_HEAVY_FIRST, ControlKind::CheckBox, "左粗线", {30, 216, 118, 238}},
          {IDC_HEAVY_FIRST + 1, ControlKind::CheckBox, "上粗线", {122, 216, 210, 238}},
          {IDC_HEAVY_FIRST + 2, ControlKind::CheckBox, "右粗线", {214, 216, 302, 238}},
          {IDC_HEAVY_FIRST + 3, ControlKind::CheckBox, "下粗线", {306, 216, 394, 238}},
          {1, ControlKind::DefPushButton, "确认", {220, 274, 300, 300}},
          {2, ControlKind::PushButton, "取消", {320, 274, 400, 300}}}},
    };
    return dialogs;
}

}  // namespace ckw::res
