#pragma once

#include <dialogs/ExchangeDialog.h>

#include <library/MachineProfile.h>

#include <vector>

struct ProfileField;

// "机床设置": the machine profile's values, one field for each value of
// ProfileFields. OK keeps the dialog open on a value the program cannot work
// with, naming the value; the caller saves.
class CDlgMachineProfile : public ExchangeDialog {
    Q_OBJECT
public:
    CDlgMachineProfile(MessageBoxes& messages, const MachineProfile& profile);

    // Read by the caller after IDOK.
    MachineProfile m_profile;

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    QWidget* makeField(const ProfileField& field);
    // The line field where a value with the problem is typed, if any.
    QLineEdit* fieldOf(ProfileProblem problem) const;

    // The field of each value, in the order of ProfileFields.
    std::vector<QWidget*> m_fields;
};
