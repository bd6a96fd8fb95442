#include "shell/trayicon.h"
#include "shell/windowdrag.h"

#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

using namespace huevane;

namespace {

// A frameless window with a title handle across its top.
struct DragWindow
{
    QWidget window;
    QLabel *title = new QLabel(QStringLiteral("title"), &window);

    DragWindow()
    {
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.resize(300, 200);
        title->setGeometry(0, 0, 300, 30);
        new WindowDrag(title);
    }
};

} // namespace

class tst_WindowDrag : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsThePointer_data();
    void followsThePointer();
    void otherWidgetsDoNotDrag();
    void trayPressBringsWindowForward_data();
    void trayPressBringsWindowForward();
};

void tst_WindowDrag::followsThePointer_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void tst_WindowDrag::followsThePointer()
{
    QFETCH(Qt::MouseButton, button);
    DragWindow w;
    w.window.move(100, 100);
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const QPoint start = w.window.pos();

    // Without the window manager's move (as here), the window follows the pointer
    // by the drag's distance until the release.
    QTest::mousePress(w.title, button, {}, QPoint(20, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 10), w.title->mapToGlobal(QPointF(57, 31)),
                     Qt::NoButton, button, {});
    QApplication::sendEvent(w.title, &move);
    QCOMPARE(w.window.pos(), start + QPoint(37, 21));

    QTest::mouseRelease(w.title, button, {}, QPoint(57, 31));
    const QPoint released = w.window.pos();
    QMouseEvent after(QEvent::MouseMove, QPointF(5, 5), w.title->mapToGlobal(QPointF(5, 5)),
                      Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(w.title, &after);
    QCOMPARE(w.window.pos(), released);
}

void tst_WindowDrag::otherWidgetsDoNotDrag()
{
    DragWindow w;
    w.window.move(50, 50);
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const QPoint start = w.window.pos();
    QTest::mousePress(&w.window, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(&w.window, QPoint(150, 150));
    QTest::mouseRelease(&w.window, Qt::LeftButton, {}, QPoint(150, 150));
    QCOMPARE(w.window.pos(), start);
}

void tst_WindowDrag::trayPressBringsWindowForward_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<bool>("forward");
    QTest::newRow("left press") << QSystemTrayIcon::Trigger << true;
    QTest::newRow("right press") << QSystemTrayIcon::Context << true;
    QTest::newRow("second press of a double click") << QSystemTrayIcon::DoubleClick << false;
    QTest::newRow("middle button") << QSystemTrayIcon::MiddleClick << false;
}

void tst_WindowDrag::trayPressBringsWindowForward()
{
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(bool, forward);

    QWidget window;
    window.resize(200, 100);
    TrayIcon icon(&window, QIcon());
    QCOMPARE(TrayIcon::tipText(), QStringLiteral("Caldrin's Brightkit: Huevane"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget other;
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));

    icon.handleActivation(reason);
    if (forward) {
        QTRY_VERIFY(window.isActiveWindow());
    } else {
        QTest::qWait(50);
        QVERIFY(other.isActiveWindow());
    }
}

QTEST_MAIN(tst_WindowDrag)
#include "tst_windowdrag.moc"
