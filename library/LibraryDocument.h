#pragma once

#include <library/FiniteNumbers.h>
#include <library/LibraryFiles.h>
#include <library/LoadProblem.h>
#include <library/ModelSave.h>
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
// well-formed XML. seen as for ReadLibraryText.
LoadOutcome LoadLibraryDocument(const std::string& path, TiXmlDocument& document,
                                std::optional<FileFingerprint>* seen = nullptr);

// The first child of the document that is an element; its name is not checked.
const TiXmlElement* RootElement(const TiXmlDocument& document);

// Builds the document of a model named gbkName with the given root, lets fill
// set the root's attributes and children, and saves it as the model's file in
// the kind's folder of the context's library (SaveModelFile says what is refused).
template <typename Fill>
SaveResult SaveModelDocument(const char* folderName, const std::string& gbkName, bool numbersFinite,
                             const char* rootName, const SaveContext& context, Fill fill)
{
    TiXmlDocument document;
    fill(StartLibraryDocument(document, rootName));
    return SaveModelFile(folderName, gbkName, numbersFinite, document, context);
}

// Reads the library file at path and hands its root element to read, which
// builds the model or says why it cannot. seen as for ReadLibraryText.
template <typename Model, typename Read>
ModelLoad<Model> LoadModelDocument(const std::string& path, Read read, std::optional<FileFingerprint>* seen = nullptr)
{
    TiXmlDocument document;
    if (const LoadOutcome loaded = LoadLibraryDocument(path, document, seen); !loaded)
        return NoModel<Model>(loaded);
    const TiXmlElement* root = RootElement(document);
    if (!root)
        return NoModel<Model>({LoadProblem::NoRootElement});
    return read(*root);
}
