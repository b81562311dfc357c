#pragma once
/// @file
/// Menu commands of the drawing programs for sheets and reference tables.
#include "CkwExport.h"

/// @addtogroup sheets
/// @{

/// Places a sheet frame with the cursor (sheet 1, landscape, title block "BTL.T"; [TAB] changes the
/// sheet, [Esc] gives up) at the drawing scale and records it in the drawing as "$Kelo_DrawFrame".
/// In a paper-space drawing (kind 2005) the frame is drawn at scale 1 in world coordinates and the
/// user coordinates are restored afterwards.
CKW_API void DragDrawFrame();

/// Shows the reinforcement bar area table: mode 1 areas of 1..9 bars per diameter, any other mode
/// areas per metre width of a slab per bar spacing.
extern "C" CKW_API void exBarArea(int mode);

/// @}
