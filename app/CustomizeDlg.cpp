#include <app/CustomizeDlg.h>

#include <app/MainFrame.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QListWidgetItem* checkItem(QListWidget* list, const QString& label, bool checked, QAction* toggles)
{
    auto* item = new QListWidgetItem(label, list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject*>(toggles)));
    return item;
}

} // namespace

CCustomizeDlg::CCustomizeDlg(CMainFrame* frame)
    : QDialog(frame), m_frame(frame), m_bars(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("自定义"));
    auto* tabs = new QTabWidget(this);

    auto* barsPage = new QWidget(tabs);
    auto* newBar = new QPushButton(QStringLiteral("新建工具栏(&N)"), barsPage);
    auto* barsLayout = new QVBoxLayout(barsPage);
    barsLayout->addWidget(m_bars);
    barsLayout->addWidget(newBar);
    tabs->addTab(barsPage, QStringLiteral("工具栏"));

    auto* imagesPage = new QListWidget(tabs);
    imagesPage->setViewMode(QListView::IconMode);
    for (const QPixmap& image : frame->userImages())
        new QListWidgetItem(QIcon(image), QString(), imagesPage);
    tabs->addTab(imagesPage, QStringLiteral("用户图像"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);

    fillBars();
    auto toggle = [](QListWidgetItem* item) {
        auto* a = qobject_cast<QAction*>(item->data(Qt::UserRole).value<QObject*>());
        if (a && a->isChecked() != (item->checkState() == Qt::Checked))
            a->trigger();
    };
    connect(m_bars, &QListWidget::itemChanged, this, toggle);
    connect(newBar, &QPushButton::clicked, this, [this, newBar] {
        if (QToolBar* bar = m_frame->createUserToolbar())
            bar->show();
        fillBars();
        newBar->setEnabled(m_frame->userToolbars().size() < CMainFrame::kMaxUserToolbars);
    });
    newBar->setEnabled(m_frame->userToolbars().size() < CMainFrame::kMaxUserToolbars);
}

void CCustomizeDlg::fillBars()
{
    const QSignalBlocker block(m_bars);
    m_bars->clear();
    for (QToolBar* bar : m_frame->findChildren<QToolBar*>())
        checkItem(m_bars, bar->windowTitle(), bar->isVisible(), bar->toggleViewAction());
    for (QDockWidget* dock : m_frame->findChildren<QDockWidget*>())
        checkItem(m_bars, dock->windowTitle(), dock->isVisible(), dock->toggleViewAction());
}
