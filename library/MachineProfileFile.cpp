#include <library/MachineProfileFile.h>

#include <library/AtomicFile.h>
#include <library/LibraryDocument.h>
#include <library/LibraryFolder.h>
#include <library/XmlElements.h>

#include <tinyxml.h>

namespace {
constexpr const char* kProfileFileName = "MachineProfile.xml";

// Takes the values that one attribute (or, for the side-head letters, one
// group of attributes) gives, unless the profile then fails its check.
class ProfileReader {
public:
    explicit ProfileReader(const TiXmlElement& root) : m_root(root) {}

    template <typename Set>
    void take(Set set)
    {
        MachineProfile candidate = m_profile;
        if (set(candidate) && CheckMachineProfile(candidate) == ProfileProblem::None)
            m_profile = candidate;
    }

    void integer(const char* name, int MachineProfile::*field)
    {
        take([&](MachineProfile& p) {
            const std::optional<int> value = m_numbers.integer(m_root, name);
            if (value)
                p.*field = *value;
            return value.has_value();
        });
    }

    void real(const char* name, double MachineProfile::*field)
    {
        take([&](MachineProfile& p) {
            const std::optional<double> value = m_numbers.real(m_root, name);
            if (value)
                p.*field = *value;
            return value.has_value();
        });
    }

    void text(const char* name, std::string MachineProfile::*field)
    {
        take([&](MachineProfile& p) {
            const char* value = m_root.Attribute(name);
            if (value)
                p.*field = value;
            return value != nullptr;
        });
    }

    void sideAxes()
    {
        take([&](MachineProfile& p) {
            bool any = false;
            for (const auto& [name, field] : {std::pair{"SideAxisX", &MachineProfile::SideAxisX},
                                              std::pair{"SideAxisY", &MachineProfile::SideAxisY},
                                              std::pair{"SideAxisZ", &MachineProfile::SideAxisZ}}) {
                if (const char* value = m_root.Attribute(name)) {
                    p.*field = value;
                    any = true;
                }
            }
            return any;
        });
    }

    const MachineProfile& profile() const { return m_profile; }

private:
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
    ProfileReader read(*root);
    read.integer("OriginCorner", &MachineProfile::OriginCorner);
    read.integer("XDirection", &MachineProfile::XDirection);
    read.integer("YDirection", &MachineProfile::YDirection);
    read.sideAxes();
    read.real("SafeHeight", &MachineProfile::SafeHeight);
    read.real("Breakthrough", &MachineProfile::Breakthrough);
    read.real("RecessDepth", &MachineProfile::RecessDepth);
    read.integer("Stepover", &MachineProfile::Stepover);
    read.integer("CannedCycles", &MachineProfile::CannedCycles);
    read.integer("Comments", &MachineProfile::Comments);
    read.integer("LineNumbers", &MachineProfile::LineNumbers);
    read.text("Header", &MachineProfile::Header);
    read.text("Footer", &MachineProfile::Footer);
    read.text("Extension", &MachineProfile::Extension);
    read.integer("CrLf", &MachineProfile::CrLf);
    read.integer("RapidFeed", &MachineProfile::RapidFeed);
    return read.profile();
}

SaveResult SaveMachineProfile(const std::string& folder, const MachineProfile& p)
{
    const std::string path = ResolveNoCase(LibraryRoot(folder), kProfileFileName);
    if (CheckMachineProfile(p) != ProfileProblem::None)
        return SaveResult{SaveProblem::OutOfRange, path};
    TiXmlDocument document;
    TiXmlElement& root = StartLibraryDocument(document, "MachineProfile");
    SetIntAttribute(root, "OriginCorner", p.OriginCorner);
    SetIntAttribute(root, "XDirection", p.XDirection);
    SetIntAttribute(root, "YDirection", p.YDirection);
    root.SetAttribute("SideAxisX", p.SideAxisX.c_str());
    root.SetAttribute("SideAxisY", p.SideAxisY.c_str());
    root.SetAttribute("SideAxisZ", p.SideAxisZ.c_str());
    SetRealAttribute(root, "SafeHeight", p.SafeHeight);
    SetRealAttribute(root, "Breakthrough", p.Breakthrough);
    SetRealAttribute(root, "RecessDepth", p.RecessDepth);
    SetIntAttribute(root, "Stepover", p.Stepover);
    SetIntAttribute(root, "CannedCycles", p.CannedCycles);
    SetIntAttribute(root, "Comments", p.Comments);
    SetIntAttribute(root, "LineNumbers", p.LineNumbers);
    root.SetAttribute("Header", p.Header.c_str());
    root.SetAttribute("Footer", p.Footer.c_str());
    root.SetAttribute("Extension", p.Extension.c_str());
    SetIntAttribute(root, "CrLf", p.CrLf);
    SetIntAttribute(root, "RapidFeed", p.RapidFeed);
    return SaveDocumentAtomically(document, path);
}
