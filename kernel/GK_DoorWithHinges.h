#pragma once

#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>
#include <kernel/GK_NamedObject.h>
#include <kernel/GU_Pt_List.h>
#include <kernel/position.h>

#include <memory>

// A door leaf of given size carrying one hinge model at a list of positions
// and one lock-core model at one position. The door shares its models with
// the library's lists and with every copy of the door: a model stays alive
// as long as a door refers to it, however the library changes meanwhile.
class GK_DoorWithHinges : public GK_NamedObject {
public:
    GK_DoorWithHinges(std::string name, std::string comments, double length, double width, double thickness);

    int type() const override { return GK_TYPE_DOOR; }
    void copy(GK_Object** out) const override;

    // Stores length, width and thickness in the out-parameters.
    void GetDoorSize(double& length, double& width, double& thickness) const;

    GK_Hinges* GetHingesModel() const { return m_hinges.get(); }
    GK_LockCore* GetLockCoreModel() const { return m_lockCore.get(); }
    void SetHingesModel(std::shared_ptr<GK_Hinges> hinges) { m_hinges = std::move(hinges); }
    void SetLockCoreModel(std::shared_ptr<GK_LockCore> lockCore) { m_lockCore = std::move(lockCore); }
    // The models shared, for a door made from this one that keeps them.
    const std::shared_ptr<GK_Hinges>& ShareHingesModel() const { return m_hinges; }
    const std::shared_ptr<GK_LockCore>& ShareLockCoreModel() const { return m_lockCore; }

    const GU_Pt_List& GetHingesPos() const { return m_hingesPos; }
    // Appends one hinge position.
    void SetHingesPos(const position& p) { m_hingesPos.add_tail(p); }
    position GetLockCorePos() const { return m_lockCorePos; }
    void SetLockCorePos(const position& p) { m_lockCorePos = p; }

    // 1 when the hinges sit at the top of the door, 0 (the initial value) otherwise.
    int HingesUp() const { return m_hingesUp; }
    void SetHingesUp(int up) { m_hingesUp = up; }

private:
    GK_DoorWithHinges(const GK_DoorWithHinges&) = default;

    double m_length;
    double m_width;
    double m_thickness;
    std::shared_ptr<GK_Hinges> m_hinges;
    std::shared_ptr<GK_LockCore> m_lockCore;
    GU_Pt_List m_hingesPos;
    position m_lockCorePos;
    int m_hingesUp = 0;
};
