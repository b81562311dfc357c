#include "TypedNumbers.h"

#include <cmath>

#include "base/GbkText.h"

namespace kwutil {

std::string ReadNumber(std::string_view text, double& value) {
    size_t used = 0;
    const double number = ckw::text::ParseNumber(text, &used);
    const std::string quoted = "'" + std::string(text) + "'";
    if (text.empty() || used != text.size() || std::isnan(number)) return quoted + " is not a number";
    if (!(std::abs(number) <= kLargestTypedNumber))
        return quoted + " is too large (at most " + ckw::text::FormatFixed(kLargestTypedNumber, 0) + " either way)";
    value = number;
    return {};
}

std::string ReadNumbers(std::string_view text, std::vector<double>& values) {
    values.clear();
    for (size_t start = 0;;) {
        const size_t end = text.find(',', start);
        double value = 0;
        std::string why = ReadNumber(text.substr(start, end == std::string_view::npos ? end : end - start), value);
        if (!why.empty()) return why;
        values.push_back(value);
        if (end == std::string_view::npos) return {};
        start = end + 1;
    }
}

}  // namespace kwutil
