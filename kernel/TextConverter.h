#pragma once

#include <optional>
#include <string>
#include <string_view>

// Converts texts from one character set to another with the C library's
// iconv, strictly: a text with a sequence that does not convert gives
// nothing, never a text with something left out. Owns its conversion
// descriptor, which it closes however it ends.
class TextConverter {
public:
    // Character set names as iconv knows them ("UTF-8", "GBK", "CP1251").
    TextConverter(const char* to, const char* from);
    ~TextConverter();
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;

    // False when iconv knows no such conversion.
    bool valid() const;
    // The whole text converted; nothing when it does not convert or the
    // converter is not valid.
    std::optional<std::string> convert(std::string_view text);

private:
    void* m_descriptor;
};
