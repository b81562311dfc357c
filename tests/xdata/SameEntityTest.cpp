// ModifySameEntity on the reference engine: which entities the editor changes or deletes.
#include <cstdio>

#include "xdata/CommandFixture.h"

namespace ckw::test {
namespace {

std::string Rgb(int colour) {
    const int rgb = engine::ColourToRgb(colour);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
    return text;
}

class SameEntity : public CommandTest {
protected:
    std::string Edit(const std::string& script) {
        return Play(script, [] {
            ModifySameEntity();
            return 1;
        });
    }
    // Lines like the reference one at y = 0, and each differing in one property.
    void DrawFamily() {
        reference = {Line(0, 0, 1, 1, 0, 1), Line(0, 100, 1, 1, 0, 1)};
        others = {Line(0, 200, 1, 1, 0, 2), Line(0, 300, 2, 1, 0, 1), Line(0, 400, 1, 3, 0, 1),
                  Line(0, 500, 1, 1, 300, 1)};
        engine.Current().DefineLineType(3, {5, -2});
        for (int id : others) before.push_back(At(id));
    }
    int Text(float y, float height, int colour) {
        engine.HostSetPen(1, 1, 0, colour, 1);
        engine.HostDrawText("ABC", 3, 0, y, height * 0.7f, height, 101, 101, 0);
        return CurrentId();
    }
    std::vector<int> reference, others;
    std::vector<engine::Entity> before;
};

TEST_F(SameEntity, EmptySpacePromptsAgainAndEscEnds) {
    Line(0, 0);
    // No window opens for a point that hits nothing, so there is nothing to take the check.
    const std::string report = Edit("point 5000 5000\nexpect caption x\nesc\n");
    EXPECT_NE(report.find("no window is open"), std::string::npos) << report;
    EXPECT_EQ(Edit("point 5000 5000\nesc\n"), "");
    int prompts = 0;
    for (const std::string& p : engine.PromptHistory()) prompts += p == "请用光标选择要修改的内容, [ESC]退出";
    EXPECT_EQ(prompts, 2 + 2);
}

TEST_F(SameEntity, WindowShowsTheKindAndProperties) {
    DrawFamily();
    engine.Current().DefineLineType(2, {3, -1});
    engine.Current().DefineLineType(7, {1, -1});  // after the gap at 4: not offered
    EXPECT_EQ(Edit("point 50 0\n"
                   "expect caption 同类实体编辑器:2,LINE\n"
                   "expect rows 4\n"
                   "expect cell 1 0 颜色\n"
                   "expect backcolor 1 1 " +
                   Rgb(1) +
                   "\n"
                   "expect cell 2 1 1\n"
                   "choose 2 1 #2\n"
                   "expect cell 2 1 3\n"
                   "expect cell 3 1 0\n"
                   "esc\n"),
              "");
    const std::string report = Edit("point 50 0\nchoose 2 1 7\nesc\n");
    EXPECT_NE(report.find("no entry '7'"), std::string::npos) << report;
}

// A line on a red layer drawn "by layer" shows red and is one of the red lines.
TEST_F(SameEntity, ColourByLayerIsTheLayersColourWhenShownAndMatched) {
    engine.Current().DefineLayer({5, "RED", 1, 0, 1, 0});
    const int byLayer = Line(0, 0, 5, 1, 0, 256), red = Line(0, 100, 5, 1, 0, 1), green = Line(0, 200, 5, 1, 0, 3);
    EXPECT_EQ(Edit("point 50 0\nexpect backcolor 1 1 " + Rgb(1) + "\ncell 3 1 30\nclick 修改...\nesc\n"), "");
    EXPECT_EQ(At(byLayer).WidthCode(), 30);
    EXPECT_EQ(At(byLayer).Colour(), 256) << "an unchanged colour stays by layer";
    EXPECT_EQ(At(red).WidthCode(), 30);
    EXPECT_EQ(At(green).WidthCode(), 0);
}

TEST_F(SameEntity, ApplyChangesOnlyEntitiesWithAllTheSameProperties) {
    DrawFamily();
    EXPECT_EQ(Edit("point 50 0\ncolour 1 1 " + Rgb(3) +
                   "\nclick 修改...\n"
                   // The changed entities are now the reference: a second change reaches them.
                   "cell 3 1 250\nclick 修改...\nesc\n"),
              "");
    for (int id : reference) {
        EXPECT_EQ(At(id).Colour(), 3);
        EXPECT_EQ(At(id).WidthCode(), 250);
    }
    for (size_t i = 0; i < others.size(); ++i) EXPECT_EQ(At(others[i]), before[i]) << i;
}

TEST_F(SameEntity, ApplyingWithoutChangeLeavesTheDrawingUntouched) {
    DrawFamily();
    Text(800, 3.26f, 1);  // shown rounded as 3.3: unchanged cells keep their values
    const engine::Drawing drawing = engine.Current();
    EXPECT_EQ(Edit("point 50 0\nclick 修改...\npoint 1 801\nexpect cell 4 1 3.3\nclick 修改...\nesc\n"), "");
    EXPECT_TRUE(engine.Current() == drawing);
}

TEST_F(SameEntity, TextKeepsItsSizesWhenOnlyTheColourChanges) {
    const int small = Text(0, 3.25f, 1), other = Text(100, 5, 1);
    At(small).xdata = {10000, '{', 10010, 1, 'A', 10099, '}'};
    EXPECT_EQ(Edit("point 1 1\nexpect rows 6\nexpect cell 5 0 字符宽\ncolour 1 1 " + Rgb(4) + "\nclick 修改...\nesc\n"),
              "");
    EXPECT_EQ(At(small).Colour(), 4);
    EXPECT_EQ(At(small).values[0], 3.25f);
    EXPECT_EQ(At(small).xdata, (Words{10000, '{', 10010, 1, 'A', 10099, '}'}));
    EXPECT_EQ(At(other).Colour(), 1);

    // Nothing is left pending: the next entity written does not take the text's data.
    const int line = Line(0, 900);
    int kind = 0, count = 0, length = 0, iFail = 0;
    std::array<int, kHostAttributeCount> attributes{};
    std::vector<float> values(kHostRecordCapacity);
    std::vector<char> text(kHostRecordCapacity);
    engine.HostReadEntity(kind, attributes.data(), values.data(), count, text.data(), length, kHostRecordCapacity);
    engine.HostUpdateEntity(kind, attributes.data(), values.data(), count, text.data(), length, kHostRecordCapacity, 0,
                            12, iFail);
    EXPECT_TRUE(Stream(line).empty());

    EXPECT_EQ(Edit("point 1 1\ncell 4 1 4.5\nclick 修改...\nesc\n"), "");
    EXPECT_EQ(At(small).values[0], 4.5f);
    EXPECT_EQ(At(other).values[0], 5.0f);
}

TEST_F(SameEntity, DeleteRemovesExactlyTheMatchingEntities) {
    DrawFamily();
    EXPECT_EQ(Edit("point 50 0\nclick 删除...\nesc\n"), "");
    for (int id : reference) EXPECT_TRUE(At(id).deleted);
    for (int id : others) EXPECT_FALSE(At(id).deleted);
}

TEST_F(SameEntity, AWidthThatIsNotANumberIsRefused) {
    DrawFamily();
    EXPECT_EQ(Edit("point 50 0\ncell 3 1 wide\nclick 修改...\nanswer ok 线宽\nesc\n"), "");
    for (int id : reference) EXPECT_EQ(At(id).WidthCode(), 0);
}

}  // namespace
}  // namespace ckw::test
