#pragma once

#include <atomic>

// The stages of an import, in their order.
enum class ImportStage { Reading, Blocks, Curves, Outlines, Model };

// Shared between an import and whoever watches it from another thread: the
// import tells its stage, the watcher may ask it to stop. An import that sees
// the request ends soon after with no model.
class ImportProgress {
public:
    void cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }

    void enter(ImportStage stage) { m_stage.store(stage, std::memory_order_relaxed); }
    ImportStage stage() const { return m_stage.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> m_cancelled{false};
    std::atomic<ImportStage> m_stage{ImportStage::Reading};
};
