// Reading streams: name matching, damaged and truncated streams, never reading past the end.
#include <gtest/gtest.h>

#include <memory>

#include "xdata/XDataFixture.h"
#include "xdata/XDataParser.h"

namespace ckw::test {
namespace {

using Words = std::vector<int>;

class XDataParsing : public XDataTest {
protected:
    // Reads `name` from the current entity, whose stream is `stream`.
    int Read(const Words& stream, const char* name, Items& into) {
        engine.AddEntity(1, 1, 1, stream);
        return util.Get_curXData(name, &into.list);
    }
};

// "$KW_COLUM" packed: 24 4B 57 5F | 43 4F 4C 55 | 4D
const Words kColumnName = {kStart, kBrace, kName, 3, 0x5F574B24, 0x554C4F43, 0x4D};

TEST_F(XDataParsing, NamesCompareUpperCasedWithoutTrailingBlanks) {
    Items stored;
    stored.Int(11);
    Words block = PackedBlock("$KW_COLUM", stored);
    ASSERT_EQ(Words(block.begin(), block.begin() + 7), kColumnName);

    Items found;
    EXPECT_EQ(Read(block, "$kw_colum \t", found), 1);
    ASSERT_EQ(found.Size(), 1);
    EXPECT_EQ(found.IntAt(0), 11);

    Items missing;
    EXPECT_EQ(Read(block, " $KW_COLUM", missing), 0) << "leading blanks are part of the name";
}

TEST_F(XDataParsing, EmptyOrBlankNameIsRefusedWithMessage) {
    Items found;
    EXPECT_EQ(Read({}, "   ", found), 0);
    EXPECT_EQ(util.Get_curXData("", &found.list), 0);
    EXPECT_EQ(util.Get_DbData(nullptr, &found.list), 0);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>(3, "非法的AppName!!")));
}

TEST_F(XDataParsing, NotFoundReleasesWhatTheListHeld) {
    Items list;
    list.Int(1).Str("caller's");
    EXPECT_EQ(Read({}, "$A", list), 0);
    EXPECT_EQ(list.Size(), 0) << "released (LeakSanitizer checks the release)";
}

TEST_F(XDataParsing, DamagedBlockIsDroppedAndALaterBlockOfTheSameNameFound) {
    Items first, second;
    first.Int(1);
    second.Int(2).Str("ok");
    Words bad = PackedBlock("$A", first);
    bad.resize(bad.size() - 2);  // no end marker
    Words unknown = PackedBlock("$A", first);
    unknown[5] = 777;  // unknown code where the integer's code was
    Words good = PackedBlock("$A", second);

    Items found;
    ASSERT_EQ(Read(Join({bad, unknown, good}), "$A", found), 1);
    ASSERT_EQ(found.Size(), 2) << "nothing of the damaged blocks";
    EXPECT_EQ(found.IntAt(0), 2);
    EXPECT_EQ(found.StrAt(1), "ok");
}

TEST_F(XDataParsing, ReadersExamineOnlyTheFirstByteOfBraceWords) {
    Items items;
    items.Int(3);
    Words block = PackedBlock("$A", items);
    block[1] = 0x7FFFFF00 | '{';
    block.back() = 0x12345600 | '}';
    Items found;
    ASSERT_EQ(Read(block, "$A", found), 1);
    EXPECT_EQ(found.IntAt(0), 3);
}

TEST_F(XDataParsing, AllBlocksComeWithUpperCasedNamesAndEmptyNamesSkipped) {
    Items a, b, c;
    a.Int(1);
    b.Real(2.5f);
    c.Str("中文");
    engine.AddEntity(1, 1, 1, Join({PackedBlock("$one ", a), PackedBlock("", b), PackedBlock("$二x", c)}));
    Blocks all;
    ASSERT_EQ(util.XGet_curXData(&all.list), 1);
    ASSERT_EQ(all.Size(), 2);
    EXPECT_EQ(all.NameAt(0), "$ONE ") << "trailing blanks stay";
    EXPECT_EQ(all.NameAt(1), "$二X");
    EXPECT_EQ(std::string(all.ItemsAt(1)[0]->resval.pString), "中文");
}

// Every prefix of a stream, and the stream with any one word replaced by a hostile value, is
// read from a heap buffer of exactly its size, so that a read past the end is caught.
TEST_F(XDataParsing, NoStreamMakesTheParserReadPastItsEnd) {
    Items a, b;
    a.Int(1).Str("abcdefg").Real(1.0f);
    b.Str("x");
    const Words stream = Join({PackedBlock("$A", a), PackedBlock("$BCDE", b)});
    const int hostile[] = {-1, 0, 1, 0x7FFFFFFF, static_cast<int>(0x80000000u), 10000, 10003, 10010, 10099, 8192};

    auto parse = [](const Words& words) {
        auto exact = std::make_unique<int[]>(words.size());
        std::copy(words.begin(), words.end(), exact.get());
        std::span<const int> span(exact.get(), words.size());
        size_t blocks = xdata::ReadAllBlocks(span).size();
        bool found = xdata::FindBlock(span, "$BCDE").has_value();
        return std::make_pair(blocks, found);
    };
    EXPECT_EQ(parse(stream), std::make_pair(size_t{2}, true));
    for (size_t n = 0; n < stream.size(); ++n) {
        auto [blocks, found] = parse(Words(stream.begin(), stream.begin() + n));
        EXPECT_LE(blocks, 1u) << n;
        EXPECT_FALSE(found) << "an incomplete block is never found, length " << n;
    }
    for (size_t i = 0; i < stream.size(); ++i)
        for (int value : hostile) {
            Words damaged = stream;
            damaged[i] = value;
            parse(damaged);
        }
}

}  // namespace
}  // namespace ckw::test
