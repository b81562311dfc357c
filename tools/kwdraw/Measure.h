#pragma once
// Measuring on the canvas: the distance and angle between two points, and the area and perimeter
// of a closed polyline picked or of points given in turn. Results stand on the prompt line in
// drawing units and in metres (a drawing's unit is the millimetre).
#include <QString>
#include <vector>

namespace kwdraw {

// A vertex of an outline: its point and the signed height of the arc to the next vertex, as a
// polyline keeps it (0: straight; positive: the arc's middle lies to the right of the chord).
struct OutlineVertex {
    double x = 0, y = 0, arcHeight = 0;
};

// Area (never negative) and perimeter of the closed outline through the vertices.
void AreaAndPerimeter(const std::vector<OutlineVertex>& outline, double& area, double& perimeter);

// The result lines as the prompt line shows them (UTF-8 text of the window).
QString DistanceText(double x1, double y1, double x2, double y2);
QString AreaText(double area, double perimeter);

// The commands: each returns what it measured as shown on the prompt line (empty: given up).
QString MeasureDistanceCommand();
QString MeasureAreaCommand();

}  // namespace kwdraw
