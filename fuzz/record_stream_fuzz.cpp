// Feeds arbitrary bytes to the program as the reader process's record
// stream, cut into pieces of varying size as a pipe delivers them: every
// stream is refused or imported, and an imported one ends with a model or a
// reason, without crashing, leaking or running away.
#include <importer/CadImporter.h>
#include <importer/RecordStream.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include <unistd.h>

namespace {

// The file the importer opens; the stream stands in for its parse.
const std::string& drawingPath()
{
    static const std::string path = [] {
        const std::string p = "/tmp/record_stream_fuzz_" + std::to_string(::getpid()) + ".dxf";
        if (std::FILE* f = std::fopen(p.c_str(), "wb")) {
            std::fputs("0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n", f);
            std::fclose(f);
        }
        return p;
    }();
    return path;
}

DrawingParser streamParser(std::string_view stream)
{
    return [stream](const DrawingFile& file, DrawingSink& sink, ImportProgress&) {
        RecordStreamReader reader(sink);
        // The first byte sets the piece size, so that frames are cut anywhere.
        const std::size_t piece = stream.empty() ? 1 : 1 + static_cast<unsigned char>(stream.front()) * 61;
        std::string_view rest = stream.substr(std::min<std::size_t>(1, stream.size()));
        while (!rest.empty()) {
            const std::size_t n = std::min(piece, rest.size());
            if (!reader.feed(rest.substr(0, n)))
                return ParseResult{ImportFailure{ImportProblem::ReaderGarbage}, 0};
            rest.remove_prefix(n);
        }
        if (!reader.ended())
            return ParseResult{ImportFailure{ImportProblem::ReaderIncomplete}, 0};
        return ParseResult{parseFailure(reader.outcome()), file.bytes.size()};
    };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CadImporter importer(streamParser(std::string_view(reinterpret_cast<const char*>(data), size)));
    for (bool hinge : {true, false}) {
        const int rc = hinge ? importer.import_hinges_from_cad_file(drawingPath())
                             : importer.import_lockcore_from_cad_file(drawingPath());
        const bool model = hinge ? importer.get_hinges_model() != nullptr : importer.get_lockcore_model() != nullptr;
        if ((rc == 0) != model || (rc == 0) == static_cast<bool>(importer.report().failure))
            __builtin_trap();
    }
    return 0;
}
