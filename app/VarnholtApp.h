#pragma once

#include <QStringList>

#include <memory>

class CMainFrame;

// The application object: starts the program by creating the main frame
// (which loads the library), opening the document named on the command line
// or a new one, captioning and showing the window. It owns the main window.
class CVarnholtApp {
public:
    CVarnholtApp();
    ~CVarnholtApp();
    CVarnholtApp(const CVarnholtApp&) = delete;
    CVarnholtApp& operator=(const CVarnholtApp&) = delete;

    // arguments: the command line without the program name. False when the
    // program cannot start.
    bool InitInstance(const QStringList& arguments);
    CMainFrame* mainFrame() const { return m_mainFrame.get(); }

private:
    std::unique_ptr<CMainFrame> m_mainFrame;
};
