// Reading a parameter table through the DAO layer against the plain SQLite C API, in the same
// run: what Init pays for dynasets, variants and GBK names. Target: within 3x of the plain read.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <fstream>
#include <sstream>

#include "dao/Dao.h"
#include "base/GbkText.h"
#include "dao/SqlScript.h"
#include "support/TestEnv.h"

namespace {

const char* kFields[] = {"构件类型", "层名", "层号", "颜色", "线型", "线宽"};

struct Library {
    Library() {
        std::ifstream in(CKW_SYSTEM_LIBRARY_SQL, std::ios::binary);
        std::ostringstream sql;
        sql << in.rdbuf();
        pathUtf8 = (dir.path() / "lib.mdb").string();
        ckw::dao::CreateDatabaseFromSql(sql.str(), pathUtf8);
    }
    ckw::test::TempDir dir;
    std::string pathUtf8;
};

Library& Lib() {
    static Library lib;
    return lib;
}

void BM_PlainSqlite(benchmark::State& state) {
    const std::string sql = ckw::text::U8(u8"select * from 系统构件图层表");
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(Lib().pathUtf8.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
        size_t bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int i = 1; i <= 5; ++i)
                bytes += ckw::text::Utf8ToGbk(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i))).size();
            benchmark::DoNotOptimize(static_cast<float>(sqlite3_column_double(stmt, 6)));
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_PlainSqlite);

void BM_DaoRecordset(benchmark::State& state) {
    const std::string path = ckw::text::Utf8ToGbk(Lib().pathUtf8);
    for (auto _ : state) {
        ckw::dao::Database db;
        db.Open(path);
        ckw::dao::Recordset rs(db);
        rs.Open("select * from 系统构件图层表");
        size_t bytes = 0;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            for (int i = 0; i < 5; ++i) bytes += rs.GetFieldValue(kFields[i]).AsText().size();
            benchmark::DoNotOptimize(rs.GetFieldValue(kFields[5]).AsSingle());
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_DaoRecordset);

}  // namespace

BENCHMARK_MAIN();
