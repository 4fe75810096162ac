#pragma once

#include <library/LoadProblem.h>
#include <library/ModelFileName.h>
#include <library/SaveResult.h>

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>

// The program's own messages about the library and its files, worded once
// here from the structured outcomes of the lower layers. Every text a user
// sees is Chinese.

// The kinds of model a message can speak of.
enum class ModelKind { Hinges, LockCore, Door };

// "合页模型", "锁芯模型", "门型".
QString ModelNoun(ModelKind kind);
// Why the system refused a call, from its errno.
QString SystemErrorText(int error);
// Why a name cannot be a file name.
QString ModelNameProblemText(ModelNameProblem problem);
// Why a library file was not written.
QString SaveProblemText(const SaveResult& result);

// A model's file could not be written, so the model is not listed.
QString ModelNotSavedMessage(const SaveResult& result);
// The tool table could not be written; the change stays in memory.
QString ToolTableNotSavedMessage(const SaveResult& result);
// The name field is refused.
QString RefusedNameMessage(ModelNameProblem problem);
// The file for the new model's name holds another model, which a save would
// destroy.
QString OtherModelsFileMessage(ModelKind kind, const std::string& gbkName, const std::string& gbkOtherName);
// Another program changed a library file since it was read: overwrite it, or
// leave it and read the library again from disk. The buttons, in this order.
QString ChangedOnDiskQuestion(const SaveResult& result);
QStringList ChangedOnDiskChoices();
inline constexpr int kChooseOverwrite = 0;
// Asks whether a model of the same kind and name is to be replaced.
QString ReplaceModelQuestion(ModelKind kind, const std::string& gbkName);
// A door length, width or thickness that makes no door.
QString BadDoorSizeMessage();
// "当前不存在门模型！"
QString NoDoorMessage();
// A document could not be opened; error is the errno the system gave.
QString DocumentNotOpenedMessage(const QString& path, int error);
// Asks whether a user toolbar is to be deleted.
QString DeleteToolbarQuestion(const QString& title);

// Why loading passed a library file over.
QString LoadProblemText(const LoadOutcome& outcome);
// Which models a door names that were not found.
QString UnboundDoorText(const UnboundDoor& door);
// The status bar's note on what loading passed over; empty when nothing was.
QString PassedOverNote(std::size_t files, std::size_t doors);
