// The old-drawing browser on a folder of real drawings: which files are offered, what the dialog
// shows, the single check, and what each form of kwOpen_OldDrawing hands back or opens.
#include <gtest/gtest.h>

#include <utime.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "DrawFilesFixture.h"
#include <ckw/DrawingFiles.h>
#include "drawfiles/OldDrawings.h"

namespace ckw::test {
namespace {

using drawfiles::FindOldDrawings;
using drawfiles::OldDrawingQuery;

constexpr int kKind = 5;

class OldDrawingTest : public DrawFilesFixture {
protected:
    void SetUp() override {
        DrawFilesFixture::SetUp();
        m_name = G(u8"三层结构平面图");
        InfoDrawing("a.T", kKind, m_name, 1, 100);
        InfoDrawing("b.t", kKind, m_name + "  ", 3, 50);       // trailing blanks do not count
        InfoDrawing("c.T", kKind, G(u8"基础平面图"), 3, 100);  // another drawing
        InfoDrawing("d.T", kKind, m_name, 1000, 100);          // floor out of range
        InfoDrawing("e.T", kKind + 1, m_name, 3, 100);         // another kind
        InfoDrawing("mine.T", kKind, m_name, 3, 100);          // the one the user works on
        std::ofstream(m_dir / "notes.txt") << "not a drawing\n";
        std::ofstream(m_dir / "broken.T") << "not a drawing either\n";
        std::string error;
        ASSERT_TRUE(eng.Open(0, m_dir / "mine.T", error)) << error;
        // The engine knows the drawing by another letter case of its path.
        eng.Current().SetFileName(ckw::text::ToUpper(Folder()) + "MINE.T");
    }
    std::string Folder() const { return ckw::text::Utf8ToGbk(m_dir.string()) + "/"; }
    std::vector<std::string> Shown(int floor) {
        std::vector<std::string> names;
        for (const auto& c : FindOldDrawings(OldDrawingQuery{Folder(), m_name, kKind, floor}))
            names.push_back(c.shownName);
        return names;
    }
    std::string m_name;
};

TEST_F(OldDrawingTest, OffersTheSameDrawingOfOtherFilesOnly) {
    EXPECT_EQ(Shown(999), (std::vector<std::string>{"a.T", "b.t"}));
    EXPECT_EQ(Shown(-1000), (std::vector<std::string>{"a.T", "b.t"}));
    EXPECT_EQ(Shown(3), (std::vector<std::string>{"b.t"}));
    EXPECT_EQ(Shown(2), (std::vector<std::string>{}));
    // The folder without its separator finds the same; the user's drawing stays current.
    EXPECT_EQ(FindOldDrawings(OldDrawingQuery{ckw::text::Utf8ToGbk(m_dir.string()), m_name, kKind, 999}).size(), 2u);
    EXPECT_EQ(eng.DrawingOn(0)->FileName(), ckw::text::ToUpper(Folder()) + "MINE.T");
}

TEST_F(OldDrawingTest, FilesWhoseNamesDifferInLetterCaseShowTheirOwnNames) {
    InfoDrawing("plan3.T", kKind, m_name, 7, 100);
    InfoDrawing("PLAN3.T", kKind, m_name, 7, 100);
    std::vector<std::string> names = Shown(7);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"PLAN3.T", "plan3.T"}));
}

TEST_F(OldDrawingTest, ShowsTheCandidatesAndHandsBackTheLastCheckedRow) {
    // Written at 9:05 local time: the minutes are padded with a blank.
    std::tm local{};
    local.tm_year = 2026 - 1900, local.tm_mon = 2, local.tm_mday = 9, local.tm_hour = 9, local.tm_min = 5;
    local.tm_isdst = -1;
    const std::time_t written = std::mktime(&local);
    const struct utimbuf times { written, written };
    ASSERT_EQ(::utime((m_dir / "b.t").c_str(), &times), 0);

    dlg::ScriptSession session(Steps(ckw::text::U8(u8R"(
dialog 1013
expect text 2004 "当前搜索路径: )") + m_dir.string() +
                                     ckw::text::U8(u8R"(/"
expect rows 3
expect cols 4
expect cell 0 0 图名
expect cell 0 2 修改时间
expect cell 1 0 a.T
expect cell 1 1 1
expect cell 1 3 100
expect cell 2 0 b.t
expect cell 2 2 "2026-3-9 09:05"
expect editable 1 0 no
check 1 0 on
check 2 0 on
expect check 1 0 off
expect check 2 0 on
ok
)")));
    int kind = kKind, floor = 999, scale = 0;
    char path[260] = "untouched";
    EXPECT_EQ(kwOpen_OldDrawing(Folder().c_str(), m_name.c_str(), kind, floor, scale, path), 1);
    EXPECT_TRUE(session.Succeeded()) << session.Report();
    // The real name: the file is "b.t".
    EXPECT_EQ(std::string(path), Folder() + "b.t");
    EXPECT_EQ(floor, 3);
    EXPECT_EQ(scale, 50);
}

TEST_F(OldDrawingTest, OkWithoutPickCancelAndShortBuffers) {
    int kind = kKind, floor = 999, scale = 7;
    char path[260] = "untouched";
    {
        dlg::ScriptSession session(Steps("ok\n"));
        EXPECT_EQ(kwOpen_OldDrawing(Folder().c_str(), m_name.c_str(), kind, floor, scale, path), 1);
    }
    EXPECT_STREQ(path, "untouched");
    EXPECT_EQ(floor, 999);
    EXPECT_EQ(scale, 7);
    {
        dlg::ScriptSession session(Steps("check 1 0 on\ncancel\n"));
        EXPECT_EQ(kwOpen_OldDrawing(Folder().c_str(), m_name.c_str(), kind, floor, scale, path), 0);
    }
    {
        // A buffer too small for the path gets nothing and the call fails.
        dlg::ScriptSession session(Steps("check 1 0 on\nok\nanswer ok\n"));
        char tiny[8] = "tiny";
        EXPECT_EQ(kwOpen_OldDrawing(Folder().c_str(), m_name.c_str(), kind, floor, scale, tiny, sizeof tiny), 0);
        EXPECT_STREQ(tiny, "tiny");
    }
    // Nothing to offer: no dialog at all.
    dlg::ScriptSession none;
    EXPECT_EQ(kwOpen_OldDrawing(Folder().c_str(), G(u8"没有的图").c_str(), kind, floor, scale, path), 0);
    EXPECT_EQ(none.Runner().Requests().size(), 0u);
}

TEST_F(OldDrawingTest, OpensThePickedDrawingOnlyWhenItOpens) {
    const int unit = eng.CurrentUnit();
    int kind = kKind, floor = 999, scale = 0;
    {
        // The picked file disappears before OK: the user's drawing stays.
        dlg::DialogScript script = Steps("check 1 0 on\n");
        script.Call([this](dlg::Dialog&) { fs::remove(m_dir / "a.T"); });
        script.Add("ok\n");
        dlg::ScriptSession session(std::move(script));
        EXPECT_EQ(kwOpen_OldDrawing(Folder().c_str(), m_name.c_str(), kind, floor, scale), 0);
        EXPECT_EQ(eng.DrawingOn(unit)->FileName(), ckw::text::ToUpper(Folder()) + "MINE.T");
    }
    dlg::ScriptSession session(Steps("check 1 0 on\nok\n"));
    EXPECT_EQ(kwOpen_OldDrawing(Folder().c_str(), m_name.c_str(), kind, floor, scale), 1);
    EXPECT_EQ(eng.CurrentUnit(), unit);
    EXPECT_EQ(eng.Current().FileName(), Folder() + "b.t");
    EXPECT_EQ(floor, 3);
}

TEST_F(OldDrawingTest, BrowsingNeverClosesADrawingOnUnit99) {
    eng.NewDrawing(99);
    Line(1, 0, 0, 5, 5);
    // "MINE.T" is no longer the drawing in front, so it is offered too.
    EXPECT_EQ(FindOldDrawings(OldDrawingQuery{Folder(), m_name, kKind, 999}).size(), 3u);
    ASSERT_NE(eng.DrawingOn(99), nullptr);
    EXPECT_EQ(eng.CurrentUnit(), 99);
    EXPECT_EQ(Live(engine::kLine, 99).size(), 1u);
}

}  // namespace
}  // namespace ckw::test
