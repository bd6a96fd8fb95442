#include "mainwindow/mainwindow.h"
#include "platform/desktopshell.h"
#include "shell/windowshell.h"

#include <QSignalSpy>
#include <QTest>

using namespace huevane;

namespace {

// Records what the window asks of its shell, in order.
class RecordingShell : public DesktopShell
{
public:
    QStringList calls;
    QWidget *dragHandle = nullptr;

    QRegion buildWindowOutline() const override
    {
        const_cast<RecordingShell *>(this)->calls << QStringLiteral("outline");
        return QRegion(0, 0, 100, 50);
    }
    void createIcon(QWidget *window) override
    {
        calls << QStringLiteral("icon for %1").arg(window->objectName());
    }
    void deleteIcon() override { calls << QStringLiteral("delete icon"); }
    void makeDragHandle(QWidget *handle) override
    {
        dragHandle = handle;
        calls << QStringLiteral("drag by %1").arg(handle->objectName());
    }
};

} // namespace

class tst_WindowShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUpAsksForOutlineIconAndDrag();
    void closingRemovesTheIconFirst_data();
    void closingRemovesTheIconFirst();
    void shellAppliesTheSkinOutline();
};

void tst_WindowShell::startUpAsksForOutlineIconAndDrag()
{
    RecordingShell shell;
    MainWindow window(&shell);
    QCOMPARE(shell.calls, (QStringList {"drag by Label3", "outline", "icon for frmMain"}));
    // The outline is in place before the window first shows.
    QCOMPARE(window.mask(), QRegion(0, 0, 100, 50));
}

void tst_WindowShell::closingRemovesTheIconFirst_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close area") << "Label1";
    QTest::newRow("Exit") << "cmdExit";
    QTest::newRow("window manager") << "";
}

void tst_WindowShell::closingRemovesTheIconFirst()
{
    QFETCH(QString, how);
    RecordingShell shell;
    MainWindow window(&shell);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    shell.calls.clear();

    if (how.isEmpty()) {
        window.close();
    } else {
        QWidget *control = window.findChild<QWidget *>(how);
        QVERIFY(control);
        QWidget *target = control;
        if (how == QLatin1String("cmdExit"))
            target = control->findChild<QWidget *>(QStringLiteral("picButton"));
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
    }
    QTRY_VERIFY(!window.isVisible());
    QCOMPARE(shell.calls, QStringList {"delete icon"});
}

void tst_WindowShell::shellAppliesTheSkinOutline()
{
    WindowShell shell {QIcon()};
    MainWindow window(&shell);
    // At the standard 15 twips per pixel, the outline of the skin.
    QCOMPARE(window.mask().boundingRect(), QRect(0, 0, 630, 450));
    QVERIFY(!window.mask().contains(QPoint(400, 10)));
    QVERIFY(window.mask().contains(QPoint(400, 100)));
}

QTEST_MAIN(tst_WindowShell)
#include "tst_windowshell.moc"
