#include <library/XmlNesting.h>

namespace {
// Bytes after "<" that make the parser open an element: its name test takes
// ASCII letters, the underscore and every byte from 127 (DEL) up.
bool mayStartName(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x7F;
}

// Position just after the end marker, or the end of the text.
std::size_t skipPast(std::string_view text, std::size_t from, std::string_view marker)
{
    const std::size_t at = text.find(marker, from);
    return at == std::string_view::npos ? text.size() : at + marker.size();
}

class NestingCounter {
public:
    NestingCounter(std::string_view text, int maxDepth) : m_text(text), m_maxDepth(maxDepth) {}

    bool run()
    {
        std::size_t i = 0;
        while (i < m_text.size() && m_depth <= m_maxDepth) {
            if (m_text[i] != '<') {
                ++i;
                continue;
            }
            const std::string_view rest = m_text.substr(i);
            if (rest.starts_with("<!--"))
                i = skipPast(m_text, i + 4, "-->");
            else if (rest.starts_with("<![CDATA["))
                i = skipPast(m_text, i + 9, "]]>");
            else if (rest.starts_with("</")) {
                i = skipTag(i + 2);
                if (m_depth > 0)
                    --m_depth;
            } else {
                const bool opens = rest.size() > 1 && mayStartName(static_cast<unsigned char>(rest[1]));
                if (opens)
                    ++m_depth;
                bool selfClosing = false;
                i = skipTag(i + 1, &selfClosing);
                if (opens && selfClosing && m_depth > 0)
                    --m_depth;
            }
        }
        return m_depth <= m_maxDepth;
    }

private:
    // Scans to the end of a tag, stepping over quoted values; every "<" met on
    // the way counts as an opening so that nothing hidden in a value can be
    // missed. Returns the position after the closing ">".
    std::size_t skipTag(std::size_t i, bool* selfClosing = nullptr)
    {
        char quote = 0;
        for (; i < m_text.size(); ++i) {
            const char c = m_text[i];
            if (c == '<' && i + 1 < m_text.size() && mayStartName(static_cast<unsigned char>(m_text[i + 1])))
                ++m_depth;
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                if (selfClosing)
                    *selfClosing = i > 0 && m_text[i - 1] == '/';
                return i + 1;
            }
        }
        return i;
    }

    std::string_view m_text;
    int m_maxDepth;
    int m_depth = 0;
};
} // namespace

bool NestingWithin(std::string_view text, int maxDepth)
{
    return NestingCounter(text, maxDepth).run();
}
