// kwutil breakline x1,y1 x2,y2 -o OUT.svg: the break-line symbol between two points, drawn through
// the engine and rendered as a picture.
#include <iostream>

#include "Command.h"
#include "Messages.h"
#include <ckw/HostEngine.h>
#include "Sketch.h"
#include "TypedNumbers.h"
#include <ckw/Util.h>

namespace {

struct Options {
    std::string from;
    std::string to;
    std::string output;
};

int DrawBreakLine(const Options& o) {
    const ckw::Result<std::vector<double>> fromNumbers = kwutil::ReadNumbers(o.from);
    const ckw::Result<std::vector<double>> toNumbers = kwutil::ReadNumbers(o.to);
    const std::string why = !fromNumbers ? fromNumbers.why() : !toNumbers ? toNumbers.why() : "";
    const std::vector<double> from = fromNumbers ? *fromNumbers : std::vector<double>();
    const std::vector<double> to = toNumbers ? *toNumbers : std::vector<double>();
    if (!why.empty() || from.size() != 2 || to.size() != 2) {
        kwutil::Say() << "the two points are x,y each" << (why.empty() ? "" : ": " + why) << "\n";
        return 1;
    }
    CUtil().kw_BreakLine(KeloPoint2d(from[0], from[1]), KeloPoint2d(to[0], to[1]), 0.0f);
    return kwutil::RenderCurrentDrawing(o.output);
}

const kwutil::Command reg("breakline", "Draw the break-line symbol between two points as an SVG picture",
                          [](CLI::App& cmd) -> kwutil::Runner {
                              auto o = std::make_shared<Options>();
                              cmd.add_option("from", o->from, "first point x,y")->required();
                              cmd.add_option("to", o->to, "second point x,y")->required();
                              cmd.add_option("-o,--output", o->output, "the SVG file to write")->required();
                              return [o] { return DrawBreakLine(*o); };
                          });

}  // namespace
