// Copying a table with its declared column types, within one database or between two.
#include <algorithm>
#include <vector>

#include "dao/DaoSqlText.h"
#include "dao/DaoSqlite.h"
#include "base/GbkText.h"

namespace ckw::dao::detail {
namespace {

struct Column {
    std::string name, type, defaultSql;
    bool notNull = false;
    int pkOrder = 0;  // position in the primary key, 0 = not part of it
};

std::string ColumnText(sqlite3_stmt* stmt, int index) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, index));
    return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt, index))) : std::string();
}

std::vector<Column> ReadColumns(sqlite3* db, std::string_view table) {
    Statement stmt(db, "SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?1)");
    stmt.BindText(1, table);
    std::vector<Column> columns;
    while (stmt.Step()) {
        Column c;
        c.name = ColumnText(stmt.get(), 0);
        c.type = ColumnText(stmt.get(), 1);
        c.notNull = sqlite3_column_int(stmt.get(), 2) != 0;
        c.defaultSql = ColumnText(stmt.get(), 3);
        c.pkOrder = sqlite3_column_int(stmt.get(), 4);
        columns.push_back(std::move(c));
    }
    return columns;
}

// The declared types and default expressions come from a schema SQLite has already parsed, so
// they are kept as written; every name is quoted.
std::string CreateTableSql(std::string_view table, const std::vector<Column>& columns) {
    std::vector<const Column*> key;
    for (const auto& c : columns)
        if (c.pkOrder > 0) key.push_back(&c);
    std::sort(key.begin(), key.end(), [](const Column* a, const Column* b) { return a->pkOrder < b->pkOrder; });
    // A single INTEGER PRIMARY KEY stays the row id, so the copy keeps its row numbers.
    bool rowidKey = key.size() == 1 && text::ToUpper(key[0]->type) == "INTEGER";

    std::string sql = "CREATE TABLE " + QuoteIdentifier(table) + " (";
    for (size_t i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        if (i) sql += ", ";
        sql += QuoteIdentifier(c.name);
        if (!c.type.empty()) sql += " " + c.type;
        if (rowidKey && c.pkOrder > 0) sql += " PRIMARY KEY";
        if (c.notNull) sql += " NOT NULL";
        if (!c.defaultSql.empty()) sql += " DEFAULT (" + c.defaultSql + ")";
    }
    if (!key.empty() && !rowidKey) {
        sql += ", PRIMARY KEY (";
        for (size_t i = 0; i < key.size(); ++i) sql += (i ? ", " : "") + QuoteIdentifier(key[i]->name);
        sql += ")";
    }
    return sql + ")";
}

}  // namespace

bool TableExistsIn(sqlite3* db, std::string_view tableUtf8) {
    Statement stmt(db, "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE");
    stmt.BindText(1, tableUtf8);
    return stmt.Step();
}

void CopyTable(sqlite3* source, std::string_view sourceTableUtf8, sqlite3* target, std::string_view targetTableUtf8) {
    std::vector<Column> columns = ReadColumns(source, sourceTableUtf8);
    if (columns.empty()) throw TableNotFound(sourceTableUtf8);
    if (TableExistsIn(target, targetTableUtf8))
        throw DaoException(kErrTableExists, "表 '" + text::Utf8ToGbk(targetTableUtf8) + "' 已存在。");

    ExecuteAll(target, CreateTableSql(targetTableUtf8, columns));

    std::string names, params;
    for (size_t i = 0; i < columns.size(); ++i) {
        names += (i ? ", " : "") + QuoteIdentifier(columns[i].name);
        params += (i ? ", ?" : "?");
    }
    Statement read(source, "SELECT " + names + " FROM " + QuoteIdentifier(sourceTableUtf8));
    Statement write(target,
                    "INSERT INTO " + QuoteIdentifier(targetTableUtf8) + " (" + names + ") VALUES (" + params + ")");
    const int count = static_cast<int>(columns.size());
    while (read.Step()) {
        for (int i = 0; i < count; ++i) sqlite3_bind_value(write.get(), i + 1, sqlite3_column_value(read.get(), i));
        write.Run();
        write.Reset();
    }
}

}  // namespace ckw::dao::detail
