#pragma once
// Resource ids of the library's dialogs: dialog templates, popup menus, controls and menu
// commands. The templates themselves are in the *Resources.cpp files beside it.
namespace ckw::res {

// Dialog templates.
inline constexpr int IDD_LINETYPE = 2003;        // "线型设置"
inline constexpr int IDD_LAYER = 2005;           // "图层设置"
inline constexpr int IDD_TEXT = 2006;            // "标注设置"
inline constexpr int IDD_USERPARA = 2010;        // "绘图参数设置"
inline constexpr int IDD_TWO_CHOICE = 2012;      // "KELO绘图参数"
inline constexpr int IDD_FRAME_SETTINGS = 1009;  // "图框设定"
inline constexpr int IDD_BAR_AREA = 2013;        // "钢筋面积表mm2"
inline constexpr int IDD_COPY_FLOOR = 1011;      // "拷贝他层"
inline constexpr int IDD_OLD_DRAWING = 1013;     // "请选择要打开的旧图"
inline constexpr int IDD_USER_TABLE = 2020;      // "用户表格设计"
inline constexpr int IDD_TABLE_INIT = 2021;      // "数据初始化"
inline constexpr int IDD_TABLE_CELL = 2022;      // "数据"
inline constexpr int IDD_XDATA_INPUT = 1015;     // "INPUT XDATA"
inline constexpr int IDD_XDATA_MANAGE = 1016;    // "XDATA MANAGE", modeless
inline constexpr int IDD_SAME_ENTITY = 2008;     // "同类实体编辑器", modeless

// Popup menus.
inline constexpr int IDR_LAYER_MENU = 1012;
inline constexpr int IDR_LINETYPE_MENU = 1013;

// Controls.
inline constexpr int IDC_GRID = 2000;
inline constexpr int IDC_HELP = 2001;
inline constexpr int IDC_ADD_ROW = 2002;
inline constexpr int IDC_DELETE_ROW = 2003;   // line-type dialog
inline constexpr int IDC_RELOAD = 2003;       // "初始化" of the text and user-parameter dialogs
inline constexpr int IDC_INIT_SYSTEM = 2011;  // "初始化系统设置..." of the layer dialog
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
// Extended-data input dialog.
inline constexpr int IDC_XDATA_INT = 1006;
inline constexpr int IDC_XDATA_REAL = 1007;
inline constexpr int IDC_XDATA_STRING = 1008;
inline constexpr int IDC_XDATA_NAME = 1009;
inline constexpr int IDC_XDATA_INT_LABEL = 1106;
inline constexpr int IDC_XDATA_REAL_LABEL = 1107;
inline constexpr int IDC_XDATA_STRING_LABEL = 1108;
inline constexpr int IDC_XDATA_NAME_LABEL = 1109;
// Extended-data management window (its grid is IDC_GRID).
inline constexpr int IDC_XDATA_SET_ENTITY = 1020;
inline constexpr int IDC_XDATA_ADD_APP = 1021;
inline constexpr int IDC_XDATA_ADD_ITEM = 1022;
inline constexpr int IDC_XDATA_DELETE = 1023;
inline constexpr int IDC_XDATA_SET_NEW = 1024;
inline constexpr int IDC_XDATA_CLOSE_NEW = 1025;
inline constexpr int IDC_XDATA_SET_DB = 1026;
inline constexpr int IDC_XDATA_GET_DB = 1027;
inline constexpr int IDC_XDATA_APPEND_NEW = 1029;
// Width of the management window's button column (the grid keeps 33 pixels from it).
inline constexpr int kXDataButtonColumn = 120;
// Same-entity editor.
inline constexpr int IDC_SAME_GRID = 2007;
inline constexpr int IDC_SAME_APPLY = 2008;
inline constexpr int IDC_SAME_DELETE = 2009;

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
