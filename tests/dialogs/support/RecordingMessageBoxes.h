#pragma once

#include <dialogs/MessageBoxes.h>

#include <QString>

#include <deque>
#include <vector>

// Records every message instead of showing it; questions are answered from a
// queue of prepared answers, then with the default answer.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    enum class Kind { Information, Warning, Question };
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

    std::vector<Shown> shown;
    std::deque<bool> answers;
    bool defaultAnswer = false;
};
