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
// by piece as pieces come. Each cell is a list of its end points; cells are
// numbered in the order first met and found by an open-addressing hash
// table, and every end point keeps the number of its own cell, so a query
// from an end point finds its own cell without hashing. The ends of a piece
// are marked used with the piece and leave their lists when a query next
// comes across them, so a query only ever counts free ends, however many
// ends coincide, and using a piece costs no look-up. End point `2 * piece`
// is the start of a piece, `2 * piece + 1` its end.
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

    // The free end point nearest to end point `id` within the join
    // tolerance; kNone when there is none.
    std::size_t nearestFree(std::size_t id);
    // Takes both end points of a piece out of the queries.
    void remove(std::size_t piece);
    const position& endpoint(std::size_t id) const { return m_points[id]; }

private:
    static constexpr std::uint32_t kNil = 0xFFFFFFFFu;
    struct Cell {
        std::uint32_t head = kNil; // first free end point
        std::uint32_t tail = kNil;
    };
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t cell = kNil; // kNil for a slot no cell has
    };

    std::uint64_t keyOf(const position& p) const;
    std::uint32_t findCell(std::uint64_t key) const;
    std::uint32_t findOrInsert(std::uint64_t key);
    void grow();
    void unlink(Cell& cell, std::uint32_t id);
    bool searchCell(std::uint32_t cell, const position& p, std::size_t& best, double& bestDistance);
    void step() const;

    double m_join;
    std::size_t* m_steps;
    std::vector<position> m_points;
    std::vector<std::uint32_t> m_cellOf;       // per end point
    std::vector<std::uint32_t> m_next, m_prev; // neighbours of each end point in its cell's list
    std::vector<char> m_used;                  // per end point
    std::vector<Cell> m_cells;
    std::vector<Slot> m_slots;
};

// Joins pieces whose end points lie within `join` of each other, in either
// direction (linear expected time, however many end points coincide). Every
// piece ends up in exactly one chain; chains come out in the order of their
// first piece.
std::vector<Chain> chainPieces(std::vector<Piece> pieces, double join, std::size_t* steps = nullptr);

// The same, with the end points already in `index`: those of exactly these
// pieces, in this order, each piece of at least two points.
std::vector<Chain> chainPieces(const std::vector<Piece>& pieces, EndpointIndex index);
