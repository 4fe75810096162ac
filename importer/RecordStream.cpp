#include <importer/RecordStream.h>

#include <importer/ImportLimits.h>
#include <importer/RecordLayout.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

using namespace record_layout;

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

// The largest frame: a spline with every list at the per-entity limit.
constexpr std::size_t kMaxFrameBytes =
    kEntityHeadBytes + 64 + import_limits::kMaxEntityVertices * (8 + 8 + 2 * kPointBytes);

// Gets a frame's payload field by field for the layout; any short read or
// leftover byte makes the frame invalid, any non-finite number or bad flag
// its numbers.
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
    void real(double& v)
    {
        v = get<double>();
        if (!std::isfinite(v))
            m_badNumber = true;
    }
    void point(position& p)
    {
        real(p.x);
        real(p.y);
        real(p.z);
    }
    void flag(bool& f)
    {
        const auto v = get<std::uint8_t>();
        if (v > 1)
            m_badNumber = true;
        f = v == 1;
    }
    // The enum's range is checked by whoever takes it.
    template <typename Enum>
    void byte(Enum& e)
    {
        e = static_cast<Enum>(get<std::uint8_t>());
    }
    void int32(int& v) { v = get<std::int32_t>(); }
    void uint32(std::uint32_t& v) { v = get<std::uint32_t>(); }
    void text(std::string& s)
    {
        const auto n = get<std::uint32_t>();
        if (n > import_limits::kMaxTextBytes || n > m_rest.size()) {
            m_short = true;
            return;
        }
        s.assign(m_rest.substr(0, n));
        m_rest.remove_prefix(n);
    }
    // A count of items of itemBytes each that the rest of the payload must be
    // able to hold, so no count makes anything allocate beyond the frame.
    template <typename Item, typename Fields>
    void list(std::vector<Item>& items, std::size_t itemBytes, Fields fields)
    {
        const auto n = get<std::uint32_t>();
        if (n > import_limits::kMaxEntityVertices || n * itemBytes > m_rest.size()) {
            m_short = true;
            return;
        }
        items.resize(n);
        for (Item& item : items)
            fields(item);
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

template <std::size_t I = 0>
bool emplaceShape(std::size_t index, Shape& shape)
{
    if constexpr (I == std::variant_size_v<Shape>) {
        return false;
    } else {
        using Alternative = std::variant_alternative_t<I, Shape>;
        if (index != I)
            return emplaceShape<I + 1>(index, shape);
        if constexpr (requires { typename Alternative::element_type; })
            shape.emplace<I>(std::make_unique<typename Alternative::element_type>());
        else
            shape.emplace<I>();
        return true;
    }
}

// The vertices an entity counts against the file's limit.
std::size_t vertexCount(const Shape& shape)
{
    if (const auto* poly = std::get_if<PolylineRecord>(&shape))
        return poly->vertices.size();
    if (const auto* spline = std::get_if<std::unique_ptr<SplineRecord>>(&shape))
        return (*spline)->knots.size() + (*spline)->control.size() + (*spline)->fit.size();
    return 0;
}

} // namespace

bool record_layout::ShapeOfTag(std::uint8_t tag, Shape& shape)
{
    const Tag* at = std::find(std::begin(kShapeTags), std::end(kShapeTags), tag);
    return at != std::end(kShapeTags) && emplaceShape(static_cast<std::size_t>(at - std::begin(kShapeTags)), shape);
}

// --- writer -----------------------------------------------------------------

namespace {
// Puts each field the layout names at the end of the buffer, noting whether
// every number was finite.
class Encoder {
public:
    Encoder(std::string& buffer, bool& finite) : m_buffer(buffer), m_finite(finite) {}

    void bytes(const void* data, std::size_t size) { m_buffer.append(static_cast<const char*>(data), size); }
    void real(double v)
    {
        m_finite = m_finite && std::isfinite(v);
        bytes(&v, sizeof v);
    }
    void point(const position& p)
    {
        real(p.x);
        real(p.y);
        real(p.z);
    }
    void flag(bool f) { byte(static_cast<std::uint8_t>(f ? 1 : 0)); }
    template <typename Enum>
    void byte(Enum e)
    {
        const auto v = static_cast<std::uint8_t>(e);
        bytes(&v, 1);
    }
    void int32(int v)
    {
        const auto n = static_cast<std::int32_t>(v);
        bytes(&n, sizeof n);
    }
    void uint32(std::size_t v)
    {
        const auto n = static_cast<std::uint32_t>(v);
        bytes(&n, sizeof n);
    }
    void text(std::string_view s)
    {
        s = s.substr(0, import_limits::kMaxTextBytes);
        uint32(s.size());
        bytes(s.data(), s.size());
    }
    template <typename Item, typename Fields>
    void list(std::vector<Item>& items, std::size_t, Fields fields)
    {
        uint32(items.size());
        for (Item& item : items)
            fields(item);
    }

private:
    std::string& m_buffer;
    bool& m_finite;
};
} // namespace

RecordStreamWriter::RecordStreamWriter(Output out) : m_out(std::move(out))
{
    m_buffer.reserve(2 * kChunkBytes);
    m_buffer.append(kMark, sizeof kMark);
}

template <typename Fields>
bool RecordStreamWriter::frame(std::uint8_t tag, Fields fields)
{
    m_frameStart = m_buffer.size();
    bool finite = true;
    Encoder out(m_buffer, finite);
    out.byte(tag);
    out.uint32(0); // the length, once known
    fields(out);
    if (!finite) {
        m_buffer.resize(m_frameStart);
        return false;
    }
    const auto length = static_cast<std::uint32_t>(m_buffer.size() - m_frameStart - kHeaderBytes);
    std::memcpy(m_buffer.data() + m_frameStart + 1, &length, sizeof length);
    if (m_buffer.size() >= kChunkBytes) {
        m_out(m_buffer);
        m_buffer.clear();
    }
    return true;
}

void RecordStreamWriter::insunits(int code)
{
    frame(kInsUnits, [code](Encoder& out) { out.int32(code); });
}

void RecordStreamWriter::codePage(std::string value)
{
    frame(kCodePage, [&value](Encoder& out) { out.text(value); });
}

void RecordStreamWriter::version(std::string value)
{
    frame(kVersion, [&value](Encoder& out) { out.text(value); });
}

void RecordStreamWriter::layer(std::string name)
{
    frame(kLayer, [&name](Encoder& out) { out.text(name); });
}

void RecordStreamWriter::beginBlock(std::string name, const position& base)
{
    BlockStart block{base, std::move(name)};
    if (!frame(kBeginBlock, [&block](Encoder& out) { layout(out, block); })) {
        // A block placed at no number is still a block: it keeps its name.
        block.base = position{};
        frame(kBeginBlock, [&block](Encoder& out) { layout(out, block); });
    }
}

void RecordStreamWriter::endBlock()
{
    frame(kEndBlock, [](Encoder&) {});
}

void RecordStreamWriter::skipped(const SkippedKind& kind)
{
    SkippedKind copy = kind;
    frame(kSkipped, [&copy](Encoder& out) { layout(out, copy); });
}

void RecordStreamWriter::entity(EntityRecord&& record)
{
    const bool written = frame(kShapeTags[record.shape.index()], [&record](Encoder& out) {
        head(out, record);
        layoutShape(out, record.shape);
    });
    if (!written)
        skipped(SkippedKind{SkipReason::BadCoordinates, {}});
}

void RecordStreamWriter::finish(DxfParseOutcome outcome)
{
    frame(kEnd, [outcome](Encoder& out) { out.byte(outcome); });
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
    if (EntityRecord record; ShapeOfTag(tag, record.shape))
        return decodeEntity(record, payload);
    Cursor in(payload);
    switch (tag) {
    case kLayer: {
        std::string name;
        in.text(name);
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        if (m_layers > import_limits::kMaxEntities)
            return fail(StreamFault::TooLarge);
        ++m_layers;
        m_sink.layer(std::move(name));
        return true;
    }
    case kInsUnits: {
        int code = 0;
        in.int32(code);
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        m_sink.insunits(code);
        return true;
    }
    case kCodePage:
    case kVersion: {
        std::string value;
        in.text(value);
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        if (tag == kCodePage)
            m_sink.codePage(std::move(value));
        else
            m_sink.version(std::move(value));
        return true;
    }
    default:
        return decodeBlockOrEnd(tag, payload);
    }
}

bool RecordStreamReader::decodeBlockOrEnd(std::uint8_t tag, std::string_view payload)
{
    Cursor in(payload);
    switch (tag) {
    case kBeginBlock: {
        BlockStart block;
        layout(in, block);
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        if (++m_blocks > import_limits::kMaxBlocks)
            return fail(StreamFault::TooLarge);
        m_sink.beginBlock(std::move(block.name), block.base);
        return true;
    }
    case kEndBlock:
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        m_sink.endBlock();
        return true;
    case kSkipped: {
        SkippedKind kind;
        layout(in, kind);
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        return takeSkipped(kind);
    }
    case kEnd: {
        DxfParseOutcome outcome{};
        in.byte(outcome);
        if (in.fault() != StreamFault::None)
            return fail(in.fault());
        if (static_cast<std::uint8_t>(outcome) > static_cast<std::uint8_t>(kLastOutcome))
            return fail(StreamFault::BadNumber);
        m_outcome = outcome;
        m_ended = true;
        return true;
    }
    default:
        return fail(StreamFault::BadFrame);
    }
}

bool RecordStreamReader::takeSkipped(const SkippedKind& kind)
{
    if (static_cast<std::uint8_t>(kind.reason) > static_cast<std::uint8_t>(kLastSkipReason))
        return fail(StreamFault::BadNumber);
    if (std::find(m_kinds.begin(), m_kinds.end(), kind) == m_kinds.end()) {
        if (m_kinds.size() >= kMaxKinds)
            return fail(StreamFault::TooLarge);
        m_kinds.push_back(kind);
    }
    m_sink.skipped(kind);
    return true;
}

bool RecordStreamReader::decodeEntity(EntityRecord& record, std::string_view payload)
{
    if (m_entities >= import_limits::kMaxEntities)
        return fail(StreamFault::TooLarge);
    Cursor in(payload);
    head(in, record);
    layoutShape(in, record.shape);
    // Every control point carries its weight.
    if (const auto* spline = std::get_if<std::unique_ptr<SplineRecord>>(&record.shape);
        spline && (*spline)->weights.size() != (*spline)->control.size())
        return fail(StreamFault::BadFrame);
    if (in.fault() != StreamFault::None)
        return fail(in.fault());
    if (record.layer >= m_layers)
        return fail(StreamFault::BadLayer);
    m_vertices += vertexCount(record.shape);
    if (m_vertices > import_limits::kMaxFileVertices)
        return fail(StreamFault::TooLarge);
    ++m_entities;
    m_sink.entity(std::move(record));
    return true;
}
