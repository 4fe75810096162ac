#include <library/KnifeFile.h>

#include <library/AtomicFile.h>
#include <library/LibraryDocument.h>
#include <library/LibraryFolder.h>
#include <library/XmlElements.h>

#include <cerrno>
#include <cmath>

namespace {
constexpr const char* kKnifeFileName = "HingesKnife.xml";

void readInt(const TiXmlElement& element, const char* name, int& field, const AttributeReader& numbers)
{
    if (const std::optional<int> value = numbers.integer(element, name))
        field = *value;
}

// A value that is not finite counts as absent: the record keeps its initial
// value rather than losing the whole table.
void readReal(const TiXmlElement& element, const char* name, double& field)
{
    AttributeReader numbers;
    const std::optional<double> value = numbers.real(element, name);
    if (value && numbers.allFinite())
        field = *value;
}

void readText(const TiXmlElement& element, const char* name, std::string& field)
{
    if (const char* text = element.Attribute(name))
        field = text;
}

// The table in the library's folder, found without regard to letter case.
std::string knifeFilePath(const std::string& root)
{
    return ResolveNoCase(LibraryRoot(root), kKnifeFileName);
}
} // namespace

SaveResult SaveKnifeFile(const GU_OwnedList<KnifeInfo>& knives, const SaveContext& context)
{
    const std::string path = knifeFilePath(context.root);
    for (const KnifeInfo* knife : knives)
        if (knife && !(std::isfinite(knife->Diameter) && std::isfinite(knife->SafeDistance)))
            return SaveResult{SaveProblem::NotFinite, path};

    TiXmlDocument document;
    TiXmlElement& root = StartLibraryDocument(document, "AllKnife");
    for (const KnifeInfo* knife : knives) {
        if (!knife)
            continue;
        TiXmlElement& element = AppendElement(root, "Knife");
        SetIntAttribute(element, "ID", knife->ID);
        SetIntAttribute(element, "Vel", knife->Vel);
        SetIntAttribute(element, "Type", knife->Type);
        SetIntAttribute(element, "IsMain", knife->IsMain);
        SetIntAttribute(element, "Enable", knife->Enable);
        SetRealAttribute(element, "Diameter", knife->Diameter);
        SetRealAttribute(element, "SafeDistance", knife->SafeDistance);
        element.SetAttribute("AirForward", knife->AirForward.c_str());
        element.SetAttribute("AirBack", knife->AirBack.c_str());
        element.SetAttribute("DrillStart", knife->DrillStart.c_str());
        element.SetAttribute("DrillStop", knife->DrillStop.c_str());
    }
    if (context.files && context.onChange == OnDiskChange::Refuse && !context.files->unchanged(path))
        return SaveResult{SaveProblem::ChangedOnDisk, path};
    FileFingerprint written;
    SaveResult saved = SaveDocumentAtomically(document, path, &written);
    if (saved && context.files)
        context.files->seen(path, written);
    return saved;
}

void LoadKnifeFile(const std::string& folder, GU_OwnedList<KnifeInfo>& list, std::vector<SkippedFile>* skipped,
                   LibraryFiles* files)
{
    const std::string path = knifeFilePath(folder);
    TiXmlDocument document;
    std::optional<FileFingerprint> seen;
    LoadOutcome loaded = LoadLibraryDocument(path, document, &seen);
    if (files && seen)
        files->seen(path, *seen);
    const TiXmlElement* root = loaded ? RootElement(document) : nullptr;
    if (loaded && !root)
        loaded = {LoadProblem::NoRootElement};
    if (!loaded) {
        if (skipped && !(loaded.problem == LoadProblem::Unreadable && loaded.error == ENOENT))
            skipped->push_back({path, loaded});
        return;
    }
    const AttributeReader numbers;
    for (const TiXmlElement* element = root->FirstChildElement("Knife"); element;
         element = element->NextSiblingElement("Knife")) {
        auto knife = std::make_unique<KnifeInfo>();
        readInt(*element, "ID", knife->ID, numbers);
        readInt(*element, "Vel", knife->Vel, numbers);
        readInt(*element, "Type", knife->Type, numbers);
        readInt(*element, "IsMain", knife->IsMain, numbers);
        readInt(*element, "Enable", knife->Enable, numbers);
        readReal(*element, "Diameter", knife->Diameter);
        readReal(*element, "SafeDistance", knife->SafeDistance);
        readText(*element, "AirForward", knife->AirForward);
        readText(*element, "AirBack", knife->AirBack);
        readText(*element, "DrillStart", knife->DrillStart);
        readText(*element, "DrillStop", knife->DrillStop);
        list.add_tail(std::move(knife));
    }
}
