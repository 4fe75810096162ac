// The DWG reader process: sets its limits as the DXF reader does and becomes
// node running VarnholtDwgReader.mjs (which lies beside it with its package),
// the limits holding across the exec. The drawing comes on standard input,
// the records leave on standard output.
//   VarnholtDwgReader MEMORY_MB CPU_SECONDS
#include <importer/ImportLimits.h>
#include <importer/ReaderProcess.h>
#include <importer/ReaderSandbox.h>

#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <elf.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMb = std::size_t(1) << 20;
// What node itself takes beside the script heap and WebAssembly's memory.
constexpr std::size_t kNodeOwnMb = 256;
constexpr std::size_t kWasmPageBytes = 64 * 1024;
constexpr std::string_view kDefaultPath = "/usr/local/bin:/usr/bin:/bin";

bool parseCount(const char* text, long& out)
{
    const std::string_view s(text);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && out > 0;
}

// node on the search path, as Debian names it or as it names itself.
std::optional<fs::path> findNode()
{
    const char* env = std::getenv("PATH");
    const std::string_view dirs = env && *env ? env : kDefaultPath;
    for (const char* name : {"node", "nodejs"}) {
        std::size_t start = 0;
        while (start <= dirs.size()) {
            const std::size_t end = std::min(dirs.find(':', start), dirs.size());
            const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
            std::error_code ec;
            if (fs::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0)
                return fs::canonical(candidate, ec);
            start = end + 1;
        }
    }
    return std::nullopt;
}

// The program loader an ELF program names (PT_INTERP); empty when it names
// none or cannot be read.
std::string elfInterpreter(const fs::path& program)
{
    std::ifstream in(program, std::ios::binary);
    Elf64_Ehdr header{};
    if (!in.read(reinterpret_cast<char*>(&header), sizeof header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0
        || header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_phentsize != sizeof(Elf64_Phdr))
        return {};
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr segment{};
        in.seekg(static_cast<std::streamoff>(header.e_phoff + i * sizeof segment));
        if (!in.read(reinterpret_cast<char*>(&segment), sizeof segment))
            return {};
        if (segment.p_type != PT_INTERP || segment.p_filesz == 0 || segment.p_filesz > PATH_MAX)
            continue;
        std::string path(segment.p_filesz, '\0');
        in.seekg(static_cast<std::streamoff>(segment.p_offset));
        if (!in.read(path.data(), static_cast<std::streamsize>(path.size())))
            return {};
        return path.substr(0, path.find('\0'));
    }
    return {};
}

// What node opens: the program and its loader, its libraries and data, the
// process's own /proc entries, the script and its package (wherever a link
// beside the script leads).
ReadableFiles nodeFiles(const fs::path& node, const fs::path& beside)
{
    std::error_code ec;
    ReadableFiles files;
    files.execute = {node.string(), fs::canonical(elfInterpreter(node), ec).string()};
    files.read = {beside.string(), fs::canonical(beside / kDwgPackagePath, ec).string(), "/lib64", "/usr/lib64",
                  "/lib", "/usr/lib", (node.parent_path().parent_path() / "lib").string(), "/usr/local/lib",
                  "/usr/share/nodejs", "/usr/share/zoneinfo", "/etc/ld.so.cache", "/etc/localtime", "/etc/ssl",
                  "/proc/self"};
    return files;
}

// Splits the reader's memory between node, the script heap and WebAssembly;
// its memory starts at 1 GB (the package's initial size) and grows to what
// is left.
struct MemorySplit {
    std::size_t heapMb = 0;
    std::size_t wasmPages = 0;
};

MemorySplit splitMemory(std::size_t memoryMb)
{
    const std::size_t rest = memoryMb > kNodeOwnMb ? memoryMb - kNodeOwnMb : 1;
    MemorySplit split;
    split.heapMb = std::max<std::size_t>(rest / 3, 1);
    split.wasmPages = std::max<std::size_t>((rest - std::min(rest, split.heapMb)) * kMb / kWasmPageBytes, 1);
    return split;
}

} // namespace

int main(int argc, char** argv)
{
    long memoryMb = 0, cpuSeconds = 0;
    if (argc != 3 || !parseCount(argv[1], memoryMb) || !parseCount(argv[2], cpuSeconds))
        return kReaderUsage;
    std::error_code ec;
    const fs::path beside = fs::canonical("/proc/self/exe", ec).parent_path();
    const fs::path script = beside / kDwgReaderScriptName;
    if (!fs::is_regular_file(script, ec) || !fs::is_regular_file(beside / kDwgPackagePath / "package.json", ec))
        return kReaderNoPackage;
    const std::optional<fs::path> node = findNode();
    if (!node)
        return kReaderNoNode;
    namespace lim = import_limits;
    const MemorySplit split = splitMemory(static_cast<std::size_t>(memoryMb));
    std::vector<std::string> args{
        node->string(),
        // Without the baseline compiler alone one conversion took 5 GB.
        "--liftoff-only",
        "--wasm-max-mem-pages=" + std::to_string(split.wasmPages),
        "--max-old-space-size=" + std::to_string(split.heapMb),
        "--no-addons",
        script.string(),
        std::to_string(lim::kMaxEntities),
        std::to_string(lim::kMaxEntityVertices),
        std::to_string(lim::kMaxFileVertices),
        std::to_string(lim::kMaxBlocks),
        std::to_string(lim::kMaxSkippedKinds),
        std::to_string(lim::kMaxTextBytes),
        std::to_string(split.heapMb * kMb),
    };
    std::vector<char*> argvNode;
    for (std::string& arg : args)
        argvNode.push_back(arg.data());
    argvNode.push_back(nullptr);
    const ReadableFiles files = nodeFiles(*node, beside);
    // Nothing is allocated past this point: the memory limit may lie below
    // what the process holds already (under a sanitizer, say).
    if (!confineNodeReader(static_cast<std::size_t>(memoryMb) * kMb, static_cast<int>(cpuSeconds), files))
        return kReaderConfined;
    // Nothing of the caller's environment (NODE_OPTIONS, NODE_PATH) reaches node.
    char* noEnvironment[] = {nullptr};
    ::execve(argvNode[0], argvNode.data(), noEnvironment);
    return kReaderNoNode;
}
