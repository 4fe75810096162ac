#pragma once

#include <machining/MachiningPlan.h>
#include <machining/Preview.h>

#include <QString>
#include <QStringList>

#include <vector>

// How the programs of a door are named where the user writes and previews
// them: the file dialogs, the status bar and the preview's legend. Door
// names are shown as the library holds them (decoded from GBK).

// "保存门型“D1”的合页加工程序"
QString ProgramSaveTitle(ProgramKind kind, const QString& door);
// "D1_合页.NC", "D1_锁孔.NC": the door's name with the characters a file
// name cannot hold on any system replaced by "_".
QString ProgramFileName(ProgramKind kind, const QString& door, const QString& extension);
// The folder dialog of "生成NC文件".
QString ProgramsFolderTitle(const QString& door);
// Files of the door's programs that are in the folder already.
QString ProgramsReplaceQuestion(const QString& folder, const QStringList& names);
// The status bar after "生成NC文件" wrote the programs into folder.
QString ProgramsWrittenStatus(const QString& folder, const QStringList& names,
                              const std::vector<const MachiningPlan*>& plans, double seconds);

// The legend's line of a tool: "刀具5  Ø16.00  侧头".
QString PreviewToolText(const PreviewTool& tool);
QString PreviewRapidText();
QString PreviewDrillText();
// The caption of the lock edge's view.
QString PreviewEdgeText();
// The status bar while the mouse rests on a cut of the preview.
QString PreviewHoverStatus(const FeatureRef& feature, const PreviewTool& tool, double depth);
