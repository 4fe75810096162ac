#pragma once

#include <library/MachineProfile.h>
#include <library/SaveResult.h>
#include <machining/MachiningPlan.h>

#include <QString>

#include <vector>

// The machining commands' outcomes worded for the user, from their data.

// "合页2孔3", "锁面板槽", ...
QString FeatureText(const FeatureRef& feature);
// "合页加工程序", "锁孔加工程序".
QString ProgramKindText(ProgramKind kind);
// A length with two decimals: "16.00".
QString MillimetreText(double value);
// The tool kinds of a set (ToolChoice.h): "合页刀或垂直刀", ...
QString ToolKindsText(int kinds);
// "45秒", "2分05秒", "1小时02分".
QString DurationText(double seconds);
// "刀具 1、3、5": the table numbers of the tools the uses take, in order.
QString ToolsUsedText(const std::vector<const MachiningPlan*>& plans);

// Why the program of the plan is not written (the plan is not ready).
QString PlanRefusedMessage(const MachiningPlan& plan);
// What a written program leaves undone; empty when it leaves nothing.
QString LeftOutMessage(const MachiningPlan& plan);
// The status bar after a program was written to path.
QString ProgramWrittenStatus(const QString& path, const MachiningPlan& plan, double seconds);
// The status bar while the preview shows the programs of the drawn door.
QString PreviewStatus(const std::vector<const MachiningPlan*>& plans, double seconds);
// The status bar when the preview has nothing to show.
QString PreviewNothingStatus();
// A program file could not be written.
QString ProgramNotSavedMessage(const SaveResult& result);
// The machine profile could not be written.
QString ProfileNotSavedMessage(const SaveResult& result);
// Why the machine settings dialog refuses a value.
QString ProfileProblemText(ProfileProblem problem);
