#pragma once

#include <kernel/position.h>

#include <cstddef>
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

// Joins pieces whose end points lie within `join` of each other, in either
// direction, using a hash grid of end points (linear expected time, however
// many end points coincide). Every piece ends up in exactly one chain; chains
// come out in the order of their first piece. When `steps` is given, the hash
// probes and end-point comparisons made are added to it.
std::vector<Chain> chainPieces(std::vector<Piece> pieces, double join, std::size_t* steps = nullptr);
