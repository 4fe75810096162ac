#include <importer/DxfSource.h>

#include <importer/BinaryDxf.h>
#include <importer/DxfFileCheck.h>

#include <cstring>

namespace {

// dxflib reads lines into a buffer of 1024 bytes, the line end included.
constexpr std::size_t kLineBytes = 1023;

} // namespace

bool hasLongLine(std::string_view text)
{
    // A line is too long where a whole window of that many bytes holds no
    // line end; each window starts after the last line end of the one before.
    std::size_t at = 0;
    while (text.size() - at >= kLineBytes) {
        const void* end = ::memrchr(text.data() + at, '\n', kLineBytes);
        if (!end)
            return true;
        at = static_cast<std::size_t>(static_cast<const char*>(end) - text.data()) + 1;
    }
    return false;
}

DxfSource checkDxfSource(std::string_view bytes, const ImportProgress* stop)
{
    DxfSource source;
    std::string converted;
    std::string_view text = bytes;
    if (isBinaryDxf(bytes)) {
        BinaryDxfText binary = binaryDxfToText(bytes, stop);
        if (binary.failure) {
            source.failure = std::move(binary.failure);
            return source;
        }
        converted = std::move(binary.text);
        text = converted;
        source.textLength = binary.consumed;
        source.copied = true;
    }
    DxfFileCheck check = checkDxfText(text, stop);
    if (check.failure) {
        source.failure = std::move(check.failure);
        return source;
    }
    if (!source.copied)
        source.textLength = check.textLength;
    if (!check.cuts.empty()) {
        source.copy = cutLongValues(text, check);
        source.copied = true;
        source.notes.push_back(ImportNote{NoteKind::TextCut, check.cuts.size(), {}});
    } else if (source.copied) {
        converted.resize(check.textLength);
        source.copy = std::move(converted);
    }
    return source;
}

UniqueFd openDxfSource(const DrawingFile& file, const DxfSource& source)
{
    return source.copied ? textInMemory(source.copy) : openDrawingText(file, source.textLength);
}
