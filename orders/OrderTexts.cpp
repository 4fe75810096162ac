#include <orders/Order.h>

#include <library/GbkText.h>

#include <charconv>
#include <cstring>
#include <string>

namespace {

// Up to three decimals, without trailing zeros, whatever the locale.
std::string number(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    if (result.ec != std::errc())
        return "?";
    std::string text(buffer, result.ptr);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string megabytes(long long bytes)
{
    return std::to_string(bytes >> 20) + " MB";
}

const char* columnName(OrderColumn column)
{
    switch (column) {
    case OrderColumn::Order: return "订单号";
    case OrderColumn::DoorModel: return "门型";
    case OrderColumn::Length: return "长度";
    case OrderColumn::Width: return "宽度";
    case OrderColumn::Thickness: return "厚度";
    case OrderColumn::Quantity: return "数量";
    case OrderColumn::HingesUp: return "合页朝上";
    case OrderColumn::Note: return "备注";
    }
    return "";
}

std::string quoted(const std::string& gbk)
{
    return "“" + GbkToUtf8ForDisplay(gbk) + "”";
}

} // namespace

std::string OrderFileProblemText(const OrderFile& file)
{
    switch (file.problem) {
    case OrderFileProblem::None:
        return {};
    case OrderFileProblem::CannotOpen:
        return "无法读取生产单文件（系统错误，错误码 " + std::to_string(file.error) + "）";
    case OrderFileProblem::TooLarge:
        switch (file.limitOf) {
        case OrderFileLimit::FileBytes:
            return "生产单文件超过 " + megabytes(file.limit) + "，不能读取";
        case OrderFileLimit::PartBytes:
            return "工作簿的“" + file.detail + "”解压后超过 " + megabytes(file.limit) + "，不能读取";
        case OrderFileLimit::Cells:
            return "生产单的单元格超过 " + std::to_string(file.limit) + " 个，不能读取";
        case OrderFileLimit::XmlNodes:
            return "工作簿的“" + file.detail + "”中 XML 节点超过 " + std::to_string(file.limit) + " 个，不能读取";
        }
        return {};
    case OrderFileProblem::NotXlsx:
        return "不是可读的 XLSX 工作簿：“" + file.detail + "”无法读取";
    case OrderFileProblem::NoHeading:
        return "找不到标题行：没有一行同时写有“门型”“长度”“宽度”（或 DoorModel、Length、Width）";
    }
    return {};
}

std::string RefusalText(const RowRefusal& refusal)
{
    const std::string column = columnName(refusal.column);
    switch (refusal.kind) {
    case RowRefusal::Kind::None:
        return {};
    case RowRefusal::Kind::NoModel:
        return "没有写门型";
    case RowRefusal::Kind::UnknownModel:
        return "门型" + quoted(refusal.text) + "不在门板库中";
    case RowRefusal::Kind::ModelLacks:
        return "门型" + quoted(refusal.text) + (refusal.lockCore ? "没有锁芯模型" : "没有合页模型");
    case RowRefusal::Kind::NotANumber:
        if (refusal.text.empty())
            return column + "为空";
        return column + " " + quoted(refusal.text) + " 不是数";
    case RowRefusal::Kind::OutOfRange:
        return column + " " + number(refusal.value) + " 超出范围 " + number(refusal.min) + "–" + number(refusal.max) +
               " mm";
    case RowRefusal::Kind::BadQuantity:
        return "数量 " + quoted(refusal.text) + " 不是 1–" + std::to_string(static_cast<long long>(refusal.max)) +
               " 之间的整数";
    case RowRefusal::Kind::BadHingesUp:
        return "合页朝上 " + quoted(refusal.text) + " 应为 是、否、1 或 0";
    case RowRefusal::Kind::PartOffLeaf:
        return (refusal.lockCore ? std::string("锁芯") : "第 " + std::to_string(refusal.hinge + 1) + " 个合页") +
               "超出门板 " + number(refusal.by) + " mm";
    }
    return {};
}

std::string RowRefusalText(const OrderRow& row)
{
    return "第 " + std::to_string(row.line) + " 行：" + RefusalText(row.refusal);
}
