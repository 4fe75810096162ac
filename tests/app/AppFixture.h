#pragma once

#include <app/AppSettings.h>
#include <grid/CTreeGridCtrl.h>
#include <app/MainFrame.h>
#include <app/VarnholtApp.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// A scratch library folder (the program's own when it runs), fresh settings,
// and the application started on them.
class AppFixture : public ::testing::Test {
protected:
    AppFixture()
    {
        QSettings(AppSettings::organization(), AppSettings::application()).clear();
    }
    ~AppFixture() override { stop(); }

    // The folder as the library's functions take it.
    std::string libraryFolder() const { return m_dir.path().toStdString() + "/"; }
    QString libraryPath(const QString& relative = QString()) const { return QDir(m_dir.path()).filePath(relative); }
    void makeFolders() const
    {
        for (const char* folder : {"Hinges", "Lockcores", "DoorModel"})
            QDir(m_dir.path()).mkpath(QString::fromLatin1(folder));
    }

    // Lays the sample library of the source tree into the folder.
    void copySampleLibrary() const
    {
        const QString samples = QStringLiteral(VARNHOLT_SOURCE_DIR "/samples/library");
        QDirIterator it(samples, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = libraryPath(QDir(samples).relativeFilePath(source));
            QDir().mkpath(QFileInfo(target).path());
            QFile::copy(source, target);
        }
    }

    CMainFrame* start()
    {
        m_app = std::make_unique<CVarnholtApp>(libraryFolder());
        EXPECT_TRUE(m_app->InitInstance({}));
        return m_app->mainFrame();
    }
    // Closes the window as the user would (the workspace is saved) and ends
    // the application.
    void stop()
    {
        if (m_app && m_app->mainFrame())
            m_app->mainFrame()->close();
        m_app.reset();
    }
    CMainFrame* restart()
    {
        stop();
        return start();
    }
    CMainFrame* frame() const { return m_app ? m_app->mainFrame() : nullptr; }

    static QStringList rowTexts(const CTreeGridCtrl& grid, int row)
    {
        const CItemInfo* info = grid.GetRowInfo(row);
        if (!info)
            return {};
        return QStringList{info->m_text} + info->m_subItemTexts;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CVarnholtApp> m_app;
};
