// The engine's undo history: each kind of change undone to an equal drawing and redone, steps
// nesting, empty steps, changes outside steps, the saved mark and the memory budget.
#include <functional>
#include <sstream>

#include "EngineFixture.h"

namespace ckw::test {
namespace {

using engine::Block;
using engine::Drawing;
using engine::Entity;
using engine::LayerInfo;

std::string Dump(const Drawing& d) {
    std::ostringstream out;
    engine::WriteDrawingText(d, out);
    return out.str();
}

class UndoTest : public EngineTest {
protected:
    Drawing& D() { return eng.Current(); }
    // A drawing with something of every part.
    void Fill() {
        Pen(3);
        Line(0, 0, 10, 0);
        Line(0, 5, 10, 5);
        Text("ABC", 1, 1);
        D().DefineLayer({3, "WALL", 1, 0, 2, 0});
        D().DefineLineType(2, {2.0f, -1.0f});
        D().Blocks()[1] = Block{1, "B", {}, {}};
        D().Data() = {1, 2, 3};
    }
};

struct Change {
    const char* name;
    std::function<void(Drawing&, engine::ReferenceEngine&)> apply;
};

const Change kChanges[] = {
    {"add", [](Drawing&, auto& e) { e.HostDrawLine(1, 2, 3, 4); }},
    {"change via At", [](Drawing& d, auto&) { d.At(0).values[0] = 99; }},
    {"erase", [](Drawing& d, auto&) { d.Erase(1); }},
    {"erase then change",
     [](Drawing& d, auto&) {
         d.Erase(1);
         d.At(1).attributes[3] = 5;
     }},
    {"erase every entity",
     [](Drawing& d, auto&) {
         for (size_t i = 0; i < d.Entities().size(); ++i) d.Erase(i);
     }},
    {"add then erase it and an old one",
     [](Drawing& d, auto& e) {
         e.HostDrawLine(1, 2, 3, 4);
         d.Erase(d.Entities().size() - 1);
         d.Erase(0);
     }},
    {"layer changed",
     [](Drawing& d, auto&) {
         d.DefineLayer({3, "WALL", 2, 500, 4, 1});
     }},
    {"layer added",
     [](Drawing& d, auto&) {
         d.DefineLayer({9, "NEW", 1, 0, 1, 0});
     }},
    {"line type",
     [](Drawing& d, auto&) {
         d.DefineLineType(2, {5.0f, -5.0f});
     }},
    {"data record", [](Drawing& d, auto&) { d.Data().push_back(4); }},
    {"block",
     [](Drawing& d, auto&) {
         Entity line;
         line.kind = engine::kLine;
         line.values = {0, 0, 1, 1};
         d.Blocks()[1].entities.push_back(line);
     }},
    {"extended data",
     [](Drawing& d, auto&) {
         d.At(2).xdata = {7, 8};
     }},
    {"names", [](Drawing&, auto& e) { e.HostSetDrawingName(1, "NAME", 4); }},
};

TEST_F(UndoTest, EveryKindOfChangeIsUndoneToAnEqualDrawingAndRedone) {
    for (const Change& change : kChanges) {
        SCOPED_TRACE(change.name);
        eng.Reset();
        Fill();
        eng.ClearHistory();
        const Drawing before = D();
        const std::string beforeText = Dump(D());
        eng.BeginStep(change.name);
        change.apply(D(), eng);
        eng.EndStep();
        const Drawing after = D();
        const std::string afterText = Dump(D());
        ASSERT_NE(beforeText + std::to_string(before.NextId()), afterText + std::to_string(after.NextId()));
        ASSERT_TRUE(eng.CanUndo());
        EXPECT_EQ(eng.UndoName(), change.name);
        ASSERT_TRUE(eng.Undo());
        EXPECT_TRUE(D() == before);
        EXPECT_EQ(Dump(D()), beforeText);
        EXPECT_FALSE(eng.CanUndo());
        EXPECT_EQ(eng.RedoName(), change.name);
        ASSERT_TRUE(eng.Redo());
        EXPECT_TRUE(D() == after);
        EXPECT_EQ(Dump(D()), afterText);
        // Undone again, and the tables follow: the layer and line type read as the drawing holds them.
        ASSERT_TRUE(eng.Undo());
        EXPECT_TRUE(D() == before);
        EXPECT_EQ(D().Layer(3)->colour, 2);
        EXPECT_EQ(D().LineTypeDashes(2), (std::vector<float>{2.0f, -1.0f}));
    }
}

TEST_F(UndoTest, NestedStepsAreOneAndEmptyStepsAreDropped) {
    Fill();
    eng.ClearHistory();
    const Drawing before = D();
    eng.BeginStep("outer");
    Line(1, 1, 2, 2);
    eng.BeginStep("inner");
    D().Erase(0);
    eng.EndStep();
    EXPECT_TRUE(eng.InStep());
    EXPECT_FALSE(eng.Undo());  // not while a step is open
    D().At(1).text = "X";
    eng.EndStep();
    EXPECT_EQ(eng.UndoName(), "outer");
    eng.BeginStep("read only");
    (void)D().At(0);
    (void)D().Data();
    eng.EndStep();
    EXPECT_EQ(eng.UndoName(), "outer");
    ASSERT_TRUE(eng.Undo());
    EXPECT_TRUE(D() == before);
    EXPECT_FALSE(eng.CanUndo());
}

TEST_F(UndoTest, ChangesOutsideStepsAreAStepOfTheirOwnAndANewStepDropsRedo) {
    Fill();
    eng.ClearHistory();
    const Drawing start = D();
    Line(5, 5, 6, 6);  // no step open
    const Drawing drawn = D();
    eng.BeginStep("erase");
    D().Erase(0);
    eng.EndStep();
    ASSERT_TRUE(eng.Undo());
    EXPECT_TRUE(D() == drawn);
    EXPECT_EQ(eng.UndoName(), "");
    ASSERT_TRUE(eng.Undo());
    EXPECT_TRUE(D() == start);
    eng.BeginStep("other");
    D().At(0).text = "Y";
    eng.EndStep();
    EXPECT_FALSE(eng.CanRedo());
}

TEST_F(UndoTest, MarkTellsTheSavedStateAgainAfterUndo) {
    Fill();
    const uint64_t saved = eng.HistoryMark();
    eng.BeginStep("a");
    Line(1, 1, 2, 2);
    eng.EndStep();
    EXPECT_NE(eng.HistoryMark(), saved);
    ASSERT_TRUE(eng.Undo());
    EXPECT_EQ(eng.HistoryMark(), saved);
    ASSERT_TRUE(eng.Redo());
    EXPECT_NE(eng.HistoryMark(), saved);
    // A different change from the saved state is not the saved state either.
    ASSERT_TRUE(eng.Undo());
    eng.BeginStep("b");
    Line(3, 3, 4, 4);
    eng.EndStep();
    EXPECT_NE(eng.HistoryMark(), saved);
}

TEST_F(UndoTest, BudgetDropsTheOldestStepsButKeepsTheNewest) {
    eng.ClearHistory();
    eng.SetHistoryBudget(20000);
    for (int i = 0; i < 50; ++i) {
        eng.BeginStep("change");
        Line(0, 0, 1, 1);  // additions cost little until undone
        D().At(0).text = std::string(1000, 'a' + i % 20);
        eng.EndStep();
    }
    EXPECT_GT(eng.DroppedSteps(), 0u);
    EXPECT_LE(eng.HistoryBytes(), 20000u);
    int undone = 0;
    while (eng.Undo()) ++undone;
    EXPECT_EQ(undone + eng.DroppedSteps(), 50u);
    EXPECT_EQ(D().Entities().size(), 50u - undone);
    eng.SetHistoryBudget(1);
    EXPECT_TRUE(eng.CanRedo());  // the newest stays
}

TEST_F(UndoTest, ClosingTheDrawingEndsItsHistoryAndUndoForgetsTheSelection) {
    Fill();
    eng.BeginStep("a");
    Line(1, 1, 2, 2);
    eng.EndStep();
    eng.HostSelectAllOfKind(0, engine::kLine);
    ASSERT_TRUE(eng.Undo());
    int count = -1;
    eng.HostGetSelectionCount(count);
    EXPECT_EQ(count, 0);
    ASSERT_TRUE(eng.Redo());
    eng.Close(0);
    EXPECT_FALSE(eng.CanUndo());
    EXPECT_FALSE(eng.CanRedo());
}

}  // namespace
}  // namespace ckw::test
