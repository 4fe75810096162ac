#pragma once

#include <library/XmlElements.h>

#include <optional>
#include <tinyxml.h>

// The root attributes that hinge and lock-core files share: "Name",
// "Comments" and "Thick".
template <typename Model>
void WriteModelHeader(TiXmlElement& root, const Model& model)
{
    root.SetAttribute("Name", model.GetName().c_str());
    root.SetAttribute("Comments", model.GetComments().c_str());
    SetRealAttribute(root, "Thick", model.GetThick());
}

// Reads those attributes back; an absent "Thick" leaves the model's own.
template <typename Model>
void ReadModelHeader(const TiXmlElement& root, AttributeReader& numbers, Model& model)
{
    model.SetName(TextAttribute(root, "Name"));
    model.SetComments(TextAttribute(root, "Comments"));
    if (const std::optional<double> thick = numbers.real(root, "Thick"))
        model.SetThick(*thick);
}
