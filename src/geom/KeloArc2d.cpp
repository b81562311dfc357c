#include <ckw/KeloArc2d.h>

#include <cmath>

namespace {

// Constructors given angles: an end angle not past the start becomes one full turn later, so that
// equal angles mean a full circle.
double EndAfterStart(double startAngle, double endAngle) {
    return endAngle > startAngle ? endAngle : endAngle + KeloArc2d::kArcFullTurn;
}

// The constructor from end points: only an end angle below the start moves, so that two equal
// points give an arc of no sweep.
double EndNotBeforeStart(double startAngle, double endAngle) {
    return endAngle < startAngle ? endAngle + KeloArc2d::kArcFullTurn : endAngle;
}

KeloPoint2d OnCircle(const KeloPoint2d& center, double radius, double angle) {
    return KeloPoint2d(center.x + radius * std::cos(angle), center.y + radius * std::sin(angle));
}

}  // namespace

KeloArc2d::KeloArc2d() : radius(0.0), startAngle(0.0), endAngle(0.0) {}

KeloArc2d::KeloArc2d(const KeloArc2d& arc)
    : center(arc.center),
      startPoint(arc.startPoint),
      endPoint(arc.endPoint),
      radius(arc.radius),
      startAngle(arc.startAngle),
      endAngle(EndAfterStart(arc.startAngle, arc.endAngle)) {}

KeloArc2d::KeloArc2d(const KeloPoint2d& center_, double radius_, double startAngle_, double endAngle_)
    : center(center_), radius(radius_), startAngle(startAngle_), endAngle(EndAfterStart(startAngle_, endAngle_)) {
    startPoint = OnCircle(center, radius, startAngle);
    endPoint = OnCircle(center, radius, endAngle);
}

KeloArc2d::KeloArc2d(const KeloPoint2d& center_, double radius_, const KeloPoint2d& startPoint_,
                     const KeloPoint2d& endPoint_)
    : center(center_), startPoint(startPoint_), endPoint(endPoint_), radius(radius_) {
    startAngle = center.angleTo(startPoint);
    endAngle = EndNotBeforeStart(startAngle, center.angleTo(endPoint));
}

KeloArc2d::KeloArc2d(const KeloPoint2d& startPoint_, const KeloPoint2d& endPoint_, double startAngle_, double endAngle_)
    : startPoint(startPoint_),
      endPoint(endPoint_),
      startAngle(startAngle_),
      endAngle(EndAfterStart(startAngle_, endAngle_)) {
    double chord = startPoint.distanceTo(endPoint);
    radius = (chord / 2.0) / std::sin((endAngle - startAngle) / 2.0);
    center = KeloPoint2d(startPoint.x - radius * std::cos(startAngle), startPoint.y - radius * std::sin(startAngle));
}

KeloArc2d& KeloArc2d::operator=(const KeloArc2d& arc) = default;
