#include "settings/LinFile.h"

#include <fstream>

#include "base/GbkText.h"
#include "settings/LineTypePattern.h"

namespace ckw::settings {

namespace {

bool IsSimplePattern(const std::string& pattern) {
    for (char c : pattern)
        if (!((c >= '0' && c <= '9') || c == ',' || c == ' ' || c == '-' || c == '.')) return false;
    return true;
}

// The name: the first blank-delimited word of the header, leading '*' removed, cut before ','.
std::string HeaderName(const std::string& header) {
    size_t start = header.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    size_t end = header.find_first_of(" \t", start);
    std::string word = header.substr(start, end == std::string::npos ? std::string::npos : end - start);
    size_t first = word.find_first_not_of('*');
    word = first == std::string::npos ? std::string() : word.substr(first);
    return word.substr(0, word.find(','));
}

// The pattern: leading 'A' and ',' characters removed.
std::string PatternData(const std::string& line) {
    size_t first = line.find_first_not_of("A,");
    return first == std::string::npos ? std::string() : line.substr(first);
}

}  // namespace

std::vector<CkwLineTypeDef_> ReadLinLineTypes(std::istream& in, int firstIndex) {
    std::vector<CkwLineTypeDef_> lineTypes;
    std::string line;
    std::string header;
    bool haveHeader = false;
    while (std::getline(in, line)) {
        line = ckw::text::TrimRight(line);
        if (!line.empty() && line[0] == '*') {
            // A header directly after a header starts a new pair instead of being lost.
            header = line;
            haveHeader = true;
            continue;
        }
        if (!haveHeader) continue;
        haveHeader = false;
        if (line.compare(0, 2, "A,") != 0) continue;
        std::string pattern = PatternData(line);
        if (!IsSimplePattern(pattern)) continue;
        CkwLineTypeDef_ record;
        record.SetLineTypeName(HeaderName(header).c_str());
        record.SetLineTypeData(pattern.c_str());
        RebuildLineTypeDescription(record, firstIndex + static_cast<int>(lineTypes.size()));
        lineTypes.push_back(std::move(record));
    }
    return lineTypes;
}

bool ReadLinFile(const std::string& pathGbk, int firstIndex, std::vector<CkwLineTypeDef_>& lineTypes) {
    std::ifstream in(ckw::text::GbkToUtf8(pathGbk), std::ios::binary);
    if (!in) return false;
    lineTypes = ReadLinLineTypes(in, firstIndex);
    return true;
}

}  // namespace ckw::settings
