#pragma once
// The Fortran-callable interface: plain C linkage, no decoration, outputs by address. Character
// arguments are NUL-terminated GBK text; hidden length arguments that a Fortran caller may pass
// after the others are never read.
#include "CkwExport.h"

CKW_C_API void INITKWUTIL();
CKW_C_API void CLOSEKWUTIL();
CKW_C_API void GETLAYERINFO(const char* kind, char* layerName, int* layerNum, int* color, int* lineType,
                            float* width);
CKW_C_API void GETLAYERNUM(const char* kind, int* layerNum);
CKW_C_API void GETLINETYPEINFO(int* number, int* count, float* values);
CKW_C_API void GETLINETYPEINFO1(const char* name, int* number, int* count, float* values);
// Text sizes ("字符宽高", "系统文字标注高宽表", "SYSTEMTEXTSIZE"): first = width, second = height.
// Dimension sizes ("尺寸标注", "系统尺寸标注表", "SYSTEMDIMENSIONSIZE"): first = value.
CKW_C_API void GETDIMTEXTINFO(const char* kind, const char* item, float* first, float* second);
CKW_C_API int GETUSERPARAINFO(const char* table, const char* item, char* value, char* valueKind);
CKW_C_API int CREATEONELINETYPE(const char* name, int scale, int* hostNumber);
CKW_C_API int CREATEONELINETYPE1(int number, int scale, int* hostNumber);
CKW_C_API void SETDRAWINGSCALE(int scale);
CKW_C_API int CREATALLLINETYPE();
CKW_C_API void SetDrawingKind05(int kind);
CKW_C_API int GetDrawingKind05();
CKW_C_API void SetDrawingKind05_08();
