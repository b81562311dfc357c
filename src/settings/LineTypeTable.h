#pragma once
// The line-type table 系统线型表 as the settings dialogs read and write it.
#include <vector>

#include <ckw/CString.h>
#include <ckw/ParaRecords.h>

namespace ckw::settings {

// The solid line first, then every row except those named "实线" (and "SOLID" in any case when
// alsoEnglishSolid). false (with the step's message): list unchanged.
bool LoadLineTypes(const CString& libraryPathGbk, bool alsoEnglishSolid, std::vector<CkwLineTypeDef_>& list);

// Replaces every row of the table by the records, in one transaction. A record without a name
// is stored as "线型%d " with its position; a record without dash data is not stored. false
// (with the step's message): the table is as it was.
bool SaveLineTypes(const CString& libraryPathGbk, std::vector<CkwLineTypeDef_>& list);

}  // namespace ckw::settings
