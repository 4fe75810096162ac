// Test main of the application suite: one QApplication on the offscreen
// platform with a 1400 x 900 screen, and a scratch settings store so that no
// test reads or writes the user's own settings.
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr char kScreen[] =
    R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": 1400, "height": 900,)"
    R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return EXIT_FAILURE;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::strcmp(platform, "offscreen") == 0) {
        const QString screen = scratch.filePath(QStringLiteral("screen.json"));
        QFile file(screen);
        if (!file.open(QIODevice::WriteOnly) || file.write(kScreen) != qint64(sizeof(kScreen) - 1))
            return EXIT_FAILURE;
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screen));
    }
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.path());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
