#pragma once
// The solid line: entry 1 of every line-type list, built in rather than read from the table.
#include <string_view>

#include <ckw/ParaRecords.h>

#include "base/GbkText.h"

namespace ckw::drawpara {

inline constexpr char kSolidLineName[] = "实线";
inline constexpr char kSolidLineEnglishName[] = "SOLID";

// Two tests, for two kinds of callers:
// - the queries look names up upper-cased already, and take either name;
inline bool IsSolidLineTypeName(std::string_view upper) {
    return upper == kSolidLineName || upper == kSolidLineEnglishName;
}
// - the settings dialogs see names as the table holds them; the Chinese name always means the
//   solid line, the English one (in any case) only where the caller says so.
inline bool IsSolidLineName(std::string_view nameGbk, bool alsoEnglish) {
    if (nameGbk == kSolidLineName) return true;
    return alsoEnglish && ckw::text::ToUpper(nameGbk) == kSolidLineEnglishName;
}

inline CkwLineTypeDef_ SolidLineType() {
    CkwLineTypeDef_ solid;
    solid.SetLineTypeName(kSolidLineName);
    solid.SetLineTypeData("0,0");
    solid.SetLineTypeDes("实线 ________");
    return solid;
}

}  // namespace ckw::drawpara
