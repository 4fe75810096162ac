#pragma once

#include <library/LibraryFiles.h>
#include <library/SaveResult.h>

#include <string>
#include <string_view>

class TiXmlDocument;

// Saves the document so that the file at path is either the old one or the
// whole new one, never a part: the printed document goes to a temporary file in the
// same folder (whose name does not end in ".xml", so that a leftover is never
// read as a model), is flushed to the disk and then renamed over the target.
// A library document that loading would refuse (too large, too many nodes)
// is not put in place. On any failure the temporary file is removed and the
// reason reported.
//
// A replaced file keeps its permission bits. A file that nobody may write is
// not replaced (ReadOnly). A symbolic link is written through: the file it
// leads to is replaced and the link stays a link. When written is given, it
// receives the fingerprint of the bytes saved.
SaveResult SaveDocumentAtomically(const TiXmlDocument& document, const std::string& path,
                                  FileFingerprint* written = nullptr);
// The same for text given byte for byte, which is not checked as a library
// file.
SaveResult SaveTextAtomically(const std::string& content, const std::string& path,
                              FileFingerprint* written = nullptr);

// Removes the temporary files that saves cut short by a crash or a kill left
// in the folder: those whose maker no longer runs on this machine. (A save
// that another machine makes in a shared folder at that very moment fails
// and says so; the file it would have replaced stays whole.)
void RemoveLeftoverTempFiles(const std::string& folderPath);
// Whether the folder entry of that name is such a leftover.
bool IsLeftoverTempFile(std::string_view name);

// Called with the temporary file's path once it is written and synced, right
// before it replaces the target. Lets tests interrupt a save at its most
// delicate point; nothing is called unless a hook was set.
using BeforeReplaceHook = void (*)(const std::string& tempPath);
void SetBeforeReplaceHook(BeforeReplaceHook hook);
