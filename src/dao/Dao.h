#pragma once
// A small DAO-shaped layer over SQLite: what the parameter library needs of a database and
// nothing more. The parameter files keep their names ("绘图参数.mdb") but are SQLite databases.
//
// All names and SQL texts at this interface are GBK; SQLite stores UTF-8. Column types are
// declared with the Jet type names ("TEXT", "SINGLE", "LONG", "DOUBLE"), so a value reads back as
// the variant type of its column and a copied table keeps its types.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace ckw::dao {

// Jet field type codes, as DAO reports them.
enum FieldType : int {
    dbBoolean = 1,
    dbByte = 2,
    dbInteger = 3,
    dbLong = 4,
    dbCurrency = 5,
    dbSingle = 6,
    dbDouble = 7,
    dbDate = 8,
    dbText = 10,
    dbMemo = 12,
};

// The error codes callers test (low 16 bits, as Jet reports them).
inline constexpr long kErrTableNotFound = 3078;  // 0x0C06: table or query not found
inline constexpr long kErrGeneric = 3146;        // ODBC-call-failed style catch-all
inline constexpr long kErrCannotOpen = 3044;     // not a valid path / cannot open file
inline constexpr long kErrFileNotFound = 3024;   // the database file does not exist
inline constexpr long kErrDamaged = 3049;        // the file is damaged
inline constexpr long kErrNotDatabase = 3343;    // the file is not a database
inline constexpr long kErrTableExists = 3010;    // a copy's target table already exists
inline constexpr long kErrNoCurrentRecord = 3021;
inline constexpr long kErrNoEdit = 3020;         // Update or SetFieldValue without Edit/AddNew
inline constexpr long kErrReadOnly = 3027;       // the recordset cannot be updated
inline constexpr long kErrNoTransaction = 3034;  // commit or rollback without BeginTrans
inline constexpr long kErrRecordDeleted = 3167;
inline constexpr long kErrItemNotFound = 3265;  // no field of that name or index
inline constexpr long kErrConversion = 3421;    // value does not fit the field's type

// How long a statement waits for another connection that holds the database (then: busy error).
inline constexpr int kBusyTimeoutMs = 5000;

class Variant {
public:
    enum class Kind { Null, Text, Single, Long, Double };
    Variant() = default;
    static Variant Text(std::string gbk);
    static Variant Single(float v);
    static Variant Long(int32_t v);
    static Variant Double(double v);

    Kind kind() const { return m_kind; }
    bool IsNull() const { return m_kind == Kind::Null; }
    // Text of a text variant (GBK), "" for null; numbers are formatted.
    std::string AsText() const;
    float AsSingle() const;  // the 32-bit value a SINGLE field holds, or a conversion
    int32_t AsLong() const;  // likewise for LONG
    double AsDouble() const;
    // Same kind and same value.
    bool operator==(const Variant& other) const;

private:
    Kind m_kind = Kind::Null;
    std::string m_text;
    double m_number = 0;
};

class DaoException : public std::runtime_error {
public:
    DaoException(long code, std::string descriptionGbk);
    long code() const { return m_code; }
    // Low 16 bits, as callers compare them (3078 = table not found).
    int errorCode() const { return static_cast<int>(m_code & 0xFFFF); }
    const std::string& description() const { return m_description; }

private:
    long m_code;
    std::string m_description;
};

struct TableInfo {
    std::string name;     // GBK
    long attributes = 0;  // 0 = ordinary local table; system tables carry dbSystemObject
    bool updatable = true;
};

struct FieldInfo {
    std::string name;   // GBK
    int type = dbText;  // FieldType
};

class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing database file (path in GBK). Throws DaoException when it cannot.
    void Open(const std::string& pathGbk);
    void Close();
    bool IsOpen() const;
    const std::string& path() const { return m_pathGbk; }

    // Runs SQL text (GBK); throws DaoException on failure. Understands, besides plain SQLite SQL,
    // the Jet forms the library uses: "SELECT * INTO [db].[t] FROM [db].[t]",
    // "SELECT * INTO [t] FROM [t]" and "DROP TABLE t".
    void Execute(const std::string& sqlGbk);

    // The same operations with caller-given names quoted as identifiers, never spliced into SQL.
    bool TableExists(const std::string& tableGbk);
    void DropTable(const std::string& tableGbk);
    // Replaces nothing: creates target table with the source table's declared column types and
    // copies its rows. sourcePathGbk empty = this database.
    void CopyTableFrom(const std::string& sourcePathGbk, const std::string& sourceTableGbk,
                       const std::string& targetTableGbk);

    std::vector<TableInfo> GetTableDefs();

    // One transaction; nested calls are counted.
    void BeginTrans();
    void CommitTrans();
    void Rollback();

    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
    std::string m_pathGbk;
    int m_transDepth = 0;
};

// A dynaset: the rows of a query held with their row ids, editable when the query reads one
// table.
class Recordset {
public:
    // Dynaset: the rows can be edited when the query reads one table. Snapshot: a read-only
    // copy of the rows, cheaper to open (what a loader that only reads wants).
    enum class OpenMode { Dynaset, Snapshot };

    explicit Recordset(Database& db);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Opens a query (GBK SQL). A missing table throws DaoException with code 3078.
    void Open(const std::string& sqlGbk, OpenMode mode = OpenMode::Dynaset);
    // "select * from <table>" with the name quoted.
    void OpenTable(const std::string& tableGbk, OpenMode mode = OpenMode::Dynaset);
    // Editable = the query reads one table of this database, every column straight from it.
    bool IsUpdatable() const;
    void Close();
    bool IsOpen() const;

    long GetRecordCount() const;
    bool IsEOF() const;
    bool IsBOF() const;
    void MoveFirst();
    void MoveNext();

    int GetFieldCount() const;
    FieldInfo GetFieldInfo(int index) const;
    Variant GetFieldValue(const std::string& fieldGbk) const;
    Variant GetFieldValue(int index) const;

    void Edit();
    void AddNew();
    void SetFieldValue(const std::string& fieldGbk, const Variant& value);
    void Update();
    void CancelUpdate();
    void Delete();

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// Releases what the engine keeps between uses (the end of the library's work).
void Terminate();

// Test seam: called with each statement (UTF-8) before it runs; returning true makes it fail
// as if the database had refused it. Pass an empty function to remove. Rollbacks are exempt:
// they are how a failure is undone.
void SetStatementFailureHook(std::function<bool(std::string_view sqlUtf8)> hook);

// The one walk over a recordset's rows: visit(rs) on each row in turn, from the first.
template <typename Visit>
void ForEachRow(Recordset& rs, Visit visit) {
    if (rs.GetRecordCount() > 0) rs.MoveFirst();
    for (; !rs.IsEOF(); rs.MoveNext()) visit(rs);
}

}  // namespace ckw::dao
