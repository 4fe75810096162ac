#pragma once

#include <kernel/GU_Pt_List.h>
#include <kernel/position.h>

#include <cstddef>
#include <vector>

// A closed outline: its vertices in outline order. The edge from the last
// vertex back to the first closes it; the first vertex is not repeated.
class GU_Loop {
public:
    GU_Loop() = default;
    explicit GU_Loop(const GU_Pt_List& points) : m_vertices(points.points()) {}
    explicit GU_Loop(std::vector<position> vertices) : m_vertices(std::move(vertices)) {}

    std::size_t count() const { return m_vertices.size(); }
    bool empty() const { return m_vertices.empty(); }
    const position& vertex(std::size_t i) const { return m_vertices[i]; }

    auto begin() const { return m_vertices.begin(); }
    auto end() const { return m_vertices.end(); }

    const std::vector<position>& vertices() const { return m_vertices; }

private:
    std::vector<position> m_vertices;
};
