#pragma once
// Numbers a person types (command-line options, floor lists, points "X,Y"): the whole text is one
// finite number, '.' is the decimal point whatever the locale, and it is no larger than a drawing
// holds. "nan", "inf", "1e308", "0x10" and "3,5" are refused with a message that says why.
#include <string>
#include <string_view>
#include <vector>

namespace kwutil {

// Drawings keep coordinates as floats; a coordinate plus a sheet's size at a large scale must stay
// finite, so a typed number stays within a billion either way.
inline constexpr double kLargestTypedNumber = 1e9;

// Empty when text is such a number (value then holds it); else why not, for a message.
std::string ReadNumber(std::string_view text, double& value);

// Numbers separated by commas ("200,8,200"); empty when each part is a number, else why not.
std::string ReadNumbers(std::string_view text, std::vector<double>& values);

}  // namespace kwutil
