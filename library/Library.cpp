#include <library/Library.h>

#include <library/AtomicFile.h>
#include <library/KnifeFile.h>
#include <library/LibraryParts.h>
#include <library/NameLookup.h>

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {
// Puts the models read into the order of the list of before: a model whose
// name was there takes that one's place, the others follow in read order.
template <typename Model>
void keepOrder(GU_SharedList<Model>& read, const GU_SharedList<Model>& before)
{
    std::unordered_map<std::string, std::size_t> rowOf;
    for (std::size_t i = 0; i < before.count(); ++i)
        rowOf.emplace(NameKey(before[i]->GetName()), i);
    std::vector<std::pair<std::size_t, std::size_t>> order; // (place, row read)
    for (std::size_t j = 0; j < read.count(); ++j) {
        const auto it = rowOf.find(NameKey(read[j]->GetName()));
        order.emplace_back(it != rowOf.end() ? it->second : before.count() + j, j);
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    GU_SharedList<Model> sorted;
    for (const auto& [place, j] : order)
        sorted.add_shared(read.share(j));
    read = std::move(sorted);
}
} // namespace

Library::Connection::Connection(std::weak_ptr<std::list<Listener>> listeners, std::list<Listener>::iterator at)
    : m_listeners(std::move(listeners)), m_at(at)
{
}

Library::Connection::Connection(Connection&& other) noexcept
    : m_listeners(std::exchange(other.m_listeners, {})), m_at(other.m_at)
{
}

Library::Connection& Library::Connection::operator=(Connection&& other) noexcept
{
    if (this != &other) {
        disconnect();
        m_listeners = std::exchange(other.m_listeners, {});
        m_at = other.m_at;
    }
    return *this;
}

Library::Connection::~Connection()
{
    disconnect();
}

void Library::Connection::disconnect()
{
    if (const std::shared_ptr<std::list<Listener>> listeners = m_listeners.lock())
        listeners->erase(m_at);
    m_listeners.reset();
}

Library::Library(std::string folder) : m_folder(LibraryRoot(folder)) {}

SaveContext Library::saveContext(OnDiskChange onChange)
{
    return SaveContext{m_folder, &m_models.files, onChange};
}

void Library::reload()
{
    RemoveLeftoverTempFiles(m_folder); // the model folders' go as they are read
    ModelLibrary read;
    // Ordered before the doors are read, so that a door binds to the first
    // of two models whose names differ in letter case as the lists show them.
    LoadAllHinges(m_folder, read.hinges, &read.skipped, &read.files);
    keepOrder(read.hinges, m_models.hinges);
    LoadAllLockCores(m_folder, read.lockCores, &read.skipped, &read.files);
    keepOrder(read.lockCores, m_models.lockCores);
    LoadAllDoorModels(m_folder, read.doors, read, &read.skipped, &read.files, &read.unboundDoors);
    keepOrder(read.doors, m_models.doors);
    LoadKnifeFile(m_folder, read.knives, &read.skipped, &read.files);
    m_models.swap(read);
    announce({LibraryChange::Kind::Reloaded});
    // read, holding the models of before, goes only now.
}

void Library::reloadTools()
{
    GU_OwnedList<KnifeInfo> before = std::move(m_models.knives);
    m_models.knives = {};
    LoadKnifeFile(m_folder, m_models.knives, nullptr, &m_models.files);
    announce({LibraryChange::Kind::Replaced, LibraryPart::Tools});
}

template <typename Part>
void Library::put(const typename Part::Model& model)
{
    using Model = typename Part::Model;
    GU_SharedList<Model>& list = Part::list(m_models);
    if (const std::optional<std::size_t> existing = PositionByName(list, model.GetName())) {
        // The listed object takes the content, so doors that share it show
        // the new model.
        recordPut(Part::id, model.GetName(), std::shared_ptr<GK_Object>(gk_copy(*list[*existing])));
        *list[*existing] = model;
        announce({LibraryChange::Kind::Replaced, Part::id, *existing});
        return;
    }
    std::unique_ptr<Model> copy = gk_copy(model);
    if (!copy)
        return;
    list.add_tail(std::move(copy));
    recordPut(Part::id, model.GetName(), nullptr);
    announce({LibraryChange::Kind::Added, Part::id, list.count() - 1});
}

void Library::putHinges(const GK_Hinges& model)
{
    put<HingesPart>(model);
}

void Library::putLockCore(const GK_LockCore& model)
{
    put<LockCorePart>(model);
}

void Library::putDoor(std::unique_ptr<GK_DoorWithHinges> door)
{
    if (!door)
        return;
    GU_SharedList<GK_DoorWithHinges>& doors = m_models.doors;
    const std::string name = door->GetName();
    if (const std::optional<std::size_t> existing = PositionByName(doors, name)) {
        // The door let go of lives on where it is still shown, until those
        // follow the announcement.
        const std::shared_ptr<GK_DoorWithHinges> before = doors.share(*existing);
        doors.replace(*existing, std::move(door));
        recordPut(LibraryPart::Doors, name, before);
        announce({LibraryChange::Kind::Replaced, LibraryPart::Doors, *existing});
        return;
    }
    doors.add_tail(std::move(door));
    recordPut(LibraryPart::Doors, name, nullptr);
    announce({LibraryChange::Kind::Added, LibraryPart::Doors, doors.count() - 1});
}

// The table is saved whole, so its undo keeps the whole list of before and
// writes it back.
void Library::setTools(const GU_OwnedList<KnifeInfo>& tools)
{
    auto before = std::make_shared<GU_OwnedList<KnifeInfo>>(std::exchange(m_models.knives, CopyTools(tools)));
    record({LibraryStep::Kind::Replaced, LibraryPart::Tools, {}, {}}, [this, before] {
        LibraryOutcome outcome;
        outcome.saved = SaveKnifeFile(*before, saveContext());
        if (!outcome.saved) {
            outcome.problem = LibraryOutcome::Problem::SaveFailed;
            outcome.path = outcome.saved.path;
            return outcome;
        }
        const GU_OwnedList<KnifeInfo> replaced = std::exchange(m_models.knives, CopyTools(*before));
        announce({LibraryChange::Kind::Replaced, LibraryPart::Tools});
        return outcome;
    });
    announce({LibraryChange::Kind::Replaced, LibraryPart::Tools});
}

Library::Connection Library::onChanged(Listener listener)
{
    m_listeners->push_back(std::move(listener));
    return Connection(m_listeners, std::prev(m_listeners->end()));
}

void Library::announce(const LibraryChange& change)
{
    // A listener may connect or disconnect others while it is told.
    const std::vector<Listener> listeners(m_listeners->begin(), m_listeners->end());
    for (const Listener& listener : listeners)
        listener(change);
}

GU_OwnedList<KnifeInfo> CopyTools(const GU_OwnedList<KnifeInfo>& tools)
{
    GU_OwnedList<KnifeInfo> copy;
    for (const KnifeInfo* tool : tools)
        copy.add_tail(tool ? std::make_unique<KnifeInfo>(*tool) : nullptr);
    return copy;
}
