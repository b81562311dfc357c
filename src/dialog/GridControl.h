#pragma once
// The grid control every settings dialog, table and browser shows its table in, as the library
// sees it: the operations with their dispatch ids, and the events it sends (GridEvents.h).
//
// Data model: rows and columns are 16-bit indexes from 0. Row 0 holds the column captions,
// column 0 the running number of each data row; data row r shows record r-1 of a dialog's list.
// Colours are COLORREF values (0x00BBGGRR). Text is GBK. Setters return a success flag that
// no dialog tests (false: the cell or index does not exist, nothing changed).
#include <ckw/CString.h>

namespace ckw::grid {

// Dispatch ids of the operations. Ids below 300 are those of the control the dialogs were
// written against; 300 and up are ours, for the calls the dialogs make by name only.
enum Dispid : long {
    kSetRows = 14,
    kSetCols = 15,
    kSetFixedRows = 26,
    kSetFixedCols = 27,
    kSetCellText = 29,
    kGetRows = 31,
    kSetColWidth = 37,
    kSetLineColor = 44,
    kSetCellType = 45,
    kSetCellEditMode = 46,
    kSetCellBackColor = 65,
    kSetCellReadOnly = 93,
    kGetCellNumber = 99,
    kSetCellCheck = 113,
    kGetCellCheck = 114,
    kSetCellKind = 115,
    kGetCellText = 118,
    kSetRowSelect = 120,
    kSetCellTextColor = 164,
    kSetUserResize = 167,
    kPutCellText = 240,
    kRefresh = 300,
    kGetCols = 301,
    kGetColWidth = 302,
    kGetRowHeight = 303,
    kSetRowHeight = 304,
    kAddCellLabel = 305,
    kSetCellDiagonal = 306,
    kSetCellItems = 307,
    kGetCellItemIndex = 308,
    kSetRowLevel = 309,
    kGetRowLevel = 310,
    kInsertRow = 311,
    kDeleteRow = 312,
    kGetCellKind = 313,
    kGetCellBackColor = 314,
    kGetCellTextColor = 315,
    kGetCurrentRow = 316,
    kGetCurrentCol = 317,
};

// Cell types (GridSetCellType). 12 (name cells) and 2 (number cells) make check-box cells,
// with the check box beside the cell's text.
enum CellType : long { kTypeText = 0, kTypeCheckNumber = 2, kTypeCheckName = 12 };
inline bool IsCheckType(long type) { return type == kTypeCheckNumber || type == kTypeCheckName; }

// Cell kinds (GridSetCellKind, with an argument).
//  kKindColor     arg -1: a colour cell; the user picks a colour, which becomes the background.
//  kKindDropDown  arg = the selected entry (-1 none): a drop-down list of GridSetCellItems.
//  kKindButton    arg unused: the text with a browse button beside it (GridButtonClicked).
enum CellKind : long { kKindPlain = 0, kKindDropDown = 3, kKindButton = 5, kKindColor = 7 };

inline constexpr long kDefaultLineColor = 0xA8A8A8;
inline constexpr long kWhite = 0xFFFFFF;
inline constexpr long kBlack = 0x000000;
inline constexpr short kDefaultRowHeight = 22;
inline constexpr short kDefaultColWidth = 64;

class GridControl {
public:
    virtual ~GridControl() = default;

    // --- Shape -------------------------------------------------------------------------------
    // Row count including row 0. Rows added are empty; rows removed lose their cells.
    virtual bool GridSetRows(short count) = 0;                  // [14]
    virtual short GridGetRows() = 0;                            // [31]
    virtual bool GridSetCols(short count) = 0;                  // [15]
    virtual short GridGetCols() = 0;                            // [301]
    virtual bool GridSetColWidth(short col, short width) = 0;   // [37] pixels
    virtual short GridGetColWidth(short col) = 0;               // [302]
    virtual long GridGetRowHeight(short row) = 0;               // [303] pixels
    virtual bool GridSetRowHeight(short row, long height) = 0;  // [304]
    // Inserts an empty row before row (row == count appends); rows below move down.
    virtual bool GridInsertRow(short row) = 0;  // [311]
    // Removes row; rows below move up. Row 0 (the captions) cannot be removed.
    virtual bool GridDeleteRow(short row) = 0;  // [312]
    // Two-level rows: level 1 rows head a group, level 2 rows belong to the level 1 row above
    // them. 0 (the default) is an ordinary row. Shown as an indent in column 1.
    virtual bool GridSetRowLevel(short row, short level) = 0;  // [309]
    virtual short GridGetRowLevel(short row) = 0;              // [310]

    // --- Appearance --------------------------------------------------------------------------
    virtual bool GridSetLineColor(long colour) = 0;  // [44]
    // The first count rows (columns) are captions: drawn in the caption style, never edited.
    // Default: 1 row and 1 column (the captions and the running numbers).
    virtual bool GridSetFixedRows(short count) = 0;  // [26]
    virtual bool GridSetFixedCols(short count) = 0;  // [27]
    // true: the current row is highlighted whole.
    virtual bool GridSetRowSelect(bool whole) = 0;  // [120]
    // what 0: column widths, 1: row heights; allow true lets the user drag them.
    virtual bool GridSetUserResize(short what, bool allow) = 0;  // [167]
    // Shows the changes made since the last refresh (a runner shows them anyway after every
    // event; a dialog calls it where it changed the grid outside an event).
    virtual void GridRefresh() = 0;  // [300]

    // --- Cells -------------------------------------------------------------------------------
    virtual bool GridSetCellText(short row, short col, const char* text) = 0;  // [29]
    // As GridSetCellText; allowed from inside an edit event of the same cell.
    virtual bool GridPutCellText(long row, long col, const char* text) = 0;  // [240]
    virtual CString GridGetCellText(short row, short col) = 0;               // [118]
    // The text read as a number (C strtod: leading blanks skipped, garbage gives 0).
    virtual double GridGetCellNumber(short row, short col) = 0;  // [99]
    // 1 makes the cell an edit field, 0 a plain label.
    virtual bool GridSetCellEditMode(short row, short col, long mode) = 0;  // [46]
    // true locks the cell against the user (the dialog may still change it).
    virtual bool GridSetCellReadOnly(short row, short col, bool readOnly) = 0;    // [93]
    virtual bool GridSetCellType(short row, short col, long type) = 0;            // [45]
    virtual bool GridSetCellCheck(short row, short col, bool checked) = 0;        // [113]
    virtual bool GridGetCellCheck(short row, short col) = 0;                      // [114]
    virtual bool GridSetCellKind(short row, short col, long kind, long arg) = 0;  // [115]
    virtual long GridGetCellKind(short row, short col) = 0;                       // [313]
    virtual bool GridSetCellBackColor(short row, short col, long colour) = 0;     // [65]
    virtual long GridGetCellBackColor(short row, short col) = 0;                  // [314]
    virtual bool GridSetCellTextColor(short row, short col, long colour) = 0;     // [164]
    virtual long GridGetCellTextColor(short row, short col) = 0;                  // [315]
    // Entries of a drop-down cell, separated by '\n'; the selection is cleared.
    virtual bool GridSetCellItems(short row, short col, const char* items) = 0;  // [307]
    // Selected entry of a drop-down cell, -1 for none.
    virtual long GridGetCellItemIndex(short row, short col) = 0;  // [308]
    // A caption drawn inside a cell at (x, y) in thousandths of the cell's width and height,
    // counted from its bottom-left corner. Alignment bits say which point of the text lies there:
    // 1 its right edge, 2 its middle across (neither: its left edge); 4 its bottom, 8 its middle
    // up and down (neither: its top). So (50, 50, 4) stands in the bottom-left corner and
    // (950, 950, 1) hangs from the top-right one. A label stays inside its cell; one of the same
    // name is replaced.
    virtual bool GridAddCellLabel(short row, short col, const char* name, const char* text, long x, long y,
                                  long alignment) = 0;  // [305]
    // style 1: a diagonal from the top-left to the bottom-right corner; 0: none.
    virtual bool GridSetCellDiagonal(short row, short col, long style) = 0;  // [306]

    // --- Current cell ------------------------------------------------------------------------
    virtual short GridGetCurrentRow() = 0;  // [316]
    virtual short GridGetCurrentCol() = 0;  // [317]
};

}  // namespace ckw::grid
