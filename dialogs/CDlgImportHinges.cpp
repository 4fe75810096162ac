#include <dialogs/CDlgImportHinges.h>

#include <dialogs/DataExchange.h>
#include <dialogs/ImportMessages.h>
#include <dialogs/TabOrder.h>

#include <QCheckBox>
#include <QComboBox>
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
    m_fields = new QGridLayout(group);
    QGridLayout* fields = m_fields;
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
    m_ok = ok;
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

void CDlgImportHinges::addImportRows()
{
    if (m_chosen)
        return;
    QWidget* group = m_fields->parentWidget();
    m_unitList = makeDropDown("unit");
    m_unitSource = new QLabel(group);
    m_chosen = new QLabel(group);
    m_chosen->setObjectName(QStringLiteral("chosen"));
    m_swap = makeButton(QStringLiteral("交换"), "swap");
    m_swap->hide();
    m_warning = new QLabel(group);
    m_warning->setObjectName(QStringLiteral("unitWarning"));
    m_warning->setWordWrap(true);
    m_warning->setStyleSheet(QStringLiteral("color: #C00000"));
    m_warning->hide();

    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(m_unitList);
    unitRow->addWidget(m_unitSource, 1);
    m_fields->addWidget(new QLabel(QStringLiteral("图纸单位"), group), 4, 0);
    m_fields->addLayout(unitRow, 4, 1);
    auto* chosenRow = new QHBoxLayout;
    chosenRow->addWidget(m_chosen, 1);
    chosenRow->addWidget(m_swap);
    m_fields->addLayout(chosenRow, 5, 0, 1, 2);
    m_fields->addWidget(m_warning, 6, 0, 1, 2);
    connect(m_unitList, &QComboBox::activated, this,
            [this](int index) { emit unitChosen(m_unitList->itemData(index).toInt()); });
    connect(m_swap, &QPushButton::clicked, this, &CDlgImportHinges::swapClicked);
    QWidget::setTabOrder(m_mortiseBox ? static_cast<QWidget*>(m_mortiseBox) : m_thicknessEdit, m_unitList);
    QWidget::setTabOrder(m_unitList, m_swap);
    QWidget::setTabOrder(m_swap, m_ok);
}

void CDlgImportHinges::showChoice(const QString& chosen, const QString& warning)
{
    addImportRows();
    m_chosen->setText(chosen);
    m_warning->setText(warning);
    m_warning->setVisible(!warning.isEmpty());
}

void CDlgImportHinges::offerUnits(const std::vector<int>& codes, int current, const QString& source)
{
    addImportRows();
    m_unitList->clear();
    for (const int code : codes) {
        m_unitList->addItem(UnitName(code), code);
        if (code == current)
            m_unitList->setCurrentIndex(m_unitList->count() - 1);
    }
    showUnitSource(source);
}

void CDlgImportHinges::showUnitSource(const QString& source)
{
    addImportRows();
    m_unitSource->setText(QStringLiteral("（%1）").arg(source));
}

void CDlgImportHinges::offerSwap()
{
    addImportRows();
    m_swap->show();
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
