#include "DialogDriving.h"
#include "RecordingMessageBoxes.h"

#include <dialogs/CDlgAddOneKnife.h>
#include <dialogs/DataExchange.h>
#include <library/KnifeInfo.h>

#include <gtest/gtest.h>

namespace {

class AddOneKnifeDialogTest : public ::testing::Test {
protected:
    RecordingMessageBoxes messages;
    CDlgAddOneKnife dialog{messages};
};

TEST_F(AddOneKnifeDialogTest, OpensWithZerosEmptyTextsAndFirstEntries)
{
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加刀具"));
    EXPECT_EQ(GroupTitles(&dialog), QStringList{QStringLiteral("刀具信息")});
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1) << "OK only, no Cancel";
    const QStringList labels = LabelTexts(&dialog);
    for (const char* label : {"刀  号", "刀  径", "加工速度 (mm/min)", "安全距离", "刀具类型", "是否主轴", "启用/禁用",
                              "气缸打出", "气缸收回", "钻头启动", "钻头停止", "下刀速度 (mm/min)", "刀具类别"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label;
    for (const char* number : {"toolNumber", "diameter", "speed", "safeDistance"})
        EXPECT_EQ(Field(&dialog, number)->text(), "0") << number;
    for (const char* text : {"airForward", "airBack", "drillStart", "drillStop", "plungeSpeed"})
        EXPECT_EQ(Field(&dialog, text)->text(), "") << text;
    EXPECT_EQ(Entries(List(&dialog, "typeList")),
              (QStringList{QStringLiteral("合页刀"), QStringLiteral("垂直刀"), QStringLiteral("锁孔侧刀")}));
    EXPECT_EQ(Entries(List(&dialog, "spindleList")), (QStringList{QStringLiteral("否"), QStringLiteral("是")}));
    EXPECT_EQ(Entries(List(&dialog, "enableList")), (QStringList{QStringLiteral("禁用"), QStringLiteral("启用")}));
    EXPECT_EQ(Entries(List(&dialog, "kindList")),
              (QStringList{QStringLiteral("未设置"), QStringLiteral("钻头"), QStringLiteral("铣刀")}));
    for (const char* list : {"typeList", "spindleList", "enableList", "kindList"})
        EXPECT_EQ(List(&dialog, list)->currentIndex(), 0) << list;

    const std::vector<QWidget*> expected{
        Button(&dialog, "ok"),         Field(&dialog, "toolNumber"), Field(&dialog, "diameter"),
        Field(&dialog, "speed"),       Field(&dialog, "safeDistance"), List(&dialog, "typeList"),
        List(&dialog, "spindleList"),  List(&dialog, "enableList"),  Field(&dialog, "plungeSpeed"),
        List(&dialog, "kindList"),     Field(&dialog, "airForward"),
        Field(&dialog, "airBack"),     Field(&dialog, "drillStart"), Field(&dialog, "drillStop")};
    EXPECT_EQ(TabChainFrom(Button(&dialog, "ok"), expected.size()), expected);
}

TEST_F(AddOneKnifeDialogTest, OkTakesEveryValueAndTheListIndexes)
{
    const int result = RunModal(dialog, [](QWidget* d) {
        Type(d, "toolNumber", "2");
        Type(d, "diameter", "6.5");
        Type(d, "speed", "3000");
        Type(d, "safeDistance", "12");
        Type(d, "airForward", "M10");
        Type(d, "airBack", "M11");
        Type(d, "drillStart", QStringLiteral("启动"));
        Type(d, "drillStop", "M13");
        Type(d, "plungeSpeed", "900");
        List(d, "kindList")->setCurrentIndex(1);
        List(d, "typeList")->setCurrentIndex(2);
        List(d, "spindleList")->setCurrentIndex(1);
        List(d, "enableList")->setCurrentIndex(1);
        Click(d, "ok");
    });
    ASSERT_EQ(result, IDOK);
    KnifeInfo knife;
    dialog.m_form.store(knife);
    EXPECT_EQ(knife.ID, 2);
    EXPECT_EQ(knife.Diameter, 6.5);
    EXPECT_EQ(knife.Vel, 3000);
    EXPECT_EQ(knife.SafeDistance, 12.0);
    EXPECT_EQ(knife.AirForward + "|" + knife.AirBack + "|" + knife.DrillStart + "|" + knife.DrillStop,
              "M10|M11|\xC6\xF4\xB6\xAF|M13");
    EXPECT_EQ(knife.PlungeVel, 900);
    EXPECT_EQ(knife.Kind, KnifeKind::Drill);
    EXPECT_EQ(knife.Type, 2);
    EXPECT_EQ(knife.IsMain, 1);
    EXPECT_EQ(knife.Enable, 1);
}

TEST_F(AddOneKnifeDialogTest, RefusesUnreadableNumbersWithFocusInTheField)
{
    struct Case {
        const char* field;
        const char* text;
    };
    for (const Case& c : {Case{"toolNumber", "-3"}, Case{"toolNumber", "1.5"}, Case{"toolNumber", "3000000000"},
                          Case{"speed", "1.5"}, Case{"diameter", "abc"}, Case{"safeDistance", ""},
                          Case{"plungeSpeed", "-1"}, Case{"plungeSpeed", "x"}}) {
        CDlgAddOneKnife dlg(messages);
        messages.shown.clear();
        bool stayedOpen = false;
        bool focused = false;
        const int result = RunModal(dlg, [&](QWidget* d) {
            for (const char* valid : {"toolNumber", "diameter", "speed"})
                Type(d, valid, "4");
            Type(d, c.field, c.text);
            Click(d, "ok");
            stayedOpen = d->isVisible();
            focused = HasFocus(Field(d, c.field));
            Type(d, c.field, "4");
            Click(d, "ok");
        });
        EXPECT_TRUE(stayedOpen) << c.field << " " << c.text;
        EXPECT_TRUE(focused) << c.field << " " << c.text;
        EXPECT_EQ(messages.shown.size(), 1u) << c.field << " " << c.text;
        EXPECT_EQ(result, IDOK);
    }
}

TEST_F(AddOneKnifeDialogTest, CaptionCloseCancels)
{
    EXPECT_EQ(RunModal(dialog, [](QWidget* d) { d->close(); }), IDCANCEL);
}

} // namespace
