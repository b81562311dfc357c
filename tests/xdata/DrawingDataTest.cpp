// Application blocks in the drawing-level record.
#include "xdata/XDataFixture.h"

namespace ckw::test {
namespace {

using DrawingData = XDataTest;

TEST_F(DrawingData, RecordIsCreatedForItsOnlyBlockAndResizedWhileOthersRemain) {
    Items a1, b, a2;
    a1.Int(1);
    b.Str("bb");
    a2.Int(2);
    ASSERT_EQ(util.Set_DbData("$A", &a1.list), 1);
    EXPECT_EQ(engine.Calls(),
              (std::vector<std::string>{"HostGetDrawingDataSize(0, 0, 0)", "HostSeekDrawingData(0, 0, 1, 0)",
                                        "HostSeekDrawingData(0, 0, 1, 0)", "HostCreateDrawingData(0, 0, 9, 0)",
                                        "HostSeekDrawingData(0, 0, 1, 0)",
                                        "HostWriteDrawingData(0, 0, [10000 123 10010 1 16676 10001 1 10099 125], 9, 0)",
                                        "HostSeekDrawingData(0, 0, 1, 0)", "HostReadDrawingData(0, 0, 9, 0)"}));
    ASSERT_EQ(util.Set_DbData("$A", &a1.list), 1);
    ASSERT_EQ(util.Set_DbData("$B", &b.list), 1);
    ASSERT_EQ(util.Set_DbData("$A", &a2.list), 1);
    EXPECT_EQ(engine.CallsOf("HostCreateDrawingData").size(), 2u) << "rewriting the only block makes it anew";
    EXPECT_EQ(engine.CallsOf("HostResizeDrawingData"),
              (std::vector<std::string>{"HostResizeDrawingData(0, 0, 19, 0)", "HostResizeDrawingData(0, 0, 19, 0)"}));

    Blocks all;
    ASSERT_EQ(util.XGet_DbData(&all.list), 1);
    ASSERT_EQ(all.Size(), 2);
    EXPECT_EQ(all.NameAt(0), "$B");
    EXPECT_EQ(all.NameAt(1), "$A") << "the rewritten block moves behind";
    EXPECT_EQ(all.ItemAt(1, 0).resval.nInt, 2);
}

TEST_F(DrawingData, RecordOfSixWordsOrFewerIsNotSearched) {
    const Words emptyName = {kStart, kBrace, kName, 0, kEnd, kClose};
    Record() = emptyName;
    Items none;
    ASSERT_EQ(util.Set_DbData("", &none.list), 1);
    EXPECT_EQ(Record(), Join({emptyName, emptyName}));
    ASSERT_EQ(util.Set_DbData("", &none.list), 1);
    EXPECT_EQ(Record().size(), 12u) << "from 7 words on the old block is found";
}

TEST_F(DrawingData, AbsentRecordReadsAsNoBlocksAndAnUnreadableOneIsNotOverwritten) {
    Items items;
    items.Int(1);
    EXPECT_EQ(util.Get_DbData("$A", &items.list), 0);
    EXPECT_EQ(items.Size(), 0);
    Blocks blocks;
    EXPECT_EQ(util.XGet_DbData(&blocks.list), 1);
    EXPECT_EQ(blocks.Size(), 0);

    items.Int(1);
    ASSERT_EQ(util.Set_DbData("$A", &items.list), 1);
    const Words before = Record();
    engine.refuseRecordReads = true;
    EXPECT_EQ(util.Set_DbData("$B", &items.list), 0);
    EXPECT_EQ(Record(), before);
}

}  // namespace
}  // namespace ckw::test
