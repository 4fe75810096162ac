#include <library/DoorModelFile.h>

#include <library/FiniteNumbers.h>
#include <library/LibraryDocument.h>
#include <library/LibraryFolder.h>
#include <library/NameLookup.h>
#include <library/NumberText.h>
#include <library/XmlElements.h>

#include <kernel/GK_Factories.h>

#include <cmath>

namespace {
void setPosition(TiXmlElement& element, const position& p)
{
    SetRealAttribute(element, "X", p.x);
    SetRealAttribute(element, "Y", p.y);
    SetRealAttribute(element, "Z", p.z);
}

// A missing coordinate counts as 0.
position readPosition(const TiXmlElement& element, AttributeReader& numbers)
{
    return position{numbers.realOr(element, "X", 0.0), numbers.realOr(element, "Y", 0.0),
                    numbers.realOr(element, "Z", 0.0)};
}
} // namespace

bool IsValidDoorSize(double value)
{
    return value > 0.0 && std::isfinite(value);
}

bool IsSavableDoorSize(double value)
{
    return IsValidDoorSize(ParseReal(FormatReal(value).c_str()));
}

SaveResult SaveDoorModelFile(const GK_DoorWithHinges* door, const SaveContext& context)
{
    if (!door)
        return SaveResult{SaveProblem::NoModel};
    double length = 0.0, width = 0.0, thickness = 0.0;
    door->GetDoorSize(length, width, thickness);
    if (!(IsSavableDoorSize(length) && IsSavableDoorSize(width) && IsSavableDoorSize(thickness)))
        return SaveResult{SaveProblem::OutOfRange};
    return SaveModelDocument(kDoorModelFolder, door->GetName(), HasFiniteNumbers(*door), "Model", context, [&](TiXmlElement& root) {
        root.SetAttribute("Name", door->GetName().c_str());
        root.SetAttribute("Comments", door->GetComments().c_str());
        SetRealAttribute(root, "Length", length);
        SetRealAttribute(root, "Width", width);
        SetRealAttribute(root, "Thick", thickness);

        TiXmlElement& hinges = AppendElement(root, "Hinges");
        std::string hingesName;
        if (const GK_Hinges* model = door->GetHingesModel()) {
            hingesName = model->GetName();
            SetIntAttribute(hinges, "ToUp", door->HingesUp());
        }
        hinges.SetAttribute("Name", hingesName.c_str());
        for (const position& p : door->GetHingesPos())
            setPosition(AppendElement(hinges, "Pos"), p);

        TiXmlElement& lockCore = AppendElement(root, "LockCore");
        const GK_LockCore* lockCoreModel = door->GetLockCoreModel();
        lockCore.SetAttribute("Name", lockCoreModel ? lockCoreModel->GetName().c_str() : "");
        setPosition(lockCore, door->GetLockCorePos());
    });
}

namespace {
ModelLoad<GK_DoorWithHinges> doorFrom(const LibraryText& file, const ModelLibrary& models,
                                      std::vector<UnboundDoor>* unbound)
{
    return LoadModelDocument<GK_DoorWithHinges>(file, [&](const TiXmlElement& root) -> ModelLoad<GK_DoorWithHinges> {
        AttributeReader numbers;
        const double length = numbers.realOr(root, "Length", 0.0);
        const double width = numbers.realOr(root, "Width", 0.0);
        const double thickness = numbers.realOr(root, "Thick", 0.0);
        if (!numbers.allFinite())
            return NoModel<GK_DoorWithHinges>({LoadProblem::NonFiniteNumber});
        if (!(IsValidDoorSize(length) && IsValidDoorSize(width) && IsValidDoorSize(thickness)))
            return NoModel<GK_DoorWithHinges>({LoadProblem::BadDoorSize});

        std::unique_ptr<GK_DoorWithHinges> door = api_gk_make_door_with_hinges(
            TextAttribute(root, "Name"), TextAttribute(root, "Comments"), length, width, thickness);
        UnboundDoor missing{file.path, door->GetName(), {}, {}};
        if (const TiXmlElement* hinges = root.FirstChildElement("Hinges")) {
            if (const char* name = hinges->Attribute("Name")) {
                door->SetHingesModel(ShareHingesByName(models, name));
                if (!door->GetHingesModel())
                    missing.missingHinges = name;
            }
            if (const std::optional<int> up = numbers.integer(*hinges, "ToUp"))
                door->SetHingesUp(*up);
            for (const TiXmlElement* pos = hinges->FirstChildElement("Pos"); pos; pos = pos->NextSiblingElement("Pos"))
                door->SetHingesPos(readPosition(*pos, numbers));
        }
        if (const TiXmlElement* lockCore = root.FirstChildElement("LockCore")) {
            const char* name = lockCore->Attribute("Name");
            door->SetLockCoreModel(name ? ShareLockCoreByName(models, name) : nullptr);
            if (name && !door->GetLockCoreModel())
                missing.missingLockCore = name;
            door->SetLockCorePos(readPosition(*lockCore, numbers));
        }
        if (!numbers.allFinite())
            return NoModel<GK_DoorWithHinges>({LoadProblem::NonFiniteNumber});
        if (unbound && !(missing.missingHinges.empty() && missing.missingLockCore.empty()))
            unbound->push_back(std::move(missing));
        return {std::move(door), {}};
    });
}
} // namespace

ModelLoad<GK_DoorWithHinges> LoadDoorModelFile(const std::string& path, const ModelLibrary& models,
                                               std::optional<FileFingerprint>* seen,
                                               std::vector<UnboundDoor>* unbound)
{
    return LoadModelFile(path, seen, [&](const LibraryText& file) { return doorFrom(file, models, unbound); });
}

void LoadAllDoorModels(const std::string& root, GU_SharedList<GK_DoorWithHinges>& list, const ModelLibrary& models,
                       std::vector<SkippedFile>* skipped, LibraryFiles* files, std::vector<UnboundDoor>* unbound)
{
    LoadLibraryFolder(
        ModelFolderPath(root, kDoorModelFolder),
        [&models, unbound](const LibraryText& file) { return doorFrom(file, models, unbound); },
        list, skipped, files);
}
