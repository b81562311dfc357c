#include "drawpara/LayerTable.h"
#include "drawpara/ParaRows.h"

#include "dao/Dao.h"
#include "drawpara/LibraryStep.h"

namespace dao = ckw::dao;

namespace ckw::drawpara {

namespace {
const char* const kLayerQuery = "select * from 系统构件图层表";

void WriteFields(dao::Recordset& rs, const CkwLayerDef_& record) {
    rs.SetFieldValue("构件类型", dao::Variant::Text(record.GetComponentKind()));
    rs.SetFieldValue("层名", dao::Variant::Text(record.GetLayerName()));
    rs.SetFieldValue("层号", dao::Variant::Text(record.GetLayerNumber()));
    rs.SetFieldValue("颜色", dao::Variant::Text(record.GetColor()));
    rs.SetFieldValue("线型", dao::Variant::Text(record.GetLineType()));
    rs.SetFieldValue("线宽", dao::Variant::Single(record.GetLineWidth()));
}
}  // namespace

bool ReadLayerTable(const CString& libraryPathGbk, std::vector<CkwLayerDef_>& rows) {
    std::vector<CkwLayerDef_> read;
    bool done = RunLibraryStep(libraryPathGbk, StepMode::Read, [&](dao::Database& db) {
        dao::Recordset rs(db);
        rs.Open(kLayerQuery);
        dao::ForEachRow(rs, [&](const dao::Recordset& row) { read.push_back(LayerFromRow(row)); });
    });
    if (done) rows = std::move(read);
    return done;
}

void RewriteLayerTable(dao::Database& db, const std::vector<CkwLayerDef_>& records) {
    dao::Recordset rs(db);
    rs.Open(kLayerQuery);
    size_t i = 0;
    dao::ForEachRow(rs, [&](dao::Recordset& row) {
        if (i < records.size()) {
            row.Edit();
            WriteFields(row, records[i]);
            row.Update();
        } else {
            row.Delete();
        }
        ++i;
    });
    for (; i < records.size(); ++i) {
        rs.AddNew();
        WriteFields(rs, records[i]);
        rs.Update();
    }
    rs.Close();
}

bool RebuildLayerTableFromSystem(const CString& systemPathGbk, const CString& userPathGbk, int layerNameFormat) {
    std::vector<CkwLayerDef_> rows;
    if (!ReadLayerTable(systemPathGbk, rows)) return false;
    if (layerNameFormat == kLayerNamesChinese)
        for (CkwLayerDef_& row : rows) row.SetLayerName(row.GetComponentKind());
    return RunLibraryStep(userPathGbk, StepMode::Write, [&](dao::Database& db) { RewriteLayerTable(db, rows); });
}

}  // namespace ckw::drawpara
