#include <app/ModelDisplay.h>

#include <app/MainFrame.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <QStatusBar>
#include <QStringList>

#include <vector>

#include <dialogs/UserMessages.h>
#include <library/Library.h>
#include <library/NameLookup.h>

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>

namespace {

void showInView(CVarnholtView& view, const GK_Object* model, int typeCode)
{
    if (!model)
        return;
    GK_Operation& op = view.operation();
    for (GK_Object* o = op.drawing().list().first(); o;) {
        GK_Object* following = o->next;
        if (o->type() == typeCode)
            op.delete_object(o);
        else
            o->visible = 0;
        o = following;
    }
    GK_Object* copy = nullptr;
    model->copy(&copy);
    if (!copy)
        return;
    copy->visible = 1;
    copy->prepare_display(op.render().display_context());
    op.drawing().list().add_tail(copy);
    api_gk_zoom_all(op);
    op.render().invalidate();
}

int typeOfPart(LibraryPart part)
{
    switch (part) {
    case LibraryPart::Hinges:
        return GK_TYPE_HINGES;
    case LibraryPart::LockCores:
        return GK_TYPE_LOCKCORE;
    case LibraryPart::Doors:
        return GK_TYPE_DOOR;
    case LibraryPart::Tools:
        break;
    }
    return 0;
}

// The copy of a model shown in the drawing follows the model: renamed with
// it, shown anew with its new content, taken out when it was deleted.
void followInDrawing(CVarnholtView& view, const Library& library, const LibraryChange& change)
{
    using K = LibraryChange::Kind;
    if (change.kind != K::Renamed && change.kind != K::Removed && change.kind != K::Replaced)
        return;
    const GK_NamedObject* model = library.modelAt(change.part, change.row);
    const std::string name = change.kind == K::Replaced && model ? model->GetName() : change.name;
    GK_Operation& op = view.operation();
    std::vector<GK_NamedObject*> shown;
    for (GK_Object* o = op.drawing().list().first(); o; o = o->next)
        if (o->type() == typeOfPart(change.part) && EqualNamesNoCase(static_cast<GK_NamedObject*>(o)->GetName(), name))
            shown.push_back(static_cast<GK_NamedObject*>(o));
    for (GK_NamedObject* o : shown) {
        if (change.kind == K::Renamed && model) {
            o->SetName(model->GetName());
            continue;
        }
        GK_Object* copy = nullptr;
        if (change.kind == K::Replaced && model)
            model->copy(&copy);
        if (copy) {
            copy->visible = o->visible;
            copy->prepare_display(op.render().display_context());
            op.drawing().list().add_tail(copy);
        }
        op.delete_object(o);
    }
    op.render().invalidate();
}

} // namespace

void FollowLibraryChange(CMainFrame& frame, const LibraryChange& change)
{
    const ModelLibrary& models = frame.library().models();
    followInDrawing(*frame.activeView(), frame.library(), change);
    if (change.touches(LibraryPart::Hinges))
        frame.hingesPane()->fill(models.hinges);
    if (change.touches(LibraryPart::LockCores))
        frame.lockCorePane()->fill(models.lockCores);
    if (change.touches(LibraryPart::Doors))
        frame.doorPane()->fill(models.doors);
    if (change.touches(LibraryPart::Hinges) || change.touches(LibraryPart::LockCores)) {
        const QString lost = RebindDrawnDoors(*frame.activeView(), models);
        if (!lost.isEmpty())
            frame.statusBar()->showMessage(lost);
    }
}

QString RebindDrawnDoors(CVarnholtView& view, const ModelLibrary& library)
{
    GK_Operation& op = view.operation();
    QStringList lost;
    for (GK_Object* o = op.drawing().list().first(); o; o = o->next) {
        if (o->type() != GK_TYPE_DOOR)
            continue;
        auto& door = static_cast<GK_DoorWithHinges&>(*o);
        UnboundDoor unbound{{}, door.GetName(), {}, {}};
        if (const GK_Hinges* hinges = door.GetHingesModel())
            unbound.missingHinges = hinges->GetName();
        if (const GK_LockCore* lockCore = door.GetLockCoreModel())
            unbound.missingLockCore = lockCore->GetName();
        const LostModels gone = RebindDoorModels(door, library);
        if (!gone.hinges)
            unbound.missingHinges.clear();
        if (!gone.lockCore)
            unbound.missingLockCore.clear();
        if (gone)
            lost << UnboundDoorText(unbound);
        door.prepare_display(op.render().display_context());
    }
    op.render().invalidate();
    return lost.join(QStringLiteral("；"));
}

void ShowHingesInView(CVarnholtView& view, const GK_Hinges* model)
{
    showInView(view, model, GK_TYPE_HINGES);
}

void ShowLockCoreInView(CVarnholtView& view, const GK_LockCore* model)
{
    showInView(view, model, GK_TYPE_LOCKCORE);
}

void ShowDoorInView(CVarnholtView& view, const GK_DoorWithHinges* model)
{
    showInView(view, model, GK_TYPE_DOOR);
}
