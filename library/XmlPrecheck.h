#pragma once

#include <cstddef>
#include <string_view>

// What the parser builds from a text, in the three measures that make its
// work grow faster than the text: the deepest nesting of elements (it recurses
// once per level and climbs to the document from every node it reads), the
// most attributes on one element (it checks each new attribute against all
// earlier ones of the element) and the nodes it allocates (elements,
// attributes, texts, comments and the rest).
struct XmlCounts {
    int depth = 0;
    int attributes = 0;
    std::size_t nodes = 0;
};

// Counts what the parser would build from the text, reading it exactly as the
// parser reads it in its byte-by-byte (not UTF-8) mode and with white space
// condensed, its default: the same name, white-space and entity rules, the
// same places where it gives up. Builds nothing, takes time linear in the
// text's length, and stops as soon as a count passes its limit.
XmlCounts CountXml(std::string_view text, const XmlCounts& limits);

// Whether no count passes its limit.
bool XmlWithin(const XmlCounts& counts, const XmlCounts& limits);
