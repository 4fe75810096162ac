#include <importer/ParseOutcome.h>

std::string parseFailureText(DxfParseOutcome outcome)
{
    switch (outcome) {
    case DxfParseOutcome::Read:
        break;
    case DxfParseOutcome::CannotOpen:
        return "无法读取图纸文件";
    case DxfParseOutcome::TooLarge:
        return "图纸中的图元或顶点过多，超出导入上限";
    case DxfParseOutcome::OutOfMemory:
        return "DXF 文件过大或已损坏，内存不足";
    case DxfParseOutcome::Damaged:
        return "DXF 文件已损坏，无法解析";
    }
    return {};
}
