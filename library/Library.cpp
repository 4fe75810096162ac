#include <library/Library.h>

#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LibraryFolder.h>
#include <library/LockCoreFile.h>
#include <library/NameLookup.h>

#include <utility>
#include <vector>

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
    RemoveLeftoverSaves(m_folder);
    ModelLibrary read;
    LoadAllHinges(m_folder, read.hinges, &read.skipped, &read.files);
    LoadAllLockCores(m_folder, read.lockCores, &read.skipped, &read.files);
    LoadAllDoorModels(m_folder, read.doors, read, &read.skipped, &read.files, &read.unboundDoors);
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

template <typename Model>
void Library::put(GU_SharedList<Model>& list, const Model& model, LibraryPart part)
{
    if (const std::optional<std::size_t> existing = PositionByName(list, model.GetName())) {
        // The listed object takes the content, so doors that share it show
        // the new model.
        *list[*existing] = model;
        announce({LibraryChange::Kind::Replaced, part, *existing});
        return;
    }
    std::unique_ptr<Model> copy = gk_copy(model);
    if (!copy)
        return;
    list.add_tail(std::move(copy));
    announce({LibraryChange::Kind::Added, part, list.count() - 1});
}

void Library::putHinges(const GK_Hinges& model)
{
    put(m_models.hinges, model, LibraryPart::Hinges);
}

void Library::putLockCore(const GK_LockCore& model)
{
    put(m_models.lockCores, model, LibraryPart::LockCores);
}

void Library::putDoor(std::unique_ptr<GK_DoorWithHinges> door)
{
    if (!door)
        return;
    GU_SharedList<GK_DoorWithHinges>& doors = m_models.doors;
    if (const std::optional<std::size_t> existing = PositionByName(doors, door->GetName())) {
        // The door let go of lives on where it is still shown, until those
        // follow the announcement.
        const std::shared_ptr<GK_DoorWithHinges> before = doors.share(*existing);
        doors.replace(*existing, std::move(door));
        announce({LibraryChange::Kind::Replaced, LibraryPart::Doors, *existing});
        return;
    }
    doors.add_tail(std::move(door));
    announce({LibraryChange::Kind::Added, LibraryPart::Doors, doors.count() - 1});
}

void Library::setTools(const GU_OwnedList<KnifeInfo>& tools)
{
    GU_OwnedList<KnifeInfo> before = std::exchange(m_models.knives, CopyTools(tools));
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
