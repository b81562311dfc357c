#pragma once
// Checks for options that take a number (see TypedNumbers.h): text that is not one finite number
// of a drawing's size, or lies outside the option's bounds, is refused with a message naming them.
#include <CLI/CLI.hpp>

#include "TypedNumbers.h"

namespace kwutil {

CLI::Validator Number(double low = -kLargestTypedNumber, double high = kLargestTypedNumber);
// Above 0 (a scale, a factor).
CLI::Validator PositiveNumber();
// Any number but 0 (a scale that may turn the drawing over).
CLI::Validator NonZeroNumber();

}  // namespace kwutil
