#pragma once

#include <kernel/position.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// An open piece of outline: a vertex chain from its start to its end, kept
// by the caller.
struct Piece {
    std::span<const position> points;
    std::size_t tag = 0; // caller's reference, e.g. the drawing order of the piece
};

// Pieces joined end to end.
struct Chain {
    std::vector<position> points; // the last point repeats the first for a closed chain
    std::vector<std::size_t> tags;  // tags of its pieces, in chain order
    bool closed = false;            // ends met within the join tolerance
    double gap = 0.0;               // distance between the chain's two ends
};

// The end points of pieces, bucketed in square cells of the join tolerance
// (any two points within it lie in the same or adjacent cells), filled piece
// by piece as pieces come. Each cell is a list in an open-addressing hash
// table; the ends of a piece are marked used with the piece and leave their
// lists when a query next comes across them, so a query only ever counts
// free ends, however many ends coincide, and using a piece costs no look-up. End point
// `2 * piece` is the start of a piece, `2 * piece + 1` its end.
class EndpointIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // When `steps` is given, the hash probes and end-point comparisons made
    // are added to it.
    explicit EndpointIndex(double join, std::size_t* steps = nullptr);

    // Adds the end points of the next piece.
    void add(const position& start, const position& end);
    std::size_t pieces() const { return m_points.size() / 2; }
    double join() const { return m_join; }

    // The free end point nearest to p within the join tolerance; kNone when
    // there is none.
    std::size_t nearestFree(const position& p);
    // Takes both end points of a piece out of the queries.
    void remove(std::size_t piece);
    const position& endpoint(std::size_t id) const { return m_points[id]; }

private:
    static constexpr std::uint32_t kNil = 0xFFFFFFFFu;
    static constexpr std::uint32_t kUnused = 0xFFFFFFFEu;
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t head = kUnused; // first free end point of the cell; kUnused for a slot no cell has
        std::uint32_t tail = kUnused;
    };

    std::uint64_t keyOf(const position& p) const;
    std::size_t findSlot(std::uint64_t key) const;
    std::size_t findOrInsert(std::uint64_t key);
    void grow();
    void unlink(Slot& slot, std::uint32_t id);
    bool searchCell(std::uint64_t key, const position& p, std::size_t& best, double& bestDistance);
    void step() const;

    double m_join;
    std::size_t* m_steps;
    std::vector<position> m_points;
    std::vector<std::uint32_t> m_next, m_prev; // neighbours of each end point in its cell's list
    std::vector<char> m_used;                  // per end point
    std::vector<Slot> m_slots;
    std::size_t m_cells = 0;
};

// Joins pieces whose end points lie within `join` of each other, in either
// direction (linear expected time, however many end points coincide). Every
// piece ends up in exactly one chain; chains come out in the order of their
// first piece.
std::vector<Chain> chainPieces(std::vector<Piece> pieces, double join, std::size_t* steps = nullptr);

// The same, with the end points already in `index`: those of exactly these
// pieces, in this order, each piece of at least two points.
std::vector<Chain> chainPieces(const std::vector<Piece>& pieces, EndpointIndex index);
