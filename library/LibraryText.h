#pragma once

#include <library/LibraryFiles.h>
#include <library/LoadProblem.h>
#include <library/XmlPrecheck.h>

#include <cstddef>
#include <optional>
#include <string>

// Library files larger than this are not read: no model comes near it, and a
// huge file must not stall start-up.
inline constexpr std::size_t kMaxLibraryFileSize = 16u << 20;
// What the parser may build from one library file; a file beyond any of it is
// not handed to the parser. Within these its work grows linearly with the
// file. Library files nest four levels, carry at most eleven attributes on an
// element, and a model of a hundred thousand outline vertices stays under the
// node count.
inline constexpr XmlCounts kLibraryXmlLimits{.depth = 32, .attributes = 64, .nodes = 500'000};

// Reads the text of a library file, ready for the parser, and checks it
// against the limits above. Fails when the file cannot be opened, is not a
// regular file, is too large or passes a limit. Line ends are read as the
// parser's own file loading reads them (CR LF and a lone CR become LF); a
// leading UTF-8 byte order mark is dropped. When seen is given and the file's
// bytes could be read, it receives their fingerprint, taken before any change.
LoadOutcome ReadLibraryText(const std::string& path, std::string& text,
                            std::optional<FileFingerprint>* seen = nullptr);

// A library file as ReadLibraryText leaves it: the text ready for the parser,
// or why there is none, and the fingerprint of the bytes when they were read.
struct LibraryText {
    std::string path;
    LoadOutcome outcome;
    std::string text;
    std::optional<FileFingerprint> seen;
};

LibraryText ReadLibraryFile(std::string path);
