#include "CellValues.h"

#include <charconv>
#include <cmath>

namespace ckw::xdata {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

template <typename T>
std::optional<T> ParseWhole(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    T value{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<int> ParseIntText(std::string_view text) { return ParseWhole<int>(text); }

std::optional<float> ParseRealText(std::string_view text) {
    std::optional<float> value = ParseWhole<float>(text);
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::string RealText(float value) {
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace ckw::xdata
