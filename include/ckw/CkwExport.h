#pragma once
/// @file
/// What the shared libraries export.

/// @addtogroup strings
/// @{

/// Marks what the shared libraries export; everything else is hidden.
#define CKW_API __attribute__((visibility("default")))
/// C linkage without decoration, for the Fortran-callable functions; plain C sees a plain
/// declaration, so the C-linkage headers can be included from C.
#ifdef __cplusplus
#define CKW_C_API extern "C" CKW_API
#else
#define CKW_C_API CKW_API
#endif

/// @}
