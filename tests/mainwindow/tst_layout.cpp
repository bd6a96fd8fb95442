// The window as the user meets it: each control of the layout table at its place,
// apart from the others, drawn in its looks, its caption readable, and the Tab
// key's way through it.

#include "hotcommand/hotcommand.h"
#include "mainwindow/controlfactory.h"
#include "mainwindow/layout.h"
#include "mainwindow/mainwindow.h"
#include "platform/colourvalue.h"

#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QToolTip>
#include <QTest>

using namespace huevane;

namespace {

// A dark palette as a desktop's colour scheme sets it: light text on dark grey.
QPalette DarkPalette()
{
    QPalette dark(Qt::white, QColor(0x42, 0x42, 0x45), Qt::gray, Qt::black, Qt::darkGray, Qt::white,
                  Qt::white, QColor(0x3d, 0x3d, 0x3d), QColor(0x22, 0x20, 0x20));
    dark.setColor(QPalette::ToolTipBase, QColor(0x3f, 0x3f, 0x36));
    dark.setColor(QPalette::ToolTipText, Qt::white);
    return dark;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

    MainWindow m_window;
    QWidget *control(const QString &name) const { return m_window.findChild<QWidget *>(name); }

private Q_SLOTS:
    void initTestCase() { m_window.show(); }
    void init() { QVERIFY(QTest::qWaitForWindowActive(&m_window)); }
    void everyControl()
    {
        const QImage drawn = m_window.grab().toImage();
        const QImage skin(QString::fromLatin1(SkinImage));
        QRegion shown;
        for (const LayoutEntry &entry : WindowLayout()) {
            QWidget *w = control(entry.name);
            const QRect area = DesignPixels(entry.twips);
            const QByteArray name = entry.name.toUtf8();
            QVERIFY2(w && w->geometry() == area && m_window.rect().contains(area), name);
            QCOMPARE(w->isVisible(), !(entry.flags & Hidden));
            QCOMPARE(w->toolTip(), entry.toolTip);
            QCOMPARE(w->cursor().shape() == Qt::SizeHorCursor, bool(entry.flags & SizeHorCursor));
            if (!w->isVisible())
                continue;
            QVERIFY2(!shown.intersects(area), name);
            shown += area;
            // Its caption in the face the window found for it, not cut short.
            const QString caption = w->property("text").toString();
            const QSize room = w->contentsRect().size();
            const QSize needed = QFontMetrics(w->font(), w).size(0, caption);
            QVERIFY2(caption.isEmpty() || room.expandedTo(needed) == room, qPrintable(caption));
            // Option buttons and check boxes fill the corner of their square with their
            // back colour (they once showed the style's button face), text boxes at least
            // half of themselves, and transparent labels show the skin around their caption.
            const bool square = qobject_cast<QAbstractButton *>(w);
            const bool filled = square || entry.kind == ControlKind::TextBox;
            if (!filled && (entry.kind != ControlKind::Label || entry.flags & Opaque))
                continue;
            const QColor back = ResolveColour(entry.backColor.value_or(0));
            const QRect probe = square ? QRect(area.topLeft(), QSize(1, 1)) : area;
            int same = 0;
            for (int y = probe.top(); y <= probe.bottom(); ++y)
                for (int x = probe.left(); x <= probe.right(); ++x)
                    same += drawn.pixelColor(x, y) == (filled ? back : skin.pixelColor(x, y));
            QVERIFY2(same * 2 >= probe.width() * probe.height(), name);
        }
    }

    void designedOrderFirst()
    {
        // The designed window's order, untouched; the stops added for the keyboard
        // (presets, swap bar, close mark) come after it.
        QStringList designed {"txtString"};
        for (const char *fields : {"txtStCol", "txtEndCol", "txtBkCol"})
            for (int i : {0, 3, 1, 4, 2, 5})
                designed << ArrayElement(fields, i);
        designed += QStringLiteral("Option1(0) Option1(1) Option1(2) txtSize txtHTML picGradText "
                                   "Picture4(2) Picture4(1) Picture4(0) chkUpTags chkPerLine "
                                   "lblGenerate lblClipboard chkJSQuote cmdExit picStartCol "
                                   "picEndCol picBackCol")
                        .split(u' ');
        const QStringList order = TabOrder();
        QCOMPARE(order.first(designed.size()), designed);
    }

    void countShowsWholeNumber()
    {
        // The count of characters showed two digits of every larger number ("15" for
        // 150). It keeps its place and widens to the right as its number needs, over
        // no other control; a number wider than that room is condensed, not cut off.
        auto *label = m_window.findChild<QLabel *>("lblChars");
        const LayoutEntry &entry = *FindControl("lblChars");
        const QRect designed = DesignPixels(entry.twips);
        const QRect room =
            designed.adjusted(0, 0, DesignPixels(entry.growsTo) - designed.right() - 1, 0);
        for (const LayoutEntry &other : WindowLayout())
            QVERIFY2(&other == &entry || other.flags & Hidden
                         || !DesignPixels(other.twips).intersects(room),
                     qPrintable(other.name));
        // Up to six digits in the window's font; the most a count can be, condensed.
        for (const QString count : {"90", "999999", "1000000", "2147483647"}) {
            SetCaption(label, count);
            const QRect shown = label->geometry();
            QVERIFY(shown.topLeft() == designed.topLeft() && shown.height() == designed.height());
            QVERIFY(shown.width() >= designed.width() && room.contains(shown));
            QVERIFY2(QFontMetrics(label->font(), label).size(0, count).width() <= shown.width(),
                     qPrintable(count));
            QCOMPARE(label->font() == m_window.font(), count.size() < 7);
        }
    }

    void desktopPaletteLeavesLooksAlone()
    {
        // Under a dark desktop palette the captions, the check boxes and the output
        // box's text turned light grey on the light skin. The window must draw the
        // same pixels whatever the desktop's palette, set while the window is open or
        // before it opens, and whatever its style; the focused text box shows its
        // selection colours too, and tooltips keep black text on light yellow.
        const QPalette saved = QApplication::palette();
        const QString style = QApplication::style()->name();
        QList<QImage> drawn;
        for (int run = 0; run < 2; ++run) {
            // The second window opens under the dark palette, and the tooltips' palette
            // and the style a desktop theme sets as the program starts.
            if (run == 1) {
                QToolTip::setPalette(DarkPalette());
                QApplication::setStyle(QStringLiteral("Windows"));
            }
            MainWindow window;
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            window.findChild<QWidget *>("txtString")->setFocus();
            drawn << window.grab().toImage();
            QApplication::setPalette(DarkPalette());
            QCoreApplication::processEvents();
            drawn << window.grab().toImage();
        }
        const QPalette tips = QToolTip::palette();
        QApplication::setPalette(saved);
        QToolTip::setPalette(saved);
        QApplication::setStyle(style);
        m_window.activateWindow();
        for (const QImage &image : drawn)
            QCOMPARE(image, drawn.first());
        QCOMPARE(tips.color(QPalette::ToolTipText), QColor(Qt::black));
        QCOMPARE(tips.color(QPalette::ToolTipBase), QColor(0xff, 0xff, 0xdc));
    }

    void tabWalksTheFocusOrder()
    {
        // Tab from the text box visits each control once, in order, and comes round
        // again; of the option buttons only the selected one is a stop. A
        // hot-tracking button takes the focus on its surface.
        QStringList expected = TabOrder();
        for (const QRadioButton *option : m_window.findChildren<QRadioButton *>())
            expected.removeAll(option->isChecked() ? QString() : option->objectName());
        control("txtString")->setFocus();
        QStringList walk;
        while (walk.size() < expected.size()) {
            QWidget *focus = QApplication::focusWidget();
            const auto *button = qobject_cast<HotCommand *>(focus->parentWidget());
            walk << (button ? button->objectName() : focus->objectName());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(walk, expected);
        QCOMPARE(QApplication::focusWidget(), control("txtString"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), control(expected.last()));
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
