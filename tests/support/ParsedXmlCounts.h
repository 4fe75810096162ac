#pragma once

// What the parser actually builds from a text, in the measures of the
// library's pre-check, for comparing the two.
#include <library/XmlPrecheck.h>

#include <algorithm>
#include <string>
#include <tinyxml.h>

namespace parsed_xml {

// Adds what lies below node: deepest element nesting, most attributes on one
// element, nodes of every kind.
inline void measure(const TiXmlNode& node, int depth, XmlCounts& built)
{
    if (const TiXmlElement* element = node.ToElement()) {
        built.depth = std::max(built.depth, ++depth);
        int attributes = 0;
        for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next())
            ++attributes;
        built.attributes = std::max(built.attributes, attributes);
        built.nodes += static_cast<std::size_t>(attributes);
    }
    for (const TiXmlNode* child = node.FirstChild(); child; child = child->NextSibling()) {
        ++built.nodes;
        measure(*child, depth, built);
    }
}

// Parses the text byte by byte, as the library does, and measures what the
// parser built, also from text it refused.
inline XmlCounts counts(const std::string& text)
{
    TiXmlDocument document;
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    XmlCounts built;
    measure(document, 0, built);
    return built;
}

} // namespace parsed_xml
