// Word-exact layouts of stored blocks and the size limits.
#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

using XDataLayout = XDataTest;

TEST_F(XDataLayout, IntegerRealAndFiveByteStringUnderTwoByteNameTakeFifteenWordsInEveryWriter) {
    // "$A" = 24 41; "hello" = 68 65 6c 6c | 6f; 1.5f = 0x3FC00000.
    const Words fifteen = {kStart,     kBrace, kName, 1,          0x4124, 10001, 7,     10002,
                           0x3FC00000, 10003,  2,     0x6C6C6568, 0x6F,   kEnd,  kClose};
    Items items;
    items.Int(7).Real(1.5f).Str("hello");
    ASSERT_EQ(util.New_XData("$A", items.list), 1);
    EXPECT_EQ(PendingNew(), fifteen);
    ASSERT_EQ(util.Set_XData(kind, id.data(), "$A", items.list), 1);
    EXPECT_EQ(Stream(), fifteen) << "a two-byte name takes one word in both groups";
    ASSERT_EQ(util.Set_DbData("$A", &items.list), 1);
    EXPECT_EQ(Record(), fifteen);
}

TEST_F(XDataLayout, StringsOfFourBytesHaveNoNulWordAndUnknownTypesAreLeftOut) {
    Items items;
    items.Str("abcd").Code(42).Str("").Real(-0.0f);
    ASSERT_EQ(util.Set_DbData("$A", &items.list), 1);
    EXPECT_EQ(Record(), (Words{kStart, kBrace, kName, 1, 0x4124, 10003, 1, 0x64636261, 10003, 0, 10002,
                               static_cast<int>(0x80000000u), kEnd, kClose}));
    Items back;
    ASSERT_EQ(util.Get_DbData("$A", &back.list), 1);
    ASSERT_EQ(back.Size(), 3);
    EXPECT_EQ(back.StrAt(0), "abcd") << "terminated although no NUL was stored";
    EXPECT_EQ(back.StrAt(1), "");
}

TEST_F(XDataLayout, NameOfFourKBytesTakesKWordsPackedAndKPlusOneOnEntities) {
    Items none;
    ASSERT_EQ(util.New_XData("$ABC", none.list), 1);
    EXPECT_EQ(PendingNew(), (Words{kStart, kBrace, kName, 1, 0x43424124, kEnd, kClose}));
    ASSERT_EQ(util.Set_curXData(kind, "$ABCDEFG", none.list), 1);
    EXPECT_EQ(Stream(), (Words{kStart, kBrace, kName, 3, 0x43424124, 0x47464544, 0, kEnd, kClose}));

    // An entity created with the packed block gets a second block from the entity writer.
    Stream() = PendingNew();
    ASSERT_EQ(util.Set_curXData(kind, "$ABC", none.list), 1);
    EXPECT_EQ(Stream().size(), 7u + 8u);
}

TEST_F(XDataLayout, BlockOfExactly8192WordsIsAcceptedAndOneMoreIsRefusedBeforeTheEngineIsTouched) {
    // 7 words of framing and name "$A", then one string of 2 + W words.
    Items fits, over;
    fits.Str(std::string((8192 - 9) * 4, 'x'));
    over.Str(std::string((8192 - 9) * 4 + 1, 'x'));
    ASSERT_EQ(util.Set_DbData("$A", &fits.list), 1);
    EXPECT_EQ(Record().size(), 8192u);
    EXPECT_TRUE(ui.texts().empty());

    engine.Clear();
    EXPECT_EQ(util.Set_DbData("$A", &over.list), 0);
    EXPECT_EQ(util.New_XData("$A", over.list), 0);
    EXPECT_TRUE(engine.Calls().empty());
    EXPECT_EQ(util.Set_XData(kind, id.data(), "$A", over.list), 0);
    EXPECT_EQ(util.Set_curXData1(kind, "$A", over.list), 0);
    EXPECT_TRUE(engine.CallsOf("HostSetXData").empty());
    EXPECT_TRUE(engine.CallsOf("HostUpdateEntity").empty());
    EXPECT_EQ(ui.texts(), std::vector<std::string>(4, "扩展数据>8192!"));
}

}  // namespace
}  // namespace ckw::test
