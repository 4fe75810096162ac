#pragma once

#include <kernel/GK_Hinges.h>
#include <kernel/GK_Hole.h>
#include <kernel/GU_List.h>
#include <kernel/GU_Loop.h>
#include <kernel/GU_Pt_List.h>
#include <kernel/position.h>

#include <cstddef>
#include <optional>
#include <string>

class TiXmlElement;

// An outline needs at least this many vertices.
inline constexpr std::size_t kMinOutlineVertices = 3;

// Element encodings that several library file kinds share: the outline vertex
// "Pos", the point list and the hole "Hole", plus the number attributes.

// Links a new element of the given name as the parent's last child.
TiXmlElement& AppendElement(TiXmlElement& parent, const char* name);
// The attribute's text, or the empty text when it is absent.
std::string TextAttribute(const TiXmlElement& element, const char* name);

// Sets a real attribute as "%.2f" and an integer attribute as "%d".
void SetRealAttribute(TiXmlElement& element, const char* name, double value);
void SetIntAttribute(TiXmlElement& element, const char* name, int value);
// The same chosen by the value's type, and a text as its bytes.
void SetAttribute(TiXmlElement& element, const char* name, double value);
void SetAttribute(TiXmlElement& element, const char* name, int value);
void SetAttribute(TiXmlElement& element, const char* name, const std::string& value);

// Reads number attributes the way atof and atoi do. A file holding a number
// that is not finite ("nan", "inf", "1e999") is refused as a whole: such a
// value must never become a coordinate or size. The reader notes every such
// value so that the file reader can drop the file at the end.
class AttributeReader {
public:
    // The attribute's value, or nothing when it is absent.
    std::optional<double> real(const TiXmlElement& element, const char* name);
    double realOr(const TiXmlElement& element, const char* name, double fallback);
    std::optional<int> integer(const TiXmlElement& element, const char* name) const;
    // False once any real value read was not finite.
    bool allFinite() const { return m_allFinite; }

private:
    bool m_allFinite = true;
};

// Writes the loop's vertices as "Pos" children (X, Y) of the parent, from the
// first vertex on; the first vertex is not repeated.
void WritePtList(const GU_Loop& loop, TiXmlElement& parent);
// Collects the "Pos" children that carry both "X" and "Y" as (X, Y, 0).
GU_Pt_List ReadPtList(const TiXmlElement& list, AttributeReader& numbers);

// Whether a "Hole" says its kind: lock-core holes carry "Type", the holes of
// a hinge, which are all round, do not.
enum class HoleTyping { Typed, Untyped };

// Appends a "Hole" of circle kind: "Type" 1 when typed, then X, Y, Diameter,
// Depth. Nothing for a null hole.
void WriteCircleHole(const GK_Circle_Hole* hole, TiXmlElement& parent, HoleTyping typing = HoleTyping::Typed);
// Appends a "Hole" of polygon kind ("Type" 0 and one "Pos" per vertex).
// Nothing for a null hole or a hole without a loop.
void WritePolygonHole(const GK_Hole* hole, TiXmlElement& parent);
// Appends the holes made from the "Hole" children of the group (none when the
// group is null): "Type" 1 gives a circle hole, any other "Type" a polygon
// hole of depth 0 with at least three vertices; a Hole without "Type" is
// skipped. A circle hole's missing values count as 0.
void ReadHoles(const TiXmlElement* group, GU_OwnedList<GK_Hole>& target, AttributeReader& numbers);
// The same for the untyped holes of a hinge: every "Hole" is a circle hole,
// whatever its "Type".
void ReadHoles(const TiXmlElement* group, GK_Hinges& hinge, AttributeReader& numbers);
