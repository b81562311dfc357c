// kwutil xdata-edit DRAWING.T [--script FILE]: kwXData_Manage on a drawing (pick entities, edit
// their extended data in "XDATA MANAGE"), then the drawing is saved.
#include <ckw/XDataCommands.h>

#include "Command.h"
#include "DrawingSession.h"

namespace {

const kwutil::Command reg("xdata-edit", "Edit the extended data of a .T drawing's entities in \"XDATA MANAGE\"",
                          [](CLI::App& cmd) -> kwutil::Runner {
    auto drawing = std::make_shared<std::string>();
    auto script = std::make_shared<std::string>();
    cmd.add_option("drawing", *drawing, "the .T drawing (saved when the command ends)")->required();
    cmd.add_option("--script", *script, "play this script (window actions and engine answers) instead of windows");
    return [drawing, script] {
        return kwutil::RunOnDrawing("xdata-edit", *drawing, *script, [] { kwXData_Manage(); });
    };
});

}  // namespace
