#pragma once

#include <dialogs/ExchangeDialog.h>

#include <library/MachineProfile.h>

class QCheckBox;
class QPlainTextEdit;

// "机床设置": the machine profile's values. OK keeps the dialog open on a
// value the program cannot work with, naming the value; the caller saves.
class CDlgMachineProfile : public ExchangeDialog {
    Q_OBJECT
public:
    CDlgMachineProfile(MessageBoxes& messages, const MachineProfile& profile);

    // Read by the caller after IDOK.
    MachineProfile m_profile;

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    QLineEdit* fieldOf(ProfileProblem problem) const;

    QComboBox* m_corner;
    QComboBox* m_xDirection;
    QComboBox* m_yDirection;
    QLineEdit* m_sideX;
    QLineEdit* m_sideY;
    QLineEdit* m_sideZ;
    QLineEdit* m_safeHeight;
    QLineEdit* m_breakthrough;
    QLineEdit* m_recessDepth;
    QLineEdit* m_stepover;
    QLineEdit* m_rapidFeed;
    QCheckBox* m_cannedCycles;
    QCheckBox* m_comments;
    QLineEdit* m_lineNumbers;
    QLineEdit* m_extension;
    QComboBox* m_lineEnd;
    QPlainTextEdit* m_header;
    QPlainTextEdit* m_footer;
};
