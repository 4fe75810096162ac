#pragma once

#include <library/FiniteNumbers.h>
#include <library/LibraryFiles.h>
#include <library/LibraryText.h>
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

// Parses a text that ReadLibraryText prepared.
LoadOutcome ParseLibraryText(const std::string& text, TiXmlDocument& document);

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

// Parses the library file read and hands its root element to read, which
// builds the model or says why it cannot.
template <typename Model, typename Read>
ModelLoad<Model> LoadModelDocument(const LibraryText& file, Read read)
{
    if (!file.outcome)
        return NoModel<Model>(file.outcome);
    TiXmlDocument document;
    if (const LoadOutcome parsed = ParseLibraryText(file.text, document); !parsed)
        return NoModel<Model>(parsed);
    const TiXmlElement* root = RootElement(document);
    if (!root)
        return NoModel<Model>({LoadProblem::NoRootElement});
    return read(*root);
}

// Reads the library file at path and builds its model with modelFrom, a
// reader of read files; seen as for ReadLibraryText.
template <typename ModelFrom>
auto LoadModelFile(const std::string& path, std::optional<FileFingerprint>* seen, ModelFrom modelFrom)
{
    const LibraryText file = ReadLibraryFile(path);
    if (seen)
        *seen = file.seen;
    return modelFrom(file);
}
