#pragma once
// Marks what the shared libraries export; everything else is hidden.
#define CKW_API __attribute__((visibility("default")))
// C linkage without decoration, for the Fortran-callable functions.
#define CKW_C_API extern "C" CKW_API
