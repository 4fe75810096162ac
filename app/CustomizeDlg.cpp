#include <app/CustomizeDlg.h>

#include <app/CommandNames.h>
#include <app/MainFrame.h>
#include <app/ToolbarCustomizing.h>

#include <dialogs/UserMessages.h>

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kCommandRole = Qt::UserRole;
constexpr int kToggleRole = Qt::UserRole;
constexpr int kToolbarRole = Qt::UserRole + 1;

// The commands by menu; an entry dragged away carries its command.
class CommandTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

    QMimeData* dragData(QTreeWidgetItem* item) const { return mimeData({item}); }

protected:
    QStringList mimeTypes() const override { return {ToolbarCustomizing::commandMimeType()}; }
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override
    {
        const int id = items.isEmpty() ? 0 : items.first()->data(0, kCommandRole).toInt();
        return id != 0 ? ToolbarCustomizing::commandData(id) : nullptr;
    }
};

QListWidgetItem* checkItem(QListWidget* list, const QString& label, bool checked, QAction* toggles, QToolBar* bar)
{
    auto* item = new QListWidgetItem(label, list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    item->setData(kToggleRole, QVariant::fromValue(static_cast<QObject*>(toggles)));
    item->setData(kToolbarRole, QVariant::fromValue(static_cast<QObject*>(bar)));
    return item;
}

} // namespace

CCustomizeDlg::CCustomizeDlg(CMainFrame* frame)
    : QDialog(frame), m_frame(frame), m_customizing(new ToolbarCustomizing(*frame, this)),
      m_saved(frame->customisation())
{
    setWindowTitle(QStringLiteral("自定义"));
    auto* tabs = new QTabWidget(this);
    tabs->addTab(makeCommandsPage(), QStringLiteral("命令"));
    tabs->addTab(makeToolbarsPage(), QStringLiteral("工具栏"));
    tabs->addTab(makeImagesPage(), QStringLiteral("用户图像"));

    // "关闭" keeps what was changed; "取消" brings back what the dialog found.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(buttons->button(QDialogButtonBox::Close), &QPushButton::clicked, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this, [this] {
        m_frame->restoreCustomisation(m_saved);
        reject();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);

    connect(m_frame, &CMainFrame::toolbarsChanged, this, &CCustomizeDlg::fillBars);
    fillBars();
}

CCustomizeDlg::~CCustomizeDlg() = default;

QWidget* CCustomizeDlg::makeCommandsPage()
{
    auto* page = new QWidget;
    auto* tree = new CommandTree(page);
    m_commands = tree;
    tree->setHeaderHidden(true);
    tree->setDragEnabled(true);
    tree->setDragDropMode(QAbstractItemView::DragOnly);
    tree->setDefaultDropAction(Qt::MoveAction);
    for (const auto& [menu, commands] : m_frame->menuCommands()) {
        auto* group = new QTreeWidgetItem(tree, {menu});
        group->setFlags(Qt::ItemIsEnabled);
        for (QAction* command : commands) {
            auto* item = new QTreeWidgetItem(group, {CommandName(command->text())});
            item->setIcon(0, command->icon());
            item->setData(0, kCommandRole, command->data());
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
        }
    }
    tree->expandAll();
    auto* hint = new QLabel(QStringLiteral("把命令拖到工具栏上即可添加按钮。本对话框打开时，"
                                           "可以在工具栏之间拖动按钮，把按钮拖离工具栏即可删除它。"),
                            page);
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(tree);
    layout->addWidget(hint);
    return page;
}

QWidget* CCustomizeDlg::makeToolbarsPage()
{
    auto* page = new QWidget;
    m_bars = new QListWidget(page);
    m_newBar = new QPushButton(QStringLiteral("新建(&N)"), page);
    m_renameBar = new QPushButton(QStringLiteral("重命名(&R)..."), page);
    m_deleteBar = new QPushButton(QStringLiteral("删除(&D)"), page);
    auto* side = new QVBoxLayout;
    side->addWidget(m_newBar);
    side->addWidget(m_renameBar);
    side->addWidget(m_deleteBar);
    side->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_bars, 1);
    layout->addLayout(side);

    connect(m_bars, &QListWidget::itemChanged, this, [](QListWidgetItem* item) {
        auto* toggle = qobject_cast<QAction*>(item->data(kToggleRole).value<QObject*>());
        if (toggle && toggle->isChecked() != (item->checkState() == Qt::Checked))
            toggle->trigger();
    });
    connect(m_bars, &QListWidget::currentItemChanged, this, [this] {
        const bool user = selectedUserToolbar() != nullptr;
        m_renameBar->setEnabled(user);
        m_deleteBar->setEnabled(user);
    });
    connect(m_newBar, &QPushButton::clicked, this, [this] {
        if (QToolBar* bar = m_frame->createUserToolbar())
            bar->show();
    });
    connect(m_renameBar, &QPushButton::clicked, this, &CCustomizeDlg::renameSelected);
    connect(m_deleteBar, &QPushButton::clicked, this, &CCustomizeDlg::deleteSelected);
    return page;
}

QWidget* CCustomizeDlg::makeImagesPage()
{
    auto* page = new QWidget;
    auto* images = new QListWidget(page);
    images->setViewMode(QListView::IconMode);
    const QList<QPixmap>& userImages = m_frame->userImages();
    for (qsizetype i = 0; i < userImages.size(); ++i)
        new QListWidgetItem(QIcon(userImages[i]), QString::number(i + 1), images);
    auto* commands = new QComboBox(page);
    for (const auto& [menu, actions] : m_frame->menuCommands()) {
        for (QAction* command : actions)
            commands->addItem(command->icon(), menu + QStringLiteral(" > ") + CommandName(command->text()),
                              command->data());
    }
    auto* give = new QPushButton(QStringLiteral("指定给命令(&A)"), page);
    auto* restore = new QPushButton(QStringLiteral("恢复原图像(&O)"), page);
    auto* layout = new QGridLayout(page);
    layout->addWidget(images, 0, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("命令："), page), 1, 0);
    layout->addWidget(commands, 1, 1, 1, 2);
    layout->addWidget(give, 2, 1);
    layout->addWidget(restore, 2, 2);
    if (userImages.isEmpty()) {
        layout->addWidget(new QLabel(QStringLiteral("程序文件夹中没有用户图像“UserImages.bmp”。"), page), 3, 0, 1, 3);
        give->setEnabled(false);
    }
    connect(give, &QPushButton::clicked, this, [this, images, commands] {
        if (images->currentRow() >= 0)
            m_frame->assignUserImage(commands->currentData().toInt(), images->currentRow());
    });
    connect(restore, &QPushButton::clicked, this,
            [this, commands] { m_frame->assignUserImage(commands->currentData().toInt(), -1); });
    return page;
}

QMimeData* CCustomizeDlg::dragDataOf(int commandId) const
{
    for (int g = 0; g < m_commands->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = m_commands->topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i) {
            if (group->child(i)->data(0, kCommandRole).toInt() == commandId)
                return static_cast<CommandTree*>(m_commands)->dragData(group->child(i));
        }
    }
    return nullptr;
}

void CCustomizeDlg::fillBars()
{
    const QSignalBlocker block(m_bars);
    m_bars->clear();
    for (QToolBar* bar : m_frame->toolbars())
        checkItem(m_bars, bar->windowTitle(), bar->isVisible(), bar->toggleViewAction(), bar);
    for (QDockWidget* dock : m_frame->findChildren<QDockWidget*>())
        checkItem(m_bars, dock->windowTitle(), dock->isVisible(), dock->toggleViewAction(), nullptr);
    m_newBar->setEnabled(m_frame->userToolbars().size() < CMainFrame::kMaxUserToolbars);
    m_renameBar->setEnabled(false);
    m_deleteBar->setEnabled(false);
}

QToolBar* CCustomizeDlg::selectedUserToolbar() const
{
    const QListWidgetItem* item = m_bars->currentItem();
    auto* bar = item ? qobject_cast<QToolBar*>(item->data(kToolbarRole).value<QObject*>()) : nullptr;
    return m_frame->userToolbars().contains(bar) ? bar : nullptr;
}

void CCustomizeDlg::renameSelected()
{
    QToolBar* bar = selectedUserToolbar();
    if (!bar)
        return;
    bool ok = false;
    const QString title = QInputDialog::getText(this, QStringLiteral("重命名工具栏"), QStringLiteral("工具栏名称："),
                                                QLineEdit::Normal, bar->windowTitle(), &ok);
    if (!ok)
        return;
    m_frame->renameUserToolbar(bar, title);
    m_bars->currentItem()->setText(bar->windowTitle());
}

void CCustomizeDlg::deleteSelected()
{
    QToolBar* bar = selectedUserToolbar();
    if (bar && QMessageBox::question(this, windowTitle(), DeleteToolbarQuestion(bar->windowTitle()))
                   == QMessageBox::Yes)
        m_frame->deleteUserToolbar(bar);
}
