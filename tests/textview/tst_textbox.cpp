// The text box against Qt's own plain text box as its judge: the same keys and
// clicks go to both, of the same size, font, palette and wrap mode, and the
// text, the insertion point, the selection, the primary selection and the
// scrolled place must come out the same.

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

using namespace huevane;

namespace {

QFont BoxFont()
{
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPointSizeF(8.25);
    return font;
}

// Words of letters and accents, with an emoji now and then, on one line.
[[maybe_unused]] QString LongLine(int words)
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

// What a box shows of its state after the steps.
struct State
{
    QString text;
    qsizetype cursor = 0;
    qsizetype anchor = 0;
    int scrolled = 0;
    QString primary;
};

// One box driven by the steps of a row, ours or Qt's.
class Driven
{
public:
    virtual ~Driven() = default;
    virtual QAbstractScrollArea *box() = 0;
    virtual QPoint pointOf(qsizetype position) = 0;
    virtual State state() = 0;

    // Steps, space-separated: 'abc types abc; @N clicks where position N is
    // shown, @N+ right of its line; 2@N double-clicks and 3@N triple-clicks
    // there; @N>M and 2@N>M drag from N to M; trough clicks the scroll bar
    // below its handle; anything else is a key sequence.
    void run(const QString &steps)
    {
        QWidget *view = box()->viewport();
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step.startsWith(u'\'')) {
                for (const QChar c : step.mid(1)) {
                    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                    QApplication::sendEvent(box(), &typed);
                }
            } else if (step == u"trough") {
                QScrollBar *bar = box()->verticalScrollBar();
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
                QTest::keyClick(box(), key.key(), key.keyboardModifiers());
            }
        }
    }
};

class Ours : public Driven
{
public:
    explicit Ours(TextBox *box)
        : m_box(box)
    { }
    QAbstractScrollArea *box() override { return m_box; }
    QPoint pointOf(qsizetype position) override { return m_box->positionRect(position).center(); }
    State state() override
    {
        return {m_box->toPlainText(),
                m_box->cursorPosition(),
                m_box->anchorPosition(),
                m_box->verticalScrollBar()->value(),
                {}};
    }

private:
    TextBox *m_box;
};

class Judge : public Driven
{
public:
    explicit Judge(QPlainTextEdit *box)
        : m_box(box)
    { }
    QAbstractScrollArea *box() override { return m_box; }
    QPoint pointOf(qsizetype position) override
    {
        QTextCursor cursor(m_box->document());
        cursor.setPosition(int(position));
        return m_box->cursorRect(cursor).center();
    }
    State state() override
    {
        const QTextCursor cursor = m_box->textCursor();
        return {m_box->toPlainText(),
                cursor.position(),
                cursor.anchor(),
                m_box->verticalScrollBar()->value(),
                {}};
    }

private:
    QPlainTextEdit *m_box;
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
        row("wrapped: End stays on its line", Wrapped, 160, "End 'x");
        row("wrapped: End twice", Wrapped, 160, "End End 'x");
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
        row("gestures: a drag", Wrapped, 160, "@4>40");
        row("gestures: a double click", Wrapped, 160, "2@7 'x");
        row("gestures: a triple click", "one two\nthree four\nfive", 160, "3@10 'x");
        row("gestures: a double click and drag", Wrapped, 160, "2@7>31");
        row("gestures: a double click and drag back", Wrapped, 160, "2@31>7");
        row("ctrl+backspace: a word", "one two three", 160, "End Ctrl+Backspace");
        row("ctrl+backspace: at a line's start", "one two\nthree", 160, "Down Home Ctrl+Backspace");
        row("ctrl+delete: at a line's end", "one\ntwo three", 160, "End Ctrl+Delete");
        row("read-only: PageDown", Paged, 200, "PgDown", true);
        row("read-only: Space", Paged, 200, "Space Space", true);
        row("read-only: End and Home", Paged, 200, "End Home Down", true);
        row("read-only: End", Paged, 200, "End", true);
        row("read-only: the scroll bar's trough", Paged, 200, "trough trough", true);
        QTest::newRow("read-only: CR LF") << "one\r\ntwo" << 160 << true << "Ctrl+A" << "the output box keeps the HTML's CR LF, to copy it as written" << "one\r\ntwo";
        QTest::newRow("Tab") << "one" << 160 << false << "End Tab 'x" << "" << "";
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
        Ours our(pair.ours);
        Judge judge(pair.qt);
        QClipboard *clipboard = QApplication::clipboard();
        State states[2];
        Driven *boxes[2] = {&our, &judge};
        for (int k = 0; k < 2; ++k) {
            if (clipboard->supportsSelection())
                clipboard->setText(QStringLiteral("before"), QClipboard::Selection);
            boxes[k]->box()->setFocus(Qt::OtherFocusReason);
            boxes[k]->run(steps);
            states[k] = boxes[k]->state();
            if (clipboard->supportsSelection())
                states[k].primary = clipboard->text(QClipboard::Selection);
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
};

QTEST_MAIN(TestTextBox)
#include "tst_textbox.moc"
