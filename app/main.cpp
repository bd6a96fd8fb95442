#include "mainwindow/mainwindow.h"

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

    huevane::MainWindow window;
    window.show();
    return app.exec();
}
