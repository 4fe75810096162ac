#pragma once

#include <dialogs/FileDialogs.h>
#include <orders/Order.h>
#include <orders/OrderPrograms.h>

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class CommandHost;
class MachiningCommands;
class MessageBoxes;
class PrinterChoice;

// The production order of the "加工" menu: an order file read against the
// host's library, the estimated machining time of its rows, every row's
// programs and the job sheet written from it, and "打印...", which prints
// the door of the drawing and the open order's job sheet. Long work runs
// off the window's thread with progress and "取消". Tools and profile come
// from the machining commands, which own the profile.
class OrderCommands {
public:
    OrderCommands(CommandHost& host, FileDialogs& files, MessageBoxes& messages, PrinterChoice& printers,
                  const MachiningCommands& machining);

    // The open order; null while none is.
    const Order* order() const { return m_order.get(); }
    // What planning found for each row in turn (its time, or why it is left
    // out), as far as the estimate came: fewer than the rows when cancelled.
    const std::vector<RowOutcome>& rowOutcomes() const { return m_outcomes; }
    // Told whenever the open order or its estimates changed.
    void setOrderChanged(std::function<void()> changed) { m_changed = std::move(changed); }
    // How long a run waits before its progress dialog shows.
    void setProgressDelay(std::chrono::milliseconds delay) { m_progressDelay = delay; }

    static FileFilter OrderFilter();
    // Whether the file is one an order may be read from, by its suffix.
    static bool IsOrderFile(const QString& path);

    void OnOpenOrder();          // "生产单..."
    // Opens the order file (also one dropped on the window); a file giving
    // no rows is named with its problem and the open order stays.
    bool OpenOrder(const QString& path);
    void OnWriteAllPrograms();   // "生成全部程序..."
    void OnWriteJobSheet();      // "生成生产单PDF..."
    void OnPrint();              // "打印..."
    // Reads the open order's rows against the library again and estimates
    // them anew: models, tools or the profile changed.
    void ResolveAgain();

private:
    // Resolves the file's rows and estimates them; false, with the order
    // unchanged, when the user cancelled the estimate of a new order.
    bool resolve(const OrderFile& file, const std::string& path, bool opening);

    CommandHost& m_host;
    FileDialogs& m_files;
    MessageBoxes& m_messages;
    PrinterChoice& m_printers;
    const MachiningCommands& m_machining;
    std::function<void()> m_changed;
    std::chrono::milliseconds m_progressDelay{500};
    OrderFile m_file;
    std::unique_ptr<const Order> m_order;
    std::vector<RowOutcome> m_outcomes;
    QString m_folder; // where the last programs were written
};
