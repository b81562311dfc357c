#pragma once
/// A point or vector in space, double precision. A plain value: no virtual operations, no heap.
#include "CkwExport.h"

class KeloPoint2d;

class CKW_API KeloPoint3d {
public:
    double x;
    double y;
    double z;

    KeloPoint3d();
    KeloPoint3d(const KeloPoint3d& p);
    KeloPoint3d(const KeloPoint2d& p);  ///< z = 0
    KeloPoint3d(double x, double y, double z);
    KeloPoint3d& operator=(const KeloPoint3d& p);

    KeloPoint3d operator*(double s) const;
    KeloPoint3d operator/(double s) const;  ///< s = 0 follows the floating-point rules
    KeloPoint3d& operator*=(double s);
    KeloPoint3d& operator/=(double s);
    KeloPoint3d& set(double x, double y, double z);

    /// 0 = x, 1 = y, 2 = z. Any other index gives z.
    double& operator[](unsigned i);
    double operator[](unsigned i) const;

    double distanceTo(const KeloPoint3d& p) const;
};

CKW_API KeloPoint3d operator*(double s, const KeloPoint3d& p);
