// Gradients through stops: colours worked out by hand and with a separate
// script (each step of the rule written out plainly, with the powers and cube
// roots of the maths library), and properties over random lists of stops.

#include "engine/stopslist.h"
#include "engine/stripes.h"
#include "tests/common/settings.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace huevane;

namespace {

// "RRGGBB@P,..." with every position given.
QList<Stop> stopsOf(const QString &list)
{
    QList<Stop> stops;
    for (const QString &item : list.split(u',')) {
        const uint rgb = item.section(u'@', 0, 0).toUInt(nullptr, 16);
        stops.append(
            {quint8(rgb >> 16), quint8(rgb >> 8), quint8(rgb), item.section(u'@', 1).toDouble()});
    }
    return stops;
}

QString hex(const CharColour &c)
{
    return QString::asprintf("%02X%02X%02X", c.red, c.green, c.blue);
}

} // namespace

class tst_Stops : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedOut_data();
    void workedOut();
    void linearToComponent();
    void randomStops();
    void stripes();
    void gradientText_data();
    void gradientText();
    void stopsTextReadsBack();
};

void tst_Stops::workedOut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stops");
    QTest::addColumn<int>("space");
    QTest::addColumn<bool>("longer");
    QTest::addColumn<test::Gradient>("gradient"); // type, centre and per line
    QTest::addColumn<QString>("colours");

    const int rgb = int(ColourSpace::Rgb), oklab = int(ColourSpace::Oklab);
    const int oklch = int(ColourSpace::Oklch), hsl = int(ColourSpace::Hsl);
    const test::Gradient one, two {{}, {}, 2, {}}, three {{}, {}, 3, {}};
    const test::Gradient twoPerLine {{}, {}, 2, {}, true};
    const QString threeStops = "FF0000@0,00FF00@50,0000FF@100";
    const QString orange = "000000@0,FF8000@100";
    // clang-format off
    QTest::newRow("three stops evenly, rgb") << "abcde" << threeStops << rgb << false << one << "FF0000 808000 00FF00 008080 0000FF";
    QTest::newRow("positions given, rgb") << "abcdef" << "000000@0,FFFFFF@20,000000@100" << rgb << false << one << "000000 FFFFFF BFBFBF 808080 404040 000000";
    QTest::newRow("hard edge, rgb") << "abcde" << "FF0000@0,FF0000@50,0000FF@50,0000FF@100" << rgb << false << one << "FF0000 FF0000 0000FF 0000FF 0000FF";
    QTest::newRow("ends inside the run, rgb") << "abcdefghijk" << "FF0000@20,0000FF@70" << rgb << false << one << "FF0000 FF0000 FF0000 CC0033 990066 660099 3300CC 0000FF 0000FF 0000FF 0000FF";
    QTest::newRow("one character, type 1") << "a" << threeStops << oklab << false << one << "FF0000";
    QTest::newRow("one character, type 2") << "a" << threeStops << oklab << false << two << "0000FF";
    QTest::newRow("one character, type 3") << "a" << threeStops << oklab << false << three << "0000FF";
    QTest::newRow("type 2 per line, rgb") << "abc\r\n\r\nwxyz" << threeStops << rgb << false << twoPerLine << "0000FF 00FF00 FF0000 0000FF 00AA55 55AA00 FF0000";
    // Turning points 3.5 and 1.5 of the lines, rounded half to even.
    QTest::newRow("type 3 per line, rgb") << "abcdefg\r\nxyz" << orange << rgb << false << test::Gradient {{}, {}, 3, 5, true} << "000000 402000 804000 BF6000 FF8000 804000 000000 000000 804000 FF8000";
    QTest::newRow("type 3, turn past the end") << "abc\r\nde" << orange << rgb << false << test::Gradient {{}, {}, 3, 9} << "000000 402000 804000 BF6000 FF8000";
    QTest::newRow("type 3, turn below 0") << "abcd" << orange << rgb << false << test::Gradient {{}, {}, 3, -4} << "FF8000 AA5500 552B00 000000";
    QTest::newRow("oklab, red to green") << "abcde" << "FF0000@0,00FF00@100" << oklab << false << one << "FF0000 ED7300 D0A800 A0D500 00FF00";
    QTest::newRow("oklab, positions given") << "abcdefgh" << "FFFFFF@0,FF0000@30,000080@100" << oklab << false << one << "FFFFFF FFA696 FF2A1F CE3041 993A5A 66376B 342977 000080";
    QTest::newRow("oklch, shorter") << "abcde" << "FF0000@0,0000FF@100" << oklch << false << one << "FF0000 E8007B BA00C2 7A00F4 0000FF";
    QTest::newRow("oklch, longer") << "abcde" << "FF0000@0,0000FF@100" << oklch << true << one << "FF0000 BC6300 009300 0082B2 0000FF";
    QTest::newRow("oklch, grey takes the hue") << "abcde" << "808080@0,00A0FF@100" << oklch << false << one << "808080 718AA0 5E92C0 449ADF 00A0FF";
    QTest::newRow("hsl, shorter") << "abcde" << "FF0000@0,0000FF@100" << hsl << false << one << "FF0000 FF0080 FF00FF 8000FF 0000FF";
    QTest::newRow("hsl, longer") << "abcde" << "FF0000@0,0000FF@100" << hsl << true << one << "FF0000 FFFF00 00FF00 00FFFF 0000FF";
    QTest::newRow("hsl, equal hues once round") << "abcde" << "FF0000@0,FF0000@100" << hsl << true << one << "FF0000 80FF00 00FFFF 8000FF FF0000";
    QTest::newRow("hsl, white takes the hue, type 2 per line") << "abcd\r\nxyz" << "FFFFFF@0,00C000@100" << hsl << false << twoPerLine << "00C000 4EDC4E B8DCB8 FFFFFF 00C000 88D788 FFFFFF";
    // clang-format on
}

void tst_Stops::workedOut()
{
    QFETCH(QString, text);
    QFETCH(QString, stops);
    QFETCH(int, space);
    QFETCH(bool, longer);
    QFETCH(test::Gradient, gradient);
    QFETCH(QString, colours);
    gradient.stops = {stopsOf(stops), ColourSpace(space),
                      longer ? HueRule::Longer : HueRule::Shorter};
    QStringList found;
    for (const CharColour &c : test::Coloured(text, gradient).colours)
        found.append(hex(c));
    QCOMPARE(found.join(u' '), colours);
}

// The fast conversion from linear light agrees with the formula everywhere, and
// most closely looked at where the formula's value passes a half.
void tst_Stops::linearToComponent()
{
    const auto check = [](double x) {
        QVERIFY2(ComponentFromLinear(x) == ComponentFromLinearByFormula(x),
                 qPrintable(QString::number(x, 'g', 17)));
    };
    for (int v = 0; v < 256; ++v) {
        const double half = (v + 0.5) / 255.0;
        double x = half <= 0.04045 ? half / 12.92 : std::pow((half + 0.055) / 1.055, 2.4);
        for (int i = 0; i < 64; ++i)
            x = std::nextafter(x, -1.0);
        for (int i = 0; i < 128; ++i, x = std::nextafter(x, 2.0))
            check(x);
    }
    QRandomGenerator random(11);
    for (int i = 0; i < 200000; ++i)
        check(random.generateDouble() * 1.2 - 0.1);
    for (double x : {-1e300, -0.0, 0.0, 1.0, 1e300, qInf(), -qInf(), qQNaN()})
        check(x);
}

// Random lists of stops placed on characters: at a stop's own place its colour,
// the first stop's where several share the first place, the last one's
// elsewhere; in rgb, between two stops, no component leaves their range.
void tst_Stops::randomStops()
{
    QRandomGenerator random(5);
    for (int round = 0; round < 3000; ++round) {
        const int n = random.bounded(2, 120);
        StopGradient gradient {{}, ColourSpace(random.bounded(4)), HueRule(random.bounded(2))};
        QList<int> places(random.bounded(FewestStops, MostStops + 1));
        for (int &place : places)
            place = random.bounded(n);
        std::sort(places.begin(), places.end());
        for (int place : places) {
            const quint32 rgb = random.generate();
            gradient.stops.append(
                {quint8(rgb), quint8(rgb >> 8), quint8(rgb >> 16), 100.0 * place / (n - 1)});
        }
        const QList<CharColour> colours =
            test::Coloured(QString(n, u'x'), {.stops = gradient}).colours;
        QCOMPARE(colours.size(), n);
        for (qsizetype k = 0; k < gradient.stops.size(); ++k) {
            const Stop &s = gradient.stops[k];
            const int place = places[k];
            const bool shown =
                place == places.first() ? k == 0 : k + 1 == places.size() || places[k + 1] != place;
            if (shown)
                QCOMPARE(hex(colours[place]), hex({0, 0, s.red, s.green, s.blue}));
            if (gradient.space != ColourSpace::Rgb || k + 1 == places.size())
                continue;
            const Stop &t = gradient.stops[k + 1];
            for (int j = place + 1; j < places[k + 1]; ++j) {
                const quint8 got[3] = {colours[j].red, colours[j].green, colours[j].blue};
                const quint8 a[3] = {s.red, s.green, s.blue}, b[3] = {t.red, t.green, t.blue};
                for (int i = 0; i < 3; ++i)
                    QVERIFY(got[i] >= std::min(a[i], b[i]) && got[i] <= std::max(a[i], b[i]));
            }
        }
    }
}

// A type preview through stops: stripe i shows the colour of character i of a
// one-line text of as many characters, for every kind and turning point; two
// colours in another space than rgb are the stops at 0 and 100, each component
// brought into 0..255 and rounded first.
void tst_Stops::stripes()
{
    QRandomGenerator random(23);
    const auto component = [&] { return float(random.bounded(-6000, 32001)) / 100.0f; };
    for (int round = 0; round < 1000; ++round) {
        const int n = random.bounded(1, 80);
        Gradient g;
        g.type = GradientType(random.bounded(1, 4));
        g.centre = random.bounded(-3, n + 4);
        g.space = ColourSpace(random.bounded(round % 2 ? 0 : 1, 4));
        g.hue = HueRule(random.bounded(2));
        g.start = {component(), component(), component()};
        g.end = {component(), component(), component()};
        if (round % 2) {
            for (double at = 0; at <= 100; at += random.bounded(1, 60)) {
                const quint32 rgb = random.generate();
                g.stops.append({quint8(rgb), quint8(rgb >> 8), quint8(rgb >> 16), at});
            }
            g.stops.append({0, 128, 255, 100});
        }
        const QList<CharColour> colours = *ComputeCharColours(PreparedText(QString(n, u'x')), g);
        const auto shown = [&](int i) {
            const CharColour &c = colours[std::min(i, n - 1)];
            return PackColour(c.red, c.green, c.blue);
        };
        StripeStepper stepper({g, n});
        for (int i = 1; i <= n + 1; stepper.advance(i++))
            QCOMPARE(stepper.colour(), shown(i - 1));
        StripeStepper leaping({g, n});
        const int to = random.bounded(1, n + 2);
        leaping.advanceOver(1, to - 1);
        QCOMPARE(leaping.colour(), shown(to - 1));
    }
    Gradient g;
    g.start = {300, -5, 128.5f};
    g.end = {12.5f, 0.4f, 255.5f};
    g.space = ColourSpace::Oklch;
    QCOMPARE(StopsOf(g)->stops, (QList<Stop> {{255, 0, 128, 0}, {12, 0, 255, 100}}));
}

void tst_Stops::gradientText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read"); // every stop with its place, or the problem's start
    // clang-format off
    QTest::newRow("stops, places spread") << "FF0000,ffff00@30,#0000FF,000000" << "FF0000@0,FFFF00@30,0000FF@65,000000@100";
    QTest::newRow("stops, blanks around commas") << "  FF0000 , 0000FF@40\t" << "FF0000@0,0000FF@40";
    QTest::newRow("stops, bad one named") << "FF0000,F00,0000FF" << "stop 2, 'F00', is not a stop";
    QTest::newRow("stops, a place going down") << "FF0000@50,0000FF@20" << "stop 2, '0000FF@20', lies before stop 1";
    QTest::newRow("stops, one") << "FF0000" << "stop 1, 'FF0000', is the only one";
    QTest::newRow("css, direction passed over, short hex") << "linear-gradient(to right, #f00, #FF0 30%, #0000ff);" << "FF0000@0,FFFF00@30,0000FF@100";
    QTest::newRow("css, angle and a hard edge") << "LINEAR-GRADIENT(90deg,#000 0,#fff 20% 50%,#000)" << "000000@0,FFFFFF@20,FFFFFF@50,000000@100";
    QTest::newRow("css, a place below an earlier one raised") << "linear-gradient(#f00 60%, #0f0 20%, #00f)" << "FF0000@60,00FF00@60,0000FF@100";
    QTest::newRow("css, unplaced between placed") << "linear-gradient(#f00 10%, #0f0, #00f, #fff 70%)" << "FF0000@10,00FF00@30,0000FF@50,FFFFFF@70";
    QTest::newRow("css, named colour") << "linear-gradient(red, #00f)" << "stop 1, 'red', is not a hexadecimal colour";
    QTest::newRow("css, rgb()") << "linear-gradient(#f00, rgb(0, 0, 255))" << "stop 2, 'rgb(0, 0, 255)', is not a hexadecimal colour";
    QTest::newRow("css, transparency") << "linear-gradient(#f00, #0000ff80)" << "stop 2, '#0000ff80', has transparency";
    QTest::newRow("css, a length") << "linear-gradient(#f00 10px, #00f)" << "stop 1, '#f00 10px', has a place that is not a percentage";
    QTest::newRow("css, past 100%") << "linear-gradient(#f00, #00f 120%)" << "stop 2, '#00f 120%', lies outside 0% to 100%";
    QTest::newRow("css, a hint") << "linear-gradient(#f00, 30%, #00f)" << "stop 2, '30%', is a hint";
    QTest::newRow("css, a space to mix in") << "linear-gradient(in oklch, #f00, #00f)" << "'in oklch' names a space";
    QTest::newRow("css, one stop") << "linear-gradient(45deg, #f00)" << "stop 1, '#f00', is the only one";
    QTest::newRow("css, not closed") << "linear-gradient(#f00, #00f" << "the linear-gradient( is not closed";
    QTest::newRow("another function") << "radial-gradient(#f00, #00f)" << "'radial-gradient(' is not read";
    QTest::newRow("nothing") << "" << "stop 1, '', is not a stop";
    // clang-format on
}

void tst_Stops::gradientText()
{
    QFETCH(QString, text);
    QFETCH(QString, read);
    QList<Stop> stops {{1, 2, 3, 4}};
    const QString problem = ParseGradientText(text, stops);
    if (!problem.isEmpty()) {
        QVERIFY2(problem.startsWith(read), qPrintable(problem));
        return;
    }
    QStringList found;
    for (const Stop &s : stops)
        found.append(QString::asprintf("%02X%02X%02X@", s.red, s.green, s.blue)
                     + QString::number(s.position));
    QCOMPARE(found.join(u','), read);
}

// Written and read again, stops come back exactly, places included; a place is
// written only where reading would put the stop elsewhere.
void tst_Stops::stopsTextReadsBack()
{
    QRandomGenerator random(31);
    for (int round = 0; round < 2000; ++round) {
        QList<Stop> stops(random.bounded(FewestStops, MostStops + 1));
        const bool even = round % 3 == 0;
        double at = round % 4 ? random.bounded(30.0) : 0.0;
        for (qsizetype k = 0; k < stops.size(); ++k) {
            const quint32 rgb = random.generate();
            at = even ? 100.0 * double(k) / double(stops.size() - 1)
                      : std::min(100.0, at + random.bounded(3) * random.bounded(20.0));
            stops[k] = {quint8(rgb), quint8(rgb >> 8), quint8(rgb >> 16), at};
        }
        const QString text = StopsText(stops);
        QList<Stop> read;
        QVERIFY2(ParseGradientText(text, read).isEmpty(), qPrintable(text));
        QCOMPARE(read, stops);
        if (even)
            QVERIFY2(!text.contains(u'@'), qPrintable(text));
    }
    QCOMPARE(StopsText({{255, 0, 0, 0}, {255, 255, 0, 30}, {0, 0, 255, 100}}),
             "FF0000,FFFF00@30,0000FF");
    QCOMPARE(StopsText({{0, 0, 0, 12.5}, {1, 2, 3, 56.25}, {10, 11, 12, 100}}),
             "000000@12.5,010203,0A0B0C");
}

QTEST_APPLESS_MAIN(tst_Stops)
#include "tst_stops.moc"
