#include "engine/charcolours.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace huevane;

namespace {

using Rgb = std::array<int, 3>;

GradientSettings makeSettings(const QString &text, int type, ColourTriplet start, ColourTriplet end,
                              bool perLine = false, std::optional<int> centre = std::nullopt)
{
    GradientSettings settings;
    SetText(settings, text);
    settings.gradientType = static_cast<quint8>(type);
    settings.startColour = start;
    settings.endColour = end;
    settings.perLine = perLine;
    if (centre)
        settings.centre = *centre;
    return settings;
}

QList<int> reds(const GradientSettings &settings)
{
    QList<int> result;
    for (const CharColour &c : settings.charColours)
        result.append(c.red);
    return result;
}

QList<Rgb> colours(const GradientSettings &settings)
{
    QList<Rgb> result;
    for (const CharColour &c : settings.charColours)
        result.append(Rgb {c.red, c.green, c.blue});
    return result;
}

QStringList characters(const GradientSettings &settings)
{
    QStringList result;
    for (const CharColour &c : settings.charColours)
        result.append(c.character(settings.text).toString());
    return result;
}

constexpr ColourTriplet black {0, 0, 0};

// A stored float: the volatile keeps the optimiser from using the double instead.
float stored(double value)
{
    volatile float f = static_cast<float>(value);
    return f;
}

// One component of a type 3 gradient, worked out character by character.
QList<int> riseAndFall(const QList<int> &lengths, int total, int centre, bool perLine, float from,
                       float to)
{
    QList<int> out;
    float current = from;
    int k = 0;
    for (int i = 0; i < lengths.size(); ++i) {
        if (lengths[i] == 0)
            continue;
        const float n = perLine ? lengths[i] : total;
        const int c = perLine ? int(std::nearbyint(double(lengths[i]) / total * centre)) : centre;
        const float step = stored((double(to) - from) / (n > 1 ? n - 1.0 : n));
        const float up = stored(n / (c == 0 ? 1.0 : c));
        const double d = n - (c + 2.0);
        const float down = stored(n / (d == 0 ? 1.0 : d));
        if (perLine)
            current = from, k = 0;
        if (c < 1 && (perLine || i == 0))
            current = to;
        for (int j = 0; j < lengths[i]; ++j, ++k) {
            out.append(int(std::nearbyint(current)));
            const double next = k < c ? current + double(up) * step : current - double(step) * down;
            current = std::clamp(stored(next), 0.0f, 255.0f);
        }
    }
    return out;
}

} // namespace

class tst_CharColours : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void redChannel_data();
    void redChannel();
    void wholeColours_data();
    void wholeColours();
    void reversingMirrorsTypesOneAndTwo_data();
    void reversingMirrorsTypesOneAndTwo();
    void equalColoursGiveOneColour_data();
    void equalColoursGiveOneColour();
    void staysInByteRange_data();
    void staysInByteRange();
    void entriesReferToTheirCharacters();
    void invalidTypeComputesNothing();
    void charactersAreGraphemeClusters();
    void charactersStayWholeAfterSyllableScripts_data();
    void charactersStayWholeAfterSyllableScripts();
    void batchesGiveTheSameEntries_data();
    void batchesGiveTheSameEntries();
    void riseAndFallMatchesStepByStep();
};

// Rows name the case; colours run on red only, the other components stay 0.
void tst_CharColours::redChannel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("startRed");
    QTest::addColumn<int>("endRed");
    QTest::addColumn<bool>("perLine");
    QTest::addColumn<int>("centre"); // -1: as SetText leaves it
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("two lines, whole text")
        << "ab\r\nxyz" << 1 << 0 << 200 << false << -1 << QList<int> {0, 50, 100, 150, 200};
    QTest::newRow("two lines, per line")
        << "ab\r\nxyz" << 1 << 0 << 200 << true << -1 << QList<int> {0, 200, 0, 100, 200};
    QTest::newRow("rise and fall, centre 5")
        << "abcdefghij" << 3 << 0 << 180 << false << 5
        << QList<int> {0, 40, 80, 120, 160, 200, 133, 67, 0, 0};
    QTest::newRow("rise and fall, 112.5 to even")
        << "abcde" << 3 << 0 << 180 << false << 2 << QList<int> {0, 112, 225, 0, 0};
    QTest::newRow("rise and fall per line, C from line share")
        << "abcd\r\nxy" << 3 << 0 << 120 << true << 3 << QList<int> {0, 80, 160, 0, 0, 240};
    QTest::newRow("overshoot before the clamp")
        << "ab" << 3 << 100 << 150 << false << 1 << QList<int> {100, 200};
    QTest::newRow("one character, type 1")
        << "x" << 1 << 10 << 90 << false << -1 << QList<int> {10};
    QTest::newRow("one character, type 2")
        << "x" << 2 << 10 << 90 << false << -1 << QList<int> {90};
    QTest::newRow("one character, type 3 starts at end")
        << "x" << 3 << 10 << 90 << false << -1 << QList<int> {90};
    QTest::newRow("spaces take a colour, breaks do not")
        << "a \r\n b" << 1 << 0 << 30 << false << -1 << QList<int> {0, 10, 20, 30};
    QTest::newRow("empty middle line, whole text continues")
        << "ab\r\n\r\ncd" << 1 << 0 << 30 << false << -1 << QList<int> {0, 10, 20, 30};
    QTest::newRow("empty middle line, per line restarts")
        << "ab\r\n\r\ncd" << 1 << 0 << 30 << true << -1 << QList<int> {0, 30, 0, 30};
    QTest::newRow("C below 1 with empty first line starts at from")
        << "\r\nabc" << 3 << 0 << 90 << false << 0 << QList<int> {0, 0, 0};
    QTest::newRow("C below 1 on first line starts at to")
        << "abc" << 3 << 0 << 90 << false << 0 << QList<int> {90, 0, 0};
    // Each expression evaluated in double, rounded to float once when stored:
    // float arithmetic would give 193 for the fourth character.
    QTest::newRow("double evaluation, rising")
        << "abcde" << 3 << 71 << 169 << false << 3 << QList<int> {71, 112, 153, 194, 71};
    QTest::newRow("double evaluation, falling")
        << "abcdefghijk" << 3 << 96 << 4 << false << 5
        << QList<int> {96, 76, 56, 35, 15, 0, 25, 51, 76, 101, 127};
    // The step is rounded to float before up multiplies it: 122.50000762939453 gives 123.
    QTest::newRow("double evaluation, rounded step")
        << "aaaaaaaaaaaaaaa\r\nbbbbbbb" << 3 << 0 << 140 << true << 11
        << QList<int> {0,  21, 43, 64, 86, 107, 129, 150, 125, 100, 75,
                       50, 25, 0,  0,  0,  41,  82,  123, 163, 0,   0};
    QTest::newRow("double evaluation, from the end")
        << "abcde" << 3 << 20 << 42 << false << 0 << QList<int> {42, 33, 24, 14, 5};
    QTest::newRow("centre at the 32-bit maximum")
        << "abcd" << 3 << 0 << 90 << false << 2147483647 << QList<int> {0, 0, 0, 0};
    QTest::newRow("centre at the 32-bit minimum")
        << "abcd" << 3 << 0 << 90 << false << int(-2147483648LL) << QList<int> {90, 90, 90, 90};
    QTest::newRow("per line with no characters at all")
        << "\r\n\r\n"
        << 3 << 0 << 90 << true << 7 << QList<int> {};
}

void tst_CharColours::redChannel()
{
    QFETCH(QString, text);
    QFETCH(int, type);
    QFETCH(int, startRed);
    QFETCH(int, endRed);
    QFETCH(bool, perLine);
    QFETCH(int, centre);
    QFETCH(QList<int>, expected);

    GradientSettings settings =
        makeSettings(text, type, {float(startRed), 0, 0}, {float(endRed), 0, 0}, perLine,
                     centre == -1 ? std::nullopt : std::optional<int>(centre));
    QVERIFY(ComputeCharColours(settings));
    QCOMPARE(settings.charColours.size(), settings.totalChars);
    QCOMPARE(reds(settings), expected);
}

void tst_CharColours::wholeColours_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<Rgb>>("expected");
    QTest::newRow("type 1, 127.5 gives 128")
        << 1 << QList<Rgb> {{255, 0, 0}, {128, 0, 128}, {0, 0, 255}};
    QTest::newRow("type 2") << 2 << QList<Rgb> {{0, 0, 255}, {128, 0, 128}, {255, 0, 0}};
}

void tst_CharColours::wholeColours()
{
    QFETCH(int, type);
    QFETCH(QList<Rgb>, expected);
    GradientSettings settings = makeSettings("abc", type, {255, 0, 0}, {0, 0, 255});
    QVERIFY(ComputeCharColours(settings));
    QCOMPARE(colours(settings), expected);
}

void tst_CharColours::reversingMirrorsTypesOneAndTwo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("perLine");
    QTest::newRow("one line") << "The quick brown fox jumps" << false;
    QTest::newRow("lines, whole text") << "one\r\ntwo lines\r\n\r\nthree" << false;
    QTest::newRow("lines, per line") << "one\r\ntwo lines\r\n\r\nthree" << true;
}

void tst_CharColours::reversingMirrorsTypesOneAndTwo()
{
    QFETCH(QString, text);
    QFETCH(bool, perLine);
    const ColourTriplet a {13, 200, 77};
    const ColourTriplet b {250, 3, 120};
    GradientSettings forward = makeSettings(text, 1, a, b, perLine);
    GradientSettings backward = makeSettings(text, 2, b, a, perLine);
    QVERIFY(ComputeCharColours(forward));
    QVERIFY(ComputeCharColours(backward));
    QCOMPARE(colours(forward), colours(backward));

    // The first and last characters of a run carry the end colours.
    QCOMPARE(colours(forward).first(), (Rgb {13, 200, 77}));
    QCOMPARE(colours(forward).last(), (Rgb {250, 3, 120}));
}

void tst_CharColours::equalColoursGiveOneColour_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("perLine");
    for (int type = 1; type <= 3; ++type) {
        QTest::addRow("type %d, whole", type) << type << false;
        QTest::addRow("type %d, per line", type) << type << true;
    }
}

void tst_CharColours::equalColoursGiveOneColour()
{
    QFETCH(int, type);
    QFETCH(bool, perLine);
    const ColourTriplet c {31, 127.5f, 250};
    GradientSettings settings = makeSettings("ab c\r\n\r\ndefgh\r\ni", type, c, c, perLine);
    QVERIFY(ComputeCharColours(settings));
    for (const Rgb &rgb : colours(settings))
        QCOMPARE(rgb, (Rgb {31, 128, 250}));
}

void tst_CharColours::staysInByteRange_data()
{
    QTest::addColumn<ColourTriplet>("start");
    QTest::addColumn<ColourTriplet>("end");
    QTest::addColumn<int>("centre");
    QTest::addColumn<Rgb>("first");
    QTest::newRow("overshoots both ways")
        << ColourTriplet {255, 0, 128} << ColourTriplet {0, 255, 128} << 3 << Rgb {255, 0, 128};
    // A value field being edited can hold 999 or be negative; the colours are
    // brought into 0..255 before the computation.
    QTest::newRow("start above 255")
        << ColourTriplet {999, 300, 256} << ColourTriplet {0, 0, 0} << 4 << Rgb {255, 255, 255};
    QTest::newRow("start below 0")
        << ColourTriplet {-40, -1, -1e30f} << ColourTriplet {10, 10, 10} << 4 << Rgb {0, 0, 0};
    QTest::newRow("infinite end") << ColourTriplet {0, 0, 0}
                                  << ColourTriplet {std::numeric_limits<float>::infinity(),
                                                    -std::numeric_limits<float>::infinity(), 255}
                                  << 0 << Rgb {255, 0, 255};
}

void tst_CharColours::staysInByteRange()
{
    QFETCH(ColourTriplet, start);
    QFETCH(ColourTriplet, end);
    QFETCH(int, centre);
    QFETCH(Rgb, first);

    // A wrapped byte (999 as 231) or a negative value cast to a byte would show
    // in the first entry, which carries the starting colour as it was read.
    for (bool perLine : {false, true}) {
        GradientSettings settings =
            makeSettings("abcdefghij\r\nklm", 3, start, end, perLine, centre);
        QVERIFY(ComputeCharColours(settings));
        QCOMPARE(colours(settings).size(), 13);
        QCOMPARE(colours(settings).first(), first);
    }
}

void tst_CharColours::entriesReferToTheirCharacters()
{
    GradientSettings settings = makeSettings("ab\r\n\r\nc d\r\n", 1, black, {90, 0, 0});
    QVERIFY(ComputeCharColours(settings));
    QCOMPARE(characters(settings), (QStringList {"a", "b", "c", " ", "d"}));
}

void tst_CharColours::invalidTypeComputesNothing()
{
    GradientSettings settings = makeSettings("abc", 1, black, {90, 0, 0});
    QVERIFY(ComputeCharColours(settings));
    for (int type : {0, 4, 255}) {
        settings.gradientType = static_cast<quint8>(type);
        QVERIFY(!ComputeCharColours(settings));
        QVERIFY(settings.charColours.isEmpty());
    }
}

void tst_CharColours::charactersAreGraphemeClusters()
{
    // An emoji, a flag, a letter with two combining marks and a ZWJ sequence are
    // one character each: one colour, one step.
    const QString text = QString::fromUtf8("a\xF0\x9F\x98\x80"
                                           "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA"
                                           "e\xCC\x81\xCC\xA7"
                                           "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\r\nz");
    GradientSettings settings = makeSettings(text, 1, black, {100, 0, 0});
    QCOMPARE(settings.totalChars, 6);
    QVERIFY(ComputeCharColours(settings));
    QCOMPARE(reds(settings), (QList<int> {0, 20, 40, 60, 80, 100}));
    QCOMPARE(
        characters(settings),
        (QStringList {"a", QString::fromUtf8("\xF0\x9F\x98\x80"),
                      QString::fromUtf8("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA"),
                      QString::fromUtf8("e\xCC\x81\xCC\xA7"),
                      QString::fromUtf8("\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9"), "z"}));
}

// Regression: the boundary finder tailors Indic, Thai, Tibetan, Khmer, Myanmar
// and Sinhala text to syllables and split whatever followed such letters by
// UTF-16 code unit: an emoji after Hindi text became two font tags holding a
// surrogate half each, which is not even valid UTF-8 once written out.
void tst_CharColours::charactersStayWholeAfterSyllableScripts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    const QString grin = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("emoji after Devanagari")
        << u"\u0915"_qs + grin << QStringList {u"\u0915"_qs, grin};
    QTest::newRow("emoji after Thai")
        << u"\u0E01 "_qs + grin + u"x"_qs << QStringList {u"\u0E01"_qs, u" "_qs, grin, u"x"_qs};
    QTest::newRow("emoji after Tibetan, Khmer, Myanmar, Sinhala")
        << u"\u0F40"_qs + grin + u"\u1780"_qs + grin + u"\u1000"_qs + grin + u"\u0D9A"_qs + grin
        << QStringList {u"\u0F40"_qs, grin, u"\u1780"_qs, grin,
                        u"\u1000"_qs, grin, u"\u0D9A"_qs, grin};
    QTest::newRow("skin tone after Devanagari")
        << QString::fromUtf8("\xE0\xA4\x95\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD")
        << QStringList {u"\u0915"_qs, QString::fromUtf8("\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD")};
    const QString family = QString::fromUtf8(
        "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7");
    QTest::newRow("ZWJ family after Thai")
        << u"\u0E01"_qs + family << QStringList {u"\u0E01"_qs, family};
    const QString england = QString::fromUtf8("\xF0\x9F\x8F\xB4\xF3\xA0\x81\xA7\xF3\xA0\x81\xA2"
                                              "\xF3\xA0\x81\xA5\xF3\xA0\x81\xAE\xF3\xA0\x81\xA7"
                                              "\xF3\xA0\x81\xBF");
    QTest::newRow("tag sequence after Devanagari")
        << u"\u0915"_qs + england << QStringList {u"\u0915"_qs, england};
    QTest::newRow("marks on a base of no script, Devanagari after")
        << u"\uFFFD\u0308\u0304 \u0915"_qs
        << QStringList {u"\uFFFD\u0308\u0304"_qs, u" "_qs, u"\u0915"_qs};
    // What the syllables themselves join stays joined.
    QTest::newRow("conjunct stays one character")
        << u"\u0928\u092E\u0938\u094D\u0924\u0947"_qs
        << QStringList {u"\u0928"_qs, u"\u092E"_qs, u"\u0938\u094D\u0924\u0947"_qs};
    QTest::newRow("mark after a tab stands alone")
        << u"\t\u0301"_qs << QStringList {u"\t"_qs, u"\u0301"_qs};
}

void tst_CharColours::charactersStayWholeAfterSyllableScripts()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    GradientSettings settings = makeSettings(text, 1, black, {90, 0, 0});
    QVERIFY(ComputeCharColours(settings));
    QCOMPARE(characters(settings), expected);
    QCOMPARE(settings.totalChars, expected.size());
}

void tst_CharColours::batchesGiveTheSameEntries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("perLine");
    QTest::addColumn<int>("centre"); // -1: as SetText leaves it

    const QString mixed =
        u"x\U0001F600e\u0301\U0001F1EB\U0001F1F7 \u05E9\u0915\U0001F600"_qs.repeated(40);
    QString ascii;
    for (int i = 0; i < 500; ++i)
        ascii += QChar(u'!' + i % 94);
    const QString lines = ascii + u"\r\n\r\n"_qs + mixed + u"\r\nz\r\n"_qs + ascii.left(7);
    for (int type = 1; type <= 3; ++type) {
        QTest::addRow("type %d, whole text", type) << lines << type << false << -1;
        QTest::addRow("type %d, per line", type) << lines << type << true << -1;
    }
    QTest::newRow("type 3, turning point in the second line") << lines << 3 << false << 600;
    QTest::newRow("type 3 per line, negative centre") << lines << 3 << true << -40;
    QTest::newRow("type 3, empty first line, centre 0") << u"\r\n"_qs + mixed << 3 << false << 0;
}

void tst_CharColours::batchesGiveTheSameEntries()
{
    QFETCH(QString, text);
    QFETCH(int, type);
    QFETCH(bool, perLine);
    QFETCH(int, centre);

    GradientSettings settings =
        makeSettings(text, type, {255, 70, 30}, {0, 255, 200}, perLine,
                     centre == -1 ? std::nullopt : std::optional<int>(centre));
    QVERIFY(ComputeCharColours(settings));
    const auto key = [](const CharColour &c) {
        return QList<qint64> {c.start, c.length, c.red, c.green, c.blue};
    };
    QList<QList<qint64>> expected;
    for (const CharColour &c : settings.charColours)
        expected.append(key(c));

    for (qsizetype batch : {1, 2, 7, 64, 4096}) {
        QList<QList<qint64>> batched;
        ColourStepper stepper(settings);
        for (qsizetype i = 0; i < settings.lines.size(); ++i) {
            stepper.colourLineInBatches(i, batch,
                                        [&](const CharColour *first, const CharColour *last) {
                                            QVERIFY(last - first >= 1 && last - first <= batch);
                                            for (; first != last; ++first)
                                                batched.append(key(*first));
                                        });
        }
        QCOMPARE(batched, expected);
    }
}

void tst_CharColours::riseAndFallMatchesStepByStep()
{
    QRandomGenerator random(7);
    for (int round = 0; round < 1000; ++round) {
        QList<int> lengths(random.bounded(1, 4));
        QStringList lines;
        for (int &length : lengths)
            lines.append(QString(length = random.bounded(0, 40), u'a'));
        const ColourTriplet start {float(random.bounded(25501)) / 100.0f, 0, 0};
        const ColourTriplet end {float(random.bounded(25501)) / 100.0f, 0, 0};
        const bool perLine = random.bounded(2);
        GradientSettings settings =
            makeSettings(lines.join(u"\r\n"_qs), 3, start, end, perLine, random.bounded(-2, 50));
        QVERIFY(ComputeCharColours(settings));
        QCOMPARE(reds(settings),
                 riseAndFall(lengths, settings.totalChars, settings.centre, perLine, start.red,
                             end.red));
    }
}

QTEST_APPLESS_MAIN(tst_CharColours)
#include "tst_charcolours.moc"
