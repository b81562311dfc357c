// Thin wrappers over m_exDrawingPara for the Fortran drawing programs.
#include <ckw/FortranInterface.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include <ckw/DrawingPara.h>
#include <ckw/HostEngine.h>
#include "base/GbkText.h"
#include "drawpara/FortranText.h"
#include "drawpara/ParaMessages.h"

namespace {

// Written only by SETDRAWINGSCALE, read only by CREATALLLINETYPE: Init resets the instance's scale.
int g_rememberedScale = 100;

bool IsOneOf(const std::string& key, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (key == name) return true;
    return false;
}

}  // namespace

namespace ckw::drawpara {

void FortranLayerInfo(const char* kind, char* layerName, size_t capacity, int* layerNum, int* color, int* lineType,
                      float* width) {
    int num = 0, col = 0, type = 0;
    float w = 0;
    if (!m_exDrawingPara.GetLayerInfo(kind, layerName, capacity, num, col, type, w)) {
        ShowMessage("Not Find Layer Information!");
        return;
    }
    if (layerNum) *layerNum = num;
    if (color) *color = col;
    if (lineType) *lineType = type;
    if (width) *width = w;
}

int FortranUserParaInfo(const char* table, const char* item, char* value, size_t valueCapacity, char* valueKind,
                        size_t kindCapacity) {
    int found = m_exDrawingPara.GetUserParaInfo(table, item, value, valueCapacity, valueKind, kindCapacity);
    if (found != 1) ShowOnPromptLine("Not Find Text Information!");
    return found;
}

}  // namespace ckw::drawpara

void INITKWUTIL() { m_exDrawingPara.Init(); }

void CLOSEKWUTIL() { m_exDrawingPara.Close(); }

void GETLAYERINFO(const char* kind, char* layerName, int* layerNum, int* color, int* lineType, float* width) {
    ckw::drawpara::FortranLayerInfo(kind, layerName, static_cast<size_t>(-1), layerNum, color, lineType, width);
}

void GETLAYERNUM(const char* kind, int* layerNum) {
    int number = m_exDrawingPara.GetLayerNum(kind);
    // A layer stored with number -1 has no usable number: the caller is told in a box.
    if (number == -1) ckw::drawpara::ShowMessage("Not Find Layer Information!");
    if (layerNum) *layerNum = number;
}

void GETLINETYPEINFO(int* number, int* count, float* values) {
    if (!number || !count || !values || !m_exDrawingPara.GetLineTypeInfo(*number, *count, values))
        ckw::drawpara::ShowMessage("Not Find LineType Information!");
}

void GETLINETYPEINFO1(const char* name, int* number, int* count, float* values) {
    if (!number || !count || !values || !m_exDrawingPara.GetLineTypeInfo(name, *number, *count, values))
        ckw::drawpara::ShowMessage("Not Find LineType Information!");
}

void GETDIMTEXTINFO(const char* kind, const char* item, float* first, float* second) {
    if (!first || !second) return;
    std::string key = ckw::text::NameKey(kind ? kind : "");
    std::string itemKey = ckw::text::NameKey(item ? item : "");
    if (IsOneOf(key, {"字符宽高", "系统文字标注高宽表", "SYSTEMTEXTSIZE"})) {
        if (m_exDrawingPara.GetTextInfo(itemKey.c_str(), *second, *first) != 1) {
            ckw::ui::ShowOnPromptLine("Not Find Text Information!");
            *first = 2.0f;
            *second = 2.5f;
        }
    } else if (IsOneOf(key, {"尺寸标注", "系统尺寸标注表", "SYSTEMDIMENSIONSIZE"})) {
        if (m_exDrawingPara.GetDimInfo(itemKey.c_str(), *first) != 1) {
            ckw::ui::ShowOnPromptLine("Not Find Dim Information!");
            *first = 5.0f;
            *second = 3.0f;
        }
    }
}

int GETUSERPARAINFO(const char* table, const char* item, char* value, char* valueKind) {
    return ckw::drawpara::FortranUserParaInfo(table, item, value, static_cast<size_t>(-1), valueKind,
                                              static_cast<size_t>(-1));
}

int CREATEONELINETYPE(const char* name, int scale, int* hostNumber) {
    int number = m_exDrawingPara.CreateOneLineType(name, scale);
    if (hostNumber) *hostNumber = number;
    return number;
}

int CREATEONELINETYPE1(int number, int scale, int* hostNumber) {
    int host = m_exDrawingPara.CreateOneLineType(number, scale);
    if (hostNumber) *hostNumber = host;
    return host;
}

void SETDRAWINGSCALE(int scale) {
    m_exDrawingPara.SetDrawingScale(scale);
    g_rememberedScale = scale;
}

int CREATALLLINETYPE() {
    // Loading first: Init would put the scale back to 100.
    if (m_exDrawingPara.IsClosed()) m_exDrawingPara.Init();
    m_exDrawingPara.SetDrawingScale(g_rememberedScale);
    return m_exDrawingPara.CreatAllLineType();
}

void SetDrawingKind05(int kind) { m_exDrawingPara.SetDrawingKind05(kind); }

int GetDrawingKind05() { return m_exDrawingPara.GetDrawingKind05(); }

// SetDrawingKind05_08 shows the drawing-mode dialog: it lives with the settings dialogs.
