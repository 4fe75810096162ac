#include <machining/FeatureNames.h>

namespace {
// GBK texts.
constexpr const char* kHinge = "\xBA\xCF\xD2\xB3";                                   // 合页
constexpr const char* kMortise = "\xBF\xAA\xB2\xDB";                                 // 开槽
constexpr const char* kHole = "\xBF\xD7";                                            // 孔
constexpr const char* kLockHole = "\xCB\xF8\xD0\xBE\xBF\xD7";                        // 锁芯孔
constexpr const char* kLockPocket = "\xCB\xF8\xD0\xBE\xD2\xEC\xD0\xCE\xBF\xD7";       // 锁芯异形孔
constexpr const char* kRecess = "\xCB\xF8\xC3\xE6\xB0\xE5\xB2\xDB";                   // 锁面板槽
constexpr const char* kBodySlot = "\xCB\xF8\xCC\xE5\xB2\xDB";                         // 锁体槽
constexpr const char* kPlateHole = "\xCB\xF8\xC3\xE6\xB0\xE5\xBF\xD7";                // 锁面板孔
constexpr const char* kPlatePocket = "\xCB\xF8\xC3\xE6\xB0\xE5\xD2\xEC\xD0\xCE\xBF\xD7"; // 锁面板异形孔
} // namespace

std::string FeatureName(const FeatureRef& f)
{
    const std::string part = std::to_string(f.part);
    const std::string hole = std::to_string(f.hole);
    switch (f.kind) {
    case FeatureKind::HingeMortise:
        return kHinge + part + kMortise;
    case FeatureKind::HingeHole:
        return kHinge + part + kHole + hole;
    case FeatureKind::LockHole:
        return kLockHole + hole;
    case FeatureKind::LockPocket:
        return kLockPocket + hole;
    case FeatureKind::FaceplateRecess:
        return kRecess;
    case FeatureKind::BodySlot:
        return kBodySlot;
    case FeatureKind::FaceplateHole:
        return kPlateHole + hole;
    case FeatureKind::FaceplatePocket:
        return kPlatePocket + hole;
    }
    return {};
}
