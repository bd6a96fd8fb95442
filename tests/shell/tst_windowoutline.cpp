#include "shell/windowoutline.h"

#include <QTest>

using namespace huevane;

class tst_WindowOutline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void vertices_data();
    void vertices();
    void regionAtStandardScale_data();
    void regionAtStandardScale();
};

void tst_WindowOutline::vertices_data()
{
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("15: first") << 15.0 << 0 << QPoint(0, 0);
    QTest::newRow("15: tab corner") << 15.0 << 3 << QPoint(150, 1);
    QTest::newRow("15: strip step") << 15.0 << 8 << QPoint(341, 22);
    QTest::newRow("15: right edge") << 15.0 << 14 << QPoint(630, 414);
    QTest::newRow("15: bottom step") << 15.0 << 31 << QPoint(358, 450);
    QTest::newRow("15: last") << 15.0 << 43 << QPoint(0, 420);
    // At 12 twips per pixel the ties go to the even neighbour.
    QTest::newRow("12: 2250 / 12 = 187.5 gives 188") << 12.0 << 3 << QPoint(188, 1);
    QTest::newRow("12: 9375 / 12 = 781.25 gives 781") << 12.0 << 9 << QPoint(781, 28);
    QTest::newRow("12: 2235 / 12 = 186.25, 15 / 12 = 1.25") << 12.0 << 2 << QPoint(186, 1);
    QTest::newRow("12: 5070 / 12 = 422.5 gives 422") << 12.0 << 5 << QPoint(422, 5);
}

void tst_WindowOutline::vertices()
{
    QFETCH(double, twipsPerPixel);
    QFETCH(int, index);
    QFETCH(QPoint, expected);
    const QPolygon polygon = WindowOutlinePolygon(twipsPerPixel, twipsPerPixel);
    QCOMPARE(polygon.size(), 44);
    QCOMPARE(polygon.at(index), expected);
}

void tst_WindowOutline::regionAtStandardScale_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("inside");

    QTest::newRow("top-left corner") << QPoint(0, 0) << true;
    QTest::newRow("title tab") << QPoint(100, 2) << true;
    QTest::newRow("right of the tab, above the strip") << QPoint(400, 10) << false;
    QTest::newRow("just right of x 341 above y 22") << QPoint(342, 21) << false;
    QTest::newRow("strip") << QPoint(500, 30) << true;
    QTest::newRow("last column inside") << QPoint(629, 200) << true;
    QTest::newRow("column 630 outside") << QPoint(630, 200) << false;
    QTest::newRow("bottom row left of 358") << QPoint(200, 449) << true;
    QTest::newRow("below y 447 right of 359") << QPoint(450, 448) << false;
    QTest::newRow("bottom-right corner") << QPoint(629, 449) << false;
    QTest::newRow("rounded bottom-left corner") << QPoint(0, 449) << false;
    QTest::newRow("middle") << QPoint(316, 225) << true;
}

void tst_WindowOutline::regionAtStandardScale()
{
    QFETCH(QPoint, point);
    QFETCH(bool, inside);
    const QRegion region(WindowOutlinePolygon(15, 15), Qt::OddEvenFill);
    QCOMPARE(region.boundingRect(), QRect(0, 0, 630, 450));
    QCOMPARE(region.contains(point), inside);
}

QTEST_GUILESS_MAIN(tst_WindowOutline)
#include "tst_windowoutline.moc"
