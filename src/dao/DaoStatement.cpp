// Statements, errors and connections of the DAO layer.
#include <sys/stat.h>

#include <functional>
#include <unordered_map>
#include <utility>

#include "dao/DaoSqlite.h"
#include "base/GbkText.h"

namespace ckw::dao {
namespace {

// Where each open connection came from, so that closing it can keep it for its file.
struct ConnectionOrigin {
    std::string path;
    bool readOnly = false;
    dev_t device = 0;
    ino_t inode = 0;
};

// Never destroyed, for the same reason as the kept connections: closing may happen while the
// program ends.
std::unordered_map<sqlite3*, ConnectionOrigin>& OpenedConnections() {
    static auto* opened = new std::unordered_map<sqlite3*, ConnectionOrigin>;
    return *opened;
}

std::function<bool(std::string_view)>& FailureHook() {
    static std::function<bool(std::string_view)> hook;
    return hook;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool IsRollback(std::string_view sql) {
    size_t i = sql.find_first_not_of(" \t\r\n");
    if (i == std::string_view::npos) return false;
    return text::ToUpper(sql.substr(i, 8)) == "ROLLBACK";
}

std::string_view TrimBlanks(std::string_view s) {
    size_t b = s.find_first_not_of(" \t\r\n;");
    if (b == std::string_view::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n;");
    return s.substr(b, e - b + 1);
}

}  // namespace

void SetStatementFailureHook(std::function<bool(std::string_view sqlUtf8)> hook) { FailureHook() = std::move(hook); }

namespace detail {

DaoException TableNotFound(std::string_view tableUtf8) {
    return DaoException(kErrTableNotFound,
                        "找不到输入表或查询 '" + text::Utf8ToGbk(tableUtf8) + "'。请确认它存在并且名称拼写正确。");
}

DaoException ErrorFrom(sqlite3* db, int rc) {
    std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    constexpr std::string_view kNoTable = "no such table: ";
    if (StartsWith(message, kNoTable)) {
        std::string_view name = std::string_view(message).substr(kNoTable.size());
        if (StartsWith(name, "main.")) name.remove_prefix(5);
        return TableNotFound(name);
    }
    switch (rc & 0xFF) {
    case SQLITE_NOTADB:
        return DaoException(kErrNotDatabase, "无法识别的数据库格式: " + text::Utf8ToGbk(message));
    case SQLITE_CORRUPT:
        return DaoException(kErrDamaged, "数据库文件已损坏: " + text::Utf8ToGbk(message));
    case SQLITE_CANTOPEN:
        return DaoException(kErrCannotOpen, "不能打开数据库文件: " + text::Utf8ToGbk(message));
    default:
        return DaoException(kErrGeneric, text::Utf8ToGbk(message));
    }
}

sqlite3* RequireOpen(sqlite3* db) {
    if (!db) throw DaoException(kErrGeneric, "数据库没有打开。");
    return db;
}

namespace {
[[noreturn]] void ThrowDaoError(sqlite3* db, int rc) { throw ErrorFrom(db, rc); }
}  // namespace

Statement::Statement(sqlite3* db, std::string_view sqlUtf8, std::string_view* tail)
    : sqlite::Statement(RequireOpen(db), sqlUtf8, &ThrowDaoError, tail) {
    const auto& hook = FailureHook();
    if (valid() && hook && !IsRollback(sql()) && hook(TrimBlanks(sql()))) {
        Finalize();
        throw DaoException(kErrGeneric, "语句被拒绝执行: " + text::Utf8ToGbk(TrimBlanks(sql())));
    }
}

void Statement::Bind(int index, const Variant& value) {
    switch (value.kind()) {
    case Variant::Kind::Null:
        BindNull(index);
        break;
    case Variant::Kind::Text:
        BindText(index, text::GbkToUtf8(value.AsText()));
        break;
    case Variant::Kind::Long:
        BindInt(index, value.AsLong());
        break;
    case Variant::Kind::Double:
        BindDouble(index, value.AsDouble());
        break;
    case Variant::Kind::Single:
        BindDouble(index, StoredSingle(value.AsSingle()));
        break;
    }
}

void ExecuteAll(sqlite3* db, std::string_view sqlUtf8) {
    std::string_view rest = sqlUtf8;
    while (!TrimBlanks(rest).empty()) {
        std::string_view tail;
        Statement stmt(db, rest, &tail);
        while (stmt.Step()) {}
        if (tail.size() >= rest.size()) break;
        rest = tail;
    }
}

sqlite3* OpenConnection(const std::string& pathUtf8, bool readOnly) {
    std::string shown = text::Utf8ToGbk(pathUtf8);
    struct stat st {};
    if (pathUtf8.empty() || stat(pathUtf8.c_str(), &st) != 0)
        throw DaoException(kErrFileNotFound, "找不到文件 '" + shown + "'。");
    if (!S_ISREG(st.st_mode)) throw DaoException(kErrCannotOpen, "'" + shown + "' 不是一个文件。");
    // SQLite would take an empty file for an empty database; a parameter file never is one.
    if (st.st_size == 0) throw DaoException(kErrNotDatabase, "无法识别的数据库格式 '" + shown + "' (空文件)。");

    if (sqlite3* kept = TakeKeptConnection(pathUtf8, readOnly, st.st_dev, st.st_ino)) return kept;

    sqlite3* db = nullptr;
    int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int rc = sqlite3_open_v2(pathUtf8.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        DaoException error = ErrorFrom(db, rc);
        sqlite3_close_v2(db);
        throw DaoException(error.code(), error.description() + " '" + shown + "'");
    }
    sqlite3_extended_result_codes(db, 1);
    // Another program saving its settings holds the file for a moment: wait for it, within limits.
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // Reading the schema is where a file that is no database (or a damaged one) shows itself.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        long code = (rc & 0xFF) == SQLITE_NOTADB    ? kErrNotDatabase
                    : (rc & 0xFF) == SQLITE_CORRUPT ? kErrDamaged
                                                    : ErrorFrom(db, rc).code();
        std::string what = code == kErrNotDatabase ? "无法识别的数据库格式 '"
                           : code == kErrDamaged   ? "数据库文件已损坏 '"
                                                   : "不能打开数据库文件 '";
        sqlite3_close_v2(db);
        throw DaoException(code, what + shown + "'。");
    }
    OpenedConnections()[db] = {pathUtf8, readOnly, st.st_dev, st.st_ino};
    return db;
}

void CloseConnection(sqlite3* db) {
    if (!db) return;
    auto& opened = OpenedConnections();
    auto it = opened.find(db);
    if (it != opened.end()) {
        ConnectionOrigin origin = it->second;
        if (sqlite3_get_autocommit(db) && KeepConnection(db, origin.path, origin.readOnly, origin.device, origin.inode))
            return;
        opened.erase(it);
    }
    sqlite3_close_v2(db);
}

}  // namespace detail
}  // namespace ckw::dao
