#include "Chaining.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

double distance(const position& a, const position& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// End points of all pieces, bucketed in square cells of the join tolerance:
// any two points within the tolerance lie in the same or adjacent cells.
class EndpointGrid {
public:
    EndpointGrid(const std::vector<Piece>& pieces, double cell) : m_pieces(pieces), m_cell(cell)
    {
        m_entries.reserve(pieces.size() * 2);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            m_entries.push_back({keyOf(pieces[i].points.front()), 2 * i});
            m_entries.push_back({keyOf(pieces[i].points.back()), 2 * i + 1});
        }
        std::sort(m_entries.begin(), m_entries.end());
        m_ranges.reserve(m_entries.size());
        for (std::size_t i = 0; i < m_entries.size();) {
            std::size_t j = i;
            while (j < m_entries.size() && m_entries[j].key == m_entries[i].key)
                ++j;
            m_ranges.emplace(m_entries[i].key, Range{i, j});
            i = j;
        }
    }

    // The end point nearest to p within `join` that belongs to a piece not yet
    // used, as 2 * piece + (0 start, 1 end); kNone when there is none.
    std::size_t nearestFree(const position& p, double join, const std::vector<char>& used) const
    {
        const std::int64_t cx = cellOf(p.x), cy = cellOf(p.y);
        std::size_t best = kNone;
        double bestDistance = join;
        for (std::int64_t dx = -1; dx <= 1; ++dx) {
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                const auto it = m_ranges.find(pack(cx + dx, cy + dy));
                if (it == m_ranges.end())
                    continue;
                for (std::size_t k = it->second.begin; k < it->second.end; ++k) {
                    const std::size_t id = m_entries[k].endpoint;
                    if (used[id / 2])
                        continue;
                    const double d = distance(p, endpoint(id));
                    if (d <= bestDistance) {
                        if (d == 0.0)
                            return id;
                        best = id;
                        bestDistance = d;
                    }
                }
            }
        }
        return best;
    }

    const position& endpoint(std::size_t id) const
    {
        const auto& pts = m_pieces[id / 2].points;
        return id % 2 ? pts.back() : pts.front();
    }

private:
    struct Entry {
        std::uint64_t key;
        std::size_t endpoint;
        bool operator<(const Entry& o) const { return key < o.key || (key == o.key && endpoint < o.endpoint); }
    };
    struct Range {
        std::size_t begin, end;
    };

    std::int64_t cellOf(double v) const { return static_cast<std::int64_t>(std::floor(v / m_cell)); }
    static std::uint64_t pack(std::int64_t cx, std::int64_t cy)
    {
        // Distinct cells may share a key; the distance check sorts them out.
        return static_cast<std::uint64_t>(cx) * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(cy);
    }
    std::uint64_t keyOf(const position& p) const { return pack(cellOf(p.x), cellOf(p.y)); }

    const std::vector<Piece>& m_pieces;
    double m_cell;
    std::vector<Entry> m_entries;
    std::unordered_map<std::uint64_t, Range> m_ranges;
};

// A piece placed in a chain, possibly reversed.
struct Placed {
    std::size_t piece;
    bool reversed;
};

void appendPiece(Chain& chain, const Piece& piece, bool reversed, bool skipFirst)
{
    const auto& pts = piece.points;
    if (!reversed)
        chain.points.insert(chain.points.end(), pts.begin() + (skipFirst ? 1 : 0), pts.end());
    else
        chain.points.insert(chain.points.end(), pts.rbegin() + (skipFirst ? 1 : 0), pts.rend());
    chain.tags.push_back(piece.tag);
}

} // namespace

std::vector<Chain> chainPieces(std::vector<Piece> pieces, double join)
{
    std::erase_if(pieces, [](const Piece& p) { return p.points.size() < 2; });
    std::vector<Chain> chains;
    if (pieces.empty())
        return chains;
    const EndpointGrid grid(pieces, join);
    std::vector<char> used(pieces.size(), 0);

    for (std::size_t first = 0; first < pieces.size(); ++first) {
        if (used[first])
            continue;
        used[first] = 1;
        const position head = pieces[first].points.front();
        std::vector<Placed> forward{{first, false}};
        position tail = pieces[first].points.back();
        bool closed = distance(head, tail) <= join && pieces[first].points.size() > 2;
        while (!closed) {
            const std::size_t id = grid.nearestFree(tail, join, used);
            if (id == kNone)
                break;
            const std::size_t piece = id / 2;
            const bool reversed = id % 2 == 1;
            used[piece] = 1;
            forward.push_back({piece, reversed});
            tail = grid.endpoint(reversed ? 2 * piece : 2 * piece + 1);
            closed = distance(head, tail) <= join;
        }
        std::vector<Placed> backward;
        position front = head;
        while (!closed) {
            const std::size_t id = grid.nearestFree(front, join, used);
            if (id == kNone)
                break;
            const std::size_t piece = id / 2;
            // The piece ends at the chain's front when matched by its end point.
            const bool reversed = id % 2 == 0;
            used[piece] = 1;
            backward.push_back({piece, reversed});
            front = grid.endpoint(reversed ? 2 * piece + 1 : 2 * piece);
            closed = distance(front, tail) <= join;
        }

        Chain chain;
        bool skipFirst = false;
        for (auto it = backward.rbegin(); it != backward.rend(); ++it, skipFirst = true)
            appendPiece(chain, pieces[it->piece], it->reversed, skipFirst);
        for (const Placed& placed : forward) {
            appendPiece(chain, pieces[placed.piece], placed.reversed, skipFirst);
            skipFirst = true;
        }
        chain.closed = closed;
        chain.gap = distance(chain.points.front(), chain.points.back());
        chains.push_back(std::move(chain));
    }
    return chains;
}
