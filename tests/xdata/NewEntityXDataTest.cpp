// The pending stream that the engine attaches to entities created while it is set.
#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

using NewEntityXData = XDataTest;

TEST_F(NewEntityXData, SetReadAndClear) {
    Blocks none;
    EXPECT_EQ(util.XGet_newXData(&none.list), 0) << "nothing pending";
    SetPendingNew({1, 2, 3});
    EXPECT_EQ(util.XGet_newXData(&none.list), 0) << "words, but no block";
    EXPECT_EQ(none.Size(), 0);

    Items a, b;
    a.Int(1);
    b.Real(2);
    Blocks blocks, back;
    blocks.Add("$a", a).Add("$b ", b);
    ASSERT_EQ(util.XNew_XData(blocks.list), 1);
    ASSERT_EQ(util.XGet_newXData(&back.list), 1);
    ASSERT_EQ(back.Size(), 2);
    EXPECT_EQ(back.NameAt(1), "$B ");
    EXPECT_EQ(back.ItemAt(1, 0).resval.fReal, 2.0f);

    EXPECT_EQ(util.Close_XData(), 1);
    EXPECT_EQ(engine.CallsOf("HostSetNewEntityXData").back(), "HostSetNewEntityXData(0, [])");
}

TEST_F(NewEntityXData, AppendReplacesOneBlockInPlaceAndKeepsTheOthersAsStored) {
    Items a, b, c, newB, d;
    a.Int(1);
    b.Int(2);
    c.Int(3);
    const Words blockA = PackedBlock("$a", a), blockC = PackedBlock("$c", c);
    SetPendingNew(Join({blockA, PackedBlock("$b", b), blockC}));

    newB.Str("new");
    ASSERT_EQ(util.Append_newXData("$B ", newB.list), 1);
    EXPECT_EQ(PendingNew(),
              Join({blockA, {kStart, kBrace, kName, 1, 0x6224, 10003, 1, 0x77656E, kEnd, kClose}, blockC}))
        << "under its stored name; the others keep their lower-case names";
    EXPECT_EQ(newB.StrAt(0), "new") << "the caller's records stay the caller's";

    d.Int(4);
    ASSERT_EQ(util.Append_newXData("$D", d.list), 1);
    EXPECT_EQ(PendingNew().size(), 9u + 10u + 9u + 9u);
    EXPECT_EQ(util.Append_newXData(" ", d.list), 0);
    EXPECT_TRUE(Shown("非法的AppName!!"));
}

TEST_F(NewEntityXData, AppendThatWouldPassTheEngineLimitIsRefusedAndThePendingStreamKept) {
    Items big, more;
    big.Str(std::string(6000 * 4, 'x'));
    more.Str(std::string(3000 * 4, 'y'));
    ASSERT_EQ(util.New_XData("$A", big.list), 1);
    const Words before = PendingNew();
    EXPECT_EQ(util.Append_newXData("$B", more.list), 0);
    EXPECT_TRUE(Shown("扩展数据>8192!"));
    EXPECT_EQ(PendingNew(), before);
}

}  // namespace
}  // namespace ckw::test
