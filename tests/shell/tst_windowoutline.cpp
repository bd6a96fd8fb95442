#include "shell/windowoutline.h"
#include "windowlayout/outline.h"

#include <QTest>

#include <cmath>
#include <tuple>

using namespace huevane;

class tst_WindowOutline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void vertices();
    void regionAtStandardScale_data();
    void regionAtStandardScale();
};

void tst_WindowOutline::vertices()
{
    // Each vertex at the nearest whole pixel on its own axis's scale; at 12 twips a
    // pixel several lie halfway between two, and go to the even one.
    for (const auto &[perPixelX, perPixelY] : {std::pair {15.0, 12.0}, {12.0, 15.0}}) {
        const QPolygon polygon = WindowOutlinePolygon(perPixelX, perPixelY);
        QCOMPARE(polygon.size(), qsizetype(WindowOutlineTwips().size()));
        for (qsizetype i = 0; i < polygon.size(); ++i) {
            const QPoint twips = WindowOutlineTwips()[std::size_t(i)];
            for (const auto &[pixels, from, perPixel] :
                 {std::tuple {polygon[i].x(), twips.x(), perPixelX},
                  {polygon[i].y(), twips.y(), perPixelY}}) {
                const double off = std::abs(pixels * perPixel - from);
                QVERIFY2(off < perPixel / 2 || (off == perPixel / 2 && pixels % 2 == 0),
                         qPrintable(QStringLiteral("vertex %1").arg(i)));
            }
        }
    }
}

void tst_WindowOutline::regionAtStandardScale_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("inside");

    QTest::newRow("top-left corner") << QPoint(0, 0) << true;
    QTest::newRow("title tab") << QPoint(100, 2) << true;
    QTest::newRow("right of the tab, above the strip") << QPoint(400, 10) << false;
    QTest::newRow("just right of the step down to the strip") << QPoint(342, 21) << false;
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
