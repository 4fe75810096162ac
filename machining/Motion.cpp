#include <machining/Motion.h>

#include <machining/ToolChoice.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kSecondsPerMinute = 60.0;

// How far the tool travels along the piece; along a helix the unrolled turn.
double length(const Segment& s)
{
    if (s.sweep == 0.0)
        return std::hypot(s.to.x - s.from.x, s.to.y - s.from.y, s.to.z - s.from.z);
    const double radius = std::hypot(s.from.x - s.centre.x, s.from.y - s.centre.y);
    return std::hypot(radius * std::abs(s.sweep), s.to.z - s.from.z);
}

// The depth axis of the use's frame: z on the top face, y on the lock edge.
double& depthAxis(position& p, const WorkFrame& frame)
{
    return frame.edge ? p.y : p.z;
}

class Tracer {
public:
    Tracer(const WorkFrame& frame, std::optional<position> start, std::vector<Segment>& out)
        : m_frame(frame), m_at(start), m_out(out)
    {
    }

    void step(std::size_t index, const Move& move)
    {
        m_move = index;
        switch (move.kind) {
        case MoveKind::Note:
            break;
        case MoveKind::Retract:
            if (m_at) {
                position to = *m_at;
                depthAxis(to, m_frame) = m_frame.edge ? move.to.y : move.to.z;
                line(to, true);
            } else {
                m_at = move.to;
            }
            break;
        case MoveKind::Rapid:
        case MoveKind::Feed:
            line(move.to, move.kind == MoveKind::Rapid);
            break;
        case MoveKind::Plunge:
            line(move.to, false, true);
            break;
        case MoveKind::ArcCw:
        case MoveKind::ArcCcw:
            arc(move);
            break;
        case MoveKind::Drill:
            drill(move);
            break;
        }
    }

private:
    void line(const position& to, bool rapid, bool plunge = false)
    {
        if (m_at && !(*m_at == to))
            m_out.push_back({*m_at, to, rapid, plunge, m_move});
        m_at = to;
    }

    // The point on the drill's axis at the given depth below the surface.
    position onAxis(const Move& move, double depth) const
    {
        position p = move.to;
        depthAxis(p, m_frame) = m_frame.edge ? m_frame.edgeY + m_frame.inward * depth : -depth;
        return p;
    }

    void drill(const Move& move)
    {
        position above = move.to;
        depthAxis(above, m_frame) = m_at ? depthAxis(*m_at, m_frame) : move.retract;
        line(above, true);
        position back = move.to;
        depthAxis(back, m_frame) = move.retract;
        const double depth = m_frame.edge ? m_frame.inward * (move.to.y - m_frame.edgeY) : -move.to.z;
        double reached = 0.0;
        for (const double step : PeckDepths(depth, move.peck)) {
            if (reached > 0.0) {
                line(back, true);
                line(onAxis(move, reached - kPeckClearance), true);
            }
            line(onAxis(move, step), false, true);
            reached = step;
        }
        line(back, true);
    }

    void arc(const Move& move)
    {
        if (!m_at) {
            m_at = move.to;
            return;
        }
        const position from = *m_at;
        const double a0 = std::atan2(from.y - move.centre.y, from.x - move.centre.x);
        const double a1 = std::atan2(move.to.y - move.centre.y, move.to.x - move.centre.x);
        const bool ccw = move.kind == MoveKind::ArcCcw;
        double sweep = a1 - a0;
        if (ccw && sweep <= 0.0)
            sweep += 2.0 * std::numbers::pi;
        if (!ccw && sweep >= 0.0)
            sweep -= 2.0 * std::numbers::pi;
        // A full turn ends where it starts: still a piece.
        m_out.push_back({from, move.to, false, false, m_move, move.centre, sweep});
        m_at = move.to;
    }

    const WorkFrame& m_frame;
    std::optional<position> m_at;
    std::vector<Segment>& m_out;
    std::size_t m_move = 0;
};

} // namespace

std::vector<Segment> TraceToolUse(const ToolUse& use, const std::optional<position>& start)
{
    std::vector<Segment> segments;
    Tracer tracer(use.frame, start, segments);
    for (std::size_t i = 0; i < use.moves.size(); ++i)
        tracer.step(i, use.moves[i]);
    return segments;
}

std::vector<double> PeckDepths(double depth, double peck)
{
    if (!(peck > 0.0) || depth <= peck)
        return {depth};
    const int steps = static_cast<int>(std::ceil(depth / peck - 1e-9));
    std::vector<double> depths;
    for (int k = 1; k < steps; ++k)
        depths.push_back(k * peck);
    depths.push_back(depth);
    return depths;
}

position EndOfToolUse(const ToolUse& use)
{
    for (auto it = use.moves.rbegin(); it != use.moves.rend(); ++it)
        if (it->kind != MoveKind::Note)
            return it->to;
    return {};
}

std::optional<position> StartOfToolUse(const std::vector<ToolUse>& uses, std::size_t i)
{
    // The side head and the vertical spindles move apart: a use starts where
    // the last use of its own head ended.
    for (std::size_t k = i; k-- > 0;)
        if (uses[k].frame.edge == uses[i].frame.edge)
            return EndOfToolUse(uses[k]);
    return std::nullopt;
}

double EstimateSeconds(const std::vector<ToolUse>& uses, const MachineProfile& profile)
{
    double minutes = 0.0;
    for (std::size_t i = 0; i < uses.size(); ++i) {
        const KnifeInfo& tool = uses[i].tool;
        for (const Segment& s : TraceToolUse(uses[i], StartOfToolUse(uses, i)))
            minutes += length(s) / (s.rapid ? profile.RapidFeed : s.plunge ? PlungeFeed(tool) : tool.Vel);
    }
    return minutes * kSecondsPerMinute;
}
