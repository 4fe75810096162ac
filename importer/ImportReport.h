#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What one import found and did, as data: the user-interface side words it.

// Why an import gave no model.
enum class ImportProblem {
    None,
    FileMissing,      // nothing at the path
    NotAFile,         // a folder or a device
    CannotRead,       // the system refused to read the file; error says why
    EmptyFile,
    FileTooLarge,
    BinaryDxfDamaged, // a binary DXF whose group at byte `line` (counted from 0) cannot be read
    BinaryData,       // text with NUL bytes in it: no DXF
    NoGroupCode,      // the first line is no group code: no DXF
    NoSection,        // the first group is no SECTION: no DXF
    NoGroups,         // nothing but comments: no DXF
    BadGroupCode,     // a group code expected at line
    LineTooLong,      // the line is longer than the parser reads in one piece (limit bytes)
    MissingValue,     // the last group code has no value: cut short
    MissingEof,       // no EOF at the end: cut short
    BadCount,         // entity detail declares an unreasonable count at line
    TooManyDeclared,  // the entities declare more vertices than limit in all, past line
    Unparsable,       // the parser gave up on the file
    ParserOutOfMemory,
    // Past one of the import's limits, which limit says:
    TooManyEntities,    // entities in the file
    TooManyVertices,    // vertices in the file
    EntityTooLarge,     // vertices in one entity
    TooManyBlocks,      // block definitions
    TooManyPlaced,      // entities and block copies once block references are expanded
    TooManyCurvePoints, // points of the curves once they are split into segments
    ContainmentTooCostly, // work to tell which circles and outlines lie inside which outlines
    OutOfMemory,
    InternalError,
    Cancelled,        // the user stopped the import
    // The reader process, in which dxflib parses the drawing:
    ReaderMissing,     // not found; detail is where it was looked for
    ReaderNotStarted,  // could not be started; error says why
    ReaderCrashed,     // ended by signal `error` before its stream was complete
    ReaderExited,      // ended with exit code `error` before its stream was complete
    ReaderOutOfMemory, // an allocation failed, at most limit bytes being allowed
    ReaderTimeLimit,   // used up its limit of processor seconds
    ReaderHung,        // had not finished after limit seconds
    ReaderGarbage,     // sent bytes that are no record stream, or records past the limits
    ReaderIncomplete,  // its stream stopped before its end
    NodeMissing,       // a DWG drawing, and no node to run its reader
    DwgReaderMissing,  // the DWG reader's node program or package is not beside it; detail is where
    NoClosedOutline,  // see openChains for the chains that did not close
    OneOutline,       // a lock core needs two outlines, side by side
    NestedOutlines,   // every other outline lies within the largest
    NoPart,           // every closed outline is a frame or lies on a layer of annotations
    UnitPastLimit,    // read in the unit of $INSUNITS code `error`, a coordinate would pass limit millimetres
};

struct ImportFailure {
    ImportProblem problem = ImportProblem::None;
    int error = 0;          // errno of the refused system call; the reader process's signal or exit code
    std::size_t line = 0;   // line of the file at fault, from 1
    std::string detail = {}; // what the file names there, as it stands in the file
    std::size_t limit = 0;  // the limit that was reached, for the problems that name one

    explicit operator bool() const { return problem != ImportProblem::None; }
};

// The unit a drawing was read in.
struct DrawingUnit {
    double millimetres = 1.0;    // one drawing unit in millimetres
    int code = 4;                // $INSUNITS code of the unit taken; 4 is millimetres
    std::optional<int> insunits; // $INSUNITS as the drawing gives it, if it does
    bool chosen = false;         // the user picked the unit after the import
};

// Why entities were left out.
enum class SkipReason {
    Unsupported,    // a kind the importer does not read; the entity names it
    PolygonMesh,    // a POLYLINE that is a mesh
    PaperSpace,
    NotInPlane,     // not parallel to the XY plane
    BadCoordinates, // a coordinate that is not finite or too large
    BadScale,       // placed with a scale of zero or one that is not finite
    BadArc,
    BadCircle,
    BadPolyline,
    BadEllipse,
    BadSpline,
};

struct SkippedKind {
    SkipReason reason = SkipReason::Unsupported;
    std::string entity; // the DXF entity name, for an unsupported kind

    auto operator<=>(const SkippedKind&) const = default;
};

// Remarks on what was imported and what was not.
enum class NoteKind {
    LeftOutside,       // count circles or outlines outside the model's outline
    NotCircleInside,   // count outlines inside it that are no circles
    ZeroArea,          // count closed outlines of zero area
    FacesByLayer,      // top and side told apart by their layer names
    FacesByPosition,   // top and side told apart by position, the upper on top
    MissingBlock,      // a reference to block, which does not exist
    BlockTooDeep,      // block nests too deep
    BlockSelfReference,
    BlockArrayTooLarge,
    IgnoredAfterEof,   // count bytes after the EOF group, which were not read
    TextCut,           // count text or comment values longer than the parser reads, cut to what it reads
};

struct ImportNote {
    NoteKind kind = NoteKind::LeftOutside;
    std::size_t count = 0;
    std::string block; // the block's name as the drawing gives it
};

// A chain of open pieces that did not close within the join tolerance.
struct OpenChain {
    double gap = 0.0;          // distance between its two ends, millimetres
    double startX = 0.0, startY = 0.0;
    double endX = 0.0, endY = 0.0;
    std::size_t pieces = 0;    // number of pieces in the chain
    bool closedAnyway = false; // gap below the almost-closed limit: used as an outline
};

// How a file stores its drawing.
enum class DrawingFormat { Dxf, BinaryDxf, Dwg };

struct ImportReport {
    DrawingFormat format = DrawingFormat::Dxf;
    std::string version;             // $ACADVER or the DWG file's version, e.g. "AC1015"
    std::optional<DrawingUnit> unit; // once the drawing was read
    std::string codePage;            // $DWGCODEPAGE as the drawing names it
    std::string charset;             // the code page its texts were read in; empty for UTF-8

    std::size_t outlines = 0;          // closed outlines found in the drawing
    std::size_t circles = 0;           // circles found in the drawing
    std::size_t frames = 0;            // outlines taken for the sheet's frame and title block
    std::size_t parts = 0;             // outlines that may be a part, inside no other
    std::size_t holes = 0;             // holes put into the model
    std::size_t leftInside = 0;        // items inside the model's outline that were not imported
    std::map<SkippedKind, std::size_t> skipped; // skipped entities by kind
    std::vector<OpenChain> openChains; // chains that did not close exactly
    std::vector<ImportNote> notes;

    ImportFailure failure; // why no model came out; none when one did

    std::size_t skippedTotal() const;
    std::size_t closedAnyway() const; // open chains that were closed all the same
};
