// The pending stream that the engine attaches to entities created while it is set.
#include <gtest/gtest.h>

#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

using Words = std::vector<int>;

class NewEntityXData : public XDataTest {};

TEST_F(NewEntityXData, SetThenClear) {
    Items items;
    items.Int(1);
    ASSERT_EQ(util.New_XData("$A", items.list), 1);
    EXPECT_EQ(engine.PendingNew().size(), 9u);
    EXPECT_EQ(util.Close_XData(), 1);
    EXPECT_EQ(engine.CallsOf("HostSetNewEntityXData").back(), "HostSetNewEntityXData(0, [])");
    EXPECT_TRUE(engine.PendingNew().empty());
}

TEST_F(NewEntityXData, ReadingNothingPendingGivesZeroAndNoBlocks) {
    Blocks blocks;
    EXPECT_EQ(util.XGet_newXData(&blocks.list), 0);
    EXPECT_EQ(blocks.Size(), 0);
    engine.SetPendingNew({1, 2, 3});  // words, but no block
    EXPECT_EQ(util.XGet_newXData(&blocks.list), 0);
}

TEST_F(NewEntityXData, SeveralBlocksAreSetAndReadBack) {
    Items a, b;
    a.Int(1);
    b.Real(2);
    Blocks blocks, empty;
    blocks.Add("$a", a).Add("$b ", b);
    EXPECT_EQ(util.XNew_XData(empty.list), 0);
    ASSERT_EQ(util.XNew_XData(blocks.list), 1);
    Blocks back;
    ASSERT_EQ(util.XGet_newXData(&back.list), 1);
    ASSERT_EQ(back.Size(), 2);
    EXPECT_EQ(back.NameAt(1), "$B ");
    EXPECT_EQ(back.ItemsAt(1)[0]->resval.fReal, 2.0f);
}

TEST_F(NewEntityXData, AppendReplacesOneBlockAndKeepsTheOthersAsStored) {
    Items a, b, c, newB, d;
    a.Int(1);
    b.Int(2);
    c.Int(3);
    const Words blockA = PackedBlock("$a", a), blockC = PackedBlock("$c", c);
    engine.SetPendingNew(Join({blockA, PackedBlock("$b", b), blockC}));

    newB.Str("new");
    ASSERT_EQ(util.Append_newXData("$B ", newB.list), 1);
    Words expectedB = {kStart, kBrace, kName, 1, 0x6224, 10003, 1, 0x77656E, kEnd, kClose};
    EXPECT_EQ(engine.PendingNew(), Join({blockA, expectedB, blockC}))
        << "replaced in place under its stored name; the others' names keep their case";
    EXPECT_EQ(newB.Size(), 1) << "the caller's records stay the caller's";
    EXPECT_EQ(newB.StrAt(0), "new");

    d.Int(4);
    ASSERT_EQ(util.Append_newXData("$D", d.list), 1);
    EXPECT_EQ(engine.PendingNew().size(), 9u + 10u + 9u + 9u);

    engine.SetPendingNew({});
    ASSERT_EQ(util.Append_newXData("$D", d.list), 1);
    EXPECT_EQ(engine.PendingNew(), (Words{kStart, kBrace, kName, 1, 0x4424, 10001, 4, kEnd, kClose}));

    EXPECT_EQ(util.Append_newXData(" ", d.list), 0);
    EXPECT_TRUE(Shown("非法的AppName!!"));
}

TEST_F(NewEntityXData, AppendThatWouldPassTheEngineLimitIsRefusedAndThePendingStreamKept) {
    Items big, more;
    big.Str(std::string(6000 * 4, 'x'));
    more.Str(std::string(3000 * 4, 'y'));
    ASSERT_EQ(util.New_XData("$A", big.list), 1);
    const Words before = engine.PendingNew();
    EXPECT_EQ(util.Append_newXData("$B", more.list), 0);
    EXPECT_TRUE(Shown("扩展数据>8192!"));
    EXPECT_EQ(engine.PendingNew(), before);
}

}  // namespace
}  // namespace ckw::test
