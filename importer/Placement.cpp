#include <importer/Placement.h>

#include <importer/Affine2.h>
#include <importer/ImportLimits.h>
#include <importer/Tessellation.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <numbers>
#include <string_view>
#include <unordered_map>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kFullTurnDeg = 360.0;
constexpr double kFullTurnSlackDeg = 1e-9;
constexpr double kFullTurnRad = 2.0 * std::numbers::pi;
constexpr double kFullTurnSlackRad = 1e-12;
constexpr std::string_view kDefaultLayer = "0";

// The id of layer "0", or none when the drawing never names it.
std::optional<LayerId> defaultLayer(const DxfDrawing& drawing)
{
    const auto it = std::find(drawing.layers.begin(), drawing.layers.end(), kDefaultLayer);
    if (it == drawing.layers.end())
        return std::nullopt;
    return static_cast<LayerId>(it - drawing.layers.begin());
}

bool usable(const position& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::abs(p.x) <= import_limits::kMaxCoordinate
           && std::abs(p.y) <= import_limits::kMaxCoordinate;
}

class Placer {
public:
    Placer(const DxfDrawing& drawing, double tolerance)
        : m_drawing(drawing), m_tolerance(tolerance), m_defaultLayer(defaultLayer(drawing))
    {
    }

    PlacedDrawing run(double unitFactor)
    {
        if (expandedCount(m_drawing.entities) > static_cast<double>(import_limits::kMaxPlacedItems)) {
            m_out.overflow = true;
            return std::move(m_out);
        }
        m_out.paths.reserve(m_drawing.entities.size());
        const Affine2 root = Affine2::scaling(unitFactor, unitFactor, unitFactor);
        placeAll(m_drawing.entities, root, 0, 0);
        return std::move(m_out);
    }

private:
    // How many items and block copies placing these entities would make,
    // counted before anything is placed so that a small file that expands to
    // an enormous drawing is refused at once. Self references count nothing;
    // placing refuses them.
    double expandedCount(const EntityList& entities)
    {
        double count = 0.0;
        for (const EntityRecord& e : entities) {
            const auto* boxed = std::get_if<std::unique_ptr<InsertRecord>>(&e.shape);
            const InsertRecord* ins = boxed ? boxed->get() : nullptr;
            if (!ins) {
                count += 1.0;
                continue;
            }
            const double copies = static_cast<double>(std::max(1, ins->columns)) * std::max(1, ins->rows);
            count += copies * (1.0 + blockCount(ins->block));
        }
        return count;
    }

    double blockCount(const std::string& name)
    {
        if (const auto known = m_blockCounts.find(name); known != m_blockCounts.end())
            return known->second;
        const auto block = m_drawing.blocks.find(name);
        if (block == m_drawing.blocks.end())
            return 0.0;
        m_blockCounts[name] = 0.0; // while it is being counted
        const double count = expandedCount(block->second.entities);
        m_blockCounts[name] = count;
        return count;
    }

    void placeAll(const EntityList& entities, const Affine2& t, LayerId insertLayer, int depth)
    {
        for (const EntityRecord& e : entities) {
            if (m_out.overflow)
                return;
            // Entities on layer 0 inside a block take the layer of the reference.
            const LayerId layer = depth > 0 && e.layer == m_defaultLayer ? insertLayer : e.layer;
            std::visit([&](const auto& shape) { place(shape, e, t, layer, depth); }, e.shape);
        }
    }

    // The map from an entity's own coordinates to the world: object
    // coordinates seen from below are mirrored in x.
    static Affine2 objectMap(const EntityRecord& e, const Affine2& t)
    {
        return e.mirrored ? t * Affine2::mirrorX() : t;
    }

    double depthOf(const EntityRecord& e, double elevation, const Affine2& t) const
    {
        if (e.thickness != 0.0)
            return e.thickness * t.zScale;
        return t.zScale * elevation + t.zOffset;
    }

    void skip(SkipReason reason) { ++m_out.skipped[SkippedKind{reason, {}}]; }

    bool budget(std::size_t vertices)
    {
        if (m_out.circles.size() + m_out.paths.size() + m_out.annotations.size() >= import_limits::kMaxPlacedItems
            || m_vertices + vertices > import_limits::kMaxTessellatedVertices) {
            m_out.overflow = true;
            return false;
        }
        m_vertices += vertices;
        return true;
    }

    // Maps local points to the world and keeps them as one path.
    void keepPath(std::span<const position> local, const Affine2& map, bool closed, double depth, LayerId layer)
    {
        if (!budget(local.size()))
            return;
        const std::size_t first = m_out.points.size();
        for (const position& p : local) {
            const position q = map.apply(p);
            if (!usable(q)) {
                m_out.points.resize(first);
                skip(SkipReason::BadCoordinates);
                return;
            }
            m_out.points.push_back(q);
        }
        m_out.paths.push_back({first, local.size(), closed, depth, layer, m_order++});
    }

    double localTolerance(const Affine2& map) const { return m_tolerance / map.maxStretch(); }

    bool degenerate(const Affine2& map)
    {
        const double s = map.maxStretch();
        if (std::isfinite(s) && s > 0.0 && std::isfinite(map.tx) && std::isfinite(map.ty))
            return false;
        skip(SkipReason::BadScale);
        return true;
    }

    void place(const LineRecord& line, const EntityRecord&, const Affine2& t, LayerId layer, int)
    {
        const position ends[] = {line.a, line.b};
        keepPath(ends, t, false, 0.0, layer);
    }

    void place(const ArcRecord& arc, const EntityRecord& e, const Affine2& t, LayerId layer, int)
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
        const Affine2 map = objectMap(e, t);
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

    void place(const CircleRecord& circle, const EntityRecord& e, const Affine2& t, LayerId layer, int)
    {
        if (!std::isfinite(circle.radius) || circle.radius <= 0.0 || !std::isfinite(circle.centre.x)
            || !std::isfinite(circle.centre.y)) {
            skip(SkipReason::BadCircle);
            return;
        }
        const Affine2 map = objectMap(e, t);
        if (degenerate(map))
            return;
        const double depth = depthOf(e, circle.centre.z, t);
        if (map.isSimilarity()) {
            const position c = map.apply(circle.centre);
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

    void place(const PolylineRecord& poly, const EntityRecord& e, const Affine2& t, LayerId layer, int)
    {
        const Affine2 map = objectMap(e, t);
        if (degenerate(map))
            return;
        std::vector<position> pts;
        if (!tessellatePolyline(poly, localTolerance(map), pts) || pts.size() < 2) {
            skip(SkipReason::BadPolyline);
            return;
        }
        keepPath(pts, map, poly.closed, depthOf(e, poly.elevation, t), layer);
    }

    void place(const AnnotationRecord& annotation, const EntityRecord& e, const Affine2& t, LayerId, int)
    {
        const position at = objectMap(e, t).apply(annotation.at);
        if (usable(at) && budget(0))
            m_out.annotations.push_back({at.x, at.y, 0.0});
    }

    void place(const EllipseRecord& ellipse, const EntityRecord& e, const Affine2& t, LayerId layer, int)
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

    void place(const std::unique_ptr<SplineRecord>& boxed, const EntityRecord& e, const Affine2& t, LayerId layer, int)
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

    void place(const std::unique_ptr<InsertRecord>& boxed, const EntityRecord& e, const Affine2& t, LayerId layer,
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
        const Affine2 frame = objectMap(e, t) * Affine2::translation(ins.at.x, ins.at.y, ins.at.z)
                              * Affine2::rotation(ins.angleDeg * kDegree);
        const Affine2 local = Affine2::scaling(ins.scaleX, ins.scaleY, ins.scaleZ)
                              * Affine2::translation(-block.base.x, -block.base.y, -block.base.z);
        m_stack.push_back(&found->first);
        for (long long r = 0; r < rows && !m_out.overflow; ++r)
            for (long long c = 0; c < columns && !m_out.overflow; ++c) {
                // Counts copies of empty blocks too, which place nothing.
                if (++m_copies > import_limits::kMaxPlacedItems) {
                    m_out.overflow = true;
                    break;
                }
                const Affine2 cell = Affine2::translation(static_cast<double>(c) * ins.columnSpacing,
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
    std::optional<LayerId> m_defaultLayer;
    PlacedDrawing m_out;
    std::vector<const std::string*> m_stack;
    std::size_t m_order = 0;
    std::size_t m_vertices = 0;
    std::size_t m_copies = 0;
    std::unordered_map<std::string, double> m_blockCounts;
};

} // namespace

PlacedDrawing placeDrawing(const DxfDrawing& drawing, double unitFactor, double tolerance)
{
    return Placer(drawing, tolerance).run(unitFactor);
}
