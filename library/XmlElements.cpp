#include <library/XmlElements.h>

#include <library/NumberText.h>

#include <kernel/GK_Factories.h>

#include <cmath>
#include <tinyxml.h>

namespace {
constexpr int kCircleHoleType = 1;
constexpr int kPolygonHoleType = 0;

std::unique_ptr<GK_Circle_Hole> readCircleHole(const TiXmlElement& hole, AttributeReader& numbers)
{
    const position centre{numbers.realOr(hole, "X", 0.0), numbers.realOr(hole, "Y", 0.0), 0.0};
    const double diameter = numbers.realOr(hole, "Diameter", 0.0);
    const double depth = numbers.realOr(hole, "Depth", 0.0);
    return api_gk_make_circle_hole(centre, diameter, depth);
}
} // namespace

TiXmlElement& AppendElement(TiXmlElement& parent, const char* name)
{
    return *parent.LinkEndChild(new TiXmlElement(name))->ToElement();
}

std::string TextAttribute(const TiXmlElement& element, const char* name)
{
    const char* text = element.Attribute(name);
    return text ? std::string(text) : std::string();
}

void SetRealAttribute(TiXmlElement& element, const char* name, double value)
{
    element.SetAttribute(name, FormatReal(value).c_str());
}

void SetIntAttribute(TiXmlElement& element, const char* name, int value)
{
    element.SetAttribute(name, FormatInt(value).c_str());
}

void SetAttribute(TiXmlElement& element, const char* name, double value)
{
    SetRealAttribute(element, name, value);
}

void SetAttribute(TiXmlElement& element, const char* name, int value)
{
    SetIntAttribute(element, name, value);
}

void SetAttribute(TiXmlElement& element, const char* name, const std::string& value)
{
    element.SetAttribute(name, value.c_str());
}

std::optional<double> AttributeReader::real(const TiXmlElement& element, const char* name)
{
    const char* text = element.Attribute(name);
    if (!text)
        return std::nullopt;
    const double value = ParseReal(text);
    if (!std::isfinite(value))
        m_allFinite = false;
    return value;
}

double AttributeReader::realOr(const TiXmlElement& element, const char* name, double fallback)
{
    return real(element, name).value_or(fallback);
}

std::optional<int> AttributeReader::integer(const TiXmlElement& element, const char* name) const
{
    const char* text = element.Attribute(name);
    if (!text)
        return std::nullopt;
    return ParseInt(text);
}

void WritePtList(const GU_Loop& loop, TiXmlElement& parent)
{
    for (const position& vertex : loop) {
        TiXmlElement& pos = AppendElement(parent, "Pos");
        SetRealAttribute(pos, "X", vertex.x);
        SetRealAttribute(pos, "Y", vertex.y);
    }
}

GU_Pt_List ReadPtList(const TiXmlElement& list, AttributeReader& numbers)
{
    GU_Pt_List points;
    for (const TiXmlElement* pos = list.FirstChildElement("Pos"); pos; pos = pos->NextSiblingElement("Pos")) {
        const std::optional<double> x = numbers.real(*pos, "X");
        const std::optional<double> y = numbers.real(*pos, "Y");
        if (x && y)
            points.add_tail(position{*x, *y, 0.0});
    }
    return points;
}

void WriteCircleHole(const GK_Circle_Hole* hole, TiXmlElement& parent, HoleTyping typing)
{
    if (!hole)
        return;
    TiXmlElement& element = AppendElement(parent, "Hole");
    const position centre = hole->get_cen();
    if (typing == HoleTyping::Typed)
        SetIntAttribute(element, "Type", kCircleHoleType);
    SetRealAttribute(element, "X", centre.x);
    SetRealAttribute(element, "Y", centre.y);
    SetRealAttribute(element, "Diameter", 2.0 * hole->get_radius());
    SetRealAttribute(element, "Depth", hole->get_z());
}

void WritePolygonHole(const GK_Hole* hole, TiXmlElement& parent)
{
    if (!hole || !hole->get_loop())
        return;
    TiXmlElement& element = AppendElement(parent, "Hole");
    SetIntAttribute(element, "Type", kPolygonHoleType);
    WritePtList(*hole->get_loop(), element);
}

void ReadHoles(const TiXmlElement* group, GU_OwnedList<GK_Hole>& target, AttributeReader& numbers)
{
    if (!group)
        return;
    for (const TiXmlElement* hole = group->FirstChildElement("Hole"); hole; hole = hole->NextSiblingElement("Hole")) {
        const std::optional<int> type = numbers.integer(*hole, "Type");
        if (!type)
            continue;
        if (*type == kCircleHoleType) {
            target.add_tail(readCircleHole(*hole, numbers));
            continue;
        }
        const GU_Pt_List outline = ReadPtList(*hole, numbers);
        if (outline.count() >= kMinOutlineVertices)
            target.add_tail(api_gk_make_hole(outline, 0.0));
    }
}

void ReadHoles(const TiXmlElement* group, GK_Hinges& hinge, AttributeReader& numbers)
{
    if (!group)
        return;
    for (const TiXmlElement* hole = group->FirstChildElement("Hole"); hole; hole = hole->NextSiblingElement("Hole"))
        hinge.AddHoleToList(readCircleHole(*hole, numbers).release());
}
