#pragma once
// The window's own drafting commands: line, polyline (with arcs), circle, arc, a single-line text
// typed in place on the canvas, and linear and aligned dimensions drawn with the parameter
// library's dimension settings. Each asks its points on the prompt line with a rubber band and
// draws through the host engine, so that it runs as one command of the window.
#include <array>
#include <string>
#include <vector>

namespace kwdraw {

class DrawingView;

void LineCommand();
void PolylineCommand();
void CircleCommand();
void ArcCommand();
// The text is typed into an editor standing on the canvas at the insertion point.
void TextCommand(DrawingView& view);
// Linear: horizontal or vertical, as the dimension line's point lies; aligned: along the points.
void DimensionCommand(bool aligned);

// --- What the commands compute (kept apart for the tests) ---

// The arc through three points: centre, radius, and start and end degrees anticlockwise; false
// when the points lie on one line.
bool ArcThrough(double x1, double y1, double x2, double y2, double x3, double y3, double& cx, double& cy, double& r,
                double& startDegrees, double& endDegrees);
// The signed height of that arc over the chord from the first point to the third (positive: the
// arc's middle lies to the right of the chord), as a polyline vertex keeps it.
double ArcHeightThrough(double x1, double y1, double x2, double y2, double x3, double y3);

// The sizes a dimension is drawn with, in paper millimetres (the library's dimension settings).
struct DimensionStyle {
    double extensionBeyond = 2;  // extension lines past the dimension line
    double originGap = 2;        // gap between the measured point and its extension line
    double tick = 2;             // length of the 45-degree tick at each end
    double textHeight = 3.5;
    double textWidthFactor = 0.7;
    double textGap = 1;  // between the dimension line and its text
    // The settings of the parameter library (the defaults where it has none).
    static DimensionStyle FromLibrary();
};

struct DimensionShape {
    std::vector<std::array<double, 4>> lines;  // extension lines and the dimension line
    std::vector<std::array<double, 4>> ticks;
    double textX = 0, textY = 0, textAngle = 0;
    std::string text;  // the measured length
};

// A dimension of p1-p2 whose dimension line passes through p3, at drawing scale `scale`.
DimensionShape LayOutDimension(double x1, double y1, double x2, double y2, double x3, double y3, bool aligned,
                               const DimensionStyle& style, double scale);

}  // namespace kwdraw
