// kwutil section H|C|X|O|T|T4|A --dims d0,d1,... -o OUT.svg: the outline of a steel or composite
// section, drawn as closed polylines through the engine and rendered as a picture (--light: on white).
#include <iostream>
#include <map>
#include <utility>

#include "Command.h"
#include "HostEngine.h"
#include "Sketch.h"
#include "Util.h"

namespace {

constexpr int kDimensionSlots = 6;
constexpr int kOutlineColour = 4;  // cyan

using ShapeFn = void (*)(CUtil&, float x, float y, float angle, float* d, float* xs, float* ys);

struct Shape {
    ShapeFn compute;
    std::vector<std::pair<int, int>> rings;  // first point and count of each closed ring
};

const std::map<std::string, Shape>& Shapes() {
    static const std::map<std::string, Shape> shapes = {
        {"H", {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.HSHAPE(x, y, a, d, xs, ys); },
               {{0, 12}}}},
        {"C", {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.CSHAPE(x, y, a, d, xs, ys); },
               {{0, 8}}}},
        {"X", {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.XSHAPE(x, y, a, d, xs, ys); },
               {{0, 12}}}},
        {"O", {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.OSHAPE(x, y, a, d, xs, ys); },
               {{0, 4}, {4, 4}}}},
        {"T", {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) {
                   u.TSHAPE(x, y, a, d, xs[0], xs[1], xs[2], xs[3], xs[4], xs[5], xs[6], xs[7], ys[0], ys[1], ys[2],
                            ys[3], ys[4], ys[5], ys[6], ys[7]);
               },
               {{0, 8}}}},
        {"T4", {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.T4SHAPE(x, y, a, d, xs, ys); },
                {{0, 28}}}},
        {"A", {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.ASHAPE(x, y, a, d, xs, ys); },
               {{0, 4}}}},
    };
    return shapes;
}

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
    std::vector<double> dims, at;
    if (!kwutil::ParseNumbers(o.dims, dims) || dims.size() > kDimensionSlots) {
        std::cerr << "kwutil section: --dims takes up to " << kDimensionSlots << " numbers separated by commas\n";
        return 1;
    }
    if (!kwutil::ParseNumbers(o.at, at) || at.size() != 2) {
        std::cerr << "kwutil section: --at takes x,y\n";
        return 1;
    }
    float d[kDimensionSlots] = {};  // dimensions not given are 0
    for (size_t i = 0; i < dims.size(); ++i) d[i] = static_cast<float>(dims[i]);
    const Shape& shape = Shapes().at(o.shape);
    float xs[28] = {}, ys[28] = {};
    CUtil util;
    shape.compute(util, static_cast<float>(at[0]), static_cast<float>(at[1]), static_cast<float>(o.angle), d, xs, ys);

    m_pCfg->HostSetPen(0, 1, 0, kOutlineColour, 1);
    for (auto [first, count] : shape.rings) {
        CArray<KeloPoint2d, KeloPoint2d&> ring;
        for (int i = first; i < first + count; ++i) {
            KeloPoint2d p(xs[i], ys[i]);
            ring.Add(p);
        }
        util.MakePline(ring, 0.0f, 1);
    }
    return kwutil::RenderCurrentDrawing("section", o.output, {.light = o.light, .minimumStrokePixels = kOutlinePenPixels});
}

const kwutil::Command reg("section", "Draw a steel section outline as an SVG picture", [](CLI::App& cmd) -> kwutil::Runner {
    auto o = std::make_shared<Options>();
    std::vector<std::string> names;
    for (const auto& [name, shape] : Shapes()) names.push_back(name);
    cmd.add_option("shape", o->shape, "H, C (channel or Z), X (cross), O (box), T, T4 (four-T cross) or A (trapezoid)")
        ->required()
        ->check(CLI::IsMember(names));
    cmd.add_option("--dims", o->dims, "dimensions d0,d1,... in drawing units (up to 6; missing ones are 0)")
        ->required();
    cmd.add_option("--at", o->at, "centre x,y (default 0,0)");
    cmd.add_option("--angle", o->angle, "rotation in radians, anticlockwise (default 0)");
    cmd.add_option("-o,--output", o->output, "the SVG file to write")->required();
    cmd.add_flag("--light", o->light, "dark lines on white, for documents (default: colours on black)");
    return [o] { return DrawSection(*o); };
});

}  // namespace
