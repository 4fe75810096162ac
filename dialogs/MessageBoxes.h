#pragma once

#include <QString>
#include <QStringList>

// The way commands and dialogs put a message in front of the user. The
// program uses the Qt message boxes; tests put a recorder behind it so that
// nothing blocks.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // A notice with only an OK button.
    virtual void information(const QString& text) = 0;
    // A refusal or a failure, with only an OK button.
    virtual void warning(const QString& text) = 0;
    // A question with Yes and No; true when the user answers Yes.
    virtual bool question(const QString& text) = 0;
    // A choice between buttons with the given texts; the index of the one
    // pressed. Closing the box presses the last.
    virtual int choose(const QString& text, const QStringList& buttons) = 0;
};
