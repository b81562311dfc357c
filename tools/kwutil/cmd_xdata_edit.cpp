// kwutil xdata-edit DRAWING.T [--script FILE]: kwXData_Manage on a drawing (pick entities, edit
// their extended data in "XDATA MANAGE"), then the drawing is saved.
#include <ckw/XDataCommands.h>

#include "DrawingSession.h"

namespace {

const kwutil::Command reg("xdata-edit", "Edit the extended data of a .T drawing's entities in \"XDATA MANAGE\"",
                          kwutil::DrawingCommand([] { kwXData_Manage(); }));

}  // namespace
