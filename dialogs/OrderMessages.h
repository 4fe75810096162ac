#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>

// The production order commands' dialogs and outcomes worded for the user.

// The open dialog's title and the folder dialog's of "生成全部程序...".
QString OrderOpenTitle();
QString OrderProgramsFolderTitle(const QString& order);
QString JobSheetSaveTitle(const QString& order);
// "订单A_生产单.pdf"
QString JobSheetFileName(const QString& order);
// The order file could not be opened: problem is its own wording.
QString OrderNotOpenedMessage(const QString& path, const QString& problem);
// The status bar once an order is open.
QString OrderOpenedStatus(const QString& order, std::size_t rows, std::size_t refused);
// "生成全部程序..." and the job sheet without an open order.
QString NoOrderMessage();
// Programs of the order that are in the folder already (the first few named).
QString OrderProgramsReplaceQuestion(const QString& folder, const QStringList& names);
QString JobSheetWrittenStatus(const QString& path);
QString JobSheetNotWrittenMessage(const QString& path, const QString& reason);
// "打印..." with no door in the drawing and no order open.
QString NothingToPrintMessage();
QString PrintFailedMessage();
// The pane's status column of a usable row.
QString RowUsableText();
