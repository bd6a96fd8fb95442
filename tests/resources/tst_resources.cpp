// The art as the program loads it, against what the art generator means to draw:
// under each control of the layout the part of the skin meant for it, the button
// textures and the icons.

#include "windowlayout/art.h"
#include "windowlayout/controls.h"

#include <QImage>
#include <QTest>

#include <cmath>
#include <functional>

using namespace huevane;

class TstResources : public QObject
{
    Q_OBJECT

    // An area of an image, and the least share of its pixels that pass a test.
    using Check = std::tuple<QImage, QRect, std::function<bool(QColor)>, double>;

    static int grey(QColor c) { return (c.red() * 299 + c.green() * 587 + c.blue() * 114) / 1000; }
    // Brushed metal is grey, tinted a little towards blue; bare, of a middle lightness.
    static bool dark(QColor c) { return grey(c) < 140; }
    static bool bare(QColor c) { return qAbs(c.blue() - c.red()) < 15 && !dark(c) && !white(c); }
    static bool light(QColor c) { return grey(c) > 200; }
    static bool white(QColor c) { return std::min({c.red(), c.green(), c.blue()}) > 220; }
    // Which of red, green and blue are strong: the pure colours of the presets.
    static QRgb pure(QColor c) { return c.rgb() & 0x808080; }
    static QColor colour(ColourValue v) { return QColor(v & 0xFF, v >> 8 & 0xFF, v >> 16); }

private slots:
    // The skin and the textures are drawn for every ratio, that many times their size (a
    // part of a pixel counting whole), showing the same picture as at 1: brought back to
    // their size at 1, they differ by less than 8 levels on average (the brushing's grain),
    // where the skin's panels and titles drawn at the size of 1 into the larger image
    // differ by 22.
    void drawnForEveryRatio()
    {
        for (const char *path : {SkinImage, GenerateTexture, ClipboardTexture, ExitTexture}) {
            const QImage one(QString::fromLatin1(path));
            for (const double ratio : ArtRatios) {
                const QImage image(ArtPath(QString::fromLatin1(path), ratio));
                QCOMPARE(image.size(),
                         QSize(std::ceil(one.width() * ratio), std::ceil(one.height() * ratio)));
                const QImage back =
                    image.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                double difference = 0;
                for (int y = 0; y < one.height(); ++y)
                    for (int x = 0; x < one.width(); ++x)
                        for (const int shift : {0, 8, 16})
                            difference += std::abs(int(one.pixel(x, y) >> shift & 0xFF)
                                                   - int(back.pixel(x, y) >> shift & 0xFF));
                QVERIFY2(difference < 8 * 3 * one.width() * one.height(), path);
            }
        }
    }

    void artMeantForEachPlace()
    {
        const QImage skin(QString::fromLatin1(SkinImage));
        QCOMPARE(skin.size(), SkinSize);
        // The edge, and what the skin draws under the click areas and the buttons at the bottom
        // right.
        // clang-format off
        const QRect lightTab(QPoint(2, 2), QPoint(LightTabRight - 2, TitleTabBottom - 2));
        const QRect darkTab(QPoint(LightTabRight + 6, 6), QPoint(DarkTabRight - 3, TitleTabBottom - 2));
        QList<Check> checks {
            {skin, QRect(0, 40, 1, 360), dark, 1}, {skin, QRect(1, 40, 1, 360), light, 1}, {skin, QRect(628, 40, 2, 360), dark, 1}, {skin, QRect(30, 448, 320, 2), dark, 1}, // the window's edge: a dark rim, lit inside it on the left, shaded on the right and at the bottom
            {skin, lightTab, light, 0.6}, {skin, lightTab, [](QColor c) { return c.red() > 110 && c.green() < 70 && c.blue() < 70; }, 0.05}, // the light title tab, in dark red
            {skin, darkTab, dark, 0.6}, {skin, darkTab, white, 0.05}, // the dark one, in white
            {skin, DesignPixels(FindControl("lblSwap")->twips), dark, 0.6}, {skin, DesignPixels(FindControl("lblSwap")->twips), white, 0.03}, // the swap bar with white arrows and word
            {skin, DesignPixels(FindControl("lblClipboard")->twips | FindControl("cmdExit")->twips).adjusted(-3, -2, 3, 2), dark, 1}, // the recess
        };
        // clang-format on
        for (const LayoutEntry &control : WindowLayout()) {
            const QRect area = DesignPixels(control.twips);
            if (control.flags & Hidden
                || QStringList {"Label1", "Label3", "lblSwap"}.contains(control.name))
                continue;
            if (const ButtonLooks *looks = FindButtonLooks(control.name)) {
                // A texture of its button's size: light under a dark caption, dark under a light
                // one.
                const QImage texture(QString::fromLatin1(looks->picture));
                QCOMPARE(texture.size(), area.size());
                checks << Check {texture, texture.rect(),
                                 grey(colour(looks->fore)) < 128 ? light : dark, 0.6};
            } else if (control.kind == ControlKind::TextBox
                       || control.kind == ControlKind::PictureBox || control.flags & Opaque) {
                // Sunk into a seat, shaded on its left.
                checks << Check {skin, area.adjusted(-1, 0, -area.width(), 0), dark, 1};
            } else if (control.backColor) {
                // A preset: the skin's square of its colour shows through it.
                const QRgb preset = pure(colour(*control.backColor));
                checks << Check {skin, area, [=](QColor c) { return pure(c) == preset; }, 0.5};
            } else {
                // Captions, option buttons and check boxes on bare metal.
                checks << Check {skin, area, bare, 1};
            }
        }
        // clang-format off
        QList<std::pair<QString, int>> icons {{WindowIcon16, 16}, {WindowIcon32, 32}, {TrayIcon16, 16}};
        // clang-format on
        for (int size : {16, 32, 48, 64, 128, 256})
            icons.append({QStringLiteral(HUEVANE_APP_ICON).arg(size), size});
        for (const auto &[path, size] : icons) {
            const QImage icon(path);
            QVERIFY2(icon.size() == QSize(size, size) && icon.hasAlphaChannel(), qPrintable(path));
            // The tray icon is clear around its letter, the others on a tile. Along the
            // letter's bar its colour runs from red or blue on the left to yellow or cyan.
            const bool clear = icon.pixelColor(size / 2, 1).alpha() == 0;
            QCOMPARE(clear, path == QLatin1String(TrayIcon16));
            const QRect bar(0, size / 2, size / 3, 1);
            // clang-format off
            const auto letter = [clear](QColor c) { return c.alpha() == 255 && (clear || c.red() > 150); };
            checks << Check {icon, bar.adjusted(0, 0, size - bar.width(), 0), letter, 0.5}
                   << Check {icon, bar, [=](QColor c) { return !letter(c) || c.green() < 110; }, 1}
                   << Check {icon, bar.translated(size - bar.width(), 0), [=](QColor c) { return !letter(c) || c.green() > 170; }, 1};
            // clang-format on
        }
        for (const auto &[image, area, test, least] : std::as_const(checks)) {
            int count = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    count += test(image.pixelColor(x, y));
            const QString where = QStringLiteral("%1,%2 %3x%4")
                                      .arg(area.x())
                                      .arg(area.y())
                                      .arg(area.width())
                                      .arg(area.height());
            QVERIFY2(count >= least * area.width() * area.height(), qPrintable(where));
        }
    }
};

QTEST_MAIN(TstResources)
#include "tst_resources.moc"
