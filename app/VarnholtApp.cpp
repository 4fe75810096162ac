#include <app/VarnholtApp.h>

#include <app/MainFrame.h>

#include <QPointer>

namespace {

QPointer<CMainFrame>& mainWindow()
{
    static QPointer<CMainFrame> frame;
    return frame;
}

QString caption()
{
    return QStringLiteral("Tolvane数控门锁合页加工软件") + QStringLiteral("学习版");
}

} // namespace

CMainFrame* GetMainFrame()
{
    return mainWindow().data();
}

CVarnholtApp::CVarnholtApp() = default;

CVarnholtApp::~CVarnholtApp()
{
    if (mainWindow() == m_mainFrame.get())
        mainWindow() = nullptr;
}

bool CVarnholtApp::InitInstance(const QStringList& arguments)
{
    m_mainFrame = std::make_unique<CMainFrame>();
    if (!arguments.isEmpty())
        m_mainFrame->openDocumentFile(arguments.first());
    mainWindow() = m_mainFrame.get();
    m_mainFrame->setWindowTitle(caption());
    m_mainFrame->show();
    m_mainFrame->activateWindow();
    return true;
}
