#include "engine/charcolours.h"
#include "engine/htmlwriter.h"

#include <QRegularExpression>
#include <QTest>

using namespace huevane;

namespace {

GradientSettings computed(const QString &text, ColourTriplet start = {255, 0, 0},
                          ColourTriplet end = {0, 0, 255}, bool upperCase = false,
                          bool noQuotes = false)
{
    GradientSettings settings;
    SetText(settings, text);
    settings.startColour = start;
    settings.endColour = end;
    settings.upperCaseTags = upperCase;
    settings.noQuotes = noQuotes;
    ComputeCharColours(settings);
    return settings;
}

// The text back from the HTML: tags removed, each "<br>" CR LF a line end.
QString stripTags(const QString &html)
{
    static const QRegularExpression tag(
        QStringLiteral("<(font|FONT) (color|COLOR)=\"?#[0-9A-F]{6}\"?>(.*?)</(font|FONT)>"),
        QRegularExpression::DotMatchesEverythingOption);
    QString text = html;
    text.replace(tag, QStringLiteral("\\3"));
    return text;
}

} // namespace

class tst_HtmlWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void output_data();
    void output();
    void hexDigits();
    void tagsRemovedGiveTheTextBack_data();
    void tagsRemovedGiveTheTextBack();
    void blankTextWritesNothing_data();
    void blankTextWritesNothing();
    void coloursNotComputedWriteNothing();
    void writesTheLastComputedColours();
};

void tst_HtmlWriter::output_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("upperCase");
    QTest::addColumn<bool>("noQuotes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("abc") << "abc" << false << false
                         << "<font color=\"#FF0000\">a</font><font color=\"#800080\">b</font>"
                            "<font color=\"#0000FF\">c</font><br>\r\n";
    QTest::newRow("upper case, no quotes, br stays lower")
        << "abc" << true << true
        << "<FONT COLOR=#FF0000>a</FONT><FONT COLOR=#800080>b</FONT>"
           "<FONT COLOR=#0000FF>c</FONT><br>\r\n";
    QTest::newRow("upper case with quotes")
        << "a" << true << false << "<FONT COLOR=\"#FF0000\">a</FONT><br>\r\n";
    QTest::newRow("two lines") << "ab\r\nc" << false << true
                               << "<font color=#FF0000>a</font><font color=#800080>b</font><br>\r\n"
                                  "<font color=#0000FF>c</font><br>\r\n";
    QTest::newRow("empty middle line")
        << "ab\r\n\r\ncd" << false << true
        << "<font color=#FF0000>a</font><font color=#AA0055>b</font><br>\r\n"
           "<br>\r\n"
           "<font color=#5500AA>c</font><font color=#0000FF>d</font><br>\r\n";
    QTest::newRow("final line break makes no line")
        << "ab\r\n"
        << false << true << "<font color=#FF0000>a</font><font color=#0000FF>b</font><br>\r\n";
    QTest::newRow("nothing escaped")
        << "<&\"\t" << false << true
        << "<font color=#FF0000><</font><font color=#AA0055>&</font>"
           "<font color=#5500AA>\"</font><font color=#0000FF>\t</font><br>\r\n";
    QTest::newRow("line breaks only") << "\r\n" << false << false << "<br>\r\n";
    // A character is one grapheme cluster: an emoji is never split across tags.
    QTest::newRow("emoji in one tag")
        << QString::fromUtf8("\xF0\x9F\x98\x80!") << false << true
        << QString::fromUtf8("<font color=#FF0000>\xF0\x9F\x98\x80</font>"
                             "<font color=#0000FF>!</font><br>\r\n");
}

void tst_HtmlWriter::output()
{
    QFETCH(QString, text);
    QFETCH(bool, upperCase);
    QFETCH(bool, noQuotes);
    QFETCH(QString, expected);
    QCOMPARE(GenerateHtml(computed(text, {255, 0, 0}, {0, 0, 255}, upperCase, noQuotes)), expected);
}

void tst_HtmlWriter::hexDigits()
{
    // Bytes 0 and 10 are written 00 and 0A, upper-case digits even with lower-case tags.
    QCOMPARE(GenerateHtml(computed("x", {10, 0, 171}, {0, 0, 0})),
             QStringLiteral("<font color=\"#0A00AB\">x</font><br>\r\n"));
}

void tst_HtmlWriter::tagsRemovedGiveTheTextBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("upperCase");
    QTest::addColumn<bool>("noQuotes");
    QTest::newRow("sample") << "Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\n"
                               "Try it out - it's even more fun!!!"
                            << false << false;
    QTest::newRow("markup characters") << "<b>&amp;</b> \"q\" 'a'\r\n\t<br>" << true << false;
    QTest::newRow("right to left and marks") << QString::fromUtf8(
        "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xD8\xB9\xD9\x8E\xD8\xB1\xD9\x8E\xD8\xA8\xD9\x90\xD9\x8A")
                                             << false << true;
    QTest::newRow("emoji and flags") << QString::fromUtf8(
        "\xF0\x9F\x87\xAF\xF0\x9F\x87\xB5 \xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD\r\n\r\nok")
                                     << true << true;
}

void tst_HtmlWriter::tagsRemovedGiveTheTextBack()
{
    QFETCH(QString, text);
    QFETCH(bool, upperCase);
    QFETCH(bool, noQuotes);
    const GradientSettings settings = computed(text, {1, 2, 3}, {250, 128, 9}, upperCase, noQuotes);
    const QString html = GenerateHtml(settings);
    QCOMPARE(html.count(upperCase ? QStringLiteral("</FONT>") : QStringLiteral("</font>")),
             settings.totalChars);
    QString expected = text;
    if (!expected.endsWith(QStringLiteral("\r\n")))
        expected += QStringLiteral("\r\n");
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("<br>\r\n"));
    QCOMPARE(stripTags(html), expected);
}

void tst_HtmlWriter::blankTextWritesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("spaces") << "    ";
}

void tst_HtmlWriter::blankTextWritesNothing()
{
    QFETCH(QString, text);
    // Colours are never computed for a blank text, so none may be written, not
    // even entries left over from an earlier text.
    GradientSettings settings = computed("an earlier text");
    QVERIFY(!GenerateHtml(settings).isEmpty());
    SetText(settings, text);
    QCOMPARE(GenerateHtml(settings), QString());
    ComputeCharColours(settings);
    QCOMPARE(GenerateHtml(settings), QString());
}

void tst_HtmlWriter::coloursNotComputedWriteNothing()
{
    GradientSettings settings;
    SetText(settings, QStringLiteral("abc"));
    QCOMPARE(GenerateHtml(settings), QString());
    settings.gradientType = 7;
    QVERIFY(!ComputeCharColours(settings));
    QCOMPARE(GenerateHtml(settings), QString());
}

void tst_HtmlWriter::writesTheLastComputedColours()
{
    // Generation never recomputes: a change of colour shows at the next computation.
    GradientSettings settings = computed("ab", {0, 0, 0}, {0, 0, 0});
    settings.startColour = {255, 255, 255};
    QCOMPARE(
        GenerateHtml(settings),
        QStringLiteral("<font color=\"#000000\">a</font><font color=\"#000000\">b</font><br>\r\n"));
}

QTEST_APPLESS_MAIN(tst_HtmlWriter)
#include "tst_htmlwriter.moc"
