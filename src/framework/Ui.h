#pragma once
// User-interface services the library needs outside its dialogs: message boxes and a prompt
// line. Backends: headless (UTF-8 on stderr, default answers), recording (tests), Qt (later).
// Texts at this interface are GBK.
#include <string>
#include <string_view>

namespace ckw::ui {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class Ui {
public:
    virtual ~Ui() = default;
    virtual Answer MessageBox(std::string_view textGbk, std::string_view captionGbk, Buttons buttons) = 0;
    // A line of status text (the library's own, not the host engine's prompt line).
    virtual void Prompt(std::string_view textGbk) = 0;
};

Ui& Current();
// nullptr restores the default backend. The caller keeps ownership.
void SetCurrent(Ui* ui);

// The library's message box: caption "提示" unless given.
Answer MessageBox(std::string_view textGbk, Buttons buttons = Buttons::Ok, std::string_view captionGbk = {});

}  // namespace ckw::ui
