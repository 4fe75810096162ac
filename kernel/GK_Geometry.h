#pragma once

#include <kernel/position.h>

#include <algorithm>
#include <cmath>

// The plane geometry every layer shares: the importer places drawings with
// these, the kernel places parts on a door leaf, machining cuts where they
// say.

// A plane affine map x' = a·x + c·y + e, y' = b·x + d·y + f (the columns
// (a, b) and (c, d) are the images of the axes, as in QTransform), with a
// scale and offset of its own for z: heights and depths follow the block
// references that place an entity.
struct GK_Affine {
    double a = 1.0, b = 0.0, c = 0.0, d = 1.0, e = 0.0, f = 0.0;
    double zScale = 1.0, zOffset = 0.0;

    static GK_Affine translation(double x, double y, double z = 0.0)
    {
        GK_Affine m;
        m.e = x;
        m.f = y;
        m.zOffset = z;
        return m;
    }
    static GK_Affine scaling(double sx, double sy, double sz = 1.0)
    {
        GK_Affine m;
        m.a = sx;
        m.d = sy;
        m.zScale = sz;
        return m;
    }
    // Counter-clockwise by the angle.
    static GK_Affine rotation(double radians)
    {
        GK_Affine m;
        m.a = std::cos(radians);
        m.b = std::sin(radians);
        m.c = -m.b;
        m.d = m.a;
        return m;
    }
    static GK_Affine mirrorX() { return scaling(-1.0, 1.0); }

    // This map applied after the other one.
    GK_Affine operator*(const GK_Affine& o) const
    {
        GK_Affine m;
        m.a = a * o.a + c * o.b;
        m.b = b * o.a + d * o.b;
        m.c = a * o.c + c * o.d;
        m.d = b * o.c + d * o.d;
        m.e = a * o.e + c * o.f + e;
        m.f = b * o.e + d * o.f + f;
        m.zScale = zScale * o.zScale;
        m.zOffset = zScale * o.zOffset + zOffset;
        return m;
    }

    position map(const position& p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f, zScale * p.z + zOffset}; }

    double determinant() const { return a * d - b * c; }
    // True when the map mirrors, which turns outlines the other way round.
    bool mirrors() const { return determinant() < 0.0; }

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

// An axis-aligned box in millimetres.
struct GK_Box {
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;

    double width() const { return x1 - x0; }
    double height() const { return y1 - y0; }
    bool contains(const GK_Box& inner) const
    {
        return inner.x0 >= x0 && inner.x1 <= x1 && inner.y0 >= y0 && inner.y1 <= y1;
    }
    bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};
