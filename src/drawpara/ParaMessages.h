#pragma once
// Message boxes of the parameter library: fixed GBK texts, a path or name in place of %s.
#include <cstdio>
#include <string>

#include "CString.h"
#include "framework/Ui.h"

namespace ckw::drawpara {

inline ckw::ui::Answer ShowMessage(const char* text, ckw::ui::Buttons buttons = ckw::ui::Buttons::Ok) {
    return ckw::ui::MessageBox(text, buttons);
}

template <typename... Args>
ckw::ui::Answer ShowMessage(const char* format, Args... args) {
    CString text;
    text.Format(format, args...);
    return ckw::ui::MessageBox(text.str());
}

}  // namespace ckw::drawpara
