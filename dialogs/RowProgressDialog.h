#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>

// The rows done of a run over an order's rows on another thread, and the
// user's cancel: the worker reports, the window's thread reads.
class RowProgress {
public:
    // Notes the rows done; false once the user cancelled.
    bool advance(std::size_t done, std::size_t total)
    {
        m_total.store(total);
        m_done.store(done);
        return !m_cancelled.load();
    }
    void cancel() { m_cancelled.store(true); }
    bool cancelled() const { return m_cancelled.load(); }
    std::size_t done() const { return m_done.load(); }
    std::size_t total() const { return m_total.load(); }

private:
    std::atomic<std::size_t> m_done{0}, m_total{0};
    std::atomic<bool> m_cancelled{false};
};

// What a run over the rows does. The job sheet is written in one piece: its
// dialog counts nothing and cannot cancel.
enum class RowWork { Estimating, WritingPrograms, WritingJobSheet };

// "正在生成加工程序：第 3 行，共 20 行"
QString RowWorkText(RowWork work, std::size_t done, std::size_t total);

// Runs run on a thread of its own (see RunWithProgress); after showAfter a
// modal dialog counts the rows done, with "取消" cancelling progress.
void RunRowsWithProgress(RowProgress& progress, RowWork work, const std::function<void()>& run,
                         std::chrono::milliseconds showAfter = std::chrono::milliseconds(500));
