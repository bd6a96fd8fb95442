#include "skin.h"

#include "brushedmetal.h"
#include "buttontextures.h"
#include "windowlayout/art.h"
#include "windowlayout/controls.h"
#include "windowlayout/outline.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace huevane::artgen {

namespace {

constexpr int SkinWidth = SkinSize.width();
constexpr int SkinHeight = SkinSize.height();

constexpr QRgb Rim = qRgb(34, 36, 40);
constexpr QRgb HeaderText = qRgb(255, 255, 255);

enum class Zone : quint8 { Outside, Body, LightTab, DarkTab };

QPolygon outlinePixels()
{
    QPolygon outline;
    for (const QPoint &vertex : WindowOutlineTwips())
        outline << QPoint(DesignPixels(vertex.x()), DesignPixels(vertex.y()));
    return outline;
}

QRect pixelsOf(const QString &name)
{
    return DesignPixels(FindControl(name)->twips);
}

// Every control but the hidden ones.
QList<LayoutEntry> shownControls()
{
    QList<LayoutEntry> shown;
    for (const LayoutEntry &control : WindowLayout()) {
        if (!(control.flags & Hidden))
            shown << control;
    }
    return shown;
}

// Text boxes, picture boxes and opaque labels hide the skin under them.
bool isOpaque(const LayoutEntry &control)
{
    return control.kind == ControlKind::TextBox || control.kind == ControlKind::PictureBox
        || (control.kind == ControlKind::Label && (control.flags & Opaque));
}

// The device pixels from which each pixel of a @p length pixel long row or column
// starts at @p ratio, and where the last one ends: pixel i covers [starts[i],
// starts[i + 1]), the way the window system scales the window's outline.
std::vector<int> deviceStarts(int length, double ratio)
{
    std::vector<int> starts(std::size_t(length) + 1);
    for (int i = 0; i <= length; ++i)
        starts[std::size_t(i)] = int(std::lround(i * ratio));
    return starts;
}

// Which zone each device pixel of the skin lies in. At any ratio the zones are
// those of the skin at ratio 1, each pixel spread over its device pixels just as
// the window's outline is spread, so that the window's edge falls exactly on the
// skin's rim.
class ZoneMap
{
public:
    explicit ZoneMap(double ratio)
    {
        const std::vector<Zone> design = designZones();
        const std::vector<int> columns = deviceStarts(SkinWidth, ratio);
        const std::vector<int> rows = deviceStarts(SkinHeight, ratio);
        m_width = columns.back();
        m_height = rows.back();
        m_zones.resize(std::size_t(m_width * m_height));
        for (int y = 0; y < SkinHeight; ++y) {
            for (int x = 0; x < SkinWidth; ++x) {
                const Zone zone = design[std::size_t(y * SkinWidth + x)];
                for (int deviceY = rows[std::size_t(y)]; deviceY < rows[std::size_t(y + 1)];
                     ++deviceY) {
                    std::fill(m_zones.begin() + deviceY * m_width + columns[std::size_t(x)],
                              m_zones.begin() + deviceY * m_width + columns[std::size_t(x + 1)],
                              zone);
                }
            }
        }
    }

    QSize size() const { return QSize(m_width, m_height); }

    Zone at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return Zone::Outside;
        return m_zones[std::size_t(y * m_width + x)];
    }

private:
    static std::vector<Zone> designZones()
    {
        std::vector<Zone> zones(std::size_t(SkinWidth * SkinHeight), Zone::Outside);
        QImage mask(SkinWidth, SkinHeight, QImage::Format_ARGB32_Premultiplied);
        mask.fill(Qt::transparent);
        QPainter painter(&mask);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(outlinePixels(), Qt::OddEvenFill);
        painter.end();
        for (int y = 0; y < SkinHeight; ++y) {
            for (int x = 0; x < SkinWidth; ++x) {
                if (qAlpha(mask.pixel(x, y)) < 128)
                    continue;
                Zone zone = Zone::Body;
                if (y <= TitleTabBottom)
                    zone = x <= LightTabRight ? Zone::LightTab : Zone::DarkTab;
                zones[std::size_t(y * SkinWidth + x)] = zone;
            }
        }
        return zones;
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<Zone> m_zones;
};

QRgb mix(QRgb from, QRgb to, double amount)
{
    amount = std::clamp(amount, 0.0, 1.0);
    auto channel = [amount](int a, int b) { return int(std::lround(a + (b - a) * amount)); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

QFont pixelFont(int pixels, bool bold, bool italic = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The metal for @p area, drawn by @p painter, one grain to a device pixel.
QBrush metalBrush(const QPainter &painter, QRect area, const MetalTone &tone, std::uint32_t seed)
{
    const double ratio = painter.device()->devicePixelRatioF();
    QBrush brush(BrushedMetal(DeviceSize(area.size(), ratio), tone, seed, ratio));
    brush.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio)
                       * QTransform::fromTranslate(area.left(), area.top()));
    return brush;
}

// Each zone gets its own metal; the light falls from the top left, so every zone
// is a little brighter at its top.
void fillZones(QImage &skin, const ZoneMap &zones, double ratio)
{
    const QSize size = zones.size();
    const QImage body = BrushedMetal(size, MetalTone {192, 7.0, 2}, 0x6875652d, ratio);
    const QImage lightTab = BrushedMetal(size, MetalTone {228, 6.0, 1}, 0x7469746c, ratio);
    const QImage darkTab = BrushedMetal(size, MetalTone {66, 6.0, 4}, 0x6b697421, ratio);
    for (int y = 0; y < size.height(); ++y) {
        const double bodyLight = 6.0 - 12.0 * (y / ratio) / SkinHeight;
        const double tabLight = 14.0 - 28.0 * (y / ratio) / TitleTabBottom;
        auto *line = reinterpret_cast<QRgb *>(skin.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            QRgb pixel = Rim;
            double light = 0.0;
            switch (zones.at(x, y)) {
            case Zone::Outside:
                break;
            case Zone::Body:
                pixel = body.pixel(x, y);
                light = bodyLight;
                break;
            case Zone::LightTab:
                pixel = lightTab.pixel(x, y);
                light = tabLight;
                break;
            case Zone::DarkTab:
                pixel = darkTab.pixel(x, y);
                light = tabLight;
                break;
            }
            line[x] = light >= 0 ? mix(pixel, qRgb(255, 255, 255), light / 255.0)
                                 : mix(pixel, qRgb(0, 0, 0), -light / 255.0);
        }
    }
}

// A bevel that follows every border between zones, whatever its shape: each pixel
// near a border looks at the other-zone pixels around it, takes the direction
// they lie in as the border's outward normal, and is lit when that normal faces
// the light at the top left and shaded when it faces away. The window's own edge
// gets a dark rim as well, so it stays crisp over any background. Distances are
// in device pixels, scaled by @p ratio to the same width in the layout's pixels.
void bevelZones(QImage &skin, const ZoneMap &zones, double ratio)
{
    const double farthest = 3 * ratio;
    const int reach = int(farthest);
    const QSize size = zones.size();
    const QImage source = skin.copy();
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const Zone zone = zones.at(x, y);
            if (zone == Zone::Outside)
                continue;
            double nearest = farthest + 1.0;
            bool windowEdge = false;
            double normalX = 0.0;
            double normalY = 0.0;
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int squared = dx * dx + dy * dy;
                    if (squared == 0 || squared > farthest * farthest)
                        continue;
                    const Zone other = zones.at(x + dx, y + dy);
                    if (other == zone)
                        continue;
                    normalX += double(dx) / squared;
                    normalY += double(dy) / squared;
                    const double distance = std::sqrt(double(squared));
                    if (distance < nearest || (distance == nearest && other == Zone::Outside)) {
                        nearest = distance;
                        windowEdge = other == Zone::Outside;
                    }
                }
            }
            if (nearest > farthest)
                continue;
            const double length = std::hypot(normalX, normalY);
            const double facing = length > 0 ? (-normalX - normalY) / (length * std::sqrt(2.0)) : 0;
            QRgb pixel = source.pixel(x, y);
            double strength = 0.0;
            const double inner = 1.0 * ratio;  // the pixel at the border
            const double middle = 2.3 * ratio; // the next ones
            if (windowEdge) {
                if (nearest <= inner) {
                    skin.setPixel(x, y, mix(pixel, Rim, 0.85));
                    continue;
                }
                strength = nearest <= middle ? 0.6 : 0.25;
            } else {
                // The tabs stand on the body: their lower edge throws a shadow onto it.
                if (zone == Zone::Body && nearest <= inner)
                    pixel = mix(pixel, qRgb(0, 0, 0), 0.35);
                strength = nearest <= inner ? 0.5 : nearest <= middle ? 0.2 : 0.08;
            }
            if (facing > 0)
                pixel = mix(pixel, qRgb(255, 255, 255), strength * facing);
            else
                pixel = mix(pixel, qRgb(0, 0, 0), strength * -facing * 0.85);
            skin.setPixel(x, y, pixel);
        }
    }
}

// Text cut into the metal: a light line below the glyphs, as if lit from above.
void drawEngraved(QPainter &painter, QPointF baseline, const QString &text, const QFont &font,
                  const QColor &colour, const QColor &edge, QPointF edgeOffset)
{
    painter.setFont(font);
    painter.setPen(edge);
    painter.drawText(baseline + edgeOffset, text);
    painter.setPen(colour);
    painter.drawText(baseline, text);
}

void drawTitles(QPainter &painter)
{
    const QFont productFont = pixelFont(19, true, true);
    const QFontMetricsF product(productFont);
    const QString productName = QStringLiteral("Huevane");
    const double productX = (LightTabRight + 1 - product.horizontalAdvance(productName)) / 2.0;
    const double productBaseline = 17.0;
    drawEngraved(painter, QPointF(productX, productBaseline), productName, productFont,
                 QColor(150, 18, 24), QColor(255, 255, 255, 200), QPointF(0.6, 1.0));

    const QFont makerFont = pixelFont(14, true, true);
    const QFontMetricsF maker(makerFont);
    const QString makerName = QStringLiteral("Caldrin's Brightkit");
    const double tabLeft = LightTabRight + 4;
    const double tabRight = DarkTabRight;
    const double makerX = tabLeft + (tabRight - tabLeft - maker.horizontalAdvance(makerName)) / 2.0;
    drawEngraved(painter, QPointF(makerX, 16.0), makerName, makerFont, QColor(HeaderText),
                 QColor(0, 0, 0, 170), QPointF(1.0, 1.0));
}

// A plate of dark metal with rounded top corners, lit from above.
void drawDarkBand(QPainter &painter, QRect band, std::uint32_t seed)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(band), 3, 3);
    QPainterPath squareBottom;
    squareBottom.addRect(
        QRectF(band.left(), band.center().y(), band.width(), band.height() / 2.0 + 1));
    path = path.united(squareBottom).intersected([&] {
        QPainterPath clip;
        clip.addRect(QRectF(band));
        return clip;
    }());
    painter.fillPath(path, metalBrush(painter, band, MetalTone {72, 6.0, 4}, seed));
    QLinearGradient light(0, band.top(), 0, band.bottom() + 1);
    light.setColorAt(0.0, QColor(255, 255, 255, 55));
    light.setColorAt(0.5, QColor(255, 255, 255, 0));
    light.setColorAt(1.0, QColor(0, 0, 0, 50));
    painter.fillPath(path, light);
}

// A frame etched into the metal (a dark line with a light one just below and to
// the right of it), with a dark title band along its top.
void drawPanel(QPainter &painter, QRect frame, const QString &title, std::uint32_t seed)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF etch = QRectF(frame).adjusted(0.5, 0.5, -1.5, -1.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 190), 1.0));
    painter.drawRoundedRect(etch.translated(1, 1), 4, 4);
    painter.setPen(QPen(QColor(0, 0, 0, 105), 1.0));
    painter.drawRoundedRect(etch, 4, 4);

    const QRect band(frame.left() + 2, frame.top() + 2, frame.width() - 5, 12);
    drawDarkBand(painter, band, seed);

    const QFont font = pixelFont(11, true);
    const QFontMetricsF metrics(font);
    const double baseline = band.top() + (band.height() + metrics.capHeight()) / 2.0;
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 150));
    painter.drawText(QPointF(band.left() + 7, baseline + 1), title);
    painter.setPen(QColor(HeaderText));
    painter.drawText(QPointF(band.left() + 6, baseline), title);
    painter.restore();
}

QRect unitedRects(const QStringList &names)
{
    QRect united;
    for (const QString &name : names)
        united = united.united(pixelsOf(name));
    return united;
}

// The controls of colour panel @p number (1 to 3).
QStringList panelControlNames(int number)
{
    const ColourPanelNames names = PanelNames(number);
    QStringList list = names.rowLabels;
    list << names.swatch;
    for (int index = 0; index < 6; ++index)
        list << ArrayElement(names.fields, index);
    for (int index = 0; index < 3; ++index)
        list << ArrayElement(names.strips, index);
    for (int index = 0; index < 5; ++index)
        list << ArrayElement(names.presets, index);
    return list;
}

// The colour panels enclose their controls with a few pixels to spare, share one
// top and bottom, and keep clear of the swap bar between the first two.
std::array<QRect, 3> colourPanelFrames()
{
    const QRect swap = pixelsOf(QStringLiteral("lblSwap"));
    std::array<QRect, 3> frames;
    int bottom = 0;
    for (int number = 1; number <= 3; ++number)
        bottom = std::max(bottom, unitedRects(panelControlNames(number)).bottom());
    for (int number = 1; number <= 3; ++number) {
        const QRect content = unitedRects(panelControlNames(number));
        int left = content.left() - 5;
        int right = content.right() + 5;
        if (number == 1)
            right = std::min(right, swap.left() - 3);
        if (number == 2)
            left = std::max(left, swap.right() + 3);
        frames[std::size_t(number - 1)] =
            QRect(QPoint(left, content.top() - 21), QPoint(right, bottom + 5));
    }
    return frames;
}

// The gradient-type panel spans the three colour panels and holds the option
// buttons and the three type previews.
QRect gradientPanelFrame(const std::array<QRect, 3> &colourFrames)
{
    const QRect content =
        unitedRects({QStringLiteral("Option1(0)"), QStringLiteral("Option1(1)"),
                     QStringLiteral("Option1(2)"), QStringLiteral("Picture4(0)"),
                     QStringLiteral("Picture4(1)"), QStringLiteral("Picture4(2)")});
    return QRect(QPoint(colourFrames[0].left(), colourFrames[0].bottom() + 4),
                 QPoint(colourFrames[2].right(), content.bottom() + 7));
}

void drawPresetSquares(QPainter &painter)
{
    const std::array<QColor, 5> colours {
        QColor(70, 72, 76),  QColor(222, 28, 28),   QColor(32, 176, 48),
        QColor(36, 72, 220), QColor(252, 252, 252),
    };
    for (int number = 1; number <= 3; ++number) {
        const QString presets = PanelNames(number).presets;
        for (int index = 0; index < 5; ++index) {
            const QRect square = pixelsOf(ArrayElement(presets, index));
            painter.fillRect(square.translated(1, 1), QColor(0, 0, 0, 70));
            painter.fillRect(square, colours[std::size_t(index)]);
            painter.fillRect(QRect(square.left(), square.top(), square.width(), 1),
                             QColor(255, 255, 255, 70));
            painter.fillRect(QRect(square.left(), square.top() + 1, 1, square.height() - 1),
                             QColor(255, 255, 255, 50));
            painter.fillRect(QRect(square.left() + 1, square.bottom(), square.width() - 1, 1),
                             QColor(0, 0, 0, 80));
            painter.fillRect(QRect(square.right(), square.top() + 1, 1, square.height() - 2),
                             QColor(0, 0, 0, 60));
        }
    }
}

void drawArrow(QPainter &painter, QPointF tip, double direction)
{
    // direction: +1 points right, -1 points left.
    const double length = 10.0;
    const double head = 5.0;
    const double shaft = 1.5;
    const double tail = tip.x() - direction * length;
    const double neck = tip.x() - direction * head;
    const QPolygonF arrow {
        QPointF(tail, tip.y() - shaft), QPointF(neck, tip.y() - shaft),
        QPointF(neck, tip.y() - 4.0),   tip,
        QPointF(neck, tip.y() + 4.0),   QPointF(neck, tip.y() + shaft),
        QPointF(tail, tip.y() + shaft),
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 130));
    painter.drawPolygon(arrow.translated(0.7, 0.9));
    painter.setBrush(QColor(245, 246, 248));
    painter.drawPolygon(arrow);
}

// A rounded plate of metal set into the skin.
struct Plate
{
    double radius;
    int edgeAlpha; // of the light edge below and right of it
    MetalTone tone;
    std::uint32_t seed;
    int outlineAlpha; // of its dark outline
};

// @p plate filling @p area: its light edge, the metal, @p shading over the metal
// and the outline.
void drawPlate(QPainter &painter, QRect area, const Plate &plate, const QGradient &shading)
{
    const QRectF shape = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, plate.edgeAlpha));
    painter.drawRoundedRect(shape.translated(1, 1), plate.radius, plate.radius);
    painter.setBrush(metalBrush(painter, area, plate.tone, plate.seed));
    painter.drawRoundedRect(shape, plate.radius, plate.radius);
    painter.setBrush(shading);
    painter.drawRoundedRect(shape, plate.radius, plate.radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, plate.outlineAlpha), 1.0));
    painter.drawRoundedRect(shape, plate.radius, plate.radius);
}

// The swap bar fills exactly the click area of lblSwap: a raised rod of dark
// metal with an arrow towards each panel and the word Swap between them.
void drawSwapBar(QPainter &painter)
{
    const QRect bar = pixelsOf(QStringLiteral("lblSwap"));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient rod(bar.left(), 0, bar.right() + 1, 0);
    rod.setColorAt(0.0, QColor(0, 0, 0, 40));
    rod.setColorAt(0.3, QColor(255, 255, 255, 60));
    rod.setColorAt(0.55, QColor(255, 255, 255, 10));
    rod.setColorAt(1.0, QColor(0, 0, 0, 70));
    drawPlate(painter, bar, Plate {3, 120, MetalTone {72, 6.0, 4}, 0x73776170, 140}, rod);

    const double middle = bar.left() + bar.width() / 2.0;
    drawArrow(painter, QPointF(middle + 5.0, bar.top() + 12.5), 1.0);
    drawArrow(painter, QPointF(middle - 5.0, bar.bottom() - 11.5), -1.0);

    const QFont font = pixelFont(11, true);
    const QFontMetricsF metrics(font);
    const QString word = QStringLiteral("Swap");
    painter.translate(middle, bar.top() + bar.height() / 2.0);
    painter.rotate(-90);
    painter.setFont(font);
    const QPointF start(-metrics.horizontalAdvance(word) / 2.0, metrics.capHeight() / 2.0);
    painter.setPen(QColor(0, 0, 0, 150));
    painter.drawText(start + QPointF(-1.0, 1.0), word);
    painter.setPen(QColor(HeaderText));
    painter.drawText(start, word);
    painter.restore();
}

// The close label reaches above the outline; its visible lower half carries a
// small dark-red button with a cross.
void drawCloseMark(QPainter &painter)
{
    const QRect area = pixelsOf(QStringLiteral("Label1"));
    const QPointF centre(area.left() + area.width() / 2.0, 26.5);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 150));
    painter.drawEllipse(centre + QPointF(0.5, 0.7), 4.3, 4.3);
    QRadialGradient ball(centre - QPointF(1.2, 1.5), 5.5);
    ball.setColorAt(0.0, QColor(226, 84, 72));
    ball.setColorAt(1.0, QColor(128, 16, 20));
    painter.setBrush(ball);
    painter.setPen(QPen(QColor(70, 10, 12), 0.8));
    painter.drawEllipse(centre, 4.0, 4.0);
    painter.setPen(QPen(QColor(255, 240, 236), 1.2, Qt::SolidLine, Qt::RoundCap));
    const double arm = 1.7;
    painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
    painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
    painter.restore();
}

// A dark well sunk into the metal under the two buttons at the bottom right.
void drawRecess(QPainter &painter)
{
    const QRect clipboard = pixelsOf(QStringLiteral("lblClipboard"));
    const QRect exit = pixelsOf(QStringLiteral("cmdExit"));
    const QRect buttons = clipboard.united(exit);
    const QRect well = buttons.adjusted(-7, -6, 7, 4);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, well.top(), 0, well.bottom() + 1);
    shade.setColorAt(0.0, QColor(0, 0, 0, 120));
    shade.setColorAt(0.25, QColor(0, 0, 0, 20));
    shade.setColorAt(1.0, QColor(255, 255, 255, 12));
    drawPlate(painter, well, Plate {5, 170, MetalTone {50, 5.0, 4}, 0x77656c6c, 150}, shade);
    painter.restore();
}

// Opaque controls sit in a shallow seat: shaded above and left, lit below and right.
void drawSeat(QPainter &painter, QRect control)
{
    const QColor shade(0, 0, 0, 85);
    const QColor light(255, 255, 255, 165);
    painter.fillRect(QRect(control.left() - 1, control.top() - 1, control.width() + 1, 1), shade);
    painter.fillRect(QRect(control.left() - 1, control.top(), 1, control.height()), shade);
    painter.fillRect(QRect(control.left() - 1, control.bottom() + 1, control.width() + 2, 1),
                     light);
    painter.fillRect(QRect(control.right() + 1, control.top() - 1, 1, control.height() + 1), light);
}

void drawSeats(QPainter &painter)
{
    for (const LayoutEntry &control : shownControls()) {
        if (isOpaque(control) || control.name == QStringLiteral("lblGenerate"))
            drawSeat(painter, DesignPixels(control.twips));
    }
}

QImage textureOf(const QString &button)
{
    if (button == QStringLiteral("lblGenerate"))
        return GenerateButtonTexture();
    if (button == QStringLiteral("lblClipboard"))
        return ClipboardButtonTexture();
    return ExitButtonTexture();
}

void drawMockControl(QPainter &painter, const LayoutEntry &control)
{
    const QRect r = DesignPixels(control.twips);
    painter.setFont(pixelFont(11, control.font && control.font->bold));
    // Opaque labels (the component strips) look like picture boxes.
    const bool strip = control.kind == ControlKind::Label && isOpaque(control);
    switch (strip ? ControlKind::PictureBox : control.kind) {
    case ControlKind::TextBox:
        painter.fillRect(r,
                         control.name == QStringLiteral("txtString") ? QColor(Qt::white)
                                                                     : QColor(0xe0, 0xe0, 0xe0));
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        break;
    case ControlKind::PictureBox:
        if (control.name.startsWith(QStringLiteral("Picture4"))
            || control.name == QStringLiteral("picGradText")) {
            QLinearGradient gradient(r.left(), 0, r.right(), 0);
            gradient.setColorAt(0.0, QColor(255, 0, 0));
            gradient.setColorAt(1.0, QColor(0, 0, 255));
            painter.fillRect(r,
                             control.name == QStringLiteral("picGradText") ? QBrush(Qt::white)
                                                                           : QBrush(gradient));
        } else {
            painter.fillRect(r, QColor(0x80, 0xc0, 0xff));
        }
        painter.setPen(QColor(0x40, 0x40, 0x40));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        break;
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
        painter.fillRect(r, QColor(0xc0, 0xc0, 0xc0));
        painter.setPen(QColor(0x40, 0x40, 0x40));
        painter.setBrush(Qt::white);
        if (control.kind == ControlKind::OptionButton)
            painter.drawEllipse(QRect(r.left() + 1, r.top() + 1, 11, 11));
        else
            painter.drawRect(QRect(r.left(), r.top() + 2, 12, 12));
        painter.setBrush(Qt::NoBrush);
        break;
    case ControlKind::HotCommand:
        painter.drawImage(r.topLeft(), textureOf(control.name));
        painter.setPen(control.name == QStringLiteral("lblGenerate") ? QColor(0x40, 0x40, 0x40)
                                                                     : QColor(Qt::white));
        painter.drawText(r, Qt::AlignCenter,
                         QString::fromLatin1(FindButtonLooks(control.name)->caption));
        break;
    case ControlKind::Label: {
        // The window writes the character count; the mock-up shows a sample one.
        const bool count = control.name == QStringLiteral("lblChars");
        painter.setPen(count ? QColor(0x20, 0x20, 0x20) : QColor(Qt::black));
        painter.drawText(r, int(control.alignment | Qt::AlignTop),
                         count ? QStringLiteral("90") : control.caption);
        break;
    }
    }
}

} // namespace

QImage DrawSkin(double ratio)
{
    const ZoneMap zones(ratio);
    QImage skin(zones.size(), QImage::Format_RGB32);
    fillZones(skin, zones, ratio);
    bevelZones(skin, zones, ratio);

    // What follows is drawn in the layout's pixels.
    skin.setDevicePixelRatio(ratio);
    QPainter painter(&skin);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawTitles(painter);

    const std::array<QRect, 3> frames = colourPanelFrames();
    const std::array<std::uint32_t, 3> seeds {0x73746172, 0x656e6420, 0x626b6772};
    for (int number = 1; number <= 3; ++number) {
        const std::size_t index = std::size_t(number - 1);
        drawPanel(painter, frames[index], PanelNames(number).title, seeds[index]);
    }
    drawPanel(painter, gradientPanelFrame(frames), QString::fromLatin1(GradientPanelTitle),
              0x74797065);

    drawSeats(painter);
    drawPresetSquares(painter);
    drawSwapBar(painter);
    drawCloseMark(painter);
    drawRecess(painter);
    painter.end();
    return skin.convertToFormat(QImage::Format_RGB888);
}

QImage DrawSkinPreview(bool outlines)
{
    QImage preview = DrawSkin().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&preview);
    const QList<LayoutEntry> controls = shownControls();
    for (const LayoutEntry &control : controls)
        drawMockControl(painter, control);
    if (outlines) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QColor(255, 0, 255, 170));
        for (const LayoutEntry &control : controls)
            painter.drawRect(DesignPixels(control.twips).adjusted(0, 0, -1, -1));
    }
    painter.end();
    return preview;
}

} // namespace huevane::artgen
