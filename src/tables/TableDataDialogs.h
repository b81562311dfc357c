#pragma once
// The designer's two small dialogs: "数据初始化" (size of a new table) and "数据" (the
// attributes of one cell). Both check what was typed and say what is wrong before they close.
#include <string>

#include "dialog/Dialog.h"

namespace ckw::tables {

struct NewTableSize {
    int rows = 5;
    int cols = 4;
    double colWidth = 20;  // mm of paper
    double rowHeight = 8;
};

class TableInitDialog : public ckw::dlg::Dialog {
public:
    explicit TableInitDialog(const NewTableSize& size);
    bool OnInitDialog() override;
    void OnOK() override;
    // As confirmed (as given until then).
    const NewTableSize& Size() const { return m_size; }

private:
    NewTableSize m_size;
};

// What "数据" edits of a cell (of a merged cell: of its first cell, column and row).
struct CellData {
    std::string text;         // GBK, one line
    double textHeight = 3.5;  // mm of paper
    double widthFactor = 0.7;
    int alignment = 5;  // keypad position, 1 top-left ... 9 bottom-right
    int borders = 15;
    int heavyBorders = 0;
    double colWidth = 20;
    double rowHeight = 8;
};

class TableCellDialog : public ckw::dlg::Dialog {
public:
    explicit TableCellDialog(const CellData& data);
    bool OnInitDialog() override;
    void OnOK() override;
    const CellData& Data() const { return m_data; }

private:
    CellData m_data;
};

}  // namespace ckw::tables
