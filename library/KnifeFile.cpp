#include <library/KnifeFile.h>

#include <library/AtomicFile.h>
#include <library/KnifeFields.h>
#include <library/LibraryDocument.h>
#include <library/LibraryFolder.h>
#include <library/XmlElements.h>

#include <cerrno>
#include <cmath>

namespace {
constexpr const char* kKnifeFileName = "HingesKnife.xml";

// Values as the table's attributes hold them. A real that is not finite and
// a kind the table does not know count as absent: the tool keeps its initial
// value rather than the whole table being lost.
void read(const TiXmlElement& element, const char* name, int& field, const AttributeReader& numbers)
{
    if (const std::optional<int> value = numbers.integer(element, name))
        field = *value;
}

void read(const TiXmlElement& element, const char* name, double& field, const AttributeReader&)
{
    AttributeReader numbers;
    const std::optional<double> value = numbers.real(element, name);
    if (value && numbers.allFinite())
        field = *value;
}

void read(const TiXmlElement& element, const char* name, std::string& field, const AttributeReader&)
{
    if (const char* text = element.Attribute(name))
        field = text;
}

void read(const TiXmlElement& element, const char* name, KnifeKind& field, const AttributeReader&)
{
    if (const char* text = element.Attribute(name))
        field = KnifeKindOf(text).value_or(KnifeKind::Unset);
}

using ::SetAttribute;
void SetAttribute(TiXmlElement& element, const char* name, KnifeKind value)
{
    SetAttribute(element, name, KnifeKindName(value));
}

bool allFinite(const KnifeInfo& knife)
{
    for (const KnifeField& field : KnifeFields())
        if (const auto* real = std::get_if<double KnifeInfo::*>(&field.member); real && !std::isfinite(knife.**real))
            return false;
    return true;
}

void writeKnife(TiXmlElement& element, const KnifeInfo& knife)
{
    static const KnifeInfo fresh;
    for (const KnifeField& field : KnifeFields())
        std::visit(
            [&](auto member) {
                if (!field.onlyWhenSet || knife.*member != fresh.*member)
                    SetAttribute(element, field.attribute, knife.*member);
            },
            field.member);
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
        if (knife && !allFinite(*knife))
            return SaveResult{SaveProblem::NotFinite, path};

    TiXmlDocument document;
    TiXmlElement& root = StartLibraryDocument(document, "AllKnife");
    for (const KnifeInfo* knife : knives) {
        if (!knife)
            continue;
        writeKnife(AppendElement(root, "Knife"), *knife);
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
        for (const KnifeField& field : KnifeFields())
            std::visit([&](auto member) { read(*element, field.attribute, (*knife).*member, numbers); }, field.member);
        list.add_tail(std::move(knife));
    }
}
