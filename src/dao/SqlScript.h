#pragma once
// Building a database file from SQL text: the system parameter library ships as SQL and is
// turned into "绘图参数.mdb" at build time (mkparadb) or by kwutil from its embedded copy.
#include <string>

namespace ckw::dao {

// Runs the SQL text (UTF-8) into a new SQLite file at path (UTF-8). The file is built under a
// temporary name next to it and renamed into place, so path holds either its old content or
// the complete new database, never a half-built one. Throws DaoException on failure, with the
// line of the failing statement.
void CreateDatabaseFromSql(const std::string& sqlUtf8, const std::string& pathUtf8);

}  // namespace ckw::dao
