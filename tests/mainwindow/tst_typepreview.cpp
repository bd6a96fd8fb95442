#include "mainwindow/typepreview.h"
#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QTest>

#include <cmath>

using namespace huevane;

Q_DECLARE_METATYPE(huevane::ColourTriplet)

namespace {

constexpr double Width = 2325.0; // twips: the previews' width
constexpr double Tpp = 15.0;
constexpr int Columns = 155;

QColor Unpack(quint32 colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

bool Near(quint32 shown, double red, double green, double blue)
{
    const QColor c = Unpack(shown);
    return std::abs(c.red() - red) <= 1.0 && std::abs(c.green() - green) <= 1.0
        && std::abs(c.blue() - blue) <= 1.0;
}

// The stripe whose colour column p shows: the last one that starts at or before it.
qint64 StripeAt(int p, qint32 n)
{
    qint64 stripe = 1;
    for (qint64 i = 1; i <= qint64(n) + 1; ++i) {
        const float x = static_cast<float>(Width / n * double(i - 1));
        if (TwipsToPixels(x, Tpp) <= p)
            stripe = i;
    }
    return stripe;
}

// Every stripe painted as the full rectangle from its left edge to the right edge,
// one after the other, with the colour stepped as the rules say.
QList<quint32> PaintedRectangles(const StripeSettings &s)
{
    QList<quint32> columns(Columns, 0);
    const double n = s.count;
    const double d = n - 1 > 0 ? n - 1 : n;
    const float from[3] = {s.kind == 2 ? s.end.red : s.start.red,
                           s.kind == 2 ? s.end.green : s.start.green,
                           s.kind == 2 ? s.end.blue : s.start.blue};
    const float to[3] = {s.kind == 2 ? s.start.red : s.end.red,
                         s.kind == 2 ? s.start.green : s.end.green,
                         s.kind == 2 ? s.start.blue : s.end.blue};
    float delta[3];
    float colour[3];
    for (int c = 0; c < 3; ++c) {
        delta[c] = float((double(to[c]) - double(from[c])) / d);
        colour[c] = (s.kind == 3 && s.centre <= 0) ? to[c] : from[c];
    }
    const float k1 = float(n / (s.centre == 0 ? 1 : s.centre));
    const double m2 = std::nearbyint(n - (s.centre + 2.0));
    const float k2 = float(n / (m2 == 0 ? 1 : m2));
    for (qint64 i = 1; i <= qint64(n) + 1; ++i) {
        const float x = float(Width / n * double(i - 1));
        const quint32 packed = PackColour(ColourTriplet {colour[0], colour[1], colour[2]});
        for (int p = TwipsToPixels(x, Tpp); p < Columns; ++p)
            columns[p] = packed;
        for (int c = 0; c < 3; ++c) {
            double next;
            if (s.kind != 3)
                next = double(colour[c]) + double(delta[c]);
            else if (s.centre >= i)
                next = double(colour[c]) + double(delta[c]) * double(k1);
            else
                next = double(colour[c]) - double(delta[c]) * double(k2);
            colour[c] = std::clamp(float(next), 0.0f, 255.0f);
        }
    }
    return columns;
}

const ColourTriplet Orange {255, 70, 30};
const ColourTriplet Yellow {255, 255, 0};

} // namespace

class TestTypePreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stripesMatchPaintedRectangles_data();
    void stripesMatchPaintedRectangles();
    void firstTypeRunsStraightFromStartToEnd();
    void thirdTypeRisesToTheCentreAndFalls();
    void equalColoursGiveOnePlainColour();
    void firstStripeTakesComponentsAboveRangeAs255();
    void nothingToDraw();
    void surfaceShowsTheColumns();
    void centreFromDrag_data();
    void centreFromDrag();
    void wholeTextLength_data();
    void wholeTextLength();
};

void TestTypePreview::stripesMatchPaintedRectangles_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("centre");

    QTest::newRow("type 1, one character") << 1 << 1 << 0;
    QTest::newRow("type 1, 7 wide stripes") << 1 << 7 << 3;
    QTest::newRow("type 2, 90 characters") << 2 << 90 << 45;
    QTest::newRow("type 1, one stripe per pixel") << 1 << 155 << 77;
    QTest::newRow("type 2, just over a stripe per pixel") << 2 << 156 << 78;
    QTest::newRow("type 3, sample centre") << 3 << 90 << 47;
    QTest::newRow("type 3, centre 0") << 3 << 90 << 0;
    QTest::newRow("type 3, centre at the end") << 3 << 90 << 90;
    QTest::newRow("type 3, centre past the end") << 3 << 90 << 120;
    QTest::newRow("type 3, n - (c + 2) is 0") << 3 << 90 << 88;
    QTest::newRow("type 3, negative centre") << 3 << 90 << -5;
    QTest::newRow("type 1, 1000 narrow stripes") << 1 << 1000 << 500;
    QTest::newRow("type 3, 100000 narrow stripes") << 3 << 100000 << 31000;
}

void TestTypePreview::stripesMatchPaintedRectangles()
{
    QFETCH(int, kind);
    QFETCH(int, count);
    QFETCH(int, centre);
    const StripeSettings settings {quint8(kind), Orange, ColourTriplet {20, 255, 200}, count,
                                   centre};
    QCOMPARE(StripeColumns(settings, Width, Tpp, Columns), PaintedRectangles(settings));
}

void TestTypePreview::firstTypeRunsStraightFromStartToEnd()
{
    const qint32 n = 90;
    const QList<quint32> columns = StripeColumns({1, Orange, Yellow, n, 45}, Width, Tpp, Columns);
    for (int p : {0, 1, 40, 77, 120, 154}) {
        const double t = double(StripeAt(p, n) - 1) / (n - 1);
        QVERIFY2(Near(columns[p], 255, 70 + 185 * t, 30 - 30 * t),
                 qPrintable(QStringLiteral("column %1").arg(p)));
    }
    QVERIFY(Near(columns.last(), 255, 255, 0));
    // Type 2 starts at the end colour, and so does type 3 with its centre at 0.
    QCOMPARE(StripeColumns({2, Orange, Yellow, n, 45}, Width, Tpp, Columns).first(),
             PackColour(Yellow));
    QCOMPARE(StripeColumns({3, Orange, Yellow, n, 0}, Width, Tpp, Columns).first(),
             PackColour(Yellow));
    // A single character is one stripe over the whole preview.
    QCOMPARE(
        StripeColumns({2, Orange, Yellow, 1, 0}, Width, Tpp, Columns).count(PackColour(Yellow)),
        Columns);
}

void TestTypePreview::thirdTypeRisesToTheCentreAndFalls()
{
    // Red rises by 2 x 178 / 89 = 4 a stripe up to stripe c + 1 = 46 (180), then falls
    // by 178 / 89 x 90 / 43 a stripe down to 0.
    const qint32 n = 90;
    const qint32 c = 45;
    const QList<quint32> columns = StripeColumns(
        {3, ColourTriplet {0, 0, 0}, ColourTriplet {178, 0, 0}, n, c}, Width, Tpp, Columns);
    for (int p : {0, 30, 60, 77, 79, 100, 140, 154}) {
        const qint64 i = StripeAt(p, n);
        const double red =
            i <= c + 1 ? 4.0 * (i - 1) : std::max(0.0, 180.0 - (i - c - 1) * 2.0 * 90 / 43);
        QVERIFY2(Near(columns[p], red, 0, 0),
                 qPrintable(QStringLiteral("column %1, stripe %2: %3 for %4")
                                .arg(p)
                                .arg(i)
                                .arg(Unpack(columns[p]).red())
                                .arg(red)));
    }
}

void TestTypePreview::equalColoursGiveOnePlainColour()
{
    for (quint8 kind : {1, 2, 3}) {
        const QList<quint32> columns =
            StripeColumns({kind, Orange, Orange, 90, 30}, Width, Tpp, Columns);
        QCOMPARE(columns.count(PackColour(Orange)), Columns);
    }
}

void TestTypePreview::firstStripeTakesComponentsAboveRangeAs255()
{
    const QList<quint32> columns = StripeColumns(
        {1, ColourTriplet {300, -20, 0}, ColourTriplet {300, -20, 0}, 10, 5}, Width, Tpp, Columns);
    QCOMPARE(columns.first(), PackColour(255, 0, 0));
    QCOMPARE(columns.last(), PackColour(255, 0, 0));
}

void TestTypePreview::nothingToDraw()
{
    QVERIFY(StripeColumns({1, Orange, Yellow, 0, 0}, Width, Tpp, Columns).isEmpty());
    QVERIFY(StripeColumns({0, Orange, Yellow, 90, 0}, Width, Tpp, Columns).isEmpty());
    QVERIFY(StripeColumns({4, Orange, Yellow, 90, 0}, Width, Tpp, Columns).isEmpty());
}

void TestTypePreview::surfaceShowsTheColumns()
{
    DrawingSurface surface;
    surface.resize(TwipsToPixels(Width, TwipsPerPixelX()), 19);
    const StripeSettings settings {3, Orange, Yellow, 90, 47};
    PaintTypePreview(surface, settings);
    const QImage image = surface.image();
    const QList<quint32> columns =
        StripeColumns(settings, surface.scaleWidth(), TwipsPerPixelX(), surface.width());
    for (int p = 0; p < surface.width(); p += 7) {
        for (int y : {0, 9, 18})
            QCOMPARE(image.pixelColor(p, y), Unpack(columns[p]));
    }
}

void TestTypePreview::centreFromDrag_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("expected"); // -1: the centre stays

    QTest::newRow("inside: stripes of 26 twips") << 1000.0 << 2325.0 << 90 << 38;
    QTest::newRow("left edge") << 0.0 << 2325.0 << 90 << 0;
    QTest::newRow("right edge") << 2325.0 << 2325.0 << 90 << 89;
    QTest::newRow("right edge, W / n = 3.6 gives c below n") << 360.0 << 360.0 << 100 << 90;
    QTest::newRow("right edge, W / n = 3.4 gives c above n") << 340.0 << 340.0 << 100 << 113;
    QTest::newRow("left of the preview") << -0.5 << 2325.0 << 90 << -1;
    QTest::newRow("right of the preview") << 2325.5 << 2325.0 << 90 << -1;
    QTest::newRow("no characters") << 100.0 << 2325.0 << 0 << -1;
    QTest::newRow("stripe width rounds to 0") << 100.0 << 2325.0 << 5000 << -1;
    QTest::newRow("stripe width 0.5 rounds to 0") << 50.0 << 100.0 << 200 << -1;
    QTest::newRow("stripe width 1.5 rounds to 2") << 51.0 << 150.0 << 100 << 26;
}

void TestTypePreview::centreFromDrag()
{
    QFETCH(double, x);
    QFETCH(double, width);
    QFETCH(int, count);
    QFETCH(int, expected);
    const std::optional<qint32> centre = CentreFromDrag(x, width, count);
    if (expected < 0)
        QVERIFY(!centre.has_value());
    else
        QCOMPARE(centre, std::optional<qint32>(expected));
}

void TestTypePreview::wholeTextLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<int>("middle");

    QTest::newRow("sample text") << QStringLiteral(
        "Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\n"
        "Try it out - it's even more fun!!!")
                                 << qint64(94) << 47;
    QTest::newRow("empty") << QString() << qint64(0) << 0;
    QTest::newRow("line break at the end counts") << QStringLiteral("ab\r\n") << qint64(4) << 2;
    QTest::newRow("empty lines") << QStringLiteral("\r\n\r\nx") << qint64(5) << 2;
    QTest::newRow("accent is part of its letter")
        << QStringLiteral("e\u0301\r\nab") << qint64(5) << 2;
}

void TestTypePreview::wholeTextLength()
{
    QFETCH(QString, text);
    QFETCH(qint64, length);
    QFETCH(int, middle);
    GradientSettings settings;
    SetText(settings, text);
    QCOMPARE(WholeTextLength(settings), length);
    QCOMPARE(Middle(WholeTextLength(settings)), middle);
}

QTEST_MAIN(TestTypePreview)
#include "tst_typepreview.moc"
