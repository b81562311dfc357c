#include "dao/SqlScript.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "dao/Dao.h"
#include "base/GbkText.h"
#include "base/SqliteStatement.h"
#include "base/Status.h"

namespace ckw::dao {
namespace {

DaoException Failure(const std::string& pathUtf8, const std::string& whatUtf8) {
    return DaoException(kErrGeneric, text::Utf8ToGbk("cannot build " + pathUtf8 + ": " + whatUtf8));
}

// Removes the temporary file unless the build got as far as renaming it.
struct TempFile {
    std::string path;
    bool keep = false;
    ~TempFile() {
        if (!keep && !path.empty()) unlink(path.c_str());
    }
};

size_t LineAt(const std::string& text, const char* at) {
    return 1 + static_cast<size_t>(std::count(text.c_str(), at, '\n'));
}

// Where the next statement's own text starts: past blanks and comments.
const char* StatementStart(const char* p) {
    for (;;) {
        while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
        if (p[0] == '-' && p[1] == '-') {
            while (*p && *p != '\n') ++p;
        } else if (p[0] == '/' && p[1] == '*') {
            const char* end = std::strstr(p + 2, "*/");
            p = end ? end + 2 : p + std::strlen(p);
        } else {
            return p;
        }
    }
}

// A failed call of the script's statements; the text is taken from the connection.
struct ScriptFailure {};
[[noreturn]] void ThrowScriptFailure(sqlite3*, int) { throw ScriptFailure{}; }

std::string AtLine(const std::string& sql, const char* at, sqlite3* db) {
    return "line " + std::to_string(LineAt(sql, at)) + ": " + sqlite3_errmsg(db);
}

// Runs the statements one by one; a failure says what failed, with the line it is on.
Status RunScript(sqlite3* db, const std::string& sql) {
    std::string_view rest = sql;
    while (!rest.empty()) {
        std::optional<sqlite::Statement> statement;
        std::string_view next;
        try {
            statement.emplace(db, rest, &ThrowScriptFailure, &next);
        } catch (const ScriptFailure&) {
            // The offset of the failing token when SQLite knows it, else the statement's start.
            const int offset = sqlite3_error_offset(db);
            return Status(AtLine(sql, offset >= 0 ? rest.data() + offset : StatementStart(rest.data()), db));
        }
        const char* start = StatementStart(rest.data());
        try {
            while (statement->Step()) {}
        } catch (const ScriptFailure&) {
            return Status(AtLine(sql, start, db));
        }
        rest = next;
    }
    return {};
}

}  // namespace

void CreateDatabaseFromSql(const std::string& sqlUtf8, const std::string& pathUtf8) {
    TempFile temp{pathUtf8 + ".XXXXXX"};
    int fd = mkstemp(temp.path.data());
    if (fd < 0) {
        temp.path.clear();
        throw Failure(pathUtf8, "cannot create a temporary file next to it");
    }
    fchmod(fd, 0644);
    close(fd);

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(temp.path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    Status built;
    if (rc == SQLITE_OK) {
        // Nothing to protect while building a scratch file: the rename is what commits it.
        sqlite3_exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
        built = RunScript(db, sqlUtf8);
    } else {
        built = Status(sqlite3_errstr(rc));
    }
    if (db) {
        int closeRc = sqlite3_close(db);
        if (rc == SQLITE_OK && closeRc != SQLITE_OK) built = Status(sqlite3_errstr(closeRc));
    }
    if (!built.ok()) throw Failure(pathUtf8, built.why());

    fd = open(temp.path.c_str(), O_RDONLY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    if (std::rename(temp.path.c_str(), pathUtf8.c_str()) != 0)
        throw Failure(pathUtf8, "cannot rename the new file into place");
    temp.keep = true;
}

}  // namespace ckw::dao
