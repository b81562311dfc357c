// CUtil's steel and composite section outlines. Each computes the corner points of a section from
// its dimensions, centre and rotation; the caller draws them. Every point is one float polar step
// from an earlier one, so results match the suite's other float geometry to the bit.
#include <ckw/Util.h>
#include "geom/FloatPolar.h"
#include "geom/GeomConstants.h"

namespace {

using ckw::geom::kHalfPiF;
using ckw::geom::kPiF;
using ckw::geom::PolarF;

struct Pt {
    float x;
    float y;
};

// The section's own axes: u along the rotation angle, n a quarter turn anticlockwise from it.
// A step "- k along n" turns the other way rather than negating k, as the suite always has.
class SectionAxes {
public:
    SectionAxes(float x, float y, float angle)
        : m_centre{x, y}, m_u(angle), m_n(angle + kHalfPiF), m_minusN(angle - kHalfPiF), m_minusU(angle + kPiF) {}

    Pt Centre() const { return m_centre; }
    Pt PlusU(Pt q, float k) const { return Step(q, m_u, k); }
    Pt MinusU(Pt q, float k) const { return Step(q, m_minusU, k); }
    Pt PlusN(Pt q, float k) const { return Step(q, m_n, k); }
    Pt MinusN(Pt q, float k) const { return Step(q, m_minusN, k); }
    // The two faces of a web of thickness t through the centre.
    Pt RightFace(float t) const { return PlusU(m_centre, t / 2); }
    Pt LeftFace(float t) const { return MinusU(m_centre, t / 2); }

private:
    static Pt Step(Pt q, float angle, float k) {
        Pt p;
        PolarF(q.x, q.y, angle, k, p.x, p.y);
        return p;
    }
    Pt m_centre;
    float m_u, m_n, m_minusN, m_minusU;
};

template <size_t N>
void Store(const Pt (&points)[N], float* xs, float* ys) {
    for (size_t i = 0; i < N; ++i) {
        xs[i] = points[i].x;
        ys[i] = points[i].y;
    }
}

}  // namespace

void CUtil::HSHAPE(float x, float y, float angle, float* d, float* xs, float* ys) {
    SectionAxes s(x, y, angle);
    Pt R = s.RightFace(d[1]), L = s.LeftFace(d[1]);
    Pt p[12];
    p[2] = s.PlusN(L, d[4] / 2 - d[3]);
    p[9] = s.PlusN(R, d[4] / 2 - d[3]);
    p[3] = s.MinusN(L, d[4] / 2 - d[5]);
    p[8] = s.MinusN(R, d[4] / 2 - d[5]);
    p[1] = s.MinusU(p[2], (d[0] - d[1]) / 2);
    p[10] = s.PlusU(p[9], (d[0] - d[1]) / 2);
    p[4] = s.MinusU(p[3], (d[2] - d[1]) / 2);
    p[7] = s.PlusU(p[8], (d[2] - d[1]) / 2);
    p[0] = s.PlusN(p[1], d[3]);
    p[11] = s.PlusN(p[10], d[3]);
    p[5] = s.MinusN(p[4], d[5]);
    p[6] = s.MinusN(p[7], d[5]);
    Store(p, xs, ys);
}

// A flange of length >= 0 reaches from the web to the -u side, a negative one to the +u side; the
// numbering keeps one rotational order, so mixed signs give a Z.
void CUtil::CSHAPE(float x, float y, float angle, float* d, float* xs, float* ys) {
    SectionAxes s(x, y, angle);
    Pt R = s.RightFace(d[1]), L = s.LeftFace(d[1]);
    Pt p[8];
    bool topLeft = d[0] >= 0;
    if (topLeft) {
        p[1] = s.PlusN(R, d[4] / 2);
        p[6] = s.PlusN(L, d[4] / 2 - d[3]);
        p[7] = s.MinusU(p[6], d[0]);
        p[0] = s.PlusN(p[7], d[3]);
    } else {
        p[0] = s.PlusN(L, d[4] / 2);
        p[3] = s.PlusN(R, d[4] / 2 - d[3]);
        p[2] = s.MinusU(p[3], d[0]);
        p[1] = s.PlusN(p[2], d[3]);
    }
    // The bottom flange's four points start at index 2 after a top flange to the left, 4 otherwise.
    int b = topLeft ? 2 : 4;
    auto at = [&](int k) -> Pt& { return p[(b + k) % 8]; };
    if (d[2] >= 0) {
        at(0) = s.MinusN(R, d[4] / 2);
        at(3) = s.MinusN(L, d[4] / 2 - d[5]);
        at(2) = s.MinusU(at(3), d[2]);
        at(1) = s.MinusN(at(2), d[5]);
    } else {
        at(3) = s.MinusN(L, d[4] / 2);
        at(0) = s.MinusN(R, d[4] / 2 - d[5]);
        at(1) = s.MinusU(at(0), d[2]);
        at(2) = s.MinusN(at(1), d[5]);
    }
    Store(p, xs, ys);
}

void CUtil::XSHAPE(float x, float y, float angle, float* d, float* xs, float* ys) {
    SectionAxes s(x, y, angle);
    Pt R = s.RightFace(d[1]), L = s.LeftFace(d[1]);
    Pt p[12];
    p[0] = s.PlusN(L, d[5] / 2);
    p[1] = s.PlusN(R, d[5] / 2);
    p[6] = s.MinusN(R, d[5] / 2);
    p[7] = s.MinusN(L, d[5] / 2);
    p[11] = s.MinusN(p[0], d[3]);
    p[2] = s.MinusN(p[1], d[3]);
    p[8] = s.MinusN(p[11], d[4]);
    p[5] = s.MinusN(p[2], d[4]);
    p[10] = s.MinusU(p[11], d[0]);
    p[9] = s.MinusU(p[8], d[0]);
    p[3] = s.PlusU(p[2], d[2]);
    p[4] = s.PlusU(p[5], d[2]);
    Store(p, xs, ys);
}

// Points 0-3 the outer rectangle, 4-7 the inner one; the caller closes each ring. Walls that add up
// to more than the size give a crossed inner ring, as drawn.
void CUtil::OSHAPE(float x, float y, float angle, float* d, float* xs, float* ys) {
    SectionAxes s(x, y, angle);
    Pt R = s.RightFace(d[1]), L = s.LeftFace(d[1]);
    Pt p[8];
    p[0] = s.PlusN(L, d[4] / 2);
    p[1] = s.PlusN(R, d[4] / 2);
    p[2] = s.MinusN(R, d[4] / 2);
    p[3] = s.MinusN(L, d[4] / 2);
    float innerWidth = d[1] - d[0] - d[2];
    p[4] = s.PlusU(s.MinusN(p[0], d[3]), d[0]);
    p[5] = s.PlusU(p[4], innerWidth);
    p[7] = s.MinusN(p[4], d[4] - d[3] - d[5]);
    p[6] = s.PlusU(p[7], innerWidth);
    Store(p, xs, ys);
}

// One T with its flange on the +n side; its web stops d1/2 from the centre, at the edge of the
// central d1 x d1 square that T4SHAPE closes.
void CUtil::TSHAPE(float x, float y, float angle, float* d, float& X0, float& X1, float& X2, float& X3, float& X4,
                   float& X5, float& X6, float& X7, float& Y0, float& Y1, float& Y2, float& Y3, float& Y4, float& Y5,
                   float& Y6, float& Y7) {
    SectionAxes s(x, y, angle);
    Pt top = s.PlusN(s.Centre(), d[5] / 2);
    Pt p[8];
    p[0] = s.MinusU(top, d[2] / 2);
    p[1] = s.PlusU(p[0], d[2]);
    p[2] = s.MinusN(p[1], d[4]);
    p[7] = s.MinusN(p[0], d[4]);
    p[3] = s.MinusU(p[2], (d[2] - d[1]) / 2);
    p[6] = s.PlusU(p[7], (d[2] - d[1]) / 2);
    p[4] = s.MinusN(p[3], (d[5] - d[1]) / 2 - d[4]);
    p[5] = s.MinusN(p[6], (d[5] - d[1]) / 2 - d[4]);
    float* xs[8] = {&X0, &X1, &X2, &X3, &X4, &X5, &X6, &X7};
    float* ys[8] = {&Y0, &Y1, &Y2, &Y3, &Y4, &Y5, &Y6, &Y7};
    for (int k = 0; k < 8; ++k) {
        *xs[k] = p[k].x;
        *ys[k] = p[k].y;
    }
}

// Four Ts turned a quarter turn clockwise each time, joined into one 28-point outline: T k fills
// 7k..7k+4 with its points 0-4 and the three before 7k with its points 5-7. The corners of the
// central square (4, 11, 18, 25) are written twice; the later write stays.
void CUtil::T4SHAPE(float x, float y, float angle, float* d, float* xs, float* ys) {
    const float angles[4] = {angle, angle - kHalfPiF, angle + kPiF, angle + kHalfPiF};
    for (int k = 0; k < 4; ++k) {
        int at[8];
        for (int i = 0; i < 5; ++i) at[i] = 7 * k + i;
        for (int i = 5; i < 8; ++i) at[i] = (7 * k + i - 8 + 28) % 28;
        TSHAPE(x, y, angles[k], d, xs[at[0]], xs[at[1]], xs[at[2]], xs[at[3]], xs[at[4]], xs[at[5]], xs[at[6]],
               xs[at[7]], ys[at[0]], ys[at[1]], ys[at[2]], ys[at[3]], ys[at[4]], ys[at[5]], ys[at[6]], ys[at[7]]);
    }
}

void CUtil::ASHAPE(float x, float y, float angle, float* d, float* xs, float* ys) {
    SectionAxes s(x, y, angle);
    Pt top = s.PlusN(s.Centre(), d[5] / 2);
    Pt p[4];
    p[0] = s.MinusU(top, d[1] / 2 + d[4]);
    p[1] = s.PlusU(top, d[1] / 2 + d[2]);
    p[2] = s.MinusN(s.RightFace(d[1]), d[5] / 2);
    p[3] = s.MinusU(p[2], d[1]);
    Store(p, xs, ys);
}
