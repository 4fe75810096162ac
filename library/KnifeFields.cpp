#include <library/KnifeFields.h>

#include <algorithm>
#include <cctype>

namespace {
using K = KnifeInfo;

constexpr const char* kTypes[] = {"合页刀", "垂直刀", "锁孔侧刀"};
constexpr const char* kSpindles[] = {"否", "是"};
constexpr const char* kEnables[] = {"禁用", "启用"};
// In the order of KnifeKind.
constexpr const char* kKinds[] = {"未设置", "钻头", "铣刀"};

const KnifeField kFields[] = {
    {"ID", &K::ID, false, "刀号", 0, "刀  号", "toolNumber", 0, 0, {}, false},
    {"Vel", &K::Vel, false, "速度 (mm/min)", 2, "加工速度 (mm/min)", "speed", 0, 2, {}, false},
    {"Type", &K::Type, false, "刀具类型", 5, "刀具类型", "typeList", 2, 0, kTypes, false},
    {"IsMain", &K::IsMain, false, "是否主轴", 7, "是否主轴", "spindleList", 2, 1, kSpindles, true},
    {"Enable", &K::Enable, false, "是否启用", 8, "启用/禁用", "enableList", 2, 2, kEnables, true},
    {"Diameter", &K::Diameter, false, "刀径", 1, "刀  径", "diameter", 0, 1, {}, false},
    {"SafeDistance", &K::SafeDistance, false, "安全距离", 4, "安全距离", "safeDistance", 0, 3, {}, false},
    {"AirForward", &K::AirForward, false, "气缸打出", 9, "气缸打出", "airForward", 1, 0, {}, false},
    {"AirBack", &K::AirBack, false, "气缸回收", 10, "气缸收回", "airBack", 1, 1, {}, false},
    {"DrillStart", &K::DrillStart, false, "钻头启动", 11, "钻头启动", "drillStart", 1, 2, {}, false},
    {"DrillStop", &K::DrillStop, false, "钻头停止", 12, "钻头停止", "drillStop", 1, 3, {}, false},
    {"PlungeVel", &K::PlungeVel, true, "下刀速度 (mm/min)", 3, "下刀速度 (mm/min)", "plungeSpeed", 3, 0, {}, false},
    {"Kind", &K::Kind, true, "刀具类别", 6, "刀具类别", "kindList", 3, 1, kKinds, false},
};
} // namespace

std::span<const KnifeField> KnifeFields()
{
    return kFields;
}

std::string KnifeKindName(KnifeKind kind)
{
    switch (kind) {
    case KnifeKind::Drill:
        return "Drill";
    case KnifeKind::Cutter:
        return "Cutter";
    case KnifeKind::Unset:
        break;
    }
    return {};
}

std::optional<KnifeKind> KnifeKindOf(const std::string& name)
{
    const auto sameLetters = [](const std::string& a, const std::string& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
        });
    };
    for (const KnifeKind kind : {KnifeKind::Drill, KnifeKind::Cutter})
        if (sameLetters(name, KnifeKindName(kind)))
            return kind;
    return std::nullopt;
}
