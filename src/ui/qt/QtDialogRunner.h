#pragma once
// Runs dialog controllers in QDialog windows and answers message boxes with QMessageBox.
#include "QtBackend.h"

namespace ckw::qt {

class QtDialogRunner : public ckw::dlg::DialogRunner {
public:
    int RunModal(ckw::dlg::Dialog& dlg) override;
    int TrackPopupMenu(ckw::dlg::Dialog& owner, const ckw::dlg::MenuTemplate& menu) override;
    std::optional<std::string> FileDialog(ckw::dlg::Dialog* owner, const ckw::dlg::FileDialogRequest& request) override;

    // Modeless dialogs are real non-modal windows (object name "dlg" and the template id), open
    // while the command that made them goes on; the program's event loop, or the engine's wait
    // for input, keeps them responsive.
    void CreateModeless(ckw::dlg::Dialog& dlg) override;
    void ShowModeless(ckw::dlg::Dialog& dlg, bool activate) override;
    void UpdateModeless(ckw::dlg::Dialog& dlg) override;
    void DestroyModeless(ckw::dlg::Dialog& dlg) override;
};

class QtUi : public ckw::ui::Ui {
public:
    ckw::ui::Answer MessageBox(std::string_view textGbk, std::string_view captionGbk,
                               ckw::ui::Buttons buttons) override;
    void Prompt(std::string_view textGbk) override;
};

const Automation& CurrentAutomation();
// Starts a QApplication when the program has none.
void EnsureApplication();

}  // namespace ckw::qt
