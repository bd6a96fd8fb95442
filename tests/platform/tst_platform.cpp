#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

#include <cmath>

using namespace huevane;

// The box around the pixels of @p colour (or of any other colour), and how many there are.
static std::pair<QRect, int> PixelsOf(const QImage &image, QColor colour, bool other = false)
{
    std::pair<QRect, int> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixelColor(x, y) == colour) != other)
                found = {found.first | QRect(x, y, 1, 1), found.second + 1};
    return found;
}

class tst_Platform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twipsToWholePixels()
    {
        // Ties go to the even pixel; a scale that is not a positive number counts as 15.
        // clang-format off
        const struct { double twips, scale; int pixels; } rows[] = {{22.5, 15, 2}, {37.5, 15, 2}, {52.5, 15, 4}, {-22.5, 15, -2}, {25, 10, 2}, {30, 0, 2}, {30, -3, 2}, {30, qQNaN(), 2}};
        // clang-format on
        for (const auto &row : rows)
            QCOMPARE(TwipsToPixels(row.twips, row.scale), row.pixels);
        const QScreen *screen = QGuiApplication::primaryScreen();
        QCOMPARE(TwipsPerPixelX() * screen->logicalDotsPerInchX(), 1440.0);
        QCOMPARE(TwipsRect(15, 45, 105, 150), QRect(1, 3, 7, 10));
    }

    void colourValues()
    {
        // System colours show the window's own values, never the desktop's: white
        // boxes, black text and light grey buttons under a palette of other colours.
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(QPalette(Qt::darkRed, Qt::darkBlue));
        QCOMPARE(ResolveColour(0x80000005), QColor(Qt::white));
        QCOMPARE(ResolveColour(0x80000008), QColor(Qt::black));
        QCOMPARE(ResolveColour(0x8000000F), QColor(0xef, 0xef, 0xef));
        QApplication::setPalette(saved);
        // Red in the lowest byte; the top byte counts only for its system bit.
        QCOMPARE(ResolveColour(0x7F563412), QColor(0x12, 0x34, 0x56));
        QCOMPARE(ToColourValue(QColor(0x12, 0x34, 0x56, 9)), 0x563412u);
    }

    // Shapes in twips land on whole pixels, both corners or ends included; what is drawn
    // stays through growing, and what a shrink cuts off comes back as background; a new
    // background wipes all but the picture.
    void keepsItsDrawing()
    {
        QWidget host;
        auto *surface = new DrawingSurface(&host);
        surface->resize(110, 20);
        QPixmap picture(4, 3);
        picture.fill(Qt::blue);
        surface->setPicture(picture);
        surface->setBackColor(0x00FF00);
        surface->fillRectangle(1035, 135, 900, 75, 0x0000FF);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        surface->resize(150, 40);
        const QImage shown = surface->grab().toImage();
        QCOMPARE(PixelsOf(shown, Qt::red), std::make_pair(QRect(60, 5, 10, 5), 50));
        QCOMPARE(PixelsOf(shown, Qt::blue), std::make_pair(QRect(0, 0, 4, 3), 12));
        QCOMPARE(PixelsOf(shown, Qt::green).second, 150 * 40 - 62);
        surface->resize(50, 20);
        surface->resize(110, 20);
        QCOMPARE(PixelsOf(surface->grab().toImage(), Qt::red).second, 0);
        surface->rectangle(0, 0, 1635, 285, 0x0000FF);
        surface->line(15, 15, 150, 15, 0x0000FF);
        QCOMPARE(PixelsOf(surface->image(), Qt::red), std::make_pair(QRect(0, 0, 110, 20), 266));
    }

    // At the screen's device pixel ratio (run at 1, 1.75 and 2): the kept picture covers
    // the widget in device pixels, a part of one counting whole, and a new background
    // fills it all; a one-pixel outline is a pixel thick in whole device pixels, never
    // a hair-line of one device pixel.
    void drawsAtTheScreensRatio()
    {
        DrawingSurface surface;
        surface.resize(87, 20);
        const qreal ratio = surface.devicePixelRatioF();
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
        surface.setBackColor(0x0000FF);
        surface.setBackColor(0x00FF00);
        const QRect device(0, 0, int(std::ceil(87 * ratio)), int(std::ceil(20 * ratio)));
        QCOMPARE(PixelsOf(surface.image(), Qt::green),
                 std::make_pair(device, device.width() * device.height()));
        surface.rectangle(0, 0, 86 * 15, 19 * 15, 0x0000FF);
        // Across the middle row and down the middle column: the widget's last whole device
        // pixel ends the right edge.
        const QImage image = surface.image();
        for (const QRect line : {QRect(0, device.height() / 2, int(87 * ratio), 1),
                                 QRect(40, 0, 1, device.height())}) {
            const int drawn = PixelsOf(image.copy(line), Qt::red).second;
            QVERIFY2(drawn >= 2 * std::floor(ratio) && drawn <= 2 * std::ceil(ratio),
                     qPrintable(QString::number(drawn)));
        }
    }

    // Text lies inside the box the surface measures for it, and the drawing position
    // moves on by the measured width; lines are one height each, as wide as the widest.
    // After CR LF or LF each further line starts at the same x, one line lower, and the
    // next print starts at the end of the last line.
    void printsWhereItMeasures()
    {
        DrawingSurface surface;
        surface.resize(200, 80);
        const double height = surface.textHeight("Ag");
        QCOMPARE(surface.textHeight("Ag\r\nAg"), 2 * height);
        QCOMPARE(surface.textWidth("AgAg\r\nAg"), surface.textWidth("AgAg"));
        surface.setCurrentX(150);
        surface.setCurrentY(75);
        const QStringList lines {"Hot", "Ag", "Wx"};
        surface.print("Hot\r\nAg\nWx");
        QCOMPARE(surface.currentX(), 150 + surface.textWidth(lines.last()));
        QCOMPARE(surface.currentY(), 75 + 2 * height);
        for (int k = 0; k < lines.size(); ++k) {
            const QImage band =
                surface.image().copy(0, qRound((75 + k * height) / 15), 200, qRound(height / 15));
            const QRect ink = PixelsOf(band, band.pixelColor(0, 0), true).first;
            QVERIFY(!ink.isEmpty()
                    && QRectF(10, 0, surface.textWidth(lines[k]) / 15, height / 15).contains(ink));
        }
    }

    void mouseAndCapture()
    {
        QWidget host;
        host.resize(200, 100);
        auto *surface = new DrawingSurface(&host);
        surface->setGeometry(20, 20, 110, 20);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QList<float> seen;
        connect(surface, &DrawingSurface::mouseDown, [&](int &b, int &s, float &x, float &y) {
            seen = {float(b), float(s), x, y};
        });
        const auto modifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
        QTest::mousePress(host.windowHandle(), Qt::RightButton, modifiers, QPoint(23, 24));
        QCOMPARE(seen, (QList<float> {2, 7, 45, 60}));

        // Someone else's capture is not ours to release; a hidden surface holds none.
        host.grabMouse();
        surface->releaseCapture();
        QCOMPARE(QWidget::mouseGrabber(), &host);
        surface->setCapture();
        QVERIFY(surface->hasCapture());
        surface->hide();
        QVERIFY(!surface->hasCapture());
        surface->setCapture();
        QVERIFY(!surface->hasCapture());
    }
};

QTEST_MAIN(tst_Platform)
#include "tst_platform.moc"
