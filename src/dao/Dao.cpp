// Database: a connection to one parameter file, with the Jet statements the library runs
// translated into SQLite.
#include "dao/Dao.h"

#include <filesystem>

#include "dao/DaoSqlText.h"
#include "dao/DaoSqlite.h"
#include "base/GbkText.h"

namespace ckw::dao {
namespace {

using detail::QuoteIdentifier;

constexpr long kDbSystemObject = static_cast<long>(0x80000002L);

// A connection to a database named in a statement: this database itself, or another file
// opened for the statement's duration. (A second connection rather than ATTACH, because
// DETACH is refused inside a transaction and the upgrade copies tables inside one.)
class OtherDatabase {
public:
    OtherDatabase(sqlite3* self, const std::string& selfPathUtf8, const std::string& pathGbk, bool readOnly) {
        if (pathGbk.empty()) {
            m_db = self;
            return;
        }
        std::string path = text::GbkToUtf8(pathGbk);
        std::error_code ec;
        if (path == selfPathUtf8 || std::filesystem::equivalent(path, selfPathUtf8, ec)) {
            m_db = self;
            return;
        }
        m_db = m_owned = detail::OpenConnection(path, readOnly);
    }
    ~OtherDatabase() { detail::CloseConnection(m_owned); }
    OtherDatabase(const OtherDatabase&) = delete;
    OtherDatabase& operator=(const OtherDatabase&) = delete;
    sqlite3* get() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
    sqlite3* m_owned = nullptr;
};

}  // namespace

Database::Database() = default;

Database::~Database() { Close(); }

void Database::Open(const std::string& pathGbk) {
    if (m_db) throw DaoException(kErrGeneric, "数据库已经打开。");
    m_db = detail::OpenConnection(text::GbkToUtf8(pathGbk), false);
    m_pathGbk = pathGbk;
    m_transDepth = 0;
}

void Database::Close() {
    if (!m_db) return;
    // Closing with a transaction pending abandons it, as the engine the files were made for does.
    if (m_transDepth > 0) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    detail::CloseConnection(m_db);
    m_db = nullptr;
    m_transDepth = 0;
    m_pathGbk.clear();
}

bool Database::IsOpen() const { return m_db != nullptr; }

void Database::Execute(const std::string& sqlGbk) {
    detail::RequireOpen(m_db);
    std::string sql = text::GbkToUtf8(sqlGbk);
    if (auto into = detail::ParseSelectInto(sql)) {
        std::string self = text::GbkToUtf8(m_pathGbk);
        OtherDatabase target(m_db, self, text::Utf8ToGbk(into->targetDb), false);
        OtherDatabase source(m_db, self, text::Utf8ToGbk(into->sourceDb), true);
        detail::CopyTable(source.get(), into->sourceTable, target.get(), into->targetTable);
        return;
    }
    if (auto drop = detail::ParseDropTable(sql)) {
        detail::ExecuteAll(
            m_db, std::string("DROP TABLE ") + (drop->ifExists ? "IF EXISTS " : "") + QuoteIdentifier(drop->table));
        return;
    }
    detail::ExecuteAll(m_db, sql);
}

bool Database::TableExists(const std::string& tableGbk) {
    return detail::TableExistsIn(m_db, text::GbkToUtf8(tableGbk));
}

void Database::DropTable(const std::string& tableGbk) {
    detail::ExecuteAll(m_db, "DROP TABLE " + QuoteIdentifier(text::GbkToUtf8(tableGbk)));
}

void Database::CopyTableFrom(const std::string& sourcePathGbk, const std::string& sourceTableGbk,
                             const std::string& targetTableGbk) {
    OtherDatabase source(detail::RequireOpen(m_db), text::GbkToUtf8(m_pathGbk), sourcePathGbk, true);
    detail::CopyTable(source.get(), text::GbkToUtf8(sourceTableGbk), m_db, text::GbkToUtf8(targetTableGbk));
}

std::vector<TableInfo> Database::GetTableDefs() {
    // The schema table grows in creation order.
    detail::Statement stmt(m_db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid");
    std::vector<TableInfo> tables;
    while (stmt.Step()) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
        TableInfo info;
        info.name = text::Utf8ToGbk(name ? name : "");
        bool system = text::ToUpper(info.name).rfind("SQLITE_", 0) == 0;
        info.attributes = system ? kDbSystemObject : 0;
        info.updatable = !system;
        tables.push_back(std::move(info));
    }
    return tables;
}

// The outermost level takes the write lock at once (BEGIN IMMEDIATE): a transaction that first
// reads and only later writes could otherwise meet another writer half-way, where SQLite reports
// the database busy at once instead of waiting. Inner levels are savepoints, so an inner Rollback
// undoes only its own level.
void Database::BeginTrans() {
    detail::ExecuteAll(m_db, m_transDepth == 0 ? std::string("BEGIN IMMEDIATE")
                                               : "SAVEPOINT ckw_trans_" + std::to_string(m_transDepth + 1));
    ++m_transDepth;
}

void Database::CommitTrans() {
    if (m_transDepth == 0) throw DaoException(kErrNoTransaction, "没有开始事务就提交。");
    detail::ExecuteAll(m_db,
                       m_transDepth == 1 ? std::string("COMMIT") : "RELEASE ckw_trans_" + std::to_string(m_transDepth));
    --m_transDepth;
}

void Database::Rollback() {
    if (m_transDepth == 0) throw DaoException(kErrNoTransaction, "没有开始事务就回滚。");
    // SQLite may already have undone the whole transaction after a hard error.
    if (sqlite3_get_autocommit(m_db)) {
        m_transDepth = 0;
        return;
    }
    // Not through the failure hook: a rollback is how a failure is undone.
    std::string name = "ckw_trans_" + std::to_string(m_transDepth);
    std::string sql = m_transDepth == 1 ? std::string("ROLLBACK") : "ROLLBACK TO " + name + "; RELEASE " + name;
    int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) throw detail::ErrorFrom(m_db, rc);
    --m_transDepth;
}

void Terminate() { detail::ReleaseConnections(); }

}  // namespace ckw::dao
