#include <app/AboutDlg.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int kIconSize = 32;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("关于 Varnholt"));
    auto* icon = new QLabel(this);
    const QIcon appIcon = QApplication::windowIcon().isNull()
                              ? style()->standardIcon(QStyle::SP_ComputerIcon)
                              : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(kIconSize, kIconSize));
    auto* text = new QLabel(QStringLiteral("Varnholt，1.0 版"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
