#pragma once
// Reading the rows of a table into a dialog's records and writing the records back. A table may
// hold a key twice: the last record with a key is the one that counts (the first for the layer
// table). Each row is matched by its key field to that record of the dialog; a row that no record matches is
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

using ckw::dao::ForEachRow;

// The rows of the query, each made into a record by load(rs).
template <typename Record, typename Load>
std::vector<Record> ReadRecords(ckw::dao::Database& db, const char* query, Load load) {
    std::vector<Record> rows;
    ckw::dao::Recordset rs(db);
    rs.Open(query);
    ForEachRow(rs, [&](ckw::dao::Recordset& row) { rows.push_back(load(row)); });
    return rows;
}

// Which of several records with one key a row is matched to: the last (most tables) or the
// first (the layer table, whose list the parameter library reads first match first).
enum class KeyMatch { Last, First };

// The last (or first) of the records whose key (keyOf(record)) is key; null when there is none.
template <typename Records, typename KeyOf>
auto WithKey(Records& records, std::string_view key, KeyOf keyOf, KeyMatch match = KeyMatch::Last)
    -> decltype(&*records.begin()) {
    decltype(&*records.begin()) found = nullptr;
    for (auto& record : records) {
        if (key != keyOf(record)) continue;
        found = &record;
        if (match == KeyMatch::First) break;
    }
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

// The record read from the row at index row, when it is still that row; else the one with key.
template <typename Record, typename KeyOf>
const Record* AsReadAt(const std::vector<Record>& asRead, size_t row, const std::string& key, KeyOf keyOf,
                       KeyMatch match) {
    if (row < asRead.size() && keyOf(asRead[row]) == key) return &asRead[row];
    return WithKey(asRead, key, keyOf, match);
}

// fieldsOf(record) gives the fields a record writes, in the same order for every record.
template <typename Record, typename KeyOf, typename FieldsOf>
void WriteBackByKey(ckw::dao::Recordset& rs, const char* keyField, const std::vector<Record>& asRead,
                    const std::vector<Record>& records, KeyOf keyOf, FieldsOf fieldsOf,
                    KeyMatch match = KeyMatch::Last) {
    size_t row = 0;
    ForEachRow(rs, [&](ckw::dao::Recordset& current) {
        const std::string key = current.GetFieldValue(keyField).AsText();
        const Record* found = WithKey(records, key, keyOf, match);
        const Record* before = AsReadAt(asRead, row++, key, keyOf, match);
        if (!found) {
            ckw::ui::ShowError("数据库数据有误!!");
            return;
        }
        const FieldValues beforeFields = before ? fieldsOf(*before) : FieldValues();
        WriteChangedFields(current, fieldsOf(*found), before ? &beforeFields : nullptr);
    });
    rs.Close();
}

}  // namespace ckw::settings
