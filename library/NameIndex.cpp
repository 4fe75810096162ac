#include <library/NameIndex.h>

#include <library/GbkText.h>

std::string NameKey(const std::string& gbkName)
{
    std::string key = gbkName;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(key[i]);
        if (IsGbkLeadByte(c))
            ++i; // the trail byte stays as it is, even where it looks like a letter
        else if (c >= 'A' && c <= 'Z')
            key[i] = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

std::size_t NameIndex::first(const std::string& key) const
{
    const auto it = m_first.find(key);
    return it == m_first.end() ? npos : it->second;
}

void NameIndex::append(const void* entry, const std::string& name)
{
    m_first.try_emplace(NameKey(name), m_entries.size());
    m_entries.push_back(entry);
}

void NameIndex::clear()
{
    m_first.clear();
    m_entries.clear();
}
