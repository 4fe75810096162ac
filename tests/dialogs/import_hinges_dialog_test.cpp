#include "DialogDriving.h"
#include "RecordingMessageBoxes.h"

#include <dialogs/CDlgImportHinges.h>
#include <dialogs/UserMessages.h>
#include <dialogs/DataExchange.h>

#include <QCheckBox>

#include <gtest/gtest.h>

namespace {

class ImportHingesDialogTest : public ::testing::Test {
protected:
    RecordingMessageBoxes messages;
    CDlgImportHinges dialog{messages};
};

TEST_F(ImportHingesDialogTest, OpensWithItsTextsEmptyFieldsAndZeroThickness)
{
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("完善合页信息"));
    EXPECT_EQ(GroupTitles(&dialog), QStringList{QStringLiteral("合页信息")});
    EXPECT_EQ(LabelTexts(&dialog),
              (QStringList{QStringLiteral("合页名称"), QStringLiteral("备注信息"), QStringLiteral("厚度（毫米）")}));
    EXPECT_EQ(Field(&dialog, "name")->text(), "");
    EXPECT_EQ(Field(&dialog, "comments")->text(), "");
    EXPECT_EQ(Field(&dialog, "thickness")->text(), "0");
    EXPECT_EQ(Button(&dialog, "ok")->text(), QStringLiteral("确定"));
    EXPECT_TRUE(Button(&dialog, "ok")->isDefault());
    EXPECT_EQ(Button(&dialog, "cancel")->text(), QStringLiteral("取消"));
    const std::vector<QWidget*> expected{Field(&dialog, "name"), Field(&dialog, "comments"),
                                         Field(&dialog, "thickness"), Button(&dialog, "ok"),
                                         Button(&dialog, "cancel")};
    EXPECT_EQ(TabChainFrom(Field(&dialog, "name"), expected.size()), expected);
}

// A model needs a name (an empty one would give a hidden file and a blank
// row); the comment and the thickness may stay as they open.
TEST_F(ImportHingesDialogTest, OkWithOnlyANameGivesAnEmptyCommentAndZero)
{
    const int result = RunModal(dialog, [](QWidget* d) {
        Click(d, "ok");
        Type(d, "name", "H");
        Click(d, "ok");
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, RefusedNameMessage(ModelNameProblem::Empty));
    EXPECT_EQ(dialog.m_name, "H");
    EXPECT_EQ(dialog.m_comments, "");
    EXPECT_EQ(dialog.m_thickness, 0.0);
}

TEST_F(ImportHingesDialogTest, TakesTypedValuesAsGbk)
{
    const int result = RunModal(dialog, [](QWidget* d) {
        Type(d, "name", QStringLiteral("合页A"));
        Type(d, "comments", QStringLiteral(" 备注 "));
        Type(d, "thickness", QStringLiteral(" 2.5 "));
        Click(d, "ok");
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_name, "\xBA\xCF\xD2\xB3" "A");
    EXPECT_EQ(dialog.m_comments, " \xB1\xB8\xD7\xA2 ");
    EXPECT_EQ(dialog.m_thickness, 2.5);
}

TEST_F(ImportHingesDialogTest, UnreadableThicknessKeepsTheDialogOpenUntilCorrected)
{
    for (const QString& bad : {QStringLiteral("abc"), QString()}) {
        CDlgImportHinges dlg(messages);
        messages.shown.clear();
        bool stayedOpen = false;
        bool focusInThickness = false;
        const int result = RunModal(dlg, [&](QWidget* d) {
            Type(d, "name", "H");
            Type(d, "thickness", bad);
            Click(d, "ok");
            stayedOpen = d->isVisible();
            focusInThickness = HasFocus(Field(d, "thickness"));
            Type(d, "thickness", "3");
            Click(d, "ok");
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_TRUE(focusInThickness);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, QStringLiteral("“厚度（毫米）”：请输入一个数。"));
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dlg.m_thickness, 3.0);
    }
}

// Only a hinge is asked whether it is let into the door; unchecked by default.
TEST_F(ImportHingesDialogTest, MortiseCheckBoxOnlyForHinges)
{
    EXPECT_EQ(dialog.findChild<QCheckBox*>("mortise"), nullptr);
    for (const bool checked : {false, true}) {
        CDlgImportHinges hinge(messages, true);
        const int result = RunModal(hinge, [checked](QWidget* d) {
            auto* box = d->findChild<QCheckBox*>("mortise");
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), QStringLiteral("开槽"));
            EXPECT_FALSE(box->isChecked());
            box->setChecked(checked);
            Type(d, "name", "H");
            Click(d, "ok");
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(hinge.m_mortise, checked ? 1 : 0);
    }
}

TEST_F(ImportHingesDialogTest, CancelAndCaptionCloseGiveCancel)
{
    EXPECT_EQ(RunModal(dialog, [](QWidget* d) { Click(d, "cancel"); }), IDCANCEL);
    CDlgImportHinges closed(messages);
    EXPECT_EQ(RunModal(closed, [](QWidget* d) { d->close(); }), IDCANCEL);
    CDlgImportHinges escaped(messages);
    EXPECT_EQ(RunModal(escaped, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }), IDCANCEL);
}

// Names that cannot become a file name, or that GBK cannot hold, are refused
// with a message that says why, in Chinese, while the dialog stays open with
// the focus on the name.
TEST_F(ImportHingesDialogTest, RefusesNamesThatCannotBeFileNames)
{
    struct Case {
        QString name;
        QString message;
    };
    const QString separator = QStringLiteral("这个名称不能用作文件名：名称中不能有“/”或“\\”。");
    const QString dots = QStringLiteral("这个名称不能用作文件名：名称不能是“.”或“..”。");
    const Case cases[] = {
        {QStringLiteral("a/b"), separator},
        {QStringLiteral("a\\b"), separator},
        {QStringLiteral(".."), dots},
        {QStringLiteral("."), dots},
        {QStringLiteral("tab\there"), QStringLiteral("这个名称不能用作文件名：名称中不能有控制字符。")},
        {QStringLiteral("门\U0001F600"), ExchangeMessages::notEncodable()},
    };
    for (const Case& c : cases) {
        CDlgImportHinges dlg(messages);
        messages.shown.clear();
        bool stayedOpen = false;
        bool focusInName = false;
        RunModal(dlg, [&](QWidget* d) {
            Field(d, "name")->setText(c.name);
            Click(d, "ok");
            stayedOpen = d->isVisible();
            focusInName = HasFocus(Field(d, "name"));
            Type(d, "name", "good");
            Click(d, "ok");
        });
        EXPECT_TRUE(stayedOpen) << c.name.toStdString();
        EXPECT_TRUE(focusInName) << c.name.toStdString();
        ASSERT_EQ(messages.shown.size(), 1u) << c.name.toStdString();
        EXPECT_EQ(messages.shown[0].text, c.message);
        EXPECT_EQ(dlg.m_name, "good");
    }
}

TEST_F(ImportHingesDialogTest, NameAcceptorCanKeepTheDialogOpen)
{
    std::vector<std::string> asked;
    dialog.setNameAcceptor([&](const std::string& name) {
        asked.push_back(name);
        return name != "taken";
    });
    bool stayedOpen = false;
    const int result = RunModal(dialog, [&](QWidget* d) {
        Type(d, "name", "taken");
        Click(d, "ok");
        stayedOpen = d->isVisible();
        Type(d, "name", "free");
        Click(d, "ok");
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(asked, (std::vector<std::string>{"taken", "free"}));
    EXPECT_EQ(dialog.m_name, "free");
}

} // namespace
