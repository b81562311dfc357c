#include "tables/TableDataDialogs.h"

#include <charconv>
#include <cmath>
#include <string>

#include "base/GbkText.h"

#include "platform/Ui.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "tables/UserTable.h"

namespace ckw::tables {

namespace {

namespace res = ckw::res;

// Positions of the alignment list, in keypad order.
constexpr const char* kAlignments[] = {"左上", "中上", "右上", "左中", "居中", "右中", "左下", "中下", "右下"};

std::string Decimal(double value, int digits) { return ckw::text::FormatFixed(value, digits); }

// The number typed into an edit field, within [low, high]; otherwise a message naming the field
// and false.
bool ReadNumber(ckw::dlg::Dialog& dlg, int id, const char* name, double low, double high, double& value) {
    const std::optional<double> typed = ckw::text::ParseWholeNumber(dlg.Item(id).GetWindowText());
    if (!typed || !(*typed >= low && *typed <= high)) {
        const std::string message = std::string(name) + "应是" + ckw::text::FormatGeneral(low, 6) + "到" +
                                    ckw::text::FormatGeneral(high, 6) + "之间的数";
        ckw::ui::MessageBox(message.c_str());
        return false;
    }
    value = *typed;
    return true;
}

bool ReadCount(ckw::dlg::Dialog& dlg, int id, const char* name, int high, int& value) {
    double typed = 0;
    if (!ReadNumber(dlg, id, name, 1, high, typed)) return false;
    if (typed != std::floor(typed)) {
        ckw::ui::MessageBox(std::string(name) + "应是整数");
        return false;
    }
    value = static_cast<int>(typed);
    return true;
}

}  // namespace

TableInitDialog::TableInitDialog(const NewTableSize& size)
    : Dialog(res::DialogResource(res::IDD_TABLE_INIT)), m_size(size) {}

bool TableInitDialog::OnInitDialog() {
    Item(res::IDC_TABLE_ROWS).SetWindowText(std::to_string(m_size.rows));
    Item(res::IDC_TABLE_COLS).SetWindowText(std::to_string(m_size.cols));
    Item(res::IDC_COL_WIDTH).SetWindowText(Decimal(m_size.colWidth, 2));
    Item(res::IDC_ROW_HEIGHT).SetWindowText(Decimal(m_size.rowHeight, 2));
    return true;
}

void TableInitDialog::OnOK() {
    NewTableSize size;
    if (ReadCount(*this, res::IDC_TABLE_ROWS, "行数", kMaxTableRows, size.rows) &&
        ReadCount(*this, res::IDC_TABLE_COLS, "列数", kMaxTableCols, size.cols) &&
        ReadNumber(*this, res::IDC_COL_WIDTH, "列宽", 0.5, kMaxCellSize, size.colWidth) &&
        ReadNumber(*this, res::IDC_ROW_HEIGHT, "行高", 0.5, kMaxCellSize, size.rowHeight)) {
        m_size = size;
        EndDialog(ckw::dlg::IDOK);
    }
}

TableCellDialog::TableCellDialog(const CellData& data)
    : Dialog(res::DialogResource(res::IDD_TABLE_CELL)), m_data(data) {}

bool TableCellDialog::OnInitDialog() {
    Item(res::IDC_CELL_TEXT).SetWindowText(m_data.text);
    Item(res::IDC_TEXT_HEIGHT).SetWindowText(Decimal(m_data.textHeight, 1));
    Item(res::IDC_WIDTH_FACTOR).SetWindowText(Decimal(m_data.widthFactor, 2));
    Item(res::IDC_COL_WIDTH).SetWindowText(Decimal(m_data.colWidth, 2));
    Item(res::IDC_ROW_HEIGHT).SetWindowText(Decimal(m_data.rowHeight, 2));
    auto& alignment = Item(res::IDC_ALIGNMENT);
    for (const char* name : kAlignments) alignment.InsertItem(-1, name);
    alignment.SetCurSel(m_data.alignment - 1);
    for (int side = 0; side < 4; ++side) {
        Item(res::IDC_BORDER_FIRST + side).SetCheck((m_data.borders >> side) & 1);
        Item(res::IDC_HEAVY_FIRST + side).SetCheck((m_data.heavyBorders >> side) & 1);
    }
    return true;
}

void TableCellDialog::OnOK() {
    CellData data = m_data;
    if (!ReadNumber(*this, res::IDC_TEXT_HEIGHT, "字高", 0.1, kMaxTextHeightTenths / 10.0, data.textHeight) ||
        !ReadNumber(*this, res::IDC_WIDTH_FACTOR, "宽度系数", 0.01, kMaxWidthFactorPercent / 100.0, data.widthFactor) ||
        !ReadNumber(*this, res::IDC_COL_WIDTH, "列宽", 0.5, kMaxCellSize, data.colWidth) ||
        !ReadNumber(*this, res::IDC_ROW_HEIGHT, "行高", 0.5, kMaxCellSize, data.rowHeight))
        return;
    // A cell holds one line: line breaks typed or pasted become blanks.
    data.text = Item(res::IDC_CELL_TEXT).GetWindowText();
    for (char& c : data.text)
        if (c == '\n' || c == '\r') c = ' ';
    data.alignment = Item(res::IDC_ALIGNMENT).GetCurSel() + 1;
    if (data.alignment < 1) data.alignment = kCentred;
    data.borders = data.heavyBorders = 0;
    for (int side = 0; side < 4; ++side) {
        if (Item(res::IDC_BORDER_FIRST + side).GetCheck()) data.borders |= 1 << side;
        if (Item(res::IDC_HEAVY_FIRST + side).GetCheck()) data.heavyBorders |= 1 << side;
    }
    m_data = data;
    EndDialog(ckw::dlg::IDOK);
}

}  // namespace ckw::tables
