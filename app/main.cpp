#include "mainwindow/mainwindow.h"
#include "shell/windowshell.h"
#include "windowlayout/art.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("huevane: no display found (set DISPLAY or WAYLAND_DISPLAY)\n", stderr);
        return EXIT_FAILURE;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("huevane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Huevane"));
    QApplication::setOrganizationName(QStringLiteral("Caldrin"));
    QApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.huevane.Huevane"));

    huevane::WindowShell shell(QIcon(QString::fromLatin1(huevane::TrayIcon16)));
    huevane::MainWindow window(&shell);
    window.show();
    return app.exec();
}
