// Application blocks in the drawing-level record.
#include <gtest/gtest.h>

#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

using Words = std::vector<int>;

class DrawingData : public XDataTest {};

TEST_F(DrawingData, FirstWriteCreatesTheRecordWithExactlyTheBlock) {
    Items items;
    items.Int(1);
    ASSERT_EQ(util.Set_DbData("$A", &items.list), 1);
    EXPECT_EQ(engine.Names(),
              (std::vector<std::string>{"HostGetDrawingDataSize", "HostSeekDrawingData", "HostSeekDrawingData",
                                        "HostCreateDrawingData", "HostSeekDrawingData", "HostWriteDrawingData",
                                        "HostSeekDrawingData", "HostReadDrawingData"}));
    EXPECT_EQ(engine.CallsOf("HostCreateDrawingData")[0], "HostCreateDrawingData(0, 0, 9, 0)");
    EXPECT_EQ(engine.CallsOf("HostSeekDrawingData")[0], "HostSeekDrawingData(0, 0, 1, 0)");
    EXPECT_EQ(engine.Record()->size(), 9u);
}

TEST_F(DrawingData, OtherBlocksResizeTheRecordAndARewriteMovesBehindThem) {
    Items a1, b, a2;
    a1.Int(1);
    b.Str("bb");
    a2.Int(2);
    ASSERT_EQ(util.Set_DbData("$A", &a1.list), 1);
    engine.Clear();
    ASSERT_EQ(util.Set_DbData("$B", &b.list), 1);
    EXPECT_EQ(engine.CallsOf("HostResizeDrawingData"), (std::vector<std::string>{"HostResizeDrawingData(0, 0, 19, 0)"}));
    EXPECT_TRUE(engine.CallsOf("HostCreateDrawingData").empty());

    ASSERT_EQ(util.Set_DbData("$A", &a2.list), 1);
    Blocks all;
    ASSERT_EQ(util.XGet_DbData(&all.list), 1);
    ASSERT_EQ(all.Size(), 2);
    EXPECT_EQ(all.NameAt(0), "$B");
    EXPECT_EQ(all.NameAt(1), "$A");
    EXPECT_EQ(all.ItemsAt(1)[0]->resval.nInt, 2);
}

TEST_F(DrawingData, RewritingTheOnlyBlockCreatesTheRecordAnew) {
    Items a1, a2;
    a1.Int(1).Int(1);
    a2.Int(2);
    ASSERT_EQ(util.Set_DbData("$A", &a1.list), 1);
    engine.Clear();
    ASSERT_EQ(util.Set_DbData("$A", &a2.list), 1);
    EXPECT_EQ(engine.CallsOf("HostCreateDrawingData"), (std::vector<std::string>{"HostCreateDrawingData(0, 0, 9, 0)"}));
    EXPECT_EQ(engine.Record(), (Words{kStart, kBrace, kName, 1, 0x4124, 10001, 2, kEnd, kClose}));
}

TEST_F(DrawingData, RecordOfSixWordsOrFewerIsNotSearched) {
    const Words emptyNameBlock = {kStart, kBrace, kName, 0, kEnd, kClose};
    engine.SetRecord(emptyNameBlock);
    Items none;
    ASSERT_EQ(util.Set_DbData("", &none.list), 1);
    EXPECT_EQ(engine.Record(), Join({emptyNameBlock, emptyNameBlock}));
    ASSERT_EQ(util.Set_DbData("", &none.list), 1);
    EXPECT_EQ(engine.Record()->size(), 12u) << "from 7 words on the old block is found";
}

TEST_F(DrawingData, AbsentRecordReadsAsNoBlocks) {
    Items items;
    items.Int(1);
    EXPECT_EQ(util.Get_DbData("$A", &items.list), 0);
    EXPECT_EQ(items.Size(), 0);
    Blocks blocks;
    EXPECT_EQ(util.XGet_DbData(&blocks.list), 1);
    EXPECT_EQ(blocks.Size(), 0);
}

TEST_F(DrawingData, RecordThatCannotBeReadIsNotOverwritten) {
    Items a, b;
    a.Int(1);
    b.Int(2);
    ASSERT_EQ(util.Set_DbData("$A", &a.list), 1);
    const Words before = *engine.Record();
    engine.RefuseRecordReads();
    EXPECT_EQ(util.Set_DbData("$B", &b.list), 0);
    EXPECT_EQ(engine.Record(), before);
    EXPECT_TRUE(engine.CallsOf("HostWriteDrawingData").size() == 1u) << "only the first write";
}

}  // namespace
}  // namespace ckw::test
