#pragma once
// The small dialog with two radio buttons that sets the drawing mode, and that the layer
// settings reuse to choose the layer-name format. Its result is the index of the choice.
#include "dialog/Dialog.h"

namespace ckw::settings {

class TwoChoiceDialog : public ckw::dlg::Dialog {
public:
    enum class Use { DrawingMode, LayerNameFormat };

    TwoChoiceDialog(Use use, int preselected);

    // The index of the selected choice (0 or 1), valid after OK.
    int Choice() const { return m_choice; }

    bool OnInitDialog() override;
    void OnOK() override;

private:
    Use m_use;
    int m_choice;
};

// Lets the user choose the drawing mode and stores it: 2005 for "图纸空间模式", 2008 for
// "模型空间模式". Cancel stores nothing. Returns the dialog's result.
int RunDrawingModeDialog();

}  // namespace ckw::settings
