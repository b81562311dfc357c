#pragma once
// The Qt 6 backend: the same dialog controllers in real windows (QDialog, a QTableWidget for the
// grid, QMenu, QMessageBox, QFileDialog). A QApplication is started only when none exists.
// Programs that link this library call RegisterQtBackend() so that it is chosen whenever a
// display is available; the library loads it on its own from libCkwUiQt.so otherwise.
#include <functional>
#include <optional>
#include <string>

#include "dialog/DialogRunner.h"
#include "platform/Ui.h"

class QDialog;

namespace ckw::qt {

// Makes the Qt backend the one the library chooses when a display is available.
void RegisterQtBackend();
// The backend itself (created once, on first use).
ckw::dlg::UiBackend* QtBackend();

// Hooks for tests and demonstrations that drive the real widgets. Each hook that is set takes
// the place of the window it stands for; onShown runs once a dialog's window is shown.
struct Automation {
    std::function<void(QDialog& window, ckw::dlg::Dialog& dialog)> onShown;
    std::function<int(const ckw::dlg::MenuTemplate& menu)> onMenu;
    std::function<std::optional<std::string>(const ckw::dlg::FileDialogRequest& request)> onFile;
    std::function<ckw::ui::Answer(const std::string& textGbk, ckw::ui::Buttons buttons)> onMessage;
};
void SetAutomation(Automation automation);

}  // namespace ckw::qt

// Entry point of the shared library, found with dlsym by the library's backend choice.
extern "C" __attribute__((visibility("default"))) ckw::dlg::UiBackend* CkwCreateQtUiBackend();
