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

// An ordered list of entries held through Holder (std::unique_ptr or
// std::shared_ptr): appending hands the object over, and clearing or
// destroying the list lets go of every entry, head to tail.
template <typename T, typename Holder>
class GU_HolderList {
public:
    GU_HolderList() = default;
    GU_HolderList(const GU_HolderList&) = delete;
    GU_HolderList& operator=(const GU_HolderList&) = delete;
    GU_HolderList(GU_HolderList&&) noexcept = default;
    GU_HolderList& operator=(GU_HolderList&&) noexcept = default;
    ~GU_HolderList() { clear(); }

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

    // Replaces the entry at i, letting go of the old one.
    void replace(std::size_t i, std::unique_ptr<T> item) { m_items[i] = std::move(item); }

    // Lets go of the entries from head to tail, then empties the list.
    void clear()
    {
        for (auto& item : m_items)
            item.reset();
        m_items.clear();
    }

    class const_iterator {
    public:
        using inner = typename std::vector<Holder>::const_iterator;
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

protected:
    std::vector<Holder> m_items;
};

// A list that owns its entries alone: clearing or destroying it frees them.
template <typename T>
class GU_OwnedList : public GU_HolderList<T, std::unique_ptr<T>> {
};

// A list whose entries others may share: what holds a share of an entry
// (a door its hinge model, a pane its rows' models) keeps it alive after
// the list has let go of it.
template <typename T>
class GU_SharedList : public GU_HolderList<T, std::shared_ptr<T>> {
public:
    // A share of the entry at i.
    std::shared_ptr<T> share(std::size_t i) const { return this->m_items[i]; }
    // Puts a shared entry at the tail.
    void add_shared(std::shared_ptr<T> item) { this->m_items.push_back(std::move(item)); }
    // Puts a shared entry before the entry at i (at the tail when i is the count).
    void insert_shared(std::size_t i, std::shared_ptr<T> item)
    {
        this->m_items.insert(this->m_items.begin() + static_cast<std::ptrdiff_t>(i), std::move(item));
    }
    // Takes the entry at i out of the list; the entries after it move up.
    std::shared_ptr<T> take(std::size_t i)
    {
        std::shared_ptr<T> item = std::move(this->m_items[i]);
        this->m_items.erase(this->m_items.begin() + static_cast<std::ptrdiff_t>(i));
        return item;
    }
};
