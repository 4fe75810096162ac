#include <machining/GcodeWriter.h>

#include <machining/FeatureNames.h>
#include <machining/Motion.h>
#include <machining/ToolChoice.h>

#include <library/AtomicFile.h>

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

// GBK texts.
constexpr const char* kHingeProgram = "\xBA\xCF\xD2\xB3\xBC\xD3\xB9\xA4\xB3\xCC\xD0\xF2"; // 合页加工程序
constexpr const char* kLockProgram = "\xCB\xF8\xBF\xD7\xBC\xD3\xB9\xA4\xB3\xCC\xD0\xF2";  // 锁孔加工程序
constexpr const char* kTool = "\xB5\xB6\xBE\xDF";                                        // 刀具
constexpr const char* kDiameter = "\xD6\xB1\xBE\xB6";                                    // 直径

// Values nearer to zero than half the last decimal are written as 0.
constexpr double kZeroBelow = 0.0005;

std::string number(double value, int decimals)
{
    if (std::abs(value) < kZeroBelow)
        value = 0.0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// The lines of a free text without their line ends, empty ones left out.
std::vector<std::string_view> textLines(const std::string& text)
{
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string_view piece(text.data() + begin, end - begin);
        while (!piece.empty() && piece.back() == '\r')
            piece.remove_suffix(1);
        if (!piece.empty())
            lines.push_back(piece);
        begin = end + 1;
    }
    return lines;
}

// Machine coordinates of leaf points: the profile's origin corner and axis
// directions; z is the same in both.
class MachineFrame {
public:
    MachineFrame(const MachiningPlan& plan, const MachineProfile& p)
        : m_x0(p.OriginCorner == 1 || p.OriginCorner == 2 ? plan.length : 0.0),
          m_y0(p.OriginCorner == 2 || p.OriginCorner == 3 ? plan.width : 0.0), m_dx(p.XDirection), m_dy(p.YDirection)
    {
    }

    double x(double leafX) const { return m_dx * (leafX - m_x0); }
    double y(double leafY) const { return m_dy * (leafY - m_y0); }
    // A mirroring frame turns arcs the other way round.
    bool mirrors() const { return m_dx * m_dy < 0; }

private:
    double m_x0, m_y0, m_dx, m_dy;
};

class ProgramText {
public:
    ProgramText(const MachiningPlan& plan, const MachineProfile& profile)
        : m_profile(profile), m_frame(plan, profile), m_end(profile.CrLf ? "\r\n" : "\n")
    {
    }

    void write(const MachiningPlan& plan, const std::vector<std::string>& notes)
    {
        freeLines(m_profile.Header, false);
        comment((plan.kind == ProgramKind::Hinges ? kHingeProgram : kLockProgram) + std::string(" ") + plan.doorName);
        for (const std::string& note : notes)
            comment(note);
        freeLines(m_profile.StartLine, true);
        line("G21 G90 G17");
        for (const ToolUse& use : plan.uses)
            toolUse(use);
        freeLines(m_profile.Footer, false);
        line("M30");
        // A tape that opens with "%" ends with one.
        if ((percentLines(m_profile.Header) + percentLines(m_profile.Footer)) % 2 != 0)
            raw("%");
    }

    std::string take() { return std::move(m_text); }

private:
    void toolUse(const ToolUse& use)
    {
        const KnifeInfo& tool = use.tool;
        comment(kTool + std::to_string(tool.ID) + " " + kDiameter + number(tool.Diameter, 2));
        m_letters = use.frame.edge ? std::array<std::string, 3>{m_profile.SideAxisX, m_profile.SideAxisY, m_profile.SideAxisZ}
                                   : std::array<std::string, 3>{"X", "Y", "Z"};
        m_edge = use.frame.edge;
        // Each use states every axis afresh.
        m_last = {};
        m_feed = std::to_string(tool.Vel);
        m_plungeFeed = std::to_string(PlungeFeed(tool));
        m_use = use.frame;
        // The head goes up to its travel height before the air and the
        // spindle are switched.
        bool started = false;
        for (std::size_t i = 0; i < use.moves.size(); ++i) {
            const Move& move = use.moves[i];
            if (!started && move.kind != MoveKind::Retract) {
                freeLines(tool.AirForward, true);
                freeLines(tool.DrillStart, true);
                started = true;
            }
            if (!repeatsCycleApproach(use.moves, i))
                step(move);
        }
        endCycle();
        freeLines(tool.DrillStop, true);
        freeLines(tool.AirBack, true);
    }

    // A drilling cycle moves from hole to hole at its R plane by itself: the
    // rapid there before the next hole of the same cycle is left out, so that
    // the cycle stays on over the holes of one tool.
    bool repeatsCycleApproach(const std::vector<Move>& moves, std::size_t i) const
    {
        if (!m_inCycle || moves[i].kind != MoveKind::Rapid)
            return false;
        for (std::size_t k = i + 1; k < moves.size(); ++k) {
            if (moves[k].kind == MoveKind::Note)
                continue;
            return moves[k].kind == MoveKind::Drill && std::abs(moves[i].to.z - m_cycleR) < kZeroBelow &&
                   std::abs(moves[k].retract - m_cycleR) < kZeroBelow;
        }
        return false;
    }

    void step(const Move& move)
    {
        if (move.kind != MoveKind::Drill && move.kind != MoveKind::Note)
            endCycle();
        switch (move.kind) {
        case MoveKind::Note:
            comment(FeatureName(move.feature));
            break;
        case MoveKind::Retract:
            motion("G0", {depthWord(m_edge ? move.to.y : move.to.z)});
            break;
        case MoveKind::Rapid:
            motion("G0", words(move.to));
            break;
        case MoveKind::Feed:
            motion("G1", withFeed(words(move.to), m_feed));
            break;
        case MoveKind::Plunge:
            motion("G1", withFeed(words(move.to), m_plungeFeed));
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

    // The words of the axes whose value changes, in the order of the letters.
    std::vector<std::string> words(const position& p)
    {
        std::vector<std::string> out;
        const double machine[3] = {m_frame.x(p.x), m_frame.y(p.y), p.z};
        for (int axis = 0; axis < 3; ++axis)
            if (std::string w = word(axis, machine[axis]); !w.empty())
                out.push_back(std::move(w));
        return out;
    }

    // The axis's word, or nothing when the axis already stands at the value.
    std::string word(int axis, double value, bool always = false)
    {
        const std::string text = number(value, 3);
        if (!always && m_last[axis] == text)
            return {};
        remember(axis, value);
        return m_letters[axis] + text;
    }

    void remember(int axis, double value)
    {
        m_last[axis] = number(value, 3);
        m_value[axis] = value;
    }

    // The depth axis: z on the top face, the side head's y in the lock edge.
    int depthAxis() const { return m_edge ? 1 : 2; }
    std::string depthWord(double leafValue, bool always = false)
    {
        return word(depthAxis(), m_edge ? m_frame.y(leafValue) : leafValue, always);
    }

    std::vector<std::string> withFeed(std::vector<std::string> words, const std::string& feed)
    {
        if (!words.empty() && m_lastFeed != feed) {
            words.push_back("F" + feed);
            m_lastFeed = feed;
        }
        return words;
    }

    void arc(const Move& move)
    {
        const bool cw = (move.kind == MoveKind::ArcCw) != m_frame.mirrors();
        // I and J lead from the start, where the tool is, to the centre.
        const std::string i = "I" + number(m_frame.x(move.centre.x) - m_value[0], 3);
        const std::string j = "J" + number(m_frame.y(move.centre.y) - m_value[1], 3);
        std::vector<std::string> w{word(0, m_frame.x(move.to.x), true), word(1, m_frame.y(move.to.y), true),
                                   word(2, move.to.z), i, j};
        motion(cw ? "G2" : "G3", withFeed(std::move(w), m_feed));
    }

    void drill(const Move& move)
    {
        if (m_profile.CannedCycles && !m_edge) {
            cycle(move);
            return;
        }
        // Face holes lie in the machine's X/Y, lock-edge holes in its X/Z.
        const int across = m_edge ? 2 : 1;
        motion("G0", {word(0, m_frame.x(move.to.x)), word(across, m_edge ? move.to.z : m_frame.y(move.to.y))});
        double reached = 0.0;
        for (const double step : PeckDepths(depthOf(move.to), move.peck)) {
            if (reached > 0.0) {
                motion("G0", {depthWord(move.retract, true)});
                motion("G0", {depthWord(axisAt(reached - kPeckClearance), true)});
            }
            motion("G1", withFeed({depthWord(axisAt(step), true)}, m_plungeFeed));
            reached = step;
        }
        motion("G0", {depthWord(move.retract, true)});
    }

    // Depth below the surface of the use's frame, and back.
    double depthOf(const position& p) const { return m_use.edge ? m_use.inward * (p.y - m_use.edgeY) : -p.z; }
    double axisAt(double depth) const { return m_use.edge ? m_use.edgeY + m_use.inward * depth : -depth; }

    // G81, or G83 with its pecking depth Q; G99 brings the drill back to the
    // R plane after each hole.
    void cycle(const Move& move)
    {
        const std::string code = move.peck > 0.0 && -move.to.z > move.peck ? "G83" : "G81";
        const bool fresh = !m_inCycle || code != m_cycleCode || move.retract != m_cycleR;
        if (m_inCycle && fresh)
            endCycle();
        std::vector<std::string> w{word(0, m_frame.x(move.to.x), true), word(1, m_frame.y(move.to.y), true)};
        const std::string z = "Z" + number(move.to.z, 3);
        if (fresh || z != m_cycleZ)
            w.push_back(z);
        if (fresh)
            w.push_back("R" + number(move.retract, 3));
        if (fresh && code == "G83")
            w.push_back("Q" + number(move.peck, 3));
        w = withFeed(std::move(w), m_plungeFeed);
        motion(fresh ? "G99 " + code : code, std::move(w));
        m_inCycle = true;
        m_cycleCode = code;
        m_cycleR = move.retract;
        m_cycleZ = z;
        remember(2, move.retract);
    }

    void endCycle()
    {
        if (m_inCycle)
            line("G80");
        m_inCycle = false;
    }

    void motion(const std::string& code, const std::vector<std::string>& words)
    {
        std::string text;
        for (const std::string& w : words)
            if (!w.empty())
                text += " " + w;
        if (text.empty())
            return;
        line(code + text);
    }

    void comment(std::string text)
    {
        if (!m_profile.Comments)
            return;
        for (char& c : text)
            if (c == '(' || c == ')')
                c = c == '(' ? '[' : ']';
        line("(" + text + ")");
    }

    // Free texts, one line per line of the text; empty lines are dropped.
    void freeLines(const std::string& text, bool numbered)
    {
        for (const std::string_view piece : textLines(text))
            numbered ? line(std::string(piece)) : raw(std::string(piece));
    }

    static int percentLines(const std::string& text)
    {
        int count = 0;
        for (std::string_view piece : textLines(text)) {
            while (!piece.empty() && piece.back() == ' ')
                piece.remove_suffix(1);
            count += piece == "%";
        }
        return count;
    }

    void line(const std::string& text)
    {
        if (m_profile.LineNumbers > 0) {
            m_number += m_profile.LineNumbers;
            raw("N" + std::to_string(m_number) + " " + text);
        } else {
            raw(text);
        }
    }

    void raw(const std::string& text)
    {
        m_text += text;
        m_text += m_end;
    }

    const MachineProfile& m_profile;
    MachineFrame m_frame;
    std::string m_end;
    std::string m_text;
    long m_number = 0;
    std::array<std::string, 3> m_letters{"X", "Y", "Z"};
    std::array<std::string, 3> m_last;
    std::array<double, 3> m_value{};
    std::string m_feed;
    std::string m_plungeFeed;
    std::string m_lastFeed;
    std::string m_cycleCode;
    std::string m_cycleZ;
    double m_cycleR = 0.0;
    WorkFrame m_use;
    bool m_edge = false;
    bool m_inCycle = false;
};

} // namespace

std::string WriteGcode(const MachiningPlan& plan, const MachineProfile& profile, const std::vector<std::string>& notes)
{
    ProgramText text(plan, profile);
    text.write(plan, notes);
    return text.take();
}

SaveResult SaveGcodeFile(const MachiningPlan& plan, const MachineProfile& profile, const std::string& path)
{
    return SaveTextAtomically(WriteGcode(plan, profile), path);
}
