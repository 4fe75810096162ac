#pragma once

#include <string_view>

// Whether no element of the XML text nests deeper than maxDepth. The parser
// recurses once per level, so a deeply nested file would exhaust the stack.
// The count errs on the safe side: every "<" that may open an element counts,
// wherever it stands, while a closing tag counts only where it surely closes
// one (outside quotes, comments and CDATA sections).
bool NestingWithin(std::string_view text, int maxDepth);
