#pragma once
/// @file
/// The point of the plane.
#include "CkwExport.h"

class KeloPoint3d;

/// @addtogroup geometry
/// @{

/// A point or vector in the plane, double precision. A plain value: no virtual operations, no heap.
class CKW_API KeloPoint2d {
public:
    double x;  ///< x coordinate
    double y;  ///< y coordinate

    KeloPoint2d();                                 ///< (0, 0)
    KeloPoint2d(const KeloPoint2d& p);             ///< a copy
    KeloPoint2d(const KeloPoint3d& p);             ///< drops z
    KeloPoint2d(double x, double y);               ///< (x, y)
    KeloPoint2d(float x, float y);                 ///< (x, y)
    KeloPoint2d(int x, int y);                     ///< (x, y)
    KeloPoint2d& operator=(const KeloPoint2d& p);  ///< copies p

    KeloPoint2d operator*(double s) const;  ///< scaled by s
    KeloPoint2d operator/(double s) const;  ///< divided by s; s = 0 follows the floating-point rules
    KeloPoint2d& operator*=(double s);      ///< scales by s
    KeloPoint2d& operator/=(double s);      ///< divides by s
    KeloPoint2d& set(double x, double y);   ///< becomes (x, y)

    /// 0 = x, 1 = y. Any other index gives y.
    double& operator[](unsigned i);
    double operator[](unsigned i) const;  ///< the same, read only

    /// The distance to p.
    double distanceTo(const KeloPoint2d& p) const;
    /// Direction from this point to p, radians in (-pi, pi]; 0 for p equal to this point.
    double angleTo(const KeloPoint2d& p) const;
};

/// p scaled by s.
CKW_API KeloPoint2d operator*(double s, const KeloPoint2d& p);

/// @}
