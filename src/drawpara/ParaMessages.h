#pragma once
// Message boxes of the parameter library: fixed GBK texts, a path or name in place of %s.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include <ckw/CString.h>
#include <ckw/HostEngine.h>
#include "platform/Ui.h"

namespace ckw::drawpara {

// The parameter library's messages say what failed; a question (more than an OK button) does not.
inline ckw::ui::Answer ShowMessage(const char* text, ckw::ui::Buttons buttons = ckw::ui::Buttons::Ok) {
    return buttons == ckw::ui::Buttons::Ok ? ckw::ui::ShowError(text) : ckw::ui::MessageBox(text, buttons);
}

// The same with printf-style arguments in the text; the compiler checks them against the format.
__attribute__((format(printf, 1, 2))) inline ckw::ui::Answer ShowFormattedMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return ckw::ui::ShowError(text.str());
}

// While one lives (the tables of the library loaded one after another), a message the loaders
// meet table after table (a damaged or missing library) is shown once, not once per table.
class OneMessagePerLoad {
public:
    OneMessagePerLoad();
    ~OneMessagePerLoad();
    OneMessagePerLoad(const OneMessagePerLoad&) = delete;
    OneMessagePerLoad& operator=(const OneMessagePerLoad&) = delete;
    // Shows text unless this load showed it already.
    static void Show(const std::string& text);
};

using ckw::ui::ShowOnPromptLine;

}  // namespace ckw::drawpara
