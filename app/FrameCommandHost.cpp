#include <app/FrameCommandHost.h>

#include <app/MainFrame.h>
#include <app/ModelDisplay.h>
#include <app/VarnholtApp.h>
#include <app/VarnholtView.h>

#include <QStatusBar>

namespace {
CVarnholtView* activeView()
{
    CMainFrame* frame = GetMainFrame();
    return frame ? frame->activeView() : nullptr;
}
} // namespace

ModelLibrary* FrameCommandHost::library()
{
    CMainFrame* frame = GetMainFrame();
    return frame ? &frame->library() : nullptr;
}

void FrameCommandHost::refillHingesPane()
{
    FillHingesPane();
}

void FrameCommandHost::refillLockCorePane()
{
    FillLockCorePane();
}

void FrameCommandHost::refillDoorPane()
{
    FillDoorPane();
}

GK_Object* FrameCommandHost::firstDrawingObject()
{
    CVarnholtView* view = activeView();
    return view ? view->operation().drawing().list().first() : nullptr;
}

void FrameCommandHost::recordNcDoor(GK_Object* door)
{
    if (CVarnholtView* view = activeView()) {
        view->m_ncFlagOne = 1;
        view->m_ncFlagTwo = 1;
        view->m_ncDoor = door;
    }
}

void FrameCommandHost::showStatus(const QString& text)
{
    if (CMainFrame* frame = GetMainFrame())
        frame->statusBar()->showMessage(text);
}
