#include <machining/Preview.h>

#include <machining/Motion.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Plane points closer than this are one point of the preview (mm).
constexpr double kSamePoint = 1e-6;
// Arcs are cut in pieces of at most this angle first, and only the pieces
// that reach into what is shown are cut finer: zoomed in far, most of a
// large arc lies outside the window.
constexpr double kPieceAngle = std::numbers::pi / 18.0;

// A point of a tool's path seen in the view of its frame, and how deep it
// lies below the face.
struct Seen {
    Point2 at;
    double depth;
};

Seen seen(const position& p, const WorkFrame& frame)
{
    if (frame.edge)
        return {{p.x, p.z}, frame.inward * (p.y - frame.edgeY)};
    return {{p.x, p.y}, -p.z};
}

// The feature of each move: the one the last note before it names; moves
// ahead of the first note lead to the first feature.
std::vector<FeatureRef> featuresOfMoves(const ToolUse& use)
{
    std::vector<FeatureRef> features(use.moves.size());
    auto firstNote = std::find_if(use.moves.begin(), use.moves.end(),
                                  [](const Move& m) { return m.kind == MoveKind::Note; });
    FeatureRef current = firstNote == use.moves.end() ? FeatureRef{} : firstNote->feature;
    for (std::size_t i = 0; i < use.moves.size(); ++i) {
        if (use.moves[i].kind == MoveKind::Note)
            current = use.moves[i].feature;
        features[i] = current;
    }
    return features;
}

class PreviewBuilder {
public:
    explicit PreviewBuilder(MachiningPreview& out) : m_out(out) {}

    void add(const MachiningPlan& plan)
    {
        if (m_out.length == 0.0) {
            m_out.length = plan.length;
            m_out.width = plan.width;
            m_out.thickness = plan.thickness;
        }
        for (std::size_t i = 0; i < plan.uses.size(); ++i) {
            const ToolUse& use = plan.uses[i];
            if (use.frame.edge && !m_out.edge)
                m_out.edge = use.frame;
            const int tool = toolIndex(use);
            const std::vector<FeatureRef> features = featuresOfMoves(use);
            for (const Segment& s : TraceToolUse(use, StartOfToolUse(plan.uses, i)))
                piece(tool, use.frame, s, features[s.move]);
        }
    }

private:
    int toolIndex(const ToolUse& use)
    {
        std::vector<PreviewTool>& tools = m_out.tools;
        const auto known = std::find_if(tools.begin(), tools.end(),
                                        [&](const PreviewTool& t) { return t.id == use.tool.ID; });
        if (known != tools.end())
            return static_cast<int>(known - tools.begin());
        tools.push_back({use.tool.ID, use.tool.Diameter, use.frame.edge});
        return static_cast<int>(tools.size()) - 1;
    }

    void piece(int tool, const WorkFrame& frame, const Segment& s, const FeatureRef& feature)
    {
        const Seen from = seen(s.from, frame);
        const Seen to = seen(s.to, frame);
        // A move along the tool's axis shows as a point: a cut deeper is a
        // drilled hole, anything else shows as nothing. Arcs lie in the top
        // face, seen from above as they are.
        if (s.sweep == 0.0 && Distance(from.at, to.at) < kSamePoint) {
            if (!s.rapid && to.depth > from.depth)
                plunge({tool, frame.edge, to.at, feature, to.depth});
            return;
        }
        std::vector<PreviewStroke>& strokes = m_out.strokes;
        const bool continues = !strokes.empty() && strokes.back().tool == tool && strokes.back().rapid == s.rapid &&
                               strokes.back().edge == frame.edge && strokes.back().feature == feature &&
                               Distance(strokes.back().points.back().at, from.at) < kSamePoint;
        if (!continues)
            strokes.push_back({tool, s.rapid, {{from.at, {}, 0.0}}, frame.edge, feature, 0.0});
        PreviewStroke& stroke = strokes.back();
        stroke.points.push_back({to.at, s.centre, s.sweep});
        if (!s.rapid)
            stroke.depth = std::max({stroke.depth, from.depth, to.depth});
    }

    // Pecks of one hole are one plunge, as deep as the deepest.
    void plunge(const PreviewPlunge& p)
    {
        std::vector<PreviewPlunge>& plunges = m_out.plunges;
        if (!plunges.empty() && plunges.back().tool == p.tool && plunges.back().edge == p.edge &&
            plunges.back().feature == p.feature && Distance(plunges.back().at, p.at) < kSamePoint) {
            plunges.back().depth = std::max(plunges.back().depth, p.depth);
            return;
        }
        plunges.push_back(p);
    }

    MachiningPreview& m_out;
};

// Whether the arc piece over the chord a–b, bulging from it by `bulge`, may
// reach into the box.
bool reaches(const Point2& a, const Point2& b, double bulge, const GK_Box& box)
{
    return std::min(a.x, b.x) - bulge <= box.x1 && std::max(a.x, b.x) + bulge >= box.x0 &&
           std::min(a.y, b.y) - bulge <= box.y1 && std::max(a.y, b.y) + bulge >= box.y0;
}

// The points of the arc from the line's last point to p short of p itself.
void appendArc(std::vector<Point2>& line, const PreviewPoint& p, double tolerance, const GK_Box& shown)
{
    const Point2 c = p.centre;
    const double radius = Distance(line.back(), c);
    const double a0 = std::atan2(line.back().y - c.y, line.back().x - c.x);
    // Chords of angle `step` bulge by r·(1 − cos(step/2)) from the arc; round
    // a circle smaller than the tolerance two do.
    const double step = 2.0 * std::acos(1.0 - std::min(1.0, tolerance / radius));
    const int pieces = static_cast<int>(std::ceil(std::abs(p.sweep) / std::max(step, kPieceAngle)));
    const double pieceSweep = p.sweep / pieces;
    const double bulge = radius * (1.0 - std::cos(pieceSweep / 2.0));
    const int chords = static_cast<int>(std::ceil(std::abs(pieceSweep) / step));
    const auto on = [&](double a) { return Point2{c.x + radius * std::cos(a), c.y + radius * std::sin(a)}; };
    for (int j = 0; j < pieces; ++j) {
        const double start = a0 + pieceSweep * j;
        const Point2 end = j + 1 < pieces ? on(start + pieceSweep) : p.at;
        if (reaches(line.back(), end, bulge, shown))
            for (int k = 1; k < chords; ++k)
                line.push_back(on(start + pieceSweep * k / chords));
        if (j + 1 < pieces)
            line.push_back(end);
    }
}

} // namespace

MachiningPreview BuildPreview(const std::vector<const MachiningPlan*>& plans)
{
    MachiningPreview preview;
    PreviewBuilder builder(preview);
    for (const MachiningPlan* plan : plans)
        builder.add(*plan);
    return preview;
}

std::vector<Point2> StrokePolyline(const PreviewStroke& stroke, double tolerance, const GK_Box& shown)
{
    std::vector<Point2> line;
    line.reserve(stroke.points.size());
    for (std::size_t i = 0; i < stroke.points.size(); ++i) {
        if (i > 0 && stroke.points[i].sweep != 0.0)
            appendArc(line, stroke.points[i], tolerance, shown);
        line.push_back(stroke.points[i].at);
    }
    return line;
}
