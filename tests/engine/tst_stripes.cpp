#include "engine/stripes.h"

#include <QTest>

#include <cmath>

using namespace huevane;

namespace {

// The colours of stripes 1 to count + 1, one after the other.
QList<quint32> Stripes(const StripeSettings &settings)
{
    QList<quint32> colours;
    StripeStepper stepper(settings);
    for (qint64 i = 1; i <= qint64(settings.count) + 1; ++i) {
        colours << stepper.colour();
        stepper.advance(i);
    }
    return colours;
}

bool Near(quint32 shown, double red, double green, double blue)
{
    return std::abs((shown & 0xFF) - red) <= 1.0 && std::abs(((shown >> 8) & 0xFF) - green) <= 1.0
        && std::abs((shown >> 16) - blue) <= 1.0;
}

const ColourTriplet Orange {255, 70, 30};
const ColourTriplet Yellow {255, 255, 0};

} // namespace

class tst_Stripes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstTypeRunsStraightFromStartToEnd();
    void thirdTypeRisesToTheCentreAndFalls();
    void equalColoursGiveOnePlainColour();
    void centreFromDrag_data();
    void centreFromDrag();
};

void tst_Stripes::firstTypeRunsStraightFromStartToEnd()
{
    const qint32 n = 90;
    const QList<quint32> stripes = Stripes({1, Orange, Yellow, n, 45});
    for (qint32 i = 0; i < n; ++i) {
        const double t = double(i) / (n - 1);
        QVERIFY2(Near(stripes[i], 255, 70 + 185 * t, 30 - 30 * t), qPrintable(QString::number(i)));
    }
    // Type 2 starts at the end colour, and so does type 3 with its centre at 0.
    QCOMPARE(Stripes({2, Orange, Yellow, n, 45}).first(), PackColour(Yellow));
    QCOMPARE(Stripes({3, Orange, Yellow, n, 0}).first(), PackColour(Yellow));
}

void tst_Stripes::thirdTypeRisesToTheCentreAndFalls()
{
    // Red rises by 2 x 178 / 89 = 4 a stripe up to stripe c + 1 = 46 (180), then falls
    // by 178 / 89 x 90 / 43 a stripe down to 0.
    const qint32 n = 90;
    const qint32 c = 45;
    const QList<quint32> stripes =
        Stripes({3, ColourTriplet {0, 0, 0}, ColourTriplet {178, 0, 0}, n, c});
    for (qint64 i = 1; i <= n; ++i) {
        const double red =
            i <= c + 1 ? 4.0 * (i - 1) : std::max(0.0, 180.0 - (i - c - 1) * 2.0 * 90 / 43);
        QVERIFY2(Near(stripes[i - 1], red, 0, 0), qPrintable(QString::number(i)));
    }
}

void tst_Stripes::equalColoursGiveOnePlainColour()
{
    for (quint8 kind : {1, 2, 3})
        QCOMPARE(Stripes({kind, Orange, Orange, 90, 30}).count(PackColour(Orange)), 91);
    // The first stripe takes the colour as read, a component above 255 as 255.
    const ColourTriplet beyond {300, -20, 0};
    QCOMPARE(Stripes({1, beyond, beyond, 10, 5}).count(PackColour(255, 0, 0)), 11);
}

void tst_Stripes::centreFromDrag_data()
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

void tst_Stripes::centreFromDrag()
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

QTEST_APPLESS_MAIN(tst_Stripes)
#include "tst_stripes.moc"
