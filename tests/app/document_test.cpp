#include "AppFixture.h"

#include <app/CommandIds.h>
#include <kernel/GK_Factories.h>

#include <QAction>
#include <QFile>

namespace {

using Document = AppFixture;

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST_F(Document, NewAndOpenFollowTheFrameTitleRules)
{
    CMainFrame* f = start();
    f->action(ID_FILE_NEW)->trigger();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("无标题 - Varnholt"));
    const QString path = libraryPath("plan.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();
    ASSERT_TRUE(f->openDocumentFile(path));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("plan.txt - Varnholt"));
}

TEST_F(Document, OpeningAMissingFileFailsAndDropsItFromTheRecentList)
{
    CMainFrame* f = start();
    const QString path = libraryPath("gone.txt");
    ASSERT_TRUE(f->saveDocumentAs(path));
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(f->openDocumentFile(path));
    EXPECT_TRUE(f->recentFiles().isEmpty());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("gone.txt - Varnholt"));
}

TEST_F(Document, SavingNeverEmptiesAnExistingFile)
{
    // The document has nothing to write: saving over a file that holds
    // something (a library file, say) must leave it as it was.
    CMainFrame* f = start();
    const QString path = libraryPath("precious.xml");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<Model Name=\"keep\" />");
    file.close();
    ASSERT_TRUE(f->openDocumentFile(path));
    f->action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(contentOf(path), QByteArray("<Model Name=\"keep\" />"));
    ASSERT_TRUE(f->saveDocumentAs(path));
    EXPECT_EQ(contentOf(path), QByteArray("<Model Name=\"keep\" />"));

    const QString fresh = libraryPath("fresh.vh");
    ASSERT_TRUE(f->saveDocumentAs(fresh));
    EXPECT_EQ(contentOf(fresh), QByteArray());
    EXPECT_FALSE(f->saveDocumentAs(libraryPath("no/such/folder/x.vh")));
}

TEST_F(Document, ClosingWritesNoLibraryFile)
{
    makeFolders();
    CMainFrame* f = start();
    f->library().putHinges(*api_gk_make_hinges(GU_Pt_List{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}));
    stop();
    EXPECT_TRUE(QDir(libraryPath("Hinges")).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(libraryPath("HingesKnife.xml")));
}

} // namespace
