#include <library/GbkText.h>

#include <cerrno>
#include <iconv.h>

namespace {
// A GBK character never needs more than three UTF-8 bytes, nor a UTF-8
// character more than two GBK bytes.
constexpr std::size_t kUtf8BytesPerGbkByte = 3;
constexpr std::size_t kGbkBytesPerUtf8Byte = 2;
constexpr const char* kGbk = "GBK";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kReplacement = "\xEF\xBF\xBD"; // U+FFFD

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of the input as it can and appends it to output; the
    // input is advanced past what was converted. False when it stopped early.
    bool convert(const char*& in, std::size_t& inLeft, std::string& output, std::size_t growth)
    {
        std::string buffer(inLeft * growth + 4, '\0');
        char* inPtr = const_cast<char*>(in);
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const bool done = iconv(m_cd, &inPtr, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1) &&
                          iconv(m_cd, nullptr, nullptr, &out, &outLeft) != static_cast<std::size_t>(-1);
        in = inPtr;
        output.append(buffer.data(), buffer.size() - outLeft);
        return done;
    }

private:
    iconv_t m_cd;
};

std::optional<std::string> convertStrictly(const char* to, const char* from, const std::string& text,
                                           std::size_t growth)
{
    Converter converter(to, from);
    if (!converter.valid())
        return std::nullopt;
    const char* in = text.data();
    std::size_t inLeft = text.size();
    std::string output;
    if (!converter.convert(in, inLeft, output, growth))
        return std::nullopt;
    return output;
}
} // namespace

std::optional<std::string> GbkToUtf8(const std::string& gbk)
{
    return convertStrictly(kUtf8, kGbk, gbk, kUtf8BytesPerGbkByte);
}

std::string GbkToUtf8ForDisplay(const std::string& gbk)
{
    Converter converter(kUtf8, kGbk);
    std::string output;
    if (!converter.valid())
        return output;
    const char* in = gbk.data();
    std::size_t inLeft = gbk.size();
    while (!converter.convert(in, inLeft, output, kUtf8BytesPerGbkByte) && inLeft > 0) {
        output += kReplacement;
        ++in;
        --inLeft;
    }
    return output;
}

std::optional<std::string> Utf8ToGbk(const std::string& utf8)
{
    std::optional<std::string> gbk = convertStrictly(kGbk, kUtf8, utf8, kGbkBytesPerUtf8Byte);
    // The C library drops some characters (the tag characters) without a
    // word; only a text that comes back whole counts as encodable.
    if (!gbk || GbkToUtf8(*gbk) != utf8)
        return std::nullopt;
    return gbk;
}
