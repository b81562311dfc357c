#pragma once
/// A point or vector in the plane, double precision. A plain value: no virtual operations, no heap.
#include "CkwExport.h"

class KeloPoint3d;

class CKW_API KeloPoint2d {
public:
    double x;
    double y;

    KeloPoint2d();
    KeloPoint2d(const KeloPoint2d& p);
    KeloPoint2d(const KeloPoint3d& p);  ///< drops z
    KeloPoint2d(double x, double y);
    KeloPoint2d(float x, float y);
    KeloPoint2d(int x, int y);
    KeloPoint2d& operator=(const KeloPoint2d& p);

    KeloPoint2d operator*(double s) const;
    KeloPoint2d operator/(double s) const;  ///< s = 0 follows the floating-point rules
    KeloPoint2d& operator*=(double s);
    KeloPoint2d& operator/=(double s);
    KeloPoint2d& set(double x, double y);

    /// 0 = x, 1 = y. Any other index gives y.
    double& operator[](unsigned i);
    double operator[](unsigned i) const;

    double distanceTo(const KeloPoint2d& p) const;
    /// Direction from this point to p, radians in (-pi, pi]; 0 for p equal to this point.
    double angleTo(const KeloPoint2d& p) const;
};

CKW_API KeloPoint2d operator*(double s, const KeloPoint2d& p);
