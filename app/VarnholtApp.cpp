#include <app/VarnholtApp.h>

#include <app/MainFrame.h>
#include <app/ToolbarIcons.h>

#include <QApplication>

namespace {

QString caption()
{
    return QStringLiteral("Tolvane数控门锁合页加工软件") + QStringLiteral("学习版");
}

} // namespace

CVarnholtApp::CVarnholtApp(std::string libraryFolder) : m_libraryFolder(std::move(libraryFolder)) {}
CVarnholtApp::~CVarnholtApp() = default;

bool CVarnholtApp::InitInstance(const QStringList& arguments)
{
    QApplication::setWindowIcon(ToolbarIcons::programIcon());
    m_mainFrame = std::make_unique<CMainFrame>(m_libraryFolder);
    const bool opened = arguments.isEmpty() || m_mainFrame->openDocumentFile(arguments.first());
    m_mainFrame->setWindowTitle(caption());
    m_mainFrame->show();
    m_mainFrame->activateWindow();
    // Said once the window is there, so the message has it as its owner.
    if (!opened)
        m_mainFrame->reportOpenFailure(arguments.first());
    return true;
}
