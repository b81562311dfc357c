#include "TypedNumbers.h"

#include <cmath>
#include <string>

#include "base/GbkText.h"

namespace kwutil {

ckw::Result<double> ReadNumber(std::string_view text) {
    const std::string quoted = "'" + std::string(text) + "'";
    const std::optional<double> number = ckw::text::ParseWholeNumber(text);
    size_t used = 0;
    // A number too large for a double is still a number, only too large.
    const bool outOfRange = !number && !text.empty() && (ckw::text::ParseNumber(text, &used), used == text.size());
    if (!outOfRange && (!number || std::isnan(*number))) return ckw::Status(quoted + " is not a number");
    if (outOfRange || !(std::abs(*number) <= kLargestTypedNumber))
        return ckw::Status(quoted + " is too large (at most " + ckw::text::FormatFixed(kLargestTypedNumber, 0) +
                           " either way)");
    return *number;
}

ckw::Result<std::vector<double>> ReadNumbers(std::string_view text) {
    std::vector<double> values;
    for (size_t start = 0;;) {
        const size_t end = text.find(',', start);
        ckw::Result<double> value = ReadNumber(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (!value) return value.status();
        values.push_back(*value);
        if (end == std::string_view::npos) return values;
        start = end + 1;
    }
}

}  // namespace kwutil
