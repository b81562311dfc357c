#pragma once
/// @file
/// The Fortran-callable interface: plain C linkage, no decoration, outputs by address. Character
/// arguments are NUL-terminated GBK text; hidden length arguments that a Fortran caller may pass
/// after the others are never read. The header can be included from C as well as C++.
///
/// Fortran 2003 callers declare these with bind(C, name='INITKWUTIL') and so on. Fortran 77
/// callers that declare nothing reach the lower-case names with one trailing underscore at the
/// end of this header instead.
#include <stddef.h>

#include "CkwExport.h"

/// @addtogroup fortran
/// @{

/// Loads the parameter library (finds the configuration, brings the user library up to date).
CKW_C_API void INITKWUTIL(void);
/// Releases the parameter library; the last call before the library is unloaded.
CKW_C_API void CLOSEKWUTIL(void);
/// Layer name, number, colour, line type and width of a component kind.
CKW_C_API void GETLAYERINFO(const char* kind, char* layerName, int* layerNum, int* color, int* lineType, float* width);
/// Layer number of a component kind (0 when unknown).
CKW_C_API void GETLAYERNUM(const char* kind, int* layerNum);
/// Dash count and values (up to 9) of line type *number.
CKW_C_API void GETLINETYPEINFO(int* number, int* count, float* values);
/// Number, dash count and values of the line type called name.
CKW_C_API void GETLINETYPEINFO1(const char* name, int* number, int* count, float* values);
/// Text sizes ("字符宽高", "系统文字标注高宽表", "SYSTEMTEXTSIZE"): first = width, second = height.
/// Dimension sizes ("尺寸标注", "系统尺寸标注表", "SYSTEMDIMENSIONSIZE"): first = value.
CKW_C_API void GETDIMTEXTINFO(const char* kind, const char* item, float* first, float* second);
/// Value and value kind of a user parameter of a table; 1 found, 0 not.
CKW_C_API int GETUSERPARAINFO(const char* table, const char* item, char* value, char* valueKind);
/// Defines the named line type in the host at scale; returns the host line-type number.
CKW_C_API int CREATEONELINETYPE(const char* name, int scale, int* hostNumber);
/// Defines line type number in the host at scale; returns the host line-type number.
CKW_C_API int CREATEONELINETYPE1(int number, int scale, int* hostNumber);
/// The drawing scale CREATALLLINETYPE uses.
CKW_C_API void SETDRAWINGSCALE(int scale);
/// Defines every line type of the library in the host at the drawing scale; 1 done.
CKW_C_API int CREATALLLINETYPE(void);
/// Drawing mode: 2005 paper space, 2008 model space.
CKW_C_API void SetDrawingKind05(int kind);
/// Drawing mode: 2005 paper space, 2008 model space (the default).
CKW_C_API int GetDrawingKind05(void);
/// Lets the user choose the drawing mode in a dialog.
CKW_C_API void SetDrawingKind05_08(void);

/// @name Fortran 77 names
/// The same functions as a Fortran 77 compiler names and calls external routines: lower case
/// with one trailing underscore, every argument by address, and the length of each character
/// argument passed after all the others. Input text ends at its length (trailing blanks dropped)
/// or at a char(0); output text is blank-padded to its length and never written past it.
/// @{

/// INITKWUTIL as Fortran 77 calls it.
CKW_C_API void initkwutil_(void);
/// CLOSEKWUTIL as Fortran 77 calls it.
CKW_C_API void closekwutil_(void);
/// GETLAYERINFO as Fortran 77 calls it.
CKW_C_API void getlayerinfo_(const char* kind, char* layerName, int* layerNum, int* color, int* lineType, float* width,
                             size_t kindLength, size_t nameLength);
/// GETLAYERNUM as Fortran 77 calls it.
CKW_C_API void getlayernum_(const char* kind, int* layerNum, size_t kindLength);
/// GETLINETYPEINFO as Fortran 77 calls it.
CKW_C_API void getlinetypeinfo_(int* number, int* count, float* values);
/// GETLINETYPEINFO1 as Fortran 77 calls it.
CKW_C_API void getlinetypeinfo1_(const char* name, int* number, int* count, float* values, size_t nameLength);
/// GETDIMTEXTINFO as Fortran 77 calls it.
CKW_C_API void getdimtextinfo_(const char* kind, const char* item, float* first, float* second, size_t kindLength,
                               size_t itemLength);
/// GETUSERPARAINFO as Fortran 77 calls it.
CKW_C_API int getuserparainfo_(const char* table, const char* item, char* value, char* valueKind, size_t tableLength,
                               size_t itemLength, size_t valueLength, size_t kindLength);
/// CREATEONELINETYPE as Fortran 77 calls it.
CKW_C_API int createonelinetype_(const char* name, const int* scale, int* hostNumber, size_t nameLength);
/// CREATEONELINETYPE1 as Fortran 77 calls it.
CKW_C_API int createonelinetype1_(const int* number, const int* scale, int* hostNumber);
/// SETDRAWINGSCALE as Fortran 77 calls it.
CKW_C_API void setdrawingscale_(const int* scale);
/// CREATALLLINETYPE as Fortran 77 calls it.
CKW_C_API int creatalllinetype_(void);
/// SetDrawingKind05 as Fortran 77 calls it.
CKW_C_API void setdrawingkind05_(const int* kind);
/// GetDrawingKind05 as Fortran 77 calls it.
CKW_C_API int getdrawingkind05_(void);
/// SetDrawingKind05_08 as Fortran 77 calls it.
CKW_C_API void setdrawingkind05_08_(void);
/// @}

/// @}
