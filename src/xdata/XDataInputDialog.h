#pragma once
// "INPUT XDATA": the application name and the integer, real and string kwXData_Add stores.
#include <string>

#include "dialog/Dialog.h"

namespace ckw::xdata {

class XDataInputDialog : public ckw::dlg::Dialog {
public:
    XDataInputDialog();

    bool OnInitDialog() override;
    // Takes the values; a number that does not read stays in the dialog with a message.
    void OnOK() override;

    std::string appName = "$KW_COLUM";
    int intValue = 0;
    float realValue = 0;
    std::string stringValue = "this is xdata test!";
};

}  // namespace ckw::xdata
