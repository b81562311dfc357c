#include "NumberOptions.h"

#include "base/GbkText.h"

namespace kwutil {

namespace {

CLI::Validator Bounded(double low, double high, bool aboveLow, std::string bounds) {
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            const ckw::Result<double> number = ReadNumber(text);
            if (!number) return number.why();
            const double value = *number;
            const bool below = aboveLow ? value <= low : value < low;
            return below || value > high ? text + " is not " + bounds : std::string();
        },
        "");
}

std::string Decimal(double value) {
    std::string text = ckw::text::FormatFixed(value, 6);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

CLI::Validator Number(double low, double high) {
    return Bounded(low, high, false, "from " + Decimal(low) + " to " + Decimal(high));
}

CLI::Validator PositiveNumber() { return Bounded(0, kLargestTypedNumber, true, "above 0"); }

CLI::Validator NonZeroNumber() {
    const CLI::Validator any = Number();
    return CLI::Validator(
        [any](std::string& text) -> std::string {
            std::string why = any(text);
            if (!why.empty()) return why;
            const ckw::Result<double> number = ReadNumber(text);
            return number && *number == 0 ? text + " is not a number other than 0" : std::string();
        },
        "");
}

}  // namespace kwutil
