#pragma once
// "钢筋面积表mm2": the bar area table in a read-only grid with the button "退出". The slab table
// of mode 2 gets a window shortened to 70 % of its height.
#include "dialog/Dialog.h"
#include "tables/BarAreaTable.h"

namespace ckw::tables {

class BarAreaDialog : public ckw::dlg::Dialog {
public:
    explicit BarAreaDialog(int mode);

    bool OnInitDialog() override;
    const BarAreaTable& Table() const { return m_table; }

private:
    void Shorten();

    BarAreaTable m_table;
};

}  // namespace ckw::tables
