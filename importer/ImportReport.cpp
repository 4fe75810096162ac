#include <importer/ImportReport.h>

#include <algorithm>
#include <numeric>

std::size_t ImportReport::skippedTotal() const
{
    return std::accumulate(skipped.begin(), skipped.end(), std::size_t(0),
                           [](std::size_t sum, const auto& entry) { return sum + entry.second; });
}

std::size_t ImportReport::closedAnyway() const
{
    return static_cast<std::size_t>(
        std::count_if(openChains.begin(), openChains.end(), [](const OpenChain& c) { return c.closedAnyway; }));
}
