#pragma once

#include <dialogs/NamedModelDialog.h>

#include <array>
#include <memory>
#include <string>

class GK_DoorWithHinges;
class ModelLibrary;
class QComboBox;

// Composes a new door model: its size, a lock-core model at an X position, a
// hinge model at up to four X positions and whether the hinges sit at the
// top. The model lists offer the names of the library's models in list
// order; the dialog creates nothing itself.
class CDlgAddDoorModel : public NamedModelDialog {
    Q_OBJECT
public:
    static constexpr int kHingePositions = 4;

    // Without a library (no main window) the three lists stay empty.
    CDlgAddDoorModel(MessageBoxes& messages, const ModelLibrary* library);

    // Fills the dialog with the door's values, for changing it; its models
    // are chosen in the lists when it opens ("无锁芯" for a door without one).
    void load(const GK_DoorWithHinges& door);
    // The door of the values read back, with the library's models of the
    // chosen names; the hinge positions that are not zero, in order.
    std::unique_ptr<GK_DoorWithHinges> makeDoor() const;

    // Read by the caller after IDOK; lengths in millimetres, texts GBK.
    double m_length = 0.0;
    double m_width = 0.0;
    double m_thickness = 0.0;
    double m_lockCoreX = 0.0;
    std::array<double, kHingePositions> m_hingePos{};
    std::string m_hingesModelName;
    std::string m_lockCoreModelName;
    int m_hingesUp = 0;

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    void OnOK() override;
    // Refuses a hinge or the lock core that would stand off the leaf, and
    // asks whether a door without hinges is meant.
    bool valuesAccepted() override;

private:
    const ModelLibrary* m_library;
    bool m_loaded = false; // filled from a door: its models are chosen on opening
    QLineEdit* m_nameEdit;
    QLineEdit* m_commentsEdit;
    QLineEdit* m_lengthEdit;
    QLineEdit* m_widthEdit;
    QLineEdit* m_thicknessEdit;
    QComboBox* m_lockCoreList;
    QLineEdit* m_lockCoreXEdit;
    QComboBox* m_hingesList;
    std::array<QLineEdit*, kHingePositions> m_hingePosEdits;
    QComboBox* m_hingesUpList;
};
