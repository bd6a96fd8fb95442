// Junk where a user can put it: pasted into the value fields, the text size and
// the text itself. Every case ends in a sound value, and the HTML keeps every
// character of the text.

#include "engine/rounding.h"
#include "engine/valueoftext.h"
#include "mainwindow/mainwindow.h"
#include "platform/drawingsurface.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

using namespace huevane;

namespace {

// Replaces the whole text of @p box by @p text through the clipboard, as a user's paste.
void paste(QWidget *box, const QString &text)
{
    QApplication::clipboard()->setText(text);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

QString stripTags(QString html)
{
    static const QRegularExpression tag(QStringLiteral("<font color=\"#[0-9A-F]{6}\">(.*?)</font>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    return html.replace(tag, QStringLiteral("\\1"));
}

} // namespace

class tst_BadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void junkInValueFields_data();
    void junkInValueFields();
    void junkTextSizes_data();
    void junkTextSizes();
    void unusualTextKeepsEveryCharacter_data();
    void unusualTextKeepsEveryCharacter();
    void tenMegabytePaste();
};

void tst_BadInput::junkInValueFields_data()
{
    QTest::addColumn<QString>("junk");
    QTest::addColumn<QString>("decimal"); // what a decimal field keeps at the commit
    QTest::addColumn<QString>("hex");     // what its partner then shows
    QTest::addColumn<float>("value");     // what the colours read from it
    // The fields hold at most three characters, so a paste is cut to them.
    // clang-format off
    QTest::newRow("-5") << "-5" << "0" << "0" << 0.0f;
    QTest::newRow("1e400") << "1e400" << "255" << "FF" << 255.0f;
    QTest::newRow("abc") << "abc" << "abc" << "0" << 0.0f;
    QTest::newRow("  12") << "  12" << "  1" << "1" << 1.0f;
    QTest::newRow(" 12") << " 12" << " 12" << "C" << 12.0f;
    QTest::newRow("0x1F") << "0x1F" << "0x1" << "0" << 0.0f;
    QTest::newRow("1.5") << "1.5" << "1.5" << "2" << 1.5f;
    // clang-format on
}

void tst_BadInput::junkInValueFields()
{
    QFETCH(QString, junk);
    QFETCH(QString, decimal);
    QFETCH(QString, hex);
    QFETCH(float, value);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int p = 1; p <= 3; ++p) {
        const ColourPanel &panel = window.colourPanel(p);
        for (int i = 0; i < 6; ++i) {
            QLineEdit *field = panel.fields[i];
            paste(field, junk);
            QTest::keyClick(field, Qt::Key_Tab); // leaving the field commits it
            const QString where = QStringLiteral("panel %1 field %2").arg(p).arg(i);
            if (i < 3) {
                QVERIFY2(field->text() == decimal, qPrintable(where + ": " + field->text()));
                QCOMPARE(panel.fields[i + 3]->text(), hex);
                const GradientSettings &s = window.settings();
                const ColourTriplet &c = p == 1 ? s.startColour
                    : p == 2                    ? s.endColour
                                                : s.backColour;
                QCOMPARE(i == 0 ? c.red : i == 1 ? c.green : c.blue, value);
            }
            // Whatever was pasted, every decimal field reads as 0 to 255 and every
            // hexadecimal field shows that value, rounded.
            for (int row = 0; row < 3; ++row) {
                const double read = ValueOfText(panel.fields[row]->text());
                QVERIFY2(read >= 0 && read <= 255, qPrintable(where));
                bool ok = false;
                QCOMPARE(panel.fields[row + 3]->text().toInt(&ok, 16), RoundHalfEven(read));
                QVERIFY(ok);
            }
        }
    }
}

void tst_BadInput::junkTextSizes_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("points"); // the preview's font size afterwards
    QTest::newRow("0") << "0" << 8.0;
    QTest::newRow("-1") << "-1" << 8.0;
    QTest::newRow("1e400") << "1e400" << 8.0;
    QTest::newRow("abc") << "abc" << 8.0;
    QTest::newRow("8x") << "8x" << 8.0;
    QTest::newRow("9999999 is capped") << "9999999" << 400.0;
    QTest::newRow("12.5") << "12.5" << 12.5;
}

void tst_BadInput::junkTextSizes()
{
    QFETCH(QString, size);
    QFETCH(double, points);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *txtSize = window.findChild<QLineEdit *>(QStringLiteral("txtSize"));
    auto *preview = window.findChild<DrawingSurface *>(QStringLiteral("picGradText"));
    QVERIFY(txtSize && preview);
    paste(txtSize, size);
    QCOMPARE(preview->font().pointSizeF(), points);
    // The preview is still drawn: the first character in its colour's neighbourhood.
    QVERIFY(!window.settings().charColours.isEmpty());
}

void tst_BadInput::unusualTextKeepsEveryCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("characters");
    QTest::newRow("emoji and flags")
        << QString::fromUtf8("hi \xF0\x9F\x91\x8B\xF0\x9F\x8F\xBD \xF0\x9F\x87\xAF\xF0"
                             "\x9F\x87\xB5 \xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x92\xBB")
        << 8;
    QTest::newRow("combining marks") << QString::fromUtf8("e\xCC\x81\xCC\xA7 n\xCC\x83") << 3;
    QTest::newRow("right to left")
        << QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xD8\xB3\xD9\x84\xD8\xA7"
                             "\xD9\x85")
        << 9;
    QTest::newRow("tabs and lines") << "a\tb\n\tc" << 5;
}

void tst_BadInput::unusualTextKeepsEveryCharacter()
{
    QFETCH(QString, text);
    QFETCH(int, characters);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *txtString = window.findChild<QPlainTextEdit *>(QStringLiteral("txtString"));
    auto *lblChars = window.findChild<QLabel *>(QStringLiteral("lblChars"));
    QVERIFY(txtString && lblChars);
    paste(txtString, text);
    QCOMPARE(lblChars->text(), QString::number(characters));

    window.generate();
    auto *txtHTML = window.findChild<QPlainTextEdit *>(QStringLiteral("txtHTML"));
    QString expected = text;
    expected.replace(u'\n', QStringLiteral("<br>\n"));
    QCOMPARE(stripTags(txtHTML->toPlainText()), expected + QStringLiteral("<br>\n"));
}

void tst_BadInput::tenMegabytePaste()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *txtString = window.findChild<QPlainTextEdit *>(QStringLiteral("txtString"));
    auto *lblChars = window.findChild<QLabel *>(QStringLiteral("lblChars"));
    QString line = QStringLiteral("The quick brown fox jumps over the lazy dog. ");
    line = line.repeated(2).left(98);
    QString text = (line + QStringLiteral("\n")).repeated(10 * 1024 * 1024 / 100);
    text.chop(1);
    const int characters = text.size() - text.count(u'\n');

    paste(txtString, text);
    QCOMPARE(lblChars->text(), QString::number(characters));
    QCOMPARE(window.settings().charColours.size(), characters);
    // Typing goes on: one more character is counted and coloured.
    txtString->moveCursor(QTextCursor::End);
    QTest::keyClick(txtString, Qt::Key_X);
    QCOMPARE(lblChars->text(), QString::number(characters + 1));
    QCOMPARE(window.settings().charColours.size(), characters + 1);
}

QTEST_MAIN(tst_BadInput)
#include "tst_badinput.moc"
