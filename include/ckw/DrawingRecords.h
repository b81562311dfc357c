#pragma once
/// The two records every drawing keeps in its drawing-level data (see CXDataUtil::Set_DbData):
///
/// "$Kelo_DrawFrame", written when a drawing frame is placed, six values in this order:
///   integer a, real r, integer b, integer c, integer d, string s
/// c and d are stored as (value + 0.5) truncated toward zero, so a negative value v reads back
/// as v + 1.
///
/// "$Kelo_DrawInfo_0", which program made the drawing and with which settings, three to six
/// values (a longer form extends a shorter one):
///   integer i1, string s1, integer i2, [integer i3, [string s2, [integer i4]]]
///
/// Every function returns 1. Readers leave an output untouched when the record, or the value of
/// the expected type at its position, is missing: preset the outputs. The plain readers copy a
/// string whole; the forms with a capacity copy at most capacity bytes (NUL included), cut at a
/// character boundary.
#include <cstddef>

#include "CkwExport.h"

inline constexpr char kDrawFrameAppName[] = "$Kelo_DrawFrame";
inline constexpr char kDrawInfoAppName[] = "$Kelo_DrawInfo_0";

CKW_API int kwWrite_DrawingFrame(int a, int b, float r, int c, int d, const char* s);
CKW_API int kwRead_DrawingFrame(int& a, int& b, float& r, int& c, int& d, char* s);
CKW_API int kwRead_DrawingFrame(int& a, int& b, float& r, int& c, int& d, char* s, size_t sCapacity);

CKW_API int kwWrite_DrawingInfo(int i1, const char* s1, int i2);
CKW_API int kwWrite_DrawingInfo(int i1, const char* s1, int i2, int i3);
CKW_API int kwWrite_DrawingInfo(int i1, const char* s1, int i2, int i3, const char* s2);
CKW_API int kwWrite_DrawingInfo(int i1, const char* s1, int i2, int i3, const char* s2, int i4);

CKW_API int kwRead_DrawingInfo(int& i1, char* s1, int& i2);
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, int& i2, int& i3);
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, int& i2, int& i3, char* s2);
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, int& i2, int& i3, char* s2, int& i4);

/// Capacities are size_t, so that an int passed in their place picks the plain form above.
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2);
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2, int& i3);
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2, int& i3, char* s2, size_t s2Capacity);
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2, int& i3, char* s2, size_t s2Capacity,
                               int& i4);
