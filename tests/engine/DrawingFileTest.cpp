// .T files: everything a drawing holds survives save and open; damaged and foreign files are
// refused with a message and leave the engine as it was.
#include <sqlite3.h>

#include <fstream>

#include "EngineFixture.h"

namespace ckw::test {
namespace {

using engine::Drawing;

class DrawingFileTest : public EngineTest {
protected:
    // A drawing with every kind of content, made through the contract.
    void DrawEverything() {
        engine::Drawing& d = eng.Current();
        d.DefineLayer({5, "柱", 2, 250, 1, 0});
        d.DefineLayer({6, "梁 beams", 1, 0, 3, 1});
        float dashes[] = {600, -300, 0, -300};
        eng.HostDefineLineType(2, 4, dashes);
        Pen(5, 2, 250, 1);
        Line(0, 0, 1000, 500.25f);
        float xs[] = {0, 10, 20}, ys[] = {0, 5, 0}, h[] = {2.5f, 0, 0}, w[] = {1, 1, 1}, zero[] = {0, 0, 0};
        eng.HostDrawWidePolyline(3, xs, ys, h, w, zero, zero, 1);
        eng.HostDrawArc(5, 5, 3, 30, 120);
        eng.HostDrawArc(50, 50, 10, 0, 360);
        int style[10] = {};
        eng.HostDrawFilledPolygon(3, xs, ys, 0, style, 31);
        int words[] = {10000, '{', 10010, 1, 0x4B24, 10001, -7, 10099, '}'};
        eng.HostSetNewEntityXData(9, words);
        Text(
            "钢筋\x82"
            "20@200",
            100, 200);  // a grade byte that is no GBK character
        eng.HostSetNewEntityXData(0, nullptr);
        Text("plain", 1, 2);
        eng.HostSetDrawingName(12, "D:\\楼层\\3F.T", 12);
        int record[] = {1, 2, 3, -4};
        eng.HostCreateDrawingData(0, 0, 4, 0);
        eng.HostWriteDrawingData(0, 0, record, 4, 0);
    }
};

TEST_F(DrawingFileTest, SaveAndOpenKeepEveryPartOfTheDrawing) {
    DrawEverything();
    // More entities than one chunk of rows the save writes at a time, deleted ones among them.
    for (int i = 0; i < 150; ++i) Line(float(i), 0, float(i), 10);
    eng.Current().Erase(20);
    eng.Current().Erase(100);
    Line(1, 1, 2, 2);
    int kind = 0, fail = 0;
    eng.HostUpdateEntity(2, nullptr, nullptr, 0, nullptr, 0, 0, 0, -2, fail);  // delete the last line
    ASSERT_EQ(fail, 0);
    Save(Path("plan.T"));

    Drawing expected = eng.Current();
    std::string error;
    Drawing reopened;
    ASSERT_TRUE(engine::ReadDrawingFile(Path("plan.T"), reopened, error)) << error;
    // Deleted entities are not saved; everything else is equal, down to the bytes of texts.
    std::vector<engine::Entity> live;
    for (const engine::Entity& e : expected.Entities())
        if (!e.deleted) live.push_back(e);
    EXPECT_EQ(live.size(), expected.Entities().size() - 3);
    EXPECT_EQ(reopened.Entities(), live);
    EXPECT_FALSE(reopened.Find(expected.Entities().back().id0));
    EXPECT_EQ(reopened.Data(), expected.Data());
    EXPECT_EQ(reopened.Names(), expected.Names());
    EXPECT_EQ(reopened.Stamp(), expected.Stamp());
    EXPECT_EQ(reopened.NextId(), expected.NextId());  // ids are never handed out twice
    ASSERT_TRUE(reopened.Layer(6));
    EXPECT_EQ(reopened.Layer(6)->name, "梁 beams");
    EXPECT_EQ(reopened.LineTypeDashes(2), (std::vector<float>{600, -300, 0, -300}));
    (void)kind;
}

TEST_F(DrawingFileTest, EntitiesKeepTheirIdentifiersAcrossSaveAndOpen) {
    DrawEverything();
    Text(
        "钢筋\x82"
        "20@200",
        100, 200);
    auto id = CurrentId();
    Save(Path("ids.T"));
    ASSERT_EQ(Open(0, Path("ids.T")), 1);
    ASSERT_TRUE(Find(engine::kChineseText, id));
    EXPECT_EQ(Read().text,
              "钢筋\x82"
              "20@200");
}

TEST_F(DrawingFileTest, ReadOnlyOpenReadsTheRecordAndEntitiesOnDemand) {
    DrawEverything();
    Save(Path("side.T"));
    int before = eng.CurrentUnit();
    ASSERT_EQ(Open(99, Path("side.T"), true), 1);
    EXPECT_EQ(eng.CurrentUnit(), 99);
    int size = 0;
    eng.HostGetDrawingDataSize(0, 0, size, 0);
    EXPECT_EQ(size, 4);
    // A look-only drawing refuses changes.
    EXPECT_EQ(eng.HostCreateDrawingData(0, 0, 1, 0), 0);
    int kind = 0, count = 0;
    eng.HostSelectAllOfKind(0, engine::kLine);
    eng.HostGetSelectionCount(count);
    EXPECT_EQ(count, 1);
    eng.HostCloseDrawingFile(99);
    EXPECT_EQ(eng.CurrentUnit(), before);
    (void)kind;
}

TEST_F(DrawingFileTest, DrawingRecordAloneEqualsTheFullRead) {
    DrawEverything();
    Save(Path("rec.T"));
    std::vector<int32_t> words;
    std::string error;
    ASSERT_TRUE(engine::ReadDrawingRecord(Path("rec.T"), words, error)) << error;
    EXPECT_EQ(words, (std::vector<int32_t>{1, 2, 3, -4}));
}

TEST_F(DrawingFileTest, SavingOverAFileReplacesItWholeAndLeavesNoTemporaryFile) {
    DrawEverything();
    Save(Path("a.T"));
    eng.NewDrawing(1);
    Line(0, 0, 1, 1);
    Save(Path("a.T"));
    Drawing reopened;
    std::string error;
    ASSERT_TRUE(engine::ReadDrawingFile(Path("a.T"), reopened, error));
    EXPECT_EQ(reopened.Entities().size(), 1u);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "a.T") << "left behind: " << entry.path();
}

TEST_F(DrawingFileTest, AFailedSaveKeepsTheOldFile) {
    DrawEverything();
    Save(Path("keep.T"));
    auto size = std::filesystem::file_size(Path("keep.T"));
    std::filesystem::create_directory(Path("blocked.T"));
    std::ofstream(Path("blocked.T") + "/inside") << "x";
    std::string error;
    EXPECT_FALSE(eng.Save(0, Path("blocked.T"), error));
    EXPECT_NE(error.find("blocked.T"), std::string::npos);
    EXPECT_FALSE(eng.Save(0, Path("no/such/dir/x.T"), error));
    EXPECT_EQ(std::filesystem::file_size(Path("keep.T")), size);
    int entries = 0;
    for (auto it = std::filesystem::directory_iterator(dir.path()); it != std::filesystem::directory_iterator(); ++it)
        ++entries;
    EXPECT_EQ(entries, 2);  // keep.T and the directory; no temporary file
}

// --- Damaged and foreign files ---

class DamagedFileTest : public DrawingFileTest {
protected:
    void ExpectRefused(const std::string& path, const std::string& why) {
        Line(7, 7, 8, 8);
        size_t before = eng.Current().Entities().size();
        EXPECT_EQ(Open(0, path), 0) << why;
        EXPECT_EQ(eng.Current().Entities().size(), before) << "the open drawing must stay";
        EXPECT_NE(eng.PromptLine().find(std::filesystem::path(path).filename().string()), std::string::npos)
            << eng.PromptLine();
        Drawing d;
        std::string error;
        EXPECT_FALSE(engine::ReadDrawingFile(path, d, error));
        EXPECT_NE(error.find(why), std::string::npos) << error;
        EXPECT_TRUE(d.Entities().empty());
    }
    void Sql(const std::string& path, const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
};

TEST_F(DamagedFileTest, ForeignAndTruncatedFilesAreRefused) {
    std::ofstream(Path("text.T")) << "this is not a drawing at all, just some text that is long enough";
    ExpectRefused(Path("text.T"), "not a drawing file");

    Sql(Path("other.T"), "CREATE TABLE t(x)");
    ExpectRefused(Path("other.T"), "another program");

    DrawEverything();
    for (int i = 0; i < 300; ++i) Text(std::string(200, 'a' + i % 26), float(i), 0);
    Save(Path("cut.T"));
    std::filesystem::resize_file(Path("cut.T"), std::filesystem::file_size(Path("cut.T")) / 2);
    ExpectRefused(Path("cut.T"), "");

    ExpectRefused(Path("missing.T"), "no such drawing file");
    std::ofstream(Path("empty.T")).close();
    ExpectRefused(Path("empty.T"), "the file is empty");
    std::filesystem::create_directory(Path("folder.T"));
    ExpectRefused(Path("folder.T"), "a folder, not a drawing file");
}

TEST_F(DamagedFileTest, NewerVersionsAndBadRowsAreRefused) {
    DrawEverything();
    Save(Path("v.T"));
    std::filesystem::copy_file(Path("v.T"), Path("newer.T"));
    Sql(Path("newer.T"), "PRAGMA user_version = 9");
    ExpectRefused(Path("newer.T"), "newer program");

    std::filesystem::copy_file(Path("v.T"), Path("odd.T"));
    Sql(Path("odd.T"), "UPDATE entities SET vals = x'010203' WHERE id = 1");
    ExpectRefused(Path("odd.T"), "wrong length");

    std::filesystem::copy_file(Path("v.T"), Path("long.T"));
    Sql(Path("long.T"), "UPDATE entities SET xdata = zeroblob(4 * 8193) WHERE id = 1");
    ExpectRefused(Path("long.T"), "wrong length");

    std::filesystem::copy_file(Path("v.T"), Path("kind.T"));
    Sql(Path("kind.T"), "UPDATE entities SET kind = -3 WHERE id = 1");
    ExpectRefused(Path("kind.T"), "kind -3");

    std::filesystem::copy_file(Path("v.T"), Path("nometa.T"));
    Sql(Path("nometa.T"), "DELETE FROM meta");
    ExpectRefused(Path("nometa.T"), "format mark");
}

TEST_F(DamagedFileTest, BytesReaderRefusesGarbageWithoutCrashing) {
    DrawEverything();
    Save(Path("b.T"));
    std::ifstream in(Path("b.T"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    Drawing d;
    std::string error;
    ASSERT_TRUE(engine::ReadDrawingBytes(bytes.data(), bytes.size(), d, error)) << error;
    EXPECT_EQ(d.Entities().size(), eng.Current().Entities().size());
    // Flipping bytes anywhere gives either a drawing or a refusal, never a crash.
    for (size_t at = 100; at < bytes.size(); at += 397) {
        std::string broken = bytes;
        broken[at] = static_cast<char>(broken[at] ^ 0x5A);
        Drawing any;
        if (!engine::ReadDrawingBytes(broken.data(), broken.size(), any, error)) {
            EXPECT_FALSE(error.empty());
        }
    }
    EXPECT_FALSE(engine::ReadDrawingBytes("", 0, d, error));
}

TEST_F(EngineTest, ASaveIntoAFolderThatIsMissingSaysWhy) {
    std::string error;
    EXPECT_FALSE(engine::WriteDrawingFile(Path("no/such/x.T"), eng.Current(), error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

}  // namespace
}  // namespace ckw::test
