#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <limits>

using namespace huevane;

class tst_Twips : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twipsToPixels_data();
    void twipsToPixels();
    void screenScale();
};

void tst_Twips::twipsToPixels_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<int>("pixels");

    QTest::newRow("one pixel") << 15.0 << 15.0 << 1;
    QTest::newRow("1.5 goes to 2") << 22.5 << 15.0 << 2;
    QTest::newRow("2.5 goes to 2") << 37.5 << 15.0 << 2;
    QTest::newRow("3.5 goes to 4") << 52.5 << 15.0 << 4;
    QTest::newRow("-1.5 goes to -2") << -22.5 << 15.0 << -2;
    QTest::newRow("41.47 goes to 41") << 622.0 << 15.0 << 41;
    QTest::newRow("at 144 DPI") << 25.0 << 10.0 << 2;
    QTest::newRow("zero scale counts as 15") << 30.0 << 0.0 << 2;
    QTest::newRow("negative scale counts as 15") << 30.0 << -3.0 << 2;
    QTest::newRow("NaN scale counts as 15")
        << 30.0 << std::numeric_limits<double>::quiet_NaN() << 2;
    QTest::newRow("huge saturates") << 1e300 << 15.0 << std::numeric_limits<qint32>::max();
}

void tst_Twips::twipsToPixels()
{
    QFETCH(double, twips);
    QFETCH(double, twipsPerPixel);
    QFETCH(int, pixels);

    QCOMPARE(TwipsToPixels(twips, twipsPerPixel), pixels);
    if (qAbs(pixels) < 1000000) {
        const double scale = twipsPerPixel > 0 ? twipsPerPixel : 15.0;
        QCOMPARE(TwipsToPixels(PixelsToTwips(pixels, twipsPerPixel), twipsPerPixel), pixels);
        QCOMPARE(PixelsToTwips(pixels, twipsPerPixel), pixels * scale);
    }
}

void tst_Twips::screenScale()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    QCOMPARE(TwipsPerPixelX() * screen->logicalDotsPerInchX(), 1440.0);
    QCOMPARE(TwipsPerPixelY() * screen->logicalDotsPerInchY(), 1440.0);

    // The window's layout at the standard scale: whole pixels, each value on its own.
    if (TwipsPerPixelX() == 15.0 && TwipsPerPixelY() == 15.0) {
        QCOMPARE(TwipsRect(285, 5850, 1650, 300), QRect(19, 390, 110, 20));
        QCOMPARE(TwipsRect(315, 622, 1470, 210), QRect(21, 41, 98, 14));
    }
}

QTEST_MAIN(tst_Twips)
#include "tst_twips.moc"
