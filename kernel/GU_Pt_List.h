#pragma once

#include <kernel/position.h>

#include <cstddef>
#include <vector>

// An ordered list of points. Factories copy the points they are given, so a
// caller may drop its list right after the call.
class GU_Pt_List {
public:
    GU_Pt_List() = default;
    GU_Pt_List(std::initializer_list<position> points) : m_points(points) {}
    virtual ~GU_Pt_List() = default;
    GU_Pt_List(const GU_Pt_List&) = default;
    GU_Pt_List& operator=(const GU_Pt_List&) = default;

    void add_tail(const position& p) { m_points.push_back(p); }
    std::size_t count() const { return m_points.size(); }
    bool empty() const { return m_points.empty(); }
    const position& operator[](std::size_t i) const { return m_points[i]; }
    void reserve(std::size_t n) { m_points.reserve(n); }

    auto begin() const { return m_points.begin(); }
    auto end() const { return m_points.end(); }

    const std::vector<position>& points() const { return m_points; }

private:
    std::vector<position> m_points;
};
