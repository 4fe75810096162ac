#include <dialogs/CDlgPassedOver.h>

#include <dialogs/UserMessages.h>

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kInitialWidth = 720;
constexpr int kInitialHeight = 360;
} // namespace

CDlgPassedOver::CDlgPassedOver(const ModelLibrary& library, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("未读入的文件"));
    const QString note = PassedOverNote(library.skipped.size(), library.unboundDoors.size());
    auto* summary = new QLabel(note.isEmpty() ? QStringLiteral("模型库的文件都已读入。") : note + QStringLiteral("。"), this);

    m_list = new QTreeWidget(this);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("文件"), QStringLiteral("原因")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const SkippedFile& file : library.skipped)
        new QTreeWidgetItem(m_list, {QString::fromUtf8(file.path), LoadProblemText(file.outcome)});
    for (const UnboundDoor& door : library.unboundDoors)
        new QTreeWidgetItem(m_list, {QString::fromUtf8(door.path), UnboundDoorText(door)});
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(kInitialWidth, kInitialHeight);
}
