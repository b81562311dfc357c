// Reading streams: name matching, damaged and truncated streams, never reading past the end.
#include <memory>

#include "xdata/XDataFixture.h"
#include "base/XDataParser.h"

namespace ckw::test {
namespace {

class XDataParsing : public XDataTest {
protected:
    int Read(const Words& stream, const char* name, Items& into) {
        Stream() = stream;
        return util.Get_curXData(name, &into.list);
    }
};

TEST_F(XDataParsing, NamesCompareUpperCasedWithoutTrailingBlanks) {
    Items stored;
    stored.Int(11);
    const Words block = PackedBlock("$KW_COLUM", stored);
    Items found, missing, caller;
    EXPECT_EQ(Read(block, "$kw_colum \t", found), 1);
    EXPECT_EQ(found.IntAt(0), 11);
    EXPECT_EQ(Read(block, " $KW_COLUM", missing), 0) << "leading blanks are part of the name";

    caller.Int(1).Str("placed by the caller");
    EXPECT_EQ(Read(block, "$OTHER", caller), 0);
    EXPECT_EQ(caller.Size(), 0) << "not found releases what the list held";

    EXPECT_EQ(Read(block, "  ", found), 0);
    EXPECT_EQ(util.Get_DbData(nullptr, &found.list), 0);
    EXPECT_EQ(ui.texts(), std::vector<std::string>(2, "非法的AppName!!"));
    EXPECT_EQ(found.Size(), 1) << "a refused name leaves the list";
}

TEST_F(XDataParsing, DamagedBlocksAreDroppedAndALaterBlockOfTheSameNameFound) {
    Items first, second;
    first.Int(1);
    second.Int(2).Str("ok");
    Words noEnd = PackedBlock("$A", first);
    noEnd.resize(noEnd.size() - 2);
    Words unknownCode = PackedBlock("$A", first);
    unknownCode[5] = 777;
    Words good = PackedBlock("$A", second);
    good[1] = 0x7FFFFF00 | '{';  // readers look only at the lowest byte of brace words
    good.back() = 0x12345600 | '}';

    Items found;
    ASSERT_EQ(Read(Join({noEnd, unknownCode, good}), "$A", found), 1);
    ASSERT_EQ(found.Size(), 2) << "nothing of the damaged blocks";
    EXPECT_EQ(found.IntAt(0), 2);
    EXPECT_EQ(found.StrAt(1), "ok");
}

TEST_F(XDataParsing, AllBlocksComeWithUpperCasedNamesAndEmptyNamesSkipped) {
    Items a, b, c;
    a.Int(1);
    b.Real(2.5f);
    c.Str("中文");
    Stream() = Join({PackedBlock("$one ", a), PackedBlock("", b), PackedBlock("$二x", c)});
    Blocks all;
    ASSERT_EQ(util.XGet_curXData(&all.list), 1);
    ASSERT_EQ(all.Size(), 2);
    EXPECT_EQ(all.NameAt(0), "$ONE ") << "trailing blanks stay";
    EXPECT_EQ(all.NameAt(1), "$二X");
    EXPECT_STREQ(all.ItemAt(1, 0).resval.pString, "中文");
}

// Every prefix of a stream, and the stream with any one word replaced by a hostile value, is
// parsed from a heap buffer of exactly its size, so that a read past the end is caught.
TEST_F(XDataParsing, NoStreamMakesTheParserReadPastItsEnd) {
    Items a, b;
    a.Int(1).Str("abcdefg").Real(1.0f);
    b.Str("x");
    const Words stream = Join({PackedBlock("$A", a), PackedBlock("$BCDE", b)});
    auto parse = [](const Words& words) {
        auto exact = std::make_unique<int[]>(words.size());
        std::copy(words.begin(), words.end(), exact.get());
        std::span<const int> span(exact.get(), words.size());
        return std::make_pair(xdata::ReadAllBlocks(span).size(), xdata::FindBlock(span, "$BCDE").has_value());
    };
    EXPECT_EQ(parse(stream), std::make_pair(size_t{2}, true));
    for (size_t n = 0; n < stream.size(); ++n)
        EXPECT_FALSE(parse(Words(stream.begin(), stream.begin() + n)).second) << "incomplete at length " << n;
    for (size_t i = 0; i < stream.size(); ++i)
        for (int value : {-1, 0, 0x7FFFFFFF, static_cast<int>(0x80000000u), 10000, 10003, 10010, 10099, 8192}) {
            Words damaged = stream;
            damaged[i] = value;
            parse(damaged);
        }
}

}  // namespace
}  // namespace ckw::test
