#pragma once
// Dialog templates and popup menus as data: what a resource script held on the original
// platform. The library's own templates live in src/res. Texts are GBK; sizes are pixels.
#include <string>
#include <vector>

namespace ckw::dlg {

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

enum class ControlKind { PushButton, DefPushButton, GroupBox, RadioButton, CheckBox, Edit, Label, Tab, ComboBox, Grid };

struct ControlTemplate {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    std::string caption;
    Rect rect;
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    int width = 0;
    int height = 0;
    std::vector<ControlTemplate> controls;
};

// One entry of a popup menu; command 0 is a separator.
struct MenuItem {
    int command = 0;
    std::string caption;
};

// A popup menu: one submenu with its caption and entries.
struct MenuTemplate {
    int id = 0;
    std::string caption;
    std::vector<MenuItem> items;
};

}  // namespace ckw::dlg
