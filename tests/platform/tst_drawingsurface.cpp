#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QApplication>
#include <QPainter>
#include <QDebug>
#include <QTest>
#include <QWindow>

using namespace huevane;

namespace {

constexpr ColourValue Red = 0x0000FF;
constexpr ColourValue Green = 0x00FF00;
constexpr ColourValue Blue = 0xFF0000;
constexpr ColourValue White = 0xFFFFFF;

// A surface in a larger window, so that the pointer can leave it within the window.
struct Fixture
{
    QWidget host;
    DrawingSurface *surface;

    explicit Fixture(QSize size = QSize(110, 20))
        : surface(new DrawingSurface(&host))
    {
        host.resize(200, 100);
        surface->setGeometry(20, 20, size.width(), size.height());
        surface->setBackColor(White);
        host.show();
    }
    QWindow *window() const { return host.windowHandle(); }
    // Waits for the window and parks the pointer in its far corner, off the surface.
    bool ready()
    {
        if (!QTest::qWaitForWindowExposed(&host))
            return false;
        QTest::mouseMove(window(), QPoint(199, 99));
        return true;
    }
    QPoint inWindow(QPoint surfacePoint) const { return surface->mapTo(&host, surfacePoint); }
};

// Text drawn without smoothing, so that every glyph pixel has the text colour.
QFont PlainFont()
{
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QRect PixelsOf(const QImage &image, const QColor &colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Points written as "x,y x,y ...".
QList<QPoint> Points(const QString &text)
{
    QList<QPoint> points;
    for (const QString &point : text.split(' ', Qt::SkipEmptyParts))
        points << QPoint(point.section(',', 0, 0).toInt(), point.section(',', 1, 1).toInt());
    return points;
}

// The offscreen platform cannot grab the pointer for real and says so on every
// capture; Qt's own routing of a grab works regardless.
QtMessageHandler previousHandler = nullptr;
void QuietAboutGrabbing(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.contains(QLatin1String("does not support grabbing the mouse")))
        previousHandler(type, context, text);
}

} // namespace

class tst_DrawingSurface : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { previousHandler = qInstallMessageHandler(QuietAboutGrabbing); }
    void shapesLandOnWholePixels_data();
    void shapesLandOnWholePixels();
    void keepsItsDrawing_data();
    void keepsItsDrawing();
    void clearShowsBackgroundThenPicture();
    void printsAtTheDrawingPosition();
    void measuresText();
    void bulkPaintingIsKept();
    void mouseArgumentsInTwips_data();
    void mouseArgumentsInTwips();
    void mouseSequences_data();
    void mouseSequences();
    void argumentsPassByReference();
    void keysWithACharacter_data();
    void keysWithACharacter();
    void captureRedirectsTheMouse();
};

void tst_DrawingSurface::shapesLandOnWholePixels_data()
{
    // "<shape> x1 y1 x2 y2" in twips, with the pixels painted and those left alone.
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("painted");
    QTest::addColumn<QString>("untouched");

    const auto row = [](const char *name, const char *shape, const char *on, const char *off) {
        QTest::newRow(name) << QString(shape) << QString(on) << QString(off);
    };
    row("fill includes both corners", "fill 15 30 60 75", "1,2 4,5 4,2 1,5", "0,2 5,5 1,1 4,6");
    row("fill with the corners swapped", "fill 60 75 15 30", "1,2 4,5", "0,2 5,5");
    row("1.5 pixels rounds up to 2", "fill 22.5 0 22.5 0", "2,0", "1,0 3,0");
    row("2.5 pixels rounds down to 2", "fill 37.5 0 37.5 0", "2,0", "1,0 3,0");
    row("outline on the outermost pixels", "outline 0 0 1635 285",
        "0,0 50,0 109,0 0,10 109,10 0,19 50,19 109,19", "1,1 50,10 108,18");
    row("line includes both ends", "line 15 15 150 15", "1,1 5,1 10,1", "0,1 11,1 5,0 5,2");
    row("vertical line", "line 30 0 30 150", "2,0 2,10", "1,5 3,5 2,11");
}

void tst_DrawingSurface::shapesLandOnWholePixels()
{
    QFETCH(QString, shape);
    QFETCH(QString, painted);
    QFETCH(QString, untouched);
    QCOMPARE(TwipsPerPixelX(), 15.0);

    Fixture fixture;
    DrawingSurface &surface = *fixture.surface;
    const QStringList parts = shape.split(' ');
    const double x1 = parts[1].toDouble(), y1 = parts[2].toDouble();
    const double x2 = parts[3].toDouble(), y2 = parts[4].toDouble();
    if (parts[0] == QLatin1String("fill"))
        surface.fillRectangle(x1, y1, x2, y2, Red);
    else if (parts[0] == QLatin1String("outline"))
        surface.rectangle(x1, y1, x2, y2, Red);
    else
        surface.line(x1, y1, x2, y2, Red);
    const QImage image = surface.image();
    for (QPoint point : Points(painted))
        QVERIFY2(image.pixelColor(point) == QColor(Qt::red), qPrintable(QDebug::toString(point)));
    for (QPoint point : Points(untouched))
        QVERIFY2(image.pixelColor(point) == QColor(Qt::white), qPrintable(QDebug::toString(point)));
}

void tst_DrawingSurface::keepsItsDrawing_data()
{
    QTest::addColumn<QList<QSize>>("resizes");
    QTest::addColumn<bool>("markKept"); // the mark at pixels (60..69, 5..9)
    QTest::addColumn<QSize>("finalSize");

    QTest::newRow("repaint only") << QList<QSize> {} << true << QSize(110, 20);
    QTest::newRow("grown") << QList<QSize> {{150, 40}} << true << QSize(150, 40);
    QTest::newRow("shrunk past the mark, grown back")
        << QList<QSize> {{50, 20}, {110, 20}} << false << QSize(110, 20);
    QTest::newRow("shrunk short of the mark") << QList<QSize> {{80, 12}} << true << QSize(80, 12);
}

void tst_DrawingSurface::keepsItsDrawing()
{
    QFETCH(QList<QSize>, resizes);
    QFETCH(bool, markKept);
    QFETCH(QSize, finalSize);

    Fixture fixture;
    QVERIFY(fixture.ready());
    DrawingSurface &surface = *fixture.surface;
    surface.setBackColor(Green);
    surface.fillRectangle(900, 75, 1035, 135, Red);
    surface.repaint();
    fixture.host.hide();
    fixture.host.show();
    for (QSize size : resizes)
        surface.resize(size);

    const QImage shown = surface.grab().toImage();
    QCOMPARE(shown.size(), finalSize);
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), surface.image());
    QCOMPARE(shown.pixelColor(65, 7) == QColor(Qt::red), markKept);
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::green));
    QCOMPARE(shown.pixelColor(finalSize.width() - 1, finalSize.height() - 1), QColor(Qt::green));
}

void tst_DrawingSurface::clearShowsBackgroundThenPicture()
{
    Fixture fixture;
    DrawingSurface &surface = *fixture.surface;
    QPixmap picture(4, 3);
    picture.fill(Qt::red);
    surface.setPicture(picture);
    surface.fillRectangle(0, 0, 1635, 285, Green);

    // A new background wipes what was drawn, and the picture comes back over it.
    surface.setBackColor(Blue);
    QImage image = surface.image();
    QCOMPARE(image.pixelColor(3, 2), QColor(Qt::red));
    QCOMPARE(image.pixelColor(4, 2), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(50, 10), QColor(Qt::blue));

    surface.fillRectangle(0, 0, 1635, 285, Green);
    surface.setPicture(QPixmap());
    surface.fillRectangle(30, 30, 30, 30, Green);
    surface.clear();
    image = surface.image();
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::blue));

    // System colours come from the surface's palette.
    QPalette palette = surface.palette();
    palette.setColor(QPalette::Button, QColor(12, 34, 56));
    surface.setPalette(palette);
    surface.setBackColor(SystemColour::ButtonFace);
    QCOMPARE(surface.image().pixelColor(50, 10), QColor(12, 34, 56));
}

void tst_DrawingSurface::printsAtTheDrawingPosition()
{
    Fixture fixture(QSize(200, 40));
    DrawingSurface &surface = *fixture.surface;
    surface.setFont(PlainFont());
    surface.setForeColor(Red);
    surface.setCurrentX(150);
    surface.setCurrentY(75);
    const double width = surface.textWidth(QStringLiteral("Hot"));
    surface.print(QStringLiteral("Hot"));
    QCOMPARE(surface.currentX(), 150 + width);
    QCOMPARE(surface.currentY(), 75.0);

    const QRect ink = PixelsOf(surface.image(), Qt::red);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.left() >= 10 && ink.right() < 10 + width / 15, qPrintable(QDebug::toString(ink)));
    QVERIFY2(ink.top() >= 5 && ink.bottom() < 5 + surface.textHeight(QStringLiteral("Hot")) / 15,
             qPrintable(QDebug::toString(ink)));

    // The next print carries on where the last ended, in the colour of its own time.
    surface.setForeColor(Blue);
    surface.print(QStringLiteral("Hot"));
    const QRect second = PixelsOf(surface.image(), Qt::blue);
    QCOMPARE(second.translated(-qRound(width / 15), 0), ink);
}

void tst_DrawingSurface::measuresText()
{
    Fixture fixture;
    DrawingSurface &surface = *fixture.surface;
    surface.setFont(PlainFont());
    const double one = surface.textHeight(QStringLiteral("Ag"));
    QVERIFY(one > 0);
    QCOMPARE(surface.textHeight(QString()), one);
    QCOMPARE(surface.textHeight(QStringLiteral("Ag\r\nAg")), 2 * one);
    QCOMPARE(surface.textWidth(QStringLiteral("Ag\r\nAgAg")),
             surface.textWidth(QStringLiteral("AgAg")));
    QCOMPARE(surface.textWidth(QString()), 0.0);

    QFont larger = PlainFont();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    surface.setFont(larger);
    QVERIFY(surface.textHeight(QStringLiteral("Ag")) > one * 1.5);
    QCOMPARE(surface.scaleWidth(), 110 * TwipsPerPixelX());
    QCOMPARE(surface.scaleHeight(), 20 * TwipsPerPixelY());
}

void tst_DrawingSurface::bulkPaintingIsKept()
{
    Fixture fixture;
    QVERIFY(fixture.ready());
    DrawingSurface &surface = *fixture.surface;
    {
        SurfacePainter painter(surface);
        for (int x = 0; x < 110; x += 2)
            painter.painter().fillRect(x, 0, 1, 20, Qt::red);
        // Drawing through the surface's own calls meanwhile goes onto the same picture.
        surface.fillRectangle(0, 150, 1635, 285, Blue);
    }
    surface.repaint();
    const QImage shown = surface.grab().toImage();
    QCOMPARE(shown.pixelColor(4, 3), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(5, 3), QColor(Qt::white));
    QCOMPARE(shown.pixelColor(5, 15), QColor(Qt::blue));

    DrawingSurface empty;
    empty.resize(0, 0);
    SurfacePainter nothingToPaint(empty);
    nothingToPaint.painter().fillRect(0, 0, 5, 5, Qt::red);
}

void tst_DrawingSurface::mouseArgumentsInTwips_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<int>("buttonBits");
    QTest::addColumn<int>("shiftBits");

    QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(3, 4) << 1 << 0;
    QTest::newRow("right with Shift")
        << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(0, 0) << 2 << 1;
    QTest::newRow("middle with Ctrl and Alt")
        << Qt::MiddleButton << (Qt::ControlModifier | Qt::AltModifier) << QPoint(109, 19) << 4 << 6;
}

void tst_DrawingSurface::mouseArgumentsInTwips()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, position);
    QFETCH(int, buttonBits);
    QFETCH(int, shiftBits);

    Fixture fixture;
    QVERIFY(fixture.ready());
    QList<QList<float>> received;
    const auto record = [&](int &b, int &s, float &x, float &y) {
        received.append({float(b), float(s), x, y});
    };
    connect(fixture.surface, &DrawingSurface::mouseDown, this, record);
    connect(fixture.surface, &DrawingSurface::mouseUp, this, record);
    QTest::mousePress(fixture.window(), button, modifiers, fixture.inWindow(position));
    QTest::mouseRelease(fixture.window(), button, modifiers, fixture.inWindow(position));

    const QList<float> expected {float(buttonBits), float(shiftBits), position.x() * 15.0f,
                                 position.y() * 15.0f};
    QCOMPARE(received, (QList<QList<float>> {expected, expected}));
}

void tst_DrawingSurface::mouseSequences_data()
{
    // A step: "press x y", "release x y", "move x y" or "double x y", in surface
    // pixels (left button); the surface is 110 x 20 pixels.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("click") << QStringList {"press 10 10", "release 10 10"}
                           << QStringList {"down 1", "up 1", "click"};
    QTest::newRow("release on the far edge pixel")
        << QStringList {"press 10 10", "release 109 19"}
        << QStringList {"down 1", "move 1", "up 1", "click"};
    QTest::newRow("dragged off before the release")
        << QStringList {"press 10 10", "move 150 10", "release 150 10"}
        << QStringList {"down 1", "move 1", "up 1"};
    QTest::newRow("dragged off and back")
        << QStringList {"press 10 10", "move 150 10", "move 12 10", "release 12 10"}
        << QStringList {"down 1", "move 1", "move 1", "up 1", "click"};
    QTest::newRow("double click") << QStringList {"double 10 10"}
                                  << QStringList {"down 1", "up 1", "click", "dblclick", "up 1"};
    QTest::newRow("hover") << QStringList {"move 10 10", "move 11 10", "move 150 10"}
                           << QStringList {"move 0", "move 0"};
}

void tst_DrawingSurface::mouseSequences()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);

    Fixture fixture;
    QVERIFY(fixture.ready());
    DrawingSurface *surface = fixture.surface;
    QStringList log;
    const auto note = [&log](const char *name) {
        return [&log, name](int &b, int &, float &, float &) {
            log << QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(b);
        };
    };
    connect(surface, &DrawingSurface::mouseDown, this, note("down"));
    connect(surface, &DrawingSurface::mouseMove, this, note("move"));
    connect(surface, &DrawingSurface::mouseUp, this, note("up"));
    connect(surface, &DrawingSurface::click, this, [&] { log << QStringLiteral("click"); });
    connect(surface, &DrawingSurface::dblClick, this, [&] { log << QStringLiteral("dblclick"); });

    // A press starts with the pointer resting on its spot, so that no movement
    // precedes it.
    const QStringList first = steps.first().split(' ');
    if (first[0] != QLatin1String("move"))
        QTest::mouseMove(fixture.window(), fixture.inWindow({first[1].toInt(), first[2].toInt()}));
    log.clear();
    for (const QString &step : steps) {
        const QStringList parts = step.split(' ');
        const QPoint at = fixture.inWindow({parts[1].toInt(), parts[2].toInt()});
        if (parts[0] == QLatin1String("press"))
            QTest::mousePress(fixture.window(), Qt::LeftButton, {}, at);
        else if (parts[0] == QLatin1String("release"))
            QTest::mouseRelease(fixture.window(), Qt::LeftButton, {}, at);
        else if (parts[0] == QLatin1String("double"))
            QTest::mouseDClick(fixture.window(), Qt::LeftButton, {}, at);
        else
            QTest::mouseMove(fixture.window(), at);
    }
    QCOMPARE(log, expected);
}

void tst_DrawingSurface::argumentsPassByReference()
{
    Fixture fixture;
    QVERIFY(fixture.ready());
    DrawingSurface *surface = fixture.surface;
    // A listener's changes reach the listeners after it.
    const auto change = [](int &button, int &shift, float &x, float &y) {
        button = 4;
        shift = 7;
        x = -1;
        y += 1;
    };
    QList<float> seen;
    int seenKey = 0;
    connect(surface, &DrawingSurface::mouseDown, this, change, Qt::DirectConnection);
    connect(
        surface, &DrawingSurface::mouseDown, this,
        [&](int &b, int &s, float &x, float &y) {
            seen = {float(b), float(s), x, y};
        },
        Qt::DirectConnection);
    connect(
        surface, &DrawingSurface::keyPress, this, [](int &key) { key = 'z'; },
        Qt::DirectConnection);
    connect(
        surface, &DrawingSurface::keyPress, this, [&](int &key) { seenKey = key; },
        Qt::DirectConnection);

    QTest::mousePress(fixture.window(), Qt::LeftButton, {}, fixture.inWindow({2, 3}));
    QCOMPARE(seen, (QList<float> {4, 7, -1, 46}));
    QTest::keyClick(surface, Qt::Key_A);
    QCOMPARE(seenKey, int('z'));
}

void tst_DrawingSurface::keysWithACharacter_data()
{
    QTest::addColumn<int>("key"); // 0: the character typed instead
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("keyAscii"); // 0: no keyPress

    const auto row = [](const char *name, int key, Qt::KeyboardModifiers modifiers, int ascii) {
        QTest::newRow(name) << key << modifiers << ascii;
    };
    row("Return", Qt::Key_Return, {}, 13);
    row("keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, 13);
    row("Space", Qt::Key_Space, {}, 32);
    row("letter", Qt::Key_A, {}, 'a');
    row("capital", 0, Qt::ShiftModifier, 'A');
    row("Latin-1 sign", 0, {}, 0xA3);
    row("Escape", Qt::Key_Escape, {}, 27);
    row("arrow", Qt::Key_Left, {}, 0);
}

void tst_DrawingSurface::keysWithACharacter()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, keyAscii);

    Fixture fixture;
    fixture.surface->setFocusPolicy(Qt::StrongFocus);
    fixture.surface->setFocus();
    QList<int> received;
    connect(fixture.surface, &DrawingSurface::keyPress, this,
            [&](int &code) { received.append(code); });
    if (key)
        QTest::keyClick(fixture.surface, Qt::Key(key), modifiers);
    else
        QTest::keyClick(fixture.surface, char(keyAscii), modifiers);
    QCOMPARE(received, keyAscii ? QList<int> {keyAscii} : QList<int> {});
}

void tst_DrawingSurface::captureRedirectsTheMouse()
{
    Fixture fixture;
    QVERIFY(fixture.ready());
    DrawingSurface *surface = fixture.surface;
    QList<QPointF> moves;
    connect(surface, &DrawingSurface::mouseMove, this,
            [&](int &, int &, float &x, float &y) { moves.append(QPointF(x, y)); });

    QTest::mouseMove(fixture.window(), QPoint(5, 5));
    QVERIFY(moves.isEmpty());

    surface->setCapture();
    QVERIFY(surface->hasCapture());
    QTest::mouseMove(fixture.window(), QPoint(4, 5));
    QCOMPARE(moves, QList<QPointF> {QPointF(-16 * 15, -15 * 15)});

    surface->releaseCapture();
    QVERIFY(!surface->hasCapture());
    QTest::mouseMove(fixture.window(), QPoint(6, 5));
    QCOMPARE(moves.size(), 1);

    // Someone else's capture is not ours to release.
    QWidget other(&fixture.host);
    other.show();
    other.grabMouse();
    surface->releaseCapture();
    QCOMPARE(QWidget::mouseGrabber(), &other);
    surface->setCapture();
    QVERIFY(surface->hasCapture());

    // A hidden surface gives its capture back and takes none.
    surface->hide();
    QVERIFY(!surface->hasCapture());
    surface->setCapture();
    QVERIFY(!surface->hasCapture());
}

QTEST_MAIN(tst_DrawingSurface)
#include "tst_drawingsurface.moc"
