#include <app/VarnholtApp.h>

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnholt"));
    QApplication::setApplicationVersion(QStringLiteral("1.2.0.1"));
    CVarnholtApp app;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.InitInstance(arguments))
        return 1;
    return QApplication::exec();
}
