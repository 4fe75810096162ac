#include <importer/Placement.h>

#include <kernel/GK_Geometry.h>
#include <importer/ImportLimits.h>
#include <importer/ImportProgress.h>
#include <importer/Tessellation.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <numbers>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kFullTurnDeg = 360.0;
constexpr double kFullTurnSlackDeg = 1e-9;
constexpr double kFullTurnRad = 2.0 * std::numbers::pi;
constexpr double kFullTurnSlackRad = 1e-12;
constexpr std::string_view kDefaultLayer = "0";
constexpr std::size_t kNoneOpen = std::numeric_limits<std::size_t>::max();
// Entities met between two looks at the cancel request.
constexpr std::size_t kVisitsPerCancelCheck = 4096;

bool usable(const position& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::abs(p.x) <= import_limits::kMaxCoordinate
           && std::abs(p.y) <= import_limits::kMaxCoordinate;
}

} // namespace

class DrawingPlacer::Placer {
public:
    Placer(const DxfDrawing& drawing, double unitFactor, double tolerance, const ImportProgress& progress)
        : m_drawing(drawing),
          m_tolerance(tolerance),
          m_root(GK_Affine::scaling(unitFactor, unitFactor, unitFactor)),
          m_progress(progress)
    {
    }

    void placeModelEntity(const EntityRecord& e)
    {
        // A small file that expands to an enormous drawing is refused before
        // its expansion is placed.
        m_expected += expandedCount(e);
        if (m_expected > static_cast<double>(import_limits::kMaxPlacedItems))
            reachLimit(ImportProblem::TooManyPlaced, import_limits::kMaxPlacedItems);
        if (!m_out.overflow)
            placeEntity(e, m_root, e.layer, 0);
    }

    const PlacedDrawing& placed() const { return m_out; }
    PlacedDrawing finish() { return std::move(m_out); }

private:
    // How many items and block copies placing the entity would make, at
    // most: every entity counts, kept or skipped, and so does a reference
    // that placing refuses (to a block that contains itself).
    double expandedCount(const EntityRecord& e)
    {
        const auto* boxed = std::get_if<std::unique_ptr<InsertRecord>>(&e.shape);
        if (!boxed)
            return 1.0;
        const InsertRecord& ins = **boxed;
        const double copies = static_cast<double>(std::max(1, ins.columns)) * std::max(1, ins.rows);
        std::size_t lowestOpen = kNoneOpen;
        return copies * (1.0 + blockCount(ins.block, lowestOpen));
    }

    // The count of one copy of a block. A count taken while an enclosing
    // block was itself being counted depends on that block and is not kept:
    // the same block met elsewhere expands differently. `lowestOpen` learns
    // the outermost such block that took part.
    double blockCount(const std::string& name, std::size_t& lowestOpen)
    {
        if (const auto known = m_blockCounts.find(name); known != m_blockCounts.end())
            return known->second;
        for (std::size_t level = 0; level < m_counting.size(); ++level) {
            if (*m_counting[level] == name) {
                lowestOpen = std::min(lowestOpen, level);
                return 0.0;
            }
        }
        const auto block = m_drawing.blocks.find(name);
        if (block == m_drawing.blocks.end())
            return 0.0;
        const std::size_t level = m_counting.size();
        m_counting.push_back(&block->first);
        std::size_t lowest = kNoneOpen;
        double count = 0.0;
        for (const EntityRecord& e : block->second.entities) {
            // Counting itself is bounded: blocks that refer to each other in
            // circles are counted again under every enclosing block.
            if (++m_countSteps > import_limits::kMaxPlacedVisits) {
                count = std::numeric_limits<double>::infinity();
                break;
            }
            const auto* boxed = std::get_if<std::unique_ptr<InsertRecord>>(&e.shape);
            if (!boxed) {
                count += 1.0;
                continue;
            }
            const InsertRecord& ins = **boxed;
            const double copies = static_cast<double>(std::max(1, ins.columns)) * std::max(1, ins.rows);
            count += copies * (1.0 + blockCount(ins.block, lowest));
        }
        m_counting.pop_back();
        if (lowest >= level)
            m_blockCounts[name] = count;
        lowestOpen = std::min(lowestOpen, lowest);
        return count;
    }

    // Every entity met, placed or not, and every copy of a block counts
    // against the budget, so that a small file that expands to an enormous
    // drawing ends soon, whatever it expands to.
    bool visit()
    {
        if (++m_visits > import_limits::kMaxPlacedVisits)
            reachLimit(ImportProblem::TooManyPlaced, import_limits::kMaxPlacedVisits);
        else if (m_visits % kVisitsPerCancelCheck == 0 && m_progress.cancelled())
            reachLimit(ImportProblem::Cancelled, 0);
        return !m_out.overflow;
    }

    // The id of layer "0", once the drawing names it.
    std::optional<LayerId> defaultLayer()
    {
        const auto& layers = m_drawing.layers;
        for (; !m_defaultLayer && m_layersSearched < layers.size(); ++m_layersSearched)
            if (layers[m_layersSearched] == kDefaultLayer)
                m_defaultLayer = static_cast<LayerId>(m_layersSearched);
        return m_defaultLayer;
    }

    void placeEntity(const EntityRecord& e, const GK_Affine& t, LayerId layer, int depth)
    {
        if (visit())
            std::visit([&](const auto& shape) { place(shape, e, t, layer, depth); }, e.shape);
    }

    void placeAll(const EntityList& entities, const GK_Affine& t, LayerId insertLayer, int depth)
    {
        for (const EntityRecord& e : entities) {
            if (m_out.overflow)
                return;
            // Entities on layer 0 inside a block take the layer of the reference.
            placeEntity(e, t, e.layer == defaultLayer() ? insertLayer : e.layer, depth);
        }
    }

    // The map from an entity's own coordinates to the world: object
    // coordinates seen from below are mirrored in x.
    static GK_Affine objectMap(const EntityRecord& e, const GK_Affine& t)
    {
        return e.mirrored ? t * GK_Affine::mirrorX() : t;
    }

    double depthOf(const EntityRecord& e, double elevation, const GK_Affine& t) const
    {
        if (e.thickness != 0.0)
            return e.thickness * t.zScale;
        return t.zScale * elevation + t.zOffset;
    }

    void skip(SkipReason reason) { ++m_out.skipped[SkippedKind{reason, {}}]; }

    void reachLimit(ImportProblem problem, std::size_t limit)
    {
        if (!m_out.overflow) {
            m_out.overflow = ImportFailure{problem};
            m_out.overflow.limit = limit;
        }
    }

    bool budget(std::size_t vertices)
    {
        if (m_out.circles.size() + m_out.paths.size() + m_out.annotations.size() >= import_limits::kMaxPlacedItems) {
            reachLimit(ImportProblem::TooManyPlaced, import_limits::kMaxPlacedItems);
            return false;
        }
        if (m_vertices + vertices > import_limits::kMaxTessellatedVertices) {
            reachLimit(ImportProblem::TooManyCurvePoints, import_limits::kMaxTessellatedVertices);
            return false;
        }
        m_vertices += vertices;
        return true;
    }

    // Depth scales that multiply past the range of a double leave no depth.
    bool usableDepth(double depth)
    {
        if (std::isfinite(depth))
            return true;
        skip(SkipReason::BadScale);
        return false;
    }

    // Maps local points to the world and keeps them as one path.
    void keepPath(std::span<const position> local, const GK_Affine& map, bool closed, double depth, LayerId layer)
    {
        if (!usableDepth(depth) || !budget(local.size()))
            return;
        const std::size_t first = m_out.points.size();
        for (const position& p : local) {
            const position q = map.map(p);
            if (!usable(q)) {
                m_out.points.resize(first);
                skip(SkipReason::BadCoordinates);
                return;
            }
            m_out.points.push_back(q);
        }
        m_out.paths.push_back({first, local.size(), closed, depth, layer, m_order++});
    }

    double localTolerance(const GK_Affine& map) const { return m_tolerance / map.maxStretch(); }

    bool degenerate(const GK_Affine& map)
    {
        const double s = map.maxStretch();
        if (std::isfinite(s) && s > 0.0 && std::isfinite(map.e) && std::isfinite(map.f))
            return false;
        skip(SkipReason::BadScale);
        return true;
    }

    void place(const LineRecord& line, const EntityRecord&, const GK_Affine& t, LayerId layer, int)
    {
        const position ends[] = {line.a, line.b};
        keepPath(ends, t, false, 0.0, layer);
    }

    void place(const ArcRecord& arc, const EntityRecord& e, const GK_Affine& t, LayerId layer, int)
    {
        double sweepDeg = std::fmod(arc.endDeg - arc.startDeg, kFullTurnDeg);
        if (sweepDeg <= 0.0)
            sweepDeg += kFullTurnDeg;
        if (!std::isfinite(sweepDeg)) {
            skip(SkipReason::BadArc);
            return;
        }
        if (sweepDeg >= kFullTurnDeg - kFullTurnSlackDeg) {
            place(CircleRecord{arc.centre, arc.radius}, e, t, layer, 0);
            return;
        }
        const GK_Affine map = objectMap(e, t);
        if (degenerate(map))
            return;
        std::vector<position> pts;
        if (!tessellateArc(arc.centre, arc.radius, arc.startDeg * kDegree, sweepDeg * kDegree, localTolerance(map),
                           pts)) {
            skip(SkipReason::BadArc);
            return;
        }
        keepPath(pts, map, false, depthOf(e, arc.centre.z, t), layer);
    }

    void place(const CircleRecord& circle, const EntityRecord& e, const GK_Affine& t, LayerId layer, int)
    {
        if (!std::isfinite(circle.radius) || circle.radius <= 0.0 || !std::isfinite(circle.centre.x)
            || !std::isfinite(circle.centre.y)) {
            skip(SkipReason::BadCircle);
            return;
        }
        const GK_Affine map = objectMap(e, t);
        if (degenerate(map))
            return;
        const double depth = depthOf(e, circle.centre.z, t);
        if (!usableDepth(depth))
            return;
        if (map.isSimilarity()) {
            const position c = map.map(circle.centre);
            const double r = circle.radius * map.maxStretch();
            if (!usable(c) || !std::isfinite(r) || r > import_limits::kMaxCoordinate) {
                skip(SkipReason::BadCoordinates);
                return;
            }
            if (budget(1))
                m_out.circles.push_back({{c.x, c.y, 0.0}, r, depth, layer, m_order++});
            return;
        }
        // Stretched unevenly, a circle becomes an ellipse: an outline.
        std::vector<position> pts;
        tessellateArc(circle.centre, circle.radius, 0.0, 2.0 * std::numbers::pi, localTolerance(map), pts);
        keepPath(pts, map, true, depth, layer);
    }

    void place(const PolylineRecord& poly, const EntityRecord& e, const GK_Affine& t, LayerId layer, int)
    {
        const GK_Affine map = objectMap(e, t);
        if (degenerate(map))
            return;
        std::vector<position> pts;
        if (!tessellatePolyline(poly, localTolerance(map), pts) || pts.size() < 2) {
            skip(SkipReason::BadPolyline);
            return;
        }
        keepPath(pts, map, poly.closed, depthOf(e, poly.elevation, t), layer);
    }

    void place(const AnnotationRecord& annotation, const EntityRecord& e, const GK_Affine& t, LayerId, int)
    {
        const position at = objectMap(e, t).map(annotation.at);
        if (usable(at) && budget(0))
            m_out.annotations.push_back({at.x, at.y, 0.0});
    }

    void place(const EllipseRecord& ellipse, const EntityRecord& e, const GK_Affine& t, LayerId layer, int)
    {
        if (degenerate(t))
            return;
        std::vector<position> pts;
        if (!tessellateEllipse(ellipse, e.mirrored, localTolerance(t), pts)) {
            skip(SkipReason::BadEllipse);
            return;
        }
        double sweep = std::fmod(ellipse.endParam - ellipse.startParam, kFullTurnRad);
        if (sweep <= kFullTurnSlackRad)
            sweep += kFullTurnRad;
        const bool full = sweep >= kFullTurnRad - kFullTurnSlackRad;
        keepPath(pts, t, full, depthOf(e, ellipse.centre.z, t), layer);
    }

    void place(const std::unique_ptr<SplineRecord>& boxed, const EntityRecord& e, const GK_Affine& t, LayerId layer, int)
    {
        if (degenerate(t))
            return;
        std::vector<position> pts;
        if (!tessellateSpline(*boxed, localTolerance(t), pts) || pts.size() < 2) {
            skip(SkipReason::BadSpline);
            return;
        }
        keepPath(pts, t, false, depthOf(e, 0.0, t), layer);
    }

    void place(const std::unique_ptr<InsertRecord>& boxed, const EntityRecord& e, const GK_Affine& t, LayerId layer,
               int depth)
    {
        const InsertRecord& ins = *boxed;
        const auto found = m_drawing.blocks.find(ins.block);
        if (found == m_drawing.blocks.end()) {
            note(NoteKind::MissingBlock, ins.block);
            return;
        }
        if (depth >= import_limits::kMaxBlockDepth) {
            note(NoteKind::BlockTooDeep, ins.block);
            return;
        }
        for (const std::string* open : m_stack) {
            if (*open == ins.block) {
                note(NoteKind::BlockSelfReference, ins.block);
                return;
            }
        }
        const long long columns = std::max(1, ins.columns);
        const long long rows = std::max(1, ins.rows);
        if (columns * rows > import_limits::kMaxArrayCopies) {
            note(NoteKind::BlockArrayTooLarge, ins.block);
            return;
        }
        const BlockDefinition& block = found->second;
        const GK_Affine frame = objectMap(e, t) * GK_Affine::translation(ins.at.x, ins.at.y, ins.at.z)
                              * GK_Affine::rotation(ins.angleDeg * kDegree);
        const GK_Affine local = GK_Affine::scaling(ins.scaleX, ins.scaleY, ins.scaleZ)
                              * GK_Affine::translation(-block.base.x, -block.base.y, -block.base.z);
        m_stack.push_back(&found->first);
        for (long long r = 0; r < rows && !m_out.overflow; ++r)
            for (long long c = 0; c < columns && !m_out.overflow; ++c) {
                // Counts copies of empty blocks too, which place nothing.
                if (!visit())
                    break;
                const GK_Affine cell = GK_Affine::translation(static_cast<double>(c) * ins.columnSpacing,
                                                          static_cast<double>(r) * ins.rowSpacing);
                placeAll(block.entities, frame * cell * local, layer, depth + 1);
                for (const auto& [kind, count] : block.skipped)
                    m_out.skipped[kind] += count;
            }
        m_stack.pop_back();
    }

    void note(NoteKind kind, const std::string& block)
    {
        constexpr std::size_t kMaxNotes = 20;
        if (m_out.notes.size() < kMaxNotes)
            m_out.notes.push_back(ImportNote{kind, 0, block});
    }

    const DxfDrawing& m_drawing;
    double m_tolerance;
    GK_Affine m_root;
    const ImportProgress& m_progress;
    std::optional<LayerId> m_defaultLayer;
    std::size_t m_layersSearched = 0;
    PlacedDrawing m_out;
    std::vector<const std::string*> m_stack;
    std::size_t m_order = 0;
    std::size_t m_vertices = 0;
    std::size_t m_visits = 0;
    double m_expected = 0.0; // expanded count of the model-space entities placed so far
    std::unordered_map<std::string, double> m_blockCounts;
    std::vector<const std::string*> m_counting; // blocks being counted, outermost first
    std::size_t m_countSteps = 0;
};

DrawingPlacer::DrawingPlacer(const DxfDrawing& drawing, double unitFactor, double tolerance,
                             const ImportProgress& progress)
    : m_placer(std::make_unique<Placer>(drawing, unitFactor, tolerance, progress))
{
}

DrawingPlacer::~DrawingPlacer() = default;

void DrawingPlacer::place(const EntityRecord& entity)
{
    m_placer->placeModelEntity(entity);
}

const PlacedDrawing& DrawingPlacer::placed() const
{
    return m_placer->placed();
}

PlacedDrawing DrawingPlacer::finish()
{
    return m_placer->finish();
}

PlacedDrawing placeDrawing(const DxfDrawing& drawing, double unitFactor, double tolerance,
                           const ImportProgress& progress)
{
    DrawingPlacer placer(drawing, unitFactor, tolerance, progress);
    for (const EntityRecord& e : drawing.entities)
        placer.place(e);
    return placer.finish();
}
