#include <library/FiniteNumbers.h>

#include <cmath>

namespace {
bool finite(const position& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool finite(const GU_Loop& loop)
{
    for (const position& p : loop)
        if (!finite(p))
            return false;
    return true;
}

bool finite(const GK_Hole& hole)
{
    if (!std::isfinite(hole.get_z()))
        return false;
    if (hole.is_circle()) {
        const auto& circle = static_cast<const GK_Circle_Hole&>(hole);
        return finite(circle.get_cen()) && std::isfinite(circle.get_radius());
    }
    return !hole.get_loop() || finite(*hole.get_loop());
}

template <typename Hole>
bool finite(const GU_OwnedList<Hole>& holes)
{
    for (const Hole* hole : holes)
        if (hole && !finite(*hole))
            return false;
    return true;
}
} // namespace

bool HasFiniteNumbers(const GK_Hinges& model)
{
    return std::isfinite(model.GetThick()) && finite(model.GetLoopOut()) && finite(model.GetListHole());
}

bool HasFiniteNumbers(const GK_LockCore& model)
{
    return std::isfinite(model.GetThick()) && finite(model.GetTopLoop()) && finite(model.GetSideLoop()) &&
           finite(model.GetTopList()) && finite(model.GetSideList());
}

bool HasFiniteNumbers(const GK_DoorWithHinges& door)
{
    double length = 0.0, width = 0.0, thickness = 0.0;
    door.GetDoorSize(length, width, thickness);
    if (!std::isfinite(length) || !std::isfinite(width) || !std::isfinite(thickness))
        return false;
    for (const position& p : door.GetHingesPos())
        if (!finite(p))
            return false;
    return finite(door.GetLockCorePos());
}
