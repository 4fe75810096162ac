#include <kernel/TextConverter.h>

#include <cerrno>
#include <iconv.h>

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);
constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

iconv_t handle(void* descriptor)
{
    return static_cast<iconv_t>(descriptor);
}

} // namespace

TextConverter::TextConverter(const char* to, const char* from) : m_descriptor(iconv_open(to, from)) {}

TextConverter::~TextConverter()
{
    if (valid())
        iconv_close(handle(m_descriptor));
}

bool TextConverter::valid() const
{
    return handle(m_descriptor) != kNoDescriptor;
}

std::optional<std::string> TextConverter::convert(std::string_view text)
{
    if (!valid())
        return std::nullopt;
    const iconv_t cd = handle(m_descriptor);
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
    std::string input(text);                        // iconv takes its input by non-const pointer
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::string output(input.size() * 4 + 16, '\0');
    std::size_t used = 0;
    // Converts the whole input, then writes what ends a shifted state; the
    // output grows whenever it is full.
    bool flushing = false;
    for (;;) {
        char* out = output.data() + used;
        std::size_t outLeft = output.size() - used;
        const std::size_t rc =
            flushing ? iconv(cd, nullptr, nullptr, &out, &outLeft) : iconv(cd, &in, &inLeft, &out, &outLeft);
        used = output.size() - outLeft;
        if (rc == kFailed) {
            if (errno != E2BIG)
                return std::nullopt;
            output.resize(output.size() * 2);
            continue;
        }
        if (flushing)
            break;
        flushing = true;
    }
    output.resize(used);
    return output;
}
