// Finds the application names in an extended-data word stream: blocks open with 10000 and "{",
// then 10010, the number of name words and the name's bytes, four to a word.
#include <cstring>

#include "ReferenceEngine.h"

namespace ckw::engine {

std::vector<std::string> XDataApplications(const std::vector<int32_t>& stream) {
    std::vector<std::string> names;
    const size_t n = stream.size();
    for (size_t p = 0; p + 3 < n; ++p) {
        if (stream[p] != 10000 || (stream[p + 1] & 0xFF) != '{' || stream[p + 2] != 10010) continue;
        int32_t words = stream[p + 3];
        if (words < 0 || static_cast<size_t>(words) > n - p - 4) continue;
        std::string name(static_cast<size_t>(words) * 4, '\0');
        if (words > 0) std::memcpy(name.data(), &stream[p + 4], name.size());
        name.resize(std::strlen(name.c_str()));
        names.push_back(name);
        p += 3 + static_cast<size_t>(words);
    }
    return names;
}

}  // namespace ckw::engine
