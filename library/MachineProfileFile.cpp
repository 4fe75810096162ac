#include <library/MachineProfileFile.h>

#include <library/AtomicFile.h>
#include <library/LibraryDocument.h>
#include <library/LibraryFolder.h>
#include <library/ProfileFields.h>
#include <library/XmlElements.h>

#include <tinyxml.h>

namespace {
constexpr const char* kProfileFileName = "MachineProfile.xml";

// Takes the values that a run of fields gives (one field, or the side-head
// letters together), unless the profile then fails its check.
class ProfileReader {
public:
    explicit ProfileReader(const TiXmlElement& root) : m_root(root) {}

    void take(std::span<const ProfileField> fields)
    {
        MachineProfile candidate = m_profile;
        bool any = false;
        for (const ProfileField& field : fields)
            any = std::visit([&](auto member) { return read(candidate.*member, field.attribute); }, field.member) ||
                  any;
        candidate = AsStored(candidate);
        if (any && CheckMachineProfile(candidate) == ProfileProblem::None)
            m_profile = candidate;
    }

    const MachineProfile& profile() const { return m_profile; }

private:
    bool read(int& value, const char* name) const { return assign(value, m_numbers.integer(m_root, name)); }
    bool read(double& value, const char* name) { return assign(value, m_numbers.real(m_root, name)); }
    bool read(std::string& value, const char* name) const
    {
        const char* text = m_root.Attribute(name);
        if (text)
            value = text;
        return text != nullptr;
    }
    template <typename T>
    static bool assign(T& value, const std::optional<T>& read)
    {
        if (read)
            value = *read;
        return read.has_value();
    }

    const TiXmlElement& m_root;
    AttributeReader m_numbers;
    MachineProfile m_profile;
};

} // namespace

MachineProfile LoadMachineProfile(const std::string& folder)
{
    TiXmlDocument document;
    if (!LoadLibraryDocument(ResolveNoCase(LibraryRoot(folder), kProfileFileName), document))
        return {};
    const TiXmlElement* root = RootElement(document);
    if (!root)
        return {};
    ProfileReader reader(*root);
    const std::span<const ProfileField> fields = ProfileFields();
    for (std::size_t first = 0; first < fields.size();) {
        std::size_t end = first + 1;
        if (fields[first].control == ProfileControl::Letter)
            while (end < fields.size() && fields[end].control == ProfileControl::Letter)
                ++end;
        reader.take(fields.subspan(first, end - first));
        first = end;
    }
    return reader.profile();
}

SaveResult SaveMachineProfile(const std::string& folder, const MachineProfile& p)
{
    const std::string path = ResolveNoCase(LibraryRoot(folder), kProfileFileName);
    if (CheckMachineProfile(AsStored(p)) != ProfileProblem::None)
        return SaveResult{SaveProblem::OutOfRange, path};
    TiXmlDocument document;
    TiXmlElement& root = StartLibraryDocument(document, "MachineProfile");
    for (const ProfileField& field : ProfileFields())
        std::visit([&](auto member) { SetAttribute(root, field.attribute, p.*member); }, field.member);
    return SaveDocumentAtomically(document, path);
}
