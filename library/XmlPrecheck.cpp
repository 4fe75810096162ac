#include <library/XmlPrecheck.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctype.h> // the class table behind isspace and isalpha
#include <vector>

namespace {
// Where the parser gives up; it reads nothing after that point.
constexpr std::size_t kStop = std::string_view::npos;

// Case folding with the char's own (possibly negative) value, as the parser
// folds it; the C library takes -128..255.
int fold(char c)
{
    return std::tolower(c);
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The parser's three classes of every byte under the locale in force. The
// parser asks isspace, isalpha and isalnum, which read the C library's class
// table of the locale. Asking per character, or even per byte value for
// each text, costs more than the whole walk of a small file: the classes are
// kept per thread beside a copy of the table they came from, and made anew
// only when the table differs.
class CharClasses {
public:
    static const CharClasses& current()
    {
        thread_local CharClasses classes;
        const unsigned short* table = *__ctype_b_loc();
        if (std::memcmp(classes.m_source, table, sizeof classes.m_source) != 0)
            classes.takeFrom(table);
        return classes;
    }

    bool white(char c) const { return flags(c) & kWhite; }
    bool nameStart(char c) const { return flags(c) & kNameStart; }
    bool nameChar(char c) const { return flags(c) & kNameChar; }

private:
    enum : unsigned char { kWhite = 1, kNameStart = 2, kNameChar = 4 };

    void takeFrom(const unsigned short* table)
    {
        std::memcpy(m_source, table, sizeof m_source);
        for (int byte = 0; byte < 256; ++byte) {
            const unsigned short is = table[byte];
            const bool ascii = byte < 127; // every byte from 127 up counts as a letter
            const bool white = (is & _ISspace) || byte == '\n' || byte == '\r';
            const bool nameStart = (ascii ? (is & _ISalpha) : true) || byte == '_';
            const bool nameChar = (ascii ? (is & _ISalnum) : true) || byte == '_' || byte == '-' || byte == '.' ||
                                  byte == ':';
            m_flags[byte] = (white ? kWhite : 0) | (nameStart ? kNameStart : 0) | (nameChar ? kNameChar : 0);
        }
    }

    unsigned char flags(char c) const { return m_flags[static_cast<unsigned char>(c)]; }

    unsigned short m_source[256] = {};
    unsigned char m_flags[256] = {};
};

constexpr std::string_view kEntities[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};

// Follows the parser through the text. Each step takes a position inside the
// text and returns the position after what it read, or kStop where the parser
// gives up or a count passes its limit. Recursion follows element nesting,
// which the depth limit bounds.
class Walk {
public:
    Walk(std::string_view text, const XmlCounts& limits)
        : m_text(text.substr(0, text.find('\0'))), m_limits(limits) // the parser reads up to a NUL
    {
    }

    XmlCounts run()
    {
        std::size_t p = skipWhite(0);
        while (at(p) == '<') {
            p = node(p);
            if (p == kStop)
                break;
            p = skipWhite(p);
        }
        return m_counts;
    }

private:
    // The byte at i, or NUL at and past the end (and at kStop).
    char at(std::size_t i) const { return i < m_text.size() ? m_text[i] : '\0'; }

    bool startsWith(std::size_t p, std::string_view tag, bool ignoreCase = false) const
    {
        if (p >= m_text.size() || m_text.size() - p < tag.size())
            return false;
        for (std::size_t i = 0; i < tag.size(); ++i) {
            // Equal bytes fold alike; only others need the locale's folding.
            const char c = m_text[p + i];
            if (c != tag[i] && (!ignoreCase || fold(c) != fold(tag[i])))
                return false;
        }
        return true;
    }

    std::size_t skipWhite(std::size_t p) const
    {
        while (p < m_text.size() && m_classes.white(m_text[p]))
            ++p;
        return p;
    }

    bool addNode()
    {
        return ++m_counts.nodes <= m_limits.nodes;
    }

    std::size_t name(std::size_t p) const
    {
        if (!m_classes.nameStart(at(p)))
            return kStop;
        while (at(p) && m_classes.nameChar(at(p)))
            ++p;
        return p;
    }

    // A node starting at "<", told apart as the parser tells it apart.
    std::size_t node(std::size_t p)
    {
        // Only "?" and "!" start the special nodes; no byte folds to either.
        const char second = at(p + 1);
        if (second == '?' && startsWith(p, "<?xml", true))
            return addNode() ? declaration(p + 5) : kStop;
        if (second == '!' && startsWith(p, "<!--"))
            return addNode() ? through(p + 4, "-->") : kStop;
        if (second == '!' && startsWith(p, "<![CDATA["))
            return addNode() ? cdata(p + 9) : kStop;
        if (m_classes.nameStart(at(p + 1)))
            return element(p);
        if (!addNode())
            return kStop;
        for (++p; at(p) && at(p) != '>'; ++p) {
        }
        return at(p) ? p + 1 : p;
    }

    // Up to and past the end marker, or the end of the text.
    std::size_t through(std::size_t p, std::string_view marker) const
    {
        while (at(p) && !startsWith(p, marker))
            ++p;
        return at(p) ? p + marker.size() : p;
    }

    std::size_t cdata(std::size_t p) const
    {
        p = through(p, "]]>");
        return at(p) ? p : kStop;
    }

    // Only the version, encoding and standalone attributes are read as
    // attributes; anything else is stepped over up to white space or ">".
    std::size_t declaration(std::size_t p) const
    {
        while (at(p)) {
            if (at(p) == '>')
                return p + 1;
            p = skipWhite(p);
            if (!at(p))
                return kStop;
            if (startsWith(p, "version", true) || startsWith(p, "encoding", true) || startsWith(p, "standalone", true)) {
                std::string_view ignored;
                p = attributeText(p, ignored);
                if (p == kStop)
                    return kStop;
            } else {
                while (at(p) && at(p) != '>' && !m_classes.white(at(p)))
                    ++p;
            }
        }
        return kStop;
    }

    std::size_t element(std::size_t p)
    {
        if (!addNode())
            return kStop;
        if (++m_depth > m_counts.depth)
            m_counts.depth = m_depth;
        if (m_depth > m_limits.depth)
            return kStop;
        p = skipWhite(p + 1);
        const std::size_t nameStart = p;
        p = name(p);
        if (!at(p))
            return kStop;
        const std::string_view elementName = m_text.substr(nameStart, p - nameStart);
        m_attributeNames.clear(); // those of an enclosing element are done with
        for (;;) {
            p = skipWhite(p);
            if (!at(p))
                return kStop;
            if (at(p) == '/')
                return at(p + 1) == '>' ? leave(p + 2) : kStop;
            if (at(p) == '>') {
                p = content(p + 1);
                if (!at(p) || !startsWith(p + 2, elementName))
                    return kStop; // content stops only at "</"
                p = skipWhite(p + 2 + elementName.size());
                return at(p) == '>' ? leave(p + 1) : kStop;
            }
            const int attributes = static_cast<int>(m_attributeNames.size()) + 1;
            m_counts.attributes = std::max(m_counts.attributes, attributes);
            if (!addNode() || attributes > m_limits.attributes)
                return kStop;
            std::string_view attributeName;
            p = attributeText(p, attributeName);
            if (!at(p) || repeated(attributeName))
                return kStop; // the parser refuses a repeated name
            m_attributeNames.push_back(attributeName);
        }
    }

    // Names are never empty; their first bytes settle most comparisons.
    bool repeated(std::string_view attributeName) const
    {
        for (const std::string_view earlier : m_attributeNames)
            if (earlier.size() == attributeName.size() && earlier[0] == attributeName[0] && earlier == attributeName)
                return true;
        return false;
    }

    std::size_t leave(std::size_t p)
    {
        --m_depth;
        return p;
    }

    // Texts and nodes up to the "</" that ends the element.
    std::size_t content(std::size_t p)
    {
        p = skipWhite(p);
        while (at(p)) {
            if (at(p) != '<') {
                if (!addNode())
                    return kStop;
                p = text(p, '<', true);
                if (p != kStop)
                    --p; // the "<" that ended the text starts the next node
            } else if (at(p + 1) == '/') {
                return p;
            } else {
                p = node(p);
            }
            if (p == kStop)
                return kStop;
            p = skipWhite(p);
        }
        return p;
    }

    // Name, "=" and value; a value in quotes runs to the same quote, with
    // entities read on the way.
    std::size_t attributeText(std::size_t p, std::string_view& attributeName) const
    {
        const std::size_t nameStart = skipWhite(p);
        p = name(nameStart);
        if (!at(p))
            return kStop;
        attributeName = m_text.substr(nameStart, p - nameStart);
        p = skipWhite(p);
        if (at(p) != '=')
            return kStop;
        p = skipWhite(p + 1);
        const char quote = at(p);
        if (quote == '\'')
            return text(p + 1, '\'', false);
        if (quote == '"')
            return text(p + 1, '"', false);
        for (; at(p) && !m_classes.white(at(p)) && at(p) != '/' && at(p) != '>'; ++p) {
            if (at(p) == '\'' || at(p) == '"')
                return kStop;
        }
        return at(p) ? p : kStop; // the element wants more after the value
    }

    // Characters up to the end marker and past it; with trim, leading white
    // space first. Gives up at the end of the text and where the text would
    // end right after the marker.
    std::size_t text(std::size_t p, char end, bool trim) const
    {
        if (trim)
            p = skipWhite(p);
        // Only an entity or the end marker stops the run, white space
        // included: the parser steps over both alike.
        const std::size_t size = m_text.size();
        while (p < size && m_text[p] != end) {
            if (m_text[p] == '&') {
                p = entity(p);
                if (p == kStop)
                    return kStop;
            } else {
                ++p;
            }
        }
        if (p < size)
            ++p;
        return p < size ? p : kStop;
    }

    // A character reference runs to the first ";" after it, whatever lies
    // between, as long as the digits just before the ";" reach back to the
    // "x" or "#"; the parser gives up on any other.
    std::size_t entity(std::size_t p) const
    {
        if (at(p + 1) == '#' && at(p + 2)) {
            const bool hex = at(p + 2) == 'x';
            if (hex && !at(p + 3))
                return kStop;
            const std::size_t semicolon = m_text.find(';', hex ? p + 3 : p + 2);
            if (semicolon == std::string_view::npos)
                return kStop;
            for (std::size_t q = semicolon - 1; at(q) != (hex ? 'x' : '#'); --q) {
                if (!(hex ? isHexDigit(at(q)) : isDigit(at(q))))
                    return kStop;
            }
            return semicolon + 1;
        }
        for (std::string_view named : kEntities)
            if (startsWith(p, named))
                return p + named.size();
        return p + 1;
    }

    std::string_view m_text;
    XmlCounts m_limits;
    XmlCounts m_counts;
    int m_depth = 0;
    // Of the element whose attributes are being read; the attribute limit
    // keeps the search for a repeated name short.
    std::vector<std::string_view> m_attributeNames;
    const CharClasses& m_classes = CharClasses::current();
};
} // namespace

XmlCounts CountXml(std::string_view text, const XmlCounts& limits)
{
    return Walk(text, limits).run();
}

bool XmlWithin(const XmlCounts& counts, const XmlCounts& limits)
{
    return counts.depth <= limits.depth && counts.attributes <= limits.attributes && counts.nodes <= limits.nodes;
}
