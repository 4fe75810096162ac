#include "AppFixture.h"

#include <QImage>

namespace {

// Runs the test with the current folder set to a scratch folder, where the
// frame looks for "UserImages.bmp".
class UserImages : public AppFixture {
protected:
    UserImages() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_current.path()); }
    ~UserImages() override
    {
        stop();
        QDir::setCurrent(m_previous);
    }
    QString imagePath() const { return QDir(m_current.path()).filePath("UserImages.bmp"); }

private:
    QTemporaryDir m_current;
    QString m_previous;
};

TEST_F(UserImages, AStripOfSixteenPixelImagesIsCut)
{
    QImage strip(48, 16, QImage::Format_RGB32);
    strip.fill(Qt::red);
    ASSERT_TRUE(strip.save(imagePath(), "BMP"));
    CMainFrame* f = start();
    ASSERT_EQ(f->userImages().size(), 3);
    EXPECT_EQ(f->userImages()[0].size(), QSize(16, 16));
}

TEST_F(UserImages, MissingBrokenOrOversizedFilesAreIgnored)
{
    EXPECT_TRUE(start()->userImages().isEmpty());

    QFile broken(imagePath());
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not really a bitmap");
    broken.close();
    EXPECT_TRUE(restart()->userImages().isEmpty());

    QImage big(640, 480, QImage::Format_RGB32); // about 900 KB as a bitmap
    big.fill(Qt::blue);
    ASSERT_TRUE(big.save(imagePath(), "BMP"));
    ASSERT_GT(QFileInfo(imagePath()).size(), CMainFrame::kMaxUserImagesBytes);
    EXPECT_TRUE(restart()->userImages().isEmpty());
}

} // namespace
