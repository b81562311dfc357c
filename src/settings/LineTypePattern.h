#pragma once
// Dash data of a line type as the line-type settings edit it: at most 9 numbers separated by
// commas (positive dash, negative gap, 0 dot), written in a normal form, and the picture of
// the pattern that its description shows.
#include <string>
#include <string_view>
#include <vector>

#include <ckw/ParaRecords.h>
#include "drawpara/SolidLine.h"

namespace ckw::settings {

inline constexpr int kMaxDashes = 9;

// The numbers of dash data: one trailing comma dropped, each piece read as a C number
// (leading blanks allowed, garbage gives 0), at most 9.
std::vector<double> ParseDashData(std::string_view data);

// Each value printed with "%.3f", trailing zeros and then a trailing point removed, joined
// with ",": 12.500 -> 12.5, 2.000 -> 2.
std::string NormaliseDashData(const std::vector<double>& values);

// "." for a dot, k underscores for a dash and k blanks for a gap (k = |v| / 2 rounded up, at
// most 6), and the whole repeated once.
std::string DashPicture(const std::vector<double>& values);

// Normalises the record's data and rebuilds its description "<name> <picture>" (index is the
// record's position in the list, used for the name of an unnamed record). The solid line
// "实线" gets its fixed data and description.
void RebuildLineTypeDescription(CkwLineTypeDef_& record, int index);

// The built-in solid line "实线", "0,0", "实线 ________", as the parameter library has it.
using ckw::drawpara::IsSolidLineName;
using ckw::drawpara::SolidLineType;

}  // namespace ckw::settings
