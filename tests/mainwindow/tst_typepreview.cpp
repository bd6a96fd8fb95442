#include "mainwindow/typepreview.h"
#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QTest>

#include <cmath>

using namespace huevane;

namespace {

constexpr double Width = 2325.0; // twips: the previews' width
constexpr double Tpp = 15.0;
constexpr int Columns = 155;

QColor Unpack(quint32 colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
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
    void nothingToDraw();
    void surfaceShowsTheColumns();
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

QTEST_MAIN(TestTypePreview)
#include "tst_typepreview.moc"
