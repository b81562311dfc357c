#pragma once
// Reading the rows of a table into a dialog's records and writing the records back. A table may
// hold a key twice: the last record with a key is the one that counts. Each row is matched by its
// key field to the last record of the dialog with that key; a row that no record matches is
// reported and left as it is. Only fields whose value differs from the row as the dialog read it
// are written (the rows are read in the same order), so a save by another program in the
// meantime, of other rows or fields, is kept.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dao/Dao.h"
#include "platform/Ui.h"

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

using FieldValues = std::vector<std::pair<const char*, ckw::dao::Variant>>;

// Writes into the current row the fields whose value differs from the one read (all of them
// when nothing was read for the row).
inline void WriteChangedFields(ckw::dao::Recordset& rs, const FieldValues& now, const FieldValues* asRead) {
    bool editing = false;
    for (size_t i = 0; i < now.size(); ++i) {
        if (asRead && i < asRead->size() && (*asRead)[i].second == now[i].second) continue;
        if (!editing) rs.Edit();
        editing = true;
        rs.SetFieldValue(now[i].first, now[i].second);
    }
    if (editing) rs.Update();
}

// The record read from the row at index row, when it is still that row; else the last with key.
template <typename Record, typename KeyOf>
const Record* AsReadAt(const std::vector<Record>& asRead, size_t row, const std::string& key, KeyOf keyOf) {
    if (row < asRead.size() && keyOf(asRead[row]) == key) return &asRead[row];
    return LastWithKey(asRead, key, keyOf);
}

// fieldsOf(record) gives the fields a record writes, in the same order for every record.
template <typename Record, typename KeyOf, typename FieldsOf>
void WriteBackByKey(ckw::dao::Recordset& rs, const char* keyField, const std::vector<Record>& asRead,
                    const std::vector<Record>& records, KeyOf keyOf, FieldsOf fieldsOf) {
    if (rs.GetRecordCount() > 0) rs.MoveFirst();
    for (size_t row = 0; !rs.IsEOF(); rs.MoveNext(), ++row) {
        const std::string key = rs.GetFieldValue(keyField).AsText();
        const Record* found = LastWithKey(records, key, keyOf);
        if (!found) {
            ckw::ui::MessageBox("数据库数据有误!!");
            continue;
        }
        const Record* before = AsReadAt(asRead, row, key, keyOf);
        const FieldValues beforeFields = before ? fieldsOf(*before) : FieldValues();
        WriteChangedFields(rs, fieldsOf(*found), before ? &beforeFields : nullptr);
    }
    rs.Close();
}

}  // namespace ckw::settings
