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
// replaced by "_".
std::string OrderProgramName(const OrderRow& row, ProgramKind kind);

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

struct OrderRunSummary {
    std::vector<std::string> written; // UTF-8 paths, in row order, hinge before lock
    std::vector<RowLeftOut> leftOut;
    double totalSeconds = 0.0;        // every written row's time times its quantity
    bool cancelled = false;
    std::string failure;              // UTF-8: a file that could not be written, and why; the run stops there
};

// Called after each row with the rows done and the rows in all; false stops
// the run after the files written so far, each of them whole.
using OrderProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Writes the programs of every usable row into folder (UTF-8), each written
// atomically, with a header comment naming the order, the row and the
// quantity. Runs on any thread: it touches only what it is given.
OrderRunSummary WriteOrderPrograms(const Order& order, const GU_OwnedList<KnifeInfo>& tools,
                                   const MachineProfile& profile, const std::string& folder,
                                   const OrderProgress& progress = {});

// The summary's wording for the user (UTF-8, several lines).
std::string OrderSummaryText(const OrderRunSummary& summary);
