#include "mainwindow/valuefields.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace huevane;

namespace {

// A window with a value field of each kind between two plain line edits, so the
// focus has somewhere to come from and to go to.
class Fields
{
public:
    Fields()
    {
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *box : std::initializer_list<QWidget *> {before, decimal, hex, plain, after})
            layout->addWidget(box);
        decimal->setMaxLength(3);
        hex->setMaxLength(2);
        decimalFilter = new ValueFieldFilter(decimal, ValueFieldKind::Decimal);
        hexFilter = new ValueFieldFilter(hex, ValueFieldKind::Hexadecimal);
        new SelectAllOnFocus(plain);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window did not become active");
    }

    QLineEdit *field(ValueFieldKind kind) const
    {
        return kind == ValueFieldKind::Decimal ? decimal : hex;
    }

    // Gives @p edit the focus from the field before it by the Tab key.
    static void tabInto(QWidget *edit)
    {
        QWidget *previous = edit->previousInFocusChain();
        previous->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(previous, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), edit);
    }

    QWidget window;
    QLineEdit *before = new QLineEdit(QStringLiteral("before"));
    QLineEdit *decimal = new QLineEdit;
    QLineEdit *hex = new QLineEdit;
    QLineEdit *after = new QLineEdit(QStringLiteral("after"));
    QPlainTextEdit *plain = new QPlainTextEdit(QStringLiteral("first line\nsecond line"));
    ValueFieldFilter *decimalFilter = nullptr;
    ValueFieldFilter *hexFilter = nullptr;
};

// How typed text reaches a field: a key per character, all of it from one key
// (a dead key's composition, an emoji), or committed by an input method.
enum class Delivery { Keys, OneKey, InputMethod };

// Types @p text into @p widget, letters beyond ASCII too.
void Type(QWidget *widget, const QString &text, Delivery how = Delivery::Keys)
{
    if (how == Delivery::OneKey) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
        return;
    }
    if (how == Delivery::InputMethod) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(widget, &commit);
        return;
    }
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(widget, QString(c));
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
    }
}

bool AllSelected(QWidget *box)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->selectionStart() == 0 && line->selectedText() == line->text()
            && line->cursorPosition() == line->text().size();
    auto *plain = qobject_cast<QPlainTextEdit *>(box);
    const QTextCursor cursor = plain->textCursor();
    return cursor.anchor() == 0 && cursor.position() == plain->document()->characterCount() - 1;
}

} // namespace

Q_DECLARE_METATYPE(ValueFieldKind)
Q_DECLARE_METATYPE(Delivery)

class TestValueFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rangeCheckedText_data();
    void rangeCheckedText();
    void hexValue_data();
    void hexValue();
    void hexText_data();
    void hexText();
    void typedCharacters_data();
    void typedCharacters();
    void editingKeysAndPasteAreNotFiltered_data();
    void editingKeysAndPasteAreNotFiltered();
    void enterNeverCommits();
    void focusLostOnlyWhenTheFocusMovesOn();
    void selectAllOnFocus_data();
    void selectAllOnFocus();
    void focusFromReactivationKeepsTheCursor();
};

void TestValueFields::rangeCheckedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("checked");

    const auto row = [](const char *name, const char *text, const char *checked) {
        QTest::newRow(name) << QString(text) << QString(checked);
    };
    row("empty becomes 0", "", "0");
    row("above 255", "300", "255");
    row("256", "256", "255");
    row("255 stays", "255", "255");
    row("below 0", "-1", "0");
    row("leading zeros stay", "007", "007");
    row("fraction above 255", "255.5", "255");
    row("not a number stays", "ff", "ff");
    row("minus alone stays", "-", "-");
    row("exponent", "3e2", "255");
    row("blank stays", " ", " ");
}

void TestValueFields::rangeCheckedText()
{
    QFETCH(QString, text);
    QFETCH(QString, checked);
    QCOMPARE(RangeCheckedText(text), checked);
}

void TestValueFields::hexValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<quint32>("value");

    QTest::newRow("lower case") << "ff" << true << 255u;
    QTest::newRow("upper case") << "FF" << true << 255u;
    QTest::newRow("leading zero") << "0A" << true << 10u;
    QTest::newRow("one digit") << "7" << true << 7u;
    QTest::newRow("zero") << "0" << true << 0u;
    QTest::newRow("eight digits") << "FFFFFFFF" << true << 0xFFFFFFFFu;
    QTest::newRow("nine digits") << "100000000" << false << 0u;
    QTest::newRow("empty") << "" << false << 0u;
    QTest::newRow("letter past F") << "g1" << false << 0u;
    QTest::newRow("minus") << "-1" << false << 0u;
    QTest::newRow("plus") << "+1" << false << 0u;
    QTest::newRow("blank before") << " 1" << false << 0u;
    QTest::newRow("prefix") << "0x1" << false << 0u;
    QTest::newRow("full-width digit") << QString(QChar(0xFF11)) << false << 0u;
}

void TestValueFields::hexValue()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(quint32, value);
    const std::optional<quint32> read = HexValue(text);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(*read, value);
}

void TestValueFields::hexText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("255") << 255.0 << "FF";
    QTest::newRow("10") << 10.0 << "A";
    QTest::newRow("0") << 0.0 << "0";
    QTest::newRow("70") << 70.0 << "46";
    QTest::newRow("half rounds to even, down") << 2.5 << "2";
    QTest::newRow("half rounds to even, up") << 3.5 << "4";
    QTest::newRow("above 255") << 300.0 << "FF";
    QTest::newRow("below 0") << -4.0 << "0";
}

void TestValueFields::hexText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(HexText(value), text);
}

void TestValueFields::typedCharacters_data()
{
    QTest::addColumn<ValueFieldKind>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Delivery>("how");

    const auto row = [](const char *name, ValueFieldKind kind, const QString &typed,
                        const char *text, Delivery how = Delivery::Keys) {
        QTest::newRow(name) << kind << typed << QString(text) << how;
    };
    const ValueFieldKind decimal = ValueFieldKind::Decimal;
    const ValueFieldKind hex = ValueFieldKind::Hexadecimal;
    row("decimal: digits", decimal, "129", "129");
    row("decimal: letters refused", decimal, "1aF2", "12");
    row("decimal: minus refused", decimal, "-5", "5");
    row("decimal: point and blank refused", decimal, "2.5 ", "25");
    row("decimal: at most three", decimal, "12345", "123");
    row("hex: letters keep their case", hex, "aF", "aF");
    row("hex: g refused", hex, "g1", "1");
    row("hex: minus refused", hex, "-e", "e");
    row("hex: other letters refused", hex, "xyz0", "0");
    row("hex: at most two", hex, "abc", "ab");
    row("hex: non-Latin letter refused", hex, QStringLiteral("\u00e9\u0430b"), "b");
    // Each character that arrives together is judged on its own.
    row("decimal: accent composed in one key", decimal, QStringLiteral("e\u0301"), "",
        Delivery::OneKey);
    row("hex: letter and accent in one key", hex, QStringLiteral("a\u0301"), "a", Delivery::OneKey);
    row("decimal: emoji key", decimal, QStringLiteral("\U0001F600"), "", Delivery::OneKey);
    row("decimal: input method", decimal, QStringLiteral("4\u00e92"), "42", Delivery::InputMethod);
}

void TestValueFields::typedCharacters()
{
    QFETCH(ValueFieldKind, kind);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(Delivery, how);
    Fields f;
    QLineEdit *field = f.field(kind);
    field->setFocus();
    Type(field, typed, how);
    QCOMPARE(field->text(), text);

    // Backspace passes in both kinds.
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), text.left(text.size() - 1));
}

void TestValueFields::editingKeysAndPasteAreNotFiltered_data()
{
    QTest::addColumn<ValueFieldKind>("kind");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *name, ValueFieldKind kind, const char *pasted,
                        const char *text) {
        QTest::newRow(name) << kind << QString(pasted) << QString(text);
    };
    row("decimal: minus and letters", ValueFieldKind::Decimal, "-x9", "-x9");
    row("decimal: cut at three", ValueFieldKind::Decimal, "hello", "hel");
    row("hex: blank and g", ValueFieldKind::Hexadecimal, " g", " g");
    row("hex: cut at two", ValueFieldKind::Hexadecimal, "-15", "-1");
}

void TestValueFields::editingKeysAndPasteAreNotFiltered()
{
    QFETCH(ValueFieldKind, kind);
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    Fields f;
    QLineEdit *field = f.field(kind);
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("12"));
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->text(), QStringLiteral("2"));
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClicks(field, QStringLiteral("0"));
    QCOMPARE(field->text(), QStringLiteral("02"));

    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text(), text);
}

void TestValueFields::enterNeverCommits()
{
    Fields f;
    QSignalSpy left(f.decimalFilter, &ValueFieldFilter::focusLost);
    QSignalSpy returned(f.decimal, &QLineEdit::returnPressed);
    f.decimal->setFocus();
    QTest::keyClicks(f.decimal, QStringLiteral("4"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(f.decimal, key);
        QTest::keyClick(f.decimal, key, Qt::KeypadModifier);
    }
    QCOMPARE(left.count(), 0);
    QCOMPARE(returned.count(), 0);
    QCOMPARE(f.decimal->text(), QStringLiteral("4"));
    QCOMPARE(QApplication::focusWidget(), f.decimal);
}

void TestValueFields::focusLostOnlyWhenTheFocusMovesOn()
{
    Fields f;
    QSignalSpy decimalLeft(f.decimalFilter, &ValueFieldFilter::focusLost);
    QSignalSpy hexLeft(f.hexFilter, &ValueFieldFilter::focusLost);
    Fields::tabInto(f.decimal);

    // A menu of the field, or another window, takes the focus only for a while.
    for (Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(f.decimal, &out);
    }
    QCOMPARE(decimalLeft.count(), 0);

    QTest::keyClick(f.decimal, Qt::Key_Tab);
    QCOMPARE(decimalLeft.count(), 1);
    QCOMPARE(QApplication::focusWidget(), f.hex);
    QTest::mouseClick(f.after, Qt::LeftButton);
    QCOMPARE(hexLeft.count(), 1);
    QCOMPARE(decimalLeft.count(), 1);
}

void TestValueFields::selectAllOnFocus_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("how");

    for (const char *box : {"decimal", "hex", "plain"}) {
        for (const char *how : {"tab", "backtab", "click", "code"})
            QTest::addRow("%s by %s", box, how) << box << how;
    }
}

void TestValueFields::selectAllOnFocus()
{
    QFETCH(QString, box);
    QFETCH(QString, how);
    Fields f;
    f.decimal->setText(QStringLiteral("123"));
    f.hex->setText(QStringLiteral("aB"));
    QWidget *target = box == "decimal" ? static_cast<QWidget *>(f.decimal)
        : box == "hex"                 ? static_cast<QWidget *>(f.hex)
                                       : f.plain;
    QWidget *clickTarget = target == f.plain ? f.plain->viewport() : target;

    if (how == "tab") {
        Fields::tabInto(target);
    } else if (how == "backtab") {
        QWidget *next = target->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        next->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    } else if (how == "click") {
        f.before->setFocus();
        QTest::mouseClick(clickTarget, Qt::LeftButton, {}, QPoint(4, 6));
    } else {
        f.before->setFocus();
        target->setFocus();
    }
    QCOMPARE(QApplication::focusWidget(), target);
    QVERIFY(AllSelected(target));

    // Typing replaces the whole text.
    QTest::keyClicks(target, QStringLiteral("9"));
    const QString text =
        target == f.plain ? f.plain->toPlainText() : qobject_cast<QLineEdit *>(target)->text();
    QCOMPARE(text, QStringLiteral("9"));

    // Once in the box, a click places the insertion point as usual.
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::mouseClick(clickTarget, Qt::LeftButton, {}, QPoint(2, 6));
    QVERIFY(!AllSelected(target));
}

void TestValueFields::focusFromReactivationKeepsTheCursor()
{
    Fields f;
    f.decimal->setFocus();
    f.decimal->setText(QStringLiteral("123"));
    f.decimal->setCursorPosition(1);
    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(f.decimal, &in);
    QVERIFY(!f.decimal->hasSelectedText());
    QCOMPARE(f.decimal->cursorPosition(), 1);
}

QTEST_MAIN(TestValueFields)
#include "tst_valuefields.moc"
