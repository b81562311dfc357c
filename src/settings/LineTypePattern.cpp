#include "settings/LineTypePattern.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/GbkText.h"

namespace ckw::settings {

namespace {
constexpr double kDotTolerance = 0.0001;
constexpr int kMaxPictureRun = 6;
}  // namespace

std::vector<double> ParseDashData(std::string_view data) {
    std::vector<double> values;
    if (data.empty()) return values;
    if (data.back() == ',') data.remove_suffix(1);
    while (static_cast<int>(values.size()) < kMaxDashes) {
        size_t comma = data.find(',');
        std::string piece(data.substr(0, comma));
        values.push_back(ckw::text::ParseNumber(piece));
        if (comma == std::string_view::npos) break;
        data.remove_prefix(comma + 1);
    }
    return values;
}

std::string NormaliseDashData(const std::vector<double>& values) {
    std::string joined;
    for (size_t i = 0; i < values.size(); ++i) {
        std::string number = ckw::text::FormatFixed(values[i], 3);
        while (!number.empty() && number.back() == '0') number.pop_back();
        if (!number.empty() && number.back() == '.') number.pop_back();
        if (i) joined += ',';
        joined += number;
    }
    return joined;
}

std::string DashPicture(const std::vector<double>& values) {
    std::string picture;
    for (double v : values) {
        if (v > -kDotTolerance && v < kDotTolerance) {
            picture += '.';
            continue;
        }
        // Capped before it becomes an int: a file may give a dash no int holds (or not a number).
        const double length = std::ceil(std::fabs(v) / 2.0);
        const int run = length < kMaxPictureRun ? static_cast<int>(length) : kMaxPictureRun;
        picture.append(static_cast<size_t>(run), v > kDotTolerance ? '_' : ' ');
    }
    return picture + picture;
}

void RebuildLineTypeDescription(CkwLineTypeDef_& record, int index) {
    std::string name = record.GetLineTypeName();
    if (name == ckw::drawpara::kSolidLineName) {
        record = SolidLineType();
        return;
    }
    std::vector<double> values = ParseDashData(record.GetLineTypeData());
    record.SetLineTypeData(NormaliseDashData(values).c_str());
    std::string picture = DashPicture(values);
    std::string description;
    if (name.empty()) {
        description = "线型" + std::to_string(index + 1) + " " + picture;
    } else {
        description = name + " " + picture;
    }
    record.SetLineTypeDes(description.c_str());
}

}  // namespace ckw::settings
