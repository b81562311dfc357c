#pragma once
// The component-layer table 系统构件图层表 as the layer settings read and rewrite it, and its
// rebuild from the system library that a first start and "初始化系统设置..." run.
#include <vector>

#include <ckw/CString.h>
#include <ckw/ParaRecords.h>

namespace ckw::dao {
class Database;
}

namespace ckw::drawpara {

// Layer-name formats of the rebuild: the name is the component type, or the system table's 层名.
inline constexpr int kLayerNamesChinese = 0;  // "中文"
inline constexpr int kLayerNamesEnglish = 1;  // "英文"

// Every row of the table, in table order. false (with the step's message): nothing read.
[[nodiscard]] bool ReadLayerTable(const CString& libraryPathGbk, std::vector<CkwLayerDef_>& rows);

// Rewrites the table of an open library from records: row i takes all six fields of record i,
// rows beyond the records are deleted, records left over are added. Throws DaoException.
void RewriteLayerTable(ckw::dao::Database& db, const std::vector<CkwLayerDef_>& records);

// Reads the system library's table and rewrites the user library's with it (one transaction),
// layer names in the given format. false: nothing changed.
[[nodiscard]] bool RebuildLayerTableFromSystem(const CString& systemPathGbk, const CString& userPathGbk,
                                               int layerNameFormat);

}  // namespace ckw::drawpara
