#pragma once
// Object snaps: the points of a drawing's entities near the cursor that an asked point may take
// (ends, middles, centres, crossings, the foot of a perpendicular, the nearest point of an outline,
// insertion points, nodes). Candidates come from the hit-test index, so a query looks at the few
// entities near the cursor, never at the whole drawing.
#include <cstddef>
#include <optional>

#include <ckw/CkwExport.h>
#include <ckw/EngineDrawing.h>

#include "EntityIndex.h"
#include "Shapes.h"

namespace ckw::engine {

// In the order a tie is settled in: at the same distance an end wins over a crossing, and so on.
// Nearest is taken only when no other kind lies within reach.
enum class SnapKind : unsigned {
    Endpoint = 1,
    Intersection = 2,
    Midpoint = 4,
    Centre = 8,
    Insertion = 16,
    Node = 32,
    Perpendicular = 64,
    Nearest = 128,
};
inline constexpr unsigned kAllSnaps = 255;
constexpr unsigned SnapBit(SnapKind kind) { return static_cast<unsigned>(kind); }

struct Snap {
    SnapKind kind = SnapKind::Nearest;
    double x = 0, y = 0;
    size_t entity = 0;  // index of the (top-level) entity it lies on
};

struct SnapQuery {
    double x = 0, y = 0;  // the cursor, in world coordinates
    double within = 0;    // how far from the cursor a snap may lie (drawing units)
    unsigned kinds = kAllSnaps;
    // The point the asked one is drawn from: a perpendicular's foot is measured from it.
    std::optional<Point2> from;
};

class CKW_API SnapFinder {
public:
    SnapFinder() = default;
    explicit SnapFinder(const Drawing& drawing) : m_index(drawing) {}

    // The snap nearest to the cursor among the kinds asked (the drawing indexed above).
    std::optional<Snap> Find(const Drawing& drawing, const SnapQuery& query) const;

private:
    EntityIndex m_index;
};

}  // namespace ckw::engine
