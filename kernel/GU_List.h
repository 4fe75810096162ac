#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

// An ordered list of pointers that owns nothing. Whoever appends an entry
// keeps the duty of freeing it.
template <typename T = void>
class GU_List {
public:
    // Appends at the tail. Always succeeds; the result exists for callers
    // that want to check it.
    bool add_tail(T* item)
    {
        m_items.push_back(item);
        return true;
    }

    std::size_t count() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    T* operator[](std::size_t i) const { return m_items[i]; }
    void clear() { m_items.clear(); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<T*> m_items;
};

// An ordered list that owns its entries: appending hands the object over, and
// clearing or destroying the list frees every entry, head to tail.
template <typename T>
class GU_OwnedList {
public:
    GU_OwnedList() = default;
    GU_OwnedList(const GU_OwnedList&) = delete;
    GU_OwnedList& operator=(const GU_OwnedList&) = delete;
    GU_OwnedList(GU_OwnedList&&) noexcept = default;
    GU_OwnedList& operator=(GU_OwnedList&&) noexcept = default;
    ~GU_OwnedList() { clear(); }

    // Takes ownership of item (a null item is stored and skipped when freeing).
    bool add_tail(T* item)
    {
        m_items.emplace_back(item);
        return true;
    }
    bool add_tail(std::unique_ptr<T> item)
    {
        m_items.push_back(std::move(item));
        return true;
    }

    std::size_t count() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    T* operator[](std::size_t i) const { return m_items[i].get(); }

    // Replaces the entry at i, freeing the old one.
    void replace(std::size_t i, std::unique_ptr<T> item) { m_items[i] = std::move(item); }

    // Frees the entries from head to tail, then empties the list.
    void clear()
    {
        for (auto& item : m_items)
            item.reset();
        m_items.clear();
    }

    class const_iterator {
    public:
        using inner = typename std::vector<std::unique_ptr<T>>::const_iterator;
        explicit const_iterator(inner it) : m_it(it) {}
        T* operator*() const { return m_it->get(); }
        const_iterator& operator++()
        {
            ++m_it;
            return *this;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        inner m_it;
    };
    const_iterator begin() const { return const_iterator(m_items.begin()); }
    const_iterator end() const { return const_iterator(m_items.end()); }

private:
    std::vector<std::unique_ptr<T>> m_items;
};
