// The main window driven step by step as a user drives it. After every step the
// whole window must agree with what the engine computes from what the controls
// show: the text preview's colours, the hexadecimal fields, strips and swatches,
// the type previews (against a plain painter), the output box and the count.
// Then the type previews' painting on its own: stripes against the plain painter.

#include "engine/formatwriter.h"
#include "engine/lineends.h"
#include "engine/stripes.h"
#include "engine/valueoftext.h"
#include "hotcommand/hotcommand.h"
#include "mainwindow/htmloutput.h"
#include "mainwindow/mainwindow.h"
#include "textview/textbox.h"
#include "mainwindow/typepreview.h"
#include "platform/drawingsurface.h"
#include "platform/twips.h"
#include "tests/common/settings.h"

#include <QApplication>
#include <QAbstractButton>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSet>
#include <QTest>

using namespace huevane;

namespace {

quint32 Packed(QColor c)
{
    return PackColour(c.red(), c.green(), c.blue());
}

// The colour each pixel column of a type preview @p columns pixels wide shows, found the plain way:
// stripe i (from 1) is a rectangle from x = W / n x (i - 1) to the right edge, painted over those
// before it, in the colour the stripes' stepper gives it one stripe at a time (the engine's tests
// check that stepper). W is @p width twips, or the preview's own width when negative.
QList<quint32> PaintedStripes(const StripeSettings &s, int columns = 155, double width = -1,
                              double twipsPerPixel = TwipsPerPixelX())
{
    const double n = s.count, w = width < 0 ? columns * twipsPerPixel : width;
    StripeStepper stepper(s);
    QList<quint32> shown(columns, 0);
    QList<bool> starts(columns, false);
    for (qint64 i = 1; i <= s.count + 1; stepper.advance(i++)) {
        const qint32 column = RoundHalfEven(float(w / n * double(i - 1)) / twipsPerPixel);
        if (column < columns) {
            shown[column] = stepper.colour();
            starts[column] = true;
        }
    }
    for (int c = 1; c < columns; ++c)
        shown[c] = starts[c] ? shown[c] : shown[c - 1];
    return shown;
}

// The colour shown at @p at, or in the middle, of @p widget.
quint32 Shown(QWidget *widget, QPoint at = {-1, -1})
{
    return Packed(widget->grab().toImage().pixelColor(at.x() < 0 ? widget->rect().center() : at));
}

// Whether the top row of @p image changes between black and white again and again.
bool Dotted(const QImage &image)
{
    int changes = 0;
    for (int x = 1; x < image.width(); ++x)
        changes += QSet {image.pixel(x - 1, 0), image.pixel(x, 0)}
            == QSet {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    return changes >= 3;
}

// The text of a text box or label; "true" or "false" for a check or option box.
QString Text(QWidget *control)
{
    const char *property = control->inherits("QAbstractButton") ? "checked"
        : control->inherits("huevane::TextBox")                 ? "plainText"
                                                                : "text";
    return control->property(property).toString();
}

class Window : public ColourChooser
{
public:
    Window()
    {
        QApplication::clipboard()->setText("before");
        window.setColourChooser(this);
        window.setMessageSink([this](const QString &message) { asked << message; });
        QObject::connect(&window.model(), &GradientModel::recomputed, [this] { ++recomputes; });
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window did not become active");
    }

    // Answers the colour question as told, and notes the colour it was asked with.
    std::optional<ColourValue> chooseColour(ColourValue initial, QWidget *parent) override
    {
        asked << QString::number(parent ? initial : 0, 16);
        return answer;
    }

    template <typename T = QWidget>
    T *get(const QString &name) const
    {
        if (T *control = window.findChild<T *>(name))
            return control;
        qFatal("no control %s", qPrintable(name));
    }

    // Where a click on @p name lands.
    QWidget *target(const QString &name) const
    {
        QWidget *control = get(name);
        if (auto *button = qobject_cast<HotCommand *>(control))
            return button->picButton();
        if (auto *box = qobject_cast<TextBox *>(control))
            return box->viewport();
        return control;
    }

    QString text(const char *box) const
    {
        // The input box ends its lines in LF; the output box keeps the HTML's CR LF.
        const QString shown = get<TextBox>(box)->toPlainText();
        return get<TextBox>(box)->isReadOnly() ? shown : QString(shown).replace(u'\n', "\r\n");
    }

    float value(int panel, int i) const
    {
        return float(ValueOfText(window.colourPanel(panel).fields[i]->text()));
    }
    ColourTriplet colour(int panel) const
    {
        return {value(panel, 0), value(panel, 1), value(panel, 2)};
    }

    // The text and colours the window should hold, computed by the engine from the controls.
    test::ColouredText expected() const
    {
        int type = 0;
        for (int k = 0; k < 3; ++k)
            type = get<QAbstractButton>(QStringLiteral("Option1(%1)").arg(k))->isChecked() ? k + 1
                                                                                           : type;
        test::ColouredText record =
            test::Coloured(text("txtString"),
                           {colour(1), colour(2), type, window.model().centre(),
                            get<QAbstractButton>("chkPerLine")->isChecked()});
        if (badType)
            record.colours.clear();
        return record;
    }

    void verifyWhole()
    {
        const test::ColouredText record = expected();
        QCOMPARE(WithLineBreaks(window.model().text(), u"\r\n"), record.text.text());
        QCOMPARE(Text(get("lblChars")), QString::number(record.text.totalChars()));
        auto *preview = get("picGradText");
        if (!IsBlankText(record.text.text())) {
            for (int c = 0; c < 3; ++c)
                QCOMPARE(test::Components(window.model().colours(), c),
                         test::Components(record.colours, c));
            QCOMPARE(Shown(preview, preview->rect().bottomRight()), PackColour(colour(3)));
        }
        for (int p = 1; p <= 3; ++p) {
            const ColourPanel &panel = window.colourPanel(p);
            int rgb[3];
            for (int k = 0; k < 3; ++k)
                rgb[k] = RoundHalfEven(value(p, k));
            const quint32 packed = PackColour(rgb[0], rgb[1], rgb[2]);
            QCOMPARE(Shown(panel.swatch), packed);
            for (int k = 0; k < 3; ++k) {
                QCOMPARE(Shown(panel.strips[k]), packed & (0xFFu << 8 * k));
                // A hexadecimal field typed into keeps its text as typed.
                QString hex = panel.fields[k + 3]->text();
                if (typedHex.contains(panel.fields[k + 3]))
                    hex = QString::number(hex.toInt(nullptr, 16), 16).toUpper();
                QCOMPARE(hex, QString::number(rgb[k], 16).toUpper());
            }
        }
        // Without characters the type previews keep what they showed.
        for (int k = 0; k < 3; ++k) {
            auto *third = get<DrawingSurface>(QStringLiteral("Picture4(%1)").arg(k));
            // What it draws; a focus mark may be shown over it.
            const QImage image = third->hasFocus() ? third->image() : third->grab().toImage();
            if (record.text.totalChars() == 0) {
                QCOMPARE(image, previews[k]);
                continue;
            }
            QList<quint32> shown;
            for (int x = 0; x < image.width(); ++x)
                shown << Packed(image.pixelColor(x, image.height() / 2));
            QCOMPARE(
                shown,
                PaintedStripes(test::Stripes(k + 1, colour(1), colour(2), record.text.totalChars(),
                                             window.model().centre())));
            previews[k] = image;
        }
        const QString html = text("txtHTML");
        if (!ownOutput)
            QVERIFY(html == HtmlPlaceholder || html == test::Html(record, {upperCase, noQuotes}));
    }

    // One step of a row. "is" steps check one thing; every other step is followed
    // by the check of the whole window, once no value field is being edited.
    void run(const QString &step)
    {
        const QString verb = step.section(u' ', 0, 0);
        const QString arg = step.section(u' ', 1);
        const QString name = arg.section(u' ', 0, 0);
        const QString text = arg.section(u' ', 1);
        const auto click = [&](Qt::MouseButton button) {
            QTest::mouseClick(target(name), button, {}, target(name)->rect().center());
        };
        if (verb == "is")
            return check(name, text);
        const int before = recomputes;
        const auto counted = qScopeGuard([&] { lastRecomputes = recomputes - before; });
        if (verb == "dclick") {
            QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {},
                               target(name)->mapTo(&window, target(name)->rect().center()));
        } else if (verb.endsWith("click")) {
            if (name == "lblGenerate") {
                upperCase = get<QAbstractButton>("chkUpTags")->isChecked();
                noQuotes = get<QAbstractButton>("chkJSQuote")->isChecked();
                ownOutput = false;
            }
            click(verb == "rclick"       ? Qt::RightButton
                      : verb == "mclick" ? Qt::MiddleButton
                                         : Qt::LeftButton);
        } else if (verb == "drag") { // on the third type preview, from its middle to x
            auto *third = get("Picture4(2)");
            const Qt::MouseButton button = name == "L" ? Qt::LeftButton : Qt::RightButton;
            QTest::mousePress(third, button, {}, third->rect().center());
            QTest::mouseMove(third, QPoint(text.toInt(), 9));
            QTest::mouseRelease(third, button, {}, QPoint(text.toInt(), 9));
        } else if (verb == "edit" || verb == "onekey" || verb == "im" || verb == "paste") {
            QWidget *box = get(name);
            click(Qt::LeftButton); // which selects all
            QCOMPARE(QApplication::focusWidget(), box);
            if (name.contains("Col(")) { // a value field; 3 to 5 are hexadecimal
                editing = box;
                if (name.at(name.size() - 2) >= u'3')
                    typedHex.insert(box);
            }
            if (verb == "paste") {
                QApplication::clipboard()->setText(text);
                QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            }
            QTest::keyClick(box, verb == "paste" ? Qt::Key_V : Qt::Key_Backspace,
                            verb == "paste" ? Qt::ControlModifier : Qt::NoModifier);
            if (verb == "onekey") { // a dead key's composition, an emoji
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text, {});
            } else if (verb == "im") {
                QInputMethodEvent commit;
                commit.setCommitString(text);
                QApplication::sendEvent(box, &commit);
            } else if (verb == "edit") {
                for (QChar c : text)
                    QTest::sendKeyEvent(QTest::Click, box,
                                        c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode())
                                                           : Qt::Key_unknown,
                                        c, {});
            }
        } else if (verb == "tab") { // Tab until the control has the focus
            const auto holds = [&] {
                return get(name) == QApplication::focusWidget()
                    || get(name)->isAncestorOf(QApplication::focusWidget());
            };
            for (int i = 0; i < 60 && !holds(); ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(holds(), qPrintable(name));
        } else if (verb == "key") {
            const QKeyCombination key = QKeySequence::fromString(arg)[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        } else if (verb == "away") { // a menu, then another window, take the focus for a while
            for (Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
                QFocusEvent out(QEvent::FocusOut, reason), in(QEvent::FocusIn, reason);
                QApplication::sendEvent(QApplication::focusWidget(), &out);
                QApplication::sendEvent(QApplication::focusWidget(), &in);
            }
        } else if (verb == "answer") {
            answer = arg == "none" ? std::nullopt : std::optional(arg.toUInt(nullptr, 16));
        } else if (verb == "set") { // the output box is read-only: only code changes it
            get<TextBox>(name)->setPlainText(text);
            ownOutput = true;
        } else if (verb == "draw") {
            window.model().draw(GradientType(arg.toInt()));
            badType = true;
        }
        if (editing && QApplication::focusWidget() != editing)
            editing = nullptr;
        if (!editing)
            verifyWhole();
    }

    void check(const QString &what, const QString &value)
    {
        QWidget *focus = QApplication::focusWidget();
        QString shown;
        if (what == "centre")
            shown = QString::number(window.model().centre());
        else if (what == "recomputes") // by the last step
            shown = QString::number(lastRecomputes);
        else if (what == "focus")
            shown = focus->objectName();
        else if (what == "selected") // all of the box that has the focus
            shown =
                QString::number(focus->inputMethodQuery(Qt::ImCurrentSelection).toString().size()
                                == Text(focus).size());
        else if (what == "placeholder")
            shown = QString::number(text("txtHTML") == HtmlPlaceholder);
        else if (what == "clipboard")
            shown = QApplication::clipboard()->text() == text("txtHTML")
                ? "html"
                : QApplication::clipboard()->text();
        else if (what == "size")
            shown = QString::number(get("picGradText")->font().pointSizeF());
        else if (what == "asked") // the messages shown and the colours the dialog started from
            shown = asked.join(u'|');
        else if (what == "marked") // a dotted focus mark: black and white along the top
            shown = value.section(u' ', 0, 0) + u' '
                + QString::number(Dotted(target(value.section(u' ', 0, 0))->grab().toImage()));
        else if (what == "shown")
            shown = QString::number(window.isVisible());
        else if (what == "back")
            shown = QString::number(
                Shown(get("picGradText"), {1, get("picGradText")->height() - 1}), 16);
        else if (what.startsWith("panel")) { // the six texts of a panel, _ for an empty one
            QStringList texts;
            for (QLineEdit *field : window.colourPanel(what.back().digitValue()).fields)
                texts << (field->text().isEmpty() ? QStringLiteral("_") : field->text());
            shown = texts.join(u' ');
        } else
            shown = Text(get(what));
        QVERIFY2(shown == value, qPrintable(what + " shows " + shown + ", not " + value));
    }

    std::optional<ColourValue> answer;
    MainWindow window;
    QStringList asked;
    QWidget *editing = nullptr; // a value field typed into that has not been left
    QSet<QWidget *> typedHex;   // hexadecimal fields typed into
    QImage previews[3];         // the type previews at the last check
    bool upperCase = false;     // the tag options at the last 'Generate'
    bool noQuotes = false;
    bool ownOutput = false; // the output box holds a text of the test's own
    bool badType = false;   // the text preview was drawn with a type outside 1 to 3
    int recomputes = 0;     // of the model, all told
    int lastRecomputes = 0; // by the last step
};

void row(const char *name, const char16_t *steps)
{
    QTest::newRow(name) << QString::fromUtf16(steps);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data();
    void steps();
    void tenMegabytePaste();
    void stripes();
};

// clang-format off
void TestMainWindow::steps_data()
{
    QTest::addColumn<QString>("steps");
    row("start-up", u"is focus txtString; is selected 1; is centre 47; is Option1(0) true; is lblChars 90; is size 8; is placeholder 1; is panel1 255 70 30 FF 46 1E; is panel2 255 255 0 FF FF 0; is panel3 0 0 0 0 0 0");
    row("text: centre from its characters", u"paste txtString a\n\nbcd; is centre 2; key End; key Return; is txtString a\n\nbcd\n; key Backspace; key Shift+Return; is centre 2");
    row("text: blank", u"click lblGenerate; paste txtString   ; is placeholder 1; click lblGenerate; is txtHTML ; click lblBkDefCol(1); is txtHTML ; is back 0; click txtString; key Delete; is back 0; key X; is back ff");
    row("text: a line break alone", u"click lblBkDefCol(3); click txtString; key Ctrl+A; key Return; is back ff0000; click lblGenerate; is placeholder 0");
    row("type: options and previews", u"click Option1(1); is recomputes 1; is Option1(1) true; click Picture4(2); is Option1(2) true; rclick Picture4(1); is Option1(1) true; mclick Picture4(0); is Option1(0) true");
    row("type: the type already selected", u"click lblGenerate; click Picture4(0); is placeholder 0; click Option1(0); is placeholder 1");
    row("type: release on the third preview", u"click Option1(1); click lblGenerate; mclick Picture4(2); is placeholder 1; is Option1(2) true");
    row("type: outside 1 to 3", u"click lblBkDefCol(2); draw 4; is asked Error setting colors for gradient:4; is placeholder 1; is back ff00");
    row("per line", u"click lblGenerate; click lblPerLine; is recomputes 1; is chkPerLine true; is placeholder 1; click lblGenerate; click chkPerLine; is placeholder 1; is chkPerLine false");
    row("tag options wait for 'Generate'", u"click lblGenerate; click lblUpTags; click chkJSQuote; is placeholder 0; click lblGenerate; is chkUpTags true; click lblJSQuote; is chkJSQuote false");
    row("text size redraws the selected type", u"click Option1(1); click lblGenerate; paste txtSize 12.5; is size 12.5; is placeholder 1");
    row("centre: left drag", u"drag L -3; is centre 47; drag L 160; is centre 47; drag L 100; is centre 58; drag L 155; is centre 89; drag L 153; is centre 88; drag L 0; is centre 0");
    row("centre: right button", u"drag R 65; is centre 45; rclick Picture4(2); is centre 47");
    row("centre: no characters", u"click txtString; key Ctrl+A; key Delete; drag L 100; is centre 0");
    row("commit: 256", u"click lblGenerate; edit txtStCol(1) 256; is txtStCol(4) 46; is placeholder 0; key Tab; is recomputes 1; is panel1 255 255 30 FF FF 1E; is placeholder 1");
    row("commit: as typed", u"edit txtEndCol(2) 007; click txtHTML; is panel2 255 255 007 FF FF 7; edit txtEndCol(5) ff; key Tab; is panel2 255 255 255 FF FF ff; edit txtStCol(4) 0A; key Tab; is panel1 255 10 30 FF 0A 1E");
    row("commit: emptied, and in the background", u"click lblGenerate; edit txtBkCol(1) 128; key Tab; is panel3 0 128 0 0 80 0; is placeholder 1; edit txtStCol(1); key Tab; edit txtStCol(5); key Tab; is panel1 255 0 0 FF 0 0");
    row("commit: not on Enter, nor while away", u"edit txtStCol(0) 12; key Return; key Enter; key Left; away; is focus txtStCol(0); is selected 0; is txtStCol(3) FF; key Tab; is txtStCol(3) C");
    row("commit: typed back after a drawing, or left alone", u"edit txtStCol(0) 12; click lblBkDefCol(1); key Ctrl+A; key 2; key 5; key 5; key Tab; is recomputes 1; is panel1 255 70 30 FF 46 1E; click txtStCol(1); key Tab; is recomputes 0");
    row("presets, no focus taken", u"click txtEndCol(2); click lblStDefCol(1); is recomputes 1; click lblEndDefCol(3); click lblBkDefCol(2); click lblSwap; is focus txtEndCol(2); is panel1 0 0 255 0 0 FF; is panel2 255 0 0 FF 0 0; is panel3 0 255 0 0 FF 0");
    row("preset over the field being edited", u"edit txtStCol(0) 12; click lblStDefCol(4); is focus txtStCol(0); is panel1 255 255 255 FF FF FF; key Tab; is panel1 255 255 255 FF FF FF");
    row("swap, and back", u"click lblGenerate; click lblSwap; is recomputes 1; is panel1 255 255 0 FF FF 0; is panel2 255 70 30 FF 46 1E; is placeholder 1; click lblSwap; is panel1 255 70 30 FF 46 1E; dclick lblSwap; is panel1 255 255 0 FF FF 0");
    row("swap: fields being edited", u"edit txtStCol(2) 999; click lblSwap; is panel2 255 70 255 FF 46 FF; key Tab; edit txtStCol(2); click lblSwap; is panel2 255 255 _ FF FF 0");
    row("dialog", u"click lblGenerate; answer none; click picStartCol; answer 8000000F; click picEndCol; is placeholder 0; answer 563412; click picStartCol; is recomputes 1; is panel1 18 52 86 12 34 56; click picEndCol; is asked 1e46ff|ffff|1e46ff|ffff; answer FF0080; click picBackCol; is panel3 128 0 255 80 0 FF");
    row("send: nothing to send", u"click lblClipboard; is clipboard before; is focus picButton; click lblGenerate; click txtString; key X; click lblClipboard; is clipboard before; click txtString; key Ctrl+A; key Space; click lblGenerate; click lblClipboard; is focus txtHTML; is clipboard before");
    row("send: the generated HTML", u"click lblUpTags; click lblPerLine; click Option1(2); click lblGenerate; click lblClipboard; is clipboard html; is focus txtHTML; is selected 1");
    row("text: every line break", u"paste txtString a\r\nb\rc\u2028d\u2029e\nf; is recomputes 1; is lblChars 6; is centre 3; click lblGenerate; click lblClipboard; is clipboard html");
    row("send: marks and empty lines", u"paste txtString \n\u00e9t\u00e9 \U0001F600\n\nend; click lblGenerate; click lblClipboard; is clipboard html");
    row("send: the box's own text", u"set txtHTML HTML WILL BE GENERATED HERE WHEN YOU CLICK 'GENERATE'; click lblClipboard; is clipboard html; set txtHTML a\nb; click lblClipboard; is clipboard html");
    row("focus selects all", u"click txtStCol(0); key Tab; is focus txtStCol(3); is selected 1; key Backtab; key Backtab; is focus txtString; is selected 1; click txtHTML; is selected 1; click txtHTML; is selected 0");
    row("exit", u"click cmdExit; is shown 0");

    // The keyboard alone, with the key events a user's keys give.
    row("keys: presets and swap", u"tab lblStDefCol(1); key Space; is panel1 255 0 0 FF 0 0; tab lblEndDefCol(3); key Return; is panel2 0 0 255 0 0 FF; key X; key Ctrl+Space; tab lblBkDefCol(4); key Enter; is panel3 255 255 255 FF FF FF; tab lblSwap; key Space; is panel1 0 0 255 0 0 FF; is panel2 255 0 0 FF 0 0");
    row("keys: the colour dialog", u"answer 563412; tab picEndCol; key Space; is panel2 18 52 86 12 34 56; answer none; key Return; key X; is panel2 18 52 86 12 34 56; is asked ffff|563412");
    row("keys: type previews", u"click lblGenerate; tab Picture4(1); key Space; is Option1(1) true; is placeholder 1; tab Picture4(0); key Left; is Option1(1) true; key Return; is Option1(0) true");
    row("keys: the turning point", u"click lblGenerate; tab Picture4(2); key Right; is centre 48; is Option1(2) true; is placeholder 1; key Left; key Left; is centre 46; key Home; key Left; is centre 0; key End; key Right; is centre 90; key Ctrl+Left; key Up; is centre 90; key Menu; is centre 47; key Home; key Shift+F10; is centre 47");
    row("keys: the turning point without characters", u"click txtString; key Ctrl+A; key Delete; tab Picture4(2); key End; key Right; is centre 0; paste txtString ab\ncd; tab Picture4(2); key End; is centre 4; key Menu; is centre 3");
    row("keys: buttons", u"tab lblGenerate; key Return; is placeholder 0; tab lblClipboard; key Space; is clipboard html; is focus txtHTML; tab cmdExit; key Space; is shown 0");
    row("keys: the close mark", u"tab Label1; key Return; is shown 0");
    row("keys: Ctrl+Q", u"tab txtStCol(4); key Ctrl+Q; is shown 0");
    row("keys: focus marks", u"tab lblStDefCol(2); is marked lblStDefCol(2) 1; key Tab; is marked lblStDefCol(2) 0; click lblGenerate; is marked lblGenerate 0; key Space; is marked lblGenerate 1; tab Picture4(2); is marked Picture4(2) 1; is marked lblGenerate 0; tab picStartCol; is marked picStartCol 1");

    // The key filter: characters by how they arrive in a value field.
    row("decimal: keys, and paste", u"edit txtEndCol(1) a-2. F\u00e95 97; is txtEndCol(1) 259; key Backspace; is txtEndCol(1) 25; paste txtStCol(0) -x9; is txtStCol(0) -x9");
    row("hex: keys", u"edit txtStCol(3) g-x\u00e9\u0430aF1; is txtStCol(3) aF; key Backspace; is txtStCol(3) a");
    row("one key or an input method, several characters", u"onekey txtStCol(0) e\u0301; is txtStCol(0) ; onekey txtStCol(3) a\u0301; is txtStCol(3) a; onekey txtBkCol(1) \U0001F600; is txtBkCol(1) ; im txtStCol(0) 4\u00e92; is txtStCol(0) 42; im txtEndCol(4) xb\u00e9; is txtEndCol(4) b");

    // Junk where a user can put it: pasted into the value fields, the text size and the text.
    row("decimal", u"paste txtStCol(1) -5; paste txtEndCol(1) 1e400; paste txtBkCol(0) abc; paste txtStCol(2)   12; key Tab; is panel1 255 0   1 FF 0 1; is panel2 255 255 0 FF FF 0; is txtBkCol(0) abc; paste txtStCol(0) 0x1F; paste txtStCol(1) 1.5; key Tab; is panel1 0x1 1.5 1 0 2 1");
    row("hex", u"paste txtStCol(4) zz; paste txtEndCol(4) -5; paste txtBkCol(4) 1e; key Tab; is panel1 255 70 30 FF 46 1E; is panel2 255 0 0 FF 0 0; is panel3 0 30 0 0 1e 0");
    row("text size", u"paste txtSize 0; paste txtSize -1; paste txtSize 3x; paste txtSize 1e400; paste txtSize inf; paste txtSize 1,5; is size 8; paste txtSize 0.5; is size 1; paste txtSize 9999999; is size 400");
    row("text", u"paste txtString hi \U0001F44B\U0001F3FD \U0001F1EF\U0001F1F5 \U0001F468\u200D\U0001F4BB; is lblChars 8; click lblGenerate; paste txtString e\u0301\u0327 n\u0303\ta\n\tc; is lblChars 7; click lblGenerate");
}
// clang-format on

void TestMainWindow::steps()
{
    QFETCH(QString, steps);
    Window w;
    w.verifyWhole();
    for (const QString &step : steps.split(QStringLiteral("; "))) {
        w.run(step);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("at the step: " + step));
    }
}

void TestMainWindow::tenMegabytePaste()
{
    Window w;
    w.run("paste txtString "
          + QString("The quick brown fox jumps over the lazy dog.\n").repeated(230000));
    w.run("key Ctrl+End");
    w.run("key X"); // typing goes on
}

void TestMainWindow::stripes()
{
    // Shapes the window's texts do not give: a stripe a pixel wide or just under,
    // stripes far narrower than a pixel, a turning point past the end or before the start.
    const ColourTriplet from {255, 70, 30}, to {20, 255, 200};
    for (const StripeSettings &s :
         {test::Stripes(1, from, to, 155, 77), test::Stripes(2, from, to, 156, 78),
          test::Stripes(3, from, to, 100000, 31000), test::Stripes(3, from, to, 90, 120),
          test::Stripes(3, from, to, 90, -5)})
        QCOMPARE(StripeColumns(s, 155 * TwipsPerPixelX(), TwipsPerPixelX(), 155),
                 PaintedStripes(s));

    // Random previews against the plain painting: a column off by one stripe, or a
    // colour stepped past a turning point or a held component wrongly, shows here.
    // Widths are often whole twips, so edges fall on half pixels; a few counts run to
    // millions, so a column holds many thousand stripes.
    QRandomGenerator random(19);
    const auto colour = [&] {
        const auto component = [&] { return float(random.bounded(-6000, 32001)) / 100.0f; };
        // Now and then equal components, for a step of 0.
        return random.bounded(4) ? ColourTriplet {component(), component(), component()}
                                 : ColourTriplet {100, 100, 100};
    };
    for (int round = 0; round < 600; ++round) {
        const int spread = round % 20 == 0 ? 3000000 : round % 3 == 0 ? 5000 : 60;
        const qint32 count = random.bounded(1, spread + 1);
        const qint32 centre =
            round % 50 == 7 ? std::numeric_limits<qint32>::max() : random.bounded(-3, count + 4);
        const StripeSettings s = test::Stripes(random.bounded(1, 4), colour(), colour(), count,
                                               round % 10 == 1 ? 0 : centre);
        const int columns = random.bounded(1, 400);
        const double twipsPerPixel = QList {15.0, 12.0, 7.5, 20.0}[random.bounded(4)];
        const double width = round % 2 ? columns * twipsPerPixel
            : round % 17 == 0          ? 0.0
                                       : random.bounded(int(columns * twipsPerPixel * 1.5) + 1);
        QCOMPARE(StripeColumns(s, width, twipsPerPixel, columns),
                 PaintedStripes(s, columns, width, twipsPerPixel));
    }

    // The turning point at 0: the end colour at the left edge, falling from the first stripe on
    // by twice the step; four stripes 38.75 pixels wide start at columns 0, 39, 78 and 116.
    QCOMPARE(StripeColumns(test::Stripes(3, {0, 0, 0}, {120, 60, 240}, 4, 0),
                           155 * TwipsPerPixelX(), TwipsPerPixelX(), 155),
             QList<quint32>(39, 0xF03C78) + QList<quint32>(39, 0x501428) + QList<quint32>(77, 0));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
