// kwutil section H|C|X|O|T|T4|A --dims d0,d1,... -o OUT.svg: the outline of a steel or composite
// section, drawn as closed polylines through the engine and rendered as a picture (--light: on white).
#include <iostream>

#include "Command.h"
#include "Messages.h"
#include <ckw/HostEngine.h>
#include "SectionOutline.h"
#include "NumberOptions.h"
#include "Sketch.h"
#include <ckw/Util.h>

namespace {

constexpr int kDimensionSlots = kwutil::kSectionDimensions;
constexpr int kOutlineColour = 4;  // cyan

struct Options {
    std::string shape;
    std::string dims;
    std::string at = "0,0";
    double angle = 0;
    std::string output;
    bool light = false;
};

// Outlines in a pen of three pixels of the picture, whatever the section's size.
constexpr double kOutlinePenPixels = 3;

int DrawSection(const Options& o) {
    const ckw::Result<std::vector<double>> dimNumbers = kwutil::ReadNumbers(o.dims);
    std::string why = dimNumbers ? "" : dimNumbers.why();
    const std::vector<double> dims = dimNumbers ? *dimNumbers : std::vector<double>();
    if (!why.empty() || dims.size() > kDimensionSlots) {
        kwutil::Say() << "--dims takes up to " << kDimensionSlots << " numbers separated by commas"
                      << (why.empty() ? "" : ": " + why) << "\n";
        return 1;
    }
    const ckw::Result<std::vector<double>> atNumbers = kwutil::ReadNumbers(o.at);
    why = atNumbers ? "" : atNumbers.why();
    const std::vector<double> at = atNumbers ? *atNumbers : std::vector<double>();
    if (!why.empty() || at.size() != 2) {
        kwutil::Say() << "--at takes x,y" << (why.empty() ? "" : ": " + why) << "\n";
        return 1;
    }
    float d[kDimensionSlots] = {};  // dimensions not given are 0
    for (size_t i = 0; i < dims.size(); ++i) d[i] = static_cast<float>(dims[i]);
    m_pCfg->HostSetPen(0, 1, 0, kOutlineColour, 1);
    kwutil::DrawSectionOutline(o.shape, d, static_cast<float>(at[0]), static_cast<float>(at[1]),
                               static_cast<float>(o.angle));
    return kwutil::RenderCurrentDrawing(o.output, {.light = o.light, .minimumStrokePixels = kOutlinePenPixels});
}

const kwutil::Command reg(
    "section", "Draw a steel section outline as an SVG picture", [](CLI::App& cmd) -> kwutil::Runner {
        auto o = std::make_shared<Options>();
        std::vector<std::string> names = kwutil::SectionShapes();
        cmd.add_option("shape", o->shape,
                       "H, C (channel or Z), X (cross), O (box), T, T4 (four-T cross) or A (trapezoid)")
            ->required()
            ->check(CLI::IsMember(names));
        cmd.add_option("--dims", o->dims, "dimensions d0,d1,... in drawing units (up to 6; missing ones are 0)")
            ->required();
        cmd.add_option("--at", o->at, "centre x,y (default 0,0)");
        cmd.add_option("--angle", o->angle, "rotation in radians, anticlockwise (default 0)")->check(kwutil::Number());
        cmd.add_option("-o,--output", o->output, "the SVG file to write")->required();
        cmd.add_flag("--light", o->light, "dark lines on white, for documents (default: colours on black)");
        return [o] { return DrawSection(*o); };
    });

}  // namespace
