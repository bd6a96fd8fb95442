// The text box for long texts: where it breaks lines, what it draws, and the
// user's mouse and keys on it, offscreen with real events.

#include "mainwindow/textbox.h"
#include "mainwindow/valuefields.h"
#include "mainwindow/wrappedlines.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

using namespace huevane;

namespace {

// The lines of @p text at @p width, each as its text.
QStringList Lines(const QString &text, qreal width, const QFont &font = {})
{
    WrappedLines lines;
    lines.layout(text, font, width);
    QStringList shown;
    for (qsizetype i = 0; i < lines.count(); ++i)
        shown << text.mid(lines.start(i), lines.end(i) - lines.start(i));
    return shown;
}

// Words of letters and accents, with an emoji now and then, on one line.
QString LongLine(int words)
{
    const QStringList pool {"gr\u00fcn", "line", "\U0001F308", "colour", "caf\u00e9", "x"};
    QStringList text;
    for (int i = 0; i < words; ++i)
        text << pool[i % pool.size()];
    return text.join(u' ');
}

// The number of pixels of @p image in @p colour within @p area.
int Count(const QImage &image, QColor colour, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

// Counts the paintings of a widget and keeps the widest area painted.
struct PaintSpy : QObject
{
    explicit PaintSpy(QWidget *widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            widest = std::max(widest, static_cast<QPaintEvent *>(event)->rect().width());
        }
        return false;
    }
    int paints = 0, widest = 0;
};

struct Boxes
{
    Boxes()
    {
        window.resize(300, 200);
        input = new TextBox(&window);
        input->setGeometry(10, 10, 280, 60);
        input->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        new SelectAllOnFocus(input);
        output = new TextBox(&window);
        output->setGeometry(10, 100, 280, 60);
        output->setReadOnly(true);
        new SelectAllOnFocus(output);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window did not become active");
    }
    QWidget window;
    TextBox *input;
    TextBox *output;
};

} // namespace

class TestTextBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineBreaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("letters"); // the width, in advances of 'a'
        QTest::addColumn<QStringList>("lines");
        // clang-format off
        QTest::newRow("empty") << QString() << 5 << QStringList {""};
        QTest::newRow("LF, CR LF and a lone CR") << "a\nb\r\nc\rd" << 5 << QStringList {"a", "b", "c", "d"};
        QTest::newRow("a break at the end leaves an empty line") << "aa\r\n" << 5 << QStringList {"aa", ""};
        QTest::newRow("empty lines") << "\n\n" << 5 << QStringList {"", "", ""};
        QTest::newRow("after the last space that fits") << "aaa aaa aaa" << 8 << QStringList {"aaa aaa ", "aaa"};
        QTest::newRow("spaces stand past the width") << "aaaa      aaaa" << 5 << QStringList {"aaaa      ", "aaaa"};
        QTest::newRow("a word wider than the width, anywhere") << "aaaaaaaaaaaa" << 5 << QStringList {"aaaaa", "aaaaa", "aa"};
        QTest::newRow("a width narrower than a letter: one a line") << "aaa" << 0 << QStringList {"a", "a", "a"};
        QTest::newRow("a break resets the width") << "aaaa\naaaa" << 5 << QStringList {"aaaa", "aaaa"};
        // clang-format on
    }
    void lineBreaks()
    {
        QFETCH(QString, text);
        QFETCH(int, letters);
        QFETCH(QStringList, lines);
        const qreal a = QFontMetricsF(QFont()).horizontalAdvance(u'a');
        QCOMPARE(Lines(text, a * letters + a / 2), lines);
    }

    // Whatever the text and the width: the lines hold the text in order, no
    // character in two; a line wider than the width is one character or ends
    // in spaces; a pair of surrogates stays together.
    void lineBreaksKeepTheText()
    {
        const QFont font;
        const QFontMetricsF metrics(font);
        const QString text = LongLine(400) + "\r\n" + LongLine(50);
        for (qreal width : {1.0, 37.0, 120.5, 400.0}) {
            WrappedLines lines;
            lines.layout(text, font, width);
            QCOMPARE(lines.start(0), 0);
            for (qsizetype i = 0; i < lines.count(); ++i) {
                const qsizetype start = lines.start(i), end = lines.end(i);
                const qsizetype next = i + 1 < lines.count() ? lines.start(i + 1) : text.size();
                QVERIFY(start <= end && end <= next);
                QVERIFY(end == next || text.mid(end, next - end) == "\r\n");
                QVERIFY(!text[start].isLowSurrogate());
                const QString line = text.mid(start, end - start);
                QVERIFY2(line.trimmed().size() <= 2
                             || metrics.horizontalAdvance(line.trimmed()) <= width + 2,
                         qPrintable(QStringLiteral("%1 at %2").arg(line).arg(width)));
                QCOMPARE(lines.lineOf(start), i);
            }
        }
    }

    // The whole of a long line is shown: wrapped inside the box, every line in
    // view drawn, the scroll bar reaching its last line.
    void wrapsAndScrolls()
    {
        Boxes b;
        b.output->setPlainText(LongLine(3000));
        QScrollBar *bar = b.output->verticalScrollBar();
        QVERIFY(bar->maximum() > 100);
        QWidget *view = b.output->viewport();
        const QColor back = view->palette().color(QPalette::Base);
        const qreal line = QFontMetricsF(b.output->font()).height();
        for (int value : {0, bar->maximum() / 2, bar->maximum()}) {
            bar->setValue(value);
            const QImage shown = view->grab().toImage();
            const int width = shown.width();
            // Nothing drawn in the margin at the right, where a line too long would show.
            QCOMPARE(Count(shown, back, QRect(width - 3, 0, 3, shown.height())),
                     3 * shown.height());
            for (int row = 0; row < 3; ++row) {
                const QRect band(0, 4 + int(row * line), width - 3, int(line));
                QVERIFY2(Count(shown, back, band) < band.width() * band.height(),
                         qPrintable(QStringLiteral("line %1 of %2").arg(row).arg(value)));
            }
        }
        QTest::keyClick(b.output, Qt::Key_PageUp);
        QCOMPARE(bar->value(), bar->maximum() - bar->pageStep());
        const qsizetype last = b.output->positionAt(QPoint(4, view->height() - 8));
        QCOMPARE_LT(b.output->toPlainText().mid(last).size(), 200);
    }

    void mouseSelects()
    {
        Boxes b;
        const QString text = LongLine(100);
        b.output->setPlainText(text);
        b.output->setFocus();
        QWidget *view = b.output->viewport();
        const qreal line = QFontMetricsF(b.output->font()).height();
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(4, 6));
        QTest::mouseMove(view, QPoint(view->width() / 2, int(6 + line)));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(view->width() / 2, int(6 + line)));
        const QString selected = b.output->selectedText();
        QVERIFY(text.startsWith(selected));
        const qsizetype firstLine = b.output->positionAt(QPoint(view->width() - 6, 6));
        QVERIFY(selected.size() > firstLine && selected.size() < 2 * firstLine);
        const QImage shown = view->grab().toImage();
        QVERIFY(Count(shown, view->palette().color(QPalette::Highlight), shown.rect()) > 100);
        // A double click takes the word under it.
        QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(b.output->selectedText(), text.section(u' ', 0, 0));
    }

    // The input box keeps LF line ends. The output box holds the HTML read-only:
    // typing changes nothing, the keys scroll, and copying all of it (selected as
    // the focus comes in) gives every byte, CR LF included.
    void lineEndsAndReadOnly()
    {
        Boxes b;
        b.input->setPlainText("first\r\nsecond");
        QCOMPARE(b.input->toPlainText(), "first\nsecond");
        const QString html = "<font color=\"#FF0000\">a</font><br>\r\n" + LongLine(2000);
        b.output->setPlainText(html);
        QTest::mouseClick(b.output->viewport(), Qt::LeftButton, {}, QPoint(30, 10));
        QTest::keyClicks(b.output, "typed");
        QTest::keyClick(b.output, Qt::Key_Backspace);
        QTest::keyClick(b.output, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), html);
        QCOMPARE(b.output->toPlainText(), html);
        QTest::keyClick(b.output, Qt::Key_PageDown);
        QVERIFY(b.output->verticalScrollBar()->value() > 0);
    }

    void editing_data()
    {
        QTest::addColumn<QString>(
            "steps"); // keys: one character, or a key sequence, space-separated
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("typed at the end") << "End x y" << "ab\ncdxy";
        QTest::newRow("backspace at the end") << "End Backspace Backspace Backspace" << "ab";
        QTest::newRow("typing replaces the selection") << "Ctrl+A z" << "z";
        QTest::newRow("undo takes back the typing at once") << "End x y Ctrl+Z" << "ab\ncd";
        QTest::newRow("undo and redo") << "End x Backspace Backspace Ctrl+Z Ctrl+Z Ctrl+Shift+Z" << "ab\ncdx";
        QTest::newRow("Enter breaks the line") << "Home Right Return" << "ab\nc\nd";
        QTest::newRow("Down keeps to its column") << "Ctrl+Home Right Down q" << "ab\ncqd";
        QTest::newRow("a selection by keys, cut and pasted") << "Ctrl+Home Shift+Right Shift+Right Ctrl+X Ctrl+End Ctrl+V" << "\ncdab";
        QTest::newRow("delete a word") << "End Ctrl+Backspace" << "ab\n";
        QTest::newRow("an emoji is one character") << "End \U0001F308 Left Delete" << "ab\ncd";
        // clang-format on
    }
    void editing()
    {
        QFETCH(QString, steps);
        QFETCH(QString, text);
        Boxes b;
        b.input->setPlainText("ab\ncd");
        b.input->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(b.input, Qt::Key_End, Qt::ControlModifier);
        for (const QString &step : steps.split(u' ')) {
            if (step.size() == 1 || QChar::isSurrogate(step[0].unicode())) {
                QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, step);
                QApplication::sendEvent(b.input, &typed);
                continue;
            }
            const QKeyCombination key = QKeySequence(step)[0];
            QTest::keyClick(b.input, key.key(), key.keyboardModifiers());
        }
        QCOMPARE(b.input->toPlainText(), text);
    }

    // An input method's text, its replacements, a paste and a drop all end lines in LF.
    void inputMethodPasteAndDrop()
    {
        Boxes b;
        b.input->setPlainText("cafe");
        b.input->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(b.input, Qt::Key_End);
        QInputMethodEvent compose("e\u0301", {});
        QApplication::sendEvent(b.input, &compose);
        QCOMPARE(b.input->toPlainText(), "cafe");
        QInputMethodEvent commit;
        commit.setCommitString("\u00e9", -1, 1);
        QApplication::sendEvent(b.input, &commit);
        QCOMPARE(b.input->toPlainText(), "caf\u00e9");
        QApplication::clipboard()->setText("1\r\n2\r3\u20294");
        QTest::keyClick(b.input, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(b.input->toPlainText(), "caf\u00e91\n2\n3\n4");
        QCOMPARE(
            static_cast<QWidget *>(b.input)->inputMethodQuery(Qt::ImSurroundingText).toString(),
            "4");
        // Text dropped lands where it is dropped; the output box takes none.
        QMimeData dropped;
        dropped.setText("x\r\ny");
        QTest::keyClick(b.input, Qt::Key_Home, Qt::ControlModifier);
        for (TextBox *box : {b.input, b.output}) {
            QDragEnterEvent enter(QPoint(2, 6), Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QApplication::sendEvent(box->viewport(), &enter);
            QDropEvent drop(QPointF(2, 6), Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QApplication::sendEvent(box->viewport(), &drop);
        }
        QCOMPARE(b.input->toPlainText(), "x\nycaf\u00e91\n2\n3\n4");
        QCOMPARE(b.output->toPlainText(), QString());
    }

    void contextMenu_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QString>("enabled"); // the enabled actions, '|' between
        // clang-format off
        QTest::newRow("input box") << false << false << "&Undo|&Paste|Select All";
        QTest::newRow("input box, selected") << false << true << "&Undo|Cu&t|&Copy|&Paste|Delete|Select All";
        // clang-format on
        QTest::newRow("output box") << true << false << "Select All";
        QTest::newRow("output box, selected") << true << true << "&Copy|Select All";
    }
    void contextMenu()
    {
        QFETCH(bool, readOnly);
        QFETCH(bool, selected);
        QFETCH(QString, enabled);
        Boxes b;
        TextBox *box = readOnly ? b.output : b.input;
        box->setPlainText("text");
        QTest::keyClick(b.input, Qt::Key_X); // something to undo in the input box
        QApplication::clipboard()->setText("clip");
        box->setSelection(0, selected ? 2 : 0);
        std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        QStringList shown;
        for (QAction *action : menu->actions())
            if (action->isEnabled() && !action->isSeparator())
                shown << action->text();
        QCOMPARE(shown.join(u'|'), enabled);
    }

    // Idle, the blinking insertion point is all that is drawn again, however
    // long the text.
    void blinkDrawsOnlyTheCursor()
    {
        Boxes b;
        b.input->setPlainText(LongLine(20000));
        b.input->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(b.input, Qt::Key_End, Qt::ControlModifier);
        QTest::qWait(50);
        PaintSpy spy(b.input->viewport());
        QTRY_VERIFY_WITH_TIMEOUT(spy.paints >= 2, 3000);
        QCOMPARE_LE(spy.widest, 4);
    }

    void accessible()
    {
        Boxes b;
        b.output->setPlainText("one\r\ntwo");
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(b.output);
        QVERIFY(box);
        QCOMPARE(box->role(), QAccessible::EditableText);
        QVERIFY(box->state().readOnly);
        QCOMPARE(box->textInterface()->characterCount(), 8);
        box->textInterface()->setSelection(0, 5, 8);
        QCOMPARE(b.output->selectedText(), "two");
    }
};

QTEST_MAIN(TestTextBox)
#include "tst_textbox.moc"
