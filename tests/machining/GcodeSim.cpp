#include "GcodeSim.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <optional>

namespace sim {
namespace {

std::vector<std::string> splitLines(const std::string& text, bool crlf, std::vector<std::string>& errors)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) {
            errors.push_back("last line has no line end");
            end = text.size();
        }
        std::string line = text.substr(begin, end - begin);
        const bool hasCr = !line.empty() && line.back() == '\r';
        if (hasCr)
            line.pop_back();
        if (hasCr != crlf)
            errors.push_back("wrong line end at line " + std::to_string(lines.size() + 1));
        lines.push_back(line);
        begin = end + 1;
    }
    return lines;
}

enum class Stage { Idle, Forward, Cutting, Stopping };

class Replayer {
public:
    explicit Replayer(const Machine& m) : m_m(m) {}

    Run run(const std::string& program)
    {
        const std::vector<std::string> lines = splitLines(program, m_m.crlf, m_run.errors);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            m_line = static_cast<int>(i) + 1;
            handle(lines[i]);
        }
        replayPending();
        if (m_stage != Stage::Idle)
            error("program ends inside a tool use");
        if (!m_run.ended)
            error("no M30");
        if (m_percents % 2 != 0)
            error("\"%\" without its pair");
        return std::move(m_run);
    }

private:
    void error(const std::string& what) { m_run.errors.push_back("line " + std::to_string(m_line) + ": " + what); }

    void handle(std::string line)
    {
        // Line number, then comments.
        if (line.size() > 1 && line[0] == 'N' && std::isdigit(static_cast<unsigned char>(line[1]))) {
            const std::size_t space = line.find(' ');
            line = space == std::string::npos ? std::string() : line.substr(space + 1);
        }
        for (std::size_t open; (open = line.find('(')) != std::string::npos;) {
            const std::size_t close = line.find(')', open);
            if (close == std::string::npos) {
                error("unclosed comment");
                return;
            }
            line.erase(open, close - open + 1);
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (line.empty())
            return;
        if (line == "%") {
            replayPending();
            if (++m_percents == 2 && !m_run.ended)
                error("tape closed before M30");
            return;
        }
        if (m_percents >= 2) {
            error("text after the closing \"%\"");
            return;
        }
        if (bracketText(line))
            return;
        if (m_run.ended) {
            error("text after M30");
            return;
        }
        // The program's end is no motion of a head to come.
        if (m_stage == Stage::Idle && line.find("M30") == std::string::npos) {
            m_pending.push_back({line, m_line});
            return;
        }
        replayPending();
        words(line);
    }

    // The lines between two tool uses, once the next use names the head.
    void replayPending()
    {
        const int here = m_line;
        for (const auto& [text, number] : m_pending) {
            m_line = number;
            words(text);
        }
        m_pending.clear();
        m_line = here;
    }

    // The four texts of the tools, in their order.
    bool bracketText(const std::string& line)
    {
        switch (m_stage) {
        case Stage::Idle:
            for (std::size_t t = 0; t < m_m.tools.size(); ++t)
                if (line == m_m.tools[t].airForward) {
                    // The side head and the vertical spindles are apart:
                    // a new head starts from where its axes say.
                    if (m_lastHead != (m_m.tools[t].type == 2))
                        m_at.reset();
                    m_lastHead = m_m.tools[t].type == 2;
                    m_tool = static_cast<int>(t);
                    m_stage = Stage::Forward;
                    ++m_run.toolUses;
                    startUse();
                    return true;
                }
            return false;
        case Stage::Forward:
            if (line != m_m.tools[m_tool].drillStart)
                error("\"" + m_m.tools[m_tool].drillStart + "\" expected after \"" + m_m.tools[m_tool].airForward + "\"");
            m_stage = Stage::Cutting;
            return true;
        case Stage::Cutting:
            if (line == m_m.tools[m_tool].drillStop) {
                m_stage = Stage::Stopping;
                return true;
            }
            return false;
        case Stage::Stopping:
            if (line != m_m.tools[m_tool].airBack)
                error("\"" + m_m.tools[m_tool].airBack + "\" expected after \"" + m_m.tools[m_tool].drillStop + "\"");
            m_stage = Stage::Idle;
            m_tool = -1;
            return true;
        }
        return false;
    }

    // Replays what led up to the use and notes where its head's depth axis stands.
    void startUse()
    {
        const char depth = letter(edge() ? 1 : 2);
        m_pos.erase(depth);
        replayPending();
        UseStart start{m_tool, m_line, m_pos.count(depth) > 0, 0.0};
        if (start.known) {
            const double y0 = (m_m.originCorner == 2 || m_m.originCorner == 3) ? m_m.width : 0.0;
            start.depthAxis = edge() ? y0 + m_pos[depth] / m_m.yDir : m_pos[depth];
        }
        m_run.starts.push_back(start);
    }

    void words(const std::string& line)
    {
        std::vector<int> gs;
        std::map<char, double> values;
        std::size_t i = 0;
        while (i < line.size()) {
            if (line[i] == ' ') {
                ++i;
                continue;
            }
            const char letter = line[i];
            char* end = nullptr;
            const double value = std::strtod(line.c_str() + i + 1, &end);
            if (!std::isupper(static_cast<unsigned char>(letter)) || end == line.c_str() + i + 1) {
                error("not a word: " + line.substr(i));
                return;
            }
            if (letter == 'G')
                gs.push_back(static_cast<int>(value));
            else if (letter == 'M') {
                if (value != 30) {
                    error("unknown M code");
                    return;
                }
                m_run.ended = true;
            } else if (values.count(letter)) {
                error(std::string("word twice: ") + letter);
                return;
            } else
                values[letter] = value;
            i = static_cast<std::size_t>(end - line.c_str());
        }
        std::optional<int> motion;
        for (const int g : gs) {
            switch (g) {
            case 0: case 1: case 2: case 3: case 81: case 83:
                motion = g;
                break;
            case 17: case 21: case 40: case 49: case 90:
                break;
            case 80:
                m_cycle = false;
                break;
            case 98: m_returnToStart = true; break;
            case 99: m_returnToStart = false; break;
            default:
                error("unknown G code " + std::to_string(g));
                return;
            }
        }
        if (values.count('F'))
            m_feed = values['F'];
        values.erase('F');
        if (motion)
            m_motion = *motion;
        if (cycleMotion() && motion)
            m_cycle = true;
        const bool hasAxis = std::any_of(values.begin(), values.end(), [&](const auto& w) { return isAxis(w.first); });
        if (!hasAxis)
            return;
        if (!cycleMotion() && m_cycle) {
            error("motion while a drilling cycle is on");
            m_cycle = false;
        }
        move(values);
    }

    bool edge() const { return m_tool >= 0 && m_m.tools[m_tool].type == 2; }

    char letter(int axis) const { return edge() ? m_m.side[axis] : "XYZ"[axis]; }

    bool isAxis(char c) const
    {
        return c == letter(0) || c == letter(1) || c == letter(2) || c == 'R' || c == 'I' || c == 'J' || c == 'Q';
    }

    // Leaf point from the machine values of the active head's letters.
    std::optional<Pt> leafAt(const std::map<char, double>& machine) const
    {
        double v[3];
        for (int a = 0; a < 3; ++a) {
            const auto it = machine.find(letter(a));
            if (it == machine.end())
                return std::nullopt;
            v[a] = it->second;
        }
        const double x0 = (m_m.originCorner == 1 || m_m.originCorner == 2) ? m_m.length : 0.0;
        const double y0 = (m_m.originCorner == 2 || m_m.originCorner == 3) ? m_m.width : 0.0;
        return Pt{x0 + v[0] / m_m.xDir, y0 + v[1] / m_m.yDir, v[2]};
    }

    void segment(const Pt& to, bool rapid, int turn = 0, double radius = 0.0)
    {
        if (m_at)
            m_run.moves.push_back({*m_at, to, rapid, turn, m_tool, m_line, rapid ? 0.0 : m_feed, radius});
        m_at = to;
    }

    void move(std::map<char, double> values)
    {
        if (!rapidMotion() && m_tool < 0)
            error("cutting outside a tool use");
        if (!rapidMotion() && m_feed <= 0.0)
            error("cutting without a feed");
        std::map<char, double> target = m_pos;
        for (int a = 0; a < 3; ++a)
            if (values.count(letter(a)))
                target[letter(a)] = values[letter(a)];
        if (cycleMotion()) {
            drill(target, values);
            return;
        }
        const std::optional<Pt> to = leafAt(target);
        if (!to) {
            // Until every axis is known the tool's place is not either; a
            // rapid that states one axis is how programs begin.
            if (m_motion != 0)
                error("cut from an unknown place");
            m_pos = target;
            return;
        }
        if (!m_at && m_motion != 0)
            error("cut from an unknown place");
        if ((m_motion == 2 || m_motion == 3) && m_at)
            arc(*to, values);
        else
            segment(*to, m_motion == 0);
        m_pos = target;
    }

    bool rapidMotion() const { return m_motion == 0; }
    bool cycleMotion() const { return m_motion == 81 || m_motion == 83; }

    void arc(const Pt& to, std::map<char, double>& values)
    {
        if (edge()) {
            error("arc on the side head");
            return;
        }
        // I and J are machine offsets from the start to the centre.
        const Pt from = *m_at;
        const double cx = from.x + values['I'] / m_m.xDir;
        const double cy = from.y + values['J'] / m_m.yDir;
        const double r0 = std::hypot(from.x - cx, from.y - cy);
        const double r1 = std::hypot(to.x - cx, to.y - cy);
        if (std::abs(r0 - r1) > 0.002)
            error("arc ends off its circle");
        // Counter-clockwise on the machine is G3; a mirroring frame turns it.
        const bool ccwMachine = m_motion == 3;
        const bool ccw = (m_m.xDir * m_m.yDir > 0) ? ccwMachine : !ccwMachine;
        const double a0 = std::atan2(from.y - cy, from.x - cx);
        double sweep = std::atan2(to.y - cy, to.x - cx) - a0;
        if (ccw && sweep <= 1e-12)
            sweep += 2 * std::numbers::pi;
        if (!ccw && sweep >= -1e-12)
            sweep -= 2 * std::numbers::pi;
        const int steps = std::max(2, static_cast<int>(std::abs(sweep) / (std::numbers::pi / 180.0)));
        for (int k = 1; k <= steps; ++k) {
            const double t = static_cast<double>(k) / steps;
            const double a = a0 + sweep * t;
            segment(k == steps ? to : Pt{cx + r0 * std::cos(a), cy + r0 * std::sin(a), from.z + (to.z - from.z) * t},
                    false, ccw ? 1 : -1, r0);
        }
    }

    // G81: rapid over the hole at the current height, rapid down to R, feed
    // to Z, rapid back to R (G99) or to the start height (G98).
    void drill(std::map<char, double> target, std::map<char, double>& values)
    {
        if (edge()) {
            error("drilling cycle on the side head");
            return;
        }
        if (values.count('R'))
            m_r = values['R'];
        const double startZ = m_pos.count('Z') ? m_pos['Z'] : m_r;
        const double bottom = values.count('Z') ? values['Z'] : m_cycleZ;
        m_cycleZ = bottom;
        target['Z'] = startZ;
        const std::optional<Pt> over = leafAt(target);
        if (!over) {
            error("drilling from an unknown place");
            return;
        }
        segment(*over, true);
        if (startZ > m_r)
            segment({over->x, over->y, m_r}, true);
        if (values.count('Q'))
            m_q = values['Q'];
        if (m_motion == 83 && !(m_q > 0.0))
            error("G83 without a pecking depth");
        // G83: down by Q at a time, back to R after each, rapid down again
        // to just above the depth reached.
        for (double reached = m_r; m_motion == 83 && m_q > 0.0 && reached - m_q > bottom;) {
            reached -= m_q;
            segment({over->x, over->y, reached}, false);
            segment({over->x, over->y, m_r}, true);
            segment({over->x, over->y, reached + kPeckClearance}, true);
        }
        segment({over->x, over->y, bottom}, false);
        const double back = m_returnToStart ? std::max(startZ, m_r) : m_r;
        segment({over->x, over->y, back}, true);
        target['Z'] = back;
        m_pos = target;
    }

    const Machine& m_m;
    Run m_run;
    int m_line = 0;
    Stage m_stage = Stage::Idle;
    int m_tool = -1;
    bool m_lastHead = false;
    int m_motion = 0;
    double m_feed = 0.0;
    bool m_cycle = false;
    bool m_returnToStart = true;
    double m_r = 0.0;
    double m_cycleZ = 0.0;
    double m_q = 0.0;
    int m_percents = 0;
    std::vector<std::pair<std::string, int>> m_pending;
    std::map<char, double> m_pos;
    std::optional<Pt> m_at;
};

} // namespace

Run Replay(const std::string& program, const Machine& machine)
{
    return Replayer(machine).run(program);
}

} // namespace sim
