// Extended data on located and current entities: merging, call sequences, limits.
#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

class EntityXData : public XDataTest {
protected:
    int Set(const char* name, Items& items) { return util.Set_XData(kind, id.data(), name, items.list); }
};

TEST_F(EntityXData, RewrittenBlockMovesToTheEndAndOthersKeepTheirWordsAndOrder) {
    Items a1, b, c, a2;
    a1.Int(1);
    b.Str("bee");
    c.Real(3);
    a2.Int(2).Int(22);
    ASSERT_EQ(Set("$A", a1), 1);
    EXPECT_EQ(Stream(), (Words{kStart, kBrace, kName, 1, 0x4124, 10001, 1, kEnd, kClose}));
    ASSERT_EQ(Set("$B", b), 1);
    ASSERT_EQ(Set("$C", c), 1);
    const Words others(Stream().begin() + 9, Stream().end());
    ASSERT_EQ(Set("$A", a2), 1);
    EXPECT_EQ(Stream(), Join({others, {kStart, kBrace, kName, 1, 0x4124, 10001, 2, 10001, 22, kEnd, kClose}}));
}

TEST_F(EntityXData, NameInOtherCaseIsReadButWrittenAsASecondBlock) {
    Items first, second, read;
    first.Int(1);
    second.Int(2);
    ASSERT_EQ(Set("$KW_COLUM", first), 1);
    ASSERT_EQ(Set("$kw_colum ", second), 1);
    EXPECT_EQ(Stream().size(), 2 * 11u);
    ASSERT_EQ(util.Get_XData(kind, id.data(), "$KW_COLUM", &read.list), 1);
    EXPECT_EQ(read.IntAt(0), 1) << "the older block comes first";
}

TEST_F(EntityXData, UpdateThenClearingThePendingStreamEvenWhenTheUpdateFails) {
    Items items;
    items.Int(4);
    util.SetWriteXDataMode(7);
    const CXDataUtil copy = util;
    EXPECT_EQ(CXDataUtil().m_writeMode, 12);
    engine.failUpdate = true;
    ASSERT_EQ(CXDataUtil(copy).Set_XData(kind, id.data(), "$A", items.list), 1) << "a failed update still answers 1";
    const auto calls = engine.Calls();
    ASSERT_EQ(calls.size(), 8u);
    const std::string k = std::to_string(kind);
    EXPECT_EQ(calls[0], "HostFindEntity(0, " + k + ", " + std::to_string(id[0]) + ", " + std::to_string(id[1]) + ")");
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 1, calls.begin() + 4),
              (std::vector<std::string>{"HostReadEntity(8192)", "HostGetXData(8192)",
                                        "HostSetXData(9, [10000 123 10010 1 16676 10001 4 10099 125])"}));
    EXPECT_TRUE(calls[4].starts_with("HostUpdateEntity(" + k + ", ") && calls[4].ends_with(", 8192, 0, 7)"))
        << calls[4];
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 5, calls.end()),
              (std::vector<std::string>{"HostClearPrompt()", "HostPrompt(\"Updategrf error:iFail=1!\", 24)",
                                        "HostSetXData(0, [])"}));
    Stream().clear();
    CallerUpdate();
    EXPECT_TRUE(Stream().empty()) << "nothing left pending";

    engine.Clear();
    ASSERT_EQ(util.Set_curXData(kind, "$A", items.list), 1);
    EXPECT_EQ(engine.Names().front(), "HostReadEntity") << "no lookup for the current entity";
}

TEST_F(EntityXData, SetCurrent1LeavesTheMergedStreamPendingForTheCallersWrite) {
    Items old, items;
    old.Int(1);
    items.Int(2);
    ASSERT_EQ(Set("$OLD", old), 1);
    const Words before = Stream();
    engine.Clear();
    ASSERT_EQ(util.Set_curXData1(-99, "$NEW", items.list), 1);
    EXPECT_EQ(engine.Names(), (std::vector<std::string>{"HostGetXData", "HostSetXData"}));
    EXPECT_EQ(Stream(), before);
    CallerUpdate();
    EXPECT_EQ(Stream().size(), before.size() + 10);
}

TEST_F(EntityXData, MergedStreamPastTheEngineLimitIsRefusedAndTheEntityKept) {
    Items a, b, bigger;
    a.Str(std::string(4000 * 4, 'a'));       // 4009 words
    b.Str(std::string(4000 * 4, 'b'));       // 4009 words
    bigger.Str(std::string(4180 * 4, 'c'));  // 4189 words: 8198 with $B's
    ASSERT_EQ(Set("$A", a), 1);
    ASSERT_EQ(Set("$B", b), 1);
    const Words before = Stream();
    engine.Clear();
    EXPECT_EQ(Set("$A", bigger), 0);
    EXPECT_EQ(util.Set_curXData1(kind, "$A", bigger.list), 0);
    EXPECT_TRUE(engine.CallsOf("HostSetXData").empty());
    EXPECT_EQ(Stream(), before);
    EXPECT_TRUE(Shown("扩展数据>8192!"));
    ASSERT_EQ(Set("$A", b), 1) << "a rewritten block frees its words first";

    Stream().assign(9000, 0);  // more than the engine hands out: not to be overwritten
    EXPECT_EQ(Set("$A", a), 0);
    EXPECT_EQ(Stream().size(), 9000u);
}

TEST_F(EntityXData, ReplacingTheWholeStream) {
    Items gone, a, b;
    gone.Int(9);
    ASSERT_EQ(Set("$GONE", gone), 1);
    Blocks empty, blocks;
    EXPECT_EQ(util.XSet_XData(kind, id.data(), empty.list), 0);
    a.Int(1);
    b.Str("abcd");
    blocks.Add("$a", a).Add("$ABCD", b);
    int missing[2] = {1, 2};
    EXPECT_EQ(util.XSet_XData(kind, missing, blocks.list), 0) << "entity not found";

    engine.Clear();
    ASSERT_EQ(util.XSet_XData(kind, id.data(), blocks.list), 1);
    EXPECT_EQ(engine.Names(), (std::vector<std::string>{"HostFindEntity", "HostReadEntity", "HostSetXData",
                                                        "HostUpdateEntity", "HostSetXData"}));
    EXPECT_EQ(Stream(), (Words{kStart, kBrace, kName, 1, 0x6124,     10001, 1,     kEnd, kClose,  //
                               kStart, kBrace, kName, 2, 0x43424124, 0x44,  10003, 1,    0x64636261, kEnd, kClose}))
        << "names packed and as given; the other application's block dropped";
    Blocks back;
    ASSERT_EQ(util.XGet_XData(kind, id.data(), &back.list), 1);
    ASSERT_EQ(back.Size(), 2);
    EXPECT_EQ(back.NameAt(0), "$A");
}

TEST_F(EntityXData, SeveralBlocksStopAtTheEngineLimitAndAnOversizedOneIsRefused) {
    Items a, b, c, huge, small;
    a.Str(std::string((4096 - 9) * 4, 'x'));
    b.Str(std::string((4096 - 9) * 4, 'y'));
    c.Int(1);
    Blocks blocks;
    blocks.Add("$A", a).Add("$B", b).Add("$C", c);
    ASSERT_EQ(util.XSet_XData(kind, id.data(), blocks.list), 1);
    EXPECT_EQ(Stream().size(), 8192u) << "the third block would pass the limit";

    huge.Str(std::string(8192 * 4, 'x'));
    small.Int(1);
    Blocks bad;
    bad.Add("$S", small).Add("$H", huge);
    engine.Clear();
    EXPECT_EQ(util.XSet_XData(kind, id.data(), bad.list), 0);
    EXPECT_EQ(util.XNew_XData(bad.list), 0);
    EXPECT_TRUE(engine.CallsOf("HostSetXData").empty());
    EXPECT_TRUE(engine.CallsOf("HostSetNewEntityXData").empty());
}

}  // namespace
}  // namespace ckw::test
