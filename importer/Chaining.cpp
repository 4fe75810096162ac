#include <importer/Chaining.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace {

constexpr std::size_t kNone = EndpointIndex::kNone;
// Slots per cell at most before the table grows: it stays at least half
// empty, so every probe sequence reaches an empty slot soon.
constexpr std::size_t kMinSlotsPerCell = 2;
constexpr std::size_t kInitialSlots = 64;

double distance(const position& a, const position& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// A query looks at no more than this many end points of one cell. Only a
// hostile drawing puts more distinct end points into one cell of the join
// tolerance; the cap keeps its chaining linear at the price of a join that may
// not be the nearest one.
constexpr std::size_t kMaxScanPerCell = 64;

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

std::uint64_t mix(std::uint64_t key)
{
    key ^= key >> 33;
    key *= 0xFF51AFD7ED558CCDull;
    key ^= key >> 33;
    return key;
}

std::uint64_t pack(std::int64_t cx, std::int64_t cy)
{
    return static_cast<std::uint64_t>(cx) << 32 ^ static_cast<std::uint64_t>(cy);
}

} // namespace

EndpointIndex::EndpointIndex(double join, std::size_t* steps) : m_join(join), m_steps(steps)
{
    m_slots.resize(kInitialSlots);
}

void EndpointIndex::step() const
{
    if (m_steps)
        ++*m_steps;
}

std::uint64_t EndpointIndex::keyOf(const position& p) const
{
    return pack(static_cast<std::int64_t>(std::floor(p.x / m_join)), static_cast<std::int64_t>(std::floor(p.y / m_join)));
}

std::uint32_t EndpointIndex::findCell(std::uint64_t key) const
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = mix(key) & mask;
    while (m_slots[i].cell != kNil) {
        step();
        if (m_slots[i].key == key)
            return m_slots[i].cell;
        i = (i + 1) & mask;
    }
    return kNil;
}

std::uint32_t EndpointIndex::findOrInsert(std::uint64_t key)
{
    if ((m_cells.size() + 1) * kMinSlotsPerCell > m_slots.size())
        grow();
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = mix(key) & mask;
    while (m_slots[i].cell != kNil && m_slots[i].key != key) {
        step();
        i = (i + 1) & mask;
    }
    if (m_slots[i].cell == kNil) {
        m_slots[i] = Slot{key, static_cast<std::uint32_t>(m_cells.size())};
        m_cells.emplace_back();
    }
    return m_slots[i].cell;
}

// Doubles the table; the cells stay as they are, only their slots move.
void EndpointIndex::grow()
{
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.cell == kNil)
            continue;
        std::size_t i = mix(slot.key) & mask;
        while (m_slots[i].cell != kNil)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

void EndpointIndex::add(const position& start, const position& end)
{
    for (const position& p : {start, end}) {
        const auto id = static_cast<std::uint32_t>(m_points.size());
        const std::uint32_t c = findOrInsert(keyOf(p));
        Cell& cell = m_cells[c];
        m_points.push_back(p);
        m_used.push_back(0);
        m_cellOf.push_back(c);
        m_next.push_back(kNil);
        m_prev.push_back(cell.tail);
        if (cell.tail == kNil)
            cell.head = id;
        else
            m_next[cell.tail] = id;
        cell.tail = id;
    }
}

void EndpointIndex::unlink(Cell& cell, std::uint32_t id)
{
    const std::uint32_t prev = m_prev[id], next = m_next[id];
    if (prev == kNil)
        cell.head = next;
    else
        m_next[prev] = next;
    if (next == kNil)
        cell.tail = prev;
    else
        m_prev[next] = prev;
}

void EndpointIndex::remove(std::size_t piece)
{
    m_used[2 * piece] = 1;
    m_used[2 * piece + 1] = 1;
}

bool EndpointIndex::searchCell(std::uint32_t c, const position& p, std::size_t& best, double& bestDistance)
{
    Cell& cell = m_cells[c];
    std::uint32_t id = cell.head;
    for (std::size_t scanned = 0; id != kNil && scanned < kMaxScanPerCell; id = m_next[id]) {
        step();
        if (m_used[id]) {
            unlink(cell, id); // its successor stays reachable through m_next[id]
            continue;
        }
        ++scanned;
        const position& q = m_points[id];
        const double d = distance(p, q);
        if (d <= bestDistance) {
            best = id;
            bestDistance = d;
            if (d == 0.0)
                return true;
        }
    }
    return false;
}

std::size_t EndpointIndex::nearestFree(std::size_t from)
{
    const position p = m_points[from];
    std::size_t best = kNone;
    double bestDistance = m_join;
    // The point's own cell first: drawings mostly repeat end points exactly,
    // and an exact match ends the search.
    step();
    if (searchCell(m_cellOf[from], p, best, bestDistance))
        return best;
    const auto cx = static_cast<std::int64_t>(std::floor(p.x / m_join));
    const auto cy = static_cast<std::int64_t>(std::floor(p.y / m_join));
    for (std::int64_t dx = -1; dx <= 1; ++dx)
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0)
                continue;
            const std::uint32_t c = findCell(pack(cx + dx, cy + dy));
            if (c != kNil && searchCell(c, p, best, bestDistance))
                return best;
        }
    return best;
}

std::vector<Chain> chainPieces(std::vector<Piece> pieces, double join, std::size_t* steps)
{
    std::erase_if(pieces, [](const Piece& p) { return p.points.size() < 2; });
    EndpointIndex index(join, steps);
    for (const Piece& piece : pieces)
        index.add(piece.points.front(), piece.points.back());
    return chainPieces(pieces, std::move(index));
}

std::vector<Chain> chainPieces(const std::vector<Piece>& pieces, EndpointIndex grid)
{
    std::vector<Chain> chains;
    if (pieces.empty())
        return chains;
    const double join = grid.join();
    std::vector<char> used(pieces.size(), 0);
    const auto use = [&](std::size_t piece) {
        used[piece] = 1;
        grid.remove(piece);
    };

    // The pieces of the chain being built, kept from chain to chain so that
    // a drawing of many small outlines allocates them once.
    std::vector<Placed> forward, backward;
    for (std::size_t first = 0; first < pieces.size(); ++first) {
        if (used[first])
            continue;
        use(first);
        // The chain's ends as end points of its pieces.
        const std::size_t head = 2 * first;
        forward.assign(1, Placed{first, false});
        std::size_t tail = 2 * first + 1;
        bool closed = distance(grid.endpoint(head), grid.endpoint(tail)) <= join && pieces[first].points.size() > 2;
        while (!closed) {
            const std::size_t id = grid.nearestFree(tail);
            if (id == kNone)
                break;
            const std::size_t piece = id / 2;
            const bool reversed = id % 2 == 1;
            use(piece);
            forward.push_back({piece, reversed});
            tail = reversed ? 2 * piece : 2 * piece + 1;
            closed = distance(grid.endpoint(head), grid.endpoint(tail)) <= join;
        }
        backward.clear();
        std::size_t front = head;
        while (!closed) {
            const std::size_t id = grid.nearestFree(front);
            if (id == kNone)
                break;
            const std::size_t piece = id / 2;
            // The piece ends at the chain's front when matched by its end point.
            const bool reversed = id % 2 == 0;
            use(piece);
            backward.push_back({piece, reversed});
            front = reversed ? 2 * piece + 1 : 2 * piece;
            closed = distance(grid.endpoint(front), grid.endpoint(tail)) <= join;
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
