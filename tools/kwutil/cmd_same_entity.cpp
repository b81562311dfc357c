// kwutil same-entity DRAWING.T [--script FILE]: ModifySameEntity on a drawing (point at an entity,
// change or delete every entity of its kind with the same properties), then the drawing is saved.
#include <ckw/XDataCommands.h>

#include "Command.h"
#include "DrawingSession.h"

namespace {

const kwutil::Command reg("same-entity", "Change or delete the entities like one you point at (the same-entity editor)",
                          [](CLI::App& cmd) -> kwutil::Runner {
    auto drawing = std::make_shared<std::string>();
    auto script = std::make_shared<std::string>();
    cmd.add_option("drawing", *drawing, "the .T drawing (saved when the command ends)")->required();
    cmd.add_option("--script", *script, "play this script (window actions and engine answers) instead of windows");
    return [drawing, script] { return kwutil::RunOnDrawing("same-entity", *drawing, *script, ModifySameEntity); };
});

}  // namespace
