#pragma once
/// @file
/// Drawing-file services for the drawing programs: the browser of earlier drawings, DWG and DXF
/// import with the whole-import transforms, and copying another floor's drawing.
///
/// Paths are GBK. On Linux file names are case-sensitive: the browser finds "*.t" in any letter
/// case and hands back files by their real names.
#include <cstddef>

#include "CkwExport.h"

/// @addtogroup drawfiles
/// @{

/// Offers the drawings "*.t" in folder whose drawing-information record names the same drawing,
/// kind and floor (floor 999 or more: every floor) in "请选择要打开的旧图". 1 when closed with OK
/// (a picked row also sets floor, scale and path), 0 otherwise. The path buffer holds 260 bytes.
CKW_API int kwOpen_OldDrawing(const char* folder, const char* drawingName, int& kind, int& floor, int& scale,
                              char* path);
/// The same with the path buffer's size; a path that does not fit is not copied and gives 0.
CKW_API int kwOpen_OldDrawing(const char* folder, const char* drawingName, int& kind, int& floor, int& scale,
                              char* path, size_t pathCapacity);
/// The same, and on OK with a picked row the picked drawing replaces the working drawing. The
/// working drawing is given up only once the picked file is known to open.
CKW_API int kwOpen_OldDrawing(const char* folder, const char* drawingName, int& kind, int& floor, int& scale);

/// Copies chosen layers of another ".T" drawing into the current one at a scale and point the
/// user gives in "拷贝他层".
CKW_API void exCopyOtherFloor();

/// Brings a DWG or DXF drawing (converted by "TdwgConv" in the configuration directory) or a ".T"
/// drawing into the current drawing; its layers are named "$_..." so that the transforms below
/// find them.
CKW_API void Read_Dwg();

/// @name The imported entities as one
/// Every imported entity (on a "$_" layer) together; the user gives the points and values.
/// @{

CKW_API void Move_Dwg();    ///< moves them
CKW_API void Scale_Dwg();   ///< scales them about a base point
CKW_API void Rotate_Dwg();  ///< rotates them about a base point
CKW_API void Erase_Dwg();   ///< erases them
/// @}

/// @}
