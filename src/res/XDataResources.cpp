// Dialog templates of the extended-data commands: the input dialog of kwXData_Add, the
// management window of kwXData_Manage and the same-entity editor.
#include "res/ResourceIds.h"
#include "res/ResourceTables.h"

namespace ckw::res {

using dlg::ControlKind;
using dlg::DialogTemplate;

const std::vector<DialogTemplate>& XDataDialogs() {
    constexpr int kManageW = 640, kManageH = 420;
    constexpr int kColumnLeft = kManageW - kXDataButtonColumn - 13;
    constexpr int kColumnRight = kColumnLeft + kXDataButtonColumn;
    auto button = [](int id, const char* caption, int row) {
        const int top = 12 + row * 36;
        return dlg::ControlTemplate{id, ControlKind::PushButton, caption, {kColumnLeft, top, kColumnRight, top + 28}};
    };
    static const std::vector<DialogTemplate> dialogs = {
        {IDD_XDATA_INPUT,
         "INPUT XDATA",
         340,
         210,
         {{IDC_XDATA_NAME_LABEL, ControlKind::Label, "应用程序名:", {15, 18, 115, 40}},
          {IDC_XDATA_NAME, ControlKind::Edit, "", {120, 15, 325, 41}},
          {IDC_XDATA_INT_LABEL, ControlKind::Label, "int data:", {15, 54, 115, 76}},
          {IDC_XDATA_INT, ControlKind::Edit, "", {120, 51, 325, 77}},
          {IDC_XDATA_REAL_LABEL, ControlKind::Label, "real data:", {15, 90, 115, 112}},
          {IDC_XDATA_REAL, ControlKind::Edit, "", {120, 87, 325, 113}},
          {IDC_XDATA_STRING_LABEL, ControlKind::Label, "string data:", {15, 126, 115, 148}},
          {IDC_XDATA_STRING, ControlKind::Edit, "", {120, 123, 325, 149}},
          {1, ControlKind::DefPushButton, "OK", {140, 170, 220, 196}},
          {2, ControlKind::PushButton, "Cancel", {245, 170, 325, 196}}}},
        {IDD_XDATA_MANAGE,
         "XDATA MANAGE",
         kManageW,
         kManageH,
         {{IDC_GRID, ControlKind::Grid, "", {12, 12, kManageW - kXDataButtonColumn - 33, kManageH - 22}},
          button(IDC_XDATA_ADD_APP, "增加应用程序名", 0),
          button(IDC_XDATA_ADD_ITEM, "增加子项", 1),
          button(IDC_XDATA_DELETE, "删除", 2),
          button(IDC_XDATA_SET_NEW, "Set New Xdata", 3),
          button(IDC_XDATA_APPEND_NEW, "Append Xdata", 4),
          button(IDC_XDATA_CLOSE_NEW, "Close New Xdata", 5),
          button(IDC_XDATA_SET_ENTITY, "修改实体Xdata", 6),
          button(IDC_XDATA_SET_DB, "Set DbData", 7),
          button(IDC_XDATA_GET_DB, "XGet DbData", 8)}},
        {IDD_SAME_ENTITY,
         "同类实体编辑器",
         320,
         260,
         {{IDC_SAME_GRID, ControlKind::Grid, "", {12, 12, 308, 200}},
          {IDC_SAME_APPLY, ControlKind::PushButton, "修改...", {60, 218, 150, 246}},
          {IDC_SAME_DELETE, ControlKind::PushButton, "删除...", {170, 218, 260, 246}}}},
    };
    return dialogs;
}

}  // namespace ckw::res
