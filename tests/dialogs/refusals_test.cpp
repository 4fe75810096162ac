// What the dialogs refuse before anything is saved, with their messages: a
// blank or too long name, a tool number, diameter or speed that no tool can
// have, a hinge or lock core off the leaf, and a door without hinges unasked.
#include "DialogDriving.h"
#include "RecordingMessageBoxes.h"
#include "TestLibrary.h"

#include <dialogs/CDlgAddDoorModel.h>
#include <dialogs/CDlgAddOneKnife.h>
#include <dialogs/CDlgImportHinges.h>
#include <dialogs/LibraryMessages.h>
#include <dialogs/UserMessages.h>
#include <library/FileNameLimits.h>
#include <library/KnifeInfo.h>

#include <gtest/gtest.h>

namespace {

struct Entry {
    const char* field;
    QString text;
};

struct Refused {
    const char* what;
    std::vector<Entry> entries;
    QString message;
    const char* focused; // the field that has the focus afterwards
};

// Types the entries, presses OK and expects the dialog open with the
// message and the field focused; then types fixes and presses OK again.
template <typename Dialog>
void expectRefused(Dialog& dialog, RecordingMessageBoxes& messages, const Refused& c, const std::vector<Entry>& fixes)
{
    SCOPED_TRACE(c.what);
    messages.shown.clear();
    bool open = false;
    bool focused = false;
    const int result = RunModal(dialog, [&](QWidget* d) {
        for (const Entry& e : c.entries)
            Type(d, e.field, e.text);
        Click(d, "ok");
        open = d->isVisible();
        focused = HasFocus(Field(d, c.focused));
        for (const Entry& e : fixes)
            Type(d, e.field, e.text);
        Click(d, "ok");
    });
    EXPECT_TRUE(open);
    EXPECT_TRUE(focused);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().text, c.message);
    EXPECT_EQ(result, IDOK);
}

const QString kChinese90 = QString(90, QChar(0x5408)); // 90 times "合"

TEST(Refusals, NamesThatAreBlankOrTooLong)
{
    const QString tooLong = RefusedNameMessage(ModelNameProblem::TooLong);
    EXPECT_TRUE(tooLong.contains(QStringLiteral("%1个汉字").arg(kMaxModelNameBytes / 3))) << tooLong.toStdString();
    const Refused cases[] = {
        {"empty", {{"name", ""}}, RefusedNameMessage(ModelNameProblem::Empty), "name"},
        {"blanks", {{"name", "   "}}, RefusedNameMessage(ModelNameProblem::Empty), "name"},
        {"90 Chinese characters", {{"name", kChinese90}}, tooLong, "name"},
        {"200 Chinese characters", {{"name", QString(200, QChar(0x5408))}}, tooLong, "name"},
    };
    RecordingMessageBoxes messages;
    TestLibrary lib;
    for (const Refused& c : cases) {
        CDlgImportHinges import(messages, true);
        expectRefused(import, messages, c, {{"name", kChinese90.left(60)}, {"thickness", "3"}});
        CDlgAddDoorModel door(messages, &lib.library);
        expectRefused(door, messages, c,
                      {{"name", kChinese90.left(60)}, {"length", "2000"}, {"width", "900"}, {"thickness", "40"}});
    }
}

TEST(Refusals, ToolValuesNoToolCanHave)
{
    const std::vector<Entry> valid{{"toolNumber", "4"}, {"diameter", "5"}, {"speed", "6000"}};
    const auto with = [&](const char* field, const QString& text) {
        std::vector<Entry> entries = valid;
        for (Entry& e : entries)
            if (QLatin1String(e.field) == QLatin1String(field))
                e.text = text;
        return entries;
    };
    const Refused cases[] = {
        {"number 0", with("toolNumber", "0"), ToolValueNotPositiveMessage(QStringLiteral("刀号")), "toolNumber"},
        {"number -2", with("toolNumber", "-2"), ToolValueNotPositiveMessage(QStringLiteral("刀号")), "toolNumber"},
        {"number taken", with("toolNumber", "3"), ToolNumberTakenMessage(3), "toolNumber"},
        {"diameter 0", with("diameter", "0"), ToolValueNotPositiveMessage(QStringLiteral("刀径")), "diameter"},
        {"diameter -5", with("diameter", "-5"), ToolValueNotPositiveMessage(QStringLiteral("刀径")), "diameter"},
        {"speed 0", with("speed", "0"), ToolValueNotPositiveMessage(QStringLiteral("加工速度")), "speed"},
    };
    RecordingMessageBoxes messages;
    for (const Refused& c : cases) {
        CDlgAddOneKnife add(messages);
        add.m_form.takenNumbers = {1, 3};
        expectRefused(add, messages, c, valid);
        KnifeInfo knife;
        add.m_form.store(knife);
        EXPECT_EQ(knife.ID, 4);
        EXPECT_EQ(knife.Diameter, 5.0);
    }
}

// A door of 2000 × 900 with a hinge of 10 × 10 and a lock core whose side
// face is 5 × 5: each is
// placed with the layout the drawing and the machining use.
TEST(Refusals, HingesAndLockCoresOffTheLeaf)
{
    TestLibrary lib;
    lib.addHinges("H");
    lib.addLockCore("L");
    const std::vector<Entry> door{{"name", "D"}, {"length", "2000"}, {"width", "900"}, {"thickness", "40"},
                                  {"lockCoreX", "1000"}, {"hingePos1", "200"}, {"hingePos2", "1800"}};
    const auto with = [&](const char* field, const QString& text) {
        std::vector<Entry> entries = door;
        entries.push_back({field, text});
        return entries;
    };
    const Refused cases[] = {
        {"lock core at 0", with("lockCoreX", "0"), LockCoreOffLeafMessage(0, 2.5), "lockCoreX"},
        {"hinge past the end", with("hingePos2", "1999"), HingeOffLeafMessage(2, 1999, 4), "hingePos2"},
        {"hinge before the start", with("hingePos4", "-20"), HingeOffLeafMessage(4, -20, 25), "hingePos4"},
    };
    RecordingMessageBoxes messages;
    for (const Refused& c : cases) {
        CDlgAddDoorModel dialog(messages, &lib.library);
        expectRefused(dialog, messages, c, with(c.focused, c.focused == std::string("lockCoreX") ? "1000" : "0"));
    }
}

TEST(Refusals, ADoorWithoutHingesIsAskedForAndMayHaveNoLockCore)
{
    TestLibrary lib;
    lib.addHinges("H");
    lib.addLockCore("L");
    RecordingMessageBoxes messages;
    messages.answers = {false, true};
    CDlgAddDoorModel dialog(messages, &lib.library);
    bool openAfterNo = false;
    const int result = RunModal(dialog, [&](QWidget* d) {
        for (const Entry& e : std::vector<Entry>{{"name", "D"}, {"length", "720"}, {"width", "450"}, {"thickness", "18"}})
            Type(d, e.field, e.text);
        QComboBox* locks = List(d, "lockCoreList");
        EXPECT_EQ(Entries(locks), (QStringList{"L", QStringLiteral("无锁芯")}));
        locks->setCurrentIndex(1);
        Click(d, "ok");
        openAfterNo = d->isVisible();
        Click(d, "ok");
    });
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, DoorWithoutHingesQuestion());
    EXPECT_EQ(dialog.m_lockCoreModelName, "");
    const auto made = dialog.makeDoor();
    EXPECT_EQ(made->GetLockCoreModel(), nullptr);
    EXPECT_EQ(made->GetHingesPos().count(), 0u);
}

} // namespace
