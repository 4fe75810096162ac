#include "DialogDriving.h"
#include "RecordingMessageBoxes.h"
#include "TestLibrary.h"

#include <dialogs/CDlgAddDoorModel.h>
#include <dialogs/DataExchange.h>
#include <dialogs/LibraryMessages.h>
#include <dialogs/UserMessages.h>
#include <library/FileNameLimits.h>

#include <gtest/gtest.h>

namespace {

const std::string kHingeA = "\xBA\xCF\xD2\xB3" "A"; // 合页A
const char* const kNumberFields[] = {"length",    "width",     "thickness", "lockCoreX",
                                     "hingePos1", "hingePos2", "hingePos3", "hingePos4"};

// A name and a door size the reader takes, so that OK gets past them.
void TypeDoorSize(QWidget* dialog)
{
    Type(dialog, "name", "D");
    Type(dialog, "length", "2100");
    Type(dialog, "width", "900");
    Type(dialog, "thickness", "40");
}

class AddDoorModelDialogTest : public ::testing::Test {
protected:
    TestLibrary lib;
    RecordingMessageBoxes messages;
    CDlgAddDoorModel dialog{messages, &lib.library};
};

TEST_F(AddDoorModelDialogTest, OpensWithItsTextsAndDefaults)
{
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("新增门型"));
    EXPECT_EQ(GroupTitles(&dialog), (QStringList{QStringLiteral("门型信息（长度单位：毫米）"), QStringLiteral("锁芯"),
                                                 QStringLiteral("合页")}));
    const QStringList labels = LabelTexts(&dialog);
    for (const char* label : {"名称", "备注", "长度", "宽度", "厚度", "选择锁芯", "位置X", "选择合页", "合页靠上",
                              "位置1", "位置2", "位置3", "位置4"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label;
    EXPECT_EQ(Field(&dialog, "name")->text(), "");
    EXPECT_EQ(Field(&dialog, "comments")->text(), "");
    for (const char* number : kNumberFields)
        EXPECT_EQ(Field(&dialog, number)->text(), "0") << number;
    EXPECT_EQ(Entries(List(&dialog, "hingesUpList")), (QStringList{QStringLiteral("否"), QStringLiteral("是")}));
    EXPECT_EQ(List(&dialog, "hingesUpList")->currentIndex(), 0);
    EXPECT_EQ(dialog.focusWidget(), Field(&dialog, "name"));

    const std::vector<QWidget*> expected{
        Field(&dialog, "name"),      Field(&dialog, "comments"),     Field(&dialog, "length"),
        Field(&dialog, "width"),     Field(&dialog, "thickness"),    Button(&dialog, "ok"),
        Button(&dialog, "cancel"),   List(&dialog, "lockCoreList"),  Field(&dialog, "lockCoreX"),
        List(&dialog, "hingesList"), Field(&dialog, "hingePos1"),    Field(&dialog, "hingePos2"),
        Field(&dialog, "hingePos3"), Field(&dialog, "hingePos4"),    List(&dialog, "hingesUpList")};
    EXPECT_EQ(TabChainFrom(Field(&dialog, "name"), expected.size()), expected);
}

TEST_F(AddDoorModelDialogTest, ListsModelsInListOrderWithTheFirstSelected)
{
    lib.addHinges(kHingeA);
    lib.addHinges("B");
    lib.addHinges("b");
    lib.addLockCore("L1");
    dialog.show();
    EXPECT_EQ(Entries(List(&dialog, "hingesList")), (QStringList{QStringLiteral("合页A"), "B", "b"}));
    EXPECT_EQ(List(&dialog, "hingesList")->currentIndex(), 0);
    EXPECT_EQ(Entries(List(&dialog, "lockCoreList")), (QStringList{"L1", QStringLiteral("无锁芯")}));
    EXPECT_EQ(List(&dialog, "lockCoreList")->currentIndex(), 0);
}

TEST_F(AddDoorModelDialogTest, OkWithDefaultsButTheSizeGivesZerosFirstModelsAndHingesNotUp)
{
    lib.addHinges(kHingeA);
    lib.addHinges("B");
    messages.defaultAnswer = true; // a door without hinges is meant
    const int result = RunModal(dialog, [](QWidget* d) {
        TypeDoorSize(d);
        Click(d, "ok");
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, DoorWithoutHingesQuestion());
    EXPECT_EQ(dialog.m_hingesModelName, kHingeA);
    EXPECT_EQ(dialog.m_lockCoreModelName, "") << "no lock-core models, so no name";
    EXPECT_EQ(dialog.m_hingesUp, 0);
    EXPECT_EQ(dialog.m_length, 2100.0);
    EXPECT_EQ(dialog.m_lockCoreX, 0.0);
    EXPECT_EQ(dialog.m_hingePos, (std::array<double, 4>{0, 0, 0, 0}));
}

// A size the door reader would drop (the default 0, any size not above 0, or
// one the file's hundredths write as 0) is refused with its field focused; the
// door would vanish at the next start.
TEST_F(AddDoorModelDialogTest, SizesTheReaderWouldDropAreRefused)
{
    for (const char* field : {"length", "width", "thickness"}) {
        for (const QString& size : {QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("-0.001"), QStringLiteral("0.004")}) {
            CDlgAddDoorModel dlg(messages, &lib.library);
            messages.shown.clear();
            bool stayedOpen = false;
            bool focused = false;
            const int result = RunModal(dlg, [&](QWidget* d) {
                TypeDoorSize(d);
                Type(d, field, size);
                Click(d, "ok");
                stayedOpen = d->isVisible();
                focused = HasFocus(Field(d, field));
                Type(d, field, "0.01");
                Click(d, "ok");
            });
            EXPECT_TRUE(stayedOpen) << field << " " << size.toStdString();
            EXPECT_TRUE(focused) << field;
            ASSERT_EQ(messages.shown.size(), 1u) << field;
            EXPECT_EQ(messages.shown[0].text, BadDoorSizeMessage());
            EXPECT_EQ(result, IDOK);
        }
    }
    // Left at its default, the thickness is the first size refused.
    CDlgAddDoorModel dlg(messages, &lib.library);
    bool thicknessFocused = false;
    RunModal(dlg, [&](QWidget* d) {
        Type(d, "name", "D");
        Type(d, "length", "2100");
        Type(d, "width", "900");
        Click(d, "ok");
        thicknessFocused = HasFocus(Field(d, "thickness"));
        Click(d, "cancel");
    });
    EXPECT_TRUE(thicknessFocused);
}

TEST_F(AddDoorModelDialogTest, ReadsEveryValueAndTheChosenEntries)
{
    lib.addHinges("H1");
    lib.addHinges(kHingeA);
    lib.addLockCore("L1");
    lib.addLockCore("L2");
    const int result = RunModal(dialog, [](QWidget* d) {
        Type(d, "name", QStringLiteral("门1"));
        Type(d, "comments", "c");
        Type(d, "length", "2100");
        Type(d, "width", "900");
        Type(d, "thickness", "40");
        Type(d, "lockCoreX", "1000");
        Type(d, "hingePos1", "100");
        Type(d, "hingePos2", "0");
        Type(d, "hingePos3", "700");
        Type(d, "hingePos4", "0");
        List(d, "hingesList")->setCurrentIndex(1);
        List(d, "lockCoreList")->setCurrentIndex(1);
        List(d, "hingesUpList")->setCurrentIndex(1);
        Click(d, "ok");
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_name, "\xC3\xC5" "1");
    EXPECT_EQ(dialog.m_comments, "c");
    EXPECT_EQ(dialog.m_length, 2100.0);
    EXPECT_EQ(dialog.m_width, 900.0);
    EXPECT_EQ(dialog.m_thickness, 40.0);
    EXPECT_EQ(dialog.m_lockCoreX, 1000.0);
    EXPECT_EQ(dialog.m_hingePos, (std::array<double, 4>{100, 0, 700, 0}));
    EXPECT_EQ(dialog.m_hingesModelName, kHingeA) << "the stored bytes come back, not a re-encoding";
    EXPECT_EQ(dialog.m_lockCoreModelName, "L2");
    EXPECT_EQ(dialog.m_hingesUp, 1);
}

// An unreadable number stops the exchange at that field: message, focus,
// dialog open; fields before it were taken, and OK works after a correction.
TEST_F(AddDoorModelDialogTest, UnreadableNumbersKeepTheDialogOpen)
{
    struct Case {
        const char* field;
        QString text;
    };
    for (const Case& c : {Case{"length", "abc"}, Case{"width", ""}, Case{"hingePos4", "1..2"}}) {
        CDlgAddDoorModel dlg(messages, &lib.library);
        messages.shown.clear();
        bool stayedOpen = false;
        bool focused = false;
        std::string nameWhileOpen;
        const int result = RunModal(dlg, [&](QWidget* d) {
            TypeDoorSize(d);
            Type(d, "name", "N");
            Type(d, c.field, c.text);
            Click(d, "ok");
            stayedOpen = d->isVisible();
            focused = HasFocus(Field(d, c.field));
            nameWhileOpen = dlg.m_name;
            Type(d, c.field, "5");
            Click(d, "ok");
        });
        EXPECT_TRUE(stayedOpen) << c.field;
        EXPECT_TRUE(focused) << c.field;
        EXPECT_EQ(nameWhileOpen, "N") << c.field;
        EXPECT_EQ(messages.shown.size(), 1u) << c.field;
        EXPECT_EQ(result, IDOK) << c.field;
    }
}

TEST_F(AddDoorModelDialogTest, RefusesAnUnusableNameAndAsksTheAcceptor)
{
    int asked = 0;
    dialog.setNameAcceptor([&](const std::string& name) {
        ++asked;
        return name == "ok";
    });
    bool openAfterBadName = false;
    bool openAfterRefusal = false;
    const int result = RunModal(dialog, [&](QWidget* d) {
        TypeDoorSize(d);
        Type(d, "name", "../x");
        Click(d, "ok");
        Type(d, "name", QString(kMaxModelNameBytes + 1, QLatin1Char('a')));
        Click(d, "ok");
        openAfterBadName = d->isVisible();
        Type(d, "name", "taken");
        Click(d, "ok");
        openAfterRefusal = d->isVisible();
        Type(d, "name", "ok");
        Click(d, "ok");
    });
    EXPECT_TRUE(openAfterBadName);
    ASSERT_GE(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, RefusedNameMessage(ModelNameProblem::TooLong)) << "says how long a name may be";
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(asked, 2) << "an unusable name never reaches the acceptor";
    EXPECT_EQ(result, IDOK);
}

TEST_F(AddDoorModelDialogTest, CancelAndCaptionCloseGiveCancel)
{
    EXPECT_EQ(RunModal(dialog, [](QWidget* d) { Click(d, "cancel"); }), IDCANCEL);
    CDlgAddDoorModel closed(messages, &lib.library);
    EXPECT_EQ(RunModal(closed, [](QWidget* d) { d->close(); }), IDCANCEL);
}

TEST(AddDoorModelDialogWithoutLibrary, LeavesAllThreeListsEmpty)
{
    RecordingMessageBoxes messages;
    CDlgAddDoorModel dialog(messages, nullptr);
    dialog.show();
    EXPECT_EQ(List(&dialog, "hingesList")->count(), 0);
    EXPECT_EQ(List(&dialog, "lockCoreList")->count(), 0);
    EXPECT_EQ(List(&dialog, "hingesUpList")->count(), 0);
}

} // namespace
