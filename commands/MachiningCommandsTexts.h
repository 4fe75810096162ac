#pragma once

#include <machining/MachiningPlan.h>

#include <QString>

#include <vector>

// What the machining commands ask and refuse in words of their own, beside
// the outcomes worded in dialogs/MachiningMessages.h.

// One line of what a program would do that is asked about before writing.
QString PlanWarningText(const PlanWarning& warning);
// One line for a pocket that no tool of the table reaches completely.
QString UnreachedText(const UnreachedArea& unreached);
// Why a feature does not fit into the leaf, with its dimension and the limit.
QString OverrunText(const Overrun& overrun);

// The question before the programs are written, naming every warning and
// every pocket left unreached, ending in "仍要写入吗？"; empty when there is
// nothing to ask.
QString WarningsQuestion(const std::vector<const MachiningPlan*>& plans);
// Why the program of the plan is not written.
QString RefusalMessage(const MachiningPlan& plan);
// What a written program leaves out, once the user has answered the
// question about the rest; empty when it leaves nothing out.
QString LeftOutAfterQuestion(const MachiningPlan& plan);
