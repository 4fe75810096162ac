#include <library/ModelFileName.h>

#include <library/GbkText.h>

namespace {
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
} // namespace

std::string ModelNameProblem(const std::string& gbkName)
{
    if (gbkName == "." || gbkName == "..")
        return "the name \".\" or \"..\" cannot be a file name";
    for (std::size_t i = 0; i < gbkName.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(gbkName[i]);
        if (IsGbkLeadByte(c)) {
            ++i; // the trail byte may equal "\" and is part of the character
            continue;
        }
        if (c == '/' || c == '\\')
            return "the name contains \"/\" or \"\\\"";
        if (c < kFirstPrintable || c == kDelete)
            return "the name contains a control character";
    }
    if (!GbkToUtf8(gbkName))
        return "the name is not valid GBK text";
    return {};
}

bool IsValidModelName(const std::string& gbkName)
{
    return ModelNameProblem(gbkName).empty();
}

std::optional<std::string> ModelFilePath(const std::string& folderPath, const std::string& gbkName)
{
    if (!IsValidModelName(gbkName))
        return std::nullopt;
    return folderPath + *GbkToUtf8(gbkName) + ".xml";
}
