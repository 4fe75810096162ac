#include <orders/RunTexts.h>

#include <library/GbkText.h>
#include <library/NumberText.h>
#include <library/ErrnoText.h>
#include <machining/FeatureNames.h>
#include <machining/ToolChoice.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

std::string programName(ProgramKind kind)
{
    return kind == ProgramKind::Hinges ? "合页加工程序" : "锁孔加工程序";
}

std::string featureText(const FeatureRef& feature)
{
    return GbkToUtf8ForDisplay(FeatureName(feature));
}

std::string toolKinds(int kinds)
{
    std::string names;
    for (const auto& [bit, name] : {std::pair{kHingeTools, "合页刀"}, std::pair{kVerticalTools, "垂直刀"},
                                    std::pair{kSideTools, "锁孔侧刀"}})
        if (kinds & bit)
            names += (names.empty() ? "" : "或") + std::string(name);
    return names;
}

std::string missingText(const MissingTool& m)
{
    if (m.pocket)
        return featureText(m.feature) + "（" + FormatReal(m.width) + "×" + FormatReal(m.height) + "，深" +
               FormatReal(m.depth) + "）没有能放进去的" + toolKinds(m.kinds);
    return featureText(m.feature) + "（直径" + FormatReal(m.diameter) + "，深" + FormatReal(m.depth) + "）没有直径" +
           FormatReal(m.diameter) + "或更小的" + toolKinds(m.kinds);
}

} // namespace

std::string PlanRefusedText(const MachiningPlan& plan)
{
    std::string list;
    switch (plan.status) {
    case PlanStatus::NothingToMachine:
        return plan.kind == ProgramKind::Hinges ? "没有要加工的合页" : "没有锁芯";
    case PlanStatus::MissingTools:
        for (const MissingTool& m : plan.missing)
            list += (list.empty() ? "" : "；") + missingText(m);
        return "刀具表中缺少刀具，没有生成" + programName(plan.kind) + "：" + list;
    case PlanStatus::OutsideDoor:
        for (const FeatureRef& f : plan.outside)
            list += (list.empty() ? "" : "、") + featureText(f);
        return "以下部位超出了门板，没有生成" + programName(plan.kind) + "：" + list;
    case PlanStatus::Ready:
        break;
    }
    return {};
}

std::string SaveFailureText(const SaveResult& result)
{
    const std::string file = "程序文件“" + result.path + "”";
    switch (result.problem) {
    case SaveProblem::CannotCreate:
        return file + "无法建立（" + ErrnoText(result.error) + "）";
    case SaveProblem::CannotReplace:
        return file + "无法替换原有的文件（" + ErrnoText(result.error) + "）";
    case SaveProblem::ReadOnly:
        return file + "是只读的，不能替换";
    default:
        return file + "无法写入（" + ErrnoText(result.error) + "）";
    }
}

std::string SizeText(double millimetres)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, millimetres, std::chars_format::fixed, 3);
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string ClockText(double seconds)
{
    const long total = std::lround(std::max(0.0, seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    return text;
}
