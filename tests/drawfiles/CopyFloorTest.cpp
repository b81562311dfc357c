// Copy other floor on real drawings: the layers offered, what is copied where, the pick round
// trip and the refused scale.
#include <gtest/gtest.h>

#include "DrawFilesFixture.h"
#include <ckw/DrawingFiles.h>
#include "drawfiles/FloorCommand.h"

namespace ckw::test {
namespace {

class CopyFloorTest : public DrawFilesFixture {
protected:
    // Layers 1 "轴线", 2 "墙" and 3 "柱" (listed twice), one line on each, a text style and a
    // dimension style.
    fs::path Source() {
        Begin();
        Layer(3, G(u8"柱"));
        Layer(1, G(u8"轴线"));
        Layer(2, G(u8"墙"));
        auto& d = eng.Current();
        d.Add(engine::Entity{engine::kLayerEntry, 0, 0, {3}, {}, G(u8"柱"), {}, false});
        Line(1, 0, 0, 10, 0);
        Line(2, 0, 0, 0, 10);
        Line(3, 1, 1, 2, 2);
        d.Add(engine::Entity{engine::kTextStyleEntry, 0, 0, {1}, {}, "STANDARD", {}, false});
        d.Add(engine::Entity{engine::kDimStyleEntry, 0, 0, {1}, {}, "DIM", {}, false});
        return Save("floor2.T");
    }
    std::string SourceGbk() { return ckw::text::Utf8ToGbk(Source().string()); }
};

TEST_F(CopyFloorTest, CopiesTheCheckedLayersAtTheGivenPointAndScale) {
    const std::string source = SourceGbk();
    dlg::ScriptSession session(Steps(ckw::text::U8(u8R"(
dialog 1011
expect caption ")") + ckw::text::GbkToUtf8(source) +
                                     ckw::text::U8(u8R"("
expect rows 4
expect cell 0 0 层号
expect cell 0 1 层名称
expect cell 1 0 1
expect cell 3 0 3
expect cell 3 1 柱
expect check 2 0 on
expect text 1018 1
check 2 0 off
edit 1018 2
edit 1013 100
edit 1016 50
ok
)")));
    const auto report = drawfiles::RunFloorInsertion(source, drawfiles::InsertMode::Floor);
    EXPECT_TRUE(session.Succeeded()) << session.Report();
    auto lines = Live(engine::kLine);
    ASSERT_EQ(lines.size(), 2u) << "layer 2 was unchecked";
    EXPECT_EQ(lines[0].Layer(), 1);
    EXPECT_EQ(lines[0].values, (std::vector<float>{100, 50, 120, 50}));
    EXPECT_EQ(lines[1].values, (std::vector<float>{102, 52, 104, 54}));
    EXPECT_EQ(Live(engine::kTextStyleEntry).size(), 1u);
    EXPECT_EQ(Live(engine::kDimStyleEntry).size(), 1u);
    EXPECT_EQ(eng.Current().Layer(3)->name, G(u8"柱")) << "mode 0 keeps the names";
    EXPECT_EQ(eng.Current().Names().at(12), source);
    EXPECT_EQ(report.copied, 2 + 3 + 2);  // lines, layer entries 1 and 3 (twice), styles
    EXPECT_EQ(eng.Units(), std::vector<int>{1}) << "the source was closed";
}

TEST_F(CopyFloorTest, PickRoundTripAndRefusedScale) {
    const std::string source = SourceGbk();
    Input("point 30 40\n");
    dlg::ScriptSession session(
        Steps(ckw::text::U8(u8R"(
check 1 0 off
click 拾取...
dialog 1011
expect check 1 0 off
expect text 1013 30
expect text 1016 40
edit 1018 0
ok
answer ok 插入比例不能为0
edit 1018 abc
ok
answer ok
edit 1018 nan
ok
answer ok
cancel
)")));
    drawfiles::RunFloorInsertion(source, drawfiles::InsertMode::Floor);
    EXPECT_TRUE(session.Succeeded()) << session.Report();
    EXPECT_EQ(eng.PromptLine(), G(u8"请点取插入点, [ESC]退出"));
    EXPECT_TRUE(Live(engine::kLine).empty()) << "cancel copies nothing";
}

TEST_F(CopyFloorTest, ANegativeScaleCopiesTheFloorTurnedOver) {
    const std::string source = SourceGbk();
    dlg::ScriptSession session(Steps("edit 1018 -2\nedit 1013 100\nok\n"));
    drawfiles::RunFloorInsertion(source, drawfiles::InsertMode::Floor);
    EXPECT_TRUE(session.Succeeded()) << session.Report();
    const auto lines = Live(engine::kLine);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].values, (std::vector<float>{100, 0, 80, 0}));
}

TEST_F(CopyFloorTest, CommandAsksForTheFileAndStopsWithoutLayers) {
    Begin();
    Line(0, 0, 0, 1, 1);
    const fs::path empty = Save("empty.T");
    Input("file \"" + empty.string() + "\"\n");
    dlg::ScriptSession session;
    exCopyOtherFloor();
    EXPECT_EQ(session.Messages(), std::vector<std::string>{G(u8"没有发现图层！！")});
    EXPECT_TRUE(Live(engine::kLine).empty());
    // Cancel in the file dialog ends it silently.
    exCopyOtherFloor();
    EXPECT_EQ(session.Messages().size(), 1u);
}

}  // namespace
}  // namespace ckw::test
