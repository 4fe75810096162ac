#pragma once

#include <dialogs/MessageBoxes.h>

#include <QString>

#include <deque>
#include <vector>

// Records every message instead of showing it; questions and choices are
// answered from queues of prepared answers, then with the default answer
// (for a choice: the last button, as when the box is closed).
class RecordingMessageBoxes final : public MessageBoxes {
public:
    enum class Kind { Information, Warning, Question, Choice };
    struct Shown {
        Kind kind;
        QString text;
    };

    void information(const QString& text) override { shown.push_back({Kind::Information, text}); }
    void warning(const QString& text) override { shown.push_back({Kind::Warning, text}); }
    bool question(const QString& text) override
    {
        shown.push_back({Kind::Question, text});
        if (answers.empty())
            return defaultAnswer;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    int choose(const QString& text, const QStringList& buttons) override
    {
        shown.push_back({Kind::Choice, text});
        choiceButtons = buttons;
        if (choices.empty())
            return static_cast<int>(buttons.size()) - 1;
        const int choice = choices.front();
        choices.pop_front();
        return choice;
    }

    std::vector<Shown> shown;
    std::deque<int> choices;
    QStringList choiceButtons; // of the last choice
    std::deque<bool> answers;
    bool defaultAnswer = false;
};
