#pragma once

#include <orders/Order.h>

#include <kernel/GU_List.h>
#include <library/KnifeInfo.h>
#include <library/MachineProfile.h>
#include <machining/MachiningPlan.h>

#include <functional>
#include <string>
#include <vector>

// The file name (UTF-8) of a row's program:
// "订单号_门型_长×宽_行号_合页.NC" and "..._锁孔.NC"; sizes without trailing
// zeros ("2050×860", "2050.5×860"), characters a file name cannot hold
// replaced by "_"; the extension is the machine profile's. Overlong order
// numbers and door-model names are cut so that the name and its save's
// temporary file fit the file system.
std::string OrderProgramName(const OrderRow& row, ProgramKind kind, const std::string& extension = "NC");

// The two plans of a usable row's door.
struct RowPlans {
    MachiningPlan hinges, lock;
};
RowPlans PlanRow(const OrderRow& row, const GU_OwnedList<KnifeInfo>& tools, const MachineProfile& profile);

// The estimated machining time of one door of the row (both programs), in
// seconds; 0 for a row that cannot be used or planned.
double RowSeconds(const RowPlans& plans, const MachineProfile& profile);

// A row left out by the run, and why (UTF-8 Chinese): its refusal, or the
// plan's (tools missing, work outside the leaf).
struct RowLeftOut {
    int line = 0;
    std::string reason;
};

// What a run found for one row of the order; the job sheet shows it.
struct RowOutcome {
    double seconds = 0.0;         // one door, both programs; 0 when left out
    std::vector<KnifeInfo> tools; // the tools its programs use, each once, in the order of first use
    std::string reason;           // UTF-8: why it is left out; empty when its programs are written
    bool usable() const { return reason.empty(); }
};

// Plans the row and finds its outcome without writing anything.
RowOutcome AssessRow(const OrderRow& row, const RowPlans& plans, const MachineProfile& profile);
std::vector<RowOutcome> AssessOrder(const Order& order, const GU_OwnedList<KnifeInfo>& tools,
                                    const MachineProfile& profile);

struct OrderRunSummary {
    std::vector<std::string> written; // UTF-8 paths, in row order, hinge before lock
    std::vector<RowLeftOut> leftOut;
    std::vector<RowOutcome> rows;     // one per row the run reached, in the order's order
    double totalSeconds = 0.0;        // every written row's time times its quantity
    bool cancelled = false;
    std::string failure;              // UTF-8: a file that could not be written, and why; the run stops there
};

// Called after each row with the rows done and the rows in all; false stops
// the run after the files written so far, each of them whole.
using OrderProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Writes the programs of every usable row into folder (UTF-8), each written
// atomically, with a header comment naming the order, the row and the
// quantity. Runs on any thread: it touches only what it is given. The rows
// are planned on a thread of its own a few ahead of the writing; progress is
// called on the caller's.
OrderRunSummary WriteOrderPrograms(const Order& order, const GU_OwnedList<KnifeInfo>& tools,
                                   const MachineProfile& profile, const std::string& folder,
                                   const OrderProgress& progress = {});

// The summary's wording for the user (UTF-8, several lines).
std::string OrderSummaryText(const OrderRunSummary& summary);
