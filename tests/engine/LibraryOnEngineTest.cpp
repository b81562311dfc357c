// The library's extended-data and drawing-record calls on the reference engine as m_pCfg: what
// they store survives a .T file and is found again by a browser-style look on unit 99.
#include <ckw/DrawingRecords.h>
#include "EngineFixture.h"
#include <ckw/XDataUtil.h>
#include "support/MockHostEngine.h"

namespace ckw::test {
namespace {

class LibraryOnEngineTest : public EngineTest {
protected:
    ScopedHostEngine use{&eng};

    static XData_Resbuf_* Item(short type) {
        auto* r = new XData_Resbuf_;
        r->restype = type;
        return r;
    }
};

TEST_F(LibraryOnEngineTest, EntityDataAndTheDrawingRecordSurviveAFile) {
    Line(0, 0, 100, 0);
    auto id = CurrentId();
    XDataItemList items;
    items.Add(Item(kXDataInteger));
    items[0]->resval.nInt = 42;
    items.Add(Item(kXDataString));
    items[1]->resval.pString = new char[4]{'K', 'Z', '1', '\0'};
    CXDataUtil util;
    int ids[2] = {id[0], id[1]};
    ASSERT_EQ(util.Set_XData(engine::kLine, ids, "$KW_COLUM", items), 1);
    CXDataUtil::Remove_Array(items);
    ASSERT_EQ(kwWrite_DrawingInfo(2001, "PLAN", 3, 100), 1);
    Save(Path("plan.T"));

    eng.NewDrawing(1);
    ASSERT_EQ(Open(99, Path("plan.T"), true), 1);
    int kindNumber = 0, floor = 0, scale = 0;
    char name[64] = {};
    ASSERT_EQ(kwRead_DrawingInfo(kindNumber, name, sizeof name, floor, scale), 1);
    EXPECT_EQ(kindNumber, 2001);
    EXPECT_EQ(std::string(name), "PLAN");
    EXPECT_EQ(floor, 3);
    EXPECT_EQ(scale, 100);

    XDataItemList back;
    ASSERT_EQ(util.Get_XData(engine::kLine, ids, "$kw_colum ", &back), 1);
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back[0]->resval.nInt, 42);
    EXPECT_EQ(std::string(back[1]->resval.pString), "KZ1");
    CXDataUtil::Remove_Array(back);
}

TEST_F(LibraryOnEngineTest, NewEntityDataBracketsWhatIsDrawn) {
    XDataItemList items;
    items.Add(Item(kXDataReal));
    items[0]->resval.fReal = 2.5f;
    CXDataUtil util;
    ASSERT_EQ(util.New_XData("$APP", items), 1);
    Line(0, 0, 1, 1);
    util.Close_XData();
    Line(0, 0, 2, 2);
    CXDataUtil::Remove_Array(items);
    const auto& entities = eng.Current().Entities();
    EXPECT_EQ(engine::XDataApplications(entities[0].xdata), std::vector<std::string>{"$APP"});
    EXPECT_TRUE(entities[1].xdata.empty());
}

}  // namespace
}  // namespace ckw::test
