#pragma once

#include <orders/Order.h>
#include <orders/OrderPrograms.h>

#include <kernel/GU_List.h>
#include <library/KnifeInfo.h>
#include <library/MachineProfile.h>

#include <QRectF>
#include <QString>

class QPainter;
class QPagedPaintDevice;

// Draws the door to scale into area, with every hinge and the lock core
// dimensioned from the leaf's corner and edges. The printout of the drawing
// and every page of a job sheet draw doors through it.
void PaintDimensionedDoor(QPainter& painter, const QRectF& area, const GK_DoorWithHinges& door);

// Paints the order's job sheet onto device through painter (begun on it): a
// first page listing the rows and totals, then one page per row with the
// door dimensioned, the tool list (numbers and diameters), the quantity and
// the estimated time. The PDF file and the printer both take it.
void PaintJobSheet(QPainter& painter, QPagedPaintDevice& device, const Order& order,
                   const GU_OwnedList<KnifeInfo>& tools, const MachineProfile& profile);

// The same from the outcomes a run found (one per row; rows beyond them were
// not reached), so that a run's plans are not made twice.
void PaintJobSheet(QPainter& painter, QPagedPaintDevice& device, const Order& order,
                   const std::vector<RowOutcome>& outcomes);

// Writes the job sheet as a PDF (Qt's PDF writer) to path, atomically; false
// with the reason (Chinese) in error when it could not be written.
bool WriteJobSheet(const QString& path, const Order& order, const GU_OwnedList<KnifeInfo>& tools,
                   const MachineProfile& profile, QString* error);
bool WriteJobSheet(const QString& path, const Order& order, const std::vector<RowOutcome>& outcomes, QString* error);
