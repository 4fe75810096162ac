#include <commands/LibraryCommands.h>

#include <commands/CommandHost.h>

#include <dialogs/CDlgAddDoorModel.h>
#include <dialogs/CDlgImportHinges.h>
#include <dialogs/CDlgModelName.h>
#include <dialogs/GbkQString.h>
#include <dialogs/LibraryMessages.h>
#include <dialogs/MessageBoxes.h>
#include <dialogs/UserMessages.h>
#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/Library.h>
#include <library/LockCoreFile.h>
#include <library/NameLookup.h>

#include <type_traits>

namespace {

// A name that another model of the part has is refused: a rename or a copy
// never replaces a model. ownName: the chosen model's name passes.
NameAcceptor notTaken(MessageBoxes& messages, const Library& library, LibraryRow chosen, bool ownName)
{
    return [&messages, &library, chosen, ownName](const std::string& name) {
        const std::optional<std::size_t> at = library.rowOf(chosen.part, name);
        if (!at || (ownName && *at == chosen.row))
            return true;
        messages.warning(NameTakenMessage(KindOfPart(chosen.part), name));
        return false;
    };
}

SaveResult save(const GK_Hinges& model, const SaveContext& context)
{
    return SaveHingesFile(&model, context);
}
SaveResult save(const GK_LockCore& model, const SaveContext& context)
{
    return SaveLockCoreFile(&model, context);
}
SaveResult save(const GK_DoorWithHinges& door, const SaveContext& context)
{
    return SaveDoorModelFile(&door, context);
}
void put(Library& library, const GK_Hinges& model)
{
    library.putHinges(model);
}
void put(Library& library, const GK_LockCore& model)
{
    library.putLockCore(model);
}
void put(Library& library, const GK_DoorWithHinges& door)
{
    library.putDoor(gk_copy(door));
}

// Writes a copy of the model under the name, then lists it at the tail.
template <typename Model>
void duplicateAs(Library& library, const Model& original, const std::string& name, MessageBoxes& messages)
{
    const std::unique_ptr<Model> copy = gk_copy(original);
    copy->SetName(name);
    if (const SaveResult saved = save(*copy, library.saveContext()); !saved)
        messages.warning(ModelNotSavedMessage(saved));
    else
        put(library, *copy);
}

} // namespace

LibraryCommands::LibraryCommands(CommandHost& host, MessageBoxes& messages) : m_host(host), m_messages(messages) {}

bool LibraryCommands::renameTo(Library& library, const LibraryRow& chosen, const std::string& name)
{
    const std::string old = library.modelAt(chosen.part, chosen.row)->GetName();
    if (old == name)
        return true;
    if (const LibraryOutcome outcome = library.renameModel(chosen.part, chosen.row, name); !outcome) {
        m_messages.warning(LibraryRefusalMessage(KindOfPart(chosen.part), old, outcome));
        return false;
    }
    m_host.showStatus(RenamedStatus(KindOfPart(chosen.part), old, name));
    return true;
}

void LibraryCommands::OnEditModel()
{
    Library* library = m_host.library();
    const std::optional<LibraryRow> chosen = m_host.chosenRow();
    if (!library || !chosen || !library->modelAt(chosen->part, chosen->row))
        return;
    if (chosen->part == LibraryPart::Hinges)
        editPart(*library, *chosen, library->models().hinges);
    else if (chosen->part == LibraryPart::LockCores)
        editPart(*library, *chosen, library->models().lockCores);
    else
        editDoor(*library, *chosen);
}

// The model information dialog filled with the model; OK renames it when
// the name changed and replaces its content in place, one step for undo.
template <typename Model>
void LibraryCommands::editPart(Library& library, const LibraryRow& chosen, const GU_SharedList<Model>& list)
{
    constexpr bool hinge = std::is_same_v<Model, GK_Hinges>;
    const Model& model = *list[chosen.row];
    CDlgImportHinges dialog(m_messages, hinge);
    dialog.m_name = model.GetName();
    dialog.m_comments = model.GetComments();
    dialog.m_thickness = model.GetThick();
    if constexpr (hinge)
        dialog.m_mortise = model.GetMortise() ? 1 : 0;
    dialog.setNameAcceptor(notTaken(m_messages, library, chosen, true));
    if (dialog.DoModal() != IDOK)
        return;
    const std::size_t mark = library.historyMark();
    if (renameTo(library, chosen, dialog.m_name)) {
        std::unique_ptr<Model> changed = gk_copy(*list[chosen.row]);
        changed->SetComments(dialog.m_comments);
        changed->SetThick(dialog.m_thickness);
        if constexpr (hinge)
            changed->SetMortise(dialog.m_mortise != 0);
        if (const SaveResult saved = save(*changed, library.saveContext()); saved)
            put(library, *changed);
        else
            m_messages.warning(ModelNotSavedMessage(saved));
    }
    library.joinHistorySince(mark);
}

void LibraryCommands::editDoor(Library& library, const LibraryRow& chosen)
{
    CDlgAddDoorModel dialog(m_messages, &library.models());
    dialog.load(*library.models().doors[chosen.row]);
    dialog.setNameAcceptor(notTaken(m_messages, library, chosen, true));
    if (dialog.DoModal() != IDOK)
        return;
    const std::size_t mark = library.historyMark();
    if (renameTo(library, chosen, dialog.m_name)) {
        std::unique_ptr<GK_DoorWithHinges> door = dialog.makeDoor();
        if (const SaveResult saved = SaveDoorModelFile(door.get(), library.saveContext()); saved)
            library.putDoor(std::move(door));
        else
            m_messages.warning(ModelNotSavedMessage(saved));
    }
    library.joinHistorySince(mark);
}

void LibraryCommands::OnRenameModel()
{
    Library* library = m_host.library();
    const std::optional<LibraryRow> chosen = m_host.chosenRow();
    const GK_NamedObject* model = library && chosen ? library->modelAt(chosen->part, chosen->row) : nullptr;
    if (!model)
        return;
    CDlgModelName dialog(m_messages, QStringLiteral("重命名"));
    dialog.m_name = model->GetName();
    dialog.setNameAcceptor(notTaken(m_messages, *library, *chosen, true));
    if (dialog.DoModal() == IDOK)
        renameTo(*library, *chosen, dialog.m_name);
}

void LibraryCommands::OnDuplicateModel()
{
    Library* library = m_host.library();
    const std::optional<LibraryRow> chosen = m_host.chosenRow();
    const GK_NamedObject* model = library && chosen ? library->modelAt(chosen->part, chosen->row) : nullptr;
    if (!model)
        return;
    CDlgModelName dialog(m_messages, QStringLiteral("复制为"));
    dialog.m_name = model->GetName() + QStringToGbk(QStringLiteral(" 副本")).value_or(std::string());
    dialog.setNameAcceptor(notTaken(m_messages, *library, *chosen, false));
    if (dialog.DoModal() != IDOK)
        return;
    const ModelLibrary& models = library->models();
    if (chosen->part == LibraryPart::Hinges)
        duplicateAs(*library, *models.hinges[chosen->row], dialog.m_name, m_messages);
    else if (chosen->part == LibraryPart::LockCores)
        duplicateAs(*library, *models.lockCores[chosen->row], dialog.m_name, m_messages);
    else
        duplicateAs(*library, *models.doors[chosen->row], dialog.m_name, m_messages);
}

void LibraryCommands::OnDeleteModel()
{
    Library* library = m_host.library();
    const std::optional<LibraryRow> chosen = m_host.chosenRow();
    const GK_NamedObject* model = library && chosen ? library->modelAt(chosen->part, chosen->row) : nullptr;
    if (!model)
        return;
    const std::string name = model->GetName();
    if (const LibraryOutcome outcome = library->removeModel(chosen->part, chosen->row); !outcome)
        m_messages.warning(LibraryRefusalMessage(KindOfPart(chosen->part), name, outcome));
    else
        m_host.showStatus(DeletedStatus(KindOfPart(chosen->part), name));
}

void LibraryCommands::OnUndo()
{
    Library* library = m_host.library();
    if (!library)
        return;
    const LibraryStep* last = library->lastStep();
    if (!last) {
        m_host.showStatus(NothingToUndoStatus());
        return;
    }
    const LibraryStep step = *last;
    if (const LibraryOutcome outcome = library->undo(); !outcome)
        m_messages.warning(step.part == LibraryPart::Tools
                               ? ToolTableNotSavedMessage(outcome.saved)
                               : LibraryRefusalMessage(KindOfPart(step.part), step.name, outcome));
    else
        m_host.showStatus(UndoneStatus(step));
}
