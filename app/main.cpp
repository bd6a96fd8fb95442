#include "app/options.h"
#include "app/platformstart.h"
#include "mainwindow/artpixmap.h"
#include "mainwindow/mainwindow.h"
#include "shell/placement.h"
#include "shell/windowshell.h"
#include "windowlayout/art.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

using namespace huevane;

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const app::ParsedStartOptions parsed = app::ParseStartOptions(arguments);
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "huevane: %s\n", qUtf8Printable(parsed.error));
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(qUtf8Printable(app::StartHelpText()), stdout);
        return 0;
    }
    if (parsed.options.version) {
        std::printf("huevane %s\n", PROJECT_VERSION);
        return 0;
    }

    app::PlatformStart start(app::ReadDisplayEnvironment(parsed.options), argv[0]);
    if (!start.possible()) {
        std::fputs("huevane: no display found (set DISPLAY or WAYLAND_DISPLAY)\n", stderr);
        return EXIT_FAILURE;
    }
    QApplication app(start.argc(), start.argv());
    start.started(QGuiApplication::platformName());
    QApplication::setApplicationName(QStringLiteral("huevane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Huevane"));
    QApplication::setOrganizationName(QStringLiteral("Caldrin"));
    QApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.huevane.Huevane"));

    huevane::WindowShell shell(huevane::ArtIcon({huevane::TrayIcon16}));
    huevane::MainWindow window(&shell);
    // On the screen the pointer is on, wholly where it fits.
    const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        window.move(huevane::OpeningPosition(window.size(), screen->availableGeometry()));
    window.show();
    return app.exec();
}
