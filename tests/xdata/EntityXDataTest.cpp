// Extended data on located and current entities: merging, call sequences, limits.
#include <gtest/gtest.h>

#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

using Words = std::vector<int>;

class EntityXData : public XDataTest {
protected:
    void SetUp() override {
        XDataTest::SetUp();
        engine.AddEntity(5, 100, 200);
    }
    Words& Stored() { return engine.EntityStream(5, 100, 200); }
    int Set(const char* name, Items& items) { return util.Set_XData(5, id, name, items.list); }
    int id[2] = {100, 200};
};

TEST_F(EntityXData, RewrittenBlockMovesToTheEndAndOthersKeepTheirWordsAndOrder) {
    Items a1, b, c, a2;
    a1.Int(1);
    b.Str("bee");
    c.Real(3);
    a2.Int(2).Int(22);
    ASSERT_EQ(Set("$A", a1), 1);
    EXPECT_EQ(Stored(), (Words{kStart, kBrace, kName, 1, 0x4124, 10001, 1, kEnd, kClose})) << "alone: exactly the block";
    ASSERT_EQ(Set("$B", b), 1);
    ASSERT_EQ(Set("$C", c), 1);
    const Words blockB(Stored().begin() + 9, Stored().begin() + 20);
    const Words blockC(Stored().begin() + 20, Stored().end());

    ASSERT_EQ(Set("$A", a2), 1);
    EXPECT_EQ(Stored(), Join({blockB, blockC, {kStart, kBrace, kName, 1, 0x4124, 10001, 2, 10001, 22, kEnd, kClose}}));
}

TEST_F(EntityXData, NameInOtherCaseIsReadButWrittenAsASecondBlock) {
    Items first, second;
    first.Int(1);
    second.Int(2);
    ASSERT_EQ(Set("$KW_COLUM", first), 1);
    ASSERT_EQ(Set("$kw_colum ", second), 1);
    EXPECT_EQ(Stored().size(), 2 * 11u) << "two blocks";

    Items read;
    ASSERT_EQ(util.Get_XData(5, id, "$KW_COLUM", &read.list), 1);
    EXPECT_EQ(read.IntAt(0), 1) << "the older block comes first";
}

TEST_F(EntityXData, BlockWrittenForNewEntitiesWithNameOfFourBytesIsNotReplacedByEntityWriter) {
    Items pending, update;
    pending.Int(1);
    update.Int(2);
    Stored() = PackedBlock("$ABC", pending);  // as an entity created while it was pending
    ASSERT_EQ(Set("$ABC", update), 1);
    EXPECT_EQ(Stored().size(), 9u + 10u) << "the entity writer's name has one word more";
}

TEST_F(EntityXData, SetCallsInOrderAndClearsThePendingStreamAfterTheUpdate) {
    Items items;
    items.Int(4);
    util.SetWriteXDataMode(7);
    CXDataUtil copy = util;
    engine.Clear();
    ASSERT_EQ(copy.Set_XData(5, id, "$A", items.list), 1);
    EXPECT_EQ(engine.Names(), (std::vector<std::string>{"HostFindEntity", "HostReadEntity", "HostGetXData",
                                                        "HostSetXData", "HostUpdateEntity", "HostSetXData"}));
    EXPECT_EQ(engine.Calls()[0], "HostFindEntity(0, 5, 100, 200)");
    EXPECT_EQ(engine.Calls()[1], "HostReadEntity(8192)");
    EXPECT_EQ(engine.Calls()[2], "HostGetXData(8192)");
    EXPECT_EQ(engine.Calls()[3], "HostSetXData(9, [10000 123 10010 1 16676 10001 4 10099 125])");
    EXPECT_NE(engine.Calls()[4].find(", 8192, 0, 7)"), std::string::npos) << engine.Calls()[4];
    EXPECT_EQ(engine.Calls()[5].substr(0, 16), "HostSetXData(0, ");
    EXPECT_TRUE(engine.PendingUpdate().empty());
    EXPECT_EQ(CXDataUtil().m_writeMode, 12);

    engine.Clear();
    ASSERT_EQ(util.Set_curXData(5, "$A", items.list), 1);
    EXPECT_EQ(engine.Names().front(), "HostReadEntity") << "no lookup for the current entity";
}

TEST_F(EntityXData, FailedUpdateIsPromptedAndStillClearsThePendingStream) {
    Items items;
    items.Int(4);
    engine.FailNextUpdate();
    engine.Clear();
    EXPECT_EQ(Set("$A", items), 1);
    auto names = engine.Names();
    ASSERT_EQ(names.size(), 8u);
    EXPECT_EQ(names[5], "HostClearPrompt");
    EXPECT_EQ(engine.Calls()[6], "HostPrompt(\"Updategrf error:iFail=1!\", 24)");
    EXPECT_EQ(names[7], "HostSetXData");
    EXPECT_TRUE(engine.PendingUpdate().empty());
}

TEST_F(EntityXData, SetCurrent1LeavesTheMergedStreamPendingForTheCallersWrite) {
    Items old, items;
    old.Int(1);
    items.Int(2);
    ASSERT_EQ(Set("$OLD", old), 1);
    const Words before = Stored();
    engine.Clear();
    ASSERT_EQ(util.Set_curXData1(-99, "$NEW", items.list), 1);
    EXPECT_EQ(engine.Names(), (std::vector<std::string>{"HostGetXData", "HostSetXData"}));
    EXPECT_EQ(Stored(), before) << "not written yet";
    EXPECT_EQ(engine.PendingUpdate().size(), before.size() + 10);
}

TEST_F(EntityXData, MergedStreamPastTheEngineLimitIsRefusedAndTheEntityKept) {
    Items big, other, bigger;
    big.Str(std::string(4000 * 4, 'a'));     // 4009 words
    other.Str(std::string(4000 * 4, 'b'));   // 4009 words
    bigger.Str(std::string(4180 * 4, 'c'));  // 4189 words: 8198 with the other
    ASSERT_EQ(Set("$A", big), 1);
    ASSERT_EQ(Set("$B", other), 1);
    const Words before = Stored();

    engine.Clear();
    EXPECT_EQ(Set("$A", bigger), 0);
    EXPECT_TRUE(Shown("扩展数据>8192!"));
    EXPECT_EQ(Stored(), before);
    EXPECT_TRUE(engine.CallsOf("HostUpdateEntity").empty());
    EXPECT_EQ(util.Set_curXData1(5, "$A", bigger.list), 0);
    EXPECT_TRUE(engine.CallsOf("HostSetXData").empty());

    ASSERT_EQ(Set("$A", other), 1) << "replacing a block frees its words first";
    EXPECT_EQ(Stored().size(), 2 * 4009u);
}

TEST_F(EntityXData, StreamLongerThanTheEngineHandsOutIsNotOverwritten) {
    engine.SetCurrentStreamUnchecked(Words(9000, 0));
    Items items;
    items.Int(1);
    EXPECT_EQ(Set("$A", items), 0);
    EXPECT_EQ(Stored().size(), 9000u);
    Items read;
    EXPECT_EQ(util.Get_XData(5, id, "$A", &read.list), 0);
}

TEST_F(EntityXData, ReplacingTheWholeStream) {
    Items keep;
    keep.Int(9);
    ASSERT_EQ(Set("$GONE", keep), 1);

    Blocks empty;
    engine.Clear();
    EXPECT_EQ(util.XSet_XData(5, id, empty.list), 0);
    EXPECT_TRUE(engine.Calls().empty());

    Items a, b;
    a.Int(1);
    b.Str("abcd");
    Blocks blocks;
    blocks.Add("$a", a).Add("$ABCD", b);
    int missing[2] = {1, 2};
    EXPECT_EQ(util.XSet_XData(5, missing, blocks.list), 0) << "entity not found";

    engine.Clear();
    ASSERT_EQ(util.XSet_XData(5, id, blocks.list), 1);
    EXPECT_EQ(engine.Names(), (std::vector<std::string>{"HostFindEntity", "HostReadEntity", "HostSetXData",
                                                        "HostUpdateEntity", "HostSetXData"}));
    EXPECT_EQ(Stored(), (Words{kStart, kBrace, kName, 1, 0x6124, 10001, 1, kEnd, kClose,  //
                               kStart, kBrace, kName, 2, 0x43424124, 0x44, 10003, 1, 0x64636261, kEnd, kClose}))
        << "names packed, as given; the block of $GONE dropped";
    Blocks back;
    ASSERT_EQ(util.XGet_XData(5, id, &back.list), 1);
    ASSERT_EQ(back.Size(), 2);
    EXPECT_EQ(back.NameAt(0), "$A");
    EXPECT_EQ(back.NameAt(1), "$ABCD");
    EXPECT_EQ(std::string(back.ItemsAt(1)[0]->resval.pString), "abcd");
}

TEST_F(EntityXData, SeveralBlocksStopAtTheEngineLimitAndAnOversizedOneIsRefused) {
    auto sized = [](Items& items, size_t words) { items.Str(std::string((words - 9) * 4, 'x')); };
    Items a, b, c;
    sized(a, 4096);
    sized(b, 4096);
    c.Int(1);
    Blocks blocks;
    blocks.Add("$A", a).Add("$B", b).Add("$C", c);
    ASSERT_EQ(util.XSet_XData(5, id, blocks.list), 1);
    EXPECT_EQ(Stored().size(), 8192u) << "the third block would pass the limit";

    Items huge, small;
    huge.Str(std::string(8192 * 4, 'x'));
    small.Int(1);
    Blocks bad;
    bad.Add("$S", small).Add("$H", huge);
    engine.Clear();
    EXPECT_EQ(util.XSet_XData(5, id, bad.list), 0);
    EXPECT_TRUE(engine.CallsOf("HostSetXData").empty());
    EXPECT_TRUE(Shown("扩展数据>8192!"));
}

}  // namespace
}  // namespace ckw::test
