#pragma once
// Geometry of the engine's entities: placing them through a transform, their extents, their
// distance from a point (hit tests), and the outlines that drawing them produces.
#include <array>
#include <map>
#include <vector>

#include <ckw/EngineDrawing.h>

namespace ckw::engine {

// Affine plan transform: x' = a x + c y + e, y' = b x + d y + f.
struct Transform {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    // A record of nine floats: origin x, y, z; scales x, y, z; rotations x, y, z (degrees).
    static Transform FromRecord(const float* record);
    static Transform Translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Transform ScaleAbout(double x, double y, double factor);
    static Transform RotationAbout(double x, double y, double degrees);

    void Apply(double x, double y, double& ox, double& oy) const {
        ox = a * x + c * y + e;
        oy = b * x + d * y + f;
    }
    // This transform after `inner` (inner first).
    Transform After(const Transform& inner) const;
    bool Invert(Transform& inverse) const;
    double Scale() const;     // length factor (geometric mean of the axes)
    double Rotation() const;  // degrees of the x axis
    bool Mirrors() const { return a * d - b * c < 0; }
    bool IsIdentity() const { return a == 1 && b == 0 && c == 0 && d == 1 && e == 0 && f == 0; }
};

struct Bounds {
    bool empty = true;
    float xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    void Add(double x, double y);
};

struct Point2 {
    double x = 0, y = 0;
};

// The transform of a block insertion entity (values: block, x, y, z, sx, sy, sz, rotation).
Transform InsertTransform(const Entity& insert);

// Places an entity through a transform (sizes follow the transform's scale).
void TransformEntity(Entity& entity, const Transform& t);

// Outline points of the arc over segment p->q with the given arc height (see HostDrawWidePolyline).
std::vector<Point2> BulgePoints(Point2 p, Point2 q, double arcHeight);
// Points of an arc anticlockwise from start to end degrees.
std::vector<Point2> ArcPoints(double cx, double cy, double r, double startDeg, double endDeg);
// The outline of an entity as polylines in drawing coordinates (texts as their box); closed
// outlines repeat their first point. Block insertions are not expanded here.
std::vector<std::vector<Point2>> Outline(const Entity& entity);
// Corners of a text's box (approximated from its character sizes).
std::array<Point2, 4> TextBox(const Entity& entity);
// A value that holds a whole number (a vertex count, a block number, an alignment) as an int: 0
// when it is not a number, the nearest int when it lies beyond int's range (a drawing file may
// hold anything; converting such a float to int directly is undefined).
int WholeNumber(double value);
// The vertex count a polyline entity holds: its count, within 0, kMaxPolylineVertices and the
// vertices its values hold.
int PolylineVertexCount(const Entity& polyline);

// Number of characters of GBK text (a double-byte character counts as two widths).
double TextWidthUnits(const std::string& gbk);

void AddEntityBounds(const Entity& entity, const std::map<int, Block>& blocks, const Transform& t, Bounds& bounds,
                     int depth);
// Distance from (x, y) to the entity; a very large value for entities that cannot be hit.
double DistanceTo(const Entity& entity, const std::map<int, Block>& blocks, double x, double y, int depth = 0);
// True when the entity lies wholly inside the box.
bool InsideBox(const Entity& entity, const std::map<int, Block>& blocks, double x1, double y1, double x2, double y2);
// True when part of the entity's outline lies in the box (a block insertion: part of its content).
bool CrossesBox(const Entity& entity, const std::map<int, Block>& blocks, double x1, double y1, double x2, double y2,
                int depth = 0);

inline constexpr int kMaxBlockDepth = 8;

}  // namespace ckw::engine
