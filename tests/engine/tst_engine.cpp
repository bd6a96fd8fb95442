#include "engine/characters.h"
#include "engine/gradientsettings.h"
#include "engine/formatwriter.h"
#include "engine/lineends.h"
#include "engine/preparedtext.h"
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
    void preparedText_data();
    void preparedText();
    void text();
    void charactersAndHtml();
    void characters();
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
        QCOMPARE(test::Components(test::Coloured(e.text, g).colours, 0), e.reds);
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
        const QList<CharColour> colours = test::Coloured(lines.join(u"\r\n"_qs), g).colours;
        for (int c = 0; c < 3; ++c)
            QCOMPARE(test::Components(colours, c),
                     Reference(lengths, total, centre, g.perLine, g.type,
                               Clamped(Component(g.start, c)), Clamped(Component(g.end, c))));
    }
    // The stripes step as a one-line text of count characters does, one stripe
    // more, from the colours as read; a drag sets the centre by their width.
    for (int round = 0; round < 1000; ++round) {
        const qint32 count = random.bounded(1, 60);
        const StripeSettings s =
            test::Stripes(random.bounded(1, 4), RandomColour(random), RandomColour(random), count,
                          random.bounded(-2, count + 3));
        const Gradient &g = s.gradient;
        QList<int> expected[3];
        for (int c = 0; c < 3; ++c)
            expected[c] = Reference({count + 1}, count, g.centre, false, int(g.type),
                                    Component(g.start, c), Component(g.end, c));
        StripeStepper stepper(s);
        for (int i = 0; i <= count; ++i, stepper.advance(i))
            QCOMPARE(stepper.colour(),
                     quint32(expected[0][i] | expected[1][i] << 8 | expected[2][i] << 16));
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

void tst_Engine::preparedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // [line:characters]..., total, whole length

    // clang-format off
    QTest::newRow("empty") << "" << "[:0] 0 0";
    QTest::newRow("a line break alone") << "\r\n" << "[:0] 0 2";
    QTest::newRow("a line break at the end") << "ab\r\n" << "[ab:2] 2 4";
    QTest::newRow("a line break first") << "\r\nb" << "[:0][b:1] 1 3";
    QTest::newRow("an empty line between") << "a\r\n\r\nb" << "[a:1][:0][b:1] 2 6";
    QTest::newRow("every line break") << "a\r\nb\nc\rd\u2028e\u2029f" << "[a:1][b:1][c:1][d:1][e:1][f:1] 6 16";
    QTest::newRow("CR, CR LF, LF, CR") << "\r\r\n\n\r" << "[:0][:0][:0][:0] 0 8";
    QTest::newRow("tab and NEL are characters") << "a\tb\u0085c" << "[a\tb\u0085c:5] 5 5";
    QTest::newRow("marks and emoji") << "e\u0301\r\n\U0001F600b\u2029" << "[e\u0301:1][\U0001F600b:2] 3 7";
    QTest::newRow("a mark after a line break") << "a\u2028\u0301x" << "[a:1][\u0301x:2] 3 5";
    QTest::newRow("wide characters, one unit each") << "\u4E2D\u6587\r\u05E9" << "[\u4E2D\u6587:2][\u05E9:1] 3 5";
    // clang-format on
}

// Lines by the one line-end rule, and the characters of each.
void tst_Engine::preparedText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const PreparedText prepared(text);
    QCOMPARE(prepared.text(), text);
    QString found;
    for (qsizetype i = 0; i < prepared.lineCount(); ++i) {
        qint32 characters = 0;
        prepared.forEachCharacter(i, [&](TextSpan) { ++characters; });
        QCOMPARE(characters, prepared.lineCharacters(i));
        found += u"[%1:%2]"_qs.arg(prepared.lineText(i)).arg(characters);
    }
    QCOMPARE(found + u" %1 %2"_qs.arg(prepared.totalChars()).arg(prepared.wholeTextLength()),
             expected);
}

void tst_Engine::text()
{
    // clang-format off
    const std::pair<QString, double> values[] = {
        {"255", 255}, {"", 0}, {"abc", 0}, {"0x1F", 0}, {"12ab", 12}, {"  1 2\t3", 123},
        {"-5", -5}, {"+9", 9}, {"-", 0}, {"12.5", 12.5}, {".5", 0.5}, {"5.", 5}, {"1.2.3", 1.2},
        {"25E-1", 2.5}, {"1e2", 100}, {"3e", 3}, {"1e400", qInf()}, {"-1e400", -qInf()},
        {QString(400, u'9'), qInf()}, {"1e-400", 0}, {"0." + QString(400, u'0') + "1", 0},
        {"1e99999999999999999999", qInf()}};
    const std::pair<double, int> rounded[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {127.5, 128},
        {112.5, 112}, {-2.5, -2}, {2.4999, 2}, {1e12, Max}, {-1e12, Min}, {qQNaN(), 0}};
    // clang-format on
    for (const auto &[text, value] : values)
        QVERIFY2(ValueOfText(text) == value, qPrintable(text));
    for (const auto &[value, whole] : rounded) {
        QCOMPARE(RoundHalfEven(value), whole);
        QCOMPARE(int(ComponentFromValue(value)), std::clamp(whole, 0, 255));
        if (value >= 0 && value <= 255)
            QCOMPARE(int(RoundComponent(float(value))), whole);
    }
    QCOMPARE(PackColour(300, -5, 256), 0x00FF00FFu);
    QVERIFY(IsBlankText(u"") && IsBlankText(u"   "));
    for (QStringView text : {u" \t ", u"\r\n", u"  a ", u"\u00A0"})
        QVERIFY(!IsBlankText(text));
}

// The font tags of each line's characters, a line break after each line.
void tst_Engine::charactersAndHtml()
{
    const QString lines = u"a\r\n\r\n<\U0001F600\r\n"_qs;
    // clang-format off
    const std::tuple<QString, bool, bool, QString> rows[] = {
        {lines, false, false, u"<font color=\"#FF0000\">a</font><br>\r\n<br>\r\n<font color=\"#800080\"><</font><font color=\"#0000FF\">\U0001F600</font><br>\r\n"_qs},
        {lines, true, true, u"<FONT COLOR=#FF0000>a</FONT><br>\r\n<br>\r\n<FONT COLOR=#800080><</FONT><FONT COLOR=#0000FF>\U0001F600</FONT><br>\r\n"_qs},
        {"  ", false, false, ""}, {"\r\n", false, false, "<br>\r\n"}};
    // clang-format on
    for (const auto &[text, upperCase, noQuotes, html] : rows)
        QCOMPARE(test::Html(test::Coloured(text), {upperCase, noQuotes}), html);
    // Colours computed for another text are never written.
    const test::ColouredText coloured = test::Coloured(lines);
    QCOMPARE(FormattedText(PreparedText(u'b' + lines), coloured.colours), QString());
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

// A character is what a reader sees as one, exactly as every line of Unicode's own
// test has it: ForEachCharacter finds them in the whole text, CR LF as one
// (huevane-html's test runs the same lines through the prepared text).
void tst_Engine::characters()
{
    const QList<test::GraphemeBreakCase> cases = test::ReadGraphemeBreakTest();
    QVERIFY2(!cases.isEmpty(), test::GraphemeBreakTestPath); // installed by unicode-data
    for (const test::GraphemeBreakCase &c : cases)
        QVERIFY2(Characters(c.text) == c.clusters, c.where);
    qInfo("%lld lines of %s agree", qlonglong(cases.size()), test::GraphemeBreakTestPath);
    QCOMPARE(Characters(u"\u0928\u092E\u0938\u094D\u0924\u0947").size(), 3); // a conjunct stays one

    // Code units that never join are taken one a character without asking ICU; Unicode
    // must agree for every pair of them side by side, lone CR and LF included: only
    // CR LF is one character (a line never holds it, any other text may).
    QString simple, pairs;
    for (char16_t u = 0; u < 0xFFFF; ++u)
        simple += NeverJoins(u) ? QString(QChar(u)) : QString();
    for (QChar a : simple) {
        for (QChar b : simple)
            pairs.append(a).append(b);
    }
    const QList<TextSpan> clusters = Clusters(ClusterFinder(pairs));
    QCOMPARE(Characters(pairs), clusters);
    QCOMPARE(CountCharacters(pairs), pairs.size() - pairs.count(LineBreak));
    // Handed ICU three code units at a time, the finder's windows start where clusters
    // do and never end inside a surrogate pair.
    QCOMPARE(Clusters(ClusterFinder(pairs, 3)), clusters);
    QCOMPARE(Clusters(ClusterFinder(u"\U0001F600\U0001F600"_qs, 3)),
             (QList<TextSpan> {{0, 2}, {2, 2}}));
}

QTEST_APPLESS_MAIN(tst_Engine)
#include "tst_engine.moc"
