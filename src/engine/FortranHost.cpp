#include "FortranHost.h"

#include <ckw/HostEngine.h>

namespace {

const int kPenMode = 1;

}  // namespace

void KWHSETPEN(const int* layer, const int* lineType, const int* widthCode, const int* colour) {
    if (m_pCfg && layer && lineType && widthCode && colour)
        m_pCfg->HostSetPen(*layer, *lineType, *widthCode, *colour, kPenMode);
}

void KWHLINE(const float* x1, const float* y1, const float* x2, const float* y2) {
    if (m_pCfg && x1 && y1 && x2 && y2) m_pCfg->HostDrawLine(*x1, *y1, *x2, *y2);
}

void KWHPOLYLINE(const int* count, const float* xs, const float* ys) {
    if (m_pCfg && count && *count > 0 && xs && ys) m_pCfg->HostDrawPolyline(*count, xs, ys);
}

void KWHTEXT(const char* text, const int* length, const float* x, const float* y, const float* charWidth,
             const float* charHeight, const int* hAlign, const int* vAlign, const float* angle) {
    if (!m_pCfg || !text || !length || !x || !y || !charWidth || !charHeight || !hAlign || !vAlign || !angle) return;
    m_pCfg->HostDrawText(text, *length, *x, *y, *charWidth, *charHeight, *hAlign, *vAlign, *angle);
}

void KWHPROMPT(const char* text, const int* length) {
    if (m_pCfg && text && length) m_pCfg->HostPrompt(text, *length);
}

void KWHGETPOINT(float* x, float* y, int* status) {
    if (!x || !y || !status) return;
    *status = 1;
    if (m_pCfg) m_pCfg->HostGetCursorPoint(*x, *y, *status);
}
