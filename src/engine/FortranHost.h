#pragma once
// The host's drawing calls for Fortran drawing programs: upper-case C-linkage functions that
// forward to m_pCfg, every argument by reference as the engine's convention has it, texts as GBK
// bytes with their length. A Fortran program declares them with bind(C) interfaces (see
// examples/programs/coltable.f90).
#include <ckw/CkwExport.h>

CKW_C_API void KWHSETPEN(const int* layer, const int* lineType, const int* widthCode, const int* colour);
CKW_C_API void KWHLINE(const float* x1, const float* y1, const float* x2, const float* y2);
CKW_C_API void KWHPOLYLINE(const int* count, const float* xs, const float* ys);
CKW_C_API void KWHTEXT(const char* text, const int* length, const float* x, const float* y, const float* charWidth,
                       const float* charHeight, const int* hAlign, const int* vAlign, const float* angle);
CKW_C_API void KWHPROMPT(const char* text, const int* length);
// A point the user picks: status 0 picked, otherwise ended ([Esc] 1, [TAB] 2).
CKW_C_API void KWHGETPOINT(float* x, float* y, int* status);
