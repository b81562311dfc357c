#pragma once
// The one wrapper of a prepared SQLite statement, used by the parameter database layer and by the
// engine's drawing files. What a failure becomes is the user's choice: each passes a handler that
// turns SQLite's result code into its own exception. Text is UTF-8.
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ckw::sqlite {

// Called with the connection and result code of a failed call; throws (never returns).
using FailHandler = void (*)(sqlite3* db, int rc);

class Statement {
public:
    // Prepares the first statement of sql; `tail` (optional) receives the rest of the text.
    Statement(sqlite3* db, std::string_view sqlUtf8, FailHandler fail, std::string_view* tail = nullptr);
    ~Statement() { Finalize(); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // false when the text held only blanks or comments (or the statement was finalized).
    bool valid() const { return m_stmt != nullptr; }
    sqlite3_stmt* get() const { return m_stmt; }
    sqlite3* db() const { return m_db; }
    // The text of the statement prepared (without what followed it), a view of the text given.
    std::string_view sql() const { return m_sql; }

    // true = a row is ready, false = done; a failure goes to the handler.
    [[nodiscard]] bool Step();
    // Runs a statement that gives no rows (insert, update, delete) to its end.
    void Run() {
        while (Step()) {}
    }
    // Ready to run again, bindings cleared.
    void Reset();
    // Ready to run again, bindings kept: for a loop that binds every parameter on each round.
    void Rewind() { sqlite3_reset(m_stmt); }
    void Finalize();

    // The columns of the row Step made ready (numbered from 0).
    int ColumnType(int column) const { return sqlite3_column_type(m_stmt, column); }
    int ColumnInt(int column) const { return sqlite3_column_int(m_stmt, column); }
    std::int64_t ColumnInt64(int column) const { return sqlite3_column_int64(m_stmt, column); }
    double ColumnDouble(int column) const { return sqlite3_column_double(m_stmt, column); }
    // A text column's UTF-8 or a blob's bytes as stored, empty for NULL; valid until the next Step.
    std::string_view ColumnBytes(int column) const;

    void BindNull(int index) { sqlite3_bind_null(m_stmt, index); }
    void BindInt(int index, std::int64_t value) { sqlite3_bind_int64(m_stmt, index, value); }
    void BindDouble(int index, double value) { sqlite3_bind_double(m_stmt, index, value); }
    // Copies the text (the caller's buffer may go before the statement runs).
    void BindText(int index, std::string_view utf8);
    // Binds the text without copying: it must outlive the next Step.
    void BindTextInPlace(int index, std::string_view utf8);
    // Binds the bytes without copying: they must outlive the next Step.
    void BindBlobInPlace(int index, const void* bytes, std::size_t size);

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    FailHandler m_fail;
    std::string_view m_sql;
};

// Runs every statement of sql in turn (rows they give are stepped over); a failure goes to the
// handler. For scripts and pragmas: no statement of it takes parameters.
void Execute(sqlite3* db, std::string_view sqlUtf8, FailHandler fail);

}  // namespace ckw::sqlite
