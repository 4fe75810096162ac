#pragma once

#include <library/LibraryFiles.h>
#include <library/SaveResult.h>

#include <optional>
#include <string>

class TiXmlDocument;

// What a save of a library file knows besides the model: the library's
// folder, the record of the files as this program last saw them (none:
// nothing is checked against another program's changes) and what to do about
// such a change.
struct SaveContext {
    std::string root;
    LibraryFiles* files = nullptr;
    OnDiskChange onChange = OnDiskChange::Refuse;
};

// The file a model of the name is written to in the folder: name + ".xml",
// or, when that is missing, the entry of the same name whose ending differs
// only in letter case (".XML"). Nothing when the name cannot be a file name.
std::optional<std::string> ModelFileTarget(const std::string& folderPath, const std::string& gbkName);

// The name of the model that the file for gbkName in the kind's folder of the
// library in root holds, when it holds a model of another name; a save there
// would destroy it.
std::optional<std::string> OtherModelInTarget(const char* folderName, const std::string& gbkName,
                                              const std::string& root);

// Writes the document as the file of the model named gbkName in the kind's
// folder of the context's library. Refuses a name that cannot be a file name, a
// model whose numbers are not all finite, and a file that holds another
// model. With a record, a file that another program changed since it was
// seen is left alone unless the context says to overwrite it. Files that held
// the same model under another name (the name differed in letter case, or
// the file was renamed) are removed once the new file is safely on disk, so
// that a replaced model never comes back.
SaveResult SaveModelFile(const char* folderName, const std::string& gbkName, bool numbersFinite,
                         const TiXmlDocument& document, const SaveContext& context);
