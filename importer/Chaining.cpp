#include <importer/Chaining.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

double distance(const position& a, const position& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// A query looks at no more than this many end points of one cell. Only a
// hostile drawing puts more distinct end points into one cell of the join
// tolerance; the cap keeps its chaining linear at the price of a join that may
// not be the nearest one.
constexpr std::size_t kMaxScanPerCell = 64;

// End points of all pieces, bucketed in square cells of the join tolerance:
// any two points within the tolerance lie in the same or adjacent cells. The
// cells form an open-addressing hash table whose slots point into one array
// of end points grouped by cell, built in two linear passes. The end points
// of a piece leave their cells once the piece is used, so a query only ever
// sees free ones, however many ends coincide.
class EndpointGrid {
public:
    EndpointGrid(const std::vector<Piece>& pieces, double cell, std::size_t* steps)
        : m_pieces(pieces), m_cell(cell), m_steps(steps)
    {
        const std::size_t count = pieces.size() * 2;
        // At least twice as many slots as end points: the table is never more
        // than half full, so every probe sequence reaches an empty slot soon,
        // whether the end points pair up or not.
        std::size_t capacity = 16;
        while (capacity < 2 * count)
            capacity *= 2;
        m_slots.assign(capacity, Slot{});
        m_mask = capacity - 1;

        m_slotOf.resize(count);
        for (std::size_t id = 0; id < count; ++id) {
            const position& p = endpoint(id);
            m_slotOf[id] = static_cast<std::uint32_t>(findOrInsert(pack(cellOf(p.x), cellOf(p.y))));
            ++m_slots[m_slotOf[id]].size;
        }
        std::uint32_t start = 0;
        for (Slot& slot : m_slots) {
            slot.start = start;
            start += slot.size;
            slot.size = 0;
        }
        m_points.resize(count);
        m_indexOf.resize(count);
        for (std::size_t id = 0; id < count; ++id) {
            Slot& slot = m_slots[m_slotOf[id]];
            const position& p = endpoint(id);
            m_indexOf[id] = slot.start + slot.size++;
            m_points[m_indexOf[id]] = {p.x, p.y, id};
        }
    }

    // The free end point nearest to p within `join`, as 2 * piece + (0 start,
    // 1 end); kNone when there is none.
    std::size_t nearestFree(const position& p, double join) const
    {
        const std::int64_t cx = cellOf(p.x), cy = cellOf(p.y);
        std::size_t best = kNone;
        double bestDistance = join;
        // The point's own cell first: drawings mostly repeat end points
        // exactly, and an exact match ends the search.
        if (searchCell(pack(cx, cy), p, best, bestDistance))
            return best;
        for (std::int64_t dx = -1; dx <= 1; ++dx)
            for (std::int64_t dy = -1; dy <= 1; ++dy)
                if ((dx != 0 || dy != 0) && searchCell(pack(cx + dx, cy + dy), p, best, bestDistance))
                    return best;
        return best;
    }

    // Takes both end points of a piece out of their cells.
    void remove(std::size_t piece)
    {
        removeEndpoint(2 * piece);
        removeEndpoint(2 * piece + 1);
    }

    const position& endpoint(std::size_t id) const
    {
        const auto& pts = m_pieces[id / 2].points;
        return id % 2 ? pts.back() : pts.front();
    }

private:
    // A slot is taken when it has a key; `size` counts its free end points.
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t start = 0;
        std::uint32_t size = 0;
        bool taken = false;
    };
    struct Point {
        double x, y;
        std::size_t id;
    };

    void step() const
    {
        if (m_steps)
            ++*m_steps;
    }

    std::size_t findOrInsert(std::uint64_t key)
    {
        std::size_t i = mix(key) & m_mask;
        while (m_slots[i].taken && m_slots[i].key != key) {
            step();
            i = (i + 1) & m_mask;
        }
        m_slots[i].key = key;
        m_slots[i].taken = true;
        return i;
    }

    const Slot* find(std::uint64_t key) const
    {
        std::size_t i = mix(key) & m_mask;
        while (m_slots[i].taken) {
            step();
            if (m_slots[i].key == key)
                return &m_slots[i];
            i = (i + 1) & m_mask;
        }
        return nullptr;
    }

    // Swaps the end point with the last free one of its cell and shrinks the cell.
    void removeEndpoint(std::size_t id)
    {
        Slot& slot = m_slots[m_slotOf[id]];
        const std::uint32_t last = slot.start + slot.size - 1;
        const std::uint32_t at = m_indexOf[id];
        std::swap(m_points[at], m_points[last]);
        m_indexOf[m_points[at].id] = at;
        m_indexOf[id] = last;
        --slot.size;
    }

    // Updates best with the end points of one cell; true on an exact match.
    bool searchCell(std::uint64_t key, const position& p, std::size_t& best, double& bestDistance) const
    {
        const Slot* slot = find(key);
        if (!slot)
            return false;
        const std::size_t end = slot->start + std::min<std::size_t>(slot->size, kMaxScanPerCell);
        for (std::size_t k = slot->start; k < end; ++k) {
            step();
            const Point& q = m_points[k];
            const double d = std::hypot(p.x - q.x, p.y - q.y);
            if (d <= bestDistance) {
                best = q.id;
                bestDistance = d;
                if (d == 0.0)
                    return true;
            }
        }
        return false;
    }

    std::int64_t cellOf(double v) const { return static_cast<std::int64_t>(std::floor(v / m_cell)); }
    static std::uint64_t pack(std::int64_t cx, std::int64_t cy)
    {
        return static_cast<std::uint64_t>(cx) << 32 ^ static_cast<std::uint64_t>(cy);
    }
    static std::uint64_t mix(std::uint64_t key)
    {
        key ^= key >> 33;
        key *= 0xFF51AFD7ED558CCDull;
        key ^= key >> 33;
        return key;
    }

    const std::vector<Piece>& m_pieces;
    double m_cell;
    std::size_t* m_steps;
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    std::vector<Point> m_points;
    std::vector<std::uint32_t> m_slotOf;  // slot of each end point
    std::vector<std::uint32_t> m_indexOf; // place of each end point in m_points
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

std::vector<Chain> chainPieces(std::vector<Piece> pieces, double join, std::size_t* steps)
{
    std::erase_if(pieces, [](const Piece& p) { return p.points.size() < 2; });
    std::vector<Chain> chains;
    if (pieces.empty())
        return chains;
    EndpointGrid grid(pieces, join, steps);
    std::vector<char> used(pieces.size(), 0);
    const auto use = [&](std::size_t piece) {
        used[piece] = 1;
        grid.remove(piece);
    };

    for (std::size_t first = 0; first < pieces.size(); ++first) {
        if (used[first])
            continue;
        use(first);
        const position head = pieces[first].points.front();
        std::vector<Placed> forward{{first, false}};
        position tail = pieces[first].points.back();
        bool closed = distance(head, tail) <= join && pieces[first].points.size() > 2;
        while (!closed) {
            const std::size_t id = grid.nearestFree(tail, join);
            if (id == kNone)
                break;
            const std::size_t piece = id / 2;
            const bool reversed = id % 2 == 1;
            use(piece);
            forward.push_back({piece, reversed});
            tail = grid.endpoint(reversed ? 2 * piece : 2 * piece + 1);
            closed = distance(head, tail) <= join;
        }
        std::vector<Placed> backward;
        position front = head;
        while (!closed) {
            const std::size_t id = grid.nearestFree(front, join);
            if (id == kNone)
                break;
            const std::size_t piece = id / 2;
            // The piece ends at the chain's front when matched by its end point.
            const bool reversed = id % 2 == 0;
            use(piece);
            backward.push_back({piece, reversed});
            front = grid.endpoint(reversed ? 2 * piece + 1 : 2 * piece);
            closed = distance(front, tail) <= join;
        }

        Chain chain;
        std::size_t total = 0;
        for (const Placed& placed : forward)
            total += pieces[placed.piece].points.size();
        for (const Placed& placed : backward)
            total += pieces[placed.piece].points.size();
        chain.points.reserve(total);
        chain.tags.reserve(forward.size() + backward.size());
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
