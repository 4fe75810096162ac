#include <importer/RecordStream.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kMarkX = 12345.678; // a coordinate found again in the bytes
constexpr double kVertexX = 777.5;

EntityRecord record(Shape shape, LayerId layer = 0)
{
    EntityRecord r;
    r.shape = std::move(shape);
    r.layer = layer;
    return r;
}

// A stream with every kind of record, ended as read.
std::string sampleStream(const std::function<void(RecordStreamWriter&)>& extra = {})
{
    std::string bytes;
    RecordStreamWriter w([&bytes](std::string_view piece) { bytes.append(piece); });
    w.insunits(4);
    w.codePage("ANSI_936");
    w.version("AC1015");
    w.layer("0");
    w.layer("孔");
    w.beginBlock("B", {1, 2, 0});
    w.entity(record(CircleRecord{{5, 5, 0}, 2.5}, 1));
    w.skipped({SkipReason::Unsupported, "TEXT"});
    w.endBlock();
    w.entity(record(LineRecord{{kMarkX, 0, 0}, {10, 0, 0}}));
    w.entity(record(ArcRecord{{0, 0, 0}, 3, 0, 90}));
    PolylineRecord poly;
    poly.vertices = {{kVertexX, 0, 0.5}, {10, 0, 0}, {10, 10, 0}};
    poly.closed = true;
    w.entity(record(std::move(poly)));
    w.entity(record(EllipseRecord{{0, 0, 0}, 4, 0, 0.5, 0, 6.28}));
    auto spline = std::make_unique<SplineRecord>();
    spline->control = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}};
    spline->weights = {1, 1, 1, 1};
    spline->knots = {0, 0, 0, 0, 1, 1, 1, 1};
    w.entity(record(std::move(spline)));
    w.entity(record(std::make_unique<InsertRecord>(InsertRecord{"B", {3, 4, 0}, 2, 2, 1, 90, 2, 3, 10, 20})));
    if (extra)
        extra(w);
    w.finish(DxfParseOutcome::Read);
    return bytes;
}

// Feeds the stream in pieces of `piece` bytes; the reader's state after it.
StreamFault feedAll(const std::string& bytes, DrawingAssembler& out, std::size_t piece, bool* ended = nullptr)
{
    RecordStreamReader reader(out);
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        if (!reader.feed(std::string_view(bytes).substr(at, piece)))
            break;
    if (ended)
        *ended = reader.ended();
    return reader.fault();
}

void overwrite(std::string& bytes, double found, const void* with, std::size_t size, std::ptrdiff_t shift = 0)
{
    const std::string pattern(reinterpret_cast<const char*>(&found), sizeof found);
    const std::size_t at = bytes.find(pattern);
    ASSERT_NE(at, std::string::npos);
    std::memcpy(bytes.data() + at + shift, with, size);
}

TEST(RecordStream, EveryRecordArrivesWhateverThePieces)
{
    const std::string bytes = sampleStream();
    for (std::size_t piece : {std::size_t(1), std::size_t(7), bytes.size()}) {
        DrawingAssembler out;
        bool ended = false;
        EXPECT_EQ(feedAll(bytes, out, piece, &ended), StreamFault::None);
        EXPECT_TRUE(ended);
        const DxfDrawing& d = out.drawing;
        EXPECT_EQ(d.insunits, 4);
        EXPECT_EQ(d.codePage, "ANSI_936");
        EXPECT_EQ(d.layers, (std::vector<std::string>{"0", "孔"}));
        ASSERT_EQ(d.entities.size(), 6u);
        EXPECT_EQ(std::get<LineRecord>(d.entities[0].shape).a.x, kMarkX);
        EXPECT_EQ(std::get<PolylineRecord>(d.entities[2].shape).vertices[0].bulge, 0.5);
        EXPECT_EQ(std::get<std::unique_ptr<SplineRecord>>(d.entities[4].shape)->knots.size(), 8u);
        const InsertRecord& ins = *std::get<std::unique_ptr<InsertRecord>>(d.entities[5].shape);
        EXPECT_EQ(ins.block, "B");
        EXPECT_EQ(ins.rows, 3);
        const BlockDefinition& block = d.blocks.at("B");
        EXPECT_EQ(block.entities.size(), 1u);
        EXPECT_EQ(block.entities[0].layer, 1u);
        EXPECT_EQ(block.skipped.at({SkipReason::Unsupported, "TEXT"}), 1u);
    }
}

TEST(RecordStream, ACutStreamNeverEnds)
{
    const std::string bytes = sampleStream();
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        DrawingAssembler out;
        bool ended = true;
        EXPECT_EQ(feedAll(bytes.substr(0, cut), out, 3, &ended), StreamFault::None);
        EXPECT_FALSE(ended) << cut;
    }
}

TEST(RecordStream, NonFiniteEntitiesAreSentAsSkipped)
{
    const std::string bytes = sampleStream([](RecordStreamWriter& w) {
        w.entity(record(CircleRecord{{0, std::numeric_limits<double>::infinity(), 0}, 1}));
    });
    DrawingAssembler out;
    EXPECT_EQ(feedAll(bytes, out, bytes.size()), StreamFault::None);
    EXPECT_EQ(out.drawing.entities.size(), 6u);
    EXPECT_EQ(out.drawing.skipped.at({SkipReason::BadCoordinates, {}}), 1u);
}

struct Damage {
    const char* name;
    std::function<void(std::string&)> apply;
    StreamFault fault;
};

class DamagedStream : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedStream, IsRefusedWithItsFault)
{
    std::string bytes = sampleStream();
    GetParam().apply(bytes);
    DrawingAssembler out;
    EXPECT_EQ(feedAll(bytes, out, 5), GetParam().fault);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const std::uint32_t kHuge = 0xFFFFFFFFu;
const std::uint32_t kMoreVertices = 1000;
const std::uint8_t kNoTag = 0xEE;
const std::uint8_t kNoFlag = 7;

INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedStream,
    ::testing::Values(
        Damage{"Mark", [](std::string& b) { b[0] = 'X'; }, StreamFault::BadMark},
        Damage{"UnknownTag", [](std::string& b) { b[4] = static_cast<char>(kNoTag); }, StreamFault::BadFrame},
        Damage{"HugeLength", [](std::string& b) { std::memcpy(b.data() + 5, &kHuge, 4); }, StreamFault::BadFrame},
        Damage{"NotANumber", [](std::string& b) { overwrite(b, kMarkX, &kNaN, sizeof kNaN); }, StreamFault::BadNumber},
        Damage{"CountPastPayload",
               [](std::string& b) { overwrite(b, kVertexX, &kMoreVertices, 4, -4); }, StreamFault::BadFrame},
        Damage{"Flag", [](std::string& b) { overwrite(b, kMarkX, &kNoFlag, 1, -1); }, StreamFault::BadNumber},
        Damage{"AfterEnd", [](std::string& b) { b += "x"; }, StreamFault::AfterEnd}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadWriter {
    const char* name;
    std::function<void(RecordStreamWriter&)> write;
    StreamFault fault;
};

class BadRecords : public ::testing::TestWithParam<BadWriter> {};

TEST_P(BadRecords, AreRefused)
{
    const std::string bytes = sampleStream(GetParam().write);
    DrawingAssembler out;
    EXPECT_EQ(feedAll(bytes, out, bytes.size()), GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(
    Records, BadRecords,
    ::testing::Values(
        BadWriter{"UnknownLayer", [](RecordStreamWriter& w) { w.entity(record(LineRecord{}, 9)); },
                  StreamFault::BadLayer},
        BadWriter{"WeightsWithoutPoints",
                  [](RecordStreamWriter& w) {
                      auto s = std::make_unique<SplineRecord>();
                      s->weights = {1.0};
                      w.entity(record(std::move(s)));
                  },
                  StreamFault::BadFrame},
        BadWriter{"EndlessKinds",
                  [](RecordStreamWriter& w) {
                      for (int i = 0; i < 100; ++i)
                          w.skipped({SkipReason::Unsupported, "KIND" + std::to_string(i)});
                  },
                  StreamFault::TooLarge}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
