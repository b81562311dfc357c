// The toolkit-free grid, the dialog script and the headless runner.
#include <gtest/gtest.h>

#include "dialog/Dialog.h"
#include "dialog/DialogHeadless.h"
#include "base/GbkText.h"
#include "platform/RecordingUi.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

using namespace ckw::dlg;

namespace {

struct Event {
    std::string name;
    int row, col;
    std::string detail;
    bool operator==(const Event&) const = default;
};

class EventLog : public ckw::grid::GridEvents {
public:
    void GridCellClicked(int, short r, short c, long, const char* t) override { events.push_back({"click", r, c, t}); }
    void GridRightClicked(int, short r, short c, long, const char* t) override { events.push_back({"right", r, c, t}); }
    void GridCellEdited(int, short r, short c, const char* t) override { events.push_back({"edit", r, c, t}); }
    void GridCheckChanged(int, short r, short c, bool on, const char*) override {
        events.push_back({"check", r, c, on ? "on" : "off"});
    }
    void GridColorPicked(int, short r, short c, long colour) override {
        events.push_back({"colour", r, c, std::to_string(colour)});
    }
    void GridButtonClicked(int, short r, short c) override { events.push_back({"browse", r, c, ""}); }
    std::vector<Event> events;
};

// A dialog of the two-choice template that asks a question and shows the popup menu on a
// right click; used to check the runner itself.
class ProbeDialog : public Dialog {
public:
    ProbeDialog() : Dialog(ckw::res::DialogResource(ckw::res::IDD_TWO_CHOICE)) {}
    void OnCommand(int) override {}
    void OnRadioClicked(int id) override {
        answer = ckw::ui::MessageBox("继续吗?", ckw::ui::Buttons::YesNo);
        menu = TrackPopupMenu(ckw::res::MenuResource(ckw::res::IDR_LAYER_MENU));
        file = FileDialog({});
        clicked = id;
    }
    ckw::ui::Answer answer = ckw::ui::Answer::Ok;
    int menu = -1;
    std::optional<std::string> file;
    int clicked = 0;
};

}  // namespace

TEST(GridModel, ShapeChangesKeepCellsAndRowsCanBeInsertedAndDeleted) {
    GridModel grid(2000, nullptr);
    grid.GridSetRows(3);
    grid.GridSetCols(2);
    grid.GridSetCellText(2, 1, "b");
    grid.GridSetCols(4);
    EXPECT_EQ(grid.GridGetCellText(2, 1), CString("b"));
    EXPECT_FALSE(grid.GridSetCellText(3, 0, "x")) << "outside the grid";
    EXPECT_TRUE(grid.GridInsertRow(1));
    EXPECT_EQ(grid.GridGetCellText(3, 1), CString("b"));
    EXPECT_FALSE(grid.GridDeleteRow(0)) << "the caption row stays";
    EXPECT_TRUE(grid.GridDeleteRow(1));
    EXPECT_EQ(grid.GridGetRows(), 3);
    grid.GridSetCellText(1, 1, "  12.5abc");
    EXPECT_DOUBLE_EQ(grid.GridGetCellNumber(1, 1), 12.5);
    EXPECT_EQ(grid.GridGetRowHeight(0), 22);
    EXPECT_EQ(grid.GridGetRowHeight(99), 22) << "a grid answers the default height before it has rows";
}

TEST(GridModel, UserActionsRespectCellStatesAndSendTheirEvents) {
    EventLog log;
    GridModel grid(2000, &log);
    grid.GridSetRows(3);
    grid.GridSetCols(3);
    grid.GridSetCellEditMode(1, 1, 1);
    grid.GridSetCellEditMode(1, 2, 1);
    grid.GridSetCellReadOnly(1, 2, true);
    grid.GridSetCellType(2, 1, ckw::grid::kTypeCheckName);
    grid.GridSetCellReadOnly(2, 1, true);
    grid.GridSetCellKind(2, 2, ckw::grid::kKindColor, -1);
    grid.GridSetCellItems(1, 0, "a\nb");
    grid.GridSetCellKind(1, 0, ckw::grid::kKindDropDown, 0);

    EXPECT_EQ(grid.UserEdit(1, 1, "x"), "");
    EXPECT_NE(grid.UserEdit(1, 2, "x"), "") << "read-only";
    EXPECT_NE(grid.UserEdit(2, 2, "x"), "") << "not an edit field";
    EXPECT_NE(grid.UserEdit(0, 1, "x"), "") << "captions are never edited";
    EXPECT_EQ(grid.UserCheck(2, 1, true), "") << "read-only locks the text of a check-box cell, not its box";
    EXPECT_EQ(grid.UserCheck(2, 1, true), "") << "no change, no event";
    EXPECT_NE(grid.UserCheck(1, 1, true), "");
    EXPECT_EQ(grid.UserPickColor(2, 2, 0x123456), "");
    EXPECT_EQ(grid.GridGetCellBackColor(2, 2), 0x123456);
    EXPECT_NE(grid.UserChoose(1, 0, 0), "") << "a drop-down in the caption column";
    grid.GridSetFixedCols(0);
    EXPECT_EQ(grid.UserChoose(1, 0, 1), "");
    EXPECT_EQ(grid.GridGetCellItemIndex(1, 0), 1);
    EXPECT_EQ(grid.UserClick(2, 1), "");
    EXPECT_EQ(grid.GridGetCurrentRow(), 2);
    EXPECT_NE(grid.UserClick(5, 1), "");
    EXPECT_EQ(log.events, (std::vector<Event>{{"edit", 1, 1, "x"},
                                              {"check", 2, 1, "on"},
                                              {"colour", 2, 2, std::to_string(0x123456)},
                                              {"edit", 1, 0, "b"},
                                              {"click", 2, 1, ""}}));
}

TEST(DialogScript, MistakesAreReportedWithTheirLineBeforeAnythingRuns) {
    EXPECT_EQ(DialogScript::Parse("# a comment\n\ncolour 1 2 #C0C0C0 # trailing\n").Front().args.back(), "#C0C0C0");
    auto error = [](const char* text) {
        try {
            DialogScript::Parse(text);
        } catch (const ScriptError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(error("ok\nfrobnicate 1\n"), "line 2: unknown action 'frobnicate'");
    EXPECT_EQ(error("cell 1 2\n"), "line 1: 'cell' takes 3 words, not 2");
    EXPECT_EQ(error("edit 1 \"open\n"), "line 1: a quoted text is not closed");
    auto words = SplitScriptLine(R"(edit 5 "a \"b\" \\ c")");
    EXPECT_EQ(words, (std::vector<std::string>{"edit", "5", R"(a "b" \ c)"}));
}

TEST(HeadlessRunner, AnswersComeFromTheScriptOrSafeDefaults) {
    ckw::ui::RecordingUi recording;
    {
        ScriptSession session(
            DialogScript::Parse(ckw::text::U8(u8"radio 2009\nanswer yes 继续\nmenu 32773\nfile /tmp/a.lin\nok\n")));
        ProbeDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_TRUE(session.Succeeded()) << session.Report();
        EXPECT_EQ(dialog.answer, ckw::ui::Answer::Yes);
        EXPECT_EQ(dialog.menu, 32773);
        EXPECT_EQ(dialog.file, "/tmp/a.lin");
        EXPECT_EQ(dialog.clicked, 2009);
    }
    {
        // Not answered by the script: No to a question, menus dismissed, file dialogs cancelled.
        ScriptSession session(DialogScript::Parse("radio 2010\nok\n"));
        ProbeDialog dialog;
        dialog.DoModal();
        EXPECT_TRUE(session.Succeeded()) << session.Report();
        EXPECT_EQ(dialog.answer, ckw::ui::Answer::No);
        EXPECT_EQ(dialog.menu, 0);
        EXPECT_FALSE(dialog.file);
        EXPECT_EQ(session.Messages().size(), 1u);
    }
    EXPECT_TRUE(recording.texts().empty()) << "a session answers its message boxes itself";
}

TEST(HeadlessRunner, AStepThatCannotBeDoneFailsTheScriptAndCancels) {
    ScriptSession session(DialogScript::Parse("radio 2009\nanswer ok\nclick 4242\nok\n"));
    ProbeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(session.Succeeded());
    EXPECT_EQ(session.Runner().Errors().front(),
              "line 2 (answer): the message box '" + ckw::text::GbkToUtf8("继续吗?") + "' offers no answer 'ok'");
    EXPECT_NE(session.Report().find("not used"), std::string::npos) << session.Report();
}

TEST(HeadlessRunner, AnswersWithoutAQuestionAndMismatchedExpectationsFail) {
    ScriptSession session(DialogScript::Parse("answer ok\n"));
    ProbeDialog dialog;
    dialog.DoModal();
    EXPECT_EQ(session.Runner().Errors(),
              std::vector<std::string>{"line 1 (answer): no message box is open to take it"});

    ScriptSession second(DialogScript::Parse("expect caption nothing\n"));
    ProbeDialog other;
    other.DoModal();
    ASSERT_EQ(second.Runner().Errors().size(), 1u);
    EXPECT_NE(second.Runner().Errors()[0].find("expected 'nothing'"), std::string::npos);
}

TEST(GridModel, LabelsDropDownsAndTwoLevelRowsKeepTheirState) {
    EventLog log;
    GridModel grid(7, &log);
    grid.GridSetRows(4);
    grid.GridSetCols(3);
    grid.GridAddCellLabel(0, 0, "A101", "直径", 50, 50, 4);
    grid.GridAddCellLabel(0, 0, "A101", "间距", 50, 50, 4);
    grid.GridAddCellLabel(0, 0, "A102", "根数", 950, 950, 1);
    ASSERT_EQ(grid.Cell(0, 0).labels.size(), 2u) << "a label of the same name is replaced";
    EXPECT_EQ(grid.Cell(0, 0).labels[0].text, "间距");

    grid.GridSetCellItems(2, 2, "1-INT\n2-REAL\n3-CHAR");
    grid.GridSetCellKind(2, 2, ckw::grid::kKindDropDown, 1);
    EXPECT_EQ(grid.GridGetCellItemIndex(2, 2), 1);
    grid.GridSetCellKind(3, 2, ckw::grid::kKindDropDown, 5);
    EXPECT_EQ(grid.GridGetCellItemIndex(3, 2), -1) << "no such entry";
    EXPECT_EQ(grid.UserChoose(2, 2, 2), "");
    EXPECT_EQ(grid.GridGetCellText(2, 2), CString("3-CHAR"));
    EXPECT_NE(grid.UserChoose(2, 2, 3), "");

    grid.GridSetRowLevel(1, 1);
    grid.GridSetRowLevel(2, 2);
    EXPECT_FALSE(grid.GridSetRowLevel(3, 3));
    grid.GridDeleteRow(1);
    EXPECT_EQ(grid.GridGetRowLevel(1), 2) << "levels move with their rows";
    grid.GridSetCellKind(1, 1, ckw::grid::kKindButton, 0);
    EXPECT_EQ(grid.UserBrowse(1, 1), "");
    EXPECT_EQ(log.events.back(), (Event{"browse", 1, 1, ""}));
}

TEST(HeadlessRunner, ModelessWindowsTakeTheActionsBetweenEngineAnswers) {
    HeadlessDialogRunner runner(
        DialogScript::Parse("point 1 2\n"
                            "radio 2009\n"
                            "tab\n"
                            "expect radio 2009 on\n"
                            "close\n"
                            "file \"/tmp/a b.T\"\n"
                            "esc\n"));
    DialogRunner* previous = SetRunner(&runner);
    Dialog window(ckw::res::DialogResource(ckw::res::IDD_TWO_CHOICE));
    EXPECT_EQ(runner.PlayUntilEngineAnswer(), "point 1 2");
    EXPECT_TRUE(window.OpenModeless());
    EXPECT_FALSE(window.OpenModeless()) << "open already";
    EXPECT_EQ(runner.PlayUntilEngineAnswer(), "tab");
    EXPECT_TRUE(window.Item(2009).GetCheck());
    EXPECT_EQ(runner.PlayUntilEngineAnswer(), "file /tmp/a b.T");
    EXPECT_FALSE(window.IsWindow()) << "closed by the user";
    EXPECT_TRUE(runner.OpenWindows().empty());
    EXPECT_EQ(runner.PlayUntilEngineAnswer(), "esc");
    EXPECT_EQ(runner.PlayUntilEngineAnswer(), std::nullopt);
    EXPECT_FALSE(runner.Failed());

    // A window action with no window open, and an engine answer to a modal dialog, fail.
    HeadlessDialogRunner noWindow(DialogScript::Parse("radio 2009\npoint 1 2\n"));
    EXPECT_EQ(noWindow.PlayUntilEngineAnswer(), std::nullopt);
    ASSERT_EQ(noWindow.Errors().size(), 1u);
    EXPECT_NE(noWindow.Errors()[0].find("no window is open"), std::string::npos);
    HeadlessDialogRunner modal(DialogScript::Parse("point 1 2\n"));
    SetRunner(&modal);
    EXPECT_EQ(window.DoModal(), IDCANCEL);
    ASSERT_EQ(modal.Errors().size(), 1u);
    EXPECT_NE(modal.Errors()[0].find("engine waits for no answer"), std::string::npos);
    SetRunner(previous);
}
