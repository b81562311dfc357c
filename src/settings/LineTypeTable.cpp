#include "settings/LineTypeTable.h"

#include <string>

#include "drawpara/ParaRows.h"
#include "dao/Dao.h"
#include "drawpara/LibraryStep.h"
#include "settings/LineTypePattern.h"
#include "settings/WriteBack.h"

namespace dao = ckw::dao;
using ckw::drawpara::RunLibraryStep;
using ckw::drawpara::StepMode;

namespace ckw::settings {

namespace {
const char* const kQuery = "select * from 系统线型表";
}

bool LoadLineTypes(const CString& libraryPathGbk, bool alsoEnglishSolid, std::vector<CkwLineTypeDef_>& list) {
    std::vector<CkwLineTypeDef_> read{SolidLineType()};
    bool done = RunLibraryStep(libraryPathGbk, StepMode::Read, [&](dao::Database& db) {
        dao::Recordset rs(db);
        rs.Open(kQuery);
        ForEachRow(rs, [&](const dao::Recordset& row) {
            CkwLineTypeDef_ record = ckw::drawpara::LineTypeFromRow(row);
            if (IsSolidLineName(record.GetLineTypeName(), alsoEnglishSolid)) return;
            read.push_back(std::move(record));
        });
    });
    if (done) list = std::move(read);
    return done;
}

bool SaveLineTypes(const CString& libraryPathGbk, std::vector<CkwLineTypeDef_>& list) {
    return RunLibraryStep(libraryPathGbk, StepMode::Write, [&](dao::Database& db) {
        db.Execute("DELETE FROM 系统线型表");
        dao::Recordset rs(db);
        rs.Open(kQuery);
        for (size_t i = 0; i < list.size(); ++i) {
            CkwLineTypeDef_& record = list[i];
            if (*record.GetLineTypeName() == '\0') {
                std::string name = "线型" + std::to_string(i + 1) + " ";
                record.SetLineTypeName(name.c_str());
                RebuildLineTypeDescription(record, static_cast<int>(i));
            }
            if (*record.GetLineTypeData() == '\0') continue;
            rs.AddNew();
            rs.SetFieldValue("线型名称", dao::Variant::Text(record.GetLineTypeName()));
            rs.SetFieldValue("线型描述", dao::Variant::Text(record.GetLineTypeData()));
            rs.SetFieldValue("线型说明", dao::Variant::Text(record.GetLineTypeDes()));
            rs.Update();
        }
        rs.Close();
    });
}

}  // namespace ckw::settings
