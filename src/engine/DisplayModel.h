#pragma once
// One picture of a drawing for every painter: the SVG writer, the drawing window's canvas and the
// PDF plot all paint these primitives, so the three never disagree about what an entity looks
// like. Pens are resolved here (colour by layer, line type, width); painters only map the
// drawing's units onto their device and choose the hairline.
#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <ckw/CkwExport.h>
#include <ckw/EngineDrawing.h>
#include "Shapes.h"

namespace ckw::engine {

struct DisplayPen {
    int colour = 7;  // palette index 1..255
    int layer = 0;
    int lineType = 1;   // 1 and below: solid
    int widthCode = 0;  // width on the sheet in 1/1000 mm
    double width = 0;   // a wide polyline's width in drawing units; 0: from the width code
};

// One line of a text, in the text's own upright frame (y grows downwards from the anchor line).
struct DisplayTextLine {
    std::string utf8;
    double offset = 0;  // distance below the anchor line
    double length = 0;  // the line's drawn length (0: natural)
};

struct Primitive {
    enum class Kind { Dot, Path, Polygon, Circle, Disc, Text, Insert };
    Kind kind = Kind::Path;
    DisplayPen pen;
    std::vector<Point2> points;  // Path, Polygon (closed: first point repeated); Dot, Circle, Disc: the centre
    double radius = 0;           // Circle, Disc
    bool hollow = false;         // Polygon drawn as an outline
    // Text: anchored at points[0], turned by angle degrees; anchor 0 start, 1 middle, 2 end.
    double height = 0, angle = 0;
    int anchor = 0;
    std::vector<DisplayTextLine> lines;
    // Insert: the block's primitives placed through `place`.
    int block = 0;
    Transform place;
};

class CKW_API DisplayModel {
public:
    DisplayModel() = default;
    explicit DisplayModel(const Drawing& drawing);
    // A model of the drawing's layers, line types, blocks and extents that holds none of its
    // entities yet: Continue adds them a part at a time, so that a window can show the drawing
    // arriving. The drawing must not change until the model is complete.
    static DisplayModel Started(const Drawing& drawing);
    // Adds the primitives of up to `entities` more entities; true when all are in.
    bool Continue(size_t entities);
    bool Complete() const { return !m_drawing || m_next >= m_drawing->Entities().size(); }
    // Share of the drawing's entities added so far, 0..1.
    double Progress() const;
    // Layers of the drawn entities (known from the start).
    const std::set<int>& Layers() const { return m_layers; }

    const std::vector<Primitive>& Items() const { return m_items; }
    const std::map<int, std::vector<Primitive>>& Blocks() const { return m_blocks; }
    // Extents of what is drawn (false when nothing is).
    bool Extents(std::array<float, 4>& box) const;
    // The dash values of a line type as the drawing defines them (empty: solid).
    const std::vector<float>& Dashes(int lineType) const;
    size_t Size() const { return m_count; }

    // Primitives of one entity (blocks are not expanded), as the model holds them.
    void AddEntity(const Entity& entity, std::vector<Primitive>& out) const;

private:
    const Drawing* m_drawing = nullptr;
    std::vector<Primitive> m_items;
    std::map<int, std::vector<Primitive>> m_blocks;
    std::map<int, std::vector<float>> m_dashes;
    std::map<int, int> m_layerColours;
    std::set<int> m_layers;
    std::array<float, 4> m_extents{};
    bool m_hasExtents = false;
    size_t m_count = 0;
    size_t m_next = 0;  // the first entity not yet added
};

// A dash pattern for painters: alternating dash and gap lengths in drawing units starting with a
// dash, dots drawn `dot` long; empty for a solid line.
CKW_API std::vector<double> DashPattern(const std::vector<float>& dashes, double dot);
// Numbers as drawings show them ("%.6g"; non-finite values as 0).
CKW_API std::string FormatNumber(double value);

}  // namespace ckw::engine
