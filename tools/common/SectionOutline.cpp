#include "SectionOutline.h"

#include <map>
#include <utility>

#include <ckw/Util.h>

namespace kwutil {

namespace {

using ShapeFn = void (*)(CUtil&, float x, float y, float angle, float* d, float* xs, float* ys);

struct Shape {
    ShapeFn compute;
    std::vector<std::pair<int, int>> rings;  // first point and count of each closed ring
};

const std::map<std::string, Shape>& Shapes() {
    static const std::map<std::string, Shape> shapes = {
        {"H",
         {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.HSHAPE(x, y, a, d, xs, ys); },
          {{0, 12}}}},
        {"C",
         {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.CSHAPE(x, y, a, d, xs, ys); },
          {{0, 8}}}},
        {"X",
         {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.XSHAPE(x, y, a, d, xs, ys); },
          {{0, 12}}}},
        {"O",
         {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.OSHAPE(x, y, a, d, xs, ys); },
          {{0, 4}, {4, 4}}}},
        {"T",
         {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) {
              u.TSHAPE(x, y, a, d, xs[0], xs[1], xs[2], xs[3], xs[4], xs[5], xs[6], xs[7], ys[0], ys[1], ys[2], ys[3],
                       ys[4], ys[5], ys[6], ys[7]);
          },
          {{0, 8}}}},
        {"T4",
         {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.T4SHAPE(x, y, a, d, xs, ys); },
          {{0, 28}}}},
        {"A",
         {[](CUtil& u, float x, float y, float a, float* d, float* xs, float* ys) { u.ASHAPE(x, y, a, d, xs, ys); },
          {{0, 4}}}},
    };
    return shapes;
}

}  // namespace

std::vector<std::string> SectionShapes() {
    std::vector<std::string> names;
    for (const auto& [name, shape] : Shapes()) names.push_back(name);
    return names;
}

std::vector<std::string> SectionDimensionNames(const std::string& shape) {
    static const std::map<std::string, std::vector<std::string>> names = {
        {"H",
         {"top flange width", "web thickness", "bottom flange width", "top flange thickness", "height",
          "bottom flange thickness"}},
        {"C",
         {"top flange length", "web thickness", "bottom flange length", "top flange thickness", "height",
          "bottom flange thickness"}},
        {"X",
         {"left arm", "vertical arm width", "right arm", "top of vertical to top of horizontal arm",
          "horizontal arm thickness", "vertical arm height"}},
        {"O", {"left wall", "width", "right wall", "top wall", "height", "bottom wall"}},
        {"T", {"(unused)", "web thickness", "flange width", "(unused)", "flange thickness", "span"}},
        {"T4", {"(unused)", "web thickness", "flange width", "(unused)", "flange thickness", "span"}},
        {"A", {"(unused)", "bottom width", "right overhang", "(unused)", "left overhang", "height"}},
    };
    auto it = names.find(shape);
    return it == names.end() ? std::vector<std::string>{} : it->second;
}

bool SectionRings(const std::string& name, const float (&dims)[kSectionDimensions], float x, float y, float angle,
                  std::vector<SectionRing>& rings) {
    auto it = Shapes().find(name);
    if (it == Shapes().end()) return false;
    float d[kSectionDimensions];
    std::copy(std::begin(dims), std::end(dims), d);
    float xs[28] = {}, ys[28] = {};
    CUtil util;
    it->second.compute(util, x, y, angle, d, xs, ys);
    rings.clear();
    for (auto [first, count] : it->second.rings) {
        SectionRing& ring = rings.emplace_back();
        for (int i = first; i < first + count; ++i) ring.emplace_back(xs[i], ys[i]);
    }
    return true;
}

bool DrawSectionOutline(const std::string& name, const float (&dims)[kSectionDimensions], float x, float y,
                        float angle) {
    std::vector<SectionRing> rings;
    if (!SectionRings(name, dims, x, y, angle, rings)) return false;
    CUtil util;
    for (const SectionRing& corners : rings) {
        CArray<KeloPoint2d, KeloPoint2d&> ring;
        for (auto [px, py] : corners) {
            KeloPoint2d p(px, py);
            ring.Add(p);
        }
        util.MakePline(ring, 0.0f, 1);
    }
    return true;
}

}  // namespace kwutil
