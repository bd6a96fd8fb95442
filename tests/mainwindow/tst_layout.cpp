// The window as the user meets it: each control of the layout table at its place,
// apart from the others, drawn in its looks, its caption readable, and the Tab
// key's way through it.

#include "hotcommand/hotcommand.h"
#include "mainwindow/controlfactory.h"
#include "mainwindow/layout.h"
#include "mainwindow/mainwindow.h"
#include "platform/colourvalue.h"
#include "windowlayout/outline.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QToolTip>
#include <QTest>

using namespace huevane;

namespace {

// A dark palette as a desktop's colour scheme sets it: light text on dark grey.
QPalette DarkPalette()
{
    QPalette dark(QColor(0x42, 0x42, 0x45), QColor(0x22, 0x20, 0x20));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                            QPalette::ToolTipText, QPalette::HighlightedText})
        dark.setColor(role, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
    dark.setColor(QPalette::Highlight, QColor(0x12, 0x60, 0x8a));
    dark.setColor(QPalette::ToolTipBase, QColor(0x3f, 0x3f, 0x36));
    return dark;
}

// Empty when @p drawn equals @p expected, else how many pixels differ and the first.
QString Differences(const QImage &drawn, const QImage &expected)
{
    if (drawn.size() != expected.size())
        return QStringLiteral("size differs");
    int count = 0;
    QPoint first;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixel(x, y) != expected.pixel(x, y) && count++ == 0)
                first = QPoint(x, y);
    if (count == 0)
        return {};
    return QStringLiteral("%1 pixels differ, the first at %2,%3")
        .arg(count)
        .arg(first.x())
        .arg(first.y());
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

    void countShowsWholeNumber_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("designedFont");
        QTest::newRow("two digits, as designed") << "90" << true;
        QTest::newRow("three") << "150" << true;
        QTest::newRow("five") << "12345" << true;
        QTest::newRow("six") << "999999" << true;
        QTest::newRow("seven") << "1000000" << false;
        QTest::newRow("nine") << "999999999" << false;
        QTest::newRow("the most a count can be") << "2147483647" << false;
    }

    void countShowsWholeNumber()
    {
        // The count of characters showed two digits of every larger number ("15" for
        // 150). It keeps its place and widens to the right as its number needs, never
        // over another control nor past the window's outline; a number wider than that
        // room is condensed rather than cut off.
        QFETCH(QString, count);
        QFETCH(bool, designedFont);
        auto *label = m_window.findChild<QLabel *>("lblChars");
        const LayoutEntry &entry = *FindControl("lblChars");
        const QRect designed = DesignPixels(entry.twips);
        const QRect room =
            DesignPixels(QRect(entry.twips.left(), entry.twips.top(),
                               entry.growsTo - entry.twips.left(), entry.twips.height()));
        const QPolygon outline(
            QList<QPoint>(WindowOutlineTwips().begin(), WindowOutlineTwips().end()));
        const QRect roomTwips(entry.twips.topLeft(), QPoint(entry.growsTo, entry.twips.bottom()));
        for (const QPoint corner : {roomTwips.topRight(), roomTwips.bottomRight()})
            QVERIFY(outline.containsPoint(corner, Qt::OddEvenFill));
        for (const LayoutEntry &other : WindowLayout())
            QVERIFY2(&other == &entry || other.flags & Hidden
                         || !DesignPixels(other.twips).intersects(room),
                     qPrintable(other.name));

        SetCaption(label, count);
        const QRect shown = label->geometry();
        QCOMPARE(shown.topLeft(), designed.topLeft());
        QCOMPARE(shown.height(), designed.height());
        QVERIFY(shown.width() >= designed.width() && room.contains(shown));
        QVERIFY(QFontMetrics(label->font(), label).size(0, count).width() <= shown.width());
        QCOMPARE(label->font() == m_window.font(), designedFont);

        // As the user meets it: the count of a text typed or pasted into the box.
        m_window.findChild<QPlainTextEdit *>("txtString")->setPlainText(QString(150, u'x'));
        QCOMPARE(label->text(), QStringLiteral("150"));
        QVERIFY(QFontMetrics(label->font(), label).size(0, "150").width() <= label->width());
    }

    void desktopPaletteLeavesLooksAlone()
    {
        // Under a dark desktop palette the captions, the check boxes and the output
        // box's text turned light grey on the light skin. The window must draw the
        // same pixels whatever the desktop's palette, whether it is set while the
        // window is open or before it opens, and whatever its style; the selected text box shows
        // its selection colours too, and tooltips keep black text on light yellow.
        // Each a window as it opens, its text box focused with the sample text selected.
        const auto drawn = [](MainWindow &window) {
            window.show();
            if (!QTest::qWaitForWindowActive(&window))
                return QImage();
            window.findChild<QWidget *>("txtString")->setFocus();
            return window.grab().toImage();
        };
        const QPalette saved = QApplication::palette();
        const QString style = QApplication::style()->name();
        QImage light, changed, openedDark;
        {
            MainWindow window;
            light = drawn(window);
            QApplication::setPalette(DarkPalette());
            QCoreApplication::processEvents();
            changed = window.grab().toImage();
        }
        {
            // A desktop theme sets the tooltips' palette and a style of its own as the
            // program starts.
            QToolTip::setPalette(DarkPalette());
            QApplication::setStyle(QStringLiteral("Windows"));
            MainWindow window;
            openedDark = drawn(window);
        }
        const QPalette tips = QToolTip::palette();
        QApplication::setPalette(saved);
        QToolTip::setPalette(saved);
        QApplication::setStyle(style);
        m_window.activateWindow();
        QVERIFY(!light.isNull());
        QCOMPARE(Differences(changed, light), QString());
        QCOMPARE(Differences(openedDark, light), QString());
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
        QCOMPARE(QApplication::focusWidget()->parentWidget(), control("cmdExit"));
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
