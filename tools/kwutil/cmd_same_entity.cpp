// kwutil same-entity DRAWING.T [--script FILE]: ModifySameEntity on a drawing (point at an entity,
// change or delete every entity of its kind with the same properties), then the drawing is saved.
#include <ckw/XDataCommands.h>

#include "DrawingSession.h"

namespace {

const kwutil::Command reg("same-entity", "Change or delete the entities like one you point at (the same-entity editor)",
                          kwutil::DrawingCommand(ModifySameEntity));

}  // namespace
