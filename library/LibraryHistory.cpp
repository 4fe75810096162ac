// Undo of this run's operations on the library.
#include <library/Library.h>

#include <library/LibraryParts.h>
#include <library/ModelFileMoves.h>
#include <library/NameLookup.h>

#include <algorithm>

namespace {
LibraryOutcome problem(LibraryOutcome::Problem p, std::string path = {}, int error = 0)
{
    LibraryOutcome outcome;
    outcome.problem = p;
    outcome.path = std::move(path);
    outcome.error = error;
    return outcome;
}
} // namespace

void Library::forgetNames() const
{
    m_models.hingeNames.clear();
    m_models.lockCoreNames.clear();
}

void Library::record(LibraryStep step, std::function<LibraryOutcome()> undo)
{
    if (!m_undoing)
        m_history.push_back({std::move(step), {std::move(undo)}});
}

const LibraryStep* Library::lastStep() const
{
    return m_history.empty() ? nullptr : &m_history.back().step;
}

void Library::joinHistorySince(std::size_t mark)
{
    if (mark + 1 >= m_history.size())
        return;
    // Shown as the last operation, under the name the model had at the start.
    HistoryEntry joined{m_history.back().step, {}};
    joined.step.name = m_history[mark].step.name;
    for (std::size_t i = mark; i < m_history.size(); ++i)
        for (auto& undo : m_history[i].undo)
            joined.undo.push_back(std::move(undo));
    m_history.resize(mark);
    m_history.push_back(std::move(joined));
}

LibraryOutcome Library::undo()
{
    if (m_history.empty())
        return problem(LibraryOutcome::Problem::NoModel);
    HistoryEntry& entry = m_history.back();
    m_undoing = true;
    LibraryOutcome outcome;
    // Newest part first; a part that fails stays to be tried again.
    while (!entry.undo.empty() && (outcome = entry.undo.back()()))
        entry.undo.pop_back();
    m_undoing = false;
    if (entry.undo.empty())
        m_history.pop_back();
    return outcome;
}

void Library::recordPut(LibraryPart part, const std::string& name, std::shared_ptr<GK_Object> old)
{
    if (!old) {
        record({LibraryStep::Kind::Added, part, name, {}}, [this, part, name] {
            const std::optional<std::size_t> at = rowOf(part, name);
            return at ? removeModel(part, *at) : problem(LibraryOutcome::Problem::NoModel);
        });
        return;
    }
    record({LibraryStep::Kind::Replaced, part, name, {}}, [this, part, old] { return putBack(part, old); });
}

LibraryOutcome Library::putBack(LibraryPart part, std::shared_ptr<GK_Object> old)
{
    return OnModelPart(
        part,
        [&](auto p) {
            using Part = decltype(p);
            return putBackIn<Part>(std::static_pointer_cast<typename Part::Model>(old));
        },
        problem(LibraryOutcome::Problem::NoModel));
}

template <typename Part>
LibraryOutcome Library::putBackIn(std::shared_ptr<typename Part::Model> old)
{
    auto& list = Part::list(m_models);
    const std::optional<std::size_t> at = PositionByName(list, old->GetName());
    if (!at)
        return problem(LibraryOutcome::Problem::NoModel);
    // A door of before names its models by name: those the library holds now.
    if constexpr (Part::id == LibraryPart::Doors)
        RebindDoorModels(*old, m_models);
    if (const SaveResult saved = Part::save(*old, saveContext()); !saved) {
        LibraryOutcome outcome = problem(LibraryOutcome::Problem::SaveFailed, saved.path);
        outcome.saved = saved;
        return outcome;
    }
    if constexpr (Part::id == LibraryPart::Doors) {
        const std::shared_ptr<GK_DoorWithHinges> replaced = list.take(*at);
        list.insert_shared(*at, gk_copy(*old));
    } else {
        *list[*at] = *old; // doors that share the model see its content of before
    }
    announce({LibraryChange::Kind::Replaced, Part::id, *at});
    return {};
}

LibraryOutcome Library::restoreDeleted(LibraryPart part, std::size_t row, const std::string& from,
                                       const std::string& to)
{
    return OnModelPart(
        part, [&](auto p) { return restoreIn<decltype(p)>(row, from, to); },
        problem(LibraryOutcome::Problem::NoModel));
}

template <typename Part>
LibraryOutcome Library::restoreIn(std::size_t row, const std::string& from, const std::string& to)
{
    if (const int error = MoveModelFile(from, to))
        return problem(error == EEXIST ? LibraryOutcome::Problem::TargetTaken : LibraryOutcome::Problem::MoveFailed,
                       error == EEXIST ? to : from, error);
    std::optional<FileFingerprint> seen;
    std::shared_ptr<typename Part::Model> model = Part::load(to, m_models, &seen);
    if (!model)
        return problem(LibraryOutcome::Problem::NoModel, to);
    if (seen)
        m_models.files.seen(to, *seen, model->GetName());
    auto& list = Part::list(m_models);
    const std::size_t at = std::min(row, list.count());
    list.insert_shared(at, std::move(model));
    forgetNames();
    announce({LibraryChange::Kind::Added, Part::id, at});
    return {};
}
