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
        WritePtList(model->GetLoopOut(), AppendElement(root, "Ptlist"));
        TiXmlElement& holes = AppendElement(root, "Holes");
        for (const GK_Circle_Hole* hole : model->GetListHole()) {
            if (!hole)
                continue;
            TiXmlElement& element = AppendElement(holes, "Hole");
            const position centre = hole->get_cen();
            SetRealAttribute(element, "X", centre.x);
            SetRealAttribute(element, "Y", centre.y);
            SetRealAttribute(element, "Diameter", 2.0 * hole->get_radius());
            SetRealAttribute(element, "Depth", hole->get_z());
        }
    });
}

std::unique_ptr<GK_Hinges> LoadHingesFile(const std::string& path, std::optional<FileFingerprint>* seen)
{
    return LoadModelDocument<GK_Hinges>(path, [](const TiXmlElement& root) -> std::unique_ptr<GK_Hinges> {
        const TiXmlElement* ptlist = root.FirstChildElement("Ptlist");
        if (!ptlist)
            return nullptr;
        AttributeReader numbers;
        const GU_Pt_List outline = ReadPtList(*ptlist, numbers);
        if (outline.count() < kMinOutlineVertices)
            return nullptr;

        std::unique_ptr<GK_Hinges> model = api_gk_make_hinges(outline);
        ReadModelHeader(root, numbers, *model);
        if (const TiXmlElement* holes = root.FirstChildElement("Holes")) {
            // Every Hole of a hinge is round; a "Type" attribute is ignored.
            for (const TiXmlElement* hole = holes->FirstChildElement("Hole"); hole; hole = hole->NextSiblingElement("Hole")) {
                const position centre{numbers.realOr(*hole, "X", 0.0), numbers.realOr(*hole, "Y", 0.0), 0.0};
                const double diameter = numbers.realOr(*hole, "Diameter", 0.0);
                const double depth = numbers.realOr(*hole, "Depth", 0.0);
                model->AddHoleToList(api_gk_make_circle_hole(centre, diameter, depth).release());
            }
        }
        if (!numbers.allFinite())
            return nullptr;
        return model;
    }, seen);
}

void LoadAllHinges(GU_OwnedList<GK_Hinges>& list, LibraryFiles* files)
{
    LoadLibraryFolder(kHingesFolder, LoadHingesFile, list, files);
}
