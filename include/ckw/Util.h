#pragma once
// CUtil: the exported utility class (configuration path, geometry, sections, frames, tables).
#include "CkwExport.h"

class CKW_API CUtil {
public:
    // Writes the suite's configuration directory into dir (room for 260 bytes); 1 = found.
    static int GetKeloCfgPath(char* dir);
};
