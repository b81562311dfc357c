#include "base/SqliteStatement.h"

#include <cassert>

namespace ckw::sqlite {

Statement::Statement(sqlite3* db, std::string_view sqlUtf8, FailHandler fail, std::string_view* tail)
    : m_db(db), m_fail(fail) {
    assert(fail && "a statement needs a failure handler");
    const char* rest = nullptr;
    int rc = sqlite3_prepare_v2(db, sqlUtf8.data(), static_cast<int>(sqlUtf8.size()), &m_stmt, &rest);
    if (rc != SQLITE_OK) {
        Finalize();
        m_fail(db, rc);
    }
    m_sql = rest ? sqlUtf8.substr(0, static_cast<std::size_t>(rest - sqlUtf8.data())) : sqlUtf8;
    if (tail) *tail = sqlUtf8.substr(m_sql.size());
}

void Statement::Finalize() {
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
}

bool Statement::Step() {
    if (!m_stmt) return false;
    int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    m_fail(m_db, rc);
    return false;
}

void Statement::Reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Statement::BindText(int index, std::string_view utf8) {
    sqlite3_bind_text(m_stmt, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::BindTextInPlace(int index, std::string_view utf8) {
    sqlite3_bind_text(m_stmt, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_STATIC);
}

std::string_view Statement::ColumnBytes(int column) const {
    // The pointer first, then the size: SQLite's order for a value it may have to convert.
    const void* bytes = ColumnType(column) == SQLITE_BLOB
                            ? sqlite3_column_blob(m_stmt, column)
                            : static_cast<const void*>(sqlite3_column_text(m_stmt, column));
    if (!bytes) return {};
    return {static_cast<const char*>(bytes), static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column))};
}

void Statement::BindBlobInPlace(int index, const void* bytes, std::size_t size) {
    sqlite3_bind_blob(m_stmt, index, bytes, static_cast<int>(size), SQLITE_STATIC);
}

void Execute(sqlite3* db, std::string_view sqlUtf8, FailHandler fail) {
    while (!sqlUtf8.empty()) {
        std::string_view rest;
        Statement statement(db, sqlUtf8, fail, &rest);
        while (statement.Step()) {}
        sqlUtf8 = rest;
    }
}

}  // namespace ckw::sqlite
