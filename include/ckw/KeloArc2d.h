#pragma once
/// @file
/// The arc of the plane.
#include "CkwExport.h"
#include "KeloPoint2d.h"

/// @addtogroup geometry
/// @{

/// A circular arc in the plane, held redundantly by centre, radius, end points and angles (radians).
///
/// Every constructor except the default one keeps endAngle > startAngle: the arc runs anticlockwise
/// from startAngle to endAngle. Where the given end angle is not past the start angle, one full turn
/// is added once. The full turn is 2*pi rounded to single precision (kArcFullTurn), as the suite's
/// drawings have always been computed with; assignment copies the values as they are.
class CKW_API KeloArc2d {
public:
    /// One full turn: 2*pi rounded to single precision.
    static constexpr double kArcFullTurn = 6.2831854820251465;

    KeloPoint2d center;      ///< the centre
    KeloPoint2d startPoint;  ///< where the arc starts
    KeloPoint2d endPoint;    ///< where the arc ends
    double radius;           ///< the radius
    double startAngle;       ///< direction of the start point from the centre
    double endAngle;         ///< direction of the end point from the centre, greater than startAngle

    /// Everything 0.
    KeloArc2d();
    /// Copies, then adds a full turn to endAngle when it is not greater than startAngle.
    KeloArc2d(const KeloArc2d& arc);
    /// Equal angles give a full circle. The end points are computed from the (adjusted) angles.
    KeloArc2d(const KeloPoint2d& center, double radius, double startAngle, double endAngle);
    /// The angles are taken from the end points; equal angles stay equal (an arc of no sweep).
    /// The radius is not checked against the points.
    KeloArc2d(const KeloPoint2d& center, double radius, const KeloPoint2d& startPoint, const KeloPoint2d& endPoint);
    /// Radius from the chord and the sweep; a sweep of a full turn gives a huge radius.
    KeloArc2d(const KeloPoint2d& startPoint, const KeloPoint2d& endPoint, double startAngle, double endAngle);
    /// Copies the values as they are.
    KeloArc2d& operator=(const KeloArc2d& arc);
};

/// @}
