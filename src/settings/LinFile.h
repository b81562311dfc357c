#pragma once
// Line types from an AutoCAD ".LIN" file: a header line "*NAME,description" followed by its
// pattern line "A,dash,gap,...". Simple patterns are taken; complex ones (with text or shape
// elements in brackets) and anything else are skipped.
#include <istream>
#include <string>
#include <vector>

#include <ckw/ParaRecords.h>

namespace ckw::settings {

// The line types of the text, in file order, each with normalised data and a rebuilt
// description; firstIndex is the list position the first one will take. Lines of any length
// are read whole.
std::vector<CkwLineTypeDef_> ReadLinLineTypes(std::istream& in, int firstIndex);

// The same from a file (path in GBK). false: the file cannot be read.
bool ReadLinFile(const std::string& pathGbk, int firstIndex, std::vector<CkwLineTypeDef_>& lineTypes);

}  // namespace ckw::settings
