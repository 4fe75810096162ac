#pragma once

// Library files at the size limit built to make loading as slow as possible,
// one per way found to make the parser's or the readers' work grow faster
// than the file: what each must come to (a model, or a skip with a reason).
// Shared by the tests and the library benchmark.
#include <library/LibraryText.h>
#include <library/LibraryFolder.h>
#include <library/LoadProblem.h>

#include <cstddef>
#include <string>

namespace worst_case {

inline const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\n";
inline const std::string kOutline =
    "<Ptlist><Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/><Pos X=\"1\" Y=\"1\"/></Ptlist>";
inline const std::string kLockCoreBody =
    "<PtlistTop><Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/><Pos X=\"1\" Y=\"1\"/></PtlistTop>"
    "<PtlistSide><Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/><Pos X=\"1\" Y=\"1\"/></PtlistSide>";

// head, then as many units as fit (at most maxUnits), then tail: size bytes
// at most.
template <typename Unit>
std::string fill(std::size_t size, const std::string& head, Unit unit, const std::string& tail,
                 std::size_t maxUnits = std::size_t(-1))
{
    std::string text = head;
    for (std::size_t i = 0; i < maxUnits; ++i) {
        const std::string next = unit(i);
        if (text.size() + next.size() + tail.size() > size)
            break;
        text += next;
    }
    return text + tail;
}

// Units up to the node limit, each adding nodesPerUnit to the head's nodes.
template <typename Unit>
std::string fillNodes(std::size_t size, const std::string& head, std::size_t headNodes, Unit unit,
                      std::size_t nodesPerUnit, const std::string& tail)
{
    return fill(size, head, unit, tail, (kLibraryXmlLimits.nodes - headNodes) / nodesPerUnit);
}

// head, then one run of the byte that fills the file, then tail.
inline std::string pad(std::size_t size, const std::string& head, char byte, const std::string& tail)
{
    return head + std::string(size - head.size() - tail.size(), byte) + tail;
}

struct Case {
    const char* name;
    const char* file;    // in the library folder; a model folder's files take the folder's name
    LoadProblem outcome; // None: the file loads as a model
    std::string (*make)(std::size_t size);
};

inline const Case kCases[] = {
    {"AttributesOfOneElement", "DoorModel/worst.xml", LoadProblem::TooManyAttributes,
     [](std::size_t size) {
         return fill(size, kDeclaration + "<Model Length=\"1\" Width=\"1\" Thick=\"1\"",
                     [](std::size_t i) { return " a" + std::to_string(i) + "=\"1\""; }, "/>");
     }},
    {"SiblingElements", "Hinges/worst.xml", LoadProblem::TooManyNodes,
     [](std::size_t size) {
         return fill(size, kDeclaration + "<Hinges Name=\"w\">" + kOutline, [](std::size_t) { return std::string("<a/>"); },
                     "</Hinges>");
     }},
    {"TextsBetweenElements", "Lockcores/worst.xml", LoadProblem::TooManyNodes,
     [](std::size_t size) {
         return fill(size, kDeclaration + "<Lockcore Name=\"w\">" + kLockCoreBody,
                     [](std::size_t) { return std::string("x<a/>"); }, "</Lockcore>");
     }},
    {"SiblingsAtTheNestingLimit", "Hinges/worst.xml", LoadProblem::TooManyNodes,
     [](std::size_t size) {
         std::string head = kDeclaration + "<Hinges Name=\"w\">" + kOutline, tail = "</Hinges>";
         for (int level = 1; level < kLibraryXmlLimits.depth - 1; ++level) {
             head += "<a>";
             tail = "</a>" + tail;
         }
         return fill(size, head, [](std::size_t) { return std::string("<b/>"); }, tail);
     }},
    {"OutlineVertices", "Hinges/worst.xml", LoadProblem::TooManyNodes,
     [](std::size_t size) {
         return fill(size, kDeclaration + "<Hinges Name=\"w\"><Ptlist>",
                     [](std::size_t i) { return "<Pos X=\"" + std::to_string(i % 997) + ".00\" Y=\"1.00\" />\n"; },
                     "</Ptlist></Hinges>");
     }},
    {"ToolTableRecords", "HingesKnife.xml", LoadProblem::TooManyNodes,
     [](std::size_t size) {
         return fill(size, kDeclaration + "<AllKnife>",
                     [](std::size_t i) {
                         return "<Knife ID=\"" + std::to_string(i) +
                                "\" Vel=\"6000\" Type=\"0\" IsMain=\"0\" Enable=\"1\" Diameter=\"5.00\" "
                                "SafeDistance=\"2.00\" AirForward=\"\" AirBack=\"\" DrillStart=\"\" DrillStop=\"\" />\n";
                     },
                     "</AllKnife>");
     }},
    {"Comments", "DoorModel/worst.xml", LoadProblem::TooManyNodes,
     [](std::size_t size) {
         return fill(size, kDeclaration + "<Model Length=\"1\" Width=\"1\" Thick=\"1\">",
                     [](std::size_t) { return std::string("<!---->"); }, "</Model>");
     }},
    {"ProcessingInstructions", "Lockcores/worst.xml", LoadProblem::TooManyNodes,
     [](std::size_t size) {
         return fill(size, kDeclaration + "<Lockcore Name=\"w\">" + kLockCoreBody,
                     [](std::size_t) { return std::string("<?a?>"); }, "</Lockcore>");
     }},
    {"CdataSections", "Hinges/worst.xml", LoadProblem::TooManyNodes,
     [](std::size_t size) {
         return fill(size, kDeclaration + "<Hinges Name=\"w\">" + kOutline,
                     [](std::size_t) { return std::string("<![CDATA[]]>"); }, "</Hinges>");
     }},
    {"Nesting", "DoorModel/worst.xml", LoadProblem::TooDeep,
     [](std::size_t size) { return fill(size, kDeclaration, [](std::size_t) { return std::string("<a>"); }, ""); }},
    {"NestingBehindCharacterReferences", "Hinges/worst.xml", LoadProblem::TooDeep,
     [](std::size_t size) { return fill(size, "", [](std::size_t) { return std::string("<a>&#</a>#1;"); }, ""); }},
    // The files that the parser reads at all and that give it the most work:
    // as many nodes as the limit allows, nested as deep as it allows, with as
    // many attributes on each element as it allows.
    {"OutlineAtTheNodeLimit", "Hinges/worst.xml", LoadProblem::None,
     [](std::size_t size) {
         return fillNodes(size, kDeclaration + "<Hinges Name=\"w\"><Ptlist>", 4,
                          [](std::size_t i) { return "<Pos X=\"" + std::to_string(i % 997) + ".00\" Y=\"1.00\" />\n"; },
                          3, "</Ptlist></Hinges>");
     }},
    {"SiblingsAtTheNodeAndNestingLimits", "Hinges/worst.xml", LoadProblem::None,
     [](std::size_t size) {
         std::string head = kDeclaration + "<Hinges Name=\"w\">" + kOutline, tail = "</Hinges>";
         for (int level = 1; level < kLibraryXmlLimits.depth - 1; ++level) {
             head += "<a>";
             tail = "</a>" + tail;
         }
         return fillNodes(size, head, 100, [](std::size_t) { return std::string("x<b/>"); }, 2, tail);
     }},
    {"AttributesAtTheNodeAndAttributeLimits", "DoorModel/worst.xml", LoadProblem::None,
     [](std::size_t size) {
         std::string element = "<a";
         for (int i = 0; i < kLibraryXmlLimits.attributes; ++i)
             element += " b" + std::to_string(i) + "=\"\"";
         element += "/>";
         return fillNodes(size, kDeclaration + "<Model Length=\"1\" Width=\"1\" Thick=\"1\">", 10,
                          [element](std::size_t) { return element; }, kLibraryXmlLimits.attributes + 1, "</Model>");
     }},
    {"LongAttributeValue", "Hinges/worst.xml", LoadProblem::None,
     [](std::size_t size) { return pad(size, kDeclaration + "<Hinges Comments=\"", 'c', "\">" + kOutline + "</Hinges>"); }},
    {"CharacterReferences", "DoorModel/worst.xml", LoadProblem::None,
     [](std::size_t size) {
         return fill(size, kDeclaration + "<Model Length=\"1\" Width=\"1\" Thick=\"1\" Comments=\"",
                     [](std::size_t i) { return std::string(i % 2 ? "&amp;" : "&#x41;"); }, "\"/>");
     }},
    {"LongText", "Lockcores/worst.xml", LoadProblem::None,
     [](std::size_t size) {
         return fill(size, kDeclaration + "<Lockcore Name=\"w\">" + kLockCoreBody,
                     [](std::size_t) { return std::string("t \n"); }, "</Lockcore>");
     }},
    {"LongComment", "DoorModel/worst.xml", LoadProblem::None,
     [](std::size_t size) {
         return pad(size, kDeclaration + "<Model Length=\"1\" Width=\"1\" Thick=\"1\"><!--", '-', "--></Model>");
     }},
    {"LongElementName", "Hinges/worst.xml", LoadProblem::None,
     [](std::size_t size) {
         return pad(size, kDeclaration + "<Hinges Name=\"w\">" + kOutline + "<n", 'n', "/></Hinges>");
     }},
    // Names alike up to their last byte make every comparison of a new
    // attribute with the earlier ones run their whole length.
    {"LongAttributeNames", "Lockcores/worst.xml", LoadProblem::None,
     [](std::size_t size) {
         const std::size_t count = static_cast<std::size_t>(kLibraryXmlLimits.attributes) - 1;
         const std::size_t length = (size - 1024) / count - 8;
         return fill(size, kDeclaration + "<Lockcore",
                     [length](std::size_t i) {
                         return " " + std::string(length, 'n') + std::to_string(100 + i) + "=\"1\"";
                     },
                     ">" + kLockCoreBody + "</Lockcore>");
     }},
    {"OneLongLine", "DoorModel/worst.xml", LoadProblem::None,
     [](std::size_t size) {
         return pad(size, kDeclaration + "<Model Length=\"1\" Width=\"1\"", ' ', "Thick=\"1\"/>");
     }},
    {"LineEnds", "Hinges/worst.xml", LoadProblem::None,
     [](std::size_t size) { return pad(size, kDeclaration + "<Hinges Name=\"w\">" + kOutline, '\r', "</Hinges>"); }},
};

} // namespace worst_case
