#pragma once

#include <dialogs/MessageBoxes.h>

// Modal Qt message boxes over the active window, captioned with the
// application's display name.
class QtMessageBoxes final : public MessageBoxes {
public:
    void information(const QString& text) override;
    void warning(const QString& text) override;
    bool question(const QString& text) override;
    int choose(const QString& text, const QStringList& buttons) override;
};
