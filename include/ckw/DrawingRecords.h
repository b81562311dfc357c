#pragma once
/// @file
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

/// @addtogroup xdata
/// @{

inline constexpr char kDrawFrameAppName[] = "$Kelo_DrawFrame";  ///< application name of the frame record
inline constexpr char kDrawInfoAppName[] = "$Kelo_DrawInfo_0";  ///< application name of the information record

/// Writes the frame record.
CKW_API int kwWrite_DrawingFrame(int a, int b, float r, int c, int d, const char* s);
/// Reads the frame record; s needs room for the whole string.
CKW_API int kwRead_DrawingFrame(int& a, int& b, float& r, int& c, int& d, char* s);
/// Reads the frame record, copying at most sCapacity bytes into s.
CKW_API int kwRead_DrawingFrame(int& a, int& b, float& r, int& c, int& d, char* s, size_t sCapacity);

/// @name Writing the drawing-information record (three to six values)
/// @{

CKW_API int kwWrite_DrawingInfo(int i1, const char* s1, int i2);                                  ///< three values
CKW_API int kwWrite_DrawingInfo(int i1, const char* s1, int i2, int i3);                          ///< four values
CKW_API int kwWrite_DrawingInfo(int i1, const char* s1, int i2, int i3, const char* s2);          ///< five values
CKW_API int kwWrite_DrawingInfo(int i1, const char* s1, int i2, int i3, const char* s2, int i4);  ///< six values
/// @}

/// @name Reading the drawing-information record
/// The plain forms copy strings whole; the forms with capacities (size_t, so that an int passed
/// in their place picks a plain form) copy at most that many bytes.
/// @{

CKW_API int kwRead_DrawingInfo(int& i1, char* s1, int& i2);                              ///< three values
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, int& i2, int& i3);                     ///< four values
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, int& i2, int& i3, char* s2);           ///< five values
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, int& i2, int& i3, char* s2, int& i4);  ///< six values
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2);           ///< three values, bounded
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2, int& i3);  ///< four values, bounded
/// Five values, bounded.
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2, int& i3, char* s2, size_t s2Capacity);
/// Six values, bounded.
CKW_API int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2, int& i3, char* s2, size_t s2Capacity,
                               int& i4);
/// @}

/// @}
