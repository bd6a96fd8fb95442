#include "engine/htmlwriter.h"
#include "engine/stripes.h"
#include "engine/valueoftext.h"
#include "tests/common/graphemebreaks.h"
#include "tests/common/settings.h"
#include "tests/fuzz/fuzzchecks.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

using namespace huevane;

namespace {

constexpr qint32 Min = std::numeric_limits<qint32>::min();
constexpr qint32 Max = std::numeric_limits<qint32>::max();

// A stored float: the volatile keeps the optimiser from using the double instead.
const auto Stored = [](double value) {
    volatile float stored = static_cast<float>(value);
    return float(stored);
};

const auto Clamped = [](float value) { return std::clamp(value, 0.0f, 255.0f); };

// One component of a gradient of @p type worked out character by character for
// lines of @p lengths characters; it runs over @p total characters, or per line
// over the line's own. A line may be longer than the run (the type previews
// show one stripe more).
QList<int> Reference(const QList<int> &lengths, int total, int centre, bool perLine, int type,
                     float from, float to)
{
    if (type == 2)
        std::swap(from, to);
    QList<int> out;
    float current = from;
    int k = 0;
    for (int i = 0; i < lengths.size(); ++i) {
        if (lengths[i] == 0)
            continue;
        const float n = perLine ? lengths[i] : total;
        const int c = perLine ? int(std::nearbyint(double(lengths[i]) / total * centre)) : centre;
        const float step = Stored((double(to) - from) / (n > 1 ? n - 1.0 : n));
        const float up = Stored(n / (c == 0 ? 1.0 : c));
        const double d = n - (c + 2.0);
        const float down = Stored(n / (d == 0 ? 1.0 : d));
        if (perLine)
            current = from, k = 0;
        if (type == 3 && c < 1 && (perLine || i == 0))
            current = to;
        for (int j = 0; j < lengths[i]; ++j, ++k) {
            out.append(int(std::nearbyint(Clamped(current))));
            const double next = type != 3 ? double(current) + step
                : k < c                   ? current + double(up) * step
                                          : current - double(step) * down;
            current = Clamped(Stored(next));
        }
    }
    return out;
}

// Colours in and out of 0..255, in hundredths.
ColourTriplet RandomColour(QRandomGenerator &random)
{
    const auto component = [&] { return float(random.bounded(-6000, 32001)) / 100.0f; };
    return {component(), component(), component()};
}

} // namespace

class tst_Engine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colours();
    void text();
    void charactersAndHtml();
    void unicodeCharacters();
    void simpleText();
};

// The worked examples, then random texts and stripes against a plain reference.
void tst_Engine::colours()
{
    // Red only, green and blue stay 0: text, type, start and end red, centre, per line.
    // clang-format off
    const struct { QString text; int type; float from, to; qint32 centre; bool perLine; QList<int> reds; } examples[] = {
        {"abc", 1, 255, 0, 0, false, {255, 128, 0}}, // 127.5 gives 128
        {"abc", 2, 255, 0, 0, false, {0, 128, 255}},
        {"ab\r\nxyz", 1, 0, 200, 0, false, {0, 50, 100, 150, 200}},
        {"ab\r\nxyz", 1, 0, 200, 0, true, {0, 200, 0, 100, 200}},
        {"abcdefghij", 3, 0, 180, 5, false, {0, 40, 80, 120, 160, 200, 133, 67, 0, 0}},
        {"abcde", 3, 0, 180, 2, false, {0, 112, 225, 0, 0}}, // 112.5 gives 112
        {"abcd\r\nxy", 3, 0, 120, 3, true, {0, 80, 160, 0, 0, 240}}, // C from the line's share
        {"ab", 3, 100, 150, 1, false, {100, 200}}, // the overshoot before the clamp
        {"\r\nabc", 3, 0, 90, 0, false, {0, 0, 0}}, // C below 1 turns to "to" on the first line only
        // The step is rounded to float before up multiplies it: 122.50000762939453 gives 123.
        {"aaaaaaaaaaaaaaa\r\nbbbbbbb", 3, 0, 140, 11, true, {0, 21, 43, 64, 86, 107, 129, 150, 125, 100, 75, 50, 25, 0, 0, 0, 41, 82, 123, 163, 0, 0}}};
    // clang-format on
    for (const auto &e : examples) {
        const test::Gradient g {{e.from, 0, 0}, {e.to, 0, 0}, e.type, e.centre, e.perLine};
        QCOMPARE(test::Components(test::Coloured(e.text, g), 0), e.reds);
    }

    QRandomGenerator random(7);
    for (int round = 0; round < 3000; ++round) {
        QList<int> lengths(random.bounded(1, 4));
        QStringList lines;
        for (int &length : lengths)
            lines.append(QString(length = std::max(0, random.bounded(-6, 40)), u'a'));
        const int total = std::accumulate(lengths.begin(), lengths.end(), 0);
        const qint32 centre = round % 50 ? random.bounded(-2, total + 3) : round % 100 ? Max : Min;
        const test::Gradient g {RandomColour(random), RandomColour(random), random.bounded(1, 4),
                                centre, bool(random.bounded(2))};
        const GradientSettings settings = test::Coloured(lines.join(u"\r\n"_qs), g);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(test::Components(settings, c),
                     Reference(lengths, total, centre, g.perLine, g.type,
                               Clamped(Component(g.start, c)), Clamped(Component(g.end, c))));
    }
    // The stripes step as a one-line text of count characters does, one stripe
    // more, from the colours as read; a drag sets the centre by their width.
    for (int round = 0; round < 1000; ++round) {
        const qint32 count = random.bounded(1, 60);
        const StripeSettings s {quint8(random.bounded(1, 4)), RandomColour(random),
                                RandomColour(random), count, random.bounded(-2, count + 3)};
        QList<int> expected[3];
        for (int c = 0; c < 3; ++c)
            expected[c] = Reference({count + 1}, count, s.centre, false, s.kind,
                                    Component(s.start, c), Component(s.end, c));
        StripeStepper stepper(s);
        for (int i = 0; i <= count; ++i, stepper.advance(i))
            QCOMPARE(stepper.colour(),
                     quint32(expected[0][i] | expected[1][i] << 8 | expected[2][i] << 16));
    }
    // The third kind with its turning point at 0 or before the first stripe starts at the end
    // colour (red 120) and falls from the first stripe on towards the start colour (red 0),
    // n / nearest(n - (c + 2)) steps at a time; a divisor below 0 makes it rise.
    // clang-format off
    const struct { qint32 count, centre; QList<int> reds; } turnAtStart[] = {
        {4, 0, {120, 40, 0, 0, 0}}, {4, -1, {120, 67, 13, 0, 0}}, {2, 0, {120, 0, 0}},
        {1, 0, {120, 240}}, {10, 0, {120, 103, 87, 70, 53, 37, 20, 3, 0, 0, 0}}};
    // clang-format on
    for (const auto &row : turnAtStart) {
        StripeStepper stepper({RiseAndFall, {0, 0, 0}, {120, 0, 0}, row.count, row.centre});
        QList<int> reds;
        for (int i = 1; i <= row.count + 1; stepper.advance(i++))
            reds.append(int(stepper.colour() & 0xFF));
        QCOMPARE(reds, row.reds);
    }
    // clang-format off
    const struct { double x, width; qint32 count; std::optional<qint32> centre; } drags[] = {
        {1000, 2325, 90, 38}, {0, 2325, 90, 0}, {2325, 2325, 90, 89}, {360, 360, 100, 90},
        {-0.5, 2325, 90, {}}, {2325.5, 2325, 90, {}}, {100, 2325, 0, {}},
        {100, 2325, 5000, {}}, {50, 100, 200, {}}, {51, 150, 100, 26}};
    // clang-format on
    for (const auto &drag : drags)
        QCOMPARE(CentreFromDrag(drag.x, drag.width, drag.count), drag.centre);
}

void tst_Engine::text()
{
    // The lines in brackets, totalChars, centre and the length with line breaks.
    // clang-format off
    const std::pair<QString, QString> texts[] = {
        {"", "[] 0 0 0"}, {"\r\n", "[] 0 0 2"}, {"\r\n\r\n", "[][] 0 0 4"}, {"ab\r\n", "[ab] 2 1 4"},
        {"\r\nb", "[][b] 1 0 3"}, {"a\r\n\r\nb", "[a][][b] 2 1 6"}, {"abcde", "[abcde] 5 2 5"},
        {"a\tb\rc\nd", "[a\tb\rc\nd] 7 4 7"}, {"e\u0301\r\nab", "[e\u0301][ab] 3 2 5"}};
    const std::pair<QString, double> values[] = {
        {"255", 255}, {"", 0}, {"abc", 0}, {"0x1F", 0}, {"12ab", 12}, {"  1 2\t3", 123},
        {"-5", -5}, {"+9", 9}, {"-", 0}, {"12.5", 12.5}, {".5", 0.5}, {"5.", 5}, {"1.2.3", 1.2},
        {"25E-1", 2.5}, {"1e2", 100}, {"3e", 3}, {"1e400", qInf()}, {"-1e400", -qInf()},
        {QString(400, u'9'), qInf()}, {"1e-400", 0}, {"0." + QString(400, u'0') + "1", 0},
        {"1e99999999999999999999", qInf()}};
    const std::pair<double, int> rounded[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {127.5, 128},
        {112.5, 112}, {-2.5, -2}, {2.4999, 2}, {1e12, Max}, {-1e12, Min}, {qQNaN(), 0}};
    // clang-format on
    for (const auto &[text, expected] : texts) {
        GradientSettings s;
        SetText(s, text);
        QString found;
        for (qsizetype i = 0; i < s.lines.size(); ++i)
            found += u'[' + s.line(i).toString() + u']';
        QCOMPARE(found + u" %1 %2 %3"_qs.arg(s.totalChars).arg(s.centre).arg(WholeTextLength(s)),
                 expected);
    }
    QList<TextSpan> pieces;
    Parse(u"aXYZbxyzxyzc", pieces, u"xyz");
    QCOMPARE(pieces, (QList<TextSpan> {{0, 5}, {8, 0}, {11, 1}}));

    for (const auto &[text, value] : values)
        QVERIFY2(ValueOfText(text) == value, qPrintable(text));
    for (const auto &[value, whole] : rounded) {
        QCOMPARE(RoundHalfEven(value), whole);
        if (value >= 0 && value <= 255)
            QCOMPARE(int(RoundComponent(float(value))), whole);
    }
    QCOMPARE(PackColour(300, -5, 256), 0x00FF00FFu);
    QVERIFY(IsBlankText(u"") && IsBlankText(u"   "));
    for (QStringView text : {u" \t ", u"\r\n", u"  a ", u"\u00A0"})
        QVERIFY(!IsBlankText(text));
}

// A character is what a reader sees as one; "|" marks where one ends. Its font
// tag holds it whole.
void tst_Engine::charactersAndHtml()
{
    // clang-format off
    const QString texts[] = {
        u"a|\U0001F600|\U0001F1E9\U0001F1EA|e\u0301\u0327|\U0001F468\u200D\U0001F469\u200D\U0001F467|!"_qs,
        u"<|&|\"|\t|'"_qs, u"\t|\u0301"_qs, // markup as it is; a mark after a tab stands alone
        // Regional indicators pair up from the start of their run, whatever stands before it.
        u"\U0001F1E9\U0001F1EA|\U0001F1EB\U0001F1F7"_qs, u"\U0001F600|\U0001F1E9\U0001F1EA|\U0001F1EB"_qs,
        u"\u2764|a|\U0001F1E9\U0001F1EA"_qs, u"\U0001F600|\U0001F1E9\U0001F1EA\u0301|x"_qs, u"\U0001F1E9|z"_qs,
        // The boundary finder split what followed Indic, Thai, Tibetan, Khmer, Myanmar
        // and Sinhala letters by code unit: an emoji after Hindi became two surrogate halves.
        u"\u0E01| |\U0001F600|x"_qs, u"\u0E01|\U0001F468\u200D\U0001F469\u200D\U0001F467"_qs,
        u"\u0F40|\U0001F600|\u1780|\U0001F600|\u1000|\U0001F600|\u0D9A|\U0001F600|\u0915|\U0001F600"_qs,
        u"\u0915|\U0001F44D\U0001F3FD"_qs, // a skin tone
        u"\u0915|\U0001F3F4\U000E0067\U000E0062\U000E0065\U000E006E\U000E0067\U000E007F"_qs, // a tag sequence
        u"\uFFFD\u0308\u0304| |\u0915"_qs, // marks on a base of no script
        u"\u0928|\u092E|\u0938\u094D\u0924\u0947"_qs}; // a conjunct stays one
    // clang-format on
    for (const QString &text : texts) {
        GradientSettings settings = test::Coloured(QString(text).remove(u'|'));
        QStringList found;
        for (const CharColour &c : settings.charColours)
            found.append(c.character(settings.text).toString());
        QCOMPARE(found, text.split(u'|'));
        QCOMPARE(settings.totalChars, found.size());
        for (int options = 0; options < 4; ++options) {
            settings.upperCaseTags = options & 1;
            settings.noQuotes = options & 2;
            fuzz::CheckOutputGivesBackText(settings, {settings.upperCaseTags, settings.noQuotes},
                                           GenerateHtml(settings));
        }
        // Colours computed before the text was set are never written.
        SetText(settings, QString(settings.text));
        QCOMPARE(GenerateHtml(settings), QString());
    }

    const QString lines = u"a\r\n\r\n<\U0001F600\r\n"_qs;
    // clang-format off
    const std::tuple<QString, bool, bool, QString> rows[] = {
        {lines, false, false, u"<font color=\"#FF0000\">a</font><br>\r\n<br>\r\n<font color=\"#800080\"><</font><font color=\"#0000FF\">\U0001F600</font><br>\r\n"_qs},
        {lines, true, true, u"<FONT COLOR=#FF0000>a</FONT><br>\r\n<br>\r\n<FONT COLOR=#800080><</FONT><FONT COLOR=#0000FF>\U0001F600</FONT><br>\r\n"_qs},
        {"  ", false, false, ""}, {"\r\n", false, false, "<br>\r\n"}};
    // clang-format on
    for (const auto &[text, upperCase, noQuotes, html] : rows) {
        const test::Gradient g {{255, 0, 0}, {0, 0, 255}, 1, {}, false, upperCase, noQuotes};
        QCOMPARE(GenerateHtml(test::Coloured(text, g)), html);
    }
}

namespace {

QList<TextSpan> Characters(QStringView text)
{
    QList<TextSpan> found;
    ForEachCharacter(text, [&found](TextSpan c) { found.append(c); });
    return found;
}

QList<TextSpan> Clusters(ClusterFinder &&finder)
{
    QList<TextSpan> found;
    for (TextSpan c; finder.next(c);)
        found.append(c);
    return found;
}

} // namespace

// Every line of Unicode's own test of its characters. ForEachCharacter finds them
// in the whole text, CR LF as one, also when the finder hands ICU the text a
// small window at a time; the gradient gives one entry to each but CR LF, which
// ends a line.
void tst_Engine::unicodeCharacters()
{
    QString error;
    const QList<test::GraphemeBreakCase> cases = test::ReadGraphemeBreakTest(&error);
    QVERIFY2(!cases.isEmpty(), qPrintable(error));
    int withLineBreaks = 0;
    for (const test::GraphemeBreakCase &c : cases) {
        const QByteArray where = u"line %1: %2"_qs.arg(c.lineNumber).arg(c.source).toUtf8();
        QVERIFY2(Characters(c.text) == c.clusters, where);

        qsizetype longest = 0;
        for (const TextSpan &cluster : c.clusters)
            longest = qMax(longest, cluster.length);
        for (qsizetype window = qMax<qsizetype>(longest, 2); window < c.text.size(); ++window)
            QVERIFY2(Clusters(ClusterFinder(c.text, window)) == c.clusters, where);

        QList<TextSpan> expected;
        for (const TextSpan &cluster : c.clusters) {
            if (cluster.in(c.text) != LineBreak)
                expected.append(cluster);
        }
        withLineBreaks += c.text.contains(u'\r') || c.text.contains(u'\n');
        const GradientSettings settings = test::Coloured(c.text);
        QList<TextSpan> entries;
        for (const CharColour &e : settings.charColours)
            entries.append({e.start, e.length});
        QVERIFY2(entries == expected && settings.totalChars == expected.size(), where);
    }
    qInfo("%lld lines of %s agree, %d of them with CR or LF", qlonglong(cases.size()),
          qPrintable(test::GraphemeBreakTestPath()), withLineBreaks);
}

// ForEachCharacter takes runs of code units that never join one unit a character
// without asking ICU; Unicode must agree for every pair of such units side by
// side, lone CR and LF included. Only CR LF is one character: a line never holds
// it, but any other text may.
void tst_Engine::simpleText()
{
    QString simple;
    for (char16_t u = 0; u < 0xFFFF; ++u) {
        if (NeverJoins(u))
            simple += QChar(u);
    }
    QVERIFY(simple.contains(u'\r') && simple.contains(u'\n'));
    QString pairs;
    for (QChar a : simple) {
        for (QChar b : simple)
            pairs.append(a).append(b);
    }
    const QList<TextSpan> clusters = Clusters(ClusterFinder(pairs));
    QCOMPARE(Characters(pairs), clusters);
    for (const TextSpan &c : clusters) {
        if (c.length != 1 && c.in(pairs) != LineBreak)
            QFAIL(qPrintable(u"joined: "_qs + c.in(pairs).toString()));
    }
    QCOMPARE(clusters.size(), pairs.size() - pairs.count(LineBreak));

    for (const QString &text : {u"a\r\nb"_qs, u"\r\n"_qs, u"\r\r\n\n"_qs})
        QCOMPARE(CountCharacters(text), text.size() - text.count(LineBreak));
    QVERIFY(IsSimpleText(simple) && !IsSimpleText(u"\r\n") && !IsSimpleText(u"e\u0301"));
}

QTEST_APPLESS_MAIN(tst_Engine)
#include "tst_engine.moc"
