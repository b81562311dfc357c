// Line types: the pattern strings of the line-type table, and their definition in the host engine.
// Entry k of the line-type list is line-type number k, in the library and in the host alike;
// entry 1 is the built-in solid line.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include <ckw/DrawingPara.h>
#include <ckw/HostEngine.h>
#include "base/GbkText.h"
#include "drawpara/ParaIndex.h"
#include "drawpara/ParaMessages.h"
#include "drawpara/SolidLine.h"

namespace {

constexpr int kMaxDashes = 9;
constexpr int kHostLineTypes = 99;
constexpr float kSamePattern = 0.0001f;

}  // namespace

void CDrawingPara::SplitLineTypeData(const char* data, int& count, float* values) {
    count = 0;
    std::string text = data ? data : "";
    if (text.empty()) return;
    while (!text.empty() && text.back() == ',') text.pop_back();
    size_t start = 0;
    while (true) {
        size_t comma = text.find(',', start);
        bool last = comma == std::string::npos || comma == start;
        std::string piece = last ? text.substr(start) : text.substr(start, comma - start);
        values[count++] = static_cast<float>(ckw::text::ParseNumber(piece));
        if (count >= kMaxDashes || last) return;
        start = comma + 1;
    }
}

int CDrawingPara::GetLineTypeInfo(int& number, int& count, float* values) {
    EnsureLoaded();
    if (number < 0) return 0;
    if (number == 0 || number == 1) {
        count = 0;
        return 1;
    }
    if (number > GetLineTypeCount()) return 0;
    SplitLineTypeData(m_lineTypes[static_cast<size_t>(number - 1)]->GetLineTypeData(), count, values);
    return 1;
}

int CDrawingPara::GetLineTypeInfo(const char* name, int& number, int& count, float* values) {
    EnsureLoaded();
    // By name only upper-casing applies: trailing blanks are part of the name here.
    std::string upper = ckw::text::ToUpper(name ? name : "");
    if (ckw::drawpara::IsSolidLineTypeName(upper)) {
        number = 1;
        count = 0;
        return 1;
    }
    int i = m_index->lineTypeUpper.Find(upper);
    if (i < 0) return 0;
    SplitLineTypeData(m_lineTypes[static_cast<size_t>(i)]->GetLineTypeData(), count, values);
    number = i + 1;
    return 1;
}

int CDrawingPara::CreatAllLineType() {
    EnsureLoaded();
    if (!m_pCfg) return 1;
    int next = 2;
    for (const auto& lineType : m_lineTypes) {
        if (ckw::drawpara::IsSolidLineTypeName(ckw::text::ToUpper(lineType->GetLineTypeName()))) continue;
        int count = 0;
        float values[kMaxDashes];
        SplitLineTypeData(lineType->GetLineTypeData(), count, values);
        for (int i = 0; i < count; ++i) values[i] *= static_cast<float>(m_drawingScale);
        if (count > 8) count = 8;
        m_pCfg->HostDefineLineType(next, count, values);
        if (++next >= kHostLineTypes) break;
    }
    return 1;
}

namespace {

// Defines a scaled pattern in the host unless it is there already; the host number, or 0.
int DefineInHost(int count, float* values, int scale) {
    if (count <= 0 || !m_pCfg) return 0;
    for (int i = 0; i < count; ++i) values[i] *= static_cast<float>(scale);
    int counts[kHostLineTypes] = {};
    float dashes[kMaxDashes * kHostLineTypes] = {};
    m_pCfg->HostGetLineTypes(counts, dashes);
    int type = 2;
    for (; type <= kHostLineTypes && counts[type - 1] > 0; ++type) {
        if (counts[type - 1] != count) continue;
        const float* held = dashes + kMaxDashes * (type - 1);
        bool same = true;
        for (int i = 0; i < count && same; ++i) same = std::fabs(held[i] - values[i]) <= kSamePattern;
        if (same) return type;
    }
    if (type > kHostLineTypes) return 0;
    m_pCfg->HostDefineLineType(type, count, values);
    return type;
}

}  // namespace

int CDrawingPara::CreateOneLineType(const char* name, int scale) {
    int number = 0, count = 0;
    float values[kMaxDashes];
    if (!GetLineTypeInfo(name, number, count, values)) return 0;
    return DefineInHost(count, values, scale);
}

int CDrawingPara::CreateOneLineType(int number, int scale) {
    int count = 0;
    float values[kMaxDashes];
    if (!GetLineTypeInfo(number, count, values)) return 0;
    return DefineInHost(count, values, scale);
}
