// An order's programs: each row's files replayed by the independent reader
// and judged against the row's door, their names, the run's summary, and a
// cancelled or failing run leaving only whole files.
#include "OrderFixtures.h"

#include <orders/OrderPrograms.h>

#include <library/FileNameLimits.h>
#include <library/GbkText.h>
#include <machining/GcodeWriter.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

namespace fs = std::filesystem;
using orderfixtures::readFile;

std::string joined(const std::vector<std::string>& fails)
{
    std::string out;
    for (const std::string& f : fails)
        out += "\n  " + f;
    return out;
}

std::set<std::string> filesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

std::string gbk(const std::string& utf8)
{
    return Utf8ToGbk(utf8).value();
}

struct ProfileCase {
    const char* name;
    void (*adjust)(MachineProfile&);
};

const ProfileCase kProfiles[] = {
    {"Defaults", [](MachineProfile&) {}},
    {"FarCornerCannedNumbered",
     [](MachineProfile& p) {
         p.OriginCorner = 2;
         p.XDirection = -1;
         p.YDirection = -1;
         p.CannedCycles = 1;
         p.LineNumbers = 10;
         p.CrLf = 0;
         p.Extension = "CNC";
     }},
};

TEST(OrderPrograms, EveryProgramOfTheOrderDrillsItsRowsDoor)
{
    GU_OwnedList<KnifeInfo> tools;
    fixtures::standardTools(tools);
    for (const ProfileCase& pc : kProfiles) {
        MachineProfile profile;
        pc.adjust(profile);
        const Order order = orderfixtures::order();
        const std::string folder = orderfixtures::scratch(pc.name);
        const OrderRunSummary summary = WriteOrderPrograms(order, tools, profile, folder);
        ASSERT_TRUE(summary.failure.empty()) << summary.failure;
        EXPECT_TRUE(summary.leftOut.empty());
        EXPECT_FALSE(summary.cancelled);
        ASSERT_EQ(summary.rows.size(), order.rows.size());
        EXPECT_EQ(summary.written.size(), 2 * order.rows.size());
        EXPECT_EQ(filesIn(folder).size(), summary.written.size()) << "nothing but the programs";

        double total = 0.0;
        for (std::size_t i = 0; i < order.rows.size(); ++i) {
            const OrderRow& row = order.rows[i];
            const std::string what = std::string(pc.name) + " " + orderfixtures::kRows[i].name;
            for (const ProgramKind kind : {ProgramKind::Hinges, ProgramKind::Lock}) {
                const fs::path path = fs::path(folder) / OrderProgramName(row, kind, profile.Extension);
                ASSERT_TRUE(fs::exists(path)) << what << " " << path;
                const std::string text = readFile(path);
                EXPECT_NE(text.find(gbk("订单 订单一 行号 " + std::to_string(row.line) + " 订单号 " + row.order +
                                        " 数量 " + std::to_string(row.quantity))),
                          std::string::npos)
                    << what << ": the heading names the order, the row and the quantity";
                const check::Door expected =
                    kind == ProgramKind::Hinges ? check::ExpectHingeProgram(*row.door, profile.Breakthrough)
                                                : check::ExpectLockProgram(*row.door, profile.Breakthrough,
                                                                           profile.RecessDepth);
                ASSERT_FALSE(expected.holes.empty() && expected.pockets.empty()) << what;
                const sim::Machine machine = fixtures::machine(profile, *row.door, tools);
                const sim::Run run = sim::Replay(text, machine);
                EXPECT_TRUE(run.ended) << what;
                check::Rules rules = fixtures::rules(profile);
                rules.maxFeedPerTurn = rules.maxPlunge = 1e9; // the fixtures' feeds are the user's to accept
                const std::vector<std::string> fails = check::CheckProgram(run, machine, expected, rules);
                EXPECT_TRUE(fails.empty()) << what << (kind == ProgramKind::Hinges ? " hinges" : " lock")
                                           << joined(fails);
            }
            const double seconds = RowSeconds(PlanRow(row, tools, profile), profile);
            EXPECT_GT(seconds, 0.0) << what;
            EXPECT_DOUBLE_EQ(summary.rows[i].seconds, seconds) << what;
            total += seconds * row.quantity;
        }
        EXPECT_NEAR(summary.totalSeconds, total, 1e-6 * total);
    }
}

TEST(OrderPrograms, RowsThatCannotBeMachinedAreLeftOutWithTheirReason)
{
    GU_OwnedList<KnifeInfo> tools;
    fixtures::standardTools(tools);
    const MachineProfile profile;
    Order order = orderfixtures::order();
    order.rows.resize(3);
    OrderRow refused;
    refused.line = 9;
    refused.doorModel = "X";
    refused.refusal.kind = RowRefusal::Kind::UnknownModel;
    order.rows.insert(order.rows.begin() + 1, refused);

    // Without side-head tools no lock program can be made: the whole door
    // waits rather than being half drilled.
    GU_OwnedList<KnifeInfo> noSideHead;
    for (const KnifeInfo* k : tools)
        if (k->Type != 2)
            noSideHead.add_tail(std::make_unique<KnifeInfo>(*k));
    const std::string folder = orderfixtures::scratch("left-out");
    OrderRunSummary summary = WriteOrderPrograms(order, noSideHead, profile, folder);
    EXPECT_TRUE(summary.written.empty());
    EXPECT_TRUE(filesIn(folder).empty());
    ASSERT_EQ(summary.leftOut.size(), 4u);
    EXPECT_EQ(summary.leftOut[1].line, 9);
    EXPECT_EQ(summary.leftOut[1].reason, RefusalText(refused.refusal));
    EXPECT_NE(summary.leftOut[0].reason.find("刀具表中缺少刀具，没有生成锁孔加工程序"), std::string::npos)
        << summary.leftOut[0].reason;
    EXPECT_EQ(summary.totalSeconds, 0.0);

    summary = WriteOrderPrograms(order, tools, profile, folder);
    EXPECT_EQ(summary.written.size(), 6u);
    ASSERT_EQ(summary.leftOut.size(), 1u);
    ASSERT_EQ(summary.rows.size(), 4u);
    EXPECT_FALSE(summary.rows[1].usable());
    EXPECT_EQ(summary.rows[1].seconds, 0.0);
    EXPECT_TRUE(summary.rows[0].usable());
    // The tools of both programs, each once: the mortise cutter, the side head's.
    std::vector<int> ids;
    for (const KnifeInfo& k : summary.rows[0].tools)
        ids.push_back(k.ID);
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size());
    EXPECT_NE(std::find(ids.begin(), ids.end(), 1), ids.end());
    EXPECT_NE(std::find(ids.begin(), ids.end(), 5), ids.end());

    const std::string text = OrderSummaryText(summary);
    EXPECT_NE(text.find("写入程序 6 个"), std::string::npos) << text;
    EXPECT_NE(text.find("第9行：" + RefusalText(refused.refusal)), std::string::npos) << text;
    EXPECT_NE(text.find("总加工时间 "), std::string::npos) << text;
    EXPECT_NE(text.find("（含数量）"), std::string::npos) << text;
}

TEST(OrderPrograms, SummaryTimeIsHoursMinutesSeconds)
{
    for (const auto& [seconds, clock] : {std::pair{0.0, "0:00:00"}, std::pair{59.6, "0:01:00"},
                                         std::pair{3725.0, "1:02:05"}, std::pair{36000.0 * 3 + 1, "30:00:01"}}) {
        OrderRunSummary summary;
        summary.totalSeconds = seconds;
        EXPECT_NE(OrderSummaryText(summary).find(std::string("总加工时间 ") + clock + "（含数量）"), std::string::npos)
            << seconds;
    }
}

TEST(OrderPrograms, FileNames)
{
    OrderRow row;
    row.line = 7;
    row.order = "A1";
    row.doorModel = "\xB1\xEA\xD7\xBC\xC3\xC5"; // 标准门 in GBK
    row.length = 2050;
    row.width = 860;
    const struct {
        const char* order;
        double length, width;
        ProgramKind kind;
        const char* extension;
        const char* name;
    } cases[] = {
        {"A1", 2050, 860, ProgramKind::Hinges, "NC", "A1_标准门_2050×860_7_合页.NC"},
        {"A1", 2050, 860, ProgramKind::Lock, "NC", "A1_标准门_2050×860_7_锁孔.NC"},
        {"A1", 2050.5, 860.25, ProgramKind::Hinges, "NC", "A1_标准门_2050.5×860.25_7_合页.NC"},
        {"A1", 2050.0004, 860, ProgramKind::Hinges, "CNC", "A1_标准门_2050×860_7_合页.CNC"},
        {"K/2:3*?\"<>|\\\t", 2000, 800, ProgramKind::Lock, "NC", "K_2_3_________标准门_2000×800_7_锁孔.NC"},
        {"", 2000, 800, ProgramKind::Lock, "NC", "_标准门_2000×800_7_锁孔.NC"},
    };
    for (const auto& c : cases) {
        row.order = c.order;
        row.length = c.length;
        row.width = c.width;
        EXPECT_EQ(OrderProgramName(row, c.kind, c.extension), c.name) << c.order;
    }

    // Overlong cells are cut, never inside a character, so that the file
    // and its save's temporary file fit.
    row.order = std::string(300, 'N');
    row.doorModel.clear();
    for (int i = 0; i < 150; ++i)
        row.doorModel += "\xC3\xC5"; // 门
    const std::string name = OrderProgramName(row, ProgramKind::Hinges);
    EXPECT_LE(name.size() + kTempNameExtraBytes, kMaxFileNameBytes);
    EXPECT_TRUE(GbkToUtf8(Utf8ToGbk(name).value_or("")).has_value()) << "whole UTF-8 characters";
    EXPECT_NE(name.find("NNNN_门门门"), std::string::npos) << name;
    EXPECT_TRUE(name.ends_with("_2000×800_7_合页.NC")) << name;
}

TEST(OrderPrograms, CancelOrFailureLeavesOnlyWholeFiles)
{
    GU_OwnedList<KnifeInfo> tools;
    fixtures::standardTools(tools);
    const MachineProfile profile;
    const Order order = orderfixtures::order();
    const std::string whole = orderfixtures::scratch("whole");
    ASSERT_EQ(WriteOrderPrograms(order, tools, profile, whole).written.size(), 2 * order.rows.size());

    const std::string folder = orderfixtures::scratch("cancelled");
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    const OrderRunSummary summary = WriteOrderPrograms(order, tools, profile, folder, [&](std::size_t done, std::size_t total) {
        calls.emplace_back(done, total);
        return done < 2;
    });
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(calls, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 5}, {2, 5}}));
    EXPECT_EQ(summary.rows.size(), 2u);
    ASSERT_EQ(summary.written.size(), 4u);
    EXPECT_EQ(filesIn(folder).size(), 4u) << "no temporary file left";
    for (const std::string& path : summary.written)
        EXPECT_EQ(readFile(path), readFile(fs::path(whole) / fs::path(path).filename())) << path;
    EXPECT_NE(OrderSummaryText(summary).find("已取消"), std::string::npos);

    // The last row's progress call stopping the run cancels nothing.
    EXPECT_EQ(WriteOrderPrograms(order, tools, profile, folder, [](std::size_t, std::size_t) { return false; }).rows.size(),
              1u);
    EXPECT_FALSE(
        WriteOrderPrograms(order, tools, profile, folder, [](std::size_t done, std::size_t total) { return done < total; })
            .cancelled);

    const OrderRunSummary failed = WriteOrderPrograms(order, tools, profile, folder + "/missing");
    EXPECT_TRUE(failed.written.empty());
    EXPECT_NE(failed.failure.find("文件夹不存在"), std::string::npos) << failed.failure;
    EXPECT_NE(OrderSummaryText(failed).find(failed.failure), std::string::npos);
}

} // namespace
