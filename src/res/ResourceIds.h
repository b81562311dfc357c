#pragma once
// Resource ids of the settings dialogs: dialog templates, popup menus, controls and menu
// commands. The templates themselves are in SettingsResources.cpp.
namespace ckw::res {

// Dialog templates.
inline constexpr int IDD_LINETYPE = 2003;   // "线型设置"
inline constexpr int IDD_LAYER = 2005;      // "图层设置"
inline constexpr int IDD_TEXT = 2006;       // "标注设置"
inline constexpr int IDD_USERPARA = 2010;   // "绘图参数设置"
inline constexpr int IDD_TWO_CHOICE = 2012; // "KELO绘图参数"
inline constexpr int IDD_FRAME_SETTINGS = 1009;  // "图框设定"
inline constexpr int IDD_BAR_AREA = 2013;        // "钢筋面积表mm2"
inline constexpr int IDD_COPY_FLOOR = 1011;      // "拷贝他层"
inline constexpr int IDD_OLD_DRAWING = 1013;     // "请选择要打开的旧图"

// Popup menus.
inline constexpr int IDR_LAYER_MENU = 1012;
inline constexpr int IDR_LINETYPE_MENU = 1013;

// Controls.
inline constexpr int IDC_GRID = 2000;
inline constexpr int IDC_HELP = 2001;
inline constexpr int IDC_ADD_ROW = 2002;
inline constexpr int IDC_DELETE_ROW = 2003;    // line-type dialog
inline constexpr int IDC_RELOAD = 2003;        // "初始化" of the text and user-parameter dialogs
inline constexpr int IDC_INIT_SYSTEM = 2011;   // "初始化系统设置..." of the layer dialog
inline constexpr int IDC_TAB = 1208;
inline constexpr int IDC_CHOICE_FIRST = 2009;
inline constexpr int IDC_CHOICE_SECOND = 2010;
inline constexpr int IDC_CHOICE_GROUP = 2012;
// The drawing-file dialogs.
inline constexpr int IDC_FILE_GRID = 1005;
inline constexpr int IDC_SEARCH_PATH = 2004;
inline constexpr int IDC_INSERT_X = 1013;
inline constexpr int IDC_INSERT_Y = 1016;
inline constexpr int IDC_PICK_POINT = 1017;
inline constexpr int IDC_INSERT_SCALE = 1018;
inline constexpr int IDC_INSERT_X_LABEL = 1019;
inline constexpr int IDC_INSERT_Y_LABEL = 1020;
inline constexpr int IDC_INSERT_SCALE_LABEL = 1021;

// Menu commands.
inline constexpr int ID_DELETE_ROW = 32771;
inline constexpr int ID_ADD_ROW = 32772;
inline constexpr int ID_EXPORT_TXT = 32773;
inline constexpr int ID_IMPORT_TXT = 32774;
inline constexpr int ID_IMPORT_LIN = 32775;
inline constexpr int ID_LOAD_ACCESS = 32780;
inline constexpr int ID_SAVE_ACCESS = 32781;
inline constexpr int ID_DATA_INIT = 32782;
inline constexpr int ID_EDIT_ACCESS = 32783;

}  // namespace ckw::res
