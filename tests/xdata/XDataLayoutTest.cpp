// Word-exact layouts of stored blocks and the size limits.
#include <gtest/gtest.h>

#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

using Words = std::vector<int>;

class XDataLayout : public XDataTest {};

// "$A" = 0x24 0x41; "hello" = 68 65 6c 6c | 6f; 1.5f = 0x3FC00000.
const Words kFifteen = {kStart, kBrace, kName, 1, 0x4124, 10001, 7, 10002, 0x3FC00000,
                        10003, 2, 0x6C6C6568, 0x6F, kEnd, kClose};

TEST_F(XDataLayout, IntegerRealAndFiveByteStringUnderTwoByteNameTakeFifteenWordsInEveryWriter) {
    Items items;
    items.Int(7).Real(1.5f).Str("hello");

    ASSERT_EQ(util.New_XData("$A", items.list), 1);
    EXPECT_EQ(engine.PendingNew(), kFifteen);

    engine.AddEntity(1, 10, 20);
    int id[2] = {10, 20};
    ASSERT_EQ(util.Set_XData(1, id, "$A", items.list), 1);
    EXPECT_EQ(engine.EntityStream(1, 10, 20), kFifteen) << "a two-byte name takes one word in both groups";

    ASSERT_EQ(util.Set_DbData("$A", &items.list), 1);
    EXPECT_EQ(engine.Record(), kFifteen);
}

TEST_F(XDataLayout, StringOfFourBytesHasNoNulWordAndReadsBackTerminated) {
    Items items;
    items.Str("abcd").Str("").Int(-1);
    ASSERT_EQ(util.Set_DbData("$A", &items.list), 1);
    EXPECT_EQ(*engine.Record(), (Words{kStart, kBrace, kName, 1, 0x4124, 10003, 1, 0x64636261, 10003, 0, 10001, -1,
                                       kEnd, kClose}));

    Items back;
    ASSERT_EQ(util.Get_DbData("$A", &back.list), 1);
    ASSERT_EQ(back.Size(), 3);
    EXPECT_EQ(back.StrAt(0), "abcd");
    EXPECT_EQ(back.StrAt(1), "");
    EXPECT_EQ(back.IntAt(2), -1);
}

TEST_F(XDataLayout, NameOfFourKBytesTakesKWordsPackedAndKPlusOneOnEntities) {
    Items none;
    ASSERT_EQ(util.New_XData("$ABC", none.list), 1);
    EXPECT_EQ(engine.PendingNew(), (Words{kStart, kBrace, kName, 1, 0x43424124, kEnd, kClose}));

    engine.AddEntity(1, 1, 1);
    ASSERT_EQ(util.Set_curXData(1, "$ABCDEFG", none.list), 1);
    EXPECT_EQ(engine.EntityStream(1, 1, 1),
              (Words{kStart, kBrace, kName, 3, 0x43424124, 0x47464544, 0, kEnd, kClose}));
}

TEST_F(XDataLayout, RecordsOfUnknownTypeAreLeftOut) {
    Items items;
    items.Int(5).Code(42).Code(0).Int(6);
    ASSERT_EQ(util.New_XData("", items.list), 1);
    EXPECT_EQ(engine.PendingNew(), (Words{kStart, kBrace, kName, 0, 10001, 5, 10001, 6, kEnd, kClose}));
}

TEST_F(XDataLayout, RealIsStoredBitForBitInSinglePrecision) {
    Items items;
    items.Real(0.1f).Real(-0.0f);
    ASSERT_EQ(util.New_XData("", items.list), 1);
    EXPECT_EQ(engine.PendingNew(),
              (Words{kStart, kBrace, kName, 0, 10002, 0x3DCCCCCD, 10002, static_cast<int>(0x80000000u), kEnd, kClose}));
}

// A block of exactly `words` words under the name "$A": 7 words of framing and name, then one
// string item of 2 + W words.
void FillTo(Items& items, size_t words) { items.Str(std::string((words - 9) * 4, 'x')); }

TEST_F(XDataLayout, BlockOfExactly8192WordsIsAcceptedAndOneMoreIsRefusedBeforeTheEngineIsTouched) {
    Items fits, over;
    FillTo(fits, 8192);
    over.Str(std::string((8192 - 9) * 4 + 1, 'x'));

    ASSERT_EQ(util.Set_DbData("$A", &fits.list), 1);
    EXPECT_EQ(engine.Record()->size(), 8192u);
    EXPECT_TRUE(ui.texts().empty());

    engine.Clear();
    EXPECT_EQ(util.Set_DbData("$A", &over.list), 0);
    EXPECT_EQ(util.New_XData("$A", over.list), 0);
    EXPECT_TRUE(engine.Calls().empty()) << "nothing reaches the engine";
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"扩展数据>8192!", "扩展数据>8192!"}));
    EXPECT_EQ(engine.Record()->size(), 8192u);
}

TEST_F(XDataLayout, EntityWriterRefusesOversizedBlockWithoutWriting) {
    Items over;
    over.Str(std::string((8192 - 9) * 4 + 1, 'x'));
    engine.AddEntity(1, 1, 1, {1, 2, 3});
    int id[2] = {1, 1};
    EXPECT_EQ(util.Set_XData(1, id, "$A", over.list), 0);
    EXPECT_EQ(util.Set_curXData1(1, "$A", over.list), 0);
    EXPECT_TRUE(engine.CallsOf("HostSetXData").empty());
    EXPECT_TRUE(engine.CallsOf("HostUpdateEntity").empty());
    EXPECT_EQ(engine.EntityStream(1, 1, 1), (Words{1, 2, 3}));
    EXPECT_TRUE(Shown("扩展数据>8192!"));
}

}  // namespace
}  // namespace ckw::test
