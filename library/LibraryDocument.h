#pragma once

#include <library/FiniteNumbers.h>
#include <library/LibraryFiles.h>
#include <library/ModelSave.h>
#include <library/SaveResult.h>

#include <cstddef>
#include <memory>
#include <string>
#include <tinyxml.h>

// Library files larger than this are not read: no model comes near it, and a
// huge file must not stall start-up.
inline constexpr std::size_t kMaxLibraryFileSize = 16u << 20;
// Library files nest four levels; anything beyond this is not handed to the
// parser, which recurses once per level.
inline constexpr int kMaxLibraryNesting = 256;

// Gives the empty document the declaration (version "1.0", encoding "gb2312")
// and a root element of the given name; returns the root.
TiXmlElement& StartLibraryDocument(TiXmlDocument& document, const char* rootName);

// Reads a library file into the empty document. False, with nothing to use,
// when the file cannot be opened, is not a regular file, is too large, nests
// too deep or is not well-formed XML. Line ends are read as the parser's own
// file loading reads them (CR LF and a lone CR become LF). When seen is given
// and the file's bytes could be read, it receives their fingerprint.
bool LoadLibraryDocument(const std::string& path, TiXmlDocument& document,
                         std::optional<FileFingerprint>* seen = nullptr);

// The first child of the document that is an element; its name is not checked.
const TiXmlElement* RootElement(const TiXmlDocument& document);

// Builds the document of a model named gbkName with the given root, lets fill
// set the root's attributes and children, and saves it as the model's file in
// the kind's folder beside the program (SaveModelFile says what is refused).
template <typename Fill>
SaveResult SaveModelDocument(const char* folderName, const std::string& gbkName, bool numbersFinite,
                             const char* rootName, const SaveContext& context, Fill fill)
{
    TiXmlDocument document;
    fill(StartLibraryDocument(document, rootName));
    return SaveModelFile(folderName, gbkName, numbersFinite, document, context);
}

// Reads the library file at path and hands its root element to read, which
// builds the model or returns null. Null as well when the path is empty, the
// file cannot be read or it holds no element. seen as for LoadLibraryDocument.
template <typename Model, typename Read>
std::unique_ptr<Model> LoadModelDocument(const std::string& path, Read read,
                                         std::optional<FileFingerprint>* seen = nullptr)
{
    if (path.empty())
        return nullptr;
    TiXmlDocument document;
    if (!LoadLibraryDocument(path, document, seen))
        return nullptr;
    const TiXmlElement* root = RootElement(document);
    if (!root)
        return nullptr;
    return read(*root);
}
