#include <ckw/KeloPoint3d.h>

#include <cmath>

#include <ckw/KeloPoint2d.h>

KeloPoint3d::KeloPoint3d() : x(0.0), y(0.0), z(0.0) {}
KeloPoint3d::KeloPoint3d(const KeloPoint3d& p) = default;
KeloPoint3d::KeloPoint3d(const KeloPoint2d& p) : x(p.x), y(p.y), z(0.0) {}
KeloPoint3d::KeloPoint3d(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
KeloPoint3d& KeloPoint3d::operator=(const KeloPoint3d& p) = default;

KeloPoint3d KeloPoint3d::operator*(double s) const { return KeloPoint3d(x * s, y * s, z * s); }
KeloPoint3d KeloPoint3d::operator/(double s) const { return KeloPoint3d(x / s, y / s, z / s); }

KeloPoint3d& KeloPoint3d::operator*=(double s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
}

KeloPoint3d& KeloPoint3d::operator/=(double s) {
    x /= s;
    y /= s;
    z /= s;
    return *this;
}

KeloPoint3d& KeloPoint3d::set(double x_, double y_, double z_) {
    x = x_;
    y = y_;
    z = z_;
    return *this;
}

double& KeloPoint3d::operator[](unsigned i) { return i == 0 ? x : i == 1 ? y : z; }
double KeloPoint3d::operator[](unsigned i) const { return i == 0 ? x : i == 1 ? y : z; }

double KeloPoint3d::distanceTo(const KeloPoint3d& p) const {
    double dx = p.x - x;
    double dy = p.y - y;
    double dz = p.z - z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

KeloPoint3d operator*(double s, const KeloPoint3d& p) { return p * s; }
