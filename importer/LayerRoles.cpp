#include <importer/LayerRoles.h>

#include <array>
#include <string_view>

namespace {

// Words a layer name may contain, already folded.
constexpr std::array<std::string_view, 6> kFrameWords{"图框", "边框", "标题栏", "FRAME", "BORDER", "TITLE"};
constexpr std::array<std::string_view, 11> kAnnotationWords{"中心线", "标注", "尺寸",  "文字", "剖面线", "填充",
                                                            "CENTER", "CENTRE", "DIM", "HATCH", "TEXT"};

// Full-width forms U+FF01 to U+FF5E stand for ASCII 0x21 to 0x7E; in UTF-8
// they are EF BC 81 to EF BD 9E. The ideographic space U+3000 is E3 80 80.
constexpr unsigned char kFullWidthLead = 0xEF;
constexpr unsigned kFullWidthFirst = 0xFF01;
constexpr unsigned kFullWidthLast = 0xFF5E;
constexpr unsigned kFullWidthOffset = 0xFEE0;
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

bool continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

bool containsAny(const std::string& name, const auto& words)
{
    for (const std::string_view word : words)
        if (name.find(word) != std::string::npos)
            return true;
    return false;
}

} // namespace

std::string foldLayerName(const std::string& utf8Name)
{
    std::string out;
    out.reserve(utf8Name.size());
    for (std::size_t i = 0; i < utf8Name.size();) {
        const auto c = static_cast<unsigned char>(utf8Name[i]);
        if (c == kFullWidthLead && i + 2 < utf8Name.size() && continuation(utf8Name[i + 1])
            && continuation(utf8Name[i + 2])) {
            const unsigned cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8Name[i + 1]) & 0x3Fu) << 6)
                                | (static_cast<unsigned char>(utf8Name[i + 2]) & 0x3Fu);
            if (cp >= kFullWidthFirst && cp <= kFullWidthLast) {
                out += static_cast<char>(cp - kFullWidthOffset);
                i += 3;
                continue;
            }
        }
        if (std::string_view(utf8Name).substr(i, kIdeographicSpace.size()) == kIdeographicSpace) {
            out += ' ';
            i += kIdeographicSpace.size();
            continue;
        }
        out += static_cast<char>(c);
        ++i;
    }
    for (char& ch : out)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return out;
}

LayerRole layerRoleOf(const std::string& utf8Name)
{
    const std::string name = foldLayerName(utf8Name);
    if (containsAny(name, kFrameWords))
        return LayerRole::Frame;
    if (containsAny(name, kAnnotationWords))
        return LayerRole::Annotation;
    return LayerRole::Ordinary;
}
