#pragma once
/// @file
/// CkwCommonUtil: the common-utility library of the structural drawing suite.
/// One header for callers: every exported class, function and the host engine contract.
/// The include directory is PREFIX/include; the headers themselves are &lt;ckw/...&gt;.
#include "ckw/CkwExport.h"
#include <ckw/Version.h>
#include "ckw/CString.h"
#include "ckw/CArray.h"
#include "ckw/HostEngine.h"
#include "ckw/KeloPoint2d.h"
#include "ckw/KeloPoint3d.h"
#include "ckw/KeloArc2d.h"
#include "ckw/Util.h"
#include "ckw/ParaRecords.h"
#include "ckw/DrawingPara.h"
#include "ckw/FortranInterface.h"
#include "ckw/XDataUtil.h"
#include "ckw/DrawingRecords.h"
#include "ckw/XDataCommands.h"
#include "ckw/SheetCommands.h"
#include "ckw/SettingsDialogs.h"
#include "ckw/DrawingFiles.h"
