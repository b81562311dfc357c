#include "settings/UserParaKinds.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "base/GbkText.h"

namespace ckw::settings {

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsInteger(const std::string& text) {
    if (text.empty()) return false;
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return errno == 0 && value >= -2147483647LL - 1 && value <= 2147483647LL;
}

bool IsNumber(const std::string& text) {
    size_t used = 0;
    const double value = ckw::text::ParseNumber(text, &used);
    return !text.empty() && used == text.size() && std::isfinite(value);
}

}  // namespace

std::string CheckUserParaValue(std::string_view itemGbk, std::string_view kindGbk, std::string_view valueGbk) {
    const std::string kind = ckw::text::Trim(kindGbk), value = ckw::text::Trim(valueGbk);
    const std::string item = ckw::text::Trim(itemGbk);
    if (kind == "整数" && !IsInteger(value)) return item + "的数值“" + std::string(valueGbk) + "”不是整数!!";
    if (kind == "实数" && !IsNumber(value)) return item + "的数值“" + std::string(valueGbk) + "”不是数!!";
    return {};
}

std::vector<std::string> UserParaChoices(std::string_view itemGbk) {
    const std::string item = ckw::text::Trim(itemGbk);
    if (EndsWith(item, "钢筋等级") || EndsWith(item, "箍筋等级") || EndsWith(item, "钢筋牌号"))
        return {"HPB300", "HRB335", "HRB400", "HRBF400", "RRB400", "HRB500", "HRBF500"};
    if (EndsWith(item, "混凝土强度等级") || EndsWith(item, "混凝土等级")) {
        std::vector<std::string> grades;
        for (int c = 15; c <= 80; c += 5) grades.push_back("C" + std::to_string(c));
        return grades;
    }
    if (EndsWith(item, "抗震等级")) return {"1", "2", "3", "4"};
    return {};
}

}  // namespace ckw::settings
