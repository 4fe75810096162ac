#pragma once

#include "GeneratedDrawings.h"
#include "TestDrawings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The DWG test drawings: where VARNHOLT_DWG_FIXTURES points, or
// ../shared/fixtures/dwg seen from the project root; empty when neither is
// there. The package that reads them cannot write DWG, so tests that need
// them skip without them.
inline std::string dwgFixtures()
{
    namespace fs = std::filesystem;
    const char* env = std::getenv("VARNHOLT_DWG_FIXTURES");
    const fs::path folder = env && *env ? fs::path(env) : fs::path(VARNHOLT_SOURCE_DIR) / "../shared/fixtures/dwg";
    std::error_code ec;
    return fs::is_directory(folder, ec) ? fs::canonical(folder, ec).string() : std::string();
}

inline std::string dwgFixture(const std::string& name)
{
    return dwgFixtures() + "/" + name;
}

#define SKIP_WITHOUT_DWG_FIXTURES()                                                                                   \
    if (dwgFixtures().empty())                                                                                        \
    GTEST_SKIP() << "no DWG test drawings (../shared/fixtures/dwg or VARNHOLT_DWG_FIXTURES)"

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The real DWG reader program in a folder of its own, beside a node program
// that stands in for ours: it does what the file `mode` beside it says.
class StandInDwgReader {
public:
    explicit StandInDwgReader(const std::string& mode, bool withPackage = true)
    {
        namespace fs = std::filesystem;
        const fs::path reader = m_folder.path() / kDwgReaderProgramName;
        fs::copy_file(dwgReaderOptions().program, reader);
        m_folder.write(kDwgReaderScriptName, kScript);
        m_folder.write("mode", mode);
        if (withPackage) {
            fs::create_directories(m_folder.path() / kDwgPackagePath);
            m_folder.write(std::string(kDwgPackagePath) + "/package.json", "{}");
        }
        options = dwgReaderOptions();
        options.program = reader.string();
    }

    ReaderOptions options;

private:
    // "hang" waits for ever, "spin" computes for ever; "probe" tries what the
    // reader must not do (write a file, read one not its own, see the
    // caller's environment) and exits with 10, 11 or 12 when it could,
    // otherwise it sends an empty stream.
    static constexpr const char* kScript = R"(
import fs from 'node:fs';
const mode = fs.readFileSync(new URL('./mode', import.meta.url), 'utf8');
if (mode === 'hang') Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0);
if (mode === 'spin') for (;;) {}
const could = (act) => { try { act(); return true; } catch { return false; } };
if (could(() => fs.writeFileSync('/tmp/varnholt_dwg_probe_' + process.pid, 'x'))) process.exit(10);
if (could(() => fs.readFileSync('/etc/passwd'))) process.exit(11);
if (Object.keys(process.env).length > 0) process.exit(12);
fs.writeSync(1, Buffer.from([86, 72, 82, 49, 16, 1, 0, 0, 0, 0]));
)";

    ScratchFolder m_folder;
};
