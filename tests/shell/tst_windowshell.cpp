// The window's shell: its outline, the drag by the title strip, and the icon the
// window gives back when it closes.

#include "mainwindow/mainwindow.h"
#include "shell/windowdrag.h"
#include "shell/windowoutline.h"
#include "shell/windowshell.h"
#include "windowlayout/outline.h"

#include <QTest>

#include <cmath>

using namespace huevane;

struct CountingShell : WindowShell
{
    using WindowShell::WindowShell;
    int iconsDeleted = 0;
    void deleteIcon() override { ++iconsDeleted; }
};

class TestWindowShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outlineAndClosing()
    {
        // Each vertex to the nearest pixel on its own axis's scale, ties to the even
        // one (lrint's default rounding): at 12 twips a pixel several x values lie
        // halfway between two pixels.
        QPolygon expected;
        for (const QPoint &t : WindowOutlineTwips())
            expected << QPoint(int(std::lrint(t.x() / 12.0)), int(std::lrint(t.y() / 15.0)));
        QCOMPARE(WindowOutlinePolygon(12, 15), expected);
        // Closing, by whatever means, takes the icon out of the notification area.
        CountingShell shell {QIcon()};
        MainWindow window(&shell);
        window.close();
        QCOMPARE(shell.iconsDeleted, 1);
    }

    void dragByOtherButtonsFollowsThePointerTillTheirRelease()
    {
        // The window manager's move serves the left button only; the others move the
        // window themselves till their release, and the next press grabs afresh. A
        // window that is not shown stands at (0, 0) until moved.
        QWidget window;
        new WindowDrag(&window);
        // clang-format off
        const struct { QEvent::Type type; QPoint at; Qt::MouseButton button; Qt::MouseButtons held; QPoint moved; } steps[] = {
            {QEvent::MouseButtonPress, {20, 10}, Qt::RightButton, Qt::RightButton, {0, 0}},
            {QEvent::MouseButtonRelease, {20, 10}, Qt::RightButton, Qt::NoButton, {0, 0}},
            {QEvent::MouseButtonPress, {30, 15}, Qt::RightButton, Qt::RightButton, {0, 0}},
            {QEvent::MouseMove, {67, 36}, Qt::NoButton, Qt::RightButton, {37, 21}},
        };
        // clang-format on
        for (const auto &step : steps) {
            QMouseEvent event(step.type, step.at, step.at, step.button, step.held, {});
            QApplication::sendEvent(&window, &event);
            QCOMPARE(window.pos(), step.moved);
        }
    }
};

QTEST_MAIN(TestWindowShell)
#include "tst_windowshell.moc"
