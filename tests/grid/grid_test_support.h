#pragma once

#include <grid/CTreeGridCtrl.h>
#include <grid/CTreeGridItem.h>

#include <QCoreApplication>
#include <QImage>
#include <QStringList>

#include <memory>

// A record with texts for column 0 and the sub-items, and a user pointer.
inline CItemInfo* MakeRecord(const QString& text, const QStringList& subItems = {}, void* userData = nullptr)
{
    auto* info = new CItemInfo;
    info->m_text = text;
    info->m_subItemTexts = subItems;
    info->m_userData = userData;
    return info;
}

// A shown grid of the given size with three columns 0..2 of the given widths.
inline std::unique_ptr<CTreeGridCtrl> MakeGrid(QSize size = QSize(400, 200), int width0 = 100, int width1 = 100,
                                               int width2 = 100)
{
    auto grid = std::make_unique<CTreeGridCtrl>();
    grid->SetExtendedStyle(LVS_EX_GRIDLINES);
    grid->InsertColumn(0, "No.", width0);
    grid->InsertColumn(1, "Name", width1);
    grid->InsertColumn(2, "Comment", width2);
    grid->resize(size);
    grid->show();
    QCoreApplication::processEvents();
    return grid;
}

inline void Settle()
{
    QCoreApplication::processEvents();
}

// The grid's viewport as it paints now.
inline QImage RenderViewport(CTreeGridCtrl& grid)
{
    Settle();
    return grid.eventTarget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
