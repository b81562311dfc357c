#include "CkwExport.h"

// The version of the library a program has loaded.
extern "C" CKW_API const char* CkwCommonUtilVersion() { return CKW_VERSION; }
