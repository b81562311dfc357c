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

// What a user who is not there answers: OK for an OK box, No for a Yes/No question, Cancel
// where Cancel is offered. Batch runs therefore never overwrite or discard anything.
Answer DefaultAnswer(Buttons buttons);

// The backend without a user: texts go to stderr as UTF-8, every box gets DefaultAnswer.
class HeadlessUi : public Ui {
public:
    Answer MessageBox(std::string_view textGbk, std::string_view captionGbk, Buttons buttons) override;
    void Prompt(std::string_view textGbk) override;
};

// The backend in use: the headless one unless a program (a Qt front end, a test) set another.
Ui& Current();
// nullptr restores the default backend. The caller keeps ownership.
void SetCurrent(Ui* ui);

// The library's message box: caption "提示" unless given.
Answer MessageBox(std::string_view textGbk, Buttons buttons = Buttons::Ok, std::string_view captionGbk = {});

// A message saying that something failed (a library that does not open, a file that cannot be
// read): shown as MessageBox does and counted, so that a batch run that went on after one can
// still end with a failure status.
Answer ShowError(std::string_view textGbk, Buttons buttons = Buttons::Ok);
// How many ShowError messages this process has shown.
int ErrorsShown();

// A message on the host engine's prompt line (cleared first); nothing without an engine.
void ShowOnPromptLine(const char* textGbk);

// Whether a windowing system is reachable: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM set.
bool DisplayAvailable();

}  // namespace ckw::ui
