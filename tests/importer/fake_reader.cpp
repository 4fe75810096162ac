// Stands in for the reader process in tests; what it does is chosen by the
// name it is called under: a complete stream cut short by a kill
// ("killed") or by a plain exit ("cut"), bytes that are no stream
// ("garbage"), a complete stream with bytes after its end ("trailing"), or
// nothing at all for a minute ("silent").
#include <importer/RecordStream.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include <unistd.h>

namespace {

void writeAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n <= 0)
            return;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// A valid stream of a few hundred lines on one layer.
std::string validStream()
{
    std::string bytes;
    RecordStreamWriter writer([&bytes](std::string_view piece) { bytes.append(piece); });
    writer.layer("0");
    for (int i = 0; i < 300; ++i) {
        EntityRecord record;
        record.shape = LineRecord{{0.0, double(i), 0.0}, {10.0, double(i), 0.0}};
        writer.entity(std::move(record));
    }
    writer.finish(DxfParseOutcome::Read);
    return bytes;
}

} // namespace

int main(int, char** argv)
{
    const std::string mode = std::filesystem::path(argv[0]).filename().string();
    const std::string stream = validStream();
    if (mode == "killed") {
        writeAll(std::string_view(stream).substr(0, stream.size() / 2));
        ::raise(SIGKILL);
    } else if (mode == "cut") {
        writeAll(std::string_view(stream).substr(0, stream.size() / 2));
    } else if (mode == "garbage") {
        std::string bytes = stream.substr(0, 4);
        std::mt19937 random(5);
        for (int i = 0; i < 4096; ++i)
            bytes.push_back(static_cast<char>(random()));
        writeAll(bytes);
    } else if (mode == "trailing") {
        writeAll(stream + "more");
    } else if (mode == "silent") {
        std::this_thread::sleep_for(std::chrono::minutes(1));
    }
    return 0;
}
