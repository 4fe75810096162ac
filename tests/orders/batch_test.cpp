// VarnholtBatch on the sample order: the same programs, byte for byte, as
// the order's run in this process, from the CSV and the XLSX alike, the job
// sheet beside them, and its exit codes.
#include "OrderFixtures.h"

#include <orders/Order.h>
#include <orders/OrderPrograms.h>

#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LockCoreFile.h>
#include <library/MachineProfileFile.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

const std::string kSamples = VARNHOLT_SOURCE_DIR "/samples/";
const std::string kBatch = VARNHOLT_BINARY_DIR "/app/VarnholtBatch";

struct Outcome {
    int exit = -1;
    std::string out, err;
};

Outcome batch(const std::string& arguments)
{
    const std::string errFile = orderfixtures::scratch("stderr") + "/err.txt";
    Outcome o;
    if (FILE* pipe = ::popen((kBatch + " " + arguments + " 2>'" + errFile + "'").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            o.out.append(buffer, n);
        const int status = ::pclose(pipe);
        o.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    o.err = orderfixtures::readFile(errFile);
    return o;
}

std::map<std::string, std::string> programsIn(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& e : fs::directory_iterator(folder))
        if (e.path().extension() != ".pdf")
            files[e.path().filename().string()] = orderfixtures::readFile(e.path());
    return files;
}

TEST(Batch, WritesTheProgramsTheOrdersRunWrites)
{
    const std::string library = kSamples + "library/";
    ModelLibrary models;
    LoadAllHinges(library, models.hinges);
    LoadAllLockCores(library, models.lockCores);
    LoadAllDoorModels(library, models.doors, models);
    LoadKnifeFile(library, models.knives);
    const MachineProfile profile = LoadMachineProfile(library);

    std::map<std::string, std::string> fromCsv;
    for (const char* name : {"示例订单.csv", "示例订单.xlsx"}) {
        const std::string order = kSamples + "orders/" + name;
        const std::string here = orderfixtures::scratch(std::string("in-process-") + name);
        const Order resolved = ResolveOrder(ReadOrderFile(order), models);
        const OrderRunSummary summary = WriteOrderPrograms(resolved, models.knives, profile, here);
        ASSERT_FALSE(summary.written.empty()) << name;
        ASSERT_FALSE(summary.leftOut.empty()) << name << ": the sample has a refused row";
        // Each program drills its row's door, the sample model in the row's size.
        for (const OrderRow& row : resolved.rows)
            for (const ProgramKind kind : {ProgramKind::Hinges, ProgramKind::Lock}) {
                const fs::path path = fs::path(here) / OrderProgramName(row, kind, profile.Extension);
                if (!fs::exists(path))
                    continue;
                const check::Door expected =
                    kind == ProgramKind::Hinges
                        ? check::ExpectHingeProgram(*row.door, profile.Breakthrough)
                        : check::ExpectLockProgram(*row.door, profile.Breakthrough, profile.RecessDepth);
                const sim::Machine machine = fixtures::machine(profile, *row.door, models.knives);
                check::Rules rules = fixtures::rules(profile);
                rules.maxFeedPerTurn = rules.maxPlunge = 1e9; // the sample's feeds are the user's to accept
                const std::vector<std::string> fails =
                    check::CheckProgram(sim::Replay(orderfixtures::readFile(path), machine), machine, expected, rules);
                EXPECT_TRUE(fails.empty()) << path << (fails.empty() ? "" : "\n  " + fails.front());
            }

        const std::string out = orderfixtures::scratch(std::string("batch-") + name) + "/new folder";
        const Outcome o = batch("'" + order + "' '" + out + "' --library '" + library + "'");
        EXPECT_EQ(o.exit, 1) << name << ": a row was refused\n" << o.out << o.err;
        EXPECT_EQ(o.out.substr(0, OrderSummaryText(summary).size()), OrderSummaryText(summary)) << name;
        EXPECT_TRUE(fs::exists(out + "/示例订单.pdf")) << name << "\n" << o.out << o.err;
        const std::map<std::string, std::string> programs = programsIn(out);
        EXPECT_EQ(programs, programsIn(here)) << name;
        EXPECT_EQ(programs.size(), summary.written.size()) << name;
        // The two files hold the same order: the same rows on the same lines.
        if (fromCsv.empty())
            fromCsv = programs;
        else
            EXPECT_EQ(programs, fromCsv) << "XLSX and CSV";
    }
}

TEST(Batch, ExitCodes)
{
    // Every row usable: 0; the library beside the program when none is named.
    const std::string folder = orderfixtures::scratch("exit-codes");
    const std::string good = folder + "/好订单.csv";
    std::ofstream(good) << "门型;长度;宽度;数量\r\n开槽平开门;2000;850;2\r\n";
    const Outcome ok = batch("'" + good + "' '" + folder + "/out' --library '" + kSamples + "library'");
    EXPECT_EQ(ok.exit, 0) << ok.out << ok.err;
    EXPECT_NE(ok.out.find("写入程序 2 个"), std::string::npos) << ok.out;
    EXPECT_EQ(batch("'" + good + "' '" + folder + "/beside'").exit, 1) << "no door models beside the build's program";

    const struct {
        const char* name;
        std::string arguments;
    } bad[] = {
        {"no arguments", ""},
        {"one argument", "'" + good + "'"},
        {"three arguments", "'" + good + "' a b"},
        {"unknown option", "'" + good + "' '" + folder + "/x' --fast"},
        {"library without folder", "'" + good + "' '" + folder + "/x' --library"},
        {"missing library", "'" + good + "' '" + folder + "/x' --library '" + folder + "/none'"},
        {"missing order file", "'" + folder + "/none.csv' '" + folder + "/x'"},
        {"no heading", "'" + kSamples + "library/HingesKnife.xml' '" + folder + "/x'"},
    };
    for (const auto& c : bad) {
        const Outcome o = batch(c.arguments);
        EXPECT_EQ(o.exit, 2) << c.name << "\n" << o.out << o.err;
        EXPECT_TRUE(o.out.empty()) << c.name;
        EXPECT_FALSE(o.err.empty()) << c.name;
    }
    EXPECT_NE(batch("").err.find("用法：VarnholtBatch 订单文件 输出文件夹"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder + "/x")) << "nothing written for a bad order";
}

} // namespace
