#include <commands/OrderCommands.h>

#include <commands/CommandHost.h>
#include <commands/MachiningCommands.h>

#include <dialogs/MessageBoxes.h>
#include <dialogs/OrderMessages.h>
#include <dialogs/PrinterChoice.h>
#include <dialogs/RowProgressDialog.h>
#include <kernel/GK_DoorWithHinges.h>
#include <library/Library.h>
#include <orders/JobSheet.h>
#include <orders/OrderPrograms.h>

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

namespace {

// A run on another thread reads its own copy of the tools: the library may
// not change under it, but nothing it is given is shared with the window.
GU_OwnedList<KnifeInfo> toolsOf(CommandHost& host)
{
    const Library* library = host.library();
    return library ? CopyTools(library->models().knives) : GU_OwnedList<KnifeInfo>();
}

const GK_DoorWithHinges* drawnDoor(CommandHost& host)
{
    GK_Object* object = host.firstDrawingObject();
    while (object && object->type() != GK_TYPE_DOOR)
        object = object->next;
    return static_cast<const GK_DoorWithHinges*>(object);
}

QString utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

OrderCommands::OrderCommands(CommandHost& host, FileDialogs& files, MessageBoxes& messages, PrinterChoice& printers,
                             const MachiningCommands& machining)
    : m_host(host), m_files(files), m_messages(messages), m_printers(printers), m_machining(machining)
{
}

FileFilter OrderCommands::OrderFilter()
{
    return {QStringLiteral("生产单(*.csv *.xlsx)"),
            {QStringLiteral("*.csv"), QStringLiteral("*.xlsx")},
            QStringLiteral("csv"),
            {{QStringLiteral("所有文件(*)"), {QStringLiteral("*")}}}};
}

bool OrderCommands::IsOrderFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("csv") || suffix == QLatin1String("xlsx");
}

void OrderCommands::OnOpenOrder()
{
    const QString path = m_files.openFile(OrderFilter());
    if (!path.isEmpty())
        OpenOrder(path);
}

bool OrderCommands::OpenOrder(const QString& path)
{
    const std::string file = path.toStdString();
    OrderFile read = ReadOrderFile(file);
    if (read.problem != OrderFileProblem::None) {
        m_messages.warning(OrderNotOpenedMessage(path, utf8(OrderFileProblemText(read))));
        return false;
    }
    if (!resolve(read, file, true))
        return false;
    m_file = std::move(read);
    std::size_t refused = 0;
    for (const OrderRow& row : m_order->rows)
        refused += !row.usable();
    m_host.showStatus(OrderOpenedStatus(utf8(m_order->name), m_order->rows.size(), refused));
    return true;
}

void OrderCommands::ResolveAgain()
{
    if (m_order)
        resolve(m_file, m_order->path, false);
}

bool OrderCommands::resolve(const OrderFile& file, const std::string& path, bool opening)
{
    static const ModelLibrary noModels;
    const Library* library = m_host.library();
    auto order = std::make_unique<Order>(ResolveOrder(file, library ? library->models() : noModels));
    order->path = path;
    order->name = QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString();

    std::vector<RowOutcome> outcomes;
    outcomes.reserve(order->rows.size());
    const GU_OwnedList<KnifeInfo> tools = toolsOf(m_host);
    const MachineProfile profile = m_machining.profile();
    RowProgress progress;
    RunRowsWithProgress(
        progress, RowWork::Estimating,
        [&] {
            const std::size_t total = order->rows.size();
            for (std::size_t i = 0; i < total && progress.advance(i, total); ++i) {
                const OrderRow& row = order->rows[i];
                if (row.usable())
                    outcomes.push_back(AssessRow(row, PlanRow(row, tools, profile), profile));
                else
                    outcomes.push_back({0.0, {}, RefusalText(row.refusal)});
            }
        },
        m_progressDelay);
    // A new order is not opened half estimated; the open one keeps its rows
    // read again, without the times not estimated.
    if (opening && progress.cancelled())
        return false;
    m_order = std::move(order);
    m_outcomes = std::move(outcomes);
    if (m_changed)
        m_changed();
    return true;
}

void OrderCommands::OnWriteAllPrograms()
{
    if (!m_order) {
        m_messages.information(NoOrderMessage());
        return;
    }
    const Order& order = *m_order;
    const QString name = utf8(order.name);
    const QString folder = m_files.chooseFolder(MachiningCommands::ProgramFilter(m_machining.profile()).defaultSuffix,
                                                OrderProgramsFolderTitle(name), m_folder);
    if (folder.isEmpty())
        return;
    m_folder = folder;
    QStringList existing;
    for (const OrderRow& row : order.rows)
        if (row.usable())
            for (const ProgramKind kind : {ProgramKind::Hinges, ProgramKind::Lock}) {
                const QString file = utf8(OrderProgramName(row, kind, m_machining.profile().Extension));
                if (QFileInfo::exists(QDir(folder).filePath(file)))
                    existing << file;
            }
    if (!existing.isEmpty() && !m_messages.question(OrderProgramsReplaceQuestion(folder, existing)))
        return;

    const GU_OwnedList<KnifeInfo> tools = toolsOf(m_host);
    const MachineProfile profile = m_machining.profile();
    RowProgress progress;
    OrderRunSummary summary;
    RunRowsWithProgress(
        progress, RowWork::WritingPrograms,
        [&] {
            summary = WriteOrderPrograms(order, tools, profile, folder.toStdString(),
                                         [&progress](std::size_t done, std::size_t total) {
                                             return progress.advance(done, total);
                                         });
        },
        m_progressDelay);
    // The summary says whether the run was cancelled or stopped at a file.
    const QString text = utf8(OrderSummaryText(summary));
    if (summary.failure.empty())
        m_messages.information(text);
    else
        m_messages.warning(text);
}

void OrderCommands::OnWriteJobSheet()
{
    if (!m_order) {
        m_messages.information(NoOrderMessage());
        return;
    }
    const Order& order = *m_order;
    const QString name = utf8(order.name);
    const QString path = m_files.saveFile({QStringLiteral("PDF文件(*.pdf)"), {QStringLiteral("*.pdf")}, QStringLiteral("pdf")},
                                          {JobSheetSaveTitle(name), m_folder, JobSheetFileName(name)});
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();
    const GU_OwnedList<KnifeInfo> tools = toolsOf(m_host);
    const MachineProfile profile = m_machining.profile();
    RowProgress progress;
    QString error;
    bool written = false;
    RunRowsWithProgress(
        progress, RowWork::WritingJobSheet, [&] { written = WriteJobSheet(path, order, tools, profile, &error); },
        m_progressDelay);
    if (written)
        m_host.showStatus(JobSheetWrittenStatus(path));
    else
        m_messages.warning(JobSheetNotWrittenMessage(path, error));
}

// Printed on the window's thread: a printer is not to be painted on from
// another. The drawing's door comes first, the job sheet after it.
void OrderCommands::OnPrint()
{
    const GK_DoorWithHinges* door = drawnDoor(m_host);
    if (!door && !m_order) {
        m_messages.information(NothingToPrintMessage());
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!m_printers.choose(printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_messages.warning(PrintFailedMessage());
        return;
    }
    if (door) {
        const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
        PaintDimensionedDoor(painter, QRectF(0, 0, page.width(), page.height()), *door);
    }
    if (m_order) {
        if (door)
            printer.newPage();
        // The estimate's outcomes spare planning every row again, when it
        // went through.
        if (m_outcomes.size() == m_order->rows.size())
            PaintJobSheet(painter, printer, *m_order, m_outcomes);
        else
            PaintJobSheet(painter, printer, *m_order, toolsOf(m_host), m_machining.profile());
    }
    painter.end();
}
