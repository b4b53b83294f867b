#include "biot_savart.h"

#include <cmath>
#include <numbers>

namespace centrafix::aero {
namespace {

// Closer to a segment's line than this (the square of the distance
// relative to the distances from its ends) a point counts as on it: a vortex
// induces nothing along its own axis, and rounding leaves about 1e-32 there.
constexpr double kOnTheLine = 1e-24;

struct Vec {
    double x, y, z;
};

Vec Minus(const Point3& p, const Point3& q)
{
    return {p.x - q.x, p.y - q.y, p.z - q.z};
}
double Dot(const Vec& u, const Vec& v)
{
    return u.x * v.x + u.y * v.y + u.z * v.z;
}
double Norm(const Vec& u)
{
    return std::sqrt(Dot(u, u));
}
// Only the z component of u x v is ever needed: the surfaces are flat with
// their normal along z.
double CrossZ(const Vec& u, const Vec& v)
{
    return u.x * v.y - u.y * v.x;
}
Vec Cross(const Vec& u, const Vec& v)
{
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, CrossZ(u, v)};
}

// The straight segment from a to b (Katz and Plotkin, Low-Speed
// Aerodynamics, 2nd ed., section 10.4.5): v = G/(4 pi) (r1 x r2) / |r1 x r2|^2
// * r0 . (r1/|r1| - r2/|r2|). The core enters as |r1 x r2|^2 + core^2 |r0|^2,
// which is h^2 + core^2 times |r0|^2, i.e. the factor h^2 / (h^2 + core^2).
double SegmentUpwash(const Point3& a, const Point3& b, const Point3& at, double core)
{
    const Vec r0 = Minus(b, a);
    const Vec r1 = Minus(at, a);
    const Vec r2 = Minus(at, b);
    const Vec c = Cross(r1, r2);
    const double cc = Dot(c, c);
    const double n1 = Norm(r1);
    const double n2 = Norm(r2);
    const double r00 = Dot(r0, r0);
    if (n1 == 0.0 || n2 == 0.0 || cc <= kOnTheLine * Dot(r1, r1) * Dot(r2, r2))
        return 0.0;
    const double along = (Dot(r0, r1) / n1 - Dot(r0, r2) / n2);
    return c.z / (cc + core * core * r00) * along / (4.0 * std::numbers::pi);
}

// The half-infinite line from `from` downstream along +x (the same source,
// with the far end gone to infinity): v = G/(4 pi) (e x r) / |e x r|^2
// * (1 + e . r / |r|).
double TrailingUpwash(const Point3& from, const Point3& at, double core)
{
    const Vec r = Minus(at, from);
    const Vec e{1.0, 0.0, 0.0};
    const Vec c = Cross(e, r);
    const double cc = Dot(c, c);
    const double n = Norm(r);
    if (n == 0.0 || cc <= kOnTheLine * Dot(r, r))
        return 0.0;
    return c.z / (cc + core * core) * (1.0 + r.x / n) / (4.0 * std::numbers::pi);
}

} // namespace

double HorseshoeUpwash(const Point3& a, const Point3& b, const Point3& at, double core)
{
    return SegmentUpwash(a, b, at, core) + TrailingUpwash(b, at, core) - TrailingUpwash(a, at, core);
}

} // namespace centrafix::aero
