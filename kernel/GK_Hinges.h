#pragma once

#include <kernel/GK_Hole.h>
#include <kernel/GK_NamedObject.h>
#include <kernel/GU_List.h>
#include <kernel/GU_Loop.h>

// A hinge model: its closed outline and its round holes, which it owns.
class GK_Hinges : public GK_Part {
public:
    explicit GK_Hinges(const GU_Pt_List& outline);
    GK_Hinges(const GK_Hinges& other);
    // Takes over the other model's content; drawing link and visibility stay.
    GK_Hinges& operator=(const GK_Hinges& other);

    int type() const override { return GK_TYPE_HINGES; }
    void copy(GK_Object** out) const override;

    const GU_Loop& GetLoopOut() const { return m_outline; }
    const GU_OwnedList<GK_Circle_Hole>& GetListHole() const { return m_holes; }
    // Appends a hole; the hinge owns it from then on.
    void AddHoleToList(GK_Circle_Hole* hole) { m_holes.add_tail(hole); }

    // A mortised hinge is let into the door: its outline is pocketed to its
    // thickness before the holes are drilled. A new hinge is not mortised.
    bool GetMortise() const { return m_mortise; }
    void SetMortise(bool mortise) { m_mortise = mortise; }

private:
    GU_Loop m_outline;
    GU_OwnedList<GK_Circle_Hole> m_holes;
    bool m_mortise = false;
};
