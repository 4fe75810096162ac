#include <library/LibraryDocument.h>

#include <library/LibraryText.h>

#include <tinyxml.h>

TiXmlElement& StartLibraryDocument(TiXmlDocument& document, const char* rootName)
{
    document.LinkEndChild(new TiXmlDeclaration("1.0", "gb2312", ""));
    return *document.LinkEndChild(new TiXmlElement(rootName))->ToElement();
}

LoadOutcome LoadLibraryDocument(const std::string& path, TiXmlDocument& document, std::optional<FileFingerprint>* seen)
{
    std::string text;
    if (const LoadOutcome read = ReadLibraryText(path, text, seen); !read)
        return read;
    return ParseLibraryText(text, document);
}

LoadOutcome ParseLibraryText(const std::string& text, TiXmlDocument& document)
{
    // The parser's UTF-8 mode is never used: it can step past the end of the
    // text after a lead byte, and GBK bytes would be misread as UTF-8.
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    if (document.Error())
        return {LoadProblem::NotWellFormed};
    return {};
}

const TiXmlElement* RootElement(const TiXmlDocument& document)
{
    for (const TiXmlNode* node = document.FirstChild(); node; node = node->NextSibling())
        if (const TiXmlElement* element = node->ToElement())
            return element;
    return nullptr;
}
