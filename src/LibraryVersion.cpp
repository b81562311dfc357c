#include <ckw/CkwExport.h>
#include "ckw/Version.h"

// The version of the library a program has loaded (declared in ckw/Version.h).
CKW_C_API const char* CkwCommonUtilVersion() { return CKW_VERSION; }
