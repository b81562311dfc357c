// .T drawing files: an SQLite database of our own layout (docs/t-format.md). Saves go to a
// temporary file that replaces the old one only when complete; loading checks every row, so a
// damaged or foreign file is refused with a message and never half-read.
#include <sqlite3.h>
#include <unistd.h>
#include <fcntl.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <bit>
#include <cstring>
#include <memory>

#include "RefState.h"
#include "base/GbkText.h"
#include "base/DirectorySync.h"
#include "base/SqliteStatement.h"
#include "base/StaleTemporaries.h"

namespace ckw::engine {

static_assert(std::endian::native == std::endian::little, "word blobs are stored little-endian");

namespace {

constexpr int kApplicationId = 0x434B5754;  // "CKWT"
constexpr const char* kFormatName = "ckw drawing";

const char* kSchema = R"(
CREATE TABLE meta(key TEXT PRIMARY KEY, value) WITHOUT ROWID;
CREATE TABLE entities(id INTEGER PRIMARY KEY, kind INTEGER NOT NULL, layer INTEGER NOT NULL,
  line_type INTEGER NOT NULL, width INTEGER NOT NULL, colour INTEGER NOT NULL, attr5 INTEGER NOT NULL,
  attr6 INTEGER NOT NULL, attr7 INTEGER NOT NULL, vals BLOB, text, xdata BLOB);
CREATE TABLE blocks(number INTEGER PRIMARY KEY, name, xmin REAL, ymin REAL, zmin REAL, xmax REAL, ymax REAL,
  zmax REAL);
CREATE TABLE block_entities(block INTEGER NOT NULL, seq INTEGER NOT NULL, kind INTEGER NOT NULL,
  layer INTEGER NOT NULL, line_type INTEGER NOT NULL, width INTEGER NOT NULL, colour INTEGER NOT NULL,
  attr5 INTEGER NOT NULL, attr6 INTEGER NOT NULL, attr7 INTEGER NOT NULL, vals BLOB, text, xdata BLOB,
  PRIMARY KEY(block, seq)) WITHOUT ROWID;
CREATE TABLE drawing_data(record INTEGER PRIMARY KEY, words BLOB NOT NULL);
CREATE TABLE names(which INTEGER PRIMARY KEY, name);
)";

constexpr const char* kEntityColumns = "kind, layer, line_type, width, colour, attr5, attr6, attr7, vals, text, xdata";

struct DbClose {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, DbClose>;
using Stmt = ckw::sqlite::Statement;

// Failures inside the reader and writer: the message is what the user sees.
struct FileError {
    std::string message;
};

[[noreturn]] void Fail(std::string message) { throw FileError{std::move(message)}; }

[[noreturn]] void FailFromSqlite(sqlite3* db, int) { Fail(sqlite3_errmsg(db)); }

void Exec(sqlite3* db, std::string_view sql) { ckw::sqlite::Execute(db, sql, &FailFromSqlite); }

// GBK text goes in as UTF-8 text when that is lossless, otherwise as its raw bytes.
void BindText(Stmt& st, int column, const std::string& gbk, std::string& holder) {
    holder = ckw::text::GbkToUtf8(gbk);
    if (ckw::text::Utf8ToGbk(holder) == gbk)
        st.BindTextInPlace(column, holder);
    else
        st.BindBlobInPlace(column, gbk.data(), gbk.size());
}

std::string ColumnText(const Stmt& st, int column) {
    const int type = st.ColumnType(column);
    if (type == SQLITE_NULL) return {};
    const std::string_view bytes = st.ColumnBytes(column);
    if (type == SQLITE_BLOB) return std::string(bytes);
    const std::string_view utf8 = bytes;
    // Plain ASCII needs no conversion (most texts of a drawing are numbers and codes).
    bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? std::string(utf8) : ckw::text::Utf8ToGbk(utf8);
}

template <class T>
void ColumnWords(const Stmt& st, int column, std::vector<T>& out, size_t limit, const char* what) {
    out.clear();
    const int type = st.ColumnType(column);
    if (type == SQLITE_NULL) return;
    if (type != SQLITE_BLOB) Fail(std::string("the ") + what + " are not stored as words");
    const std::string_view bytes = st.ColumnBytes(column);
    if (bytes.size() % 4 != 0 || bytes.size() / 4 > limit) Fail(std::string("the ") + what + " have a wrong length");
    out.resize(bytes.size() / 4);
    if (!bytes.empty()) std::memcpy(out.data(), bytes.data(), bytes.size());
}

// Binds every column of the entity, so that a loop can rewind the statement without clearing.
void BindEntity(Stmt& st, int first, const Entity& e, std::string& textHolder) {
    st.BindInt(first, e.kind);
    for (int i = 0; i < kHostAttributeCount; ++i) st.BindInt(first + 1 + i, e.attributes[static_cast<size_t>(i)]);
    st.BindBlobInPlace(first + 8, e.values.data(), e.values.size() * 4);
    if (e.text.empty())
        st.BindNull(first + 9);
    else
        BindText(st, first + 9, e.text, textHolder);
    if (e.xdata.empty())
        st.BindNull(first + 10);
    else
        st.BindBlobInPlace(first + 10, e.xdata.data(), e.xdata.size() * 4);
}

void ReadEntityColumns(const Stmt& st, int first, Entity& e) {
    e.kind = st.ColumnInt(first);
    if (e.kind <= 0) Fail("an entity has kind " + std::to_string(e.kind));
    for (int i = 0; i < kHostAttributeCount; ++i) e.attributes[static_cast<size_t>(i)] = st.ColumnInt(first + 1 + i);
    ColumnWords(st, first + 8, e.values, kHostRecordCapacity, "entity values");
    e.text = ColumnText(st, first + 9);
    if (e.text.size() > static_cast<size_t>(kMaxEntityText)) Fail("an entity text is too long");
    ColumnWords(st, first + 10, e.xdata, kHostXDataWords, "extended data words");
}

Db OpenForReading(const std::filesystem::path& file) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) Fail("no such drawing file");
    if (status.type() == std::filesystem::file_type::directory) Fail("a folder, not a drawing file");
    if (status.type() != std::filesystem::file_type::regular)
        Fail(ec ? ec.message() : std::string("not a drawing file (not an ordinary file)"));
    if (std::filesystem::file_size(file, ec) == 0 && !ec) Fail("not a drawing file (the file is empty)");
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) Fail(raw ? sqlite3_errmsg(raw) : "cannot open the file");
    return db;
}

int PragmaInt(sqlite3* db, const char* pragma) {
    Stmt st(db, pragma, &FailFromSqlite);
    if (!st.Step()) Fail(sqlite3_errmsg(db));
    return st.ColumnInt(0);
}

// Refuses files that are not drawings of a version this program reads.
void CheckHeader(sqlite3* db) {
    int applicationId = 0;
    try {
        applicationId = PragmaInt(db, "PRAGMA application_id");
    } catch (const FileError&) {
        Fail("not a drawing file (" + std::string(sqlite3_errmsg(db)) + ")");
    }
    if (applicationId != kApplicationId) Fail("not a drawing file (a database of another program)");
    int version = PragmaInt(db, "PRAGMA user_version");
    if (version > kDrawingFileVersion)
        Fail("the drawing was saved by a newer program (file version " + std::to_string(version) + ")");
    if (version < 1) Fail("damaged drawing file (no version)");
    Stmt st(db, "SELECT value FROM meta WHERE key = 'format'", &FailFromSqlite);
    if (!st.Step() || ColumnText(st, 0) != kFormatName) Fail("damaged drawing file (no format mark)");
}

void ReadHeaderParts(sqlite3* db, Drawing& d) {
    CheckHeader(db);
    {
        Stmt st(db, "SELECT key, value FROM meta", &FailFromSqlite);
        while (st.Step()) {
            std::string key = ColumnText(st, 0);
            if (key == "stamp") d.SetStamp(st.ColumnInt(1));
            if (key == "next_id") d.SetNextId(std::max(1, st.ColumnInt(1)));
        }
    }
    {
        Stmt st(db, "SELECT which, name FROM names ORDER BY which", &FailFromSqlite);
        while (st.Step()) d.Names()[st.ColumnInt(0)] = ColumnText(st, 1);
    }
    {
        Stmt st(db, "SELECT words FROM drawing_data WHERE record = 0", &FailFromSqlite);
        if (st.Step()) ColumnWords(st, 0, d.Data(), kMaxDrawingDataWords, "drawing record words");
    }
}

// Blocks belong with the entities: a drawing opened for a look reads both when first needed.
void ReadBlocks(sqlite3* db, Drawing& d) {
    {
        Stmt st(db, "SELECT number, name, xmin, ymin, zmin, xmax, ymax, zmax FROM blocks ORDER BY number",
                &FailFromSqlite);
        while (st.Step()) {
            Block b;
            b.number = st.ColumnInt(0);
            b.name = ColumnText(st, 1);
            for (int i = 0; i < 6; ++i) b.extents[static_cast<size_t>(i)] = static_cast<float>(st.ColumnDouble(2 + i));
            d.Blocks()[b.number] = std::move(b);
        }
    }
    {
        std::string sql = std::string("SELECT block, ") + kEntityColumns + " FROM block_entities ORDER BY block, seq";
        Stmt st(db, sql.c_str(), &FailFromSqlite);
        while (st.Step()) {
            auto it = d.Blocks().find(st.ColumnInt(0));
            if (it == d.Blocks().end()) Fail("damaged drawing file (block content without its block)");
            Entity e;
            ReadEntityColumns(st, 1, e);
            it->second.entities.push_back(std::move(e));
        }
    }
}

void ReadEntities(sqlite3* db, Drawing& d, const Progress& progress) {
    size_t total = 0;
    {
        Stmt st(db, "SELECT value FROM meta WHERE key = 'entity_count'", &FailFromSqlite);
        if (st.Step()) total = static_cast<size_t>(std::max<std::int64_t>(0, st.ColumnInt64(0)));
    }
    std::string sql = std::string("SELECT id, ") + kEntityColumns + " FROM entities ORDER BY id";
    Stmt st(db, sql.c_str(), &FailFromSqlite);
    size_t done = 0;
    while (st.Step()) {
        Entity e;
        const std::int64_t id = st.ColumnInt64(0);
        if (id <= 0 || id > INT32_MAX) Fail("damaged drawing file (entity identifier " + std::to_string(id) + ")");
        e.id0 = static_cast<int>(id);
        e.id1 = d.Stamp();
        ReadEntityColumns(st, 1, e);
        if (!d.AddLoaded(std::move(e))) Fail("damaged drawing file (entity order)");
        if (progress && (++done & 0x3fff) == 0) progress(done, std::max(total, done));
    }
    if (progress) progress(done, std::max(total, done));
}

std::string Describe(const std::filesystem::path& file, const std::string& message) {
    return file.string() + ": " + message;
}

// The new file's data must be on the disk before it replaces the old file: an fsync error fails
// the save, and the old file stays.
void SyncNewFile(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Fail(std::string("cannot open the new file to sync it: ") + std::strerror(errno));
    bool synced = ::fsync(fd) == 0;
    int error = errno;
    ::close(fd);
    if (!synced) Fail(std::string("cannot write the new file to the disk: ") + std::strerror(error));
}

void WriteAll(sqlite3* db, const Drawing& d, const Progress& progress) {
    Exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA page_size=8192;");
    Exec(db, "PRAGMA application_id=" + std::to_string(kApplicationId) +
                 "; PRAGMA user_version=" + std::to_string(kDrawingFileVersion) + ";");
    Exec(db, "BEGIN");
    Exec(db, kSchema);
    std::string holder;
    size_t live = d.LiveCount();
    {
        Stmt st(db, "INSERT INTO meta(key, value) VALUES(?, ?)", &FailFromSqlite);
        auto put = [&](const char* key, std::int64_t value, const char* text) {
            st.BindTextInPlace(1, key);
            if (text)
                st.BindTextInPlace(2, text);
            else
                st.BindInt(2, value);
            st.Run();
            st.Reset();
        };
        put("format", 0, kFormatName);
        put("version", kDrawingFileVersion, nullptr);
        put("stamp", d.Stamp(), nullptr);
        put("next_id", d.NextId(), nullptr);
        put("entity_count", static_cast<sqlite3_int64>(live), nullptr);
        put("saved_by", 0, "CkwEngine");
    }
    {
        Stmt st(db, "INSERT INTO names(which, name) VALUES(?, ?)", &FailFromSqlite);
        for (const auto& [which, name] : d.Names()) {
            st.BindInt(1, which);
            BindText(st, 2, name, holder);
            st.Run();
            st.Reset();
        }
    }
    if (!d.Data().empty()) {
        Stmt st(db, "INSERT INTO drawing_data(record, words) VALUES(0, ?)", &FailFromSqlite);
        st.BindBlobInPlace(1, d.Data().data(), d.Data().size() * 4);
        st.Run();
    }
    {
        Stmt blocks(db, "INSERT INTO blocks VALUES(?, ?, ?, ?, ?, ?, ?, ?)", &FailFromSqlite);
        std::string sql = std::string("INSERT INTO block_entities(block, seq, ") + kEntityColumns +
                          ") VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        Stmt content(db, sql.c_str(), &FailFromSqlite);
        for (const auto& [number, block] : d.Blocks()) {
            blocks.BindInt(1, number);
            BindText(blocks, 2, block.name, holder);
            for (int i = 0; i < 6; ++i) blocks.BindDouble(3 + i, block.extents[static_cast<size_t>(i)]);
            blocks.Run();
            blocks.Reset();
            int seq = 0;
            for (const Entity& e : block.entities) {
                if (e.deleted) continue;
                content.BindInt(1, number);
                content.BindInt(2, ++seq);
                BindEntity(content, 3, e, holder);
                content.Run();
                content.Rewind();
            }
        }
    }
    {
        // The entities go in by the chunk of rows: a statement run for each row would open the
        // table, find its end and close it again every time.
        constexpr int kChunk = 64, kColumns = 12;  // 768 parameters, within every SQLite's limit
        auto insert = [](int rows) {
            std::string sql = std::string("INSERT INTO entities(id, ") + kEntityColumns + ") VALUES ";
            for (int row = 0; row < rows; ++row)
                sql += row ? ", (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)" : "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
            return sql;
        };
        Stmt chunk(db, insert(kChunk), &FailFromSqlite), single(db, insert(1), &FailFromSqlite);
        std::array<const Entity*, kChunk> bound{};
        std::array<std::string, kChunk> holders;
        int rows = 0;
        size_t done = 0;
        for (const Entity& e : d.Entities()) {
            if (e.deleted) continue;
            const int first = rows * kColumns + 1;
            chunk.BindInt(first, e.id0);
            BindEntity(chunk, first + 1, e, holders[static_cast<size_t>(rows)]);
            bound[static_cast<size_t>(rows)] = &e;
            if (++rows == kChunk) {
                chunk.Run();
                chunk.Rewind();
                rows = 0;
            }
            if (progress && (++done & 0x3fff) == 0) progress(done, live);
        }
        for (int row = 0; row < rows; ++row) {  // those of the last chunk that did not fill
            const Entity& e = *bound[static_cast<size_t>(row)];
            single.BindInt(1, e.id0);
            BindEntity(single, 2, e, holder);
            single.Run();
            single.Rewind();
        }
        if (progress) progress(live, live);
    }
    Exec(db, "COMMIT");
}

}  // namespace

Status ReadDrawing(const std::filesystem::path& file, Drawing& drawing, bool entities, const Progress& progress) {
    drawing = Drawing();
    Status refused;
    try {
        Db db = OpenForReading(file);
        ReadHeaderParts(db.get(), drawing);
        if (entities) {
            ReadBlocks(db.get(), drawing);
            ReadEntities(db.get(), drawing, progress);
        }
        return {};
    } catch (const FileError& e) {
        refused = Status(Describe(file, e.message));
    } catch (const std::bad_alloc&) {
        refused = Status(Describe(file, "out of memory"));
    }
    drawing = Drawing();
    return refused;
}

Status ReadDrawingEntities(const std::filesystem::path& file, Drawing& drawing) {
    try {
        Db db = OpenForReading(file);
        CheckHeader(db.get());
        ReadBlocks(db.get(), drawing);
        ReadEntities(db.get(), drawing, {});
        return {};
    } catch (const FileError& e) {
        return Status(Describe(file, e.message));
    }
}

bool ReadDrawingFile(const std::filesystem::path& file, Drawing& drawing, std::string& error,
                     const Progress& progress) {
    const Status read = ReadDrawing(file, drawing, true, progress);
    if (!read.ok()) error = read.why();
    return read.ok();
}

bool ReadDrawingBytes(const void* bytes, size_t size, Drawing& drawing, std::string& error) {
    drawing = Drawing();
    try {
        sqlite3* raw = nullptr;
        if (sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
            sqlite3_close_v2(raw);
            Fail("cannot open a memory database");
        }
        Db db(raw);
        auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(size ? size : 1));
        if (!copy) Fail("out of memory");
        if (size) std::memcpy(copy, bytes, size);
        if (sqlite3_deserialize(db.get(), "main", copy, static_cast<sqlite3_int64>(size),
                                static_cast<sqlite3_int64>(size),
                                SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
            Fail(sqlite3_errmsg(db.get()));
        ReadHeaderParts(db.get(), drawing);
        ReadEntities(db.get(), drawing, {});
        return true;
    } catch (const FileError& e) {
        error = e.message;
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    }
    drawing = Drawing();
    return false;
}

bool ReadDrawingRecord(const std::filesystem::path& file, std::vector<int32_t>& words, std::string& error) {
    words.clear();
    try {
        Db db = OpenForReading(file);
        CheckHeader(db.get());
        Stmt st(db.get(), "SELECT words FROM drawing_data WHERE record = 0", &FailFromSqlite);
        if (st.Step()) ColumnWords(st, 0, words, kMaxDrawingDataWords, "drawing record words");
        return true;
    } catch (const FileError& e) {
        error = Describe(file, e.message);
    }
    words.clear();
    return false;
}

bool WriteDrawingFile(const std::filesystem::path& file, const Drawing& drawing, std::string& error,
                      const Progress& progress) {
    static int counter = 0;
    std::filesystem::path directory = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    std::filesystem::path temp = directory / ("." + file.filename().string() + ".saving-" + std::to_string(::getpid()) +
                                              "-" + std::to_string(++counter));
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    // Saves of this drawing by processes that were killed leave their temporary files behind.
    ckw::fs::RemoveStaleTemporaries(directory, "." + file.filename().string() + ".saving-");
    try {
        {
            // Made here rather than by SQLite, which reports a read-only folder by the error of a
            // later step ("No such file or directory").
            const int made = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (made < 0) Fail("cannot create a file in " + temp.parent_path().string() + ": " + std::strerror(errno));
            ::close(made);
            sqlite3* raw = nullptr;
            int rc = sqlite3_open_v2(temp.c_str(), &raw,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
            Db db(raw);
            // SQLite says "unable to open database file" for a missing or read-only folder alike.
            if (rc != SQLITE_OK)
                Fail("cannot create a file in " + temp.parent_path().string() + ": " +
                     std::strerror(raw && sqlite3_system_errno(raw) ? sqlite3_system_errno(raw) : EIO));
            WriteAll(db.get(), drawing, progress);
            if (sqlite3_close_v2(db.release()) != SQLITE_OK) Fail("cannot close the new file");
        }
        SyncNewFile(temp);
        std::filesystem::rename(temp, file, ec);
        if (ec) Fail(ec.message());
        // The new drawing is in place but may not survive a power cut: the save is not reported done.
        if (const int why = ckw::fs::SyncDirectory(directory))
            Fail(std::string("saved, but the folder could not be written to the disk: ") + std::strerror(why));
        return true;
    } catch (const FileError& e) {
        error = Describe(file, e.message);
    } catch (const std::bad_alloc&) {
        error = Describe(file, "out of memory");
    }
    std::filesystem::remove(temp, ec);
    return false;
}

}  // namespace ckw::engine
