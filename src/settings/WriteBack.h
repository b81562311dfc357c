#pragma once
// Reading the rows of a table into a dialog's records and writing the records back. A table may
// hold a key twice: the last record with a key is the one that counts.
#include <string>
#include <string_view>
#include <vector>

#include "framework/Dao.h"
#include "framework/Ui.h"

namespace ckw::settings {

// Calls visit(rs) with the recordset on each of its rows in turn, from the first.
template <typename Visit>
void ForEachRow(ckw::dao::Recordset& rs, Visit visit) {
    if (rs.GetRecordCount() > 0) rs.MoveFirst();
    for (; !rs.IsEOF(); rs.MoveNext()) visit(rs);
}

// The rows of the query, each made into a record by load(rs).
template <typename Record, typename Load>
std::vector<Record> ReadRecords(ckw::dao::Database& db, const char* query, Load load) {
    std::vector<Record> rows;
    ckw::dao::Recordset rs(db);
    rs.Open(query);
    ForEachRow(rs, [&](ckw::dao::Recordset& row) { rows.push_back(load(row)); });
    return rows;
}

// The last of the records whose key (keyOf(record)) is key; null when there is none.
template <typename Records, typename KeyOf>
auto LastWithKey(Records& records, std::string_view key, KeyOf keyOf) -> decltype(&*records.begin()) {
    decltype(&*records.begin()) found = nullptr;
    for (auto& record : records)
        if (key == keyOf(record)) found = &record;
    return found;
}

// Each row is matched by its key field to the last record with that key and takes the record's
// values; a row that no record matches is reported and left as it is.
template <typename Record, typename KeyOf, typename Store>
void WriteBackByKey(ckw::dao::Recordset& rs, const char* keyField, const std::vector<Record>& records, KeyOf keyOf,
                    Store store) {
    ForEachRow(rs, [&](ckw::dao::Recordset& row) {
        const Record* found = LastWithKey(records, row.GetFieldValue(keyField).AsText(), keyOf);
        if (!found) {
            ckw::ui::MessageBox("数据库数据有误!!");
            return;
        }
        row.Edit();
        store(row, *found);
        row.Update();
    });
    rs.Close();
}

}  // namespace ckw::settings
