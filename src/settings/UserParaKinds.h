#pragma once
// What a user parameter's value may be: its kind (类型) says "整数" (an integer) or "实数" (a
// number); anything else is free text. Grades the designer picks from a known list (steel,
// concrete, seismic) are offered as those lists.
#include <string>
#include <string_view>
#include <vector>

namespace ckw::settings {

// Empty when valueGbk suits kindGbk; else the message (GBK) that names the item and says why.
std::string CheckUserParaValue(std::string_view itemGbk, std::string_view kindGbk, std::string_view valueGbk);

// The values an item is picked from (GBK), empty when it is typed freely.
std::vector<std::string> UserParaChoices(std::string_view itemGbk);

}  // namespace ckw::settings
