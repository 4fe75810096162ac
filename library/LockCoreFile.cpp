#include <library/LockCoreFile.h>

#include <library/FiniteNumbers.h>
#include <library/LibraryDocument.h>
#include <library/LibraryFolder.h>
#include <library/ModelHeader.h>
#include <library/XmlElements.h>

#include <kernel/GK_Factories.h>

namespace {
// Round holes in the circle form, every other hole in the polygon form.
void writeHoles(const GU_OwnedList<GK_Hole>& holes, TiXmlElement& group)
{
    for (const GK_Hole* hole : holes) {
        if (hole && hole->is_circle())
            WriteCircleHole(static_cast<const GK_Circle_Hole*>(hole), group);
        else
            WritePolygonHole(hole, group);
    }
}
} // namespace

SaveResult SaveLockCoreFile(const GK_LockCore* model, const SaveContext& context)
{
    if (!model)
        return SaveResult{SaveProblem::NoModel};
    return SaveModelDocument(kLockCoresFolder, model->GetName(), HasFiniteNumbers(*model), "Lockcore", context, [&](TiXmlElement& root) {
        WriteModelHeader(root, *model);
        WritePtList(model->GetTopLoop(), AppendElement(root, "PtlistTop"));
        WritePtList(model->GetSideLoop(), AppendElement(root, "PtlistSide"));
        writeHoles(model->GetTopList(), AppendElement(root, "TopHoles"));
        writeHoles(model->GetSideList(), AppendElement(root, "SideHoles"));
    });
}

namespace {
ModelLoad<GK_LockCore> lockCoreFrom(const LibraryText& file)
{
    return LoadModelDocument<GK_LockCore>(file, [](const TiXmlElement& root) -> ModelLoad<GK_LockCore> {
        const TiXmlElement* topList = root.FirstChildElement("PtlistTop");
        const TiXmlElement* sideList = root.FirstChildElement("PtlistSide");
        if (!topList || !sideList)
            return NoModel<GK_LockCore>({LoadProblem::MissingOutline});
        AttributeReader numbers;
        const GU_Pt_List top = ReadPtList(*topList, numbers);
        const GU_Pt_List side = ReadPtList(*sideList, numbers);
        if (top.count() < kMinOutlineVertices || side.count() < kMinOutlineVertices)
            return NoModel<GK_LockCore>({LoadProblem::MissingOutline});

        std::unique_ptr<GK_LockCore> model = api_gk_make_lockcore(top, side);
        ReadModelHeader(root, numbers, *model);
        ReadHoles(root.FirstChildElement("TopHoles"), model->GetTopList(), numbers);
        ReadHoles(root.FirstChildElement("SideHoles"), model->GetSideList(), numbers);
        if (!numbers.allFinite())
            return NoModel<GK_LockCore>({LoadProblem::NonFiniteNumber});
        return {std::move(model), {}};
    });
}
} // namespace

ModelLoad<GK_LockCore> LoadLockCoreFile(const std::string& path, std::optional<FileFingerprint>* seen)
{
    return LoadModelFile(path, seen, lockCoreFrom);
}

void LoadAllLockCores(const std::string& root, GU_SharedList<GK_LockCore>& list,
                      std::vector<SkippedFile>* skipped, LibraryFiles* files)
{
    LoadLibraryFolder(ModelFolderPath(root, kLockCoresFolder), lockCoreFrom, list, skipped, files);
}
