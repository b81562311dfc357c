#include "platform/Ui.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include <ckw/HostEngine.h>

#include "base/GbkText.h"

namespace ckw::ui {
namespace {

Ui*& Override() {
    static Ui* ui = nullptr;
    return ui;
}

const char* AnswerName(Answer a) {
    switch (a) {
    case Answer::Ok:
        return "OK";
    case Answer::Cancel:
        return "Cancel";
    case Answer::Yes:
        return "Yes";
    case Answer::No:
        return "No";
    }
    return "";
}

}  // namespace

Answer DefaultAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

Answer HeadlessUi::MessageBox(std::string_view textGbk, std::string_view captionGbk, Buttons buttons) {
    Answer answer = DefaultAnswer(buttons);
    std::cerr << text::GbkToUtf8(captionGbk) << ": " << text::GbkToUtf8(textGbk);
    if (buttons != Buttons::Ok) std::cerr << " [answered " << AnswerName(answer) << ": no user to ask]";
    std::cerr << std::endl;
    return answer;
}

void HeadlessUi::Prompt(std::string_view textGbk) { std::cerr << text::GbkToUtf8(textGbk) << std::endl; }

Ui& Current() {
    static HeadlessUi headless;
    Ui* chosen = Override();
    return chosen ? *chosen : headless;
}

void SetCurrent(Ui* ui) { Override() = ui; }

Answer MessageBox(std::string_view textGbk, Buttons buttons, std::string_view captionGbk) {
    return Current().MessageBox(textGbk, captionGbk.empty() ? std::string_view("提示") : captionGbk, buttons);
}

namespace {
std::atomic<int> g_errorsShown{0};
}  // namespace

Answer ShowError(std::string_view textGbk, Buttons buttons) {
    ++g_errorsShown;
    return MessageBox(textGbk, buttons);
}

int ErrorsShown() { return g_errorsShown; }

void ShowOnPromptLine(const char* textGbk) {
    if (!m_pCfg) return;
    int length = static_cast<int>(std::strlen(textGbk));
    m_pCfg->HostClearPrompt();
    m_pCfg->HostPrompt(textGbk, length);
}

bool DisplayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace ckw::ui
