#pragma once
// Numbers a person types (command-line options, floor lists, points "X,Y"): the whole text is one
// finite number, '.' is the decimal point whatever the locale, and it is no larger than a drawing
// holds. "nan", "inf", "1e308", "0x10" and "3,5" are refused with a reason that says why.
#include <string_view>
#include <vector>

#include "base/Status.h"

namespace kwutil {

// Drawings keep coordinates as floats; a coordinate plus a sheet's size at a large scale must stay
// finite, so a typed number stays within a billion either way.
inline constexpr double kLargestTypedNumber = 1e9;

// The number text holds, or why it is not such a number (for a message).
ckw::Result<double> ReadNumber(std::string_view text);

// Numbers separated by commas ("200,8,200"), or why a part is not a number.
ckw::Result<std::vector<double>> ReadNumbers(std::string_view text);

}  // namespace kwutil
