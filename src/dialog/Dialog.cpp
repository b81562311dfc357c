#include "dialog/Dialog.h"

#include <stdexcept>
#include <utility>

#include "dialog/DialogRunner.h"

namespace ckw::dlg {

Dialog::Dialog(const DialogTemplate& tpl) : m_template(tpl) { Create(); }

Dialog::~Dialog() { DestroyWindow(); }

void Dialog::Create() {
    m_caption = m_template.caption;
    m_width = m_template.width;
    m_height = m_template.height;
    m_controls.clear();
    m_grids.clear();
    for (const ControlTemplate& ctl : m_template.controls) {
        if (ctl.kind == ControlKind::Grid) m_grids[ctl.id] = std::make_unique<GridModel>(ctl.id, this);
        m_controls[ctl.id] = std::make_unique<Control>(ctl);
    }
    m_ended = false;
    m_result = IDCANCEL;
    ++m_revision;
}

int Dialog::DoModal() {
    m_modeless = false;
    return CurrentRunner().RunModal(*this);
}

void Dialog::CreateModeless() {
    if (m_runner) return;
    m_modeless = true;
    m_runner = &CurrentRunner();
    m_runner->CreateModeless(*this);
}

bool Dialog::OpenModeless() {
    if (m_runner) return false;
    CreateModeless();
    SetFocus();
    ShowNoActivate();
    return true;
}

void Dialog::ShowNoActivate() {
    if (m_runner) m_runner->ShowModeless(*this, false);
}

void Dialog::SetFocus() {
    if (m_runner) m_runner->ShowModeless(*this, true);
}

void Dialog::UpdateWindow() {
    if (m_runner) m_runner->UpdateModeless(*this);
}

void Dialog::DestroyWindow() {
    DialogRunner* runner = std::exchange(m_runner, nullptr);
    if (runner) runner->DestroyModeless(*this);
}

Control& Dialog::Item(int id) {
    auto it = m_controls.find(id);
    if (it == m_controls.end())
        throw std::out_of_range("dialog " + std::to_string(m_template.id) + " has no control " + std::to_string(id));
    return *it->second;
}

GridModel& Dialog::Grid(int id) {
    auto it = m_grids.find(id);
    if (it == m_grids.end())
        throw std::out_of_range("dialog " + std::to_string(m_template.id) + " has no grid " + std::to_string(id));
    return *it->second;
}

GridModel* Dialog::FirstGrid() {
    for (const ControlTemplate& ctl : m_template.controls)
        if (ctl.kind == ControlKind::Grid) return m_grids[ctl.id].get();
    return nullptr;
}

void Dialog::SetWindowText(std::string captionGbk) {
    m_caption = std::move(captionGbk);
    ++m_revision;
}

void Dialog::EndDialog(int result) {
    m_ended = true;
    m_result = result;
}

int Dialog::TrackPopupMenu(const MenuTemplate& menu) { return CurrentRunner().TrackPopupMenu(*this, menu); }

std::optional<std::string> Dialog::FileDialog(const FileDialogRequest& request) {
    return CurrentRunner().FileDialog(this, request);
}

Status Dialog::CheckUsable(int id, const char* action) const {
    auto it = m_controls.find(id);
    if (it == m_controls.end())
        return Status("dialog " + std::to_string(m_template.id) + " has no control " + std::to_string(id));
    if (!it->second->IsVisible() || !it->second->IsEnabled())
        return Status(std::string("control ") + std::to_string(id) + " cannot be used to " + action +
                      " (hidden or disabled)");
    return {};
}

Status Dialog::UserClick(int id) {
    if (auto error = CheckUsable(id, "click"); !error.ok()) return error;
    ControlKind kind = Item(id).kind();
    if (kind == ControlKind::RadioButton) return UserClickRadio(id);
    if (kind == ControlKind::CheckBox) return UserSetCheck(id, !Item(id).GetCheck());
    if (kind != ControlKind::PushButton && kind != ControlKind::DefPushButton)
        return Status("control " + std::to_string(id) + " is not a button");
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    } else {
        OnCommand(id);
    }
    return {};
}

Status Dialog::UserSelectTab(int id, int index) {
    if (auto error = CheckUsable(id, "select a tab"); !error.ok()) return error;
    Control& tab = Item(id);
    if (tab.kind() != ControlKind::Tab) return Status("control " + std::to_string(id) + " is not a tab control");
    if (index == tab.GetCurSel()) return {};
    if (!tab.SetCurSel(index)) return Status("the tab control has no tab " + std::to_string(index));
    OnTabChanged(id, index);
    return {};
}

Status Dialog::UserClickRadio(int id) {
    if (auto error = CheckUsable(id, "click"); !error.ok()) return error;
    if (Item(id).kind() != ControlKind::RadioButton)
        return Status("control " + std::to_string(id) + " is not a radio button");
    // The radio buttons of a dialog form one group.
    for (auto& [otherId, control] : m_controls)
        if (control->kind() == ControlKind::RadioButton) control->SetCheck(otherId == id);
    OnRadioClicked(id);
    return {};
}

Status Dialog::UserSetCheck(int id, bool checked) {
    if (auto error = CheckUsable(id, "check"); !error.ok()) return error;
    if (Item(id).kind() != ControlKind::CheckBox)
        return Status("control " + std::to_string(id) + " is not a check box");
    Item(id).SetCheck(checked);
    OnCommand(id);
    return {};
}

Status Dialog::UserEditText(int id, const std::string& textGbk) {
    if (auto error = CheckUsable(id, "type into"); !error.ok()) return error;
    if (Item(id).kind() != ControlKind::Edit) return Status("control " + std::to_string(id) + " is not an edit field");
    Item(id).SetWindowText(textGbk);
    OnEditChanged(id);
    return {};
}

Status Dialog::UserSelectCombo(int id, int index) {
    if (auto error = CheckUsable(id, "choose from"); !error.ok()) return error;
    Control& combo = Item(id);
    if (combo.kind() != ControlKind::ComboBox) return Status("control " + std::to_string(id) + " is not a combo box");
    if (!combo.SetCurSel(index)) return Status("the combo box has no entry " + std::to_string(index));
    OnComboChanged(id);
    return {};
}

Status Dialog::UserResize(int width, int height) {
    if (width <= 0 || height <= 0) return "a window size must be positive";
    m_width = width;
    m_height = height;
    ++m_revision;
    OnSize(width, height);
    return {};
}

}  // namespace ckw::dlg
