#pragma once
/// @file
/// The settings dialogs of the parameter library, for the drawing programs. Each runs modally
/// (a real window where a display is available) on the user library of the configuration.
#include "CArray.h"
#include "CkwExport.h"

/// @addtogroup drawpara
/// @{

/// Line types: reloads them, runs "线型设置", then reloads every table of m_exDrawingPara.
CKW_API void kwSetLineType();
/// Component layers of the given types (empty: all of them) in "图层设置". 1 = OK, 2 = Cancel.
CKW_API int kwSetLayer(CStringArray& componentTypes);
/// Text and dimension sizes in "标注设置".
CKW_API void kwSetText();
/// The values of one user-parameter table.
CKW_API void kwSetUserPara(const char* table);

/// @}
