#pragma once
/// @file
/// Menu commands of the drawing programs that look at and edit extended data interactively.
/// They run on the host's cursor and show modeless windows that stay open while the user picks.
#include "CkwExport.h"

/// @addtogroup xdata
/// @{

/// Shows the extended data of entity after entity the user picks in the window "XDATA MANAGE",
/// where it can be edited and written back (onto the entity, as data for new entities, or into
/// the drawing). Ends on [Esc] or a pick that hits nothing. Returns 1.
CKW_API int kwXData_Manage();
/// Asks for an application name, an integer, a real and a string ("INPUT XDATA"), then stores
/// them as that application's block on every entity the user selects, until nothing is selected.
/// Returns 0 when the input dialog is cancelled, else 1.
CKW_API int kwXData_Add();
/// The user points at an entity; the window "同类实体编辑器" shows its colour, line type, width
/// (and character sizes of texts) and changes or deletes every entity of the drawing of the same
/// kind with the same properties. Ends on [Esc].
CKW_API void ModifySameEntity();

/// @}
