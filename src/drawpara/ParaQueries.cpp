// Queries by name on the loaded lists: the layer of a component kind, text and dimension sizes,
// user parameters, and the colour and line-type numbers that layer texts name.
#include <cstdlib>
#include <cstring>

#include <ckw/DrawingPara.h>
#include <ckw/HostEngine.h>
#include "base/GbkText.h"
#include "drawpara/ParaIndex.h"
#include "drawpara/ParaMessages.h"
#include "drawpara/SolidLine.h"

using ckw::text::NameKey;

namespace {

constexpr size_t kUnbounded = static_cast<size_t>(-1);
constexpr size_t kLayerNameBuffer = 100;

// Copies the whole text, or as much as fits a caller buffer of known capacity.
void CopyOut(const char* text, char* buffer, size_t capacity) {
    if (!buffer) return;
    if (capacity == kUnbounded) {
        std::strcpy(buffer, text);
    } else {
        ckw::text::CopyToBuffer(text, buffer, capacity);
    }
}

}  // namespace

int CDrawingPara::GetLayerInfo(const char* kind, char* layerName, int& layerNum, int& color, int& lineType,
                               float& width) {
    return GetLayerInfo(kind, layerName, kUnbounded, layerNum, color, lineType, width);
}

int CDrawingPara::GetLayerInfo(const char* kind, char* layerName, size_t capacity, int& layerNum, int& color,
                               int& lineType, float& width) {
    EnsureLoaded();
    int i = m_index->layers.FindName(kind ? kind : "");
    if (i < 0) return 0;
    const CkwLayerDef_& layer = *m_layers[static_cast<size_t>(i)];
    const Index::LayerValues& values = m_index->layerValues[static_cast<size_t>(i)];
    CopyOut(layer.GetLayerName(), layerName, capacity);
    layerNum = values.number;
    color = values.color;
    lineType = values.lineType;
    width = layer.GetLineWidth();
    return 1;
}

int CDrawingPara::GetLayerNum(const char* kind) {
    char name[kLayerNameBuffer];
    int number = 0, color = 0, lineType = 0;
    float width = 0;
    if (GetLayerInfo(kind, name, sizeof name, number, color, lineType, width)) return number;
    ckw::ui::ShowOnPromptLine("Not Find Layer Information!");
    return 0;
}

int CDrawingPara::GetTextInfo(const char* kind, float& height, float& width) {
    EnsureLoaded();
    int i = m_index->texts.FindName(kind ? kind : "");
    if (i < 0) return 0;
    height = m_texts[static_cast<size_t>(i)]->GetTextHeight();
    width = m_texts[static_cast<size_t>(i)]->GetTextWidth();
    return 1;
}

int CDrawingPara::GetDimInfo(const char* item, float& value) {
    EnsureLoaded();
    int i = m_index->dims.FindName(item ? item : "");
    if (i < 0) return 0;
    value = m_dims[static_cast<size_t>(i)]->GetTextValue();
    return 1;
}

int CDrawingPara::GetUserParaInfo(const char* table, const char* item, char* value, char* valueKind) {
    return GetUserParaInfo(table, item, value, kUnbounded, valueKind, kUnbounded);
}

int CDrawingPara::GetUserParaInfo(const char* table, const char* item, char* value, size_t valueCapacity,
                                  char* valueKind, size_t kindCapacity) {
    // User parameters are read anew on every call: the table may be another one each time.
    ReadUserParaDef_FromDbLib(table);
    std::string key = NameKey(item ? item : "");
    for (const auto& para : m_userParas) {
        if (NameKey(para->GetParaType()) != key) continue;
        CopyOut(para->GetParaValue(), value, valueCapacity);
        CopyOut(para->GetParaValKind(), valueKind, kindCapacity);
        return 1;
    }
    return 0;
}

int CDrawingPara::GetCfgColorFromString(const char* text) {
    int i = m_index->colors.FindName(text ? text : "");
    if (i >= 0) return m_colors[static_cast<size_t>(i)]->GetColorValue();
    return std::atoi(NameKey(text ? text : "").c_str());
}

int CDrawingPara::GetLineValueFromString(const char* text) {
    std::string upper = ckw::text::ToUpper(text ? text : "");
    if (ckw::drawpara::IsSolidLineTypeName(upper)) return 1;
    int i = m_index->lineTypeNames.Find(ckw::text::TrimRight(upper));
    return i < 0 ? 0 : i + 1;
}
