// Entity records, identifiers, extended-data streams and the drawing-level record, as the library
// relies on them, including refusals that keep caller buffers and the engine intact.
#include <functional>
#include <numeric>

#include "EngineFixture.h"

namespace ckw::test {
namespace {

TEST_F(EngineTest, StartsWithOneEmptyCurrentDrawing) {
    int unit = 0;
    eng.HostGetCurrentDrawing(unit);
    EXPECT_EQ(unit, 1);
    EXPECT_TRUE(eng.Current().Entities().empty());
    EXPECT_EQ(m_pCfg, &engine::DefaultEngine());
}

TEST_F(EngineTest, DrawnEntitiesCarryThePenAndReadBack) {
    Pen(5, 3, 250, 2);
    Line(1, 2, 3, 4);
    Record r = Read();
    EXPECT_EQ(r.kind, engine::kLine);
    EXPECT_EQ(r.attributes, (std::array<int, 7>{5, 3, 250, 2, 0, 0, 0}));
    EXPECT_EQ(r.values, (std::vector<float>{1, 2, 3, 4}));
    Text("中文", 0, 0, 5, 4);
    EXPECT_EQ(Read().kind, engine::kChineseText);
    Text("abc", 0, 0, 5, 4);
    r = Read();
    EXPECT_EQ(r.kind, engine::kWesternText);
    EXPECT_EQ(r.values[0], 5);  // text-like kinds: height, width first
    EXPECT_EQ(r.values[1], 4);
    EXPECT_EQ(r.text, "abc");
}

TEST_F(EngineTest, UpdateWritesTheRecordAndAttributesSetMeanwhileHold) {
    Text("abc", 0, 0, 5, 4);
    Record r = Read();
    eng.HostSetEntityAttribute(4, 6);  // colour
    r.values[0] = 9;
    int fail = -1;
    eng.HostUpdateEntity(r.kind, r.attributes.data(), r.values.data(), int(r.values.size()), "xyz", 3, 8192, 0, 12,
                         fail);
    EXPECT_EQ(fail, 0);
    Record after = Read();
    EXPECT_EQ(after.attributes[3], 6);  // not undone by the stale buffer
    EXPECT_EQ(after.values[0], 9);
    EXPECT_EQ(after.text, "xyz");
    // A record of another kind, or too long a text, is refused and changes nothing.
    std::string longText(static_cast<size_t>(kHostRecordCapacity), 'x');
    eng.HostUpdateEntity(r.kind, r.attributes.data(), r.values.data(), 1, longText.data(), kHostRecordCapacity, 8192, 0,
                         12, fail);
    EXPECT_EQ(fail, 1);
    eng.HostUpdateEntity(2, r.attributes.data(), r.values.data(), 1, "", 0, 8192, 0, 12, fail);
    EXPECT_EQ(fail, 1);
    EXPECT_EQ(Read().text, "xyz");
}

TEST_F(EngineTest, DeletedEntitiesAreGoneForFindAndReportedNegativeInWalks) {
    Line(0, 0, 1, 1);
    auto id = CurrentId();
    Line(0, 0, 2, 2);
    ASSERT_TRUE(Find(engine::kLine, id));
    int fail = 1;
    eng.HostUpdateEntity(engine::kLine, nullptr, nullptr, 0, nullptr, 0, 0, 0, -2, fail);
    EXPECT_EQ(fail, 0);
    EXPECT_FALSE(Find(engine::kLine, id));
    EXPECT_LT(Read().kind, 0);  // nothing current after a failed find
    int kinds[3] = {};
    for (int& kind : kinds) eng.HostNextSelected(1, kind);
    EXPECT_EQ(kinds[0], -engine::kLine);
    EXPECT_EQ(kinds[1], engine::kLine);
    EXPECT_EQ(kinds[2], 0);
}

TEST_F(EngineTest, FindChecksKindAndSecondIdentifier) {
    Line(0, 0, 1, 1);
    auto id = CurrentId();
    EXPECT_TRUE(Find(0, id));
    EXPECT_FALSE(Find(engine::kArc, id));
    EXPECT_FALSE(Find(engine::kLine, {id[0], id[1] + 1}));
    // A write after a failed find hits nothing rather than the entity that was current before.
    int fail = 0;
    eng.HostUpdateEntity(engine::kLine, nullptr, nullptr, 0, nullptr, 0, 0, 0, 12, fail);
    EXPECT_EQ(fail, 1);
}

TEST_F(EngineTest, ReadingIntoSmallBuffersNeverWritesPastThem) {
    Text("0123456789", 0, 0);
    std::vector<char> text(8, '#');
    std::vector<float> values(6, -1);
    int attributes[7], kind = 0, count = 0, length = 0;
    eng.HostReadEntity(kind, attributes, values.data(), count, text.data(), length, 4);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(values[4], -1);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(std::string(text.data()), "012");
    EXPECT_EQ(text[4], '#');
}

// --- Extended data ---

TEST_F(EngineTest, NewEntityStreamIsAttachedUntilCleared) {
    int words[] = {10000, '{', 10010, 1, 0x41, 10099, '}'};
    ASSERT_EQ(eng.HostSetNewEntityXData(7, words), 1);
    Line(0, 0, 1, 1);
    EXPECT_EQ(XData(), std::vector<int>(words, words + 7));
    eng.HostDrawArc(0, 0, 5, 0, 90);
    EXPECT_EQ(XData().size(), 7u);
    eng.HostSetNewEntityXData(0, nullptr);
    Line(0, 0, 1, 1);
    EXPECT_TRUE(XData().empty());
}

TEST_F(EngineTest, UpdateStreamIsCarriedByTheNextUpdateOnly) {
    Line(0, 0, 1, 1);
    Record r = Read();
    int words[] = {1, 2, 3};
    eng.HostSetXData(3, words);
    EXPECT_TRUE(XData().empty());  // nothing changes before the update
    int fail = 1;
    eng.HostUpdateEntity(r.kind, r.attributes.data(), r.values.data(), 4, "", 0, 8192, 0, 12, fail);
    EXPECT_EQ(XData(), (std::vector<int>{1, 2, 3}));
    eng.HostSetXData(0, words);
    eng.HostUpdateEntity(r.kind, r.attributes.data(), r.values.data(), 4, "", 0, 8192, 0, 12, fail);
    EXPECT_EQ(XData(), (std::vector<int>{1, 2, 3}));  // a cleared stream leaves the entity's own
}

TEST_F(EngineTest, StreamsLongerThanTheLimitAreRefusedAndSmallBuffersStayUntouched) {
    std::vector<int> big(kHostXDataWords + 1, 5);
    int small[] = {9};
    eng.HostSetNewEntityXData(1, small);
    EXPECT_EQ(eng.HostSetNewEntityXData(kHostXDataWords + 1, big.data()), 0);
    EXPECT_EQ(eng.HostSetXData(kHostXDataWords + 1, big.data()), 0);
    EXPECT_EQ(eng.HostSetXData(-1, big.data()), 0);
    EXPECT_EQ(eng.HostSetNewEntityXData(kHostXDataWords, big.data()), 1);  // exactly the limit is fine
    Line(0, 0, 1, 1);
    int guard[4] = {7, 7, 7, 7}, count = 0;
    eng.HostGetXData(count, guard, 3);
    EXPECT_EQ(count, -kHostXDataWords);
    EXPECT_EQ(guard[0], 7);
    eng.HostGetNewEntityXData(count, guard, 3);
    EXPECT_EQ(count, -kHostXDataWords);
}

// --- Drawing-level record ---

TEST_F(EngineTest, DrawingRecordCreateResizeSeekReadWrite) {
    int size = -1;
    eng.HostGetDrawingDataSize(0, 0, size, 0);
    EXPECT_EQ(size, 0);
    ASSERT_EQ(eng.HostCreateDrawingData(0, 0, 5, 0), 1);
    int words[5] = {1, 2, 3, 4, 5};
    ASSERT_EQ(eng.HostSeekDrawingData(0, 0, 1, 0), 1);
    ASSERT_EQ(eng.HostWriteDrawingData(0, 0, words, 5, 0), 1);
    // Writing or reading past the end is refused whole.
    EXPECT_EQ(eng.HostWriteDrawingData(0, 0, words, 1, 0), 0);
    eng.HostSeekDrawingData(0, 0, 4, 0);
    int out[4] = {0, 0, 0, -9};
    EXPECT_EQ(eng.HostReadDrawingData(0, 0, out, 3, 0), 0);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(eng.HostReadDrawingData(0, 0, out, 2, 0), 1);
    EXPECT_EQ(out[0], 4);
    EXPECT_EQ(out[1], 5);
    EXPECT_EQ(eng.HostSeekDrawingData(0, 0, 7, 0), 0);
    // Resizing keeps the leading words; creating replaces.
    eng.HostResizeDrawingData(0, 0, 7, 0);
    EXPECT_EQ(eng.Current().Data(), (std::vector<int32_t>{1, 2, 3, 4, 5, 0, 0}));
    eng.HostResizeDrawingData(0, 0, 2, 0);
    EXPECT_EQ(eng.Current().Data(), (std::vector<int32_t>{1, 2}));
    eng.HostCreateDrawingData(0, 0, 2, 0);
    EXPECT_EQ(eng.Current().Data(), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(eng.HostCreateDrawingData(0, 0, -1, 0), 0);
    EXPECT_EQ(eng.HostCreateDrawingData(0, 1, 2, 0), 0);  // only record 0 exists
}

// --- Tables and colours ---

// A window shows a drawing as changed, and views rebuild, when its revision moves: every change
// moves it, reading leaves it.
TEST_F(EngineTest, ChangedTablesAndRecordsMoveTheRevisionReadingLeavesIt) {
    eng.Current().DefineLayer({12, "BEAM", 1, 300, 2, 0});
    eng.Current().DefineLineType(2, {6, -3});
    eng.HostCreateDrawingData(0, 0, 2, 0);
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"layer colour",
         [&] {
             eng.Current().DefineLayer({12, "BEAM", 1, 300, 5, 0});
         }},
        {"line-type dashes",
         [&] {
             eng.Current().DefineLineType(2, {4, -2});
         }},
        {"record written",
         [&] {
             const int words[1] = {9};
             eng.HostSeekDrawingData(0, 0, 1, 0);
             eng.HostWriteDrawingData(0, 0, words, 1, 0);
         }},
        {"record resized", [&] { eng.HostResizeDrawingData(0, 0, 3, 0); }},
    };
    for (const auto& [what, change] : changes) {
        const uint64_t before = eng.Current().Revision();
        change();
        EXPECT_NE(eng.Current().Revision(), before) << what;
    }
    const uint64_t before = eng.Current().Revision();
    int size = 0, words[3] = {};
    eng.HostGetDrawingDataSize(0, 0, size, 0);
    eng.HostSeekDrawingData(0, 0, 1, 0);
    eng.HostReadDrawingData(0, 0, words, 3, 0);
    EXPECT_EQ(eng.Current().Revision(), before) << "reading the record";
}

TEST_F(EngineTest, LineTypesTwoToNinetyNine) {
    float dashes[10] = {1, -2, 3, -4, 5, -6, 7, -8, 9, -10};
    eng.HostDefineLineType(2, 2, dashes);
    eng.HostDefineLineType(99, 12, dashes);  // more than 9: the first 9
    eng.HostDefineLineType(1, 2, dashes);    // the solid line stays solid
    eng.HostDefineLineType(100, 2, dashes);
    std::vector<int> counts(99, -1);
    std::vector<float> values(9 * 99, -1);
    eng.HostGetLineTypes(counts.data(), values.data());
    EXPECT_EQ(counts[0], 0);
    EXPECT_EQ(counts[1], 2);
    EXPECT_EQ(counts[2], 0);
    EXPECT_EQ(counts[98], 9);
    EXPECT_EQ(values[9 * 1 + 1], -2);
    EXPECT_EQ(values[9 * 98 + 8], 9);
    eng.HostDefineLineType(2, 0, dashes);  // a count of 0 frees the number
    eng.HostGetLineTypes(counts.data(), values.data());
    EXPECT_EQ(counts[1], 0);
}

TEST_F(EngineTest, ColourIndexesAndRgbConvertBothWays) {
    int rgb = 0, index = 0;
    eng.HostColorIndexToRgb(1, rgb);
    EXPECT_EQ(rgb, 0x0000FF);  // red, COLORREF order
    eng.HostColorIndexToRgb(5, rgb);
    EXPECT_EQ(rgb, 0xFF0000);
    eng.HostRgbToColorIndex(0x00FFFF, index);
    EXPECT_EQ(index, 2);  // yellow
    eng.HostRgbToColorIndex(0x0000F0, index);
    EXPECT_EQ(index, 1);  // nearest
    for (int i = 1; i < 256; ++i) {
        eng.HostColorIndexToRgb(i, rgb);
        eng.HostRgbToColorIndex(rgb, index);
        int back = 0;
        eng.HostColorIndexToRgb(index, back);
        EXPECT_EQ(back, rgb) << i;
    }
}

TEST_F(EngineTest, LayerTableCallsCopyNamesWithinCapacity) {
    eng.Current().DefineLayer({3, "三层", 1, 0, 7, 0});
    eng.Current().DefineLayer({4, std::string(300, 'L'), 1, 0, 7, 1});
    eng.HostBeginLayerTable(0);
    int count = 0, layer = 0, flag = 0, length = 0;
    eng.HostGetLayerCount(count);
    ASSERT_EQ(count, 2);
    eng.HostGetLayerEntry(2, layer, flag);
    EXPECT_EQ(layer, 4);
    EXPECT_EQ(flag, 1);
    std::vector<char> buffer(257, '#');
    eng.HostGetLayerEntryName(2, buffer.data(), 256, length);
    EXPECT_EQ(length, 300);  // does not fit: the caller sees it
    EXPECT_EQ(buffer[256], '#');
    eng.HostGetLayerEntryName(3, buffer.data(), 256, length);
    EXPECT_EQ(length, -1);
    char name[80];
    eng.HostGetLayerName(0, 3, name, 80, length);
    EXPECT_EQ(std::string(name, length), "三层");
    eng.HostGetLayerName(0, 77, name, 80, length);
    EXPECT_EQ(length, 0);
}

}  // namespace
}  // namespace ckw::test
