#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// The name of a model as the case-insensitive lookups see it: ASCII letters
// folded to lower case, the two bytes of a GBK double-byte character kept.
// Two names are equal without regard to case exactly when their keys are equal.
std::string NameKey(const std::string& gbkName);

// Index of a model list by name key, for lookups that would otherwise walk the
// whole list for every door read. The list only grows by appending, so the
// index catches up with new tail entries on each use; an entry replaced in
// place is noticed on a hit, and the index is then built anew.
class NameIndex {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // Position of the first entry indexed under the key, or npos.
    std::size_t first(const std::string& key) const;
    // Entries indexed so far (the list's head).
    std::size_t size() const { return m_entries.size(); }
    // The identity of the entry indexed at the position.
    const void* entry(std::size_t i) const { return m_entries[i]; }
    // Indexes the next list entry; an earlier entry of the same key wins.
    void append(const void* entry, const std::string& name);
    void clear();

private:
    std::unordered_map<std::string, std::size_t> m_first;
    std::vector<const void*> m_entries;
};
