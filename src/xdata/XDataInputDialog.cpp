#include "XDataInputDialog.h"

#include "CellValues.h"
#include "platform/Ui.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::xdata {

using namespace ckw::res;

XDataInputDialog::XDataInputDialog() : Dialog(DialogResource(IDD_XDATA_INPUT)) {}

bool XDataInputDialog::OnInitDialog() {
    Item(IDC_XDATA_NAME).SetWindowText(appName);
    Item(IDC_XDATA_INT).SetWindowText(std::to_string(intValue));
    Item(IDC_XDATA_REAL).SetWindowText(RealText(realValue));
    Item(IDC_XDATA_STRING).SetWindowText(stringValue);
    return true;
}

void XDataInputDialog::OnOK() {
    const std::optional<int> integer = ParseIntText(Item(IDC_XDATA_INT).GetWindowText());
    const std::optional<float> real = ParseRealText(Item(IDC_XDATA_REAL).GetWindowText());
    if (!integer || !real) {
        ckw::ui::MessageBox(!integer ? "int data不是整数!" : "real data不是实数!");
        return;
    }
    appName = Item(IDC_XDATA_NAME).GetWindowText();
    intValue = *integer;
    realValue = *real;
    stringValue = Item(IDC_XDATA_STRING).GetWindowText();
    EndDialog(ckw::dlg::IDOK);
}

}  // namespace ckw::xdata
