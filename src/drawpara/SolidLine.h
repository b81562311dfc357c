#pragma once
// The solid line: entry 1 of every line-type list, built in rather than read from the table.
#include <string_view>

#include "ParaRecords.h"

namespace ckw::drawpara {

// The names that mean the solid line, in an upper-cased line-type name.
inline bool IsSolidLineTypeName(std::string_view upper) { return upper == "实线" || upper == "SOLID"; }

inline CkwLineTypeDef_ SolidLineType() {
    CkwLineTypeDef_ solid;
    solid.SetLineTypeName("实线");
    solid.SetLineTypeData("0,0");
    solid.SetLineTypeDes("实线 ________");
    return solid;
}

}  // namespace ckw::drawpara
