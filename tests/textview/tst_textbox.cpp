// The text box against Qt's own plain text box as its judge: the same keys and
// clicks go to both, of the same size, font, palette and wrap mode, and the
// text, the insertion point, the selection, the primary selection and the
// scrolled place must come out the same.

#include "tests/textview/boxfont.h"
#include "textview/textbox.h"
#include "textview/wrappedlines.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <functional>

using namespace huevane;

namespace {

// Words of letters and accents, with an emoji now and then, on one line.
QString LongLine(int words)
{
    const QStringList pool {"gr\u00fcn", "line", "\U0001F308", "colour", "caf\u00e9", "x"};
    QStringList text;
    for (int i = 0; i < words; ++i)
        text << pool[i % pool.size()];
    return text.join(u' ');
}

// A left button event, as the platform sends it: a double click is a second
// press followed by the double click itself.
void Mouse(QWidget *view, QEvent::Type type, QPoint at)
{
    const bool held = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick
        || type == QEvent::MouseMove;
    QMouseEvent event(type, at, view->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
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
        output = new TextBox(&window);
        output->setGeometry(10, 100, 280, 60);
        output->setReadOnly(true);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window did not become active");
    }
    QWidget window;
    TextBox *input;
    TextBox *output;
};

// What a box shows of its state after the steps.
struct State
{
    QString text;
    qsizetype cursor = 0;
    qsizetype anchor = 0;
    int scrolled = 0;
    QString primary;
};

// One box driven by the steps of a row, ours or Qt's: where it shows a
// position, and its insertion point and anchor.
struct Driven
{
    QAbstractScrollArea *box;
    std::function<QPoint(qsizetype)> pointOf;
    std::function<std::pair<qsizetype, qsizetype>()> selection;

    State state() const
    {
        const auto [cursor, anchor] = selection();
        QClipboard *clipboard = QApplication::clipboard();
        return {box->property("plainText").toString(), cursor, anchor,
                box->verticalScrollBar()->value(),
                clipboard->supportsSelection() ? clipboard->text(QClipboard::Selection)
                                               : QString()};
    }

    // Steps, space-separated: 'abc types abc; @N clicks where position N is
    // shown, @N+ right of its line; 2@N double-clicks and 3@N triple-clicks
    // there; @N>M and 2@N>M drag from N to M; below clicks below the text;
    // trough clicks the scroll bar below its handle; anything else is a key
    // sequence.
    void run(const QString &steps) const
    {
        QWidget *view = box->viewport();
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step.startsWith(u'\'')) {
                for (const QChar c : step.mid(1)) {
                    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                    QApplication::sendEvent(box, &typed);
                }
            } else if (step == u"below") {
                const QPoint point(view->width() / 2, view->height() - 3);
                Mouse(view, QEvent::MouseButtonPress, point);
                Mouse(view, QEvent::MouseButtonRelease, point);
            } else if (step == u"trough") {
                QScrollBar *bar = box->verticalScrollBar();
                QTest::mouseClick(bar, Qt::LeftButton, {},
                                  QPoint(bar->width() / 2, bar->height() - 20));
            } else if (const qsizetype at = step.indexOf(u'@'); at >= 0) {
                const int clicks = at > 0 ? step.left(at).toInt() : 1;
                const QStringList ends = step.mid(at + 1).split(u'>');
                QString from = ends[0];
                QPoint point = pointOf(from.remove(u'+').toLongLong());
                if (ends[0].endsWith(u'+'))
                    point.setX(view->width() - 3);
                for (int click = 1; click <= clicks; ++click) {
                    Mouse(view, QEvent::MouseButtonPress, point);
                    if (click == 2)
                        Mouse(view, QEvent::MouseButtonDblClick, point);
                    if (click < clicks || ends.size() == 1)
                        Mouse(view, QEvent::MouseButtonRelease, point);
                }
                if (ends.size() == 2) {
                    const QPoint to = pointOf(ends[1].toLongLong());
                    Mouse(view, QEvent::MouseMove, (point + to) / 2);
                    Mouse(view, QEvent::MouseMove, to);
                    Mouse(view, QEvent::MouseButtonRelease, to);
                }
            } else {
                const QKeyCombination key = QKeySequence(step)[0];
                QTest::keyClick(box, key.key(), key.keyboardModifiers());
            }
        }
    }
};

// Both boxes side by side in one window, alike in all that shapes their lines.
struct Pair
{
    Pair(const QString &text, int width, bool readOnly)
    {
        window.resize(2 * width + 30, 130);
        ours = new TextBox(&window);
        qt = new QPlainTextEdit(&window);
        qt->setTabChangesFocus(true);
        for (QAbstractScrollArea *box :
             {static_cast<QAbstractScrollArea *>(ours), static_cast<QAbstractScrollArea *>(qt)}) {
            box->setFont(BoxFont());
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box->resize(width, 100);
        }
        ours->move(10, 10);
        qt->move(width + 20, 10);
        ours->setReadOnly(readOnly);
        qt->setReadOnly(readOnly);
        ours->setPlainText(text);
        qt->setPlainText(text);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window did not become active");
    }
    QWidget window;
    TextBox *ours;
    QPlainTextEdit *qt;
};

const QString Wrapped = QStringLiteral("The quick brown fox jumps over the lazy dog and keeps on "
                                       "running far away from here");
const QString Paged = [] {
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("line %1 of the paged text").arg(i);
    return lines.join(u'\n');
}();

} // namespace

class TestTextBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judge_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("why");  // where we differ from Qt on purpose
        QTest::addColumn<QString>("ours"); // and then the text we end with
        const QString hebrew = QStringLiteral("\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd "
                                              "\u05d8\u05d5\u05d1 \u05de\u05d0\u05d5\u05d3");
        const QString arabic = QStringLiteral("\u0645\u0631\u062d\u0628\u0627 "
                                              "\u0628\u0627\u0644\u0639\u0627\u0644\u0645");
        const QString devanagari = QStringLiteral("\u0928\u092e\u0938\u094d\u0924\u0947 "
                                                  "\u0926\u0941\u0928\u093f\u092f\u093e");
        const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467");
        auto row = [](const char *name, const QString &text, int width, const QString &steps,
                      bool readOnly = false) {
            QTest::newRow(name) << text << width << readOnly << steps << QString() << QString();
        };
        // clang-format off
        row("wrapped: End, twice, stays on its line", Wrapped, 160, "End End 'x");
        row("wrapped: Shift+End", Wrapped, 160, "Down Shift+End");
        row("wrapped: Shift+Home", Wrapped, 160, "Down End Shift+Home");
        row("wrapped: a click right of a line", Wrapped, 160, "@0+ 'x");
        row("wrapped: Up into a shorter line", Wrapped, 160, "Ctrl+End Up 'x");
        row("wrapped: Down keeps its column", Wrapped, 160, "Right Right Right Down Down 'x");
        row("wrapped: Right over a line's end", Wrapped, 160, "End Right Right 'x");
        row("hebrew: Right", hebrew, 160, "Right Right 'x");
        row("hebrew: Shift+Right", hebrew, 160, "End Shift+Right Shift+Right");
        row("hebrew: Ctrl+Right", hebrew, 160, "Ctrl+Right 'x");
        row("hebrew: wrapped End", hebrew + u' ' + hebrew, 120, "End 'x");
        row("arabic: Right and Left", arabic, 160, "Right Right Right Left 'x");
        row("arabic: wrapped Down", arabic + u' ' + arabic + u' ' + arabic, 120, "Right Down 'x");
        row("arabic: a word wider than the box", QString(arabic).remove(u' ').repeated(3), 100, "End 'x");
        row("arabic: a word wider than the box, Up", QString(arabic).remove(u' ').repeated(3), 100, "Ctrl+End Left Left Up 'x");
        row("mixed: a Hebrew run wrapped in a Latin line, Up", "abc " + hebrew + " def ghi", 100, "Ctrl+End Up 'x");
        row("mixed: a Hebrew run wrapped in a Latin line, End", "abc " + hebrew + " def ghi", 100, "End 'x");
        row("mixed: a Hebrew run wrapped in a Latin line, click", "abc " + hebrew + " def ghi", 100, "@13 'x");
        row("mixed: Latin in a Hebrew line", hebrew + " abc " + hebrew, 300, "Right Right Right Right Right Right 'x");
        row("mixed: Hebrew in a Latin line", "abc " + hebrew + " def", 300, "End Left Left Left Left Left 'x");
        row("devanagari: Right over conjuncts", devanagari, 160, "Right Right Right 'x");
        row("devanagari: Delete", devanagari, 160, "Right Delete");
        row("devanagari: wrapped", devanagari + u' ' + devanagari + u' ' + devanagari, 100, "Down 'x");
        row("emoji: a family is one character", family + u' ' + family, 160, "Right 'x");
        row("emoji: Backspace", family + "\U0001F44D\U0001F3FD", 160, "End Backspace");
        row("emoji: wrapped", (family + u' ').repeated(12), 100, "Down Right 'x");
        row("a long character: Right", u'a' + QString(40, QChar(0x301)) + u'b', 160, "Right 'x");
        row("hyphens: broken after them", "alpha kappa-lambda-mu-nu-xi-omicron", 100, "Down 'x");
        row("hyphens: End", "alpha kappa-lambda-mu-nu-xi-omicron", 100, "End 'x");
        row("a word wider than the box", QString(60, u'w'), 100, "Down 'x");
        row("paging: PageDown", Paged, 200, "PgDown 'x");
        row("paging: PgDown twice, PgUp", Paged, 200, "PgDown PgDown PgUp 'x");
        row("paging: Shift+PgDown", Paged, 200, "Right Shift+PgDown");
        row("paging: to the end", Paged, 200, "PgDown PgDown PgDown PgDown PgDown PgDown PgDown PgDown PgDown 'x");
        row("gestures: a click", Wrapped, 160, "@7 'x");
        row("gestures: a shift click", Wrapped, 160, "@4 Shift+Right @20 'x");
        row("gestures: a click below the text", "one\ntwo three four five six", 160, "below 'x");
        row("gestures: a drag", Wrapped, 160, "@4>40");
        row("gestures: a double click", Wrapped, 160, "2@7 'x");
        row("gestures: a triple click", "one two\nthree four\nfive", 160, "3@10 'x");
        row("gestures: a double click and drag", Wrapped, 160, "2@7>31");
        row("gestures: a double click and drag back", Wrapped, 160, "2@31>7");
        row("ctrl+backspace: a word", "one two three", 160, "End Ctrl+Backspace");
        row("ctrl+backspace: at a line's start", "one two\nthree", 160, "Down Home Ctrl+Backspace");
        row("ctrl+delete: at a line's end", "one\ntwo three", 160, "End Ctrl+Delete");
        row("editing: typing replaces the selection", "one\ntwo", 160, "Shift+End 'z");
        row("editing: Enter breaks the line", "one\ntwo", 160, "Right Return");
        row("editing: cut and pasted by keys", "one\ntwo", 160, "Shift+Right Shift+Right Ctrl+X Ctrl+End Ctrl+V");
        row("editing: undo takes back the typing at once", "one\ntwo", 160, "End 'xy Ctrl+Z");
        row("editing: undo and redo", "one\ntwo", 160, "End 'x Ctrl+Z Ctrl+Shift+Z");
        row("editing: undo takes back erasing at once", "one\ntwo", 160, "End Backspace Backspace Ctrl+Z");
        row("read-only: PageDown", Paged, 200, "PgDown", true);
        row("read-only: Space", Paged, 200, "Space Space", true);
        row("read-only: End and Home", Paged, 200, "End Home Down", true);
        row("read-only: End", Paged, 200, "End", true);
        row("read-only: the scroll bar's trough", Paged, 200, "trough trough", true);
        row("line ends: CR LF set in the input box", "one\r\ntwo", 160, "End");
        QTest::newRow("read-only: CR LF") << "one\r\ntwo" << 160 << true << "'typed Ctrl+A Backspace" << "the output box keeps the HTML's CR LF, to copy it as written" << "one\r\ntwo";
        QTest::newRow("Tab") << "one" << 160 << false << "End Tab 'x" << "" << "";
        const QString mixed = hebrew + " abc def ghi " + hebrew;
        QTest::newRow("rtl: Up to the left end of a line broken after a space") << mixed << 100 << false << "Ctrl+End Up 'x" << "Qt's box takes the left end of a right-to-left line for the start of the line after it, so Up stays on its line" << QString(mixed).insert(40, u'x');
        const QString word = QString(arabic).remove(u' ').repeated(3);
        QTest::newRow("rtl: Down past the right end of a shorter line") << word << 100 << false << "Down 'x" << "right of a right-to-left line Qt's box takes its end, at the far left; ours the nearer start" << QString(word).insert(18, u'x');
        // clang-format on
    }
    void judge()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(bool, readOnly);
        QFETCH(QString, steps);
        QFETCH(QString, why);
        QFETCH(QString, ours);
        Pair pair(text, width, readOnly);
        TextBox *our = pair.ours;
        QPlainTextEdit *qt = pair.qt;
        const Driven boxes[2] = {
            {our, [our](qsizetype at) { return our->positionRect(at).center(); },
             [our] { return std::pair(our->cursorPosition(), our->anchorPosition()); }},
            {qt,
             [qt](qsizetype at) {
                 QTextCursor cursor(qt->document());
                 cursor.setPosition(int(at));
                 return qt->cursorRect(cursor).center();
             },
             [qt] {
                 const QTextCursor cursor = qt->textCursor();
                 return std::pair<qsizetype, qsizetype>(cursor.position(), cursor.anchor());
             }}};
        QClipboard *clipboard = QApplication::clipboard();
        State states[2];
        for (int k = 0; k < 2; ++k) {
            if (clipboard->supportsSelection())
                clipboard->setText(QStringLiteral("before"), QClipboard::Selection);
            boxes[k].box->setFocus(Qt::OtherFocusReason);
            boxes[k].run(steps);
            states[k] = boxes[k].state();
        }
        if (!why.isEmpty()) {
            QCOMPARE(states[0].text, ours);
            QVERIFY2(states[1].text != ours, qPrintable(why));
            return;
        }
        QCOMPARE(states[0].text, states[1].text);
        QCOMPARE(states[0].cursor, states[1].cursor);
        QCOMPARE(states[0].anchor, states[1].anchor);
        QCOMPARE(states[0].primary, states[1].primary);
        if (readOnly)
            QCOMPARE(states[0].scrolled, states[1].scrolled);
    }

    // The whole of a long line is shown: wrapped inside the box, every line in
    // view drawn, End reaching the last line. Until then only the lines shown
    // are broken, and the short lines after the long one are more than the
    // long one's lines let estimate.
    void wrapsAndScrolls()
    {
        Boxes b;
        b.output->setPlainText(LongLine(20000) + u'\n' + QStringList(5000, "x").join(u'\n'));
        QScrollBar *bar = b.output->verticalScrollBar();
        QVERIFY(bar->maximum() > 100);
        QWidget *view = b.output->viewport();
        const QColor back = view->palette().color(QPalette::Base);
        const qreal line = QFontMetricsF(b.output->font()).height();
        const auto drawn = [&] {
            const QImage shown = view->grab().toImage();
            const int width = shown.width();
            // Nothing drawn in the margin at the right, where a line too long would show.
            QCOMPARE(Count(shown, back, QRect(width - 3, 0, 3, shown.height())),
                     3 * shown.height());
            // The margin above the first line shows only at the top, as in Qt's box.
            for (int row = 0; row < 3; ++row) {
                const int top = (bar->value() == 0 ? 4 : 0) + int(row * line);
                const QRect band(0, top, width - 3, int(line));
                QVERIFY2(Count(shown, back, band) < band.width() * band.height(),
                         qPrintable(QStringLiteral("line %1 at %2").arg(row).arg(bar->value())));
            }
        };
        drawn();
        bar->setValue(bar->maximum() / 2);
        drawn();
        QVERIFY(!b.output->lines().isComplete());
        b.output->setFocus();
        QTest::keyClick(b.output, Qt::Key_End);
        drawn();
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE_LT(
            b.output->toPlainText().mid(b.output->positionAt(QPoint(4, view->height() - 8))).size(),
            100);
        QTest::keyClick(b.output, Qt::Key_PageUp);
        QCOMPARE(bar->value(), bar->maximum() - bar->pageStep());
    }

    // Copying all of the output box gives every byte, CR LF included.
    void readOnlyCopiesAsWritten()
    {
        Boxes b;
        b.output->setPlainText("a<br>\r\nb");
        b.output->setFocus();
        QTest::keyClick(b.output, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(b.output, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), "a<br>\r\nb");
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

    // Of a paragraph of thousands of characters an input method is handed
    // the part around the insertion point, asked again at every key.
    void inputMethodSurroundingText()
    {
        Boxes b;
        const QString text = QString(3000, u'a') + "bcd" + QString(3000, u'e');
        b.input->setPlainText(text);
        b.input->setSelection(2990, 3001);
        QWidget *input = b.input;
        const QString around = input->inputMethodQuery(Qt::ImSurroundingText).toString();
        const int at = input->inputMethodQuery(Qt::ImCursorPosition).toInt();
        const int anchor = input->inputMethodQuery(Qt::ImAnchorPosition).toInt();
        QCOMPARE_LT(around.size(), text.size() / 2);
        QCOMPARE(around.mid(at - 2, 4), "abcd");
        QCOMPARE(at - anchor, 11);
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
        // The output box's text is read as it stands, CR LF included (its menu
        // and its lack of an editable text are read over AT-SPI, in the desktop tests).
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(b.output);
        QVERIFY(box->state().readOnly);
        QCOMPARE(box->textInterface()->characterCount(), 8);
        box->textInterface()->setSelection(0, 5, 8);
        QCOMPARE(b.output->selectedText(), "two");

        // The input box's text is written through it, each change undoable.
        QAccessibleEditableTextInterface *input =
            QAccessible::queryAccessibleInterface(b.input)->editableTextInterface();
        QVERIFY(input);
        QAccessible::queryAccessibleInterface(b.input)->setText(QAccessible::Value, "ab\r\ncd");
        input->insertText(2, "X");
        input->deleteText(0, 1);
        input->replaceText(3, 5, "Y\u2029");
        QCOMPARE(b.input->toPlainText(), "bX\nY\n");
        QTest::keyClick(b.input, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(b.input->toPlainText(), "bX\ncd");
    }

    // Without the focus a selection takes the palette's inactive colours.
    void inactiveSelection()
    {
        Boxes b;
        QPalette palette = b.input->palette();
        palette.setColor(QPalette::Active, QPalette::Highlight, Qt::red);
        palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::green);
        b.input->setPalette(palette);
        b.input->setPlainText(LongLine(10));
        b.input->setSelection(0, 20);
        for (const bool focus : {true, false}) {
            if (focus)
                b.input->setFocus();
            else
                b.output->setFocus();
            QTRY_COMPARE(b.input->hasFocus(), focus);
            const QImage shown = b.input->viewport()->grab().toImage();
            QCOMPARE_GT(Count(shown, focus ? Qt::red : Qt::green, shown.rect()), 50);
            QCOMPARE(Count(shown, focus ? Qt::green : Qt::red, shown.rect()), 0);
        }
    }
};

QTEST_MAIN(TestTextBox)
#include "tst_textbox.moc"
