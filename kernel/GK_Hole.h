#pragma once

#include <kernel/GU_Loop.h>
#include <kernel/GU_Pt_List.h>
#include <kernel/position.h>

#include <memory>
#include <optional>

// A hole given by a closed outline and a depth.
class GK_Hole {
public:
    GK_Hole(const GU_Pt_List& outline, double depth);
    virtual ~GK_Hole() = default;

    // Non-zero for a circle hole, zero for an outline hole.
    virtual int is_circle() const { return 0; }
    virtual std::unique_ptr<GK_Hole> clone() const;

    // The outline, or null for a hole that has none.
    const GU_Loop* get_loop() const { return m_loop ? &*m_loop : nullptr; }
    // The depth the hole was made with, sign kept.
    double get_z() const { return m_depth; }

protected:
    explicit GK_Hole(double depth) : m_depth(depth) {}
    GK_Hole(const GK_Hole&) = default;

private:
    std::optional<GU_Loop> m_loop;
    double m_depth;
};

// A round hole given by centre, diameter and depth. It has no outline loop.
class GK_Circle_Hole : public GK_Hole {
public:
    GK_Circle_Hole(const position& centre, double diameter, double depth);

    int is_circle() const override { return 1; }
    std::unique_ptr<GK_Hole> clone() const override;
    std::unique_ptr<GK_Circle_Hole> clone_circle() const;

    position get_cen() const { return m_centre; }
    double get_radius() const { return m_diameter / 2.0; }

private:
    GK_Circle_Hole(const GK_Circle_Hole&) = default;

    position m_centre;
    double m_diameter;
};
