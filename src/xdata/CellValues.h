#pragma once
// Values typed by the user into the extended-data windows: read strictly (the whole text must
// be the number, blanks around it aside) and shown so that they read back unchanged.
#include <optional>
#include <string>
#include <string_view>

namespace ckw::xdata {

std::optional<int> ParseIntText(std::string_view text);
// A finite single-precision real.
std::optional<float> ParseRealText(std::string_view text);
// The shortest text that reads back as exactly this value.
std::string RealText(float value);

}  // namespace ckw::xdata
