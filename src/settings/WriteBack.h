#pragma once
// Writing a dialog's values back into the rows of a table: each row is matched by its key field
// to the last record of the dialog with that key and takes the record's values; a row that no
// record matches is reported and left as it is.
#include <string>
#include <vector>

#include "framework/Dao.h"
#include "framework/Ui.h"

namespace ckw::settings {

template <typename Record, typename KeyOf, typename Store>
void WriteBackByKey(ckw::dao::Recordset& rs, const char* keyField, const std::vector<Record>& records, KeyOf keyOf,
                    Store store) {
    if (rs.GetRecordCount() > 0) rs.MoveFirst();
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const std::string key = rs.GetFieldValue(keyField).AsText();
        const Record* found = nullptr;
        for (const Record& record : records)
            if (key == keyOf(record)) found = &record;
        if (!found) {
            ckw::ui::MessageBox("数据库数据有误!!");
            continue;
        }
        rs.Edit();
        store(rs, *found);
        rs.Update();
    }
    rs.Close();
}

}  // namespace ckw::settings
