// Rows and columns added, removed and moved around merged cells; merges that cross refused;
// borders kept in step with the neighbours.
#include <gtest/gtest.h>

#include "tables/UserTable.h"

namespace ckw::tables {
namespace {

// Cell texts row by row, "|" between cells, "." for a covered cell, "+" after a merge's spans.
std::string Picture(const UserTable& t) {
    std::string out;
    for (int r = 0; r < t.Rows(); ++r) {
        for (int c = 0; c < t.Cols(); ++c) {
            const TableCell& cell = t.Cell(r, c);
            out += c ? "|" : "";
            if (cell.Covered()) {
                out += ".";
                continue;
            }
            out += cell.text;
            if (cell.rowSpan * cell.colSpan > 1)
                out += "+" + std::to_string(cell.rowSpan) + "x" + std::to_string(cell.colSpan);
        }
        out += "\n";
    }
    return out;
}

// A 3 x 3 table "a".."i" with a 2 x 1 merge at (0, 0).
UserTable Grid3() {
    UserTable t(3, 3, 20, 8);
    const char* texts = "abcdefghi";
    for (int i = 0; i < 9; ++i) t.Cell(i / 3, i % 3).text = std::string(1, texts[i]);
    EXPECT_TRUE(t.Merge(0, 0, 2, 1).ok());
    return t;
}

TEST(UserTable, LinesAroundAMerge) {
    struct Case {
        const char* name;
        ckw::Status (*change)(UserTable&);
        const char* picture;
    } cases[] = {
        {"row inserted inside the merge lengthens it", [](UserTable& t) { return t.Insert(Axis::Rows, 1); },
         "a+3x1|b|c\n.||\n.|e|f\ng|h|i\n"},
        {"row inserted after it leaves it", [](UserTable& t) { return t.Insert(Axis::Rows, 2); },
         "a+2x1|b|c\n.|e|f\n||\ng|h|i\n"},
        {"its first row removed: the next row leads it", [](UserTable& t) { return t.Remove(Axis::Rows, 0); },
         "a|e|f\ng|h|i\n"},
        {"a row inside removed shortens it", [](UserTable& t) { return t.Remove(Axis::Rows, 1); }, "a|b|c\ng|h|i\n"},
        {"column inserted beside it", [](UserTable& t) { return t.Insert(Axis::Cols, 1); },
         "a+2x1||b|c\n.||e|f\ng||h|i\n"},
        {"columns move past a merge running down", [](UserTable& t) { return t.Move(Axis::Cols, 0, 1); },
         "b|a+2x1|c\ne|.|f\nh|g|i\n"},
        {"free rows swap",
         [](UserTable& t) {
             ckw::Status s = t.Insert(Axis::Rows, 3);
             return s.ok() ? t.Move(Axis::Rows, 3, -1) : s;
         },
         "a+2x1|b|c\n.|e|f\n||\ng|h|i\n"},
    };
    for (const Case& c : cases) {
        UserTable t = Grid3();
        const ckw::Status done = c.change(t);
        EXPECT_TRUE(done.ok()) << c.name << ": " << done;
        EXPECT_EQ(Picture(t), c.picture) << c.name;
    }
}

TEST(UserTable, RefusedChangesLeaveTheTable) {
    struct Case {
        const char* name;
        ckw::Status (*change)(UserTable&);
    } cases[] = {
        {"a row the merge crosses moves", [](UserTable& t) { return t.Move(Axis::Rows, 0, 1); }},
        {"a free row onto a crossed one", [](UserTable& t) { return t.Move(Axis::Rows, 2, -1); }},
        {"past the end", [](UserTable& t) { return t.Move(Axis::Cols, 2, 1); }},
        {"a merge crossing another", [](UserTable& t) { return t.Merge(1, 0, 2, 2); }},
        {"a merge of one cell", [](UserTable& t) { return t.Merge(2, 2, 1, 1); }},
        {"a merge out of the table", [](UserTable& t) { return t.Merge(2, 2, 1, 2); }},
        {"no such row", [](UserTable& t) { return t.Remove(Axis::Rows, 3); }},
    };
    for (const Case& c : cases) {
        UserTable t = Grid3();
        const UserTable before = t;
        EXPECT_FALSE(c.change(t).ok()) << c.name;
        EXPECT_EQ(t, before) << c.name;
    }
    UserTable one(1, 1, 10, 10);
    EXPECT_FALSE(one.Remove(Axis::Cols, 0).ok()) << "the last column stays";
}

TEST(UserTable, MergingOverAMergeTakesItInAndSplittingGivesTheCellsBack) {
    UserTable t = Grid3();
    const ckw::Status merged = t.Merge(0, 0, 2, 2);
    ASSERT_TRUE(merged.ok()) << merged;
    EXPECT_EQ(Picture(t), "a+2x2|.|c\n.|.|f\ng|h|i\n");
    int row = 1, col = 1;
    t.Anchor(row, col);
    EXPECT_EQ(row * 10 + col, 0);
    ASSERT_TRUE(t.Split(0, 0));
    EXPECT_EQ(Picture(t), "a|b|c\nd|e|f\ng|h|i\n") << "covered cells kept their texts";
    EXPECT_FALSE(t.Split(0, 0));
}

TEST(UserTable, BordersAreSetOnBothSidesOfALine) {
    UserTable t = Grid3();
    t.SetBorders(1, 0, kLeft | kTop | kBottom, kBottom);  // the merge at (0, 0): its right side off
    EXPECT_EQ(t.Cell(0, 0).borders, kLeft | kTop | kBottom);
    for (int r : {0, 1}) EXPECT_EQ(t.Cell(r, 1).borders, kAllBorders & ~kLeft) << r;
    EXPECT_EQ(t.Cell(2, 0).borders & kTop, kTop);
    EXPECT_EQ(t.Cell(2, 0).heavyBorders, kTop);
    EXPECT_EQ(t.Cell(2, 1).heavyBorders, 0);
}

}  // namespace
}  // namespace ckw::tables
