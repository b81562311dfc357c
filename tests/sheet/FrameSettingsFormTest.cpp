// The frame-settings dialog's rows and what "确认" reads back from them.
#include <gtest/gtest.h>

#include "sheet/FrameSettingsForm.h"
#include "support/ParaFixture.h"

namespace ckw::test {
namespace {

using geom::FrameSettings;

std::vector<std::string> Values(const std::vector<geom::FrameSettingsRow>& rows) {
    std::vector<std::string> values;
    for (const auto& row : rows) values.push_back(row.value);
    return values;
}

TEST(FrameSettingsFormTest, RowsShowTheSettings) {
    FrameSettings s;
    s.sheet = 2;
    s.orientation = 1;
    s.lengthening = 150;
    s.widening = -20;
    s.withBlocks = 7;  // any value but 0 shows as needed
    auto rows = geom::FrameSettingsRows(s);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_STREQ(rows[0].label, "图纸号");
    EXPECT_STREQ(rows[5].label, "标题栏文件名");
    EXPECT_EQ(rows[5].editor, geom::FrameSettingsRow::Editor::FileBrowse);
    EXPECT_EQ(Values(rows), (std::vector<std::string>{"2号", "2-竖放", "150", "-20", "1-需要", "BTL.T"}));
}

TEST(FrameSettingsFormTest, ConfirmReadsLeadingNumbers) {
    FrameSettings before;
    before.titlePath = "/cfg/BTL.T";
    FrameSettings s = geom::FrameSettingsFromValues({"3号", "1-横放", "200mm", "abc", "0-不需要", "BTL.T"}, before);
    EXPECT_EQ(s.sheet, 3);
    EXPECT_EQ(s.orientation, 0);
    EXPECT_EQ(s.lengthening, 200);
    EXPECT_EQ(s.widening, 0);
    EXPECT_EQ(s.withBlocks, 0);
    EXPECT_EQ(s.titlePath, "/cfg/BTL.T");
    float l = 0, w = 0;
    s.PaperSize(l, w);
    EXPECT_EQ(l, 620);
    EXPECT_EQ(w, 297);
    // Too few cells change nothing.
    EXPECT_EQ(geom::FrameSettingsFromValues({"0号"}, before).sheet, 1);
}

class FrameSettingsFileTest : public ParaFixture {};

TEST_F(FrameSettingsFileTest, NewFileNameIsCompletedAndFound) {
    FrameSettings before;
    FrameSettings s = geom::FrameSettingsFromValues({"1号", "1-横放", "0", "0", "1-需要", "mytitle"}, before);
    EXPECT_EQ(s.titleFile, "MYTITLE.T");
    EXPECT_EQ(s.titlePath, CfgGbk() + "/mytitle.T");
    s = geom::FrameSettingsFromValues({"1号", "1-横放", "0", "0", "1-需要", "/x/tb.t"}, before);
    EXPECT_EQ(s.titleFile, "TB.T");
    EXPECT_EQ(s.titlePath, "/x/tb.t");
}

}  // namespace
}  // namespace ckw::test
