#include <library/ModelFileName.h>

#include <library/GbkText.h>

namespace {
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
} // namespace

ModelNameProblem CheckModelName(const std::string& gbkName)
{
    if (gbkName == "." || gbkName == "..")
        return ModelNameProblem::DotName;
    for (std::size_t i = 0; i < gbkName.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(gbkName[i]);
        if (IsGbkLeadByte(c)) {
            ++i; // the trail byte may equal "\" and is part of the character
            continue;
        }
        if (c == '/' || c == '\\')
            return ModelNameProblem::Separator;
        if (c < kFirstPrintable || c == kDelete)
            return ModelNameProblem::ControlCharacter;
    }
    if (!GbkToUtf8(gbkName))
        return ModelNameProblem::NotGbk;
    return ModelNameProblem::None;
}

bool IsValidModelName(const std::string& gbkName)
{
    return CheckModelName(gbkName) == ModelNameProblem::None;
}

std::optional<std::string> ModelFilePath(const std::string& folderPath, const std::string& gbkName)
{
    if (!IsValidModelName(gbkName))
        return std::nullopt;
    return folderPath + *GbkToUtf8(gbkName) + ".xml";
}
