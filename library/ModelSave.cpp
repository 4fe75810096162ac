#include <library/ModelSave.h>

#include <library/AtomicFile.h>
#include <library/GbkText.h>
#include <library/LibraryDocument.h>
#include <library/LibraryFolder.h>
#include <library/NameLookup.h>
#include <library/XmlElements.h>

#include <algorithm>
#include <sys/stat.h>
#include <tinyxml.h>
#include <unistd.h>

namespace {
constexpr const char* kXmlSuffix = ".xml";

bool exists(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

std::string fileNameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

// The "Name" of the model the file holds, as the readers take it (absent
// counts as empty); nothing when the file cannot be read as a document.
std::optional<std::string> modelNameInFile(const std::string& path)
{
    TiXmlDocument document;
    if (!LoadLibraryDocument(path, document))
        return std::nullopt;
    const TiXmlElement* root = RootElement(document);
    if (!root)
        return std::nullopt;
    return TextAttribute(*root, "Name");
}

// The model the file holds, when its name is not gbkName in any letter case.
std::optional<std::string> otherModelIn(const std::string& path, const std::string& gbkName)
{
    std::optional<std::string> held = modelNameInFile(path);
    if (held && EqualNamesNoCase(*held, gbkName))
        return std::nullopt;
    return held;
}

// Other files of the folder that hold the model: those the record saw holding
// it, and those whose name differs from the target's in letter case only.
std::vector<std::string> filesReplacedBy(const std::string& folderPath, const std::string& target,
                                         const std::string& gbkName, const LibraryFiles* files)
{
    std::vector<std::string> replaced;
    if (files)
        replaced = files->filesOfModel(folderPath, gbkName);
    for (const std::string& path : ListLibraryFiles(folderPath)) {
        if (!EqualFileNamesNoCase(fileNameOf(path), fileNameOf(target)))
            continue;
        const std::optional<std::string> held = modelNameInFile(path);
        if (held && EqualNamesNoCase(*held, gbkName))
            replaced.push_back(path);
    }
    std::sort(replaced.begin(), replaced.end());
    replaced.erase(std::unique(replaced.begin(), replaced.end()), replaced.end());
    std::erase(replaced, target);
    return replaced;
}
} // namespace

std::optional<std::string> ModelFileTarget(const std::string& folderPath, const std::string& gbkName)
{
    const std::optional<std::string> exact = ModelFilePath(folderPath, gbkName);
    if (!exact || exists(*exact))
        return exact;
    const std::string stem = *GbkToUtf8(gbkName);
    for (const std::string& path : ListLibraryFiles(folderPath)) {
        const std::string name = fileNameOf(path);
        if (name.size() == stem.size() + kXmlSuffixBytes && name.compare(0, stem.size(), stem) == 0)
            return path; // the ending matches in some letter case: the listing saw to it
    }
    return exact;
}

std::optional<std::string> OtherModelInTarget(const char* folderName, const std::string& gbkName,
                                              const std::string& root)
{
    const std::optional<std::string> target = ModelFileTarget(ModelFolderPath(root, folderName), gbkName);
    return target ? otherModelIn(*target, gbkName) : std::nullopt;
}

SaveResult SaveModelFile(const char* folderName, const std::string& gbkName, bool numbersFinite,
                         const TiXmlDocument& document, const SaveContext& context)
{
    const std::string folderPath = ModelFolderPath(context.root, folderName);
    const std::optional<std::string> target = ModelFileTarget(folderPath, gbkName);
    if (!target)
        return SaveResult{SaveProblem::BadName, folderPath + GbkToUtf8(gbkName).value_or("") + kXmlSuffix,
                          CheckModelName(gbkName)};
    if (!numbersFinite)
        return SaveResult{SaveProblem::NotFinite, *target};
    if (std::optional<std::string> other = otherModelIn(*target, gbkName)) {
        SaveResult refused{SaveProblem::OtherModelsFile, *target};
        refused.otherName = std::move(*other);
        return refused;
    }

    const std::vector<std::string> replaced = filesReplacedBy(folderPath, *target, gbkName, context.files);
    if (context.files && context.onChange == OnDiskChange::Refuse) {
        if (!context.files->unchanged(*target))
            return SaveResult{SaveProblem::ChangedOnDisk, *target};
        for (const std::string& path : replaced)
            if (!context.files->unchanged(path))
                return SaveResult{SaveProblem::ChangedOnDisk, path};
    }

    FileFingerprint written;
    SaveResult saved = SaveDocumentAtomically(document, *target, &written);
    if (!saved)
        return saved;
    // Only now that the new file is on disk may the old ones go: a crash
    // before this point leaves both whole, never neither.
    for (const std::string& path : replaced) {
        unlink(path.c_str());
        if (context.files)
            context.files->gone(path);
    }
    if (context.files)
        context.files->seen(*target, written, gbkName);
    return saved;
}
