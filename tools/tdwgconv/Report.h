#pragma once
// The conversion report: per source kind read / written / skipped (with reasons), as text or JSON.
#include <iosfwd>
#include <string>

#include "Model.h"

namespace tdwg {

void PrintReport(const Drawing& d, const std::string& source, const std::string& output, std::ostream& out);
void PrintReportJson(const Drawing& d, const std::string& source, const std::string& output, bool ok,
                     const std::string& error, std::ostream& out);

}  // namespace tdwg
