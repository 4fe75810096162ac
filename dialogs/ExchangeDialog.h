#pragma once

#include <QDialog>

class DataExchange;
class MessageBoxes;
class QComboBox;
class QLineEdit;
class QPushButton;

// Results of a modal run.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// A modal dialog that exchanges its members with its fields. It initialises
// when it is first shown (members into fields, then the dialog's own set-up),
// takes the fields back on OK and closes only when all of them could be read.
// Cancel, Escape and the caption's close button end it with IDCANCEL.
class ExchangeDialog : public QDialog {
    Q_OBJECT
public:
    // Runs the dialog modally over the active window; IDOK or IDCANCEL.
    int DoModal();
    // The same, but the widget beside it stays usable (a view the dialog
    // speaks of); with no widget the same as DoModal.
    int DoModalBeside(QWidget* beside);

signals:
    // The dialog, shown, moved or changed its size: its frame on the screen.
    void frameChanged(const QRect& frame);

protected:
    explicit ExchangeDialog(MessageBoxes& messages);

    // Members to fields (false) or fields to members (true); false when a
    // field could not be read.
    bool UpdateData(bool saveAndValidate);
    virtual void DoDataExchange(DataExchange& dx) = 0;
    // Runs once, when the dialog is first shown; the default moves the
    // members into the fields.
    virtual void OnInitDialog();
    // The standard OK: fields into members, then close with IDOK.
    virtual void OnOK();

    MessageBoxes& messages() const { return m_messages; }

    // Standard controls of the templates.
    QLineEdit* makeEdit(const char* objectName);
    QComboBox* makeDropDown(const char* objectName);
    QPushButton* makeOkButton();
    QPushButton* makeCancelButton();
    QPushButton* makeButton(const QString& text, const char* objectName);

    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    MessageBoxes& m_messages;
    bool m_initialised = false;
};
