#pragma once
// The headless runner: dialogs run without a window, the user's part played by a script
// (DialogScript.h). With no script, or once the script is used up, a modal dialog ends as
// Cancel. Message boxes, popup menus and file dialogs take their answers from the script when
// its next line answers them, and otherwise get a safe default (message boxes: OK, No for
// Yes/No questions, Cancel where offered; menus dismissed; file dialogs cancelled).
//
// A step that cannot be done (a control that is not there, a read-only cell, an expectation
// that does not hold) fails the script: the error is kept, every open dialog ends as Cancel and
// nothing more is played.
//
// Modeless windows: while a command waits for the drawing engine, the same script plays the
// user's actions in its open windows (the one in front takes them) up to the next answer to the
// engine (a point, [Esc], ...), which PlayUntilEngineAnswer hands over as a line of the engine's
// input script. An adapter on the engine's side feeds it to the engine; the library itself
// never sees the engine.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Status.h"
#include "dialog/DialogRunner.h"
#include "dialog/DialogScript.h"
#include "platform/Ui.h"

namespace ckw::dlg {

class GridModel;

class HeadlessDialogRunner : public DialogRunner {
public:
    HeadlessDialogRunner() = default;
    explicit HeadlessDialogRunner(DialogScript script) : m_script(std::move(script)) {}

    int RunModal(Dialog& dlg) override;
    int TrackPopupMenu(Dialog& owner, const MenuTemplate& menu) override;
    std::optional<std::string> FileDialog(Dialog* owner, const FileDialogRequest& request) override;

    // A message box is shown: its answer from the script, or the default.
    ckw::ui::Answer AnswerMessage(std::string_view textGbk, ckw::ui::Buttons buttons);

    void CreateModeless(Dialog& dlg) override;
    void ShowModeless(Dialog& dlg, bool activate) override;
    void DestroyModeless(Dialog& dlg) override;

    // Plays window actions until the next answer to the engine and returns it as a line of the
    // engine's input script (UTF-8); nothing when the script is used up or has failed.
    std::optional<std::string> PlayUntilEngineAnswer();
    // Takes the next step when it is "break" (the user interrupts the running command).
    bool TakeBreak();
    // An error found outside the runner (e.g. an engine answer the engine cannot read).
    void AddError(std::string errorUtf8) { m_errors.push_back(std::move(errorUtf8)); }
    // The modeless windows open, the one in front last.
    std::vector<Dialog*> OpenWindows() const;

    bool Failed() const { return !m_errors.empty(); }
    // The errors (UTF-8), each naming the script line.
    const std::vector<std::string>& Errors() const { return m_errors; }
    // Every message box text shown while the runner was in use (GBK), in order.
    const std::vector<std::string>& Messages() const { return m_messages; }
    // Every popup menu and file dialog shown, as "menu 1013" or "file", in order.
    const std::vector<std::string>& Requests() const { return m_requests; }
    size_t RemainingSteps() const { return m_script.Size(); }
    // Receives a line (UTF-8) for every message box, menu and file dialog, e.g. for a terminal.
    void SetTrace(std::function<void(const std::string&)> trace) { m_trace = std::move(trace); }

private:
    struct Frame {
        Dialog* dialog;
        GridModel* grid;  // the grid the cell actions address
    };

    bool NextIs(std::string_view verb) const;
    void Fail(const ScriptStep& step, const std::string& why);
    Status Apply(Frame& frame, const ScriptStep& step);
    // The steps that act on the dialog and its controls (nothing for a step on a grid cell), and
    // those that act on a grid cell.
    std::optional<Status> ApplyToDialog(Frame& frame, const ScriptStep& step);
    Status ApplyToCell(GridModel& grid, const ScriptStep& step);
    Status Expect(Frame& frame, const ScriptStep& step);
    void Trace(const std::string& line);

    DialogScript m_script;
    void PlayInWindow(const ScriptStep& step);

    std::vector<Frame> m_stack;
    std::vector<Frame> m_windows;  // modeless, the one in front last
    std::vector<std::string> m_errors;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_requests;
    std::function<void(const std::string&)> m_trace;
};

// Message boxes answered by a headless runner; the prompt line goes to the Ui that was in use.
class ScriptedUi : public ckw::ui::Ui {
public:
    ScriptedUi(HeadlessDialogRunner& runner, ckw::ui::Ui& previous) : m_runner(runner), m_previous(previous) {}
    ckw::ui::Answer MessageBox(std::string_view textGbk, std::string_view captionGbk,
                               ckw::ui::Buttons buttons) override;
    void Prompt(std::string_view textGbk) override { m_previous.Prompt(textGbk); }

private:
    HeadlessDialogRunner& m_runner;
    ckw::ui::Ui& m_previous;
};

// Plays a script for its lifetime: installs a headless runner with it and the Ui that answers
// message boxes from it, and puts the previous runner and Ui back afterwards.
class ScriptSession {
public:
    explicit ScriptSession(DialogScript script = {});
    ~ScriptSession();
    ScriptSession(const ScriptSession&) = delete;
    ScriptSession& operator=(const ScriptSession&) = delete;

    HeadlessDialogRunner& Runner() { return m_runner; }
    // No error and every step used.
    bool Succeeded() const { return !m_runner.Failed() && m_runner.RemainingSteps() == 0; }
    // The errors and the number of unused steps, one per line (UTF-8); empty on success.
    std::string Report() const;
    const std::vector<std::string>& Messages() const { return m_runner.Messages(); }

private:
    HeadlessDialogRunner m_runner;
    DialogRunner* m_previousRunner;
    ckw::ui::Ui& m_previousUi;
    ScriptedUi m_ui;
};

}  // namespace ckw::dlg
