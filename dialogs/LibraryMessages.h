#pragma once

#include <dialogs/UserMessages.h>

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
// Asks before the model is moved into the folder of deleted files.
QString DeleteModelQuestion(ModelKind kind, const std::string& gbkName);
// A file operation of the library failed; nothing was changed, or the state
// on disk is named by the text.
QString LibraryOperationFailedMessage(const QString& what, const std::string& path, int error);
// The status bar after an operation and after its undo.
QString DeletedStatus(ModelKind kind, const std::string& gbkName);
QString RenamedStatus(ModelKind kind, const std::string& gbkOldName, const std::string& gbkNewName);
QString UndoneStatus(const QString& what);
QString NothingToUndoStatus();
