#include <app/ModelDisplay.h>

#include <app/MainFrame.h>
#include <app/ModelPanes.h>
#include <app/VarnholtApp.h>
#include <app/VarnholtView.h>

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>

namespace {

CMainFrame* frameOrMain(CMainFrame* frame)
{
    return frame ? frame : GetMainFrame();
}

void showInView(const GK_Object* model, int typeCode)
{
    if (!model)
        return;
    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return;
    CVarnholtView* view = frame->activeView();
    if (!view)
        return;
    GK_Operation& op = view->operation();
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

void FillHingesPane(CMainFrame* frame)
{
    if (CMainFrame* f = frameOrMain(frame))
        f->hingesPane()->fill(f->library().hinges);
}

void FillLockCorePane(CMainFrame* frame)
{
    if (CMainFrame* f = frameOrMain(frame))
        f->lockCorePane()->fill(f->library().lockCores);
}

void FillDoorPane(CMainFrame* frame)
{
    if (CMainFrame* f = frameOrMain(frame))
        f->doorPane()->fill(f->library().doors);
}

void ShowHingesInView(const GK_Hinges* model)
{
    showInView(model, GK_TYPE_HINGES);
}

void ShowLockCoreInView(const GK_LockCore* model)
{
    showInView(model, GK_TYPE_LOCKCORE);
}

void ShowDoorInView(const GK_DoorWithHinges* model)
{
    showInView(model, GK_TYPE_DOOR);
}
