#include <app/VarnholtApp.h>

#include <app/MainFrame.h>

namespace {

QString caption()
{
    return QStringLiteral("Tolvane数控门锁合页加工软件") + QStringLiteral("学习版");
}

} // namespace

CVarnholtApp::CVarnholtApp() = default;
CVarnholtApp::~CVarnholtApp() = default;

bool CVarnholtApp::InitInstance(const QStringList& arguments)
{
    m_mainFrame = std::make_unique<CMainFrame>();
    if (!arguments.isEmpty())
        m_mainFrame->openDocumentFile(arguments.first());
    m_mainFrame->setWindowTitle(caption());
    m_mainFrame->show();
    m_mainFrame->activateWindow();
    return true;
}
