// kwutil render DRAWING.T -o OUT.svg [--light]: a picture of a drawing.
#include <fstream>
#include <iostream>

#include "Command.h"
#include "Messages.h"
#include "WorkDrawing.h"
#include <ckw/ReferenceEngine.h>

namespace {

const kwutil::Command reg("render", "Draw a .T drawing as an SVG picture", [](CLI::App& cmd) -> kwutil::Runner {
    auto input = std::make_shared<std::string>();
    auto output = std::make_shared<std::string>();
    cmd.add_option("drawing", *input, "the .T drawing")->required();
    auto light = std::make_shared<bool>(false);
    cmd.add_option("-o,--output", *output, "the SVG file to write")->required();
    cmd.add_flag("--light", *light, "dark lines on white, for documents (default: colours on black)");
    return [input, output, light] {
        ckw::engine::Drawing drawing;
        if (!kwutil::ReadDrawing(*input, drawing)) return 1;
        std::ofstream out(*output, std::ios::binary);
        // Every line at least a pixel and a half of the picture wide, so that thin ones still show.
        ckw::engine::WriteSvg(drawing, out, {.light = *light, .minimumStrokePixels = 1.5});
        out.close();
        if (!out) {
            kwutil::Say() << "cannot write " << *output << "\n";
            return 1;
        }
        return 0;
    };
});

}  // namespace
