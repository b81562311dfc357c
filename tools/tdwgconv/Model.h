#pragma once
// The neutral drawing both readers fill and the one .T writer consumes: layers, line types,
// blocks and entities with their geometry, colours and extended data. Texts are GBK already
// (the readers convert); coordinates are in the source's units until the writer scales them.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tdwg {

struct Vertex {
    double x = 0, y = 0;
    double bulge = 0;  // tan(quarter of the arc's sweep) to the next vertex; > 0 anticlockwise
    double startWidth = 0, endWidth = 0;
};

struct XDataValue {
    enum class Type { Int, Real, String } type = Type::Int;
    int32_t i = 0;
    double r = 0;
    std::string s;
};

struct XDataApp {
    std::string name;
    std::vector<XDataValue> values;
};

// What an entity becomes in the engine; Skip carries the reason in `skipReason`.
enum class Shape { Point, Line, Polyline, Circle, Arc, Text, MText, Trace, Insert, Skip };

inline constexpr int kColourByLayer = 256;
inline constexpr int kColourByBlock = 0;

struct Entity {
    std::string kind;  // the source's kind ("LINE", "LWPOLYLINE", ...), for the report
    Shape shape = Shape::Skip;
    std::string skipReason;
    std::string layer;
    std::string lineType;  // empty or "BYLAYER": the layer's
    int colour = kColourByLayer;
    int32_t trueColour = -1;   // 0xRRGGBB, or -1
    double lineWeightMm = -1;  // < 0: the layer's

    std::vector<Vertex> vertices;  // Line: 2; Polyline: n; Trace: 4 corners in drawing order
    bool closed = false;
    double cx = 0, cy = 0, radius = 0, startDeg = 0, endDeg = 0;  // Circle, Arc (anticlockwise)

    std::string text;  // Text, MText (lines split by '\n'); GBK
    double height = 0, widthFactor = 1, angleDeg = 0, lineSpacing = 1;
    int hAlign = 0, vAlign = 0;  // 0 left / baseline, 1 centre / bottom, 2 right / middle, 3 top
    double x = 0, y = 0;         // text alignment point, insertion point, point

    std::string block;  // Insert
    double sx = 1, sy = 1, sz = 1;

    std::vector<XDataApp> xdata;
    // Extrusion direction of an entity given in its object coordinate system; +Z for the others.
    double nx = 0, ny = 0, nz = 1;
};

// The application whose extended data keeps an attribute's tag on the text its value becomes.
inline constexpr const char* kAttributeApp = "CKW_ATTRIB";

struct Layer {
    std::string name;
    int colour = 7;  // negative: switched off
    int32_t trueColour = -1;
    std::string lineType;
    double lineWeightMm = 0;
};

struct LineType {
    std::string name;
    std::vector<double> dashes;  // positive dash, negative gap, 0 dot
};

struct Block {
    std::string name;        // as insertions refer to it
    int number = 0;          // the engine block number a drawing written by this program gave it, or 0
    std::string engineName;  // and its name there, when the source's name had to change
    double baseX = 0, baseY = 0;
    std::vector<Entity> entities;
};

struct Counts {
    long read = 0, written = 0;
    std::map<std::string, long> skipped;  // reason -> count
};

// The counts of a kind, looked up once for each run of entities of one kind (most entities follow
// one of their own kind). Always used with the same map.
class KindCounts {
public:
    Counts& Of(std::map<std::string, Counts>& kinds, const std::string& kind) {
        if (!m_counts || kind != m_kind) {
            m_kind = kind;
            m_counts = &kinds[kind];
        }
        return *m_counts;
    }

private:
    std::string m_kind;
    Counts* m_counts = nullptr;
};

// Moving model space towards the origin, in source units: positions of top-level entities are
// written less the shift and the drawing's record keeps it, so that an export puts them back.
struct ShiftRequest {
    enum class Mode { Recorded, Auto, Given } mode = Mode::Recorded;  // Recorded: the source record's
    double x = 0, y = 0;
};

struct Drawing {
    std::vector<Layer> layers;
    std::vector<LineType> lineTypes;
    std::vector<Block> blocks;
    std::vector<Entity> entities;      // model space
    double unitToMm = 1;               // drawing units to millimetres
    std::vector<int32_t> drawingData;  // the drawing-level record, when the source carries one
    ShiftRequest shift;                // after writing: the shift used, as Given
    // Report
    std::map<std::string, Counts> kinds;  // source kind -> counts
    long unmappableCharacters = 0;
    long droppedXDataValues = 0;
    std::string sourceVersion;
    std::string sourceCodePage;         // as DXF names it ("ANSI_1252", "ANSI_936"); empty: not said
    double worstLossMm = 0;             // the most a coordinate lost in the drawing's 4-byte numbers
    std::vector<std::string> warnings;  // what the reader took on trust or let pass
};

}  // namespace tdwg
