#include <orders/OrderPrograms.h>

#include <orders/RunTexts.h>

#include <library/AtomicFile.h>
#include <library/FileNameLimits.h>
#include <library/GbkText.h>
#include <machining/GcodeWriter.h>
#include <machining/Motion.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

// A cell as part of a file name (UTF-8): what Linux and the workshop's
// shares refuse in a name, and control bytes, become "_".
std::string namePart(const std::string& gbk)
{
    std::string text = GbkToUtf8ForDisplay(gbk);
    for (char& c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    }
    return text;
}

// The text cut to at most bytes, never inside a UTF-8 character.
std::string cutUtf8(std::string text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text;
}

// A note for a comment line: a quoted cell may hold line breaks.
std::string oneLine(std::string gbk)
{
    for (char& c : gbk)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return gbk;
}

// "订单 <name> 行号 <line> 订单号 <number> 数量 <quantity>", in GBK.
std::vector<std::string> programNotes(const Order& order, const OrderRow& row)
{
    const auto gbk = [](const char* utf8) { return Utf8ToGbk(utf8).value_or(""); };
    const std::string name = Utf8ToGbk(order.name).value_or(GbkToUtf8ForDisplay(order.name));
    return {oneLine(gbk("订单 ") + name + gbk(" 行号 ") + std::to_string(row.line) + gbk(" 订单号 ") + row.order +
                    gbk(" 数量 ") + std::to_string(row.quantity))};
}

void addTools(std::vector<KnifeInfo>& tools, const MachiningPlan& plan)
{
    for (const ToolUse& use : plan.uses)
        if (std::none_of(tools.begin(), tools.end(), [&](const KnifeInfo& k) { return k.ID == use.tool.ID; }))
            tools.push_back(use.tool);
}

} // namespace

std::string OrderProgramName(const OrderRow& row, ProgramKind kind, const std::string& extension)
{
    const std::string tail = "_" + SizeText(row.length) + "×" + SizeText(row.width) + "_" + std::to_string(row.line) +
                             (kind == ProgramKind::Hinges ? "_合页." : "_锁孔.") + extension;
    const std::size_t room = kMaxFileNameBytes - kTempNameExtraBytes - tail.size() - 1;
    std::string model = namePart(row.doorModel);
    std::string number = namePart(row.order);
    model = cutUtf8(std::move(model), std::max(room / 2, room - std::min(room, number.size())));
    number = cutUtf8(std::move(number), room - model.size());
    return number + "_" + model + tail;
}

RowPlans PlanRow(const OrderRow& row, const GU_OwnedList<KnifeInfo>& tools, const MachineProfile& profile)
{
    if (!row.usable())
        return {};
    return {PlanProgram(ProgramKind::Hinges, *row.door, tools, profile),
            PlanProgram(ProgramKind::Lock, *row.door, tools, profile)};
}

double RowSeconds(const RowPlans& plans, const MachineProfile& profile)
{
    double seconds = 0.0;
    for (const MachiningPlan* plan : {&plans.hinges, &plans.lock})
        if (plan->status == PlanStatus::Ready)
            seconds += EstimateSeconds(plan->uses, profile);
    return seconds;
}

RowOutcome AssessRow(const OrderRow& row, const RowPlans& plans, const MachineProfile& profile)
{
    RowOutcome outcome;
    if (row.refusal) {
        outcome.reason = RefusalText(row.refusal);
        return outcome;
    }
    if (!row.door) {
        outcome.reason = "没有门板";
        return outcome;
    }
    // A door is drilled whole or not at all: half its programs would leave
    // a leaf that cannot be hung.
    for (const MachiningPlan* plan : {&plans.hinges, &plans.lock})
        if (plan->status == PlanStatus::MissingTools || plan->status == PlanStatus::OutsideDoor)
            outcome.reason += (outcome.reason.empty() ? "" : "；") + PlanRefusedText(*plan);
    if (outcome.reason.empty() && plans.hinges.status != PlanStatus::Ready && plans.lock.status != PlanStatus::Ready)
        outcome.reason = "没有要加工的合页和锁芯";
    if (!outcome.reason.empty())
        return outcome;
    outcome.seconds = RowSeconds(plans, profile);
    addTools(outcome.tools, plans.hinges);
    addTools(outcome.tools, plans.lock);
    return outcome;
}

std::vector<RowOutcome> AssessOrder(const Order& order, const GU_OwnedList<KnifeInfo>& tools,
                                    const MachineProfile& profile)
{
    std::vector<RowOutcome> outcomes;
    outcomes.reserve(order.rows.size());
    for (const OrderRow& row : order.rows)
        outcomes.push_back(AssessRow(row, PlanRow(row, tools, profile), profile));
    return outcomes;
}

namespace {

// A row planned and its program texts made, ready to be written.
struct PreparedRow {
    RowOutcome outcome;
    std::vector<std::pair<std::string, std::string>> files; // name, text
};

PreparedRow prepare(const Order& order, const OrderRow& row, const GU_OwnedList<KnifeInfo>& tools,
                    const MachineProfile& profile)
{
    const RowPlans plans = PlanRow(row, tools, profile);
    PreparedRow prepared{AssessRow(row, plans, profile), {}};
    if (prepared.outcome.usable())
        for (const MachiningPlan* plan : {&plans.hinges, &plans.lock})
            if (plan->status == PlanStatus::Ready)
                prepared.files.emplace_back(OrderProgramName(row, plan->kind, profile.Extension),
                                            WriteGcode(*plan, profile, programNotes(order, row)));
    return prepared;
}

// Rows planned on a thread of their own a few ahead of the writing: a save
// waits for the disk, and meanwhile the next rows are planned.
class RowPlanner {
public:
    RowPlanner(const Order& order, const GU_OwnedList<KnifeInfo>& tools, const MachineProfile& profile)
        : m_thread([this, &order, &tools, &profile] { run(order, tools, profile); })
    {
    }
    ~RowPlanner()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    // The next row in the order's order.
    PreparedRow next()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_ready.empty(); });
        PreparedRow row = std::move(m_ready.front());
        m_ready.pop_front();
        m_changed.notify_all();
        return row;
    }

private:
    static constexpr std::size_t kAhead = 4;

    void run(const Order& order, const GU_OwnedList<KnifeInfo>& tools, const MachineProfile& profile)
    {
        for (const OrderRow& row : order.rows) {
            PreparedRow prepared = prepare(order, row, tools, profile);
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || m_ready.size() < kAhead; });
            if (m_stop)
                return;
            m_ready.push_back(std::move(prepared));
            m_changed.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<PreparedRow> m_ready;
    bool m_stop = false;
    std::thread m_thread; // last: it starts once the rest is there
};

} // namespace

OrderRunSummary WriteOrderPrograms(const Order& order, const GU_OwnedList<KnifeInfo>& tools,
                                   const MachineProfile& profile, const std::string& folder,
                                   const OrderProgress& progress)
{
    OrderRunSummary summary;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    RowPlanner planner(order, tools, profile);
    for (std::size_t i = 0; i < order.rows.size(); ++i) {
        const OrderRow& row = order.rows[i];
        PreparedRow prepared = planner.next();
        if (!prepared.outcome.usable())
            summary.leftOut.push_back({row.line, prepared.outcome.reason});
        for (const auto& [name, text] : prepared.files) {
            const SaveResult saved = SaveTextAtomically(text, prefix + name);
            if (!saved) {
                summary.failure = SaveFailureText(saved);
                summary.rows.push_back(std::move(prepared.outcome));
                return summary;
            }
            summary.written.push_back(prefix + name);
        }
        if (prepared.outcome.usable())
            summary.totalSeconds += prepared.outcome.seconds * row.quantity;
        summary.rows.push_back(std::move(prepared.outcome));
        if (progress && !progress(i + 1, order.rows.size())) {
            summary.cancelled = i + 1 < order.rows.size();
            break;
        }
    }
    return summary;
}

std::string OrderSummaryText(const OrderRunSummary& summary)
{
    std::string text = "写入程序 " + std::to_string(summary.written.size()) + " 个\n";
    if (summary.cancelled)
        text += "已取消，其余的行没有生成程序\n";
    if (!summary.failure.empty())
        text += summary.failure + "，其余的行没有生成程序\n";
    if (!summary.leftOut.empty()) {
        text += "没有生成程序的行 " + std::to_string(summary.leftOut.size()) + " 个：\n";
        for (const RowLeftOut& row : summary.leftOut)
            text += "  第" + std::to_string(row.line) + "行：" + row.reason + "\n";
    }
    text += "总加工时间 " + ClockText(summary.totalSeconds) + "（含数量）\n";
    return text;
}
