#pragma once

#include <kernel/GK_Hole.h>
#include <kernel/GK_NamedObject.h>
#include <kernel/GU_List.h>
#include <kernel/GU_Loop.h>

// A lock-core model: a top and a side outline, each face with its own holes
// (round or outline holes), which the lock core owns.
class GK_LockCore : public GK_Part {
public:
    GK_LockCore(const GU_Pt_List& top, const GU_Pt_List& side);
    GK_LockCore(const GK_LockCore& other);
    // Takes over the other model's content; drawing link and visibility stay.
    GK_LockCore& operator=(const GK_LockCore& other);

    int type() const override { return GK_TYPE_LOCKCORE; }
    void copy(GK_Object** out) const override;

    const GU_Loop& GetTopLoop() const { return m_top; }
    const GU_Loop& GetSideLoop() const { return m_side; }
    // The live hole lists: holes appended to them belong to the lock core.
    GU_OwnedList<GK_Hole>& GetTopList() { return m_topHoles; }
    GU_OwnedList<GK_Hole>& GetSideList() { return m_sideHoles; }
    const GU_OwnedList<GK_Hole>& GetTopList() const { return m_topHoles; }
    const GU_OwnedList<GK_Hole>& GetSideList() const { return m_sideHoles; }

private:
    void copyHolesFrom(const GK_LockCore& other);

    GU_Loop m_top;
    GU_Loop m_side;
    GU_OwnedList<GK_Hole> m_topHoles;
    GU_OwnedList<GK_Hole> m_sideHoles;
};
