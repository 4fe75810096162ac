#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

// While it lives, the user's input reaches only the given widgets (with their
// children and popups) and modal dialogs opened over them: a modality that
// leaves one part of a window usable beside a dialog. Closing other windows
// is refused.
class InputConfinement : public QObject {
public:
    explicit InputConfinement(std::vector<QWidget*> open);
    ~InputConfinement() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool reaches(const QObject* target) const;

    std::vector<QPointer<QWidget>> m_open;
};
