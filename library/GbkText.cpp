#include <library/GbkText.h>

#include <kernel/TextConverter.h>

std::optional<std::string> GbkToUtf8(const std::string& gbk)
{
    return TextConverter("UTF-8", "GBK").convert(gbk);
}
