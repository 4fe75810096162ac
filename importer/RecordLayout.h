#pragma once

// The byte layout of the record stream's frames (RecordStream.h), written
// once for both directions. Each layout function names a frame's fields in
// the order they travel; the Io it is given either puts each field (the
// writer's encoder) or gets it (the reader's cursor, which checks it). The
// field kinds:
//   real    8-byte double, finite
//   point   three reals x, y, z
//   flag    one byte, 0 or 1
//   byte    one byte holding an enum's value
//   int32   4-byte signed integer
//   uint32  4-byte unsigned integer
//   text    uint32 byte count, then the bytes (at most kMaxTextBytes)
//   list    uint32 count, then each item's fields
// Numbers are in this machine's byte order (both ends are built together).

#include <importer/DxfRecords.h>
#include <importer/ImportReport.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>

namespace record_layout {

enum Tag : std::uint8_t {
    kLayer = 1,
    kInsUnits,
    kCodePage,
    kVersion,
    kBeginBlock,
    kEndBlock,
    kSkipped,
    kLine,
    kArc,
    kCircle,
    kPolyline,
    kEllipse,
    kSpline,
    kInsert,
    kAnnotation,
    kEnd,
};

// The tag of each alternative of Shape, in the variant's order.
inline constexpr Tag kShapeTags[] = {kLine, kArc, kCircle, kPolyline, kEllipse, kAnnotation, kSpline, kInsert};
static_assert(std::size(kShapeTags) == std::variant_size_v<Shape>);

inline constexpr std::size_t kPointBytes = 3 * 8;
// Layer, thickness and the mirrored flag, in front of every entity.
inline constexpr std::size_t kEntityHeadBytes = 4 + 8 + 1;

// The frames other than entities.
struct BlockStart {
    position base;
    std::string name;
};

template <typename Io>
void layout(Io& io, BlockStart& f)
{
    io.point(f.base);
    io.text(f.name);
}

template <typename Io>
void layout(Io& io, SkippedKind& f)
{
    io.byte(f.reason);
    io.text(f.entity);
}

// Every entity's head, in front of its shape.
template <typename Io>
void head(Io& io, EntityRecord& r)
{
    io.uint32(r.layer);
    io.real(r.thickness);
    io.flag(r.mirrored);
}

template <typename Io>
void layout(Io& io, LineRecord& r)
{
    io.point(r.a);
    io.point(r.b);
}

template <typename Io>
void layout(Io& io, ArcRecord& r)
{
    io.point(r.centre);
    io.real(r.radius);
    io.real(r.startDeg);
    io.real(r.endDeg);
}

template <typename Io>
void layout(Io& io, CircleRecord& r)
{
    io.point(r.centre);
    io.real(r.radius);
}

template <typename Io>
void layout(Io& io, PolylineRecord& r)
{
    io.flag(r.closed);
    io.real(r.elevation);
    io.list(r.vertices, kPointBytes, [&io](PolyVertex& v) {
        io.real(v.x);
        io.real(v.y);
        io.real(v.bulge);
    });
}

template <typename Io>
void layout(Io& io, EllipseRecord& r)
{
    io.point(r.centre);
    io.real(r.majorX);
    io.real(r.majorY);
    io.real(r.ratio);
    io.real(r.startParam);
    io.real(r.endParam);
}

template <typename Io>
void layout(Io& io, AnnotationRecord& r)
{
    io.point(r.at);
}

template <typename Io>
void layout(Io& io, SplineRecord& r)
{
    io.int32(r.degree);
    io.flag(r.closed);
    io.list(r.knots, sizeof(double), [&io](double& v) { io.real(v); });
    io.list(r.weights, sizeof(double), [&io](double& v) { io.real(v); });
    io.list(r.control, kPointBytes, [&io](position& p) { io.point(p); });
    io.list(r.fit, kPointBytes, [&io](position& p) { io.point(p); });
}

template <typename Io>
void layout(Io& io, InsertRecord& r)
{
    io.point(r.at);
    io.real(r.scaleX);
    io.real(r.scaleY);
    io.real(r.scaleZ);
    io.real(r.angleDeg);
    io.int32(r.columns);
    io.int32(r.rows);
    io.real(r.columnSpacing);
    io.real(r.rowSpacing);
    io.text(r.block);
}

// The shape's fields, whichever alternative it holds.
template <typename Io>
void layoutShape(Io& io, Shape& shape)
{
    std::visit(
        [&io](auto& s) {
            if constexpr (requires { *s; })
                layout(io, *s);
            else
                layout(io, s);
        },
        shape);
}

// An empty shape of the alternative that the tag stands for; false when the
// tag is no entity's.
bool ShapeOfTag(std::uint8_t tag, Shape& shape);

} // namespace record_layout
