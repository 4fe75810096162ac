#pragma once

#include <app/UiLanguage.h>

#include <QStringList>

#include <memory>
#include <string>

class CMainFrame;

// The application object: starts the program by putting Qt's own texts into
// Chinese, creating the main frame (which loads the library), opening the
// document named on the command line or a new one, captioning and showing
// the window. It owns the main window. Construct it after the QApplication
// and before any widget, with the folder of the library (the program's own
// folder when the program runs).
class CVarnholtApp {
public:
    explicit CVarnholtApp(std::string libraryFolder);
    ~CVarnholtApp();
    CVarnholtApp(const CVarnholtApp&) = delete;
    CVarnholtApp& operator=(const CVarnholtApp&) = delete;

    // arguments: the command line without the program name. False when the
    // program cannot start.
    bool InitInstance(const QStringList& arguments);
    CMainFrame* mainFrame() const { return m_mainFrame.get(); }

    const UiLanguage& language() const { return m_language; }

private:
    std::string m_libraryFolder;
    UiLanguage m_language;
    std::unique_ptr<CMainFrame> m_mainFrame;
};
