#pragma once
// CkwCommonUtil: the common-utility library of the structural drawing suite.
// One header for callers: every exported class, function and the host engine contract.
// The include directories are <prefix>/include and <prefix>/include/ckw.
#include "CkwExport.h"
#include "CString.h"
#include "CArray.h"
#include "HostEngine.h"
#include "KeloPoint2d.h"
#include "KeloPoint3d.h"
#include "KeloArc2d.h"
#include "Util.h"
#include "ParaRecords.h"
#include "DrawingPara.h"
#include "FortranInterface.h"
#include "XDataUtil.h"
#include "DrawingRecords.h"
#include "XDataCommands.h"
#include "SheetCommands.h"
#include "SettingsDialogs.h"
