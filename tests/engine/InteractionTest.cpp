// User coordinates, the input script, selection walks, edit commands, blocks and copying between
// drawings: the interactive side that commands drive unattended.
#include "EngineFixture.h"
#include "base/GbkText.h"

namespace ckw::test {
namespace {

TEST_F(EngineTest, UserCoordinatesPlaceWhatIsDrawnAndComeBackFromTheCursor) {
    float record[9] = {100, 50, 0, 2, 2, 1, 0, 0, 90};
    eng.HostSetUserCoords(record);
    Line(0, 0, 10, 0);
    Record r = Read();
    EXPECT_NEAR(r.values[0], 100, 1e-4);
    EXPECT_NEAR(r.values[1], 50, 1e-4);
    EXPECT_NEAR(r.values[2], 100, 1e-4);  // 10 along x, doubled and turned by 90 degrees
    EXPECT_NEAR(r.values[3], 70, 1e-4);
    Text("A", 0, 0, 3, 2);
    r = Read();
    EXPECT_NEAR(r.values[0], 6, 1e-5);
    EXPECT_NEAR(r.values[4], 90, 1e-4);
    float got[9];
    eng.HostGetUserCoords(0, got);
    EXPECT_EQ(std::vector<float>(got, got + 9), std::vector<float>(record, record + 9));
    Script("point 100 70");
    float x = 0, y = 0;
    int key = -1;
    eng.HostTrackCursor(x, y, key);
    EXPECT_EQ(key, 0);
    EXPECT_NEAR(x, 10, 1e-4);
    EXPECT_NEAR(y, 0, 1e-4);
    eng.HostResetUserCoords();
    Line(0, 0, 1, 0);
    EXPECT_EQ(Read().values, (std::vector<float>{0, 0, 1, 0}));
}

TEST_F(EngineTest, ScriptAnswersTrackingAndAnExhaustedScriptAnswersEsc) {
    Script("move 1 2\n# a comment\npoint 3 4  # picked\ntab\nesc\nbreak\n");
    float x = 0, y = 0;
    int key = -1;
    eng.HostTrackCursor(x, y, key);
    EXPECT_EQ(key, 3);
    EXPECT_EQ(x, 1);
    eng.HostTrackCursor(x, y, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(y, 4);
    eng.HostTrackCursor(x, y, key);
    EXPECT_EQ(key, 2);
    eng.HostTrackCursor(x, y, key);
    EXPECT_EQ(key, 1);
    EXPECT_EQ(eng.HostUserBreak(), 1);
    EXPECT_EQ(eng.HostUserBreak(), 0);
    // Nothing left: every kind of question ends.
    int status = -1, kind = -1, length = -1;
    eng.HostTrackCursor(x, y, key);
    eng.HostGetCursorPoint(x, y, status);
    EXPECT_EQ(key, 1);
    EXPECT_EQ(status, 1);
    eng.HostPickEntity(x, y, kind, status);
    EXPECT_EQ(status, 1);
    float pick[6];
    eng.HostPickPoint(pick, status);
    EXPECT_EQ(status, 1);
    char path[260] = "0";
    eng.HostFileDialog("*.T", 260, path, 260, length);
    EXPECT_EQ(length, 0);
    eng.HostSelectEntities(0);
    int count = -1;
    eng.HostGetSelectionCount(count);
    EXPECT_EQ(count, 0);
}

TEST_F(EngineTest, AnInputSourceAnswersOnceTheScriptIsUsedUpAndLearnsWhatIsWanted) {
    struct Person : engine::InputSource {
        std::vector<engine::InputWant> asked;
        std::vector<engine::InputEvent> answers;
        bool breakPressed = false;
        engine::InputEvent NextInput(engine::InputWant want) override {
            asked.push_back(want);
            if (answers.empty()) return {};
            engine::InputEvent e = answers.front();
            answers.erase(answers.begin());
            return e;
        }
        bool UserBreak() override { return breakPressed; }
    } person;
    auto event = [](engine::InputEvent::Type type, double x, double y) {
        engine::InputEvent e;
        e.type = type;
        e.x = x;
        e.y = y;
        return e;
    };
    person.answers = {event(engine::InputEvent::Type::Move, 5, 6), event(engine::InputEvent::Type::Point, 7, 8)};
    eng.SetInputSource(&person);
    Script("point 1 2");
    float x = 0, y = 0;
    int status = -1;
    eng.HostGetCursorPoint(x, y, status);  // the script first
    EXPECT_EQ(x, 1);
    eng.HostGetCursorPoint(x, y, status);  // then the person; a move is no answer to a point
    EXPECT_EQ(status, 0);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
    EXPECT_EQ(person.asked, (std::vector<engine::InputWant>{engine::InputWant::Point, engine::InputWant::Point}));
    int kind = 0;
    eng.HostPickEntity(x, y, kind, status);  // nothing more: [Esc]
    EXPECT_EQ(status, 1);
    EXPECT_EQ(person.asked.back(), engine::InputWant::Entity);
    EXPECT_EQ(eng.HostUserBreak(), 0);
    person.breakPressed = true;
    EXPECT_EQ(eng.HostUserBreak(), 1);
    eng.SetInputSource(nullptr);
    EXPECT_EQ(eng.HostUserBreak(), 0);
}

TEST_F(EngineTest, PromptLineIsKeptAndEchoedAsUtf8WhenAsked) {
    std::string gbk = "请选择楼层表的插入点";
    eng.HostPrompt(gbk.c_str(), static_cast<int>(gbk.size()));
    EXPECT_EQ(eng.PromptLine(), gbk);
    eng.HostPrompt("Updategrf error:iFail=1!....", 24);  // the length counts, not the NUL
    EXPECT_EQ(eng.PromptLine(), "Updategrf error:iFail=1!");
    eng.HostClearPrompt();
    EXPECT_EQ(eng.PromptLine(), "");
    EXPECT_EQ(eng.PromptHistory().size(), 2u);
    eng.EchoPrompts(true);
    testing::internal::CaptureStderr();
    eng.HostPrompt(gbk.c_str(), static_cast<int>(gbk.size()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), ckw::text::U8(u8"请选择楼层表的插入点\n"));
}

TEST_F(EngineTest, ScriptErrorsNameTheLine) {
    std::string error;
    EXPECT_FALSE(eng.LoadInputScript("point 1 2\npoint 1\n", error));
    EXPECT_NE(error.find("line 2"), std::string::npos);
    EXPECT_FALSE(eng.LoadInputScript("jump 1 2", error));
    EXPECT_EQ(eng.PendingInput(), 0u);
}

TEST_F(EngineTest, FileDialogTakesTheScriptedPathWithinCapacity) {
    Script(ckw::text::U8(u8"file /tmp/楼层/3F.T\nfile /x.T"));
    char path[260] = "0";
    int length = 0;
    eng.HostFileDialog("*.T", 260, path, 260, length);
    EXPECT_EQ(std::string(path, length), "/tmp/楼层/3F.T");  // GBK at the interface
    char tiny[3] = {'#', '#', '#'};
    eng.HostFileDialog("*.T", 260, tiny, 2, length);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(tiny[2], '#');
}

TEST_F(EngineTest, PickAndFindAtPointMakeTheEntityCurrent) {
    Pen(1);
    Line(0, 0, 100, 0);
    auto lineId = CurrentId();
    eng.HostDrawArc(200, 0, 10, 0, 360);
    Script("point 50 3\npoint 500 500\ntab");
    float x = 0, y = 0;
    int kind = 0, status = -1;
    eng.HostPickEntity(x, y, kind, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(kind, engine::kLine);
    EXPECT_EQ(CurrentId(), lineId);
    eng.HostPickEntity(x, y, kind, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(kind, 0);  // empty space
    eng.HostPickEntity(x, y, kind, status);
    EXPECT_EQ(status, 2);
    int found = 0;
    eng.HostFindEntityAt(found, 210.5f, 0, 1, kind);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(kind, engine::kCircle);
    eng.HostFindEntityAt(found, 205, 0, 1, kind);
    EXPECT_EQ(found, 0);
}

TEST_F(EngineTest, SelectAllOfKindAndTheNextSelectedWalk) {
    for (int i = 0; i < 5; ++i) {
        Pen(i % 2 ? 2 : 3);
        Line(float(i), 0, float(i), 1);
        Text("t", 0, 0);
    }
    eng.HostSelectAllOfKind(0, engine::kLine);
    int count = 0;
    eng.HostGetSelectionCount(count);
    EXPECT_EQ(count, 5);
    eng.HostClearSelection();
    eng.HostSelectAllOfKind(2, engine::kLine);  // only layer 2
    eng.HostGetSelectionCount(count);
    EXPECT_EQ(count, 2);
    std::vector<float> xs;
    for (int kind = -1; kind != 0;) {
        eng.HostNextSelected(0, kind);
        if (kind > 0) xs.push_back(Read().values[0]);
    }
    EXPECT_EQ(xs, (std::vector<float>{1, 3}));
    int again = 0;
    eng.HostNextSelected(0, again);  // the walk starts over after reporting 0
    EXPECT_EQ(again, engine::kLine);
    eng.HostClearSelection();
    eng.HostSelectAllOfKind(0, 0);  // any kind, no table entries
    eng.HostGetSelectionCount(count);
    EXPECT_EQ(count, 10);
}

TEST_F(EngineTest, WindowAndPointSelectionFromTheScript) {
    Line(0, 0, 10, 10);
    Line(20, 0, 30, 10);
    Line(100, 100, 200, 200);
    Script("window -1 -1 35 11\npoint 150 151");
    eng.HostSelectEntities(0);
    int count = 0;
    eng.HostGetSelectionCount(count);
    EXPECT_EQ(count, 2);
    eng.HostSelectEntities(0);
    eng.HostGetSelectionCount(count);
    EXPECT_EQ(count, 3);
    int kind = 0, attributes[7], values = 0, length = 0;
    float v[8];
    char text[8];
    eng.HostReadSelectedEntity(kind, attributes, v, values, text, length, 8);
    EXPECT_EQ(kind, engine::kLine);
    EXPECT_EQ(v[2], 10);
}

TEST_F(EngineTest, EditCommandsScaleRotateMoveAndEraseTheSelection) {
    Line(10, 0, 20, 0);
    Line(500, 500, 501, 501);
    Script("window 0 -1 30 1\npoint 0 0\nvalue 2\npoint 0 0\nvalue 90\npoint 0 0\npoint 5 5");
    eng.HostSelectEntities(0);
    eng.HostRunEditCommand(8);
    eng.HostRunEditCommand(7);
    float dx = 0, dy = 0;
    eng.HostMoveSelection(dx, dy, 0);
    EXPECT_EQ(dx, 5);
    auto first = eng.Current().Entities()[0].values;
    EXPECT_NEAR(first[0], 5, 1e-4);
    EXPECT_NEAR(first[1], 25, 1e-4);
    EXPECT_NEAR(first[3], 45, 1e-4);
    EXPECT_EQ(eng.Current().Entities()[1].values[0], 500);  // not selected, not moved
    eng.HostRunEditCommand(3);
    int count = -1;
    eng.HostGetSelectionCount(count);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(eng.Current().Entities()[0].deleted);
    // An edit command without its answers does nothing.
    eng.HostSelectAllOfKind(0, 0);
    eng.HostRunEditCommand(8);
    EXPECT_EQ(eng.Current().Entities()[1].values[0], 500);
}

TEST_F(EngineTest, RubberBandDrawingErasesItselfAndStoresNothing) {
    eng.HostSetRubberBand(1);
    eng.HostSetTempColour(114);
    float xs[] = {0, 1, 1}, ys[] = {0, 0, 1};
    eng.HostDrawPolyline(3, xs, ys);
    EXPECT_EQ(eng.TemporaryShapes(), 1u);
    eng.HostDrawPolyline(3, xs, ys);
    EXPECT_EQ(eng.TemporaryShapes(), 0u);
    eng.HostSetRubberBand(0);
    EXPECT_TRUE(eng.Current().Entities().empty());
    eng.HostDrawPolyline(3, xs, ys);
    EXPECT_EQ(eng.Current().Entities().size(), 1u);
}

TEST_F(EngineTest, IntersectionOfSegmentsAndTheirExtensions) {
    float x = 0, y = 0;
    int onA = 0, onB = 0;
    eng.HostIntersectSegments(0, 0, 10, 0, 5, -5, 5, 5, 0.001f, x, y, onA, onB);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(onA, 1);
    EXPECT_EQ(onB, 1);
    eng.HostIntersectSegments(0, 0, 10, 0, 20, -5, 20, -1, 0.001f, x, y, onA, onB);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(onA, 0);
    EXPECT_EQ(onB, 0);
    eng.HostIntersectSegments(0, 0, 10, 0, 0, 1, 10, 1, 0.001f, x, y, onA, onB);
    EXPECT_EQ(onA, -1);
    EXPECT_EQ(x, 20);  // unchanged
}

// --- Blocks ---

TEST_F(EngineTest, BlocksLoadFromFilesWithExtentsAndInsert) {
    Line(0, 0, 180, 0);
    Line(180, 0, 180, 56);
    Save(Path("BTL.T"));
    eng.NewDrawing(1);
    std::string path = Path("BTL.T");
    float extents[6];
    int error = -1, count = 0;
    eng.HostLoadBlockFile(path.c_str(), int(path.size()), 998, extents, error);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(std::vector<float>(extents, extents + 6), (std::vector<float>{0, 0, 0, 180, 56, 0}));
    eng.HostQueryBlockNumber(998, count);
    EXPECT_GT(count, 0);
    eng.HostQueryBlockNumber(999, count);
    EXPECT_EQ(count, 0);
    float s = 100, base[3] = {0, 0, 0}, scale[9] = {0, 0, 0, s, s, s, 0, 0, 0};
    eng.HostLoadBlockFileScaled(path.c_str(), int(path.size()), 999, base, scale, path.c_str(), int(path.size()),
                                extents, error);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(extents[3], 180);  // extents stay those of the file
    EXPECT_EQ(eng.Current().Blocks().at(999).entities[0].values[2], 18000);
    float marks[3] = {9999, 9999, 9999}, place[9] = {1000, 500, 0, 1, 1, 1, 0, 0, -90};
    eng.HostInsertBlock(998, 1, marks, place);
    Record r = Read();
    EXPECT_EQ(r.kind, engine::kBlockInsert);
    EXPECT_EQ(r.values, (std::vector<float>{998, 1000, 500, 0, 1, 1, 1, -90}));
    std::array<float, 4> box{};
    ASSERT_TRUE(eng.Current().Extents(box));
    EXPECT_NEAR(box[1], 500 - 180, 1e-3);  // turned by -90 degrees
    eng.HostLoadBlockFile("/no/such.T", 10, 997, extents, error);
    EXPECT_NE(error, 0);
}

// --- Copying between drawings ---

TEST_F(EngineTest, CopyingAnotherDrawingThroughUserCoordinatesAndTheLayerTable) {
    eng.Current().DefineLayer({5, "柱", 1, 0, 7, 0});
    Pen(5);
    Line(0, 0, 10, 0);
    int words[] = {42};
    eng.HostSetNewEntityXData(1, words);
    eng.HostDrawArc(0, 0, 1, 0, 90);
    eng.HostSetNewEntityXData(0, words);
    Save(Path("floor.T"));
    eng.NewDrawing(1);

    int current = 0;
    eng.HostGetCurrentDrawing(current);
    float ucs[9] = {100, 50, 0, 2, 2, 2, 0, 0, 0};
    eng.HostSetUserCoords(ucs);
    ASSERT_EQ(Open(99, Path("floor.T")), 1);
    for (int kind = -1; kind != 0;) {
        eng.HostNextSelected(99, kind);
        if (kind <= 0) continue;
        Record r = Read();
        if (kind == engine::kLayerEntry) {
            std::string renamed = "$_" + r.text;
            eng.HostRewriteEntityBuffers(kind, r.attributes.data(), r.values.data(), int(r.values.size()),
                                         renamed.c_str(), int(renamed.size()));
        }
        eng.HostSelectDrawing(current);
        eng.HostCopyEntityToCurrent(kind);
    }
    eng.HostCloseDrawing(99);
    eng.HostSelectDrawing(current);
    eng.HostResetUserCoords();
    const auto& copied = eng.Current().Entities();
    ASSERT_EQ(copied.size(), 3u);
    EXPECT_EQ(copied[1].values, (std::vector<float>{100, 50, 120, 50}));
    EXPECT_EQ(copied[2].values[2], 2);  // radius doubled
    EXPECT_EQ(copied[2].xdata, std::vector<int32_t>{42});
    char name[80];
    int length = 0;
    eng.HostGetLayerName(0, 5, name, 80, length);
    EXPECT_EQ(std::string(name, length), "$_柱");
    // The source file itself is untouched.
    engine::Drawing source;
    std::string error;
    ASSERT_TRUE(engine::ReadDrawingFile(Path("floor.T"), source, error));
    EXPECT_EQ(source.Layer(5)->name, "柱");
}

TEST_F(EngineTest, ClosingTheCurrentDrawingKeepsADrawing) {
    Line(0, 0, 1, 1);
    Save(Path("x.T"));
    ASSERT_EQ(Open(99, Path("x.T")), 1);
    int unit = 0;
    eng.HostGetCurrentDrawing(unit);
    EXPECT_EQ(unit, 99);
    char name[256];
    int length = 0;
    eng.HostGetDrawingFileName(99, name, 256, length);
    EXPECT_EQ(std::string(name, length), Path("x.T"));
    eng.HostCloseDrawing(99);
    eng.HostGetCurrentDrawing(unit);
    EXPECT_EQ(unit, 1);
    eng.HostCloseDrawing(1);
    eng.HostGetCurrentDrawing(unit);
    EXPECT_EQ(unit, 1);
    EXPECT_TRUE(eng.Current().Entities().empty());
    EXPECT_EQ(Open(5, Path("nothing.T")), 0);
    EXPECT_EQ(eng.Units(), std::vector<int>{1});
}

}  // namespace
}  // namespace ckw::test
