#pragma once

#include <library/AtomicFile.h>
#include <library/ExeFolder.h>
#include <library/GbkText.h>
#include <library/ModelFileName.h>
#include <library/FiniteNumbers.h>
#include <library/LoadProblem.h>
#include <library/SaveResult.h>

#include <cstddef>
#include <memory>
#include <string>
#include <tinyxml.h>

// Gives the empty document the declaration (version "1.0", encoding "gb2312")
// and a root element of the given name; returns the root.
TiXmlElement& StartLibraryDocument(TiXmlDocument& document, const char* rootName);

// Reads a library file into the empty document: its text as ReadLibraryText
// gives it, parsed byte by byte whatever encoding it declares, as GBK needs.
// Fails, with nothing to use, where that read fails or the text is not
// well-formed XML.
LoadOutcome LoadLibraryDocument(const std::string& path, TiXmlDocument& document);

// The first child of the document that is an element; its name is not checked.
const TiXmlElement* RootElement(const TiXmlDocument& document);

// Writes the file of a model named gbkName in the folder beside the program:
// refuses a name that cannot be a file name there and a model whose numbers
// are not all finite, else builds the document with the given root, lets
// fill set the root's attributes and children, and saves it atomically.
template <typename Fill>
SaveResult SaveModelDocument(const char* folderName, const std::string& gbkName, bool numbersFinite,
                             const char* rootName, Fill fill);

template <typename Fill>
SaveResult SaveModelDocument(const char* folderName, const std::string& gbkName, bool numbersFinite,
                             const char* rootName, Fill fill)
{
    const std::string folderPath = GetExeFolder() + folderName;
    const std::optional<std::string> path = ModelFilePath(folderPath, gbkName);
    if (!path)
        return SaveResult{SaveProblem::BadName, folderPath + GbkToUtf8(gbkName).value_or(""), CheckModelName(gbkName)};
    if (!numbersFinite)
        return SaveResult{SaveProblem::NotFinite, *path};
    TiXmlDocument document;
    fill(StartLibraryDocument(document, rootName));
    return SaveDocumentAtomically(document, *path);
}

// Reads the library file at path and hands its root element to read, which
// builds the model or says why it cannot.
template <typename Model, typename Read>
ModelLoad<Model> LoadModelDocument(const std::string& path, Read read)
{
    TiXmlDocument document;
    if (const LoadOutcome loaded = LoadLibraryDocument(path, document); !loaded)
        return NoModel<Model>(loaded);
    const TiXmlElement* root = RootElement(document);
    if (!root)
        return NoModel<Model>({LoadProblem::NoRootElement});
    return read(*root);
}
