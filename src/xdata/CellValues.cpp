#include "CellValues.h"

#include <cmath>

#include "base/GbkText.h"

namespace ckw::xdata {

std::optional<int> ParseIntText(std::string_view text) { return text::ParseWholeNumber<int>(text); }

std::optional<float> ParseRealText(std::string_view text) {
    std::optional<float> value = text::ParseWholeNumber<float>(text);
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::string RealText(float value) {
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace ckw::xdata
