#include <app/ModelDisplay.h>

#include <app/MainFrame.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

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

} // namespace

void FillHingesPane(CMainFrame& frame)
{
    frame.hingesPane()->fill(frame.library().hinges);
}

void FillLockCorePane(CMainFrame& frame)
{
    frame.lockCorePane()->fill(frame.library().lockCores);
}

void FillDoorPane(CMainFrame& frame)
{
    frame.doorPane()->fill(frame.library().doors);
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
