#pragma once
// The state of one control of a dialog (button, edit, label, group box, radio button, check box,
// tab control, combo box), free of any toolkit. A runner shows it and feeds the user's actions
// back through the dialog. The grid has a model of its own (DialogGrid.h).
#include <string>
#include <vector>

#include "dialog/DialogTemplate.h"

namespace ckw::dlg {

class Control {
public:
    explicit Control(const ControlTemplate& tpl)
        : m_id(tpl.id), m_kind(tpl.kind), m_text(tpl.caption), m_rect(tpl.rect) {}

    int id() const { return m_id; }
    ControlKind kind() const { return m_kind; }

    const std::string& GetWindowText() const { return m_text; }
    void SetWindowText(std::string textGbk) {
        m_text = std::move(textGbk);
        Touch();
    }
    const Rect& GetRect() const { return m_rect; }
    void MoveWindow(const Rect& rect) {
        m_rect = rect;
        Touch();
    }
    bool IsVisible() const { return m_visible; }
    void ShowWindow(bool show) {
        m_visible = show;
        Touch();
    }
    bool IsEnabled() const { return m_enabled; }
    void EnableWindow(bool enable) {
        m_enabled = enable;
        Touch();
    }

    // Radio buttons and check boxes.
    bool GetCheck() const { return m_checked; }
    void SetCheck(bool checked) {
        m_checked = checked;
        Touch();
    }

    // Tab controls and combo boxes: the entries and the current one (-1: none).
    const std::vector<std::string>& Items() const { return m_items; }
    void InsertItem(int index, std::string textGbk) {
        if (index < 0 || index > static_cast<int>(m_items.size())) index = static_cast<int>(m_items.size());
        m_items.insert(m_items.begin() + index, std::move(textGbk));
        Touch();
    }
    void ResetContent() {
        m_items.clear();
        m_current = -1;
        Touch();
    }
    int GetCurSel() const { return m_current; }
    bool SetCurSel(int index) {
        if (index < -1 || index >= static_cast<int>(m_items.size())) return false;
        m_current = index;
        Touch();
        return true;
    }

    // Counts changes, so that a runner updates only what changed.
    unsigned revision() const { return m_revision; }

private:
    void Touch() { ++m_revision; }

    int m_id;
    ControlKind m_kind;
    std::string m_text;
    Rect m_rect;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_checked = false;
    std::vector<std::string> m_items;
    int m_current = -1;
    unsigned m_revision = 0;
};

}  // namespace ckw::dlg
