// Extended data written through the library on the reference engine, saved as a .T drawing and
// opened again, comes back word for word; kwutil xdata shows it.
#include <array>
#include <cstdio>
#include <memory>

#include "DrawingRecords.h"
#include "ReferenceEngine.h"
#include "framework/GbkText.h"
#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

class XDataRoundTrip : public ::testing::Test {
protected:
    void SetUp() override { m_saved = std::exchange(m_pCfg, &eng); }
    void TearDown() override { m_pCfg = m_saved; }

    // Draws a line (it becomes the current entity) and returns its identifier pair.
    std::array<int, 2> Line(float y) {
        eng.HostDrawLine(0, y, 100, y);
        std::array<int, 2> id{};
        eng.HostGetEntityId(0, id[0], id[1]);
        return id;
    }
    Words StreamOf(std::array<int, 2> id) {
        int found = 0;
        eng.HostFindEntity(0, 0, id[0], id[1], found);
        EXPECT_EQ(found, 1);
        Words words(kHostXDataWords);
        int count = 0;
        eng.HostGetXData(count, words.data(), kHostXDataWords);
        words.resize(static_cast<size_t>(std::max(count, 0)));
        return words;
    }
    void SaveAndReopen() {
        std::string error;
        const auto file = dir.path() / "xdata.T";
        ASSERT_TRUE(eng.Save(0, file, error)) << error;
        eng.Reset();
        ASSERT_TRUE(eng.Open(0, file, error)) << error;
    }

    engine::ReferenceEngine eng;
    TempDir dir;
    ui::RecordingUi ui;
    CXDataUtil util;
    HostEngine* m_saved = nullptr;
};

TEST_F(XDataRoundTrip, EveryBlockComesBackWordForWordFromTheSavedDrawing) {
    Items column, other, replaced, pending;
    column.Int(3).Real(2.5f).Str("KZ1 中文");
    other.Str("abcd");
    replaced.Int(-1);
    pending.Int(42);

    auto first = Line(0);
    ASSERT_EQ(util.Set_XData(0, first.data(), "$KW_COLUM", column.list), 1);
    ASSERT_EQ(util.Set_XData(0, first.data(), "$OTHER", other.list), 1);
    ASSERT_EQ(util.Set_XData(0, first.data(), "$KW_COLUM", replaced.list), 1);
    auto second = Line(10);
    ASSERT_EQ(util.Set_curXData1(0, "$LATER", column.list), 1);
    {  // the caller's own write carries the pending stream
        int kind = 0, count = 0, length = 0;
        std::array<int, kHostAttributeCount> attributes{};
        std::vector<float> values(kHostRecordCapacity);
        std::vector<char> text(kHostRecordCapacity);
        eng.HostReadEntity(kind, attributes.data(), values.data(), count, text.data(), length, kHostRecordCapacity);
        int iFail = -1;
        eng.HostUpdateEntity(kind, attributes.data(), values.data(), count, text.data(), length, kHostRecordCapacity, 0,
                             12, iFail);
        ASSERT_EQ(iFail, 0);
        eng.HostSetXData(0, nullptr);
    }
    ASSERT_EQ(util.New_XData("$NEW", pending.list), 1);
    auto created = Line(20);
    ASSERT_EQ(util.Close_XData(), 1);
    auto plain = Line(30);
    kwWrite_DrawingInfo(3, "梁图", 5, 100, "说明", 2005);
    kwWrite_DrawingFrame(1, 0, 100, 841, 594, "BTL.T");

    const Words firstWords = StreamOf(first), secondWords = StreamOf(second), createdWords = StreamOf(created);
    const Words record = eng.Current().Data();
    EXPECT_EQ(engine::XDataApplications(firstWords), (std::vector<std::string>{"$OTHER", "$KW_COLUM"}));
    EXPECT_EQ(engine::XDataApplications(secondWords), (std::vector<std::string>{"$LATER"}));
    EXPECT_EQ(engine::XDataApplications(createdWords), (std::vector<std::string>{"$NEW"}));
    EXPECT_TRUE(StreamOf(plain).empty()) << "created after the pending stream was cleared";

    SaveAndReopen();
    EXPECT_EQ(StreamOf(first), firstWords);
    EXPECT_EQ(StreamOf(second), secondWords);
    EXPECT_EQ(StreamOf(created), createdWords);
    EXPECT_EQ(eng.Current().Data(), record);

    Items back;
    ASSERT_EQ(util.Get_XData(0, second.data(), "$later", &back.list), 1);
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
    auto id = Line(0);
    ASSERT_EQ(util.Set_XData(0, id.data(), "$KW_COLUM", items.list), 1);
    kwWrite_DrawingFrame(2, 1, 50, 420, 297, "BTL.T");
    std::string error;
    const auto file = dir.path() / "listed.T";
    ASSERT_TRUE(eng.Save(0, file, error)) << error;

    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((std::string(CKW_KWUTIL) + " xdata '" + file.string() + "'").c_str(), "r"),
                                               pclose);
    ASSERT_TRUE(pipe);
    std::string out;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
    const std::string expected[] = {"$KW_COLUM\n    0: integer 7\n    1: string \"" + ckw::text::U8(u8"中文") + "\"\n",
                                    "drawing-level record:\n  $KELO_DRAWFRAME\n    0: sheet number = integer 2\n",
                                    "    1: scale = real 50\n", "    5: title block = string \"BTL.T\"\n"};
    for (const auto& part : expected) EXPECT_NE(out.find(part), std::string::npos) << part << "\nin:\n" << out;
}

}  // namespace
}  // namespace ckw::test
