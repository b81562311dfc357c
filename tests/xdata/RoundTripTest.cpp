// Extended data written through the library on the reference engine, saved as a .T drawing and
// opened again, comes back word for word; kwutil xdata shows it.
#include <cstdio>
#include <memory>

#include <ckw/DrawingRecords.h>
#include "base/GbkText.h"
#include "support/RunKwutil.h"
#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

class XDataRoundTrip : public XDataTest {
protected:
    std::filesystem::path Save() {
        std::string error;
        const auto file = dir.path() / "xdata.T";
        EXPECT_TRUE(engine.ref.Save(0, file, error)) << error;
        return file;
    }
    TempDir dir;
};

TEST_F(XDataRoundTrip, EveryBlockComesBackWordForWordFromTheSavedDrawing) {
    Items column, other, replaced, pending;
    column.Int(3).Real(2.5f).Str("KZ1 中文");
    other.Str("abcd");
    replaced.Int(-1);
    pending.Int(42);
    ASSERT_EQ(util.Set_XData(kind, id.data(), "$KW_COLUM", column.list), 1);
    ASSERT_EQ(util.Set_XData(kind, id.data(), "$OTHER", other.list), 1);
    ASSERT_EQ(util.Set_XData(kind, id.data(), "$KW_COLUM", replaced.list), 1);
    auto second = Line(10);
    ASSERT_EQ(util.Set_curXData1(kind, "$LATER", column.list), 1);
    CallerUpdate();
    ASSERT_EQ(util.New_XData("$NEW", pending.list), 1);
    const auto created = Line(20);
    ASSERT_EQ(util.Close_XData(), 1);
    const auto plain = Line(30);
    kwWrite_DrawingInfo(3, "梁图", 5, 100, "说明", 2005);
    kwWrite_DrawingFrame(1, 0, 100, 841, 594, "BTL.T");

    const engine::Drawing before = engine.ref.Current();
    EXPECT_EQ(engine::XDataApplications(Stream()), (std::vector<std::string>{"$OTHER", "$KW_COLUM"}));
    EXPECT_EQ(engine::XDataApplications(Stream(second)), (std::vector<std::string>{"$LATER"}));
    EXPECT_EQ(engine::XDataApplications(Stream(created)), (std::vector<std::string>{"$NEW"}));
    EXPECT_TRUE(Stream(plain).empty()) << "created after the pending stream was cleared";

    const auto file = Save();
    engine.ref.Reset();
    std::string error;
    ASSERT_TRUE(engine.ref.Open(0, file, error)) << error;
    for (const auto& e : before.Entities()) EXPECT_EQ(Stream({e.id0, e.id1}), e.xdata) << e.id0;
    EXPECT_EQ(Record(), before.Data());

    Items back;
    ASSERT_EQ(util.Get_XData(kind, second.data(), "$later", &back.list), 1);
    EXPECT_EQ(back.StrAt(2), "KZ1 中文");
    int i1 = 0, i2 = 0, i3 = 0, i4 = 0, a = 0, b = 0, c = 0, d = 0;
    float r = 0;
    char s1[16], s2[16], s[16];
    kwRead_DrawingInfo(i1, s1, i2, i3, s2, i4);
    kwRead_DrawingFrame(a, b, r, c, d, s);
    EXPECT_EQ(i4, 2005);
    EXPECT_STREQ(s2, "说明");
    EXPECT_EQ(d, 594);
    EXPECT_STREQ(s, "BTL.T");
}

TEST_F(XDataRoundTrip, KwutilListsEntitiesAndTheDrawingRecordsByField) {
    Items items;
    items.Int(7).Str("中文");
    ASSERT_EQ(util.Set_XData(kind, id.data(), "$KW_COLUM", items.list), 1);
    kwWrite_DrawingFrame(2, 1, 50, 420, 297, "BTL.T");
    const std::string out = ckw::test::RunKwutil({"xdata", Save().string()}, false).out;
    const std::string expected[] = {"$KW_COLUM\n    0: integer 7\n    1: string \"" + ckw::text::U8(u8"中文") + "\"\n",
                                    "drawing-level record:\n  $KELO_DRAWFRAME\n    0: sheet number = integer 2\n",
                                    "    1: scale = real 50\n", "    5: title block = string \"BTL.T\"\n"};
    for (const auto& line : expected) EXPECT_NE(out.find(line), std::string::npos) << line << "\nin:\n" << out;
}

}  // namespace
}  // namespace ckw::test
