#include <app/FrameCommandHost.h>

#include <app/AppSettings.h>
#include <app/MainFrame.h>
#include <app/VarnholtView.h>
#include <library/Library.h>

#include <QStatusBar>

Library* FrameCommandHost::library()
{
    return &m_frame.library();
}

std::string FrameCommandHost::libraryFolder()
{
    return m_frame.library().folder();
}

GK_Object* FrameCommandHost::firstDrawingObject()
{
    return m_frame.activeView()->operation().drawing().list().first();
}

void FrameCommandHost::recordNcDoor(GK_Object* door)
{
    CVarnholtView* view = m_frame.activeView();
    view->m_ncFlagOne = 1;
    view->m_ncFlagTwo = 1;
    view->m_ncDoor = door;
}

void FrameCommandHost::showStatus(const QString& text)
{
    m_frame.statusBar()->showMessage(text);
}

namespace {
const char* const kToolTableColumns = "ToolTable";
}

QList<int> FrameCommandHost::toolColumnWidths()
{
    return AppSettings::readColumnWidths(QLatin1String(kToolTableColumns));
}

void FrameCommandHost::storeToolColumnWidths(const QList<int>& widths)
{
    AppSettings::writeColumnWidths(QLatin1String(kToolTableColumns), widths);
}

void FrameCommandHost::showMachiningPreview(MachiningPreview preview)
{
    m_frame.activeView()->setMachiningPreview(std::move(preview));
}

void FrameCommandHost::hideMachiningPreview()
{
    m_frame.activeView()->setMachiningPreview({});
}

QWidget* FrameCommandHost::showImportPreview(const ImportPicture& picture, ImportPreviewInput input)
{
    CVarnholtView* view = m_frame.activeView();
    view->showImportPreview(picture, std::move(input));
    return view;
}

void FrameCommandHost::hideImportPreview()
{
    m_frame.activeView()->hideImportPreview();
}

void FrameCommandHost::coverImportPreview(const QRect& screenArea)
{
    CVarnholtView* view = m_frame.activeView();
    view->setImportPreviewCover(QRect(view->mapFromGlobal(screenArea.topLeft()), screenArea.size()));
}

std::optional<LibraryRow> FrameCommandHost::chosenRow()
{
    return m_frame.chosenRow();
}
