#include <importer/ImportReport.h>

#include <algorithm>
#include <numeric>

std::size_t ImportReport::skippedTotal() const
{
    return std::accumulate(skipped.begin(), skipped.end(), std::size_t(0),
                           [](std::size_t sum, const auto& entry) { return sum + entry.second; });
}

std::string ImportReport::summary() const
{
    if (!failure.empty())
        return "导入失败：" + failure;
    std::string line = "导入完成：轮廓 " + std::to_string(outlines) + " 个，孔 " + std::to_string(holes) + " 个";
    if (!unit.empty())
        line += "，单位 " + unit + "（" + unitSource + "）";
    if (const std::size_t n = skippedTotal())
        line += "，跳过图元 " + std::to_string(n) + " 个";
    const auto closedAnyway = static_cast<std::size_t>(
        std::count_if(openChains.begin(), openChains.end(), [](const OpenChain& c) { return c.closedAnyway; }));
    if (closedAnyway > 0)
        line += "，补闭合 " + std::to_string(closedAnyway) + " 处";
    if (const std::size_t open = openChains.size() - closedAnyway)
        line += "，未闭合链 " + std::to_string(open) + " 条";
    if (leftInside > 0)
        line += "，轮廓内未导入 " + std::to_string(leftInside) + " 个";
    return line;
}
