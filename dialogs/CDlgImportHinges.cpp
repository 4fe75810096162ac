#include <dialogs/CDlgImportHinges.h>

#include <dialogs/DataExchange.h>
#include <dialogs/TabOrder.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kFieldWidth = 256;
}

CDlgImportHinges::CDlgImportHinges(MessageBoxes& messages, bool offerMortise)
    : NamedModelDialog(messages),
      m_nameEdit(makeEdit("name")),
      m_commentsEdit(makeEdit("comments")),
      m_thicknessEdit(makeEdit("thickness"))
{
    setWindowTitle(QStringLiteral("完善合页信息"));

    auto* group = new QGroupBox(QStringLiteral("合页信息"), this);
    auto* fields = new QGridLayout(group);
    fields->addWidget(new QLabel(QStringLiteral("合页名称"), group), 0, 0);
    fields->addWidget(m_nameEdit, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("备注信息"), group), 1, 0);
    fields->addWidget(m_commentsEdit, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("厚度（毫米）"), group), 2, 0);
    fields->addWidget(m_thicknessEdit, 2, 1);
    for (QLineEdit* edit : {m_nameEdit, m_commentsEdit, m_thicknessEdit})
        edit->setMinimumWidth(kFieldWidth);
    if (offerMortise) {
        m_mortiseBox = new QCheckBox(QStringLiteral("开槽"), group);
        m_mortiseBox->setObjectName(QStringLiteral("mortise"));
        fields->addWidget(m_mortiseBox, 3, 1);
    }

    QPushButton* ok = makeOkButton();
    QPushButton* cancel = makeCancelButton();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch(2);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    std::vector<QWidget*> mortise;
    if (m_mortiseBox)
        mortise.push_back(m_mortiseBox);
    SetTabChain({{m_nameEdit, m_commentsEdit, m_thicknessEdit}, mortise, {ok, cancel}});
}

void CDlgImportHinges::DoDataExchange(DataExchange& dx)
{
    ExchangeModelName(dx, m_nameEdit, m_name);
    dx.text(m_commentsEdit, m_comments);
    dx.number(m_thicknessEdit, m_thickness);
    if (m_mortiseBox)
        dx.flag(m_mortiseBox, m_mortise);
}

void CDlgImportHinges::OnInitDialog()
{
    NamedModelDialog::OnInitDialog();
    m_nameEdit->setFocus(Qt::OtherFocusReason);
}

void CDlgImportHinges::OnOK()
{
    acceptNamed(m_nameEdit);
}
