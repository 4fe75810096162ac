#pragma once

#include <kernel/position.h>

#include <algorithm>
#include <cmath>

// A plane affine map x' = a*x + b*y + tx, y' = c*x + d*y + ty, with a separate
// scale and offset for z (heights and depths follow the block references that
// place an entity).
struct Affine2 {
    double a = 1.0, b = 0.0, c = 0.0, d = 1.0;
    double tx = 0.0, ty = 0.0;
    double zScale = 1.0, zOffset = 0.0;

    static Affine2 translation(double x, double y, double z = 0.0)
    {
        Affine2 m;
        m.tx = x;
        m.ty = y;
        m.zOffset = z;
        return m;
    }
    static Affine2 scaling(double sx, double sy, double sz = 1.0)
    {
        Affine2 m;
        m.a = sx;
        m.d = sy;
        m.zScale = sz;
        return m;
    }
    static Affine2 rotation(double radians)
    {
        Affine2 m;
        m.a = std::cos(radians);
        m.b = -std::sin(radians);
        m.c = std::sin(radians);
        m.d = m.a;
        return m;
    }
    static Affine2 mirrorX() { return scaling(-1.0, 1.0); }

    // This map applied after the other one.
    Affine2 operator*(const Affine2& o) const
    {
        Affine2 m;
        m.a = a * o.a + b * o.c;
        m.b = a * o.b + b * o.d;
        m.c = c * o.a + d * o.c;
        m.d = c * o.b + d * o.d;
        m.tx = a * o.tx + b * o.ty + tx;
        m.ty = c * o.tx + d * o.ty + ty;
        m.zScale = zScale * o.zScale;
        m.zOffset = zScale * o.zOffset + zOffset;
        return m;
    }

    position apply(const position& p) const
    {
        return {a * p.x + b * p.y + tx, c * p.x + d * p.y + ty, zScale * p.z + zOffset};
    }

    double determinant() const { return a * d - b * c; }

    // Largest and smallest stretch of the plane part (singular values).
    double maxStretch() const { return singular(+1.0); }
    double minStretch() const { return singular(-1.0); }

    // True when the plane part keeps shapes: circles stay circles.
    bool isSimilarity(double relTol = 1e-9) const
    {
        const double hi = maxStretch();
        return hi > 0.0 && (hi - minStretch()) <= relTol * hi;
    }

private:
    double singular(double sign) const
    {
        const double s1 = a * a + b * b + c * c + d * d;
        const double det = determinant();
        const double root = std::sqrt(std::max(0.0, s1 * s1 - 4.0 * det * det));
        return std::sqrt(std::max(0.0, (s1 + sign * root) / 2.0));
    }
};
