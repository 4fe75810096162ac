#include "DialogDriving.h"
#include "RecordingMessageBoxes.h"

#include <dialogs/CDlgMachineProfile.h>
#include <dialogs/MachiningMessages.h>
#include <library/ProfileFields.h>

#include <QCheckBox>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

MachineProfile unusual()
{
    MachineProfile p;
    p.OriginCorner = 2;
    p.XDirection = -1;
    p.SideAxisX = "U";
    p.SideAxisY = "V";
    p.SideAxisZ = "W";
    p.SafeHeight = 80.5;
    p.Breakthrough = 0.5;
    p.RecessDepth = 4;
    p.Stepover = 40;
    p.CannedCycles = 1;
    p.Comments = 0;
    p.LineNumbers = 10;
    p.Header = "%\nO100 (\xBA\xCF\xD2\xB3)";
    p.Footer = "M5";
    p.Extension = "cnc";
    p.CrLf = 0;
    p.RapidFeed = 24000;
    p.PassDepthDiameters = 0.5;
    p.PassDepthMax = 12.25;
    p.HelixAngle = 2;
    p.PeckDepth = 15;
    p.StartLine = "G17 G40 G80 (\xBF\xAA\xCA\xBC)";
    return p;
}

void expectSame(const MachineProfile& a, const MachineProfile& b)
{
    for (const ProfileField& field : ProfileFields())
        std::visit([&](auto member) { EXPECT_EQ(a.*member, b.*member) << field.attribute; }, field.member);
}

TEST(MachineProfileDialog, OkKeepsEveryValueItWasGiven)
{
    RecordingMessageBoxes messages;
    for (const MachineProfile& given : {MachineProfile{}, unusual()}) {
        CDlgMachineProfile dialog(messages, given);
        EXPECT_EQ(RunModal(dialog, [](QWidget* d) { Click(d, "ok"); }), IDOK);
        expectSame(dialog.m_profile, given);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(MachineProfileDialog, TakesWhatIsChosenAndTyped)
{
    RecordingMessageBoxes messages;
    CDlgMachineProfile dialog(messages, MachineProfile{});
    const int result = RunModal(dialog, [](QWidget* d) {
        List(d, "originCorner")->setCurrentIndex(3);
        List(d, "yDirection")->setCurrentIndex(1);
        List(d, "lineEnd")->setCurrentIndex(1);
        d->findChild<QCheckBox*>("cannedCycles")->setChecked(true);
        Type(d, "sideAxisY", "a");
        Type(d, "stepover", "25");
        Type(d, "passDepthMax", "8");
        Type(d, "peckDepth", "12.5");
        Type(d, "startLine", QStringLiteral("G90 （开始）"));
        d->findChild<QPlainTextEdit*>("footer")->setPlainText(QStringLiteral("G0 Z100\n（结束）"));
        Click(d, "ok");
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_profile.OriginCorner, 3);
    EXPECT_EQ(dialog.m_profile.YDirection, -1);
    EXPECT_EQ(dialog.m_profile.CrLf, 0);
    EXPECT_EQ(dialog.m_profile.CannedCycles, 1);
    EXPECT_EQ(dialog.m_profile.SideAxisY, "A") << "letters are taken as capitals";
    EXPECT_EQ(dialog.m_profile.Stepover, 25);
    EXPECT_EQ(dialog.m_profile.PassDepthMax, 8.0);
    EXPECT_EQ(dialog.m_profile.PeckDepth, 12.5);
    EXPECT_EQ(dialog.m_profile.StartLine, "G90 \xA3\xA8\xBF\xAA\xCA\xBC\xA3\xA9");
    const QStringList labels = LabelTexts(&dialog);
    for (const char* label : {"安全高度（毫米）", "每层最大切深（倍刀径）", "每层最大切深（毫米）", "螺旋下刀最大角度（度）",
                              "啄钻深度（毫米，0为不啄钻）", "程序起始行", "侧头轴名（X Y Z）", "程序头"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label;
    EXPECT_EQ(GroupTitles(&dialog), (QStringList{QStringLiteral("坐标系"), QStringLiteral("加工参数"),
                                                QStringLiteral("程序格式")}));
    EXPECT_EQ(dialog.m_profile.Footer, "G0 Z100\n\xA3\xA8\xBD\xE1\xCA\xF8\xA3\xA9");
}

// A value the program cannot work with keeps the dialog open, says why and
// puts the focus in the field; once corrected, OK closes it.
TEST(MachineProfileDialog, RefusesValuesTheProgramCannotWorkWith)
{
    struct Case {
        const char* field;
        const char* bad;
        const char* good;
        ProfileProblem problem;
    };
    const Case cases[] = {
        {"stepover", "60", "50", ProfileProblem::Stepover},
        {"safeHeight", "0", "50", ProfileProblem::SafeHeight},
        {"safeHeight", "0.004", "50", ProfileProblem::SafeHeight},
        {"breakthrough", "-1", "1", ProfileProblem::Breakthrough},
        {"recessDepth", "0", "3", ProfileProblem::RecessDepth},
        {"lineNumbers", "-5", "0", ProfileProblem::LineNumbers},
        {"extension", "N C", "NC", ProfileProblem::Extension},
        {"rapidFeed", "50", "15000", ProfileProblem::RapidFeed},
        {"sideAxisX", "Y", "X", ProfileProblem::SideAxis},
        {"sideAxisX", "G", "X", ProfileProblem::SideAxis},
        {"passDepthDiameters", "0", "1", ProfileProblem::PassDepthDiameters},
        {"passDepthMax", "51", "10", ProfileProblem::PassDepthMax},
        {"helixAngle", "60", "3", ProfileProblem::HelixAngle},
        {"peckDepth", "0.5", "0", ProfileProblem::PeckDepth},
        {"startLine", "G40 G49 G80 G90 G17 G21 G54 G64 G94 G98 G40 G49 G80 G90 G17 G21 G54 G64 G94 G98 G0",
         "G90", ProfileProblem::StartLine},
    };
    for (const Case& c : cases) {
        RecordingMessageBoxes messages;
        CDlgMachineProfile dialog(messages, MachineProfile{});
        bool stayedOpen = false;
        bool focused = false;
        const int result = RunModal(dialog, [&](QWidget* d) {
            Type(d, c.field, QString::fromLatin1(c.bad));
            Click(d, "ok");
            stayedOpen = d->isVisible();
            focused = HasFocus(Field(d, c.field));
            Type(d, c.field, QString::fromLatin1(c.good));
            Click(d, "ok");
        });
        EXPECT_TRUE(stayedOpen) << c.field << " " << c.bad;
        EXPECT_TRUE(focused) << c.field << " " << c.bad;
        ASSERT_EQ(messages.shown.size(), 1u) << c.field << " " << c.bad;
        EXPECT_EQ(messages.shown[0].text, ProfileProblemText(c.problem));
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(CheckMachineProfile(dialog.m_profile), ProfileProblem::None);
    }
}

TEST(MachineProfileDialog, CancelGivesCancel)
{
    RecordingMessageBoxes messages;
    CDlgMachineProfile dialog(messages, MachineProfile{});
    EXPECT_EQ(RunModal(dialog, [](QWidget* d) { Click(d, "cancel"); }), IDCANCEL);
}

} // namespace
