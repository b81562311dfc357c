#pragma once
// The seam between dialog controllers and whatever shows them. The runner in use is chosen at
// run time: one set explicitly (tests, scripted runs), else the Qt runner when it is available
// and there is a display (or QT_QPA_PLATFORM names a platform), else the headless runner, under
// which a modal dialog ends as Cancel so that batch use never writes by accident.
#include <functional>
#include <optional>
#include <string>

#include <ckw/CkwExport.h>
#include "dialog/DialogTemplate.h"

namespace ckw::ui {
class Ui;
}

namespace ckw::dlg {

class Dialog;

struct FileDialogRequest {
    bool open = true;  // false: a save dialog
    // Filter in the form "AutoCAD线型文件 (*.LIN)|*.LIN|所有文件 (*.*)|*.*|" (GBK). Patterns
    // match file names without regard to letter case.
    std::string filter;
    std::string title;       // GBK; empty: the toolkit's default
    std::string initialDir;  // GBK; empty: the current directory
    // GBK; the name shown in the file-name box at start, e.g. "*.dwg" (a pattern there narrows
    // the list, as on the original platform); empty: none.
    std::string initialFile;
    // Optional, for runners that show a picture of the file the user is looking at: called off
    // the interface thread with the file's path and a fresh folder the runner owns and removes
    // afterwards (both GBK); returns the path of a drawing (.T, GBK) that shows the file, made in
    // that folder if need be, or nothing. It touches no dialog and no host engine.
    std::function<std::optional<std::string>(const std::string& pathGbk, const std::string& workDirGbk)> previewDrawing;
};

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Shows dlg (Create, OnInitDialog, the user's actions) until it ends; returns its result.
    virtual int RunModal(Dialog& dlg) = 0;
    // A popup menu at the cursor: the chosen command, 0 when dismissed.
    virtual int TrackPopupMenu(Dialog& owner, const MenuTemplate& menu) = 0;
    virtual std::optional<std::string> FileDialog(Dialog* owner, const FileDialogRequest& request) = 0;

    // Modeless windows. Create builds the controls (Create, OnInitDialog) in a hidden window;
    // Show shows it, with the focus when activate is set; Update shows the controller's changes;
    // Destroy closes it. A window the user closes (the dialog ended) is destroyed by the runner
    // through Dialog::DestroyWindow, so that the controller learns of it from IsWindow.
    virtual void CreateModeless(Dialog& dlg) = 0;
    virtual void ShowModeless(Dialog& dlg, bool activate) = 0;
    virtual void UpdateModeless(Dialog& /*dlg*/) {}
    virtual void DestroyModeless(Dialog& dlg) = 0;
};

// A whole user-interface backend: the dialog runner and the message boxes that go with it.
class UiBackend {
public:
    virtual ~UiBackend() = default;
    virtual DialogRunner& Runner() = 0;
    virtual ckw::ui::Ui& MessageUi() = 0;
};

// The runner in use (chosen on first use as described above).
DialogRunner& CurrentRunner();
// Sets the runner explicitly; nullptr goes back to the choice at run time. The caller keeps
// ownership. Returns the runner set before (nullptr: none).
DialogRunner* SetRunner(DialogRunner* runner);

// A backend linked into the program (the Qt runner registers itself this way when a program
// links it); it is asked for only when a display is available. factory returns nullptr when it
// cannot start. Exported: the Qt backend's shared library registers itself through it too.
using UiBackendFactory = UiBackend* (*)();
CKW_API void RegisterUiBackend(UiBackendFactory factory);

// Puts the choice at run time in place now (a program may call it at start so that message
// boxes outside dialogs use the windowing backend too). Returns the backend chosen, nullptr for
// the headless one.
UiBackend* ActivateUiBackend();

}  // namespace ckw::dlg
