#pragma once

#include <dialogs/UserMessages.h>
#include <library/Library.h>

#include <QString>

#include <string>
#include <vector>

// The messages of checking what the user enters and of managing the library
// (delete, rename, undo). Texts are Chinese.

// A hinge (number, from 1, and its position) or the lock core would stand
// off the leaf by the millimetres given.
QString HingeOffLeafMessage(int number, double position, double by);
QString LockCoreOffLeafMessage(double position, double by);
// Every hinge position is 0 while a hinge model is chosen.
QString DoorWithoutHingesQuestion();
// The lock-core list's entry for a door without a lock core.
QString NoLockCoreEntry();

// A tool field refused: not above 0, or a number another tool has.
QString ToolValueNotPositiveMessage(const QString& field);
QString ToolNumberTakenMessage(int number);

// The model cannot be deleted: the doors named use it.
QString ModelInUseMessage(ModelKind kind, const std::string& gbkName, const std::vector<std::string>& gbkDoors);
// Another model of the kind has the name (a rename or a copy never replaces one).
QString NameTakenMessage(ModelKind kind, const std::string& gbkName);
// Why an operation on the model named did not happen, or stopped.
QString LibraryRefusalMessage(ModelKind kind, const std::string& gbkName, const LibraryOutcome& outcome);
// An operation of this run as undo names it ("删除合页模型“H”").
QString LibraryStepText(const LibraryStep& step);
// The status bar after an operation and after its undo.
QString DeletedStatus(ModelKind kind, const std::string& gbkName);
QString RenamedStatus(ModelKind kind, const std::string& gbkOldName, const std::string& gbkNewName);
QString UndoneStatus(const LibraryStep& step);
QString NothingToUndoStatus();
// The kind of model a library part holds.
ModelKind KindOfPart(LibraryPart part);
