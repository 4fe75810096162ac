#pragma once

#include <dialogs/UserMessages.h>

#include <importer/ImportProgress.h>
#include <importer/ImportReport.h>

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The import report worded for the user, from its data.

// The unit of $INSUNITS code 0 to 24: "毫米", "英寸", ...
QString UnitName(int code);
// Where the unit came from: "$INSUNITS = 1", "图纸未设单位，按毫米", ...
QString UnitSource(const DrawingUnit& unit);
// Why no model came out of the drawing.
QString ImportFailureText(const ImportReport& report);
// The import of the drawing at path gave no model of the kind.
QString ImportFailedMessage(ModelKind kind, const QString& path, const ImportReport& report);
// The status bar while a drawing is read: "正在导入“…”…".
QString ImportStartedText(const QString& path);
// The status bar once the preview is gone: the models saved from the drawing
// (names as GBK bytes) with what the import found, or that none was.
QString ImportEndedText(ModelKind kind, const std::vector<std::string>& savedNames, const ImportReport& report);
// Reading the drawing in the unit of $INSUNITS code `code` was refused.
QString UnitRefusedMessage(int code, const ImportFailure& failure);
// What a running import is doing, for its progress dialog.
QString ImportStageText(ImportStage stage);
// One line for the status bar: what the import found.
QString ImportSummary(const ImportReport& report);

// What the preview has chosen: "已选轮廓 60.00 × 45.00，孔 2 个", for a lock
// core its top and side face.
QString ChosenHingeText(double width, double height, std::size_t holes);
QString ChosenLockCoreText(double topWidth, double topHeight, std::size_t topHoles, double sideWidth,
                           double sideHeight, std::size_t sideHoles);
// An outline too large or too small for door hardware, with the unit
// ($INSUNITS code) that would give it the size after it, if one does.
QString ImplausibleSizeText(double width, double height, std::optional<int> unit, double unitWidth,
                            double unitHeight);
// How to choose in the preview; for a lock core which face a click sets.
QString ImportPreviewHint(bool lockCore, bool sideNext);
