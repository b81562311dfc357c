#pragma once
// A dialog controller, free of any toolkit: it owns its data, builds its controls from a
// template, reacts to initialisation, buttons, menu commands, grid events and resizes, and
// drives the controls. A runner (DialogRunner.h) shows it: headless under a script, or in a
// real window; modally (DoModal) or as a modeless window that stays open while the command that
// made it goes on (CreateModeless ... DestroyWindow). Texts are GBK.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include <ckw/CkwExport.h>
#include "base/Status.h"
#include "dialog/GridEvents.h"
#include "dialog/DialogControl.h"
#include "dialog/DialogGrid.h"
#include "dialog/DialogTemplate.h"

namespace ckw::dlg {

struct FileDialogRequest;
class DialogRunner;

// Exported so that the windowed runner, a library of its own, can drive it.
class CKW_API Dialog : public grid::GridEvents {
public:
    explicit Dialog(const DialogTemplate& tpl);
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally through the current runner; IDOK, IDCANCEL or what EndDialog gave.
    int DoModal();

    // --- Modeless windows ------------------------------------------------------------------------
    // Creates the window through the current runner (controls built, OnInitDialog run), hidden.
    // A window that is open already is kept as it is.
    void CreateModeless();
    // The first showing of a command's window: when it is not open, creates it, gives it the
    // focus and shows it without activating, and returns true; false when it is open already.
    bool OpenModeless();
    // Shows the window without taking the focus from the drawing.
    void ShowNoActivate();
    // Brings the window to the front with the keyboard focus.
    void SetFocus();
    // Shows what the controller changed outside the user's actions (after a refill).
    void UpdateWindow();
    // Closes the window; nothing when it is not open.
    void DestroyWindow();
    // Whether the modeless window is open: false before CreateModeless and once the user closed
    // it (a modeless dialog that ends, by its close box or EndDialog, is destroyed by its runner).
    bool IsWindow() const { return m_runner != nullptr; }

    // --- For controllers -----------------------------------------------------------------------
    const DialogTemplate& Template() const { return m_template; }
    int TemplateId() const { return m_template.id; }
    // The control with this id (throws std::out_of_range when the template has none).
    Control& Item(int id);
    GridModel& Grid(int id);
    bool HasItem(int id) const { return m_controls.count(id) != 0; }
    void SetWindowText(std::string captionGbk);
    const std::string& GetWindowText() const { return m_caption; }
    // Window size in pixels (the client area; the dialogs lay out in it).
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void EndDialog(int result);
    // Shows a popup menu at the cursor and returns the chosen command, 0 when dismissed.
    int TrackPopupMenu(const MenuTemplate& menu);
    // A file open or save dialog; the chosen path (GBK), nothing when cancelled.
    std::optional<std::string> FileDialog(const FileDialogRequest& request);

    // --- Hooks ---------------------------------------------------------------------------------
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Buttons other than OK and Cancel.
    virtual void OnCommand(int /*id*/) {}
    virtual void OnSize(int /*width*/, int /*height*/) {}
    virtual void OnTabChanged(int /*tabId*/, int /*index*/) {}
    virtual void OnRadioClicked(int /*id*/) {}
    virtual void OnEditChanged(int /*id*/) {}
    virtual void OnComboChanged(int /*id*/) {}

    // --- For runners ---------------------------------------------------------------------------
    // Builds the controls from the template (again: a dialog may be run more than once).
    void Create();
    bool IsEnded() const { return m_ended; }
    int Result() const { return m_result; }
    const std::map<int, std::unique_ptr<Control>>& Controls() const { return m_controls; }
    const std::map<int, std::unique_ptr<GridModel>>& Grids() const { return m_grids; }
    // The first grid of the template, nullptr when it has none.
    GridModel* FirstGrid();
    // Counts changes of the caption and size, so that a runner updates only what changed.
    unsigned revision() const { return m_revision; }
    bool IsModeless() const { return m_modeless; }

    // The user's actions, checked as the grid's (empty result: done; otherwise why not).
    Status UserClick(int id);
    Status UserClose() {
        OnCancel();
        return {};
    }
    Status UserSelectTab(int id, int index);
    Status UserClickRadio(int id);
    Status UserSetCheck(int id, bool checked);
    Status UserEditText(int id, const std::string& textGbk);
    Status UserSelectCombo(int id, int index);
    Status UserResize(int width, int height);

private:
    Status CheckUsable(int id, const char* action) const;

    const DialogTemplate& m_template;
    std::string m_caption;
    int m_width = 0;
    int m_height = 0;
    std::map<int, std::unique_ptr<Control>> m_controls;
    std::map<int, std::unique_ptr<GridModel>> m_grids;
    bool m_ended = false;
    int m_result = IDCANCEL;
    unsigned m_revision = 0;
    bool m_modeless = false;
    // The runner that holds the open modeless window (null: none open).
    DialogRunner* m_runner = nullptr;
};

}  // namespace ckw::dlg
