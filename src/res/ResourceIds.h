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
inline constexpr int IDD_USER_TABLE = 2020;      // "用户表格设计"
inline constexpr int IDD_TABLE_INIT = 2021;      // "数据初始化"
inline constexpr int IDD_TABLE_CELL = 2022;      // "数据"

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

// Controls of the user table dialogs.
inline constexpr int IDC_TABLE_INIT = 2030;
inline constexpr int IDC_TABLE_CELL = 2031;
inline constexpr int IDC_INSERT_TABLE_ROW = 2032;
inline constexpr int IDC_DELETE_TABLE_ROW = 2033;
inline constexpr int IDC_ROW_UP = 2034;
inline constexpr int IDC_ROW_DOWN = 2035;
inline constexpr int IDC_INSERT_TABLE_COL = 2036;
inline constexpr int IDC_DELETE_TABLE_COL = 2037;
inline constexpr int IDC_COL_LEFT = 2038;
inline constexpr int IDC_COL_RIGHT = 2039;
inline constexpr int IDC_MERGE_RIGHT = 2040;
inline constexpr int IDC_MERGE_DOWN = 2041;
inline constexpr int IDC_SPLIT = 2042;
inline constexpr int IDC_OPEN_TDB = 2043;
inline constexpr int IDC_SAVE_TDB = 2044;
inline constexpr int IDC_TEXT_LAYER = 2045;
inline constexpr int IDC_LINE_LAYER = 2046;
inline constexpr int IDC_TABLE_ROWS = 2050;
inline constexpr int IDC_TABLE_COLS = 2051;
inline constexpr int IDC_COL_WIDTH = 2052;
inline constexpr int IDC_ROW_HEIGHT = 2053;
inline constexpr int IDC_CELL_TEXT = 2054;
inline constexpr int IDC_TEXT_HEIGHT = 2055;
inline constexpr int IDC_WIDTH_FACTOR = 2056;
inline constexpr int IDC_ALIGNMENT = 2057;
inline constexpr int IDC_BORDER_FIRST = 2060;  // left, top, right, bottom: 2060-2063
inline constexpr int IDC_HEAVY_FIRST = 2064;   // the same sides heavy: 2064-2067

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
