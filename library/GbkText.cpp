#include <library/GbkText.h>

#include <cerrno>
#include <iconv.h>

namespace {
// A GBK character never needs more than three UTF-8 bytes.
constexpr std::size_t kUtf8BytesPerGbkByte = 3;

class Converter {
public:
    Converter() : m_cd(iconv_open("UTF-8", "GBK")) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};
} // namespace

std::optional<std::string> GbkToUtf8(const std::string& gbk)
{
    Converter converter;
    if (!converter.valid())
        return std::nullopt;
    std::string input = gbk;
    std::string output(gbk.size() * kUtf8BytesPerGbkByte, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(converter.handle(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}
