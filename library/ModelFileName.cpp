#include <library/ModelFileName.h>

#include <library/GbkText.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr std::string_view kForbidden = ":*?\"<>|";
constexpr std::array<std::string_view, 4> kPlainDevices = {"CON", "PRN", "AUX", "NUL"};
constexpr std::array<std::string_view, 2> kNumberedDevices = {"COM", "LPT"};

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// A device name before the first dot (blanks before the dot do not count)
// names the device whatever follows.
bool isDeviceName(std::string_view name)
{
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    for (std::string_view device : kPlainDevices)
        if (equalNoCase(base, device))
            return true;
    if (base.size() == 4 && base[3] >= '1' && base[3] <= '9')
        for (std::string_view device : kNumberedDevices)
            if (equalNoCase(base.substr(0, 3), device))
                return true;
    return false;
}
} // namespace

ModelNameProblem CheckModelName(const std::string& gbkName)
{
    if (gbkName == "." || gbkName == "..")
        return ModelNameProblem::DotName;
    for (std::size_t i = 0; i < gbkName.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(gbkName[i]);
        if (IsGbkLeadByte(c)) {
            ++i; // the trail byte may equal "\" or "|" and is part of the character
            continue;
        }
        if (c == '/' || c == '\\')
            return ModelNameProblem::Separator;
        if (c < kFirstPrintable || c == kDelete)
            return ModelNameProblem::ControlCharacter;
        if (kForbidden.find(static_cast<char>(c)) != std::string_view::npos)
            return ModelNameProblem::ForbiddenCharacter;
    }
    const std::optional<std::string> utf8 = GbkToUtf8(gbkName);
    if (!utf8)
        return ModelNameProblem::NotGbk;
    // A trail byte is never a dot or a blank, so the last byte tells.
    if (!gbkName.empty() && (gbkName.back() == '.' || gbkName.back() == ' '))
        return ModelNameProblem::TrailingDotOrSpace;
    if (isDeviceName(gbkName))
        return ModelNameProblem::DeviceName;
    if (utf8->size() > kMaxModelNameBytes)
        return ModelNameProblem::TooLong;
    return ModelNameProblem::None;
}

bool IsValidModelName(const std::string& gbkName)
{
    return CheckModelName(gbkName) == ModelNameProblem::None;
}

ModelNameProblem CheckNewModelName(const std::string& gbkName)
{
    if (gbkName.find_first_not_of(' ') == std::string::npos)
        return ModelNameProblem::Empty;
    return CheckModelName(gbkName);
}

std::optional<std::string> ModelFilePath(const std::string& folderPath, const std::string& gbkName)
{
    if (!IsValidModelName(gbkName))
        return std::nullopt;
    return folderPath + *GbkToUtf8(gbkName) + ".xml";
}
