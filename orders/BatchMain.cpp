// An order to its programs and job sheet without the window:
//   VarnholtBatch ORDER-FILE OUTPUT-FOLDER [--library FOLDER]
// The library is the one beside the program unless FOLDER is given. Exits 0
// when every row's programs were written, 1 when rows were refused or left
// out or a file could not be written, 2 on bad arguments or an order file
// that gives no rows.
#include <orders/JobSheet.h>
#include <orders/Order.h>
#include <orders/OrderPrograms.h>

#include <library/DoorModelFile.h>
#include <library/ExeFolder.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LockCoreFile.h>
#include <library/MachineProfileFile.h>
#include <library/ModelLibrary.h>

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

constexpr int kAllWritten = 0;
constexpr int kRowsLeftOut = 1;
constexpr int kBadInput = 2;

int usage()
{
    std::fputs("用法：VarnholtBatch 订单文件 输出文件夹 [--library 库文件夹]\n"
               "把订单（CSV 或 XLSX）中每一行门板的合页和锁孔加工程序及生产单（PDF）写入输出文件夹；\n"
               "库文件夹默认为程序所在的文件夹。\n",
               stderr);
    return kBadInput;
}

struct Arguments {
    std::string order, output, library;
};

bool parse(int argc, char** argv, Arguments& out)
{
    std::vector<std::string> plain;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--library" && i + 1 < argc && out.library.empty())
            out.library = argv[++i];
        else if (arg.starts_with("-"))
            return false;
        else
            plain.push_back(arg);
    }
    if (plain.size() != 2)
        return false;
    out.order = plain[0];
    out.output = plain[1];
    if (out.library.empty())
        out.library = GetExeFolder();
    if (out.library.back() != '/')
        out.library += '/';
    return true;
}

void loadLibrary(const std::string& folder, ModelLibrary& library)
{
    // Read, never written: a batch run leaves the library as it finds it.
    LoadAllHinges(folder, library.hinges, &library.skipped);
    LoadAllLockCores(folder, library.lockCores, &library.skipped);
    LoadAllDoorModels(folder, library.doors, library, &library.skipped);
    LoadKnifeFile(folder, library.knives, &library.skipped);
}

} // namespace

int main(int argc, char** argv)
{
    // The job sheet is painted without a screen.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);

    Arguments args;
    if (!parse(argc, argv, args))
        return usage();
    std::error_code error;
    if (!std::filesystem::is_directory(args.library, error)) {
        std::fprintf(stderr, "库文件夹“%s”不存在。\n", args.library.c_str());
        return kBadInput;
    }

    const OrderFile file = ReadOrderFile(args.order);
    if (file.problem != OrderFileProblem::None) {
        std::fprintf(stderr, "订单文件“%s”：%s\n", args.order.c_str(), OrderFileProblemText(file).c_str());
        return kBadInput;
    }
    std::filesystem::create_directories(args.output, error);
    if (!std::filesystem::is_directory(args.output, error)) {
        std::fprintf(stderr, "无法建立输出文件夹“%s”。\n", args.output.c_str());
        return kBadInput;
    }

    ModelLibrary library;
    loadLibrary(args.library, library);
    const MachineProfile profile = LoadMachineProfile(args.library);
    const Order order = ResolveOrder(file, library);

    const OrderRunSummary summary = WriteOrderPrograms(order, library.knives, profile, args.output);
    std::fputs(OrderSummaryText(summary).c_str(), stdout);

    const std::string sheet = (std::filesystem::path(args.output) / (order.name + ".pdf")).string();
    QString sheetError;
    const bool sheetWritten =
        WriteJobSheet(QString::fromStdString(sheet), order, summary.rows, &sheetError);
    if (sheetWritten)
        std::printf("生产单 %s\n", sheet.c_str());
    else
        std::fprintf(stderr, "%s\n", sheetError.toStdString().c_str());

    const bool whole = summary.leftOut.empty() && summary.failure.empty() && sheetWritten;
    return whole ? kAllWritten : kRowsLeftOut;
}
