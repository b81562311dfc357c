// kwXData_Manage and kwXData_Add on the reference engine: the window's grid, what each button
// stores (compared word for word), and the loop endings.
#include <bit>

#include <ckw/XDataUtil.h>
#include "xdata/CommandFixture.h"

namespace ckw::test {
namespace {

// Stored words written out by hand.
Words Block(const std::string& name, size_t nameWords, std::initializer_list<Words> items = {}) {
    Words w{10000, '{', 10010, static_cast<int>(nameWords)};
    for (int word : Packed(name, nameWords)) w.push_back(word);
    for (const Words& item : items) w.insert(w.end(), item.begin(), item.end());
    w.insert(w.end(), {10099, '}'});
    return w;
}
Words Int(int v) { return {10001, v}; }
Words Real(float v) { return {10002, std::bit_cast<int>(v)}; }
Words Str(const std::string& s) {
    Words w{10003, static_cast<int>((s.size() + 3) / 4)};
    for (int word : Packed(s, (s.size() + 3) / 4)) w.push_back(word);
    return w;
}
Words Join(std::initializer_list<Words> parts) {
    Words all;
    for (const Words& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

class XDataManage : public CommandTest {
protected:
    std::string Manage(const std::string& script) {
        return Play(script, [] { return kwXData_Manage(); });
    }
    int line = Line(0, 0);
};

TEST_F(XDataManage, AnEntityWithoutDataShowsTheDefaultRowAndStoresAValuelessBlock) {
    EXPECT_EQ(Manage("point 50 0\n"
                     "expect caption \"XDATA MANAGE\"\n"
                     "expect rows 3\n"
                     "expect cell 1 1 $KW_COLUM\n"
                     "expect cell 1 2 AppName\n"
                     "expect editable 1 2 no\n"
                     "expect backcolor 1 2 #C0C0C0\n"
                     "expect cell 2 1 \"\"\n"
                     "expect cell 2 2 1-INT\n"
                     "click 修改实体Xdata\n"
                     "esc\n"),
              "");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Stream(line), Block("$KW_COLUM", 3));
}

TEST_F(XDataManage, WritingBackKeepsStoredNamesAndValuesBitForBit) {
    // Names in mixed case, one stored with a NUL word as Set_XData writes it.
    Stream(line) = Join({Block("$Other_app", 3, {Int(7)}), Block("$kw_colum", 3, {Real(0.1f)})});
    EXPECT_EQ(Manage("point 50 0\n"
                     "expect cell 1 1 $OTHER_APP\n"
                     "expect cell 3 1 $KW_COLUM\n"
                     "expect cell 4 1 0.1\n"
                     "expect cell 4 2 2-REAL\n"
                     "cell 2 1 8\n"
                     "click 增加子项\n"
                     "cell 5 1 两个字\n"
                     "choose 5 2 3-CHAR\n"
                     "click 修改实体Xdata\n"
                     "esc\n"),
              "");
    EXPECT_EQ(Stream(line),
              Join({Block("$Other_app", 3, {Int(8)}), Block("$kw_colum", 3, {Real(0.1f), Str("两个字")})}));

    // The other application still finds its own block to replace.
    XDataItemList items;
    auto* nine = new XData_Resbuf_;
    nine->restype = kXDataInteger;
    nine->resval.nInt = 9;
    items.Add(nine);
    int id[2] = {line, At(line).id1};
    CXDataUtil().Set_XData(At(line).kind, id, "$Other_app", items);
    CXDataUtil::Remove_Array(items);
    EXPECT_EQ(Stream(line),
              Join({Block("$kw_colum", 3, {Real(0.1f), Str("两个字")}), Block("$Other_app", 3, {Int(9)})}));
}

TEST_F(XDataManage, AValueThatIsNotOfItsTypeIsRefusedAndNothingIsWritten) {
    struct Case {
        const char* type;
        const char* text;
        const char* message;
    };
    const Case cases[] = {{"1-INT", "abc", "不是整数"},   {"1-INT", "99999999999", "不是整数"},
                          {"1-INT", "1.5", "不是整数"},   {"2-REAL", "1e99", "不是实数"},
                          {"2-REAL", "0.5x", "不是实数"}, {"2-REAL", "nan", "不是实数"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Manage(std::string("point 50 0\nchoose 2 2 ") + c.type + "\ncell 2 1 " + c.text +
                         "\nclick 修改实体Xdata\nanswer ok " + c.message + "\nesc\n"),
                  "");
        EXPECT_TRUE(Messaged(c.message));
        EXPECT_TRUE(Stream(line).empty());
    }
}

TEST_F(XDataManage, ABlockWithAnEmptyNameIsStoredButNotShownAgain) {
    EXPECT_EQ(Manage("point 50 0\n"
                     "cell 1 1 \"\"\n"
                     "cell 2 1 5\n"
                     "click 修改实体Xdata\n"
                     "point 50 0\n"
                     "expect rows 3\n"
                     "expect cell 1 1 $KW_COLUM\n"
                     "expect cell 2 1 \"\"\n"
                     "esc\n"),
              "");
    EXPECT_EQ(Stream(line), Block("", 0, {Int(5)}));
}

TEST_F(XDataManage, NewEntityAndDrawingButtonsUseTheGridsBlocks) {
    const std::string twoBlocks =
        "point 50 0\n"
        "click 增加应用程序名\n"
        "expect cell 3 1 $You_Appname\n"
        "cell 2 1 1\n"
        "cell 4 1 2\n";
    // Append uses the first application only.
    EXPECT_EQ(Manage(twoBlocks + "click \"Append Xdata\"\nesc\n"), "");
    EXPECT_EQ(PendingNew(), Block("$KW_COLUM", 3, {Int(1)}));
    EXPECT_EQ(Manage(twoBlocks + "click \"Set New Xdata\"\nesc\n"), "");
    EXPECT_EQ(PendingNew(), Join({Block("$KW_COLUM", 3, {Int(1)}), Block("$You_Appname", 3, {Int(2)})}));
    EXPECT_EQ(Manage("point 50 0\nclick \"Close New Xdata\"\nesc\n"), "");
    EXPECT_TRUE(PendingNew().empty());

    EXPECT_EQ(Manage(twoBlocks + "click \"Set DbData\"\nesc\n"), "");
    EXPECT_EQ(engine.Current().Data(), Join({Block("$KW_COLUM", 3, {Int(1)}), Block("$You_Appname", 3, {Int(2)})}));
    EXPECT_TRUE(Stream(line).empty());

    // The drawing's blocks, once shown, are written onto the shown entity like any grid's.
    const std::string report = Manage(
        "point 50 0\n"
        "click \"XGet DbData\"\n"
        "expect cell 3 1 $YOU_APPNAME\n"
        "click 修改实体Xdata\n"
        "esc\n");
    EXPECT_EQ(report, "") << messages.size();
    EXPECT_EQ(Stream(line), Join({Block("$KW_COLUM", 3, {Int(1)}), Block("$YOU_APPNAME", 3, {Int(2)})}));
}

TEST_F(XDataManage, EscOrAPickOnNothingEndsAndAClosedWindowOpensAgain) {
    EXPECT_EQ(Manage("point 50 0\nclose\npoint 50 0\nexpect rows 3\nesc\n"), "");
    EXPECT_EQ(Manage("point 50 0\npoint 500 500\nexpect rows 3\n"), "1 step(s) of the script were not used\n");
    EXPECT_EQ(Manage("point 50 0\nbreak\nexpect rows 3\n"), "1 step(s) of the script were not used\n");
    EXPECT_EQ(engine.PromptLine(), "请用光标选择图素, [ESC]退出");
}

class XDataAdd : public CommandTest {
protected:
    std::string Add(const std::string& script) {
        return Play(script, [] { return kwXData_Add(); });
    }
};

TEST_F(XDataAdd, CancellingStoresNothingAndOkStoresOnEverySelectedEntity) {
    const int first = Line(0, 0), second = Line(0, 50), outside = Line(0, 500);
    EXPECT_EQ(Add("dialog 1015\nexpect text 1009 $KW_COLUM\ncancel\n"), "");
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Stream(first).empty());

    EXPECT_EQ(Add("expect text 1008 \"this is xdata test!\"\n"
                  "edit 1006 42\n"
                  "edit 1007 2.5\n"
                  "ok\n"
                  "window -10 -10 110 60\n"
                  "esc\n"),
              "");
    EXPECT_EQ(result, 1);
    const Words block = Block("$KW_COLUM", 3, {Int(42), Real(2.5f), Str("this is xdata test!")});
    EXPECT_EQ(Stream(first), block);
    EXPECT_EQ(Stream(second), block);
    EXPECT_TRUE(Stream(outside).empty());
}

}  // namespace
}  // namespace ckw::test
