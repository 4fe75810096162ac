#include <dialogs/MachiningMessages.h>

#include <library/ProfileFields.h>
#include <machining/ToolChoice.h>

#include <gtest/gtest.h>

namespace {

TEST(MachiningMessages, DurationsInSecondsMinutesAndHours)
{
    const std::pair<double, const char*> cases[] = {
        {0, "0秒"}, {44.6, "45秒"}, {59.4, "59秒"}, {125, "2分05秒"}, {3599, "59分59秒"}, {3725, "1小时02分"}, {-3, "0秒"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(DurationText(seconds), QString::fromUtf8(text)) << seconds;
}

TEST(MachiningMessages, RefusalsNameFeatureSizeAndTools)
{
    MachiningPlan plan;
    plan.doorName = "\xC3\xC5"; // 门
    plan.status = PlanStatus::MissingTools;
    plan.missing = {{{FeatureKind::HingeHole, 2, 3}, false, 2.5, 0, 0, 10, kHingeTools | kVerticalTools},
                    {{FeatureKind::BodySlot, 0, 0}, true, 0, 180, 16, 60, kSideTools}};
    EXPECT_EQ(PlanRefusedMessage(plan),
              QStringLiteral("刀具表中缺少刀具，没有生成合页加工程序：\n"
                             "合页2孔3（直径2.50，深10.00）：没有直径2.50的合页刀或垂直刀，也没有更小的可以铣出它\n"
                             "锁体槽（180.00×16.00，深60.00）：没有能放进去的锁孔侧刀"));
    plan.kind = ProgramKind::Lock;
    plan.status = PlanStatus::NothingToMachine;
    EXPECT_EQ(PlanRefusedMessage(plan), QStringLiteral("门型“门”没有锁芯，没有生成锁孔加工程序。"));
    plan.status = PlanStatus::OutsideDoor;
    plan.outside = {{FeatureKind::FaceplateRecess, 0, 0}};
    EXPECT_TRUE(PlanRefusedMessage(plan).contains(QStringLiteral("以下部位超出了门板，没有生成锁孔加工程序：\n锁面板槽")));
}

TEST(MachiningMessages, EveryProfileProblemIsWorded)
{
    for (const ProfileField& field : ProfileFields())
        EXPECT_EQ(ProfileProblemText(field.problem).isEmpty(), field.problem == ProfileProblem::None) << field.attribute;
    EXPECT_EQ(ProfileProblemText(ProfileProblem::PeckDepth), QStringLiteral("啄钻深度须为0（不啄钻）或在1到100毫米之间。"));
    EXPECT_EQ(ProfileProblemText(ProfileProblem::PassDepthDiameters), QStringLiteral("每层最大切深须在刀径的0.1到5倍之间。"));
}

} // namespace
