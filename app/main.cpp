#include <app/UiLanguage.h>
#include <app/VarnholtApp.h>
#include <library/ExeFolder.h>

#include <QApplication>

int main(int argc, char** argv)
{
    UiLanguage::prepareSystemLocale();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnholt"));
    QApplication::setApplicationVersion(QStringLiteral("1.2.0.1"));
    // Ties the window to the desktop entry that ./run.sh writes.
    QGuiApplication::setDesktopFileName(QStringLiteral("varnholt"));
    CVarnholtApp app(GetExeFolder());
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.InitInstance(arguments))
        return 1;
    return QApplication::exec();
}
