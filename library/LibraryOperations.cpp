// Deleting and renaming models: the files first, then the lists, then the
// announcement; each recorded for undo.
#include <library/Library.h>

#include <library/LibraryParts.h>
#include <library/ModelFileMoves.h>
#include <library/NameLookup.h>

#include <ctime>

namespace {

LibraryOutcome problem(LibraryOutcome::Problem p)
{
    LibraryOutcome outcome;
    outcome.problem = p;
    return outcome;
}

LibraryOutcome saveFailed(const SaveResult& saved)
{
    LibraryOutcome outcome = problem(LibraryOutcome::Problem::SaveFailed);
    outcome.saved = saved;
    outcome.path = saved.path;
    return outcome;
}

LibraryOutcome moveFailed(const std::string& path, int error)
{
    LibraryOutcome outcome = problem(error == EEXIST ? LibraryOutcome::Problem::TargetTaken
                                                     : LibraryOutcome::Problem::MoveFailed);
    outcome.path = path;
    outcome.error = error;
    return outcome;
}

// The door with its hinge or lock-core model (the part's) replaced.
template <typename Part>
std::shared_ptr<GK_DoorWithHinges> doorWith(const GK_DoorWithHinges& door, std::shared_ptr<typename Part::Model> model)
{
    std::shared_ptr<GK_DoorWithHinges> copy = gk_copy(door);
    if constexpr (Part::id == LibraryPart::Hinges)
        copy->SetHingesModel(std::move(model));
    else if constexpr (Part::id == LibraryPart::LockCores)
        copy->SetLockCoreModel(std::move(model));
    return copy;
}

} // namespace

std::vector<std::string> Library::doorsUsing(LibraryPart part, std::size_t row) const
{
    std::vector<std::string> doors;
    const GK_Object* model = nullptr;
    if (part == LibraryPart::Hinges && row < m_models.hinges.count())
        model = m_models.hinges[row];
    else if (part == LibraryPart::LockCores && row < m_models.lockCores.count())
        model = m_models.lockCores[row];
    if (!model)
        return doors;
    for (const GK_DoorWithHinges* door : m_models.doors)
        if (door && (door->GetHingesModel() == model || door->GetLockCoreModel() == model))
            doors.push_back(door->GetName());
    return doors;
}

const GK_NamedObject* Library::modelAt(LibraryPart part, std::size_t row) const
{
    const auto at = [row](const auto& list) -> const GK_NamedObject* { return row < list.count() ? list[row] : nullptr; };
    switch (part) {
    case LibraryPart::Hinges:
        return at(m_models.hinges);
    case LibraryPart::LockCores:
        return at(m_models.lockCores);
    case LibraryPart::Doors:
        return at(m_models.doors);
    case LibraryPart::Tools:
        break;
    }
    return nullptr;
}

std::optional<std::size_t> Library::rowOf(LibraryPart part, const std::string& name) const
{
    switch (part) {
    case LibraryPart::Hinges:
        return PositionByName(m_models.hinges, name);
    case LibraryPart::LockCores:
        return PositionByName(m_models.lockCores, name);
    case LibraryPart::Doors:
        return PositionByName(m_models.doors, name);
    case LibraryPart::Tools:
        break;
    }
    return std::nullopt;
}

LibraryOutcome Library::removeModel(LibraryPart part, std::size_t row)
{
    return OnModelPart(
        part, [&](auto p) { return removeFrom<decltype(p)>(row); }, problem(LibraryOutcome::Problem::NoModel));
}

template <typename Part>
LibraryOutcome Library::removeFrom(std::size_t row)
{
    auto& list = Part::list(m_models);
    if (row >= list.count() || !list[row])
        return problem(LibraryOutcome::Problem::NoModel);
    if (std::vector<std::string> doors = doorsUsing(Part::id, row); !doors.empty()) {
        LibraryOutcome outcome = problem(LibraryOutcome::Problem::InUse);
        outcome.doors = std::move(doors);
        return outcome;
    }
    const std::string name = list[row]->GetName();
    const std::optional<std::string> path = ModelFileTarget(ModelFolderPath(m_folder, Part::folder), name);
    if (!path)
        return moveFailed(name, ENOENT);
    const std::string deleted = DeletedFilePath(m_folder, Part::folder, *path, std::time(nullptr));
    if (const int error = MoveModelFile(*path, deleted))
        return moveFailed(*path, error);
    m_models.files.gone(*path);
    const std::shared_ptr<typename Part::Model> taken = list.take(row);
    forgetNames();
    record({LibraryStep::Kind::Removed, Part::id, name, {}},
           [this, row, deleted, original = *path] { return restoreDeleted(Part::id, row, deleted, original); });
    announce({LibraryChange::Kind::Removed, Part::id, row, name});
    return {};
}

RenamePlan Library::planRename(LibraryPart part, std::size_t row, const std::string& gbkNewName)
{
    RenamePlan none;
    none.refused = problem(LibraryOutcome::Problem::NoModel);
    return OnModelPart(
        part, [&](auto p) { return planRenameIn<decltype(p)>(row, gbkNewName); }, none);
}

template <typename Part>
RenamePlan Library::planRenameIn(std::size_t row, const std::string& newName)
{
    using Model = typename Part::Model;
    RenamePlan plan;
    auto& list = Part::list(m_models);
    if (row >= list.count() || !list[row]) {
        plan.refused = problem(LibraryOutcome::Problem::NoModel);
        return plan;
    }
    if (const ModelNameProblem bad = CheckNewModelName(newName); bad != ModelNameProblem::None) {
        plan.refused = problem(LibraryOutcome::Problem::BadName);
        plan.refused.nameProblem = bad;
        return plan;
    }
    if (const std::optional<std::size_t> other = PositionByName(list, newName); other && *other != row) {
        plan.refused = problem(LibraryOutcome::Problem::NameTaken);
        return plan;
    }
    const Model& model = *list[row];
    if (model.GetName() == newName)
        return plan;
    const std::string folder = ModelFolderPath(m_folder, Part::folder);
    std::shared_ptr<Model> renamed = gk_copy(model);
    renamed->SetName(newName);
    const auto save = [this](auto write) -> std::function<LibraryOutcome()> {
        return [this, write] {
            const SaveResult saved = write(saveContext());
            return saved ? LibraryOutcome{} : saveFailed(saved);
        };
    };
    // The model under its new name first, then the doors naming it anew.
    plan.steps.push_back(save([renamed](const SaveContext& c) { return Part::save(*renamed, c); }));
    if constexpr (Part::id != LibraryPart::Doors) {
        for (const GK_DoorWithHinges* door : m_models.doors) {
            const GK_Object* used = door ? static_cast<const GK_Object*>(door->GetHingesModel()) : nullptr;
            const GK_Object* usedLock = door ? static_cast<const GK_Object*>(door->GetLockCoreModel()) : nullptr;
            if (used != &model && usedLock != &model)
                continue;
            const std::shared_ptr<GK_DoorWithHinges> rewritten = doorWith<Part>(*door, renamed);
            plan.steps.push_back(
                save([rewritten](const SaveContext& c) { return SaveDoorModelFile(rewritten.get(), c); }));
        }
    }
    // The old file last, unless it is the new one (a folder blind to case).
    if (const std::optional<std::string> old = ModelFileTarget(folder, model.GetName())) {
        plan.steps.push_back([this, old = *old, folder, newName] {
            const std::optional<std::string> target = ModelFileTarget(folder, newName);
            if (target && SameFile(old, *target))
                return LibraryOutcome{};
            if (const int error = RemoveModelFile(old))
                return moveFailed(old, error);
            m_models.files.gone(old);
            return LibraryOutcome{};
        });
    }
    return plan;
}

LibraryOutcome Library::renameModel(LibraryPart part, std::size_t row, const std::string& gbkNewName)
{
    RenamePlan plan = planRename(part, row, gbkNewName);
    if (!plan.refused)
        return plan.refused;
    if (plan.steps.empty())
        return {};
    // A step that fails leaves what the steps before it wrote: the model
    // keeps its old name here and both names on disk until the next read.
    for (const auto& step : plan.steps)
        if (LibraryOutcome outcome = step(); !outcome)
            return outcome;
    OnModelPart(
        part, [&](auto p) { renameInMemory<decltype(p)>(row, gbkNewName); return 0; }, 0);
    return {};
}

template <typename Part>
void Library::renameInMemory(std::size_t row, const std::string& newName)
{
    auto& model = *Part::list(m_models)[row];
    const std::string oldName = model.GetName();
    // The object itself is renamed: the doors that share it name it anew.
    model.SetName(newName);
    forgetNames();
    record({LibraryStep::Kind::Renamed, Part::id, oldName, newName}, [this, oldName, newName] {
        const std::optional<std::size_t> at = rowOf(Part::id, newName);
        return at ? renameModel(Part::id, *at, oldName) : problem(LibraryOutcome::Problem::NoModel);
    });
    announce({LibraryChange::Kind::Renamed, Part::id, row, oldName});
}
