#pragma once
#include <sys/types.h>
// Internals of the DAO layer shared by Database and Recordset: statements, errors, values and
// table copies on raw SQLite connections. All text here is UTF-8.
#include <sqlite3.h>

#include <string>
#include <string_view>

#include "base/SqliteStatement.h"
#include "dao/Dao.h"

namespace ckw::dao::detail {

// A prepared statement that finalizes itself and fails with DaoException. Preparing consults
// the failure hook.
class Statement : public sqlite::Statement {
public:
    // Prepares the first statement of sql; `tail` (optional) receives the rest of the text.
    Statement(sqlite3* db, std::string_view sqlUtf8, std::string_view* tail = nullptr);
    void Bind(int index, const Variant& value);  // text arrives GBK
};

// db, or DaoException when the database is not open.
sqlite3* RequireOpen(sqlite3* db);

// Runs every statement of the text in turn.
void ExecuteAll(sqlite3* db, std::string_view sqlUtf8);

// The DaoException for SQLite's last error on db (rc = the failing result code).
DaoException ErrorFrom(sqlite3* db, int rc);
DaoException TableNotFound(std::string_view tableUtf8);

// Opens an existing database file; throws DaoException (missing, not a database, damaged).
// A connection closed earlier to the same file is taken again when one is kept.
sqlite3* OpenConnection(const std::string& pathUtf8, bool readOnly);
// Keeps the connection for the next opening of its file, or closes it.
void CloseConnection(sqlite3* db);

// The connections kept between uses, so that the library's many short readings of the same
// file do not each pay for opening it. A kept connection is handed out only for the same file
// (same device and inode: a file replaced by a copy is opened afresh) and only with no
// transaction pending. ReleaseConnections closes them all (the end of the library's work).
sqlite3* TakeKeptConnection(const std::string& pathUtf8, bool readOnly, dev_t device, ino_t inode);
[[nodiscard]] bool KeepConnection(sqlite3* db, const std::string& pathUtf8, bool readOnly, dev_t device, ino_t inode);
void ReleaseConnections();

// Jet field type of a declared column type ("TEXT", "SINGLE", "VARCHAR(50)", ...).
int FieldTypeFromDeclared(std::string_view declared);
// Field type for a result column without declared type, from the value it holds.
int FieldTypeFromValue(sqlite3_value* value);
// A column value as the variant of its field type (text converted to GBK).
Variant ReadValue(sqlite3_value* value, int fieldType);
// The double a SINGLE field stores for v: the shortest decimal that reads back as the same
// float (0.1f is kept as 0.1, not as its binary expansion), so any SQLite tool shows it well.
double StoredSingle(float v);
// A variant converted to what a field of the type holds; throws kErrConversion when it cannot.
Variant CoerceToField(const Variant& value, int fieldType);

// True if a table (or view) of that name exists, compared as SQLite compares names.
[[nodiscard]] bool TableExistsIn(sqlite3* db, std::string_view tableUtf8);

// Creates targetTable in target with sourceTable's declared columns (types, NOT NULL, defaults,
// primary key) and copies its rows. source may equal target. Throws 3078 when the source table
// is missing, 3010 when the target table exists.
void CopyTable(sqlite3* source, std::string_view sourceTableUtf8, sqlite3* target, std::string_view targetTableUtf8);

}  // namespace ckw::dao::detail
