#include "engine/characters.h"
#include "engine/colour.h"
#include "engine/gradientsettings.h"
#include "engine/rounding.h"

#include <QTest>

using namespace huevane;

namespace {

QStringList pieces(QStringView source, const QList<TextSpan> &spans)
{
    QStringList result;
    for (const TextSpan &span : spans)
        result.append(span.in(source).toString());
    return result;
}

QStringList lines(const GradientSettings &settings)
{
    QStringList result;
    for (qsizetype i = 0; i < settings.lines.size(); ++i)
        result.append(settings.line(i).toString());
    return result;
}

const QString sampleText =
    QStringLiteral("Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\n"
                   "Try it out - it's even more fun!!!");

} // namespace

class tst_GradientSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void parseLeavesListUntouchedOnEmptySource();
    void setText_data();
    void setText();
    void setTextDropsOldColours();
    void roundHalfEven_data();
    void roundHalfEven();
    void packColour();
    void wholeTextLength_data();
    void wholeTextLength();
    void blankText_data();
    void blankText();
};

void tst_GradientSettings::parse_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QStringList>("expected");

    const QString crlf = QStringLiteral("\r\n");
    QTest::newRow("two pieces") << "a\r\nb" << crlf << QStringList {"a", "b"};
    QTest::newRow("final delimiter makes no empty piece") << "ab\r\n" << crlf << QStringList {"ab"};
    QTest::newRow("leading delimiter") << "\r\nb" << crlf << QStringList {"", "b"};
    QTest::newRow("two delimiters in a row") << "a\r\n\r\nb" << crlf << QStringList {"a", "", "b"};
    QTest::newRow("delimiter only") << "\r\n" << crlf << QStringList {""};
    QTest::newRow("delimiter twice") << "\r\n\r\n" << crlf << QStringList {"", ""};
    QTest::newRow("lone CR and LF stay inside") << "a\rb\nc" << crlf << QStringList {"a\rb\nc"};
    QTest::newRow("case matters") << "aXbxc"
                                  << "x" << QStringList {"aXb", "c"};
    QTest::newRow("longer delimiter") << "one--two----three"
                                      << "--" << QStringList {"one", "two", "", "three"};
}

void tst_GradientSettings::parse()
{
    QFETCH(QString, source);
    QFETCH(QString, delimiter);
    QFETCH(QStringList, expected);

    QList<TextSpan> spans {TextSpan {}, TextSpan {}, TextSpan {}, TextSpan {}, TextSpan {}};
    Parse(source, spans, delimiter);
    QCOMPARE(pieces(source, spans), expected);
}

void tst_GradientSettings::parseLeavesListUntouchedOnEmptySource()
{
    const QList<TextSpan> before {TextSpan {3, 4}, TextSpan {9, 1}};
    QList<TextSpan> spans = before;
    Parse(u"", spans, u"\r\n");
    QCOMPARE(spans, before);
}

void tst_GradientSettings::setText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expectedLines");
    QTest::addColumn<int>("totalChars");
    QTest::addColumn<int>("centre");

    QTest::newRow("sample") << sampleText
                            << QStringList {"Sample Text For Gradient Demo",
                                            "This time it's multiline!!!",
                                            "Try it out - it's even more fun!!!"}
                            << 90 << 45;
    QTest::newRow("empty text is one empty line") << "" << QStringList {""} << 0 << 0;
    QTest::newRow("CR LF only") << "\r\n" << QStringList {""} << 0 << 0;
    QTest::newRow("CR LF twice") << "\r\n\r\n" << QStringList {"", ""} << 0 << 0;
    QTest::newRow("5 characters, 2.5 rounds to 2") << "abcde" << QStringList {"abcde"} << 5 << 2;
    QTest::newRow("7 characters, 3.5 rounds to 4")
        << "abcdefg" << QStringList {"abcdefg"} << 7 << 4;
    QTest::newRow("one character, 0.5 rounds to 0") << "x" << QStringList {"x"} << 1 << 0;
    QTest::newRow("tab and lone CR count") << "a\tb\rc" << QStringList {"a\tb\rc"} << 5 << 2;
    // One character is what a reader sees as one.
    QTest::newRow("surrogate pair")
        << QString::fromUtf8("a\xF0\x9F\x98\x80z")
        << QStringList {QString::fromUtf8("a\xF0\x9F\x98\x80z")} << 3 << 2;
    QTest::newRow("combining marks")
        << QString::fromUtf8("e\xCC\x81\xCC\xA7x")
        << QStringList {QString::fromUtf8("e\xCC\x81\xCC\xA7x")} << 2 << 1;
    QTest::newRow("ZWJ family") << QString::fromUtf8(
        "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80"
        "\x8D\xF0\x9F\x91\xA7!")
                                << QStringList {QString::fromUtf8(
                                       "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91"
                                       "\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7!")}
                                << 2 << 1;
    QTest::newRow("flags")
        << QString::fromUtf8("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7")
        << QStringList {QString::fromUtf8("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\xF0\x9F\x87"
                                          "\xAB\xF0\x9F\x87\xB7")}
        << 2 << 1;
    // Regional indicators pair up from the start of their run, whatever stands before it.
    QTest::newRow("flag after an emoji")
        << QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA")
        << QStringList {QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x87\xA9\xF0"
                                          "\x9F\x87\xAA")}
        << 2 << 1;
    QTest::newRow("flag after a heart and a letter")
        << QString::fromUtf8("\xE2\x9D\xA4"
                             "a\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA")
        << QStringList {QString::fromUtf8("\xE2\x9D\xA4"
                                          "a\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA")}
        << 3 << 2;
    QTest::newRow("three indicators after an emoji")
        << QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\xF0\x9F\x87\xAB")
        << QStringList {QString::fromUtf8(
               "\xF0\x9F\x98\x80\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\xF0\x9F\x87\xAB")}
        << 3 << 2;
    QTest::newRow("flag with a mark after an emoji")
        << QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\xCC\x81x")
        << QStringList {QString::fromUtf8(
               "\xF0\x9F\x98\x80\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\xCC\x81x")}
        << 3 << 2;
    QTest::newRow("lone indicator then a letter")
        << QString::fromUtf8("\xF0\x9F\x87\xA9z")
        << QStringList {QString::fromUtf8("\xF0\x9F\x87\xA9z")} << 2 << 1;
}

void tst_GradientSettings::setText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expectedLines);
    QFETCH(int, totalChars);
    QFETCH(int, centre);

    GradientSettings settings;
    settings.centre = 1234;
    SetText(settings, text);
    QCOMPARE(settings.text, text);
    QCOMPARE(lines(settings), expectedLines);
    QCOMPARE(settings.totalChars, totalChars);
    QCOMPARE(settings.centre, centre);
}

void tst_GradientSettings::setTextDropsOldColours()
{
    // Entries refer into the text: ones left from an earlier text would point at
    // characters that are no longer there.
    GradientSettings settings;
    SetText(settings, QStringLiteral("a long first text"));
    settings.charColours.append(CharColour {15, 1, 1, 2, 3});
    SetText(settings, QStringLiteral("ab"));
    QVERIFY(settings.charColours.isEmpty());
}

void tst_GradientSettings::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("127.5") << 127.5 << 128;
    QTest::newRow("112.5") << 112.5 << 112;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("saturates high") << 1e12 << 2147483647;
    QTest::newRow("saturates low") << -1e12 << int(-2147483648LL);
    QTest::newRow("NaN") << qQNaN() << 0;
}

void tst_GradientSettings::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(RoundHalfEven(value), expected);
    if (value >= 0 && value <= 255)
        QCOMPARE(int(RoundComponent(float(value))), expected);
}

void tst_GradientSettings::packColour()
{
    QCOMPARE(PackColour(255, 70, 30), 0x001E46FFu);
    QCOMPARE(PackColour(0, 0, 255), 0x00FF0000u);
    // Out-of-range components never spill into a neighbour's byte.
    QCOMPARE(PackColour(300, -5, 256), 0x00FF00FFu);
    QCOMPARE(PackColour(ColourTriplet {127.5f, 2.5f, 999.0f}), 0x00FF0280u);
}

void tst_GradientSettings::wholeTextLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("length");

    QTest::newRow("sample text") << sampleText << qint64(94);
    QTest::newRow("empty") << QString() << qint64(0);
    QTest::newRow("line break at the end counts") << QStringLiteral("ab\r\n") << qint64(4);
    QTest::newRow("empty lines") << QStringLiteral("\r\n\r\nx") << qint64(5);
    QTest::newRow("accent is part of its letter") << QStringLiteral("e\u0301\r\nab") << qint64(5);
}

void tst_GradientSettings::wholeTextLength()
{
    QFETCH(QString, text);
    QFETCH(qint64, length);
    GradientSettings settings;
    SetText(settings, text);
    QCOMPARE(WholeTextLength(settings), length);
}

void tst_GradientSettings::blankText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("blank");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("spaces") << "   " << true;
    QTest::newRow("tab") << " \t " << false;
    QTest::newRow("line break") << "\r\n" << false;
    QTest::newRow("letter") << "  a " << false;
    QTest::newRow("no-break space") << QString(QChar(0xA0)) << false;
}

void tst_GradientSettings::blankText()
{
    QFETCH(QString, text);
    QFETCH(bool, blank);
    QCOMPARE(IsBlankText(text), blank);
}

QTEST_APPLESS_MAIN(tst_GradientSettings)
#include "tst_gradientsettings.moc"
