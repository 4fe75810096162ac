#include <library/HingesFile.h>

#include <library/FiniteNumbers.h>
#include <library/LibraryDocument.h>
#include <library/LibraryFolder.h>
#include <library/ModelHeader.h>
#include <library/XmlElements.h>

#include <kernel/GK_Factories.h>

SaveResult SaveHingesFile(const GK_Hinges* model, const SaveContext& context)
{
    if (!model)
        return SaveResult{SaveProblem::NoModel};
    return SaveModelDocument(kHingesFolder, model->GetName(), HasFiniteNumbers(*model), "Hinges", context, [&](TiXmlElement& root) {
        WriteModelHeader(root, *model);
        // Written only for a mortised hinge, so every other file stays as it
        // always was and older readers never see it.
        if (model->GetMortise())
            SetIntAttribute(root, "Mortise", 1);
        WritePtList(model->GetLoopOut(), AppendElement(root, "Ptlist"));
        TiXmlElement& holes = AppendElement(root, "Holes");
        for (const GK_Circle_Hole* hole : model->GetListHole())
            WriteCircleHole(hole, holes, HoleTyping::Untyped);
    });
}

namespace {
ModelLoad<GK_Hinges> hingesFrom(const LibraryText& file)
{
    return LoadModelDocument<GK_Hinges>(file, [](const TiXmlElement& root) -> ModelLoad<GK_Hinges> {
        const TiXmlElement* ptlist = root.FirstChildElement("Ptlist");
        if (!ptlist)
            return NoModel<GK_Hinges>({LoadProblem::MissingOutline});
        AttributeReader numbers;
        const GU_Pt_List outline = ReadPtList(*ptlist, numbers);
        if (outline.count() < kMinOutlineVertices)
            return NoModel<GK_Hinges>({LoadProblem::MissingOutline});

        std::unique_ptr<GK_Hinges> model = api_gk_make_hinges(outline);
        ReadModelHeader(root, numbers, *model);
        // Anything but an explicit mark means holes only: a wrong pocket
        // ruins a door, a missing one is visible.
        model->SetMortise(numbers.integer(root, "Mortise") == 1);
        ReadHoles(root.FirstChildElement("Holes"), *model, numbers);
        if (!numbers.allFinite())
            return NoModel<GK_Hinges>({LoadProblem::NonFiniteNumber});
        return {std::move(model), {}};
    });
}
} // namespace

ModelLoad<GK_Hinges> LoadHingesFile(const std::string& path, std::optional<FileFingerprint>* seen)
{
    return LoadModelFile(path, seen, hingesFrom);
}

void LoadAllHinges(const std::string& root, GU_SharedList<GK_Hinges>& list, std::vector<SkippedFile>* skipped,
                   LibraryFiles* files)
{
    LoadLibraryFolder(ModelFolderPath(root, kHingesFolder), hingesFrom, list, skipped, files);
}
