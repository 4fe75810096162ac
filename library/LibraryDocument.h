#pragma once

#include <library/AtomicFile.h>
#include <library/ExeFolder.h>
#include <library/GbkText.h>
#include <library/ModelFileName.h>
#include <library/FiniteNumbers.h>
#include <library/LoadProblem.h>
#include <library/SaveResult.h>
#include <library/XmlPrecheck.h>

#include <cstddef>
#include <memory>
#include <string>
#include <tinyxml.h>

// Library files larger than this are not read: no model comes near it, and a
// huge file must not stall start-up.
inline constexpr std::size_t kMaxLibraryFileSize = 16u << 20;
// What the parser may build from one library file; a file beyond any of it is
// not handed to the parser. Within these its work grows linearly with the
// file. Library files nest four levels, carry at most eleven attributes on an
// element, and a model of a hundred thousand outline vertices stays under the
// node count.
inline constexpr XmlCounts kLibraryXmlLimits{.depth = 32, .attributes = 64, .nodes = 500'000};

// Gives the empty document the declaration (version "1.0", encoding "gb2312")
// and a root element of the given name; returns the root.
TiXmlElement& StartLibraryDocument(TiXmlDocument& document, const char* rootName);

// Reads a library file into the empty document. Fails, with nothing to use,
// when the file cannot be opened, is not a regular file, is too large, passes
// the limits above or is not well-formed XML. Line ends are read as the
// parser's own file loading reads them (CR LF and a lone CR become LF). The
// text is parsed byte by byte whatever encoding it declares, as GBK needs; a
// leading UTF-8 byte order mark is passed over.
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
