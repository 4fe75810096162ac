#pragma once

#include <dialogs/ExchangeDialog.h>
#include <dialogs/ModelNameField.h>

#include <string>

// A dialog that names a new model: the name and comments it hands back, and
// the question about the name on OK.
class NamedModelDialog : public ExchangeDialog {
    Q_OBJECT
public:
    // Consulted on OK after the fields were read.
    void setNameAcceptor(NameAcceptor acceptor) { m_acceptName = std::move(acceptor); }

    // Read by the caller after IDOK. Texts are GBK.
    std::string m_name;
    std::string m_comments;

protected:
    explicit NamedModelDialog(MessageBoxes& messages);

    // Asked on OK once every field was read, before the name: false keeps
    // the dialog open (the dialog has told the user why).
    virtual bool valuesAccepted() { return true; }

    // Takes the fields back and closes with IDOK when all of them could be
    // read, the values and the name are accepted. A refused name keeps the dialog open
    // with the name field focused and its text selected, so that another
    // name can be typed at once.
    void acceptNamed(QLineEdit* nameEdit);

private:
    NameAcceptor m_acceptName;
};
