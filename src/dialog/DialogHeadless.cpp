#include "dialog/DialogHeadless.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>

#include "dialog/Dialog.h"
#include "base/GbkText.h"

namespace ckw::dlg {

namespace {

using ckw::ui::Answer;
using ckw::ui::Buttons;

std::string Utf8(std::string_view gbk) { return ckw::text::GbkToUtf8(gbk); }

// A script's number: decimal, or hexadecimal after "0x".
std::optional<long> ParseNumber(const std::string& word) {
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X'))
        return text::ParseExactNumber<long>(std::string_view(word).substr(2), 16);
    return text::ParseExactNumber<long>(word);
}

// "#RRGGBB" as a COLORREF (0x00BBGGRR).
std::optional<long> ParseColour(const std::string& word) {
    if (word.size() != 7 || word[0] != '#') return std::nullopt;
    auto rgb = ParseNumber("0x" + word.substr(1));
    if (!rgb) return std::nullopt;
    long r = (*rgb >> 16) & 0xFF, g = (*rgb >> 8) & 0xFF, b = *rgb & 0xFF;
    return r | (g << 8) | (b << 16);
}

std::string ColourText(long colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02lX%02lX%02lX", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

std::optional<bool> ParseSwitch(const std::string& word) {
    if (word == "on" || word == "yes" || word == "true" || word == "1") return true;
    if (word == "off" || word == "no" || word == "false" || word == "0") return false;
    return std::nullopt;
}

std::optional<Answer> ParseAnswer(const std::string& word) {
    if (word == "ok") return Answer::Ok;
    if (word == "cancel") return Answer::Cancel;
    if (word == "yes") return Answer::Yes;
    if (word == "no") return Answer::No;
    return std::nullopt;
}

bool Offers(Buttons buttons, Answer answer) {
    switch (buttons) {
    case Buttons::Ok:
        return answer == Answer::Ok;
    case Buttons::OkCancel:
        return answer == Answer::Ok || answer == Answer::Cancel;
    case Buttons::YesNo:
        return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel:
        return answer != Answer::Ok;
    }
    return false;
}

// A caption compared the way a person reads it: the "&" of a keyboard shortcut left out.
std::string WithoutShortcut(const std::string& caption) {
    std::string plain;
    for (char c : caption)
        if (c != '&') plain += c;
    return plain;
}

// A control named by its id or by its caption.
std::optional<int> FindControl(Dialog& dlg, const std::string& word) {
    if (auto id = ParseNumber(word)) return static_cast<int>(*id);
    for (const auto& [id, control] : dlg.Controls())
        if (control->GetWindowText() == word || WithoutShortcut(control->GetWindowText()) == WithoutShortcut(word))
            return id;
    return std::nullopt;
}

}  // namespace

bool HeadlessDialogRunner::NextIs(std::string_view verb) const {
    return !Failed() && !m_script.Empty() && m_script.Front().verb == verb;
}

void HeadlessDialogRunner::Fail(const ScriptStep& step, const std::string& why) {
    m_errors.push_back(step.Where() + " (" + step.verb + "): " + why);
    Trace("error: " + m_errors.back());
}

void HeadlessDialogRunner::Trace(const std::string& line) {
    if (m_trace) m_trace(line);
}

int HeadlessDialogRunner::RunModal(Dialog& dlg) {
    dlg.Create();
    m_stack.push_back({&dlg, dlg.FirstGrid()});
    try {
        dlg.OnInitDialog();
        while (!dlg.IsEnded()) {
            if (Failed() || m_script.Empty()) {
                static_cast<void>(dlg.UserClose());  // closing is never refused
                if (!dlg.IsEnded()) dlg.EndDialog(IDCANCEL);
                break;
            }
            ScriptStep step = m_script.Take();
            if (Status done = Apply(m_stack.back(), step); !done.ok()) Fail(step, done.why());
        }
    } catch (const std::exception& e) {
        m_errors.push_back(std::string("dialog ") + std::to_string(dlg.TemplateId()) + " failed: " + e.what());
        if (!dlg.IsEnded()) dlg.EndDialog(IDCANCEL);
    }
    m_stack.pop_back();
    return dlg.Result();
}

void HeadlessDialogRunner::CreateModeless(Dialog& dlg) {
    dlg.Create();
    m_windows.push_back({&dlg, dlg.FirstGrid()});
    try {
        dlg.OnInitDialog();
    } catch (const std::exception& e) {
        m_errors.push_back(std::string("dialog ") + std::to_string(dlg.TemplateId()) + " failed: " + e.what());
    }
}

void HeadlessDialogRunner::ShowModeless(Dialog& dlg, bool activate) {
    if (!activate) return;
    auto it = std::find_if(m_windows.begin(), m_windows.end(), [&](const Frame& f) { return f.dialog == &dlg; });
    if (it == m_windows.end()) return;
    Frame frame = *it;
    m_windows.erase(it);
    m_windows.push_back(frame);
}

void HeadlessDialogRunner::DestroyModeless(Dialog& dlg) {
    std::erase_if(m_windows, [&](const Frame& f) { return f.dialog == &dlg; });
}

std::vector<Dialog*> HeadlessDialogRunner::OpenWindows() const {
    std::vector<Dialog*> open;
    for (const Frame& frame : m_windows) open.push_back(frame.dialog);
    return open;
}

std::optional<std::string> HeadlessDialogRunner::PlayUntilEngineAnswer() {
    while (!Failed() && !m_script.Empty()) {
        ScriptStep step = m_script.Take();
        if (step.IsEngineAnswer()) return step.EngineText();
        PlayInWindow(step);
    }
    return std::nullopt;
}

bool HeadlessDialogRunner::TakeBreak() {
    if (!NextIs("break")) return false;
    m_script.Take();
    return true;
}

void HeadlessDialogRunner::PlayInWindow(const ScriptStep& step) {
    if (m_windows.empty()) {
        Fail(step, "no window is open to take it");
        return;
    }
    // The action may open or close windows: work on a copy of the frame.
    Frame frame = m_windows.back();
    Dialog& dlg = *frame.dialog;
    Status done;
    try {
        done = Apply(frame, step);
    } catch (const std::exception& e) {
        done = e.what();
    }
    if (!done.ok()) Fail(step, done.why());
    for (Frame& open : m_windows)
        if (open.dialog == &dlg) open.grid = frame.grid;
    // A modeless dialog that ended (closed by the user, or by itself) loses its window.
    if (dlg.IsEnded() && dlg.IsWindow()) dlg.DestroyWindow();
}

Status HeadlessDialogRunner::Apply(Frame& frame, const ScriptStep& step) {
    Dialog& dlg = *frame.dialog;
    if (step.IsEngineAnswer() && step.verb != "file")
        return Status("the engine waits for no answer while dialog " + std::to_string(dlg.TemplateId()) + " is open");
    if (std::optional<Status> done = ApplyToDialog(frame, step)) return std::move(*done);
    // The rest act on a cell of the grid.
    if (!frame.grid) return "the dialog has no grid";
    return ApplyToCell(*frame.grid, step);
}

std::optional<Status> HeadlessDialogRunner::ApplyToDialog(Frame& frame, const ScriptStep& step) {
    Dialog& dlg = *frame.dialog;
    const auto& a = step.args;
    if (step.verb == "call") {
        try {
            step.call(dlg);
        } catch (const std::exception& e) {
            return e.what();
        }
        return Status();
    }
    if (step.verb == "dialog") {
        auto id = ParseNumber(a[0]);
        if (!id) return Status("'" + Utf8(a[0]) + "' is not a dialog id");
        if (*id != dlg.TemplateId())
            return Status("dialog " + std::to_string(dlg.TemplateId()) + " is open, not " + std::to_string(*id));
        return Status();
    }
    if (step.verb == "click") {
        auto id = FindControl(dlg, a[0]);
        if (!id) return Status("the dialog has no control '" + Utf8(a[0]) + "'");
        return dlg.UserClick(*id);
    }
    if (step.verb == "ok") return dlg.HasItem(IDOK) ? dlg.UserClick(IDOK) : "the dialog has no OK button";
    if (step.verb == "cancel") return dlg.HasItem(IDCANCEL) ? dlg.UserClick(IDCANCEL) : dlg.UserClose();
    if (step.verb == "close") return dlg.UserClose();
    if (step.verb == "resize") {
        auto w = ParseNumber(a[0]), h = ParseNumber(a[1]);
        if (!w || !h) return "a size is two numbers";
        return dlg.UserResize(static_cast<int>(*w), static_cast<int>(*h));
    }
    if (step.verb == "grid") {
        auto id = ParseNumber(a[0]);
        if (!id || !dlg.Grids().count(static_cast<int>(*id)))
            return Status("the dialog has no grid '" + Utf8(a[0]) + "'");
        frame.grid = dlg.Grids().at(static_cast<int>(*id)).get();
        return Status();
    }
    if (step.verb == "tab" || step.verb == "combo") {
        auto id = FindControl(dlg, a[0]);
        auto index = ParseNumber(a[1]);
        if (!id || !index) return "expected a control and an index";
        return step.verb == "tab" ? dlg.UserSelectTab(*id, static_cast<int>(*index))
                                  : dlg.UserSelectCombo(*id, static_cast<int>(*index));
    }
    if (step.verb == "radio") {
        auto id = FindControl(dlg, a[0]);
        if (!id) return Status("the dialog has no control '" + Utf8(a[0]) + "'");
        return dlg.UserClickRadio(*id);
    }
    if (step.verb == "checkbox") {
        auto id = FindControl(dlg, a[0]);
        auto on = ParseSwitch(a[1]);
        if (!id || !on) return "expected a control and on or off";
        return dlg.UserSetCheck(*id, *on);
    }
    if (step.verb == "edit") {
        auto id = FindControl(dlg, a[0]);
        if (!id) return Status("the dialog has no control '" + Utf8(a[0]) + "'");
        return dlg.UserEditText(*id, a[1]);
    }
    if (step.verb == "menu" || step.verb == "answer" || step.verb == "file")
        return Status(std::string("no ") +
                      (step.verb == "menu"     ? "popup menu"
                       : step.verb == "answer" ? "message box"
                                               : "file dialog") +
                      " is open to take it");
    if (step.verb == "expect") return Expect(frame, step);
    return std::nullopt;
}

Status HeadlessDialogRunner::ApplyToCell(GridModel& grid, const ScriptStep& step) {
    const auto& a = step.args;
    auto row = ParseNumber(a[0]), col = ParseNumber(a[1]);
    if (!row || !col) return "a cell is given by two numbers, row and column";
    int r = static_cast<int>(*row), c = static_cast<int>(*col);
    if (step.verb == "select") return grid.UserClick(r, c);
    if (step.verb == "rightclick") return grid.UserRightClick(r, c);
    if (step.verb == "browse") return grid.UserBrowse(r, c);
    if (step.verb == "cell") return grid.UserEdit(r, c, a[2]);
    if (step.verb == "check") {
        auto on = ParseSwitch(a[2]);
        if (!on) return "expected on or off";
        return grid.UserCheck(r, c, *on);
    }
    if (step.verb == "colour") {
        auto colour = ParseColour(a[2]);
        if (!colour) return "a colour is written #RRGGBB";
        return grid.UserPickColor(r, c, *colour);
    }
    if (step.verb == "choose") {
        const auto& items = grid.Cell(r, c).items;
        int index = -1;
        if (a[2].size() > 1 && a[2][0] == '#') {
            if (auto n = ParseNumber(a[2].substr(1))) index = static_cast<int>(*n);
        } else {
            for (size_t i = 0; i < items.size(); ++i)
                if (items[i] == a[2]) index = static_cast<int>(i);
        }
        if (index < 0) return Status("the drop-down has no entry '" + Utf8(a[2]) + "'");
        return grid.UserChoose(r, c, index);
    }
    return "unknown action";
}

Status HeadlessDialogRunner::Expect(Frame& frame, const ScriptStep& step) {
    Dialog& dlg = *frame.dialog;
    const auto& a = step.args;
    const std::string& what = a[0];
    auto mismatch = [](const std::string& item, const std::string& shown, const std::string& expected) {
        return item + " is '" + shown + "', expected '" + expected + "'";
    };
    if (what == "caption" && a.size() == 2)
        return Status(dlg.GetWindowText() == a[1] ? ""
                                                  : mismatch("the caption", Utf8(dlg.GetWindowText()), Utf8(a[1])));
    if (what == "message" && a.size() == 2) {
        std::string last = m_messages.empty() ? std::string() : m_messages.back();
        return Status(last.find(a[1]) != std::string::npos ? "" : mismatch("the last message", Utf8(last), Utf8(a[1])));
    }
    if ((what == "text" || what == "radio" || what == "tab") && a.size() == 3) {
        auto id = FindControl(dlg, a[1]);
        if (!id || !dlg.HasItem(*id)) return Status("the dialog has no control '" + Utf8(a[1]) + "'");
        Control& control = dlg.Item(*id);
        if (what == "text")
            return Status(
                control.GetWindowText() == a[2] ? "" : mismatch("the text", Utf8(control.GetWindowText()), Utf8(a[2])));
        if (what == "radio") {
            auto on = ParseSwitch(a[2]);
            if (!on) return "expected on or off";
            return Status(control.GetCheck() == *on
                              ? ""
                              : "the radio button is " + std::string(control.GetCheck() ? "on" : "off"));
        }
        return Status(std::to_string(control.GetCurSel()) == a[2]
                          ? ""
                          : mismatch("the current tab", std::to_string(control.GetCurSel()), a[2]));
    }
    if (!frame.grid) return "the dialog has no grid";
    GridModel& grid = *frame.grid;
    if ((what == "rows" || what == "cols") && a.size() == 2) {
        std::string shown = std::to_string(what == "rows" ? grid.GridGetRows() : grid.GridGetCols());
        return Status(shown == a[1] ? "" : mismatch("the number of " + what, shown, a[1]));
    }
    if (what == "width" && a.size() == 3) {
        auto col = ParseNumber(a[1]);
        if (!col) return "expected a column number";
        std::string shown = std::to_string(grid.GridGetColWidth(static_cast<short>(*col)));
        return Status(shown == a[2] ? "" : mismatch("the width", shown, a[2]));
    }
    if (a.size() != 4) return Status("unknown expectation '" + Utf8(what) + "'");
    auto row = ParseNumber(a[1]), col = ParseNumber(a[2]);
    if (!row || !col) return "a cell is given by two numbers, row and column";
    int r = static_cast<int>(*row), c = static_cast<int>(*col);
    if (!grid.HasCell(r, c))
        return Status("cell (" + std::to_string(r) + ", " + std::to_string(c) + ") is outside the grid");
    const GridCell& cell = grid.Cell(r, c);
    std::string at = "cell (" + std::to_string(r) + ", " + std::to_string(c) + ")";
    const std::string& expected = a[3];
    if (what == "cell") return Status(cell.text == expected ? "" : mismatch(at, Utf8(cell.text), Utf8(expected)));
    if (what == "check" || what == "editable") {
        auto on = ParseSwitch(expected);
        if (!on) return "expected on or off";
        bool shown = what == "check" ? cell.checked : grid.IsUserEditable(r, c);
        return Status(
            shown == *on ? "" : at + (what == "check" ? " is checked: " : " is editable: ") + (shown ? "yes" : "no"));
    }
    if (what == "backcolor" || what == "textcolor") {
        long shown = what == "backcolor" ? cell.backColor : cell.textColor;
        return Status(ColourText(shown) == expected ? "" : mismatch(at + " " + what, ColourText(shown), expected));
    }
    return Status("unknown expectation '" + Utf8(what) + "'");
}

int HeadlessDialogRunner::TrackPopupMenu(Dialog&, const MenuTemplate& menu) {
    m_requests.push_back("menu " + std::to_string(menu.id));
    if (!NextIs("menu")) return 0;
    ScriptStep step = m_script.Take();
    const std::string& word = step.args[0];
    if (word == "none") return 0;
    auto number = ParseNumber(word);
    for (const MenuItem& item : menu.items) {
        if (item.command == 0) continue;
        if ((number && item.command == *number) || (!number && item.caption == word)) {
            Trace("menu: " + Utf8(item.caption));
            return item.command;
        }
    }
    Fail(step, "menu " + std::to_string(menu.id) + " has no command '" + Utf8(word) + "'");
    return 0;
}

std::optional<std::string> HeadlessDialogRunner::FileDialog(Dialog*, const FileDialogRequest& request) {
    m_requests.push_back("file");
    Trace(std::string("file dialog: ") + Utf8(request.title.empty() ? request.filter : request.title));
    if (!NextIs("file")) return std::nullopt;
    ScriptStep step = m_script.Take();
    if (step.args.empty()) return std::nullopt;
    return step.args[0];
}

Answer HeadlessDialogRunner::AnswerMessage(std::string_view textGbk, Buttons buttons) {
    m_messages.emplace_back(textGbk);
    Trace("message: " + Utf8(textGbk));
    if (!NextIs("answer")) return ckw::ui::DefaultAnswer(buttons);
    ScriptStep step = m_script.Take();
    auto answer = ParseAnswer(step.args[0]);
    if (!answer || !Offers(buttons, *answer)) {
        Fail(step, "the message box '" + Utf8(textGbk) + "' offers no answer '" + step.args[0] + "'");
        return ckw::ui::DefaultAnswer(buttons);
    }
    if (step.args.size() == 2 && textGbk.find(step.args[1]) == std::string_view::npos) {
        Fail(step, "the message is '" + Utf8(textGbk) + "', expected '" + Utf8(step.args[1]) + "'");
        return ckw::ui::DefaultAnswer(buttons);
    }
    return *answer;
}

Answer ScriptedUi::MessageBox(std::string_view textGbk, std::string_view, Buttons buttons) {
    return m_runner.AnswerMessage(textGbk, buttons);
}

ScriptSession::ScriptSession(DialogScript script)
    : m_runner(std::move(script)),
      m_previousRunner(SetRunner(&m_runner)),
      m_previousUi(ckw::ui::Current()),
      m_ui(m_runner, m_previousUi) {
    ckw::ui::SetCurrent(&m_ui);
}

ScriptSession::~ScriptSession() {
    ckw::ui::SetCurrent(&m_previousUi);
    SetRunner(m_previousRunner);
}

std::string ScriptSession::Report() const {
    std::string report;
    for (const std::string& error : m_runner.Errors()) report += error + "\n";
    if (m_runner.RemainingSteps() > 0)
        report += std::to_string(m_runner.RemainingSteps()) + " step(s) of the script were not used\n";
    return report;
}

}  // namespace ckw::dlg
