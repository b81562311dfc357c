#pragma once
// The conversion report: per source kind read / written / skipped (with reasons), as text or JSON.
#include <iosfwd>
#include <string>

#include "Model.h"

namespace tdwg {

// Why a kind that no reader maps stays out, as the report says it; `fallback` for a kind without
// a reason of its own.
std::string LeftOutReason(const std::string& kind, const std::string& fallback);

void PrintReport(const Drawing& d, const std::string& source, const std::string& output, std::ostream& out);
void PrintReportJson(const Drawing& d, const std::string& source, const std::string& output, bool ok,
                     const std::string& error, std::ostream& out);

}  // namespace tdwg
