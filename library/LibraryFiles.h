#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a file, told apart by their number and a 64-bit hash.
struct FileFingerprint {
    std::size_t size = 0;
    std::uint64_t hash = 0;

    bool operator==(const FileFingerprint&) const = default;
};

FileFingerprint FingerprintOf(std::string_view bytes);

// What this program last saw of the library files on disk: the bytes each
// file held when it was read or written, and the model it held. Another
// program working on the same folder (a second instance on a shared folder)
// may change, add or remove files meanwhile; a save asks this record first,
// so that it never overwrites such a change blindly.
class LibraryFiles {
public:
    // What was seen of one file: the bytes it held, and the model of that
    // name if it held one.
    struct Seen {
        FileFingerprint bytes;
        std::optional<std::string> modelName;
    };
    struct File {
        std::string path;
        Seen seen;
    };

    // The file held these bytes, and the model of that name if it held one.
    void seen(std::string path, const FileFingerprint& bytes, std::optional<std::string> gbkModelName = {});
    // The same for many files at once, each path once; a folder's load
    // gives them sorted by path, which makes this one merge.
    void seenAll(std::vector<File> files);
    // The file was removed.
    void gone(const std::string& path);
    void clear() { m_files.clear(); }

    // Whether the file on disk is as last seen: the same bytes, or absent when
    // it was never seen or seen to go. Contents are compared, not time stamps,
    // which a shared folder may keep too coarsely.
    bool unchanged(const std::string& path) const;

    // The files of the folder that were seen holding a model whose name
    // equals the given one without regard to letter case.
    std::vector<std::string> filesOfModel(const std::string& folderPath, const std::string& gbkName) const;

private:
    std::vector<File>::const_iterator find(const std::string& path) const;

    // Sorted by path, so that a folder's files, read in that order, join
    // in one merge instead of a look-up each.
    std::vector<File> m_files;
};
