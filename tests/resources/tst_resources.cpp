// The art as the program loads it: every image reachable under :/images/, and each
// piece of the skin under the control it belongs to.

#include "windowlayout/art.h"
#include "windowlayout/controls.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using namespace huevane;

// Where the controls @p names stand together, in the pixels the art is drawn for.
QRect pixelsOf(const QStringList &names)
{
    QRect united;
    for (const QString &name : names)
        united |= DesignPixels(FindControl(name)->twips);
    return united;
}

int grey(QColor colour)
{
    return (colour.red() * 299 + colour.green() * 587 + colour.blue() * 114) / 1000;
}

int spread(QColor colour)
{
    const int high = std::max({colour.red(), colour.green(), colour.blue()});
    const int low = std::min({colour.red(), colour.green(), colour.blue()});
    return high - low;
}

// Bare brushed metal of the window's body: neutral grey of a middle lightness.
bool isBodyMetal(QColor colour)
{
    return spread(colour) <= 14 && grey(colour) >= 140 && grey(colour) <= 235;
}

QImage skin()
{
    return QImage(QString::fromLatin1(SkinImage));
}

QString describe(QPoint point, QColor colour)
{
    return QStringLiteral("(%1, %2) is rgb(%3, %4, %5)")
        .arg(point.x())
        .arg(point.y())
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue());
}

enum class Swatch { DarkGrey, Red, Green, Blue, White };

// A preset square's colour, including the lighter top and left and the darker
// bottom and right pixels of its bevel.
bool looksLike(Swatch swatch, QColor c)
{
    switch (swatch) {
    case Swatch::DarkGrey:
        return spread(c) <= 16 && grey(c) < 130;
    case Swatch::Red:
        return c.red() > 140 && c.red() - c.green() > 100 && c.red() - c.blue() > 100;
    case Swatch::Green:
        return c.green() > 110 && c.green() - c.red() > 80 && c.green() - c.blue() > 70;
    case Swatch::Blue:
        return c.blue() > 140 && c.blue() - c.red() > 100 && c.blue() - c.green() > 80;
    case Swatch::White:
        return spread(c) <= 16 && grey(c) > 165;
    }
    return false;
}

// The shadow a square throws on the metal: grey, darker than the bare metal.
bool isShadow(QColor c)
{
    return spread(c) <= 14 && grey(c) >= 100 && grey(c) <= 180;
}

// Every pixel of @p area.
QList<QPoint> Pixels(QRect area)
{
    QList<QPoint> points;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            points << QPoint(x, y);
    return points;
}

// The first of @p points whose colour fails @p test, described; empty when none does.
QString Failing(const QImage &image, const QList<QPoint> &points,
                const std::function<bool(QColor)> &test)
{
    for (QPoint point : points)
        if (!test(image.pixelColor(point)))
            return describe(point, image.pixelColor(point));
    return QString();
}

// The mean grey of @p area and how many of its pixels pass @p test.
std::pair<int, int> MeanAndCount(const QImage &image, QRect area,
                                 const std::function<bool(QColor)> &test)
{
    int sum = 0;
    int count = 0;
    for (QPoint point : Pixels(area)) {
        sum += grey(image.pixelColor(point));
        count += test(image.pixelColor(point)) ? 1 : 0;
    }
    return {sum / (area.width() * area.height()), count};
}

// Runs of consecutive true values.
int runs(const QList<bool> &values)
{
    int count = 0;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (values[i] && (i == 0 || !values[i - 1]))
            ++count;
    }
    return count;
}

} // namespace

Q_DECLARE_METATYPE(Swatch)

class TstResources : public QObject
{
    Q_OBJECT

private slots:
    void imagesLoadFromResources_data();
    void imagesLoadFromResources();
    void skinEdgeFollowsOutline_data();
    void skinEdgeFollowsOutline();
    void presetSquaresUnderPresetSwatches_data();
    void presetSquaresUnderPresetSwatches();
    void swapBarUnderSwapLabel();
    void captionsOfControlsStandOnBareMetal_data();
    void captionsOfControlsStandOnBareMetal();
    void titleTabs();
    void recessUnderBottomButtons();
    void buttonTexturesAreBrushedMetal_data();
    void buttonTexturesAreBrushedMetal();
    void windowIconDesign_data();
    void windowIconDesign();
    void trayIconDesign();
};

void TstResources::imagesLoadFromResources_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("alpha");
    QTest::newRow("skin") << SkinImage << SkinSize << false;
    for (const char *button : {"lblGenerate", "lblClipboard", "cmdExit"}) {
        QTest::addRow("%s texture", button)
            << FindButtonLooks(button)->picture << pixelsOf({button}).size() << false;
    }
    // The icons are checked with their designs.
}

void TstResources::imagesLoadFromResources()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(bool, alpha);
    const QPixmap pixmap(path);
    QVERIFY2(!pixmap.isNull(), qPrintable(path + QStringLiteral(" does not load")));
    QCOMPARE(pixmap.size(), size);
    QCOMPARE(pixmap.toImage().hasAlphaChannel(), alpha);
}

void TstResources::skinEdgeFollowsOutline_data()
{
    // The outline's pixel vertices place the window's edge; the skin draws a dark
    // rim on the last pixel inside it, lit where the edge faces the top left and
    // shaded where it faces the bottom right.
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("expected");
    QTest::newRow("left edge") << QPoint(0, 200) << "rim";
    QTest::newRow("inside the left edge") << QPoint(1, 200) << "lit";
    QTest::newRow("title tab top") << QPoint(60, 0) << "rim";
    QTest::newRow("below the title tab top") << QPoint(60, 1) << "lit";
    QTest::newRow("strip right of the tabs") << QPoint(400, 22) << "rim";
    QTest::newRow("below the strip's edge") << QPoint(400, 23) << "lit";
    QTest::newRow("right edge") << QPoint(629, 200) << "rim";
    QTest::newRow("inside the right edge") << QPoint(628, 200) << "shaded";
    QTest::newRow("right edge below its step") << QPoint(625, 420) << "rim";
    QTest::newRow("inside the right edge below its step") << QPoint(624, 420) << "shaded";
    QTest::newRow("bottom edge left of its step") << QPoint(300, 449) << "rim";
    QTest::newRow("inside the bottom edge left of its step") << QPoint(300, 448) << "shaded";
    QTest::newRow("level of the step, left of it") << QPoint(300, 446) << "plain";
    QTest::newRow("bottom edge right of its step") << QPoint(370, 446) << "rim";
    QTest::newRow("inside the bottom edge right of its step") << QPoint(370, 445) << "shaded";
    QTest::newRow("rounded bottom left corner") << QPoint(3, 439) << "rim";
    QTest::newRow("body") << QPoint(200, 300) << "plain";
}

void TstResources::skinEdgeFollowsOutline()
{
    QFETCH(QPoint, point);
    QFETCH(QString, expected);
    const QImage image = skin();
    const QColor colour = image.pixelColor(point);
    // Plain metal a few pixels away from any edge or panel, at the same height.
    const int plain = grey(image.pixelColor(10, point.y() < 30 && point.x() < 150 ? 30 : 300));
    const QString message = describe(point, colour);
    if (expected == QLatin1String("rim"))
        QVERIFY2(grey(colour) < 70, qPrintable(message));
    else if (expected == QLatin1String("lit"))
        QVERIFY2(grey(colour) > plain + 12, qPrintable(message));
    else if (expected == QLatin1String("shaded"))
        QVERIFY2(grey(colour) < plain - 12 && grey(colour) >= 70, qPrintable(message));
    else
        QVERIFY2(isBodyMetal(colour), qPrintable(message));
}

void TstResources::presetSquaresUnderPresetSwatches_data()
{
    QTest::addColumn<QRect>("swatch");
    QTest::addColumn<Swatch>("look");
    const Swatch looks[] = {Swatch::DarkGrey, Swatch::Red, Swatch::Green, Swatch::Blue,
                            Swatch::White};
    for (int panel = 1; panel <= 3; ++panel) {
        for (int index = 0; index < 5; ++index) {
            const QString name = ArrayElement(PanelNames(panel).presets, index);
            QTest::newRow(qPrintable(name)) << pixelsOf({name}) << looks[index];
        }
    }
}

void TstResources::presetSquaresUnderPresetSwatches()
{
    // The preset swatches are transparent: the user sees the skin's square, so it
    // has to cover the swatch's click area, and only that.
    QFETCH(QRect, swatch);
    QFETCH(Swatch, look);
    const QImage image = skin();
    // Left of it and above it lies bare metal; right of it and below it, its shadow.
    QList<QPoint> metal;
    QList<QPoint> shadow;
    for (int y = swatch.top(); y <= swatch.bottom(); ++y) {
        metal << QPoint(swatch.left() - 1, y);
        shadow << QPoint(swatch.right() + 1, y + 1);
    }
    for (int x = swatch.left(); x <= swatch.right(); ++x) {
        metal << QPoint(x, swatch.top() - 1);
        shadow << QPoint(x + 1, swatch.bottom() + 1);
    }
    const QString bad =
        Failing(image, Pixels(swatch), [look](QColor c) { return looksLike(look, c); })
        + Failing(image, metal, isBodyMetal) + Failing(image, shadow, isShadow);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
}

void TstResources::swapBarUnderSwapLabel()
{
    const QRect swap = pixelsOf({"lblSwap"});
    const QImage image = skin();
    // The dark bar fills the click area: every row of it is dark at its edges'
    // inner side, with white (the arrows and the word) somewhere inside. Outside
    // it, bare metal: two pixels to its left, and just above and below it.
    QList<QPoint> dark;
    QList<QPoint> metal;
    for (int y = swap.top(); y <= swap.bottom(); ++y) {
        if (y > swap.top() && y < swap.bottom())
            dark << QPoint(swap.left() + 1, y) << QPoint(swap.right() - 1, y);
        metal << QPoint(swap.left() - 2, y);
    }
    for (int x = swap.left(); x <= swap.right(); ++x)
        metal << QPoint(x, swap.top() - 1) << QPoint(x, swap.bottom() + 2);
    const QString bad = Failing(image, dark, [](QColor c) { return grey(c) < 120; })
        + Failing(image, metal, isBodyMetal);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
    const int white = MeanAndCount(image, swap.adjusted(0, 1, 0, -1), [](QColor c) {
                          return grey(c) > 220;
                      }).second;
    QVERIFY2(white > 40, qPrintable(QString::number(white)));
}

void TstResources::captionsOfControlsStandOnBareMetal_data()
{
    // Labels draw their own captions over the skin, and the option buttons and
    // check boxes fill their square with grey: the skin must draw nothing there.
    QTest::addColumn<QRect>("area");
    for (const char *name :
         {"Label2", "Label4", "lblChars", "Label6", "Label8", "Label11", "Label12", "Label13",
          "Option1(0)", "Option1(1)", "Option1(2)", "Label15", "Label5", "Label16"})
        QTest::newRow(name) << pixelsOf({name});
    QTest::newRow("chkUpTags and its caption") << pixelsOf({"chkUpTags", "lblUpTags"});
    QTest::newRow("chkPerLine and its caption") << pixelsOf({"chkPerLine", "lblPerLine"});
    QTest::newRow("chkJSQuote and its caption") << pixelsOf({"chkJSQuote", "lblJSQuote"});
}

void TstResources::captionsOfControlsStandOnBareMetal()
{
    QFETCH(QRect, area);
    const QString bad = Failing(skin(), Pixels(area), isBodyMetal);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
}

void TstResources::titleTabs()
{
    // The light tab carries the product name in dark red, the dark tab to its
    // right the maker's name in white; both lie in the title strip (Label3).
    const QImage image = skin();
    const QRect strip = pixelsOf({"Label3"});
    const QRect lightTab(2, 2, 145, 18);
    const QRect darkTab(156, 6, 180, 14);
    QVERIFY(strip.contains(lightTab) && strip.contains(darkTab));
    const auto [light, darkRed] = MeanAndCount(
        image, lightTab, [](QColor c) { return c.red() > 110 && c.green() < 70 && c.blue() < 70; });
    const auto [dark, white] = MeanAndCount(image, darkTab, [](QColor c) {
        return std::min({c.red(), c.green(), c.blue()}) > 230;
    });
    QVERIFY2(light > 180 && dark < 110 && darkRed > 100 && white > 100,
             qPrintable(QStringLiteral("light tab %1 with %2 dark red, dark tab %3 with %4 white")
                            .arg(light)
                            .arg(darkRed)
                            .arg(dark)
                            .arg(white)));
}

void TstResources::recessUnderBottomButtons()
{
    const QRect clipboard = pixelsOf({"lblClipboard"});
    const QRect exit = pixelsOf({"cmdExit"});
    const QImage image = skin();
    // Dark all around and between the two buttons...
    QList<QPoint> around;
    for (int y = clipboard.top(); y <= clipboard.bottom(); ++y) {
        around << QPoint(clipboard.left() - 3, y) << QPoint(exit.right() + 3, y);
        for (int x = clipboard.right() + 1; x < exit.left(); ++x)
            around << QPoint(x, y);
    }
    for (int x = clipboard.left(); x <= exit.right(); ++x)
        around << QPoint(x, clipboard.top() - 2) << QPoint(x, clipboard.bottom() + 2);
    // ...and the recess ends before the check box captions above it.
    const QPoint above(clipboard.left(), pixelsOf({"lblJSQuote"}).bottom() + 2);
    const QString bad = Failing(image, around, [](QColor c) { return grey(c) < 90; })
        + Failing(image, {above}, isBodyMetal);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
}

void TstResources::buttonTexturesAreBrushedMetal_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("light");
    QTest::newRow("Generate") << GenerateTexture << true;
    QTest::newRow("Send to Clipboard") << ClipboardTexture << false;
    QTest::newRow("Exit") << ExitTexture << false;
}

void TstResources::buttonTexturesAreBrushedMetal()
{
    QFETCH(QString, path);
    QFETCH(bool, light);
    const QImage image(path);
    QVERIFY(!image.isNull());
    // Away from the bevel, the metal is grey, light or dark as asked, and brushed
    // along its length: neighbours in a row differ less than neighbours in a column.
    const QRect inside = image.rect().adjusted(2, 2, -2, -2);
    long sum = 0;
    long alongRows = 0;
    long acrossRows = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            QVERIFY2(spread(colour) <= 12, qPrintable(describe(QPoint(x, y), colour)));
            sum += grey(colour);
            alongRows += std::abs(grey(colour) - grey(image.pixelColor(x + 1, y)));
            acrossRows += std::abs(grey(colour) - grey(image.pixelColor(x, y + 1)));
        }
    }
    const long mean = sum / (inside.width() * inside.height());
    if (light)
        QVERIFY2(mean > 190, qPrintable(QString::number(mean)));
    else
        QVERIFY2(mean < 110, qPrintable(QString::number(mean)));
    QVERIFY2(alongRows * 3 < acrossRows * 2,
             qPrintable(QStringLiteral("%1 along, %2 across").arg(alongRows).arg(acrossRows)));
}

void TstResources::windowIconDesign_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    QTest::newRow("window icon 16") << WindowIcon16 << 16;
    QTest::newRow("window icon 32") << WindowIcon32 << 32;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QTest::addRow("application icon %d", size)
            << QStringLiteral(HUEVANE_ICON_DIR "/hicolor/%1x%1/apps/io.github.huevane.Huevane.png")
                   .arg(size)
            << size;
    }
}

void TstResources::windowIconDesign()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    QVERIFY2(QImage(path).hasAlphaChannel(), qPrintable(path));
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(size, size));

    auto isFire = [](QColor c) { return c.red() >= 200 && c.blue() < 120; };
    auto isBlue = [](QColor c) {
        return c.alpha() == 255 && c.red() <= 100 && c.blue() > c.red() && c.blue() >= c.green();
    };
    // The tile is dark blue above the letter and below it.
    const QString bad = Failing(image, {QPoint(size / 2, 1), QPoint(size / 2, size - 2)},
                                [&](QColor c) { return isBlue(c) && grey(c) < 110; });
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
    // A row through the two stems is crisp: each pixel is either the letter or the
    // tile, nothing blended between them, as a bitmap scaled to size would have.
    const int stemRow = size / 4 + size / 16;
    QList<bool> fire;
    for (int x = 2; x < size - 2; ++x) {
        const QColor colour = image.pixelColor(x, stemRow);
        QVERIFY2(isFire(colour) || isBlue(colour),
                 qPrintable(describe(QPoint(x, stemRow), colour)));
        fire << isFire(colour);
    }
    QCOMPARE(runs(fire), 2);
    // The letter runs from red on the left to yellow on the right.
    const QColor leftStem = image.pixelColor(2 + int(fire.indexOf(true)), stemRow);
    const QColor rightStem = image.pixelColor(2 + int(fire.lastIndexOf(true)), stemRow);
    QVERIFY2(leftStem.green() < 110, qPrintable(describe(QPoint(), leftStem)));
    QVERIFY2(rightStem.green() > 180, qPrintable(describe(QPoint(), rightStem)));
    // Along the bar the green part rises steadily: one gradient, not two colours.
    int previous = -1;
    for (int x = 0; x < size; ++x) {
        const QColor colour = image.pixelColor(x, size / 2);
        if (!isFire(colour))
            continue;
        QVERIFY2(colour.green() >= previous, qPrintable(describe(QPoint(x, size / 2), colour)));
        previous = colour.green();
    }
}

void TstResources::trayIconDesign()
{
    const QImage image = QImage(TrayIcon16).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(16, 16));
    QVERIFY(QImage(TrayIcon16).hasAlphaChannel());
    // Transparent around the letter and in the gaps between its stems.
    const QString bad = Failing(image, {{0, 0}, {15, 0}, {0, 15}, {15, 15}, {7, 4}, {8, 11}},
                                [](QColor c) { return c.alpha() == 0; });
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
    // Opaque letter pixels in a row through both stems: dark blue on the left,
    // cyan on the right, bluer to greener steadily in between.
    QList<QColor> letter;
    for (int x = 0; x < 16; ++x) {
        const QColor colour = image.pixelColor(x, 5);
        if (colour.alpha() == 255)
            letter << colour;
    }
    QVERIFY(letter.size() >= 4);
    const QColor left = letter.first();
    const QColor right = letter.last();
    QVERIFY2(left.blue() > 100 && left.green() < 80 && left.red() < 40,
             qPrintable(describe(QPoint(), left)));
    QVERIFY2(right.blue() > 200 && right.green() > 180 && right.red() < 40,
             qPrintable(describe(QPoint(), right)));
    for (qsizetype i = 1; i < letter.size(); ++i)
        QVERIFY(letter[i].green() >= letter[i - 1].green());
}

QTEST_MAIN(TstResources)

#include "tst_resources.moc"
