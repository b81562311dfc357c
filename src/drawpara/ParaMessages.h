#pragma once
// Message boxes of the parameter library: fixed GBK texts, a path or name in place of %s.
#include <cstdio>
#include <cstring>
#include <string>

#include "CString.h"
#include "HostEngine.h"
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

// A message on the host's prompt line (cleared first); nothing without an engine.
inline void ShowOnPromptLine(const char* text) {
    if (!m_pCfg) return;
    int length = static_cast<int>(std::strlen(text));
    m_pCfg->HostClearPrompt();
    m_pCfg->HostPrompt(text, length);
}

}  // namespace ckw::drawpara
