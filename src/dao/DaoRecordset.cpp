// Recordset: the rows of a query held in memory with their row ids, so that a query on one
// table can be edited row by row while the database stays free for other statements.
#include <optional>

#include "dao/Dao.h"
#include "dao/DaoSqlText.h"
#include "dao/DaoSqlite.h"
#include "base/GbkText.h"

namespace ckw::dao {
namespace {

using detail::QuoteIdentifier;
using detail::Statement;

// Names compare as SQLite and Jet compare them: ASCII letters without case.
bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a == b || text::ToUpper(a) == text::ToUpper(b));
}

std::string ColumnString(const char* p) { return p ? std::string(p) : std::string(); }

struct Column {
    std::string nameUtf8, nameGbk, nameKey, originUtf8;  // nameKey: GBK upper-cased
    int type = 0;
};

struct Row {
    int64_t rowid = 0;
    std::vector<Variant> values;
};

// A name for the row id that no column of the table shadows; empty if all are taken.
std::string RowidAlias(sqlite3* db, std::string_view table) {
    Statement stmt(db, "SELECT name FROM pragma_table_info(?1)");
    stmt.BindText(1, table);
    std::vector<std::string> names;
    while (stmt.Step())
        names.push_back(ColumnString(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0))));
    for (std::string_view alias : {"rowid", "_rowid_", "oid"}) {
        bool taken = false;
        for (const auto& n : names) taken = taken || SameName(n, alias);
        if (!taken) return std::string(alias);
    }
    return {};
}

}  // namespace

struct Recordset::Impl {
    explicit Impl(Database& database) : db(database) {}

    Database& db;
    bool open = false;
    std::string tableUtf8;  // the one table the rows come from; empty = read-only
    std::string rowidAlias;
    std::vector<Column> columns;
    std::vector<Row> rows;
    size_t pos = 0;
    bool currentDeleted = false;  // the current row was deleted; MoveNext goes to the one after it
    enum class Mode { None, Edit, Add } mode = Mode::None;
    std::vector<std::optional<Variant>> pending;

    void RequireOpen() const {
        if (!open) throw DaoException(kErrGeneric, "记录集没有打开。");
    }
    void RequireCurrent() const {
        RequireOpen();
        if (currentDeleted) throw DaoException(kErrRecordDeleted, "记录已被删除。");
        if (pos >= rows.size()) throw DaoException(kErrNoCurrentRecord, "没有当前记录。");
    }
    void RequireUpdatable() const {
        RequireOpen();
        if (tableUtf8.empty()) throw DaoException(kErrReadOnly, "不能更新。数据库或对象为只读。");
    }
    // Fields are read by name for every row, so the usual exact spelling is tried first.
    int IndexOf(const std::string& nameGbk) const {
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].nameGbk == nameGbk) return static_cast<int>(i);
        std::string key = text::ToUpper(nameGbk);
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].nameKey == key) return static_cast<int>(i);
        throw DaoException(kErrItemNotFound, "在此集合中找不到项目 '" + nameGbk + "'。");
    }
    void CheckIndex(int index) const {
        RequireOpen();
        if (index < 0 || static_cast<size_t>(index) >= columns.size())
            throw DaoException(kErrItemNotFound, "在此集合中找不到项目 " + std::to_string(index) + "。");
    }

    // Reads the rows of a statement whose first `skip` columns are not fields.
    void ReadRows(Statement& stmt, int skip) {
        bool first = true;
        while (stmt.Step()) {
            if (first) {
                // Columns without a declared type (expressions) take the type of their first value.
                for (size_t i = 0; i < columns.size(); ++i)
                    if (columns[i].type == 0)
                        columns[i].type =
                            detail::FieldTypeFromValue(sqlite3_column_value(stmt.get(), skip + static_cast<int>(i)));
                first = false;
            }
            rows.push_back(RowFrom(stmt, skip));
        }
        for (auto& c : columns)
            if (c.type == 0) c.type = dbText;
    }

    Row RowFrom(Statement& stmt, int skip) const {
        Row row;
        if (skip) row.rowid = sqlite3_column_int64(stmt.get(), 0);
        for (size_t i = 0; i < columns.size(); ++i)
            row.values.push_back(
                detail::ReadValue(sqlite3_column_value(stmt.get(), skip + static_cast<int>(i)), columns[i].type));
        return row;
    }

    // The stored row as it is now (after SQLite's own conversions and defaults).
    std::optional<Row> Reload(int64_t rowid) const {
        std::string sql = "SELECT " + rowidAlias;
        for (const auto& c : columns) sql += ", " + QuoteIdentifier(c.originUtf8);
        sql += " FROM " + QuoteIdentifier(tableUtf8) + " WHERE " + rowidAlias + " = ?1";
        Statement stmt(db.handle(), sql);
        stmt.BindInt(1, rowid);
        if (!stmt.Step()) return std::nullopt;
        return RowFrom(stmt, 1);
    }
};

Recordset::Recordset(Database& db) : m(std::make_unique<Impl>(db)) {}

Recordset::~Recordset() = default;

void Recordset::Open(const std::string& sqlGbk, OpenMode mode) {
    Close();
    sqlite3* db = m->db.handle();
    std::string sql = text::GbkToUtf8(sqlGbk);
    Statement stmt(db, sql);  // a missing table fails here with 3078
    if (!stmt.valid()) throw DaoException(kErrGeneric, "查询语句是空的。");

    auto single = detail::ParseSingleTableSelect(sql);
    bool editable = single.has_value() && mode == OpenMode::Dynaset;
    const int count = sqlite3_column_count(stmt.get());
    for (int i = 0; i < count; ++i) {
        Column c;
        c.nameUtf8 = ColumnString(sqlite3_column_name(stmt.get(), i));
        c.nameGbk = text::Utf8ToGbk(c.nameUtf8);
        c.nameKey = text::ToUpper(c.nameGbk);
        c.originUtf8 = ColumnString(sqlite3_column_origin_name(stmt.get(), i));
        c.type = detail::FieldTypeFromDeclared(ColumnString(sqlite3_column_decltype(stmt.get(), i)));
        // Every field must be a column of that one table for its rows to be written back.
        editable = editable && !c.originUtf8.empty() &&
                   SameName(ColumnString(sqlite3_column_table_name(stmt.get(), i)), single->table) &&
                   SameName(ColumnString(sqlite3_column_database_name(stmt.get(), i)), "main");
        m->columns.push_back(std::move(c));
    }

    if (editable) {
        std::string alias = RowidAlias(db, single->table);
        if (!alias.empty()) {
            std::string withRowid =
                sql.substr(0, single->selectListAt) + " " + alias + "," + sql.substr(single->selectListAt);
            try {
                Statement rowStmt(db, withRowid);
                m->tableUtf8 = single->table;
                m->rowidAlias = alias;
                m->ReadRows(rowStmt, 1);
            } catch (const DaoException&) {
                // A table without row ids (or a query the rewrite does not suit): read-only.
                m->tableUtf8.clear();
                m->rows.clear();
            }
        }
    }
    if (m->tableUtf8.empty()) m->ReadRows(stmt, 0);
    m->pending.assign(m->columns.size(), std::nullopt);
    m->open = true;
}

void Recordset::OpenTable(const std::string& tableGbk, OpenMode mode) {
    Open(text::Utf8ToGbk("SELECT * FROM " + QuoteIdentifier(text::GbkToUtf8(tableGbk))), mode);
}

void Recordset::Close() {
    Database& db = m->db;
    m = std::make_unique<Impl>(db);
}

bool Recordset::IsOpen() const { return m->open; }

bool Recordset::IsUpdatable() const { return m->open && !m->tableUtf8.empty(); }

long Recordset::GetRecordCount() const {
    m->RequireOpen();
    return static_cast<long>(m->rows.size());
}

bool Recordset::IsEOF() const { return !m->open || (m->pos >= m->rows.size() && !m->currentDeleted); }

bool Recordset::IsBOF() const { return !m->open || m->rows.empty(); }

void Recordset::MoveFirst() {
    m->RequireOpen();
    if (m->rows.empty()) throw DaoException(kErrNoCurrentRecord, "没有当前记录。");
    m->pos = 0;
    m->currentDeleted = false;
    CancelUpdate();
}

void Recordset::MoveNext() {
    m->RequireOpen();
    if (m->currentDeleted) {
        m->currentDeleted = false;  // the rows after a deleted one moved up already
    } else {
        if (m->pos >= m->rows.size()) throw DaoException(kErrNoCurrentRecord, "没有当前记录。");
        ++m->pos;
    }
    CancelUpdate();
}

int Recordset::GetFieldCount() const {
    m->RequireOpen();
    return static_cast<int>(m->columns.size());
}

FieldInfo Recordset::GetFieldInfo(int index) const {
    m->CheckIndex(index);
    const Column& c = m->columns[static_cast<size_t>(index)];
    return FieldInfo{c.nameGbk, c.type};
}

Variant Recordset::GetFieldValue(const std::string& fieldGbk) const {
    m->RequireOpen();
    return GetFieldValue(m->IndexOf(fieldGbk));
}

Variant Recordset::GetFieldValue(int index) const {
    m->CheckIndex(index);
    const auto& pending = m->pending[static_cast<size_t>(index)];
    if (m->mode == Impl::Mode::Add) return pending.value_or(Variant());
    m->RequireCurrent();
    if (m->mode == Impl::Mode::Edit && pending) return *pending;
    return m->rows[m->pos].values[static_cast<size_t>(index)];
}

void Recordset::Edit() {
    m->RequireUpdatable();
    m->RequireCurrent();
    CancelUpdate();
    m->mode = Impl::Mode::Edit;
}

void Recordset::AddNew() {
    m->RequireUpdatable();
    CancelUpdate();
    m->mode = Impl::Mode::Add;
}

void Recordset::SetFieldValue(const std::string& fieldGbk, const Variant& value) {
    m->RequireOpen();
    if (m->mode == Impl::Mode::None) throw DaoException(kErrNoEdit, "没有使用 AddNew 或 Edit 就更新。");
    int index = m->IndexOf(fieldGbk);
    m->pending[static_cast<size_t>(index)] = detail::CoerceToField(value, m->columns[static_cast<size_t>(index)].type);
}

void Recordset::Update() {
    m->RequireOpen();
    if (m->mode == Impl::Mode::None) throw DaoException(kErrNoEdit, "没有使用 AddNew 或 Edit 就更新。");
    std::vector<size_t> changed;
    for (size_t i = 0; i < m->pending.size(); ++i)
        if (m->pending[i]) changed.push_back(i);
    sqlite3* db = m->db.handle();
    const std::string table = QuoteIdentifier(m->tableUtf8);

    if (m->mode == Impl::Mode::Edit) {
        m->RequireCurrent();
        if (!changed.empty()) {
            std::string sql = "UPDATE " + table + " SET ";
            for (size_t k = 0; k < changed.size(); ++k)
                sql += (k ? ", " : "") + QuoteIdentifier(m->columns[changed[k]].originUtf8) + " = ?";
            sql += " WHERE " + m->rowidAlias + " = ?";
            Statement stmt(db, sql);
            int param = 1;
            for (size_t i : changed) stmt.Bind(param++, *m->pending[i]);
            stmt.BindInt(param, m->rows[m->pos].rowid);
            stmt.Run();
            Row& row = m->rows[m->pos];
            if (auto fresh = m->Reload(row.rowid)) row = std::move(*fresh);
        }
    } else {
        std::string sql = "INSERT INTO " + table;
        if (changed.empty()) {
            sql += " DEFAULT VALUES";
        } else {
            std::string names, params;
            for (size_t k = 0; k < changed.size(); ++k) {
                names += (k ? ", " : "") + QuoteIdentifier(m->columns[changed[k]].originUtf8);
                params += k ? ", ?" : "?";
            }
            sql += " (" + names + ") VALUES (" + params + ")";
        }
        Statement stmt(db, sql);
        int param = 1;
        for (size_t i : changed) stmt.Bind(param++, *m->pending[i]);
        stmt.Run();
        // The new row joins the end of the set; the current position stays where it was.
        bool atEnd = m->pos >= m->rows.size();
        if (auto fresh = m->Reload(sqlite3_last_insert_rowid(db))) m->rows.push_back(std::move(*fresh));
        if (atEnd) m->pos = m->rows.size();
    }
    CancelUpdate();
}

void Recordset::CancelUpdate() {
    m->mode = Impl::Mode::None;
    m->pending.assign(m->columns.size(), std::nullopt);
}

void Recordset::Delete() {
    m->RequireUpdatable();
    m->RequireCurrent();
    Statement stmt(m->db.handle(),
                   "DELETE FROM " + QuoteIdentifier(m->tableUtf8) + " WHERE " + m->rowidAlias + " = ?1");
    stmt.BindInt(1, m->rows[m->pos].rowid);
    stmt.Run();
    m->rows.erase(m->rows.begin() + static_cast<std::ptrdiff_t>(m->pos));
    m->currentDeleted = true;
    CancelUpdate();
}

}  // namespace ckw::dao
