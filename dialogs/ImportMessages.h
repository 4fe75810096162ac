#pragma once

#include <dialogs/UserMessages.h>

#include <importer/ImportProgress.h>
#include <importer/ImportReport.h>

#include <QString>

// The import report worded for the user, from its data.

// The unit of $INSUNITS code 0 to 24: "毫米", "英寸", ...
QString UnitName(int code);
// Where the unit came from: "$INSUNITS = 1", "图纸未设单位，按毫米", ...
QString UnitSource(const DrawingUnit& unit);
// Why no model came out of the drawing.
QString ImportFailureText(const ImportReport& report);
// The import of the drawing at path gave no model of the kind.
QString ImportFailedMessage(ModelKind kind, const QString& path, const ImportReport& report);
// What a running import is doing, for its progress dialog.
QString ImportStageText(ImportStage stage);
// One line for the status bar: what the import found.
QString ImportSummary(const ImportReport& report);
