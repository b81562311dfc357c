#pragma once
// The events the grid control sends to the dialog that holds it. Each carries the grid's control
// id, the row and the column of the cell. Text is GBK.
namespace ckw::grid {

// Dispatch ids of the events.
enum EventDispid : long {
    kEvCellClicked = 1,
    kEvRightClicked = 3,
    kEvCheckChanged = 9,
    kEvCellEdited = 11,
    kEvColorPicked = 13,
    kEvButtonClicked = 301,  // ours: the browse button of a button cell
};

class GridEvents {
public:
    virtual ~GridEvents() = default;
    // [1] a cell became current; button 1 = left, text = the cell's text.
    virtual void GridCellClicked(int /*gridId*/, short /*row*/, short /*col*/, long /*button*/, const char* /*text*/) {}
    // [3] the dialog opens its Edit popup menu at the cursor.
    virtual void GridRightClicked(int /*gridId*/, short /*row*/, short /*col*/, long /*button*/, const char* /*text*/) {
    }
    // [11] an edit was committed (the cell already holds newText); a drop-down entry chosen
    // commits its text the same way.
    virtual void GridCellEdited(int /*gridId*/, short /*row*/, short /*col*/, const char* /*newText*/) {}
    // [9] a check-box cell was toggled; checked is its new state.
    virtual void GridCheckChanged(int /*gridId*/, short /*row*/, short /*col*/, bool /*checked*/,
                                  const char* /*text*/) {}
    // [13] a colour cell took a new colour (COLORREF; already its background).
    virtual void GridColorPicked(int /*gridId*/, short /*row*/, short /*col*/, long /*colour*/) {}
    // [301] the browse button of a button cell was pressed.
    virtual void GridButtonClicked(int /*gridId*/, short /*row*/, short /*col*/) {}
};

}  // namespace ckw::grid
