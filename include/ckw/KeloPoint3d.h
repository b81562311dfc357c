#pragma once
/// @file
/// The point of space.
#include "CkwExport.h"

class KeloPoint2d;

/// @addtogroup geometry
/// @{

/// A point or vector in space, double precision. A plain value: no virtual operations, no heap.
class CKW_API KeloPoint3d {
public:
    double x;  ///< x coordinate
    double y;  ///< y coordinate
    double z;  ///< z coordinate

    KeloPoint3d();                                 ///< (0, 0, 0)
    KeloPoint3d(const KeloPoint3d& p);             ///< a copy
    KeloPoint3d(const KeloPoint2d& p);             ///< z = 0
    KeloPoint3d(double x, double y, double z);     ///< (x, y, z)
    KeloPoint3d& operator=(const KeloPoint3d& p);  ///< copies p

    KeloPoint3d operator*(double s) const;           ///< scaled by s
    KeloPoint3d operator/(double s) const;           ///< divided by s; s = 0 follows the floating-point rules
    KeloPoint3d& operator*=(double s);               ///< scales by s
    KeloPoint3d& operator/=(double s);               ///< divides by s
    KeloPoint3d& set(double x, double y, double z);  ///< becomes (x, y, z)

    /// 0 = x, 1 = y, 2 = z. Any other index gives z.
    double& operator[](unsigned i);
    double operator[](unsigned i) const;  ///< the same, read only

    /// The distance to p.
    double distanceTo(const KeloPoint3d& p) const;
};

/// p scaled by s.
CKW_API KeloPoint3d operator*(double s, const KeloPoint3d& p);

/// @}
