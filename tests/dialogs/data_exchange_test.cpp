#include "RecordingMessageBoxes.h"

#include <dialogs/DataExchange.h>

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A window with four fields exchanged in order: text, double, int, unsigned.
struct Form {
    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QLineEdit* edit : {text, real, whole, count})
            layout->addWidget(edit);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    bool exchange(DataExchange::Direction direction)
    {
        DataExchange dx(direction, messages);
        dx.text(text, textValue);
        dx.number(real, realValue);
        dx.number(whole, wholeValue);
        dx.number(count, countValue, countMax);
        return !dx.failed();
    }

    QWidget window;
    QLineEdit* text = new QLineEdit;
    QLineEdit* real = new QLineEdit;
    QLineEdit* whole = new QLineEdit;
    QLineEdit* count = new QLineEdit;
    RecordingMessageBoxes messages;
    std::string textValue = "old";
    double realValue = 1.5;
    int wholeValue = 7;
    unsigned countValue = 9;
    unsigned countMax = 100;
};

TEST(DataExchange, ShowsMembersInFields)
{
    Form form;
    form.textValue = "\xC3\xC5"; // 门
    form.realValue = 0.0;
    form.wholeValue = -3;
    ASSERT_TRUE(form.exchange(DataExchange::Direction::ToFields));
    EXPECT_EQ(form.text->text(), QStringLiteral("门"));
    EXPECT_EQ(form.real->text(), "0");
    EXPECT_EQ(form.whole->text(), "-3");
    EXPECT_EQ(form.count->text(), "9");
    EXPECT_TRUE(form.messages.shown.empty());
}

TEST(DataExchange, ReadsEveryFieldWhenAllAreReadable)
{
    Form form;
    form.text->setText(QStringLiteral("锁芯"));
    form.real->setText(" 6.5\t");
    form.whole->setText("-3");
    form.count->setText("12");
    ASSERT_TRUE(form.exchange(DataExchange::Direction::FromFields));
    EXPECT_EQ(form.textValue, "\xCB\xF8\xD0\xBE");
    EXPECT_EQ(form.realValue, 6.5);
    EXPECT_EQ(form.wholeValue, -3);
    EXPECT_EQ(form.countValue, 12u);
}

// The first unreadable field stops the exchange: one message, the focus and
// selection in that field, earlier members taken, later ones untouched.
TEST(DataExchange, StopsAtTheFirstUnreadableField)
{
    Form form;
    form.text->setText("new");
    form.real->setText("abc");
    form.whole->setText("5");
    form.count->setText("5");
    EXPECT_FALSE(form.exchange(DataExchange::Direction::FromFields));
    ASSERT_EQ(form.messages.shown.size(), 1u);
    EXPECT_EQ(form.messages.shown[0].kind, RecordingMessageBoxes::Kind::Warning);
    EXPECT_EQ(form.messages.shown[0].text, ExchangeMessages::notANumber());
    EXPECT_TRUE(form.real->hasFocus());
    EXPECT_EQ(form.real->selectedText(), "abc");
    EXPECT_EQ(form.textValue, "new");
    EXPECT_EQ(form.realValue, 1.5);
    EXPECT_EQ(form.wholeValue, 7);
    EXPECT_EQ(form.countValue, 9u);
}

// A refusal names the field it is about by the label the user sees beside
// it, or the label whose buddy it is; a field without a label is not named.
TEST(DataExchange, RefusalsNameTheirField)
{
    QWidget window;
    auto* grid = new QGridLayout(&window);
    auto* inGrid = new QLineEdit;
    auto* withBuddy = new QLineEdit;
    auto* unlabelled = new QLineEdit;
    grid->addWidget(new QLabel(QStringLiteral("长度：")), 0, 0);
    grid->addWidget(inGrid, 0, 1);
    auto* buddy = new QLabel(QStringLiteral("宽度(&W)"));
    buddy->setBuddy(withBuddy);
    grid->addWidget(buddy, 1, 0);
    grid->addWidget(withBuddy, 2, 1);
    grid->addWidget(unlabelled, 3, 1);
    const std::pair<QLineEdit*, QString> cases[] = {
        {inGrid, QStringLiteral("“长度”：请输入一个数。")},
        {withBuddy, QStringLiteral("“宽度(W)”：请输入一个数。")},
        {unlabelled, QStringLiteral("请输入一个数。")},
    };
    for (const auto& [field, said] : cases) {
        field->setText(QStringLiteral("abc"));
        RecordingMessageBoxes messages;
        DataExchange dx(DataExchange::Direction::FromFields, messages);
        double value = 0.0;
        dx.number(field, value);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, said);
    }
}

TEST(DataExchange, RefusesMinusAndValuesAboveTheLimitInUnsignedFields)
{
    for (const char* text : {"-3", "101", ""}) {
        Form form;
        form.real->setText("1");
        form.whole->setText("1");
        form.count->setText(text);
        EXPECT_FALSE(form.exchange(DataExchange::Direction::FromFields)) << text;
        EXPECT_TRUE(form.count->hasFocus()) << text;
        EXPECT_EQ(form.countValue, 9u) << text;
    }
}

TEST(DataExchange, RefusesTextThatGbkCannotHold)
{
    Form form;
    form.text->setText(QStringLiteral("门\U0001F600"));
    EXPECT_FALSE(form.exchange(DataExchange::Direction::FromFields));
    EXPECT_EQ(form.textValue, "old");
    ASSERT_EQ(form.messages.shown.size(), 1u);
    EXPECT_EQ(form.messages.shown[0].text, ExchangeMessages::notEncodable());
    EXPECT_TRUE(form.text->hasFocus());
}

TEST(DataExchange, CheckRefusesOnlyWhileReading)
{
    Form form;
    DataExchange toFields(DataExchange::Direction::ToFields, form.messages);
    toFields.check(form.text, false, "bad");
    EXPECT_FALSE(toFields.failed());

    DataExchange fromFields(DataExchange::Direction::FromFields, form.messages);
    fromFields.check(form.text, false, "bad");
    fromFields.check(form.real, false, "second");
    EXPECT_TRUE(fromFields.failed());
    ASSERT_EQ(form.messages.shown.size(), 1u);
    EXPECT_EQ(form.messages.shown[0].text, "bad");
}

} // namespace
