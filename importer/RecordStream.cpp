#include <importer/RecordStream.h>

#include <importer/ImportLimits.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace {

constexpr char kMark[4] = {'V', 'H', 'R', '1'};
constexpr std::size_t kHeaderBytes = 5; // tag and payload length
// Bytes gathered before they are handed on.
constexpr std::size_t kChunkBytes = 256 * 1024;
// Kinds of skipped entity: the unsupported names the collector tells apart,
// the one for the rest of them, and one for every other reason.
constexpr std::size_t kMaxKinds = import_limits::kMaxSkippedKinds + 1 + 16;
constexpr auto kLastSkipReason = SkipReason::BadSpline;
constexpr auto kLastOutcome = DxfParseOutcome::Damaged;

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

// Layer, thickness and the mirrored flag, in front of every entity.
constexpr std::size_t kEntityHeadBytes = 4 + 8 + 1;
constexpr std::size_t kPointBytes = 3 * 8;
// The largest frame: a spline with every list at the per-entity limit.
constexpr std::size_t kMaxFrameBytes =
    kEntityHeadBytes + 64 + import_limits::kMaxEntityVertices * (8 + 8 + 2 * kPointBytes);

Tag tagOf(const Shape& shape)
{
    static constexpr Tag tags[] = {kLine, kArc, kCircle, kPolyline, kEllipse, kAnnotation, kSpline, kInsert};
    static_assert(std::size(tags) == std::variant_size_v<Shape>);
    return tags[shape.index()];
}

// Reads a frame's payload field by field; any short read or leftover byte
// makes the frame invalid, any non-finite number or bad flag its numbers.
class Cursor {
public:
    explicit Cursor(std::string_view payload) : m_rest(payload) {}

    template <typename T>
    T get()
    {
        static_assert(std::is_trivially_copyable_v<T>);
        T value{};
        if (m_rest.size() < sizeof(T)) {
            m_short = true;
            return value;
        }
        std::memcpy(&value, m_rest.data(), sizeof(T));
        m_rest.remove_prefix(sizeof(T));
        return value;
    }
    double real()
    {
        const double v = get<double>();
        if (!std::isfinite(v))
            m_badNumber = true;
        return v;
    }
    position point()
    {
        const double x = real(), y = real(), z = real();
        return {x, y, z};
    }
    bool flag()
    {
        const auto v = get<std::uint8_t>();
        if (v > 1)
            m_badNumber = true;
        return v == 1;
    }
    std::string text()
    {
        const auto n = get<std::uint32_t>();
        if (n > import_limits::kMaxTextBytes || n > m_rest.size()) {
            m_short = true;
            return {};
        }
        std::string s(m_rest.substr(0, n));
        m_rest.remove_prefix(n);
        return s;
    }
    // A count of items of `itemBytes` each that the rest of the payload must
    // be able to hold, so no count makes anything allocate beyond the frame.
    std::uint32_t count(std::size_t itemBytes)
    {
        const auto n = get<std::uint32_t>();
        if (n > import_limits::kMaxEntityVertices || n * itemBytes > m_rest.size()) {
            m_short = true;
            return 0;
        }
        return n;
    }
    StreamFault fault() const
    {
        if (m_short || !m_rest.empty())
            return StreamFault::BadFrame;
        return m_badNumber ? StreamFault::BadNumber : StreamFault::None;
    }

private:
    std::string_view m_rest;
    bool m_short = false;
    bool m_badNumber = false;
};

} // namespace

// --- writer -----------------------------------------------------------------

RecordStreamWriter::RecordStreamWriter(Output out) : m_out(std::move(out))
{
    m_buffer.reserve(2 * kChunkBytes);
    m_buffer.append(kMark, sizeof kMark);
}

void RecordStreamWriter::put(const void* data, std::size_t size)
{
    m_buffer.append(static_cast<const char*>(data), size);
}

void RecordStreamWriter::put(double value)
{
    m_finite = m_finite && std::isfinite(value);
    put(&value, sizeof value);
}

void RecordStreamWriter::put(const position& p)
{
    put(p.x);
    put(p.y);
    put(p.z);
}

void RecordStreamWriter::putText(std::string_view text)
{
    text = text.substr(0, import_limits::kMaxTextBytes);
    put(static_cast<std::uint32_t>(text.size()));
    put(text.data(), text.size());
}

void RecordStreamWriter::beginFrame(std::uint8_t tag)
{
    m_frameStart = m_buffer.size();
    put(tag);
    put(std::uint32_t{0});
    m_finite = true;
}

void RecordStreamWriter::endFrame()
{
    const auto length = static_cast<std::uint32_t>(m_buffer.size() - m_frameStart - kHeaderBytes);
    std::memcpy(m_buffer.data() + m_frameStart + 1, &length, sizeof length);
    flushIfFull();
}

void RecordStreamWriter::flushIfFull()
{
    if (m_buffer.size() < kChunkBytes)
        return;
    m_out(m_buffer);
    m_buffer.clear();
}

void RecordStreamWriter::insunits(int code)
{
    beginFrame(kInsUnits);
    put(static_cast<std::int32_t>(code));
    endFrame();
}

void RecordStreamWriter::codePage(std::string value)
{
    beginFrame(kCodePage);
    putText(value);
    endFrame();
}

void RecordStreamWriter::version(std::string value)
{
    beginFrame(kVersion);
    putText(value);
    endFrame();
}

void RecordStreamWriter::layer(std::string name)
{
    beginFrame(kLayer);
    putText(name);
    endFrame();
}

void RecordStreamWriter::beginBlock(std::string name, const position& base)
{
    beginFrame(kBeginBlock);
    put(base);
    putText(name);
    if (!m_finite) {
        // A block placed at no number is still a block: it keeps its name.
        m_buffer.resize(m_frameStart);
        beginBlock(std::move(name), position{});
        return;
    }
    endFrame();
}

void RecordStreamWriter::endBlock()
{
    beginFrame(kEndBlock);
    endFrame();
}

void RecordStreamWriter::skipped(const SkippedKind& kind)
{
    beginFrame(kSkipped);
    put(static_cast<std::uint8_t>(kind.reason));
    putText(kind.entity);
    endFrame();
}

void RecordStreamWriter::entity(EntityRecord&& record)
{
    beginFrame(tagOf(record.shape));
    put(static_cast<std::uint32_t>(record.layer));
    put(record.thickness);
    put(static_cast<std::uint8_t>(record.mirrored ? 1 : 0));
    auto points = [this](const std::vector<position>& list) {
        put(static_cast<std::uint32_t>(list.size()));
        for (const position& p : list)
            put(p);
    };
    auto reals = [this](const std::vector<double>& list) {
        put(static_cast<std::uint32_t>(list.size()));
        for (double v : list)
            put(v);
    };
    std::visit(
        [&](const auto& shape) {
            using T = std::decay_t<decltype(shape)>;
            if constexpr (std::is_same_v<T, LineRecord>) {
                put(shape.a);
                put(shape.b);
            } else if constexpr (std::is_same_v<T, ArcRecord>) {
                put(shape.centre);
                put(shape.radius);
                put(shape.startDeg);
                put(shape.endDeg);
            } else if constexpr (std::is_same_v<T, CircleRecord>) {
                put(shape.centre);
                put(shape.radius);
            } else if constexpr (std::is_same_v<T, PolylineRecord>) {
                put(static_cast<std::uint8_t>(shape.closed ? 1 : 0));
                put(shape.elevation);
                put(static_cast<std::uint32_t>(shape.vertices.size()));
                for (const PolyVertex& v : shape.vertices) {
                    put(v.x);
                    put(v.y);
                    put(v.bulge);
                }
            } else if constexpr (std::is_same_v<T, AnnotationRecord>) {
                put(shape.at);
            } else if constexpr (std::is_same_v<T, EllipseRecord>) {
                put(shape.centre);
                put(shape.majorX);
                put(shape.majorY);
                put(shape.ratio);
                put(shape.startParam);
                put(shape.endParam);
            } else if constexpr (std::is_same_v<T, std::unique_ptr<SplineRecord>>) {
                put(static_cast<std::int32_t>(shape->degree));
                put(static_cast<std::uint8_t>(shape->closed ? 1 : 0));
                reals(shape->knots);
                reals(shape->weights);
                points(shape->control);
                points(shape->fit);
            } else {
                const InsertRecord& ins = *shape;
                put(ins.at);
                put(ins.scaleX);
                put(ins.scaleY);
                put(ins.scaleZ);
                put(ins.angleDeg);
                put(static_cast<std::int32_t>(ins.columns));
                put(static_cast<std::int32_t>(ins.rows));
                put(ins.columnSpacing);
                put(ins.rowSpacing);
                putText(ins.block);
            }
        },
        record.shape);
    if (!m_finite) {
        m_buffer.resize(m_frameStart);
        skipped(SkippedKind{SkipReason::BadCoordinates, {}});
        return;
    }
    endFrame();
}

void RecordStreamWriter::finish(DxfParseOutcome outcome)
{
    beginFrame(kEnd);
    put(static_cast<std::uint8_t>(outcome));
    endFrame();
    m_out(m_buffer);
    m_buffer.clear();
}

// --- reader -----------------------------------------------------------------

RecordStreamReader::RecordStreamReader(DrawingSink& sink) : m_sink(sink) {}

bool RecordStreamReader::fail(StreamFault fault)
{
    m_fault = fault;
    m_pending.clear();
    return false;
}

bool RecordStreamReader::feed(std::string_view bytes)
{
    if (m_fault != StreamFault::None)
        return false;
    if (bytes.empty())
        return true;
    if (m_ended)
        return fail(StreamFault::AfterEnd);
    // Frames are decoded straight from the new bytes unless a piece of one
    // is waiting from before.
    std::string_view data = bytes;
    if (!m_pending.empty()) {
        m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
        data = std::string_view(m_pending.data(), m_pending.size());
    }
    std::size_t pos = 0;
    if (!m_sawMark) {
        const std::size_t n = std::min(data.size(), sizeof kMark);
        if (std::memcmp(data.data(), kMark, n) != 0)
            return fail(StreamFault::BadMark);
        if (n == sizeof kMark) {
            m_sawMark = true;
            pos = n;
        }
    }
    while (m_sawMark && data.size() - pos >= kHeaderBytes) {
        if (m_ended)
            return fail(StreamFault::AfterEnd);
        const auto tag = static_cast<std::uint8_t>(data[pos]);
        std::uint32_t length = 0;
        std::memcpy(&length, data.data() + pos + 1, sizeof length);
        if (length > kMaxFrameBytes)
            return fail(StreamFault::BadFrame);
        if (data.size() - pos - kHeaderBytes < length)
            break;
        if (!decodeFrame(tag, data.substr(pos + kHeaderBytes, length)))
            return false;
        pos += kHeaderBytes + length;
    }
    if (pos == data.size()) {
        m_pending.clear();
    } else if (data.data() == m_pending.data()) {
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(pos));
    } else {
        m_pending.assign(data.begin() + static_cast<std::ptrdiff_t>(pos), data.end());
    }
    if (m_ended && !m_pending.empty())
        return fail(StreamFault::AfterEnd);
    return true;
}

bool RecordStreamReader::decodeFrame(std::uint8_t tag, std::string_view payload)
{
    if ((tag >= kLine && tag <= kInsert) || tag == kAnnotation)
        return decodeEntity(tag, payload);
    Cursor in(payload);
    switch (tag) {
    case kLayer: {
        std::string name = in.text();
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        if (m_layers > import_limits::kMaxEntities)
            return fail(StreamFault::TooLarge);
        ++m_layers;
        m_sink.layer(std::move(name));
        return true;
    }
    case kInsUnits: {
        const auto code = in.get<std::int32_t>();
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        m_sink.insunits(code);
        return true;
    }
    case kCodePage:
    case kVersion: {
        std::string value = in.text();
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        if (tag == kCodePage)
            m_sink.codePage(std::move(value));
        else
            m_sink.version(std::move(value));
        return true;
    }
    case kBeginBlock: {
        const position base = in.point();
        std::string name = in.text();
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        if (++m_blocks > import_limits::kMaxBlocks)
            return fail(StreamFault::TooLarge);
        m_sink.beginBlock(std::move(name), base);
        return true;
    }
    case kEndBlock:
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        m_sink.endBlock();
        return true;
    case kSkipped: {
        const auto reason = in.get<std::uint8_t>();
        SkippedKind kind{static_cast<SkipReason>(reason), in.text()};
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        if (reason > static_cast<std::uint8_t>(kLastSkipReason))
            return fail(StreamFault::BadNumber);
        if (std::find(m_kinds.begin(), m_kinds.end(), kind) == m_kinds.end()) {
            if (m_kinds.size() >= kMaxKinds)
                return fail(StreamFault::TooLarge);
            m_kinds.push_back(kind);
        }
        m_sink.skipped(kind);
        return true;
    }
    case kEnd: {
        const auto outcome = in.get<std::uint8_t>();
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        if (outcome > static_cast<std::uint8_t>(kLastOutcome))
            return fail(StreamFault::BadNumber);
        m_outcome = static_cast<DxfParseOutcome>(outcome);
        m_ended = true;
        return true;
    }
    default:
        return fail(StreamFault::BadFrame);
    }
}

bool RecordStreamReader::decodeEntity(std::uint8_t tag, std::string_view payload)
{
    if (m_entities >= import_limits::kMaxEntities)
        return fail(StreamFault::TooLarge);
    Cursor in(payload);
    EntityRecord record;
    const auto layer = in.get<std::uint32_t>();
    record.layer = layer;
    record.thickness = in.real();
    record.mirrored = in.flag();
    std::size_t vertices = 0;
    switch (tag) {
    case kLine: {
        const position a = in.point(), b = in.point();
        record.shape = LineRecord{a, b};
        break;
    }
    case kArc: {
        ArcRecord arc;
        arc.centre = in.point();
        arc.radius = in.real();
        arc.startDeg = in.real();
        arc.endDeg = in.real();
        record.shape = arc;
        break;
    }
    case kCircle: {
        CircleRecord circle;
        circle.centre = in.point();
        circle.radius = in.real();
        record.shape = circle;
        break;
    }
    case kPolyline: {
        PolylineRecord poly;
        poly.closed = in.flag();
        poly.elevation = in.real();
        const std::uint32_t n = in.count(kPointBytes);
        poly.vertices.resize(n);
        for (PolyVertex& v : poly.vertices) {
            v.x = in.real();
            v.y = in.real();
            v.bulge = in.real();
        }
        vertices = n;
        record.shape = std::move(poly);
        break;
    }
    case kEllipse: {
        EllipseRecord e;
        e.centre = in.point();
        e.majorX = in.real();
        e.majorY = in.real();
        e.ratio = in.real();
        e.startParam = in.real();
        e.endParam = in.real();
        record.shape = e;
        break;
    }
    case kAnnotation:
        record.shape = AnnotationRecord{in.point()};
        break;
    case kSpline: {
        auto spline = std::make_unique<SplineRecord>();
        spline->degree = in.get<std::int32_t>();
        spline->closed = in.flag();
        auto reals = [&in](std::vector<double>& list) {
            list.resize(in.count(sizeof(double)));
            for (double& v : list)
                v = in.real();
        };
        auto points = [&in](std::vector<position>& list) {
            list.resize(in.count(kPointBytes));
            for (position& p : list)
                p = in.point();
        };
        reals(spline->knots);
        reals(spline->weights);
        points(spline->control);
        points(spline->fit);
        // Every control point carries its weight.
        if (spline->weights.size() != spline->control.size())
            return fail(StreamFault::BadFrame);
        vertices = spline->knots.size() + spline->control.size() + spline->fit.size();
        record.shape = std::move(spline);
        break;
    }
    default: {
        auto ins = std::make_unique<InsertRecord>();
        ins->at = in.point();
        ins->scaleX = in.real();
        ins->scaleY = in.real();
        ins->scaleZ = in.real();
        ins->angleDeg = in.real();
        ins->columns = in.get<std::int32_t>();
        ins->rows = in.get<std::int32_t>();
        ins->columnSpacing = in.real();
        ins->rowSpacing = in.real();
        ins->block = in.text();
        record.shape = std::move(ins);
        break;
    }
    }
    if (in.fault() != StreamFault::None)
        return fail(in.fault());
    if (layer >= m_layers)
        return fail(StreamFault::BadLayer);
    m_vertices += vertices;
    if (m_vertices > import_limits::kMaxFileVertices)
        return fail(StreamFault::TooLarge);
    ++m_entities;
    m_sink.entity(std::move(record));
    return true;
}
