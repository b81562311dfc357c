#include <gtest/gtest.h>

#include <fstream>

#include "dao/Dao.h"
#include "base/GbkText.h"
#include "dao/SqlScript.h"
#include "support/TestEnv.h"

using namespace ckw::dao;
using ckw::text::U8;

namespace {

class DaoTest : public ::testing::Test {
protected:
    void TearDown() override { SetStatementFailureHook({}); }

    // Builds a database from UTF-8 SQL and returns its path in GBK, as callers pass paths.
    std::string MakeDb(const std::string& fileUtf8, const std::string& sqlUtf8) {
        std::string path = (dir.path() / fileUtf8).string();
        CreateDatabaseFromSql(sqlUtf8, path);
        return ckw::text::Utf8ToGbk(path);
    }

    static long ErrorOf(const std::function<void()>& fn) {
        try {
            fn();
        } catch (const DaoException& e) {
            return e.errorCode();
        }
        return 0;
    }

    static std::vector<std::string> Column(Database& db, const std::string& sqlGbk, const std::string& field) {
        Recordset rs(db);
        rs.Open(sqlGbk);
        std::vector<std::string> out;
        for (; !rs.IsEOF(); rs.MoveNext()) out.push_back(rs.GetFieldValue(field).AsText());
        return out;
    }

    ckw::test::TempDir dir;
};

const char* kTypedTable = R"(
CREATE TABLE t (ID INTEGER PRIMARY KEY, name TEXT, memo MEMO, width SINGLE, num LONG, big DOUBLE,
                flag BIT, code VARCHAR(20), r REAL);
INSERT INTO t VALUES (1, 'a', 'long text', 0.1, 7, 0.1, 1, 'x', 2.5);
INSERT INTO t VALUES (2, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO t VALUES (3, 'c', 'm', 3.5, -2, 1e300, 0, 'z', 1);
)";

TEST_F(DaoTest, OpenRefusesMissingEmptyAndForeignFiles) {
    Database db;
    std::string missing = ckw::text::Utf8ToGbk((dir.path() / "none.mdb").string());
    EXPECT_EQ(ErrorOf([&] { db.Open(missing); }), kErrFileNotFound);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "none.mdb")) << "opening must never create";

    std::ofstream(dir.path() / "empty.mdb").close();
    EXPECT_EQ(ErrorOf([&] { db.Open((dir.path() / "empty.mdb").string()); }), kErrNotDatabase);

    std::ofstream(dir.path() / "text.mdb") << "this is not a database, just some text that is long enough\n";
    try {
        db.Open((dir.path() / "text.mdb").string());
        FAIL() << "a text file opened as a database";
    } catch (const DaoException& e) {
        EXPECT_EQ(e.errorCode(), kErrNotDatabase);
        EXPECT_NE(e.description().find("text.mdb"), std::string::npos) << "the description names the file";
    }
    EXPECT_EQ(ErrorOf([&] { db.Open(dir.path().string()); }), kErrCannotOpen);
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(DaoTest, DamagedDatabaseGivesAnErrorNotACrash) {
    std::string path = MakeDb("d.mdb", kTypedTable);
    {
        std::fstream f(ckw::text::GbkToUtf8(path), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(100);
        std::string garbage(3000, '\x5A');
        f.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    EXPECT_THROW(
        {
            Database db;
            db.Open(path);
            Recordset rs(db);
            rs.OpenTable("t");
        },
        DaoException);
}

TEST_F(DaoTest, GbkPathOpensTheUtf8File) {
    std::string path = MakeDb(U8(u8"用户绘图参数.mdb"), kTypedTable);
    EXPECT_EQ(path.find(U8(u8"用户")), std::string::npos) << "the path handed over is GBK";
    Database db;
    db.Open(path);
    EXPECT_TRUE(db.IsOpen());
    EXPECT_EQ(db.path(), path);
}

TEST_F(DaoTest, FieldsReadAsTheVariantOfTheirDeclaredType) {
    Database db;
    db.Open(MakeDb("t.mdb", kTypedTable));
    Recordset rs(db);
    rs.Open("select * from t");
    ASSERT_EQ(rs.GetRecordCount(), 3);
    std::vector<int> types;
    for (int i = 0; i < rs.GetFieldCount(); ++i) types.push_back(rs.GetFieldInfo(i).type);
    EXPECT_EQ(types,
              (std::vector<int>{dbLong, dbText, dbMemo, dbSingle, dbLong, dbDouble, dbBoolean, dbText, dbDouble}));

    rs.MoveFirst();
    EXPECT_EQ(rs.GetFieldValue("width"), Variant::Single(0.1f)) << "a SINGLE is the 32-bit value";
    EXPECT_EQ(rs.GetFieldValue("NUM"), Variant::Long(7)) << "field names ignore letter case";
    EXPECT_EQ(rs.GetFieldValue("big"), Variant::Double(0.1));
    EXPECT_EQ(rs.GetFieldValue("name"), Variant::Text("a"));

    rs.MoveNext();
    for (const char* field : {"name", "memo", "width", "num", "big", "code"}) {
        EXPECT_TRUE(rs.GetFieldValue(field).IsNull()) << field;
        EXPECT_EQ(rs.GetFieldValue(field).AsText(), "");
    }
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValue("width").AsSingle(), 3.5f);
    EXPECT_EQ(rs.GetFieldValue("num").AsLong(), -2);
    EXPECT_EQ(rs.GetFieldValue("big").AsDouble(), 1e300);
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(ErrorOf([&] { rs.MoveNext(); }), kErrNoCurrentRecord);
    EXPECT_EQ(ErrorOf([&] { rs.GetFieldValue("name"); }), kErrNoCurrentRecord);
    rs.MoveFirst();
    EXPECT_EQ(ErrorOf([&] { rs.GetFieldValue("nope"); }), kErrItemNotFound);
}

TEST_F(DaoTest, ValuesThatDoNotFitTheirFieldAreKeptNotMangled) {
    Database db;
    db.Open(MakeDb("t.mdb",
                   "CREATE TABLE t (n LONG, s SINGLE); INSERT INTO t VALUES (5000000000, 'abc');"
                   "INSERT INTO t VALUES (2.5, '1.5');"));
    Recordset rs(db);
    rs.Open("select * from t");
    EXPECT_EQ(rs.GetFieldValue("n"), Variant::Double(5e9));
    EXPECT_EQ(rs.GetFieldValue("s"), Variant::Text("abc"));
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValue("n"), Variant::Double(2.5));
    EXPECT_EQ(rs.GetFieldValue("s"), Variant::Single(1.5f));
}

TEST_F(DaoTest, MissingTableIsError3078NamingTheTable) {
    Database db;
    db.Open(MakeDb("t.mdb", kTypedTable));
    Recordset rs(db);
    try {
        rs.Open("select * from 版本信息表");
        FAIL() << "no error for a missing table";
    } catch (const DaoException& e) {
        EXPECT_EQ(e.errorCode(), 3078);
        EXPECT_NE(e.description().find("'版本信息表'"), std::string::npos) << e.description();
    }
    EXPECT_FALSE(rs.IsOpen());
}

TEST_F(DaoTest, DynasetEditsAddsAndDeletesRows) {
    Database db;
    db.Open(MakeDb("t.mdb", kTypedTable));
    Recordset rs(db);
    rs.Open("select * from t");
    ASSERT_TRUE(rs.IsUpdatable());

    rs.MoveNext();  // row 2: all null
    rs.Edit();
    rs.SetFieldValue("name", Variant::Text("层名"));
    rs.SetFieldValue("width", Variant::Text("12.5"));  // converted to the field's type
    EXPECT_EQ(rs.GetFieldValue("name"), Variant::Text("层名")) << "the edit buffer is visible";
    rs.Update();
    EXPECT_EQ(rs.GetFieldValue("width"), Variant::Single(12.5f));

    rs.AddNew();
    rs.SetFieldValue("name", Variant::Text("new"));
    rs.SetFieldValue("num", Variant::Long(42));
    rs.Update();
    EXPECT_EQ(rs.GetRecordCount(), 4);
    EXPECT_EQ(rs.GetFieldValue("ID"), Variant::Long(2)) << "AddNew leaves the current row where it was";

    rs.MoveFirst();
    rs.Delete();
    EXPECT_EQ(ErrorOf([&] { rs.GetFieldValue("name"); }), kErrRecordDeleted);
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValue("ID"), Variant::Long(2)) << "MoveNext after Delete reaches the next row";

    EXPECT_EQ(Column(db, "select * from t", "name"), (std::vector<std::string>{"层名", "c", "new"}));
    EXPECT_EQ(Column(db, "select * from t", "ID"), (std::vector<std::string>{"2", "3", "4"}));
    EXPECT_EQ(Column(db, "select * from t where ID = 4", "num"), (std::vector<std::string>{"42"}));
}

TEST_F(DaoTest, MisuseOfEditingIsRefused) {
    Database db;
    db.Open(MakeDb("t.mdb", kTypedTable));
    Recordset rs(db);
    rs.Open("select * from t");
    EXPECT_EQ(ErrorOf([&] { rs.SetFieldValue("name", Variant::Text("x")); }), kErrNoEdit);
    EXPECT_EQ(ErrorOf([&] { rs.Update(); }), kErrNoEdit);
    rs.Edit();
    EXPECT_EQ(ErrorOf([&] { rs.SetFieldValue("num", Variant::Text("abc")); }), kErrConversion);
    EXPECT_EQ(ErrorOf([&] { rs.SetFieldValue("num", Variant::Double(1e12)); }), kErrConversion);
    rs.CancelUpdate();
    EXPECT_EQ(rs.GetFieldValue("num"), Variant::Long(7));

    // Rows of a join or an aggregate have no single row to write back to.
    for (const char* sql : {"select count(*) as n from t", "select a.name from t a, t b", "select name, 1 from t",
                            "select distinct name from t"}) {
        Recordset ro(db);
        ro.Open(sql);
        EXPECT_FALSE(ro.IsUpdatable()) << sql;
        EXPECT_EQ(ErrorOf([&] { ro.Edit(); }), kErrReadOnly) << sql;
    }
    Recordset filtered(db);
    filtered.Open("SELECT name, num FROM t WHERE num > 0 ORDER BY name");
    EXPECT_TRUE(filtered.IsUpdatable());
}

TEST_F(DaoTest, EditsReachTheRightRowWhenAColumnIsCalledRowid) {
    Database db;
    db.Open(MakeDb("t.mdb",
                   "CREATE TABLE t (rowid TEXT, v LONG); INSERT INTO t VALUES ('2', 1);"
                   "INSERT INTO t VALUES ('1', 2);"));
    Recordset rs(db);
    rs.Open("select * from t");
    rs.Edit();
    rs.SetFieldValue("v", Variant::Long(10));
    rs.Update();
    EXPECT_EQ(Column(db, "select * from t", "v"), (std::vector<std::string>{"10", "2"}));
}

TEST_F(DaoTest, CopyAcrossFilesKeepsDeclaredTypesAndRows) {
    std::string sys = MakeDb(U8(u8"绘图参数.mdb"), kTypedTable);
    std::string user = MakeDb(U8(u8"用户绘图参数.mdb"), "CREATE TABLE other (x TEXT);");
    Database db;
    db.Open(user);
    db.Execute("SELECT * INTO [" + user + "].[t] FROM [" + sys + "].[t]");

    Database source;
    source.Open(sys);
    Recordset a(source), b(db);
    a.Open("select * from t");
    b.Open("select * from t");
    ASSERT_EQ(a.GetFieldCount(), b.GetFieldCount());
    for (int i = 0; i < a.GetFieldCount(); ++i) {
        EXPECT_EQ(a.GetFieldInfo(i).name, b.GetFieldInfo(i).name);
        EXPECT_EQ(a.GetFieldInfo(i).type, b.GetFieldInfo(i).type) << a.GetFieldInfo(i).name;
    }
    ASSERT_EQ(a.GetRecordCount(), b.GetRecordCount());
    for (; !a.IsEOF(); a.MoveNext(), b.MoveNext())
        for (int i = 0; i < a.GetFieldCount(); ++i) EXPECT_EQ(a.GetFieldValue(i), b.GetFieldValue(i));

    // The copy keeps the row-id key, so new rows number on.
    b.AddNew();
    b.Update();
    EXPECT_EQ(Column(db, "select * from t where name is null and memo is null and ID > 3", "ID"),
              (std::vector<std::string>{"4"}));

    EXPECT_EQ(ErrorOf([&] { db.Execute("SELECT * INTO [" + user + "].[t] FROM [" + sys + "].[t]"); }), kErrTableExists);
    EXPECT_EQ(ErrorOf([&] { db.Execute("SELECT * INTO [" + user + "].[q] FROM [" + sys + "].[none]"); }),
              kErrTableNotFound);
    EXPECT_FALSE(db.TableExists("q"));

    Database closed;
    EXPECT_THROW(closed.Execute("SELECT * INTO [" + user + "].[z] FROM [" + sys + "].[t]"), DaoException);
    EXPECT_FALSE(db.TableExists("z")) << "a closed database writes into no file";
}

TEST_F(DaoTest, CopyWithinOneFileAndDropTable) {
    Database db;
    db.Open(MakeDb("t.mdb", kTypedTable));
    db.Execute("SELECT * INTO [tmp_table] FROM [t]");
    EXPECT_EQ(Column(db, "select * from tmp_table", "name"), (std::vector<std::string>{"a", "", "c"}));
    db.Execute("DROP TABLE tmp_table");
    EXPECT_FALSE(db.TableExists("TMP_TABLE"));
    EXPECT_TRUE(db.TableExists("T")) << "names compare without letter case";
    EXPECT_EQ(ErrorOf([&] { db.Execute("DROP TABLE tmp_table"); }), kErrTableNotFound);
}

TEST_F(DaoTest, OddTableNamesAreQuotedNeverSpliced) {
    Database db;
    db.Open(MakeDb("t.mdb", "CREATE TABLE keep (x TEXT); INSERT INTO keep VALUES ('safe');"));
    const std::string odd = "we\"ird [name]; DROP TABLE keep";
    db.CopyTableFrom("", "keep", odd);
    EXPECT_TRUE(db.TableExists(odd));
    Recordset rs(db);
    rs.OpenTable(odd);
    EXPECT_EQ(rs.GetFieldValue("x").AsText(), "safe");
    rs.Close();

    // The Jet statement takes everything after DROP TABLE as one name.
    db.Execute("SELECT * INTO [a b; DROP TABLE keep] FROM [keep]");
    db.Execute("DROP TABLE a b; DROP TABLE keep");
    EXPECT_FALSE(db.TableExists("a b; DROP TABLE keep"));
    db.DropTable(odd);
    EXPECT_FALSE(db.TableExists(odd));
    EXPECT_TRUE(db.TableExists("keep"));
    EXPECT_FALSE(db.TableExists("x' OR '1'='1"));
}

TEST_F(DaoTest, TableDefsListTablesInCreationOrder) {
    Database db;
    db.Open(
        MakeDb("t.mdb", U8(u8"CREATE TABLE 乙 (x); CREATE TABLE a (id INTEGER PRIMARY KEY AUTOINCREMENT);"
                           u8"CREATE TABLE c (x); INSERT INTO a VALUES (NULL); CREATE VIEW v AS SELECT * FROM c;")));
    auto defs = db.GetTableDefs();
    std::vector<std::string> ordinary;
    for (const auto& d : defs) {
        if (d.name == "sqlite_sequence") {
            EXPECT_EQ(static_cast<unsigned long>(d.attributes), 0x80000002UL);
        } else {
            EXPECT_EQ(d.attributes, 0) << d.name;
            ordinary.push_back(d.name);
        }
    }
    EXPECT_EQ(ordinary, (std::vector<std::string>{"乙", "a", "c"}));
}

TEST_F(DaoTest, TransactionsNestAndRollBack) {
    Database db;
    db.Open(MakeDb("t.mdb", "CREATE TABLE t (x TEXT);"));
    db.BeginTrans();
    db.Execute("INSERT INTO t VALUES ('outer')");
    db.BeginTrans();
    db.Execute("INSERT INTO t VALUES ('inner')");
    db.Rollback();
    db.CommitTrans();
    EXPECT_EQ(Column(db, "select * from t", "x"), (std::vector<std::string>{"outer"}));
    EXPECT_EQ(ErrorOf([&] { db.CommitTrans(); }), kErrNoTransaction);
    EXPECT_EQ(ErrorOf([&] { db.Rollback(); }), kErrNoTransaction);

    // Closing with a transaction pending abandons it.
    std::string path = db.path();
    db.BeginTrans();
    db.Execute("DELETE FROM t");
    db.Close();
    db.Open(path);
    EXPECT_EQ(Column(db, "select * from t", "x"), (std::vector<std::string>{"outer"}));
}

// The upgrade replaces a table in one transaction: drop, copy from the system file, edit.
// A statement failing midway must leave the user's table as it was.
TEST_F(DaoTest, FailureMidwayRollsBackToTheOldTable) {
    std::string sys = MakeDb("sys.mdb", kTypedTable);
    std::string user = MakeDb("user.mdb",
                              "CREATE TABLE t (ID INTEGER PRIMARY KEY, name TEXT);"
                              "INSERT INTO t VALUES (1, 'mine');");
    std::vector<std::string> seen;
    SetStatementFailureHook([&](std::string_view sql) {
        seen.emplace_back(sql);
        return sql.rfind("INSERT INTO", 0) == 0;
    });
    Database db;
    db.Open(user);
    db.BeginTrans();
    db.Execute("DROP TABLE t");
    EXPECT_THROW(db.Execute("SELECT * INTO [" + user + "].[t] FROM [" + sys + "].[t]"), DaoException);
    db.Rollback();
    SetStatementFailureHook({});

    EXPECT_EQ(Column(db, "select * from t", "name"), (std::vector<std::string>{"mine"}));
    bool sawCreate = false;
    for (const auto& s : seen) sawCreate = sawCreate || s.rfind("CREATE TABLE \"t\"", 0) == 0;
    EXPECT_TRUE(sawCreate) << "the hook sees each statement as it runs";
}

TEST_F(DaoTest, FailedCommitCanStillBeRolledBack) {
    Database db;
    db.Open(MakeDb("t.mdb", "CREATE TABLE t (x TEXT);"));
    db.BeginTrans();
    db.Execute("INSERT INTO t VALUES ('x')");
    SetStatementFailureHook([](std::string_view) { return true; });
    EXPECT_THROW(db.CommitTrans(), DaoException);
    EXPECT_NO_THROW(db.Rollback()) << "rollbacks are exempt from the failure hook";
    SetStatementFailureHook({});
    EXPECT_TRUE(Column(db, "select * from t", "x").empty());
}

}  // namespace
