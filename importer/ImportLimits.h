#pragma once

#include <cstddef>

// Bounds that keep any input file, however damaged or hostile, within a
// sensible amount of time and memory. A drawing that stays inside them is far
// larger than any hinge or lock-core drawing.
namespace import_limits {

// Largest file that is read at all.
inline constexpr std::size_t kMaxFileBytes = std::size_t(1) << 31;
// Entity records kept from the file (model space and blocks together).
inline constexpr std::size_t kMaxEntities = 1'500'000;
// Vertices, control points, knots or fit points that one entity may declare
// or carry.
inline constexpr std::size_t kMaxEntityVertices = 1'000'000;
// Vertices kept from the file over all entities.
inline constexpr std::size_t kMaxFileVertices = 8'000'000;
// Curves and circles placed in the drawing once blocks are resolved.
inline constexpr std::size_t kMaxPlacedItems = 1'500'000;
// Entities met while placing (kept, skipped or refused) and block copies
// made, over all block references.
inline constexpr std::size_t kMaxPlacedVisits = 4'000'000;
// Outline vertices produced by tessellation over the whole drawing.
inline constexpr std::size_t kMaxTessellatedVertices = 8'000'000;
// Segments one curve may be split into; past it the chord error grows.
inline constexpr std::size_t kMaxSegmentsPerCurve = 1u << 16;
// Nesting of block references.
inline constexpr int kMaxBlockDepth = 16;
// Copies one block reference may place through its column and row array.
inline constexpr long long kMaxArrayCopies = 1'000'000;
// Magnitude of a coordinate, in millimetres, beyond which an item is dropped.
inline constexpr double kMaxCoordinate = 1e9;
// Highest spline degree accepted.
inline constexpr int kMaxSplineDegree = 11;
// Block definitions kept from the file.
inline constexpr std::size_t kMaxBlocks = 100'000;
// Kinds of skipped entity told apart; the rest are counted together.
inline constexpr std::size_t kMaxSkippedKinds = 64;
// Bytes of one name or text taken from the file (dxflib reads lines of at
// most 1023 bytes).
inline constexpr std::size_t kMaxTextBytes = 1024;

} // namespace import_limits

// Tolerances of the import, in millimetres.
namespace import_tolerance {

// Largest distance between a curve and its tessellation.
inline constexpr double kChordError = 0.01;
// End points closer than this meet.
inline constexpr double kJoin = 0.01;
// A chain whose ends are closer than this is closed, and its gap reported.
inline constexpr double kAlmostClosed = 1.0;

} // namespace import_tolerance
