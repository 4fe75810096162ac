#include <importer/DxfParse.h>

#include <importer/DrawingSink.h>
#include <importer/ImportLimits.h>

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <charconv>
#include <cmath>
#include <exception>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>

namespace {

constexpr int kPolylineClosedBit = 1;
constexpr int kPolyline3dBit = 8;
constexpr int kPolygonMeshBit = 16;
constexpr int kPolyfaceMeshBit = 64;
constexpr int kSplineClosedBit = 1;
constexpr unsigned kThicknessCode = 39;
constexpr double kUprightNormal = 1.0 - 1e-9;
constexpr const char* kPaperSpacePrefix = "*Paper_Space";

// A number as the C locale writes it, whatever the process locale; 0 when the
// text holds none (as atof would give).
double parseReal(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() ? value : 0.0;
}

// Entity names whose callbacks this reader handles itself, either by keeping
// the entity or by counting it as skipped; every other entity name met in the
// ENTITIES or BLOCKS section is counted as skipped under its own name.
const std::set<std::string, std::less<>>& handledEntityNames()
{
    static const std::set<std::string, std::less<>> names{
        "LINE",  "ARC",     "CIRCLE",   "LWPOLYLINE", "POLYLINE", "VERTEX", "SEQEND",    "ELLIPSE",
        "SPLINE", "INSERT", "BLOCK",    "ENDBLK",     "ENDSEC",   "TEXT",   "MTEXT",     "DIMENSION",
        "HATCH",  "POINT",  "SOLID",    "TRACE",      "3DFACE",   "LEADER", "IMAGE",     "XLINE",
        "RAY",    "ATTRIB", "ATTDEF",   "ARCALIGNEDTEXT", "SECTION", "EOF"};
    return names;
}

// Turns dxflib callbacks into entity records and hands them to a sink.
// Multi-callback entities (polylines, splines) are collected until they end.
class RecordCollector final : public DL_CreationAdapter {
public:
    RecordCollector(DrawingSink& sink, DxfEnd end) : m_sink(sink), m_end(end) {}

    // Thrown at the EOF group when the parse is to end there.
    struct EndOfDrawing {};

    // The first limit that was reached; Read while none was.
    DxfParseOutcome overflow = DxfParseOutcome::Read;

    // Stores the entity that is still being collected.
    void finish() { flushPending(); }

private:
    // --- header -------------------------------------------------------------
    void setVariableInt(const std::string& key, int value, int) override
    {
        if (key == "$INSUNITS")
            m_sink.insunits(value);
    }
    void setVariableString(const std::string& key, const std::string& value, int) override
    {
        if (key == "$DWGCODEPAGE")
            m_sink.codePage(value);
        else if (key == "$ACADVER")
            m_sink.version(value);
    }

    // --- every group, before dxflib acts on it ------------------------------
    void processCodeValuePair(unsigned int code, const std::string& value) override
    {
        // dxflib completes the last object at the EOF group itself, so the
        // parse ends at the group after it, before dxflib acts on that.
        if (m_afterEof) {
            flushPending();
            throw EndOfDrawing{};
        }
        if (code == 0) {
            m_afterEof = m_end == DxfEnd::EofGroup && value == "EOF";
            // The entity that this group ends is reported right after it:
            // hand it the thickness collected so far.
            m_entityThickness = m_pendingThickness;
            m_endingEntity = std::move(m_currentEntity);
            m_currentEntity = value;
            m_pendingThickness = 0.0;
            m_expectSectionName = value == "SECTION";
            if (m_inEntitySection && !handledEntityNames().contains(value))
                countUnsupported(value);
            return;
        }
        if (code == 2 && m_expectSectionName) {
            m_inEntitySection = value == "ENTITIES" || value == "BLOCKS";
            m_expectSectionName = false;
        } else if (code == kThicknessCode) {
            m_pendingThickness = parseReal(value);
        }
    }

    // --- blocks -------------------------------------------------------------
    void addBlock(const DL_BlockData& data) override
    {
        flushPending();
        if (data.name.starts_with(kPaperSpacePrefix)) {
            m_skipBlock = true;
            return;
        }
        if (m_blockCount >= import_limits::kMaxBlocks) {
            reachLimit(DxfParseOutcome::TooManyBlocks);
            m_skipBlock = true;
            return;
        }
        ++m_blockCount;
        m_sink.beginBlock(data.name, {data.bpx, data.bpy, data.bpz});
        m_inBlock = true;
    }
    void endBlock() override
    {
        flushPending();
        if (m_inBlock)
            m_sink.endBlock();
        m_inBlock = false;
        m_skipBlock = false;
    }

    // --- curves -------------------------------------------------------------
    void addLine(const DL_LineData& d) override
    {
        keep(LineRecord{{d.x1, d.y1, d.z1}, {d.x2, d.y2, d.z2}});
    }
    void addArc(const DL_ArcData& d) override
    {
        keep(ArcRecord{{d.cx, d.cy, d.cz}, d.radius, d.angle1, d.angle2});
    }
    void addCircle(const DL_CircleData& d) override
    {
        keep(CircleRecord{{d.cx, d.cy, d.cz}, d.radius});
    }
    void addEllipse(const DL_EllipseData& d) override
    {
        keep(EllipseRecord{{d.cx, d.cy, d.cz}, d.mx, d.my, d.ratio, d.angle1, d.angle2});
    }
    void addPolyline(const DL_PolylineData& d) override
    {
        flushPending();
        if (d.flags & (kPolygonMeshBit | kPolyfaceMeshBit)) {
            countSkipped({SkipReason::PolygonMesh, {}});
            m_pendingKind = Pending::Ignored;
            return;
        }
        if (!acceptEntity())
            return;
        PolylineRecord poly;
        poly.closed = (d.flags & kPolylineClosedBit) != 0;
        poly.elevation = d.elevation;
        m_pending = makeRecord(std::move(poly));
        if (m_endingEntity == "LWPOLYLINE")
            m_pendingKind = Pending::LwPolyline;
        else
            m_pendingKind = (d.flags & kPolyline3dBit) ? Pending::Polyline3d : Pending::Polyline;
    }
    void addVertex(const DL_VertexData& d) override
    {
        if (m_pendingKind != Pending::LwPolyline && m_pendingKind != Pending::Polyline
            && m_pendingKind != Pending::Polyline3d)
            return;
        auto& poly = std::get<PolylineRecord>(m_pending->shape);
        if (!acceptVertex(poly.vertices.size()))
            return;
        const double bulge = m_pendingKind == Pending::Polyline3d ? 0.0 : d.bulge;
        poly.vertices.push_back({d.x, d.y, bulge});
    }
    void endSequence() override
    {
        if (m_pendingKind == Pending::Polyline || m_pendingKind == Pending::Polyline3d
            || m_pendingKind == Pending::Ignored)
            flushPending();
    }
    void addSpline(const DL_SplineData& d) override
    {
        flushPending();
        if (!acceptEntity())
            return;
        auto spline = std::make_unique<SplineRecord>();
        spline->degree = static_cast<int>(d.degree);
        spline->closed = (d.flags & kSplineClosedBit) != 0;
        m_pending = makeRecord(std::move(spline));
        m_pendingKind = Pending::Spline;
    }
    void addControlPoint(const DL_ControlPointData& d) override
    {
        if (m_pendingKind != Pending::Spline)
            return;
        auto& spline = *std::get<std::unique_ptr<SplineRecord>>(m_pending->shape);
        if (!acceptVertex(spline.control.size()))
            return;
        spline.control.push_back({d.x, d.y, d.z});
        spline.weights.push_back(d.w);
    }
    void addFitPoint(const DL_FitPointData& d) override
    {
        if (m_pendingKind != Pending::Spline)
            return;
        auto& spline = *std::get<std::unique_ptr<SplineRecord>>(m_pending->shape);
        if (acceptVertex(spline.fit.size()))
            spline.fit.push_back({d.x, d.y, d.z});
    }
    void addKnot(const DL_KnotData& d) override
    {
        if (m_pendingKind != Pending::Spline)
            return;
        auto& spline = *std::get<std::unique_ptr<SplineRecord>>(m_pending->shape);
        if (acceptVertex(spline.knots.size()))
            spline.knots.push_back(d.k);
    }
    void addInsert(const DL_InsertData& d) override
    {
        keep(std::make_unique<InsertRecord>(InsertRecord{d.name, {d.ipx, d.ipy, d.ipz}, d.sx, d.sy, d.sz, d.angle,
                                                         d.cols, d.rows, d.colSp, d.rowSp}));
    }
    void endEntity() override
    {
        // LWPOLYLINE and SPLINE have no closing entity of their own; an R12
        // POLYLINE ends with its SEQEND.
        if (m_pendingKind == Pending::LwPolyline || m_pendingKind == Pending::Spline)
            flushPending();
    }

    // --- entities that are counted, not kept ---------------------------------
    // --- texts and dimensions: counted as left out, their places kept -------
    void addText(const DL_TextData& d) override { annotate("TEXT", {d.ipx, d.ipy, d.ipz}); }
    void addMText(const DL_MTextData& d) override { annotate("MTEXT", {d.ipx, d.ipy, d.ipz}); }
    void addArcAlignedText(const DL_ArcAlignedTextData& d) override
    {
        annotate("ARCALIGNEDTEXT", {d.cx, d.cy, d.cz});
    }
    void addAttribute(const DL_AttributeData& d) override { annotate("ATTRIB", {d.ipx, d.ipy, d.ipz}); }
    void addDimAlign(const DL_DimensionData& d, const DL_DimAlignedData&) override { annotateDimension(d); }
    void addDimLinear(const DL_DimensionData& d, const DL_DimLinearData&) override { annotateDimension(d); }
    void addDimRadial(const DL_DimensionData& d, const DL_DimRadialData&) override { annotateDimension(d); }
    void addDimDiametric(const DL_DimensionData& d, const DL_DimDiametricData&) override { annotateDimension(d); }
    void addDimAngular(const DL_DimensionData& d, const DL_DimAngular2LData&) override { annotateDimension(d); }
    void addDimAngular3P(const DL_DimensionData& d, const DL_DimAngular3PData&) override { annotateDimension(d); }
    void addDimOrdinate(const DL_DimensionData& d, const DL_DimOrdinateData&) override { annotateDimension(d); }

    void addHatch(const DL_HatchData&) override { countUnsupported("HATCH"); }
    void addPoint(const DL_PointData&) override { countUnsupported("POINT"); }
    void addSolid(const DL_SolidData&) override { countUnsupported("SOLID"); }
    void addTrace(const DL_TraceData&) override { countUnsupported("TRACE"); }
    void add3dFace(const DL_3dFaceData&) override { countUnsupported("3DFACE"); }
    void addLeader(const DL_LeaderData&) override { countUnsupported("LEADER"); }
    void addImage(const DL_ImageData&) override { countUnsupported("IMAGE"); }
    void addXLine(const DL_XLineData&) override { countUnsupported("XLINE"); }
    void addRay(const DL_RayData&) override { countUnsupported("RAY"); }

    // --- bookkeeping --------------------------------------------------------
    enum class Pending { None, LwPolyline, Polyline, Polyline3d, Spline, Ignored };

    // Kinds skipped inside a block count once for every placed copy of it.
    // Past a number of distinct kinds (a file can make up entity names
    // without end), further unsupported kinds are counted together.
    void countSkipped(const SkippedKind& kind)
    {
        if (m_skipBlock)
            return;
        if (kind.reason == SkipReason::Unsupported && !m_unsupportedNames.contains(kind.entity)) {
            if (m_unsupportedNames.size() >= import_limits::kMaxSkippedKinds) {
                m_sink.skipped(SkippedKind{SkipReason::Unsupported, {}});
                return;
            }
            m_unsupportedNames.insert(kind.entity);
        }
        m_sink.skipped(kind);
    }
    void countUnsupported(std::string_view entity) { countSkipped({SkipReason::Unsupported, std::string(entity)}); }

    // Whether the current entity lies in a plane parallel to the x/y plane;
    // tilted entities are counted and left out.
    bool upright()
    {
        const double* n = getExtrusion()->getDirection();
        return std::abs(n[2]) >= kUprightNormal * std::hypot(n[0], n[1], n[2]);
    }

    bool acceptEntity()
    {
        if (m_skipBlock)
            return false;
        if (attributes.isInPaperSpace() && !m_inBlock) {
            countSkipped({SkipReason::PaperSpace, {}});
            return false;
        }
        if (!upright()) {
            countSkipped({SkipReason::NotInPlane, {}});
            return false;
        }
        if (m_entityCount >= import_limits::kMaxEntities) {
            reachLimit(DxfParseOutcome::TooManyEntities);
            return false;
        }
        ++m_entityCount;
        return true;
    }

    void reachLimit(DxfParseOutcome limit)
    {
        if (overflow == DxfParseOutcome::Read)
            overflow = limit;
    }

    bool acceptVertex(std::size_t countInEntity)
    {
        if (countInEntity >= import_limits::kMaxEntityVertices) {
            reachLimit(DxfParseOutcome::TooManyEntityVertices);
            return false;
        }
        if (m_vertexCount >= import_limits::kMaxFileVertices) {
            reachLimit(DxfParseOutcome::TooManyVertices);
            return false;
        }
        ++m_vertexCount;
        return true;
    }

    EntityRecord makeRecord(Shape shape)
    {
        EntityRecord record;
        record.shape = std::move(shape);
        record.layer = layerId(attributes.getLayer());
        record.thickness = std::isfinite(m_entityThickness) ? m_entityThickness : 0.0;
        record.mirrored = getExtrusion()->getDirection()[2] < 0.0;
        return record;
    }

    LayerId layerId(const std::string& name)
    {
        const auto [it, added] = m_layerIds.try_emplace(name, static_cast<LayerId>(m_layerIds.size()));
        if (added)
            m_sink.layer(name);
        return it->second;
    }

    // The place of a text or dimension (at its text) is kept where an entity
    // of geometry would be; the entity still counts as left out.
    void annotate(std::string_view entity, const position& at)
    {
        flushPending();
        countUnsupported(entity);
        if (m_skipBlock || (attributes.isInPaperSpace() && !m_inBlock) || !upright())
            return;
        if (m_entityCount >= import_limits::kMaxEntities) {
            reachLimit(DxfParseOutcome::TooManyEntities);
            return;
        }
        ++m_entityCount;
        store(makeRecord(AnnotationRecord{at}));
    }
    void annotateDimension(const DL_DimensionData& d) { annotate("DIMENSION", {d.mpx, d.mpy, d.mpz}); }

    void keep(Shape shape)
    {
        flushPending();
        if (!acceptEntity())
            return;
        store(makeRecord(std::move(shape)));
    }

    void store(EntityRecord&& record) { m_sink.entity(std::move(record)); }

    void flushPending()
    {
        if (m_pending)
            store(std::move(*m_pending));
        m_pending.reset();
        m_pendingKind = Pending::None;
    }

    DrawingSink& m_sink;
    DxfEnd m_end;
    bool m_afterEof = false;
    bool m_inBlock = false;
    bool m_skipBlock = false;
    std::set<std::string, std::less<>> m_unsupportedNames; // told apart in the skipped counts
    std::optional<EntityRecord> m_pending;
    std::unordered_map<std::string, LayerId> m_layerIds;
    Pending m_pendingKind = Pending::None;
    double m_pendingThickness = 0.0;
    double m_entityThickness = 0.0;
    std::string m_currentEntity; // name of the entity whose groups are being read
    std::string m_endingEntity;  // name of the entity that dxflib reports next
    bool m_expectSectionName = false;
    bool m_inEntitySection = false;
    std::size_t m_entityCount = 0;
    std::size_t m_blockCount = 0;
    std::size_t m_vertexCount = 0;
};

} // namespace

DxfParseOutcome parseDxf(const std::string& path, DrawingSink& sink, DxfEnd end, DxfParseFailureHandler onFailure)
{
    RecordCollector collector(sink, end);
    DL_Dxf parser;
    DxfParseOutcome failure = DxfParseOutcome::Damaged;
    try {
        try {
            if (!parser.in(path, &collector))
                return DxfParseOutcome::CannotOpen;
            collector.finish();
        } catch (const RecordCollector::EndOfDrawing&) {
        }
        return collector.overflow;
    } catch (const std::bad_alloc&) {
        failure = DxfParseOutcome::OutOfMemory;
    } catch (const std::exception&) {
        failure = DxfParseOutcome::Damaged;
    }
    if (onFailure)
        onFailure(failure);
    return failure;
}
