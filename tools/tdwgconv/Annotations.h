#pragma once
// Annotation kinds drawn from their parts: multi-lines, leaders and multi-leaders become the
// neutral model's polylines, arrowheads and texts. Both readers gather the parts from their own
// source and hand them here; the first entity made is the source entity itself (it keeps its
// kind, for the report), the others follow it as continuations.
#include <string>
#include <vector>

#include "Curves.h"
#include "Model.h"

namespace tdwg {

// A multi-line's vertex: where it is, the direction its elements are offset along (the miter),
// and each element's offset along that direction (the scale and justification already applied).
struct MLineVertex {
    Point2 at, miter;
    std::vector<double> offsets;
};

// One polyline per element, closed when the multi-line is; `colours` (by element, may be shorter)
// gives an element's own colour where its style sets one (1 to 255; by layer and by block leave the
// multi-line's).
void MLinePolylines(const std::vector<MLineVertex>& vertices, bool closed, const std::vector<int>& colours, Entity& e,
                    std::vector<Entity>& more);

// The caps a multi-line's style draws across its open ends, between its outermost elements: a line
// (style flags 16 at the start, 256 at the end) or a half circle (64, 1024), unless the multi-line
// suppresses them (its flags 4, 8) or is closed (2). They are added to `out` as polylines in
// `proto`'s colour.
void MLineCaps(const std::vector<MLineVertex>& vertices, int styleFlags, int mlineFlags, const Entity& proto,
               std::vector<Entity>& out);

// A closed filled arrowhead `size` long and a third as wide, its tip at `tip`, pointing away from
// `from`, as a solid; none for a size of zero or a leader without direction.
bool Arrowhead(const Entity& proto, Point2 tip, Point2 from, double size, Entity& arrow);

// A leader's line through its vertices, with an arrowhead at the first when `size` > 0.
void LeaderLine(const std::vector<Point2>& points, double arrowSize, Entity& e, std::vector<Entity>& more);

// The parts of a multi-leader: its leader lines (each from the arrow's tip to its landing), the
// dogleg of each branch, and its content, a multi-line text or a block.
struct MultiLeaderParts {
    struct Branch {
        std::vector<std::vector<Point2>> lines;  // each from the arrow's tip on
        bool hasLanding = false;
        Point2 landing;           // where the lines meet the dogleg
        Point2 doglegDirection;   // unit vector from the landing
        double doglegLength = 0;  // 0: no dogleg
    };
    std::vector<Branch> branches;
    bool drawLines = true;  // the leader-line type is not "invisible"
    double arrowSize = 0;
    bool hasText = false;
    std::string text;  // GBK, formatting removed
    Point2 textAt;
    double textHeight = 0, textAngleDeg = 0;
    int attachment = 1;  // 1 top left ... 9 bottom right, as a multi-line text's
    bool hasBlock = false;
    std::string block;
    Point2 blockAt;
    double blockSx = 1, blockSy = 1, blockAngleDeg = 0;
};

void MultiLeader(const MultiLeaderParts& parts, Entity& e, std::vector<Entity>& more);

// The arrow size a leader's own dimension-style overrides give (the ACAD application's "DSTYLE"
// list: group 41 the size, 40 the overall scale), else the drawing's defaults.
double LeaderArrowSize(const std::vector<XDataApp>& xdata, double defaultSize, double defaultScale);

}  // namespace tdwg
