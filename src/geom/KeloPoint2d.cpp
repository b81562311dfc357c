#include <ckw/KeloPoint2d.h>

#include <cmath>

#include <ckw/KeloPoint3d.h>

KeloPoint2d::KeloPoint2d() : x(0.0), y(0.0) {}
KeloPoint2d::KeloPoint2d(const KeloPoint2d& p) = default;
KeloPoint2d::KeloPoint2d(const KeloPoint3d& p) : x(p.x), y(p.y) {}
KeloPoint2d::KeloPoint2d(double x_, double y_) : x(x_), y(y_) {}
KeloPoint2d::KeloPoint2d(float x_, float y_) : x(x_), y(y_) {}
KeloPoint2d::KeloPoint2d(int x_, int y_) : x(x_), y(y_) {}
KeloPoint2d& KeloPoint2d::operator=(const KeloPoint2d& p) = default;

KeloPoint2d KeloPoint2d::operator*(double s) const { return KeloPoint2d(x * s, y * s); }
KeloPoint2d KeloPoint2d::operator/(double s) const { return KeloPoint2d(x / s, y / s); }

KeloPoint2d& KeloPoint2d::operator*=(double s) {
    x *= s;
    y *= s;
    return *this;
}

KeloPoint2d& KeloPoint2d::operator/=(double s) {
    x /= s;
    y /= s;
    return *this;
}

KeloPoint2d& KeloPoint2d::set(double x_, double y_) {
    x = x_;
    y = y_;
    return *this;
}

double& KeloPoint2d::operator[](unsigned i) { return i == 0 ? x : y; }
double KeloPoint2d::operator[](unsigned i) const { return i == 0 ? x : y; }

double KeloPoint2d::distanceTo(const KeloPoint2d& p) const {
    double dx = p.x - x;
    double dy = p.y - y;
    return std::sqrt(dx * dx + dy * dy);
}

double KeloPoint2d::angleTo(const KeloPoint2d& p) const { return std::atan2(p.y - y, p.x - x); }

KeloPoint2d operator*(double s, const KeloPoint2d& p) { return p * s; }
