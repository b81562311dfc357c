#include "dao/SqlScript.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dao/Dao.h"
#include "base/GbkText.h"

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

// Runs the statements one by one; returns "" or what failed, with the line it is on.
std::string RunScript(sqlite3* db, const std::string& sql) {
    const char* p = sql.c_str();
    while (*p) {
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v2(db, p, -1, &stmt, &tail);
        const char* start = StatementStart(p);
        if (rc != SQLITE_OK) {
            // The offset of the failing token when SQLite knows it, else the statement's start.
            int offset = sqlite3_error_offset(db);
            const char* at = offset >= 0 ? p + offset : start;
            return "line " + std::to_string(LineAt(sql, at)) + ": " + sqlite3_errmsg(db);
        }
        p = tail;
        if (!stmt) continue;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {}
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) return "line " + std::to_string(LineAt(sql, start)) + ": " + sqlite3_errmsg(db);
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
    std::string error;
    if (rc == SQLITE_OK) {
        // Nothing to protect while building a scratch file: the rename is what commits it.
        sqlite3_exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
        error = RunScript(db, sqlUtf8);
    } else {
        error = sqlite3_errstr(rc);
    }
    if (db) {
        int closeRc = sqlite3_close(db);
        if (rc == SQLITE_OK && closeRc != SQLITE_OK) error = sqlite3_errstr(closeRc);
    }
    if (!error.empty()) throw Failure(pathUtf8, error);

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
