#include "platform/drawingsurface.h"

#include "platform/twips.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace huevane {

namespace {

int ButtonBits(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
        | (buttons & Qt::MiddleButton ? 4 : 0);
}

QStringList TextLines(const QString &text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return unified.split(QLatin1Char('\n'));
}

// The pixels of the screen that a widget of @p size covers at @p ratio device
// pixels to a pixel; a part of a device pixel counts whole.
QSize DeviceSize(QSize size, qreal ratio)
{
    const auto device = [ratio](int length) {
        return std::max(0, int(std::ceil(length * ratio - 1e-9)));
    };
    return QSize(device(size.width()), device(size.height()));
}

// The pixels from @p from to @p to, both included, as a rectangle of whole pixels.
QRect PixelSpan(QPoint from, QPoint to)
{
    return QRect(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                 QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y())));
}

using MouseSignal = void (DrawingSurface::*)(int &, int &, float &, float &);

// Raises @p signal for @p event with the position in twips.
void EmitMouse(DrawingSurface &surface, MouseSignal signal, int button, const QMouseEvent &event)
{
    int shift = ShiftBits(event.modifiers());
    float x = float(PixelsToTwips(event.position().x(), TwipsPerPixelX()));
    float y = float(PixelsToTwips(event.position().y(), TwipsPerPixelY()));
    Q_EMIT std::invoke(signal, surface, button, shift, x, y);
}

// A surface as assistive technology sees it: the role and the actions its owner
// gave it, its name from QWidget::accessibleName().
class SurfaceAccessible : public KeyActionAccessible, public QAccessibleValueInterface
{
public:
    using KeyActionAccessible::KeyActionAccessible;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface && surface()->accessibleRange())
            return static_cast<QAccessibleValueInterface *>(this);
        return KeyActionAccessible::interface_cast(type);
    }

    void setCurrentValue(const QVariant &value) override
    {
        auto *target = static_cast<DrawingSurface *>(widget());
        if (target->accessibleRange())
            Q_EMIT target->accessibleValueRequested(value.toDouble());
    }
    QVariant currentValue() const override { return range().current; }
    QVariant maximumValue() const override { return range().maximum; }
    QVariant minimumValue() const override { return range().minimum; }
    QVariant minimumStepSize() const override { return 1; }

protected:
    DrawingSurface::AccessibleRange range() const
    {
        return surface()->accessibleRange().value_or(DrawingSurface::AccessibleRange {});
    }
    const DrawingSurface *surface() const { return static_cast<DrawingSurface *>(widget()); }
    QAccessible::Role roleOf() const override { return surface()->accessibleRole(); }
    QList<KeyAction> actionsOf() const override { return surface()->keyActions(); }
};

QAccessibleInterface *SurfaceAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(DrawingSurface::staticMetaObject.className()))
        return new SurfaceAccessible(static_cast<DrawingSurface *>(object));
    return nullptr;
}

} // namespace

int KeyAscii(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return 13;
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).unicode() < 256 ? text.at(0).unicode() : 0;
}

int ShiftBits(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

class DrawingSurface::Private
{
public:
    // The kept picture at the surface's size. It follows the size on every use,
    // not only in resizeEvent: a hidden widget gets its resize event only when it
    // is shown, and drawing in between must already land on a picture of the
    // right size. While the bulk painter is active the picture keeps its size.
    QImage &canvas(const DrawingSurface &surface);
    // Runs @p draw with a painter on the kept picture (the bulk painter, in its
    // plain state, while it is active), then schedules a repaint.
    template <typename Draw>
    void paint(DrawingSurface &surface, Draw draw);

    ColourValue backColor = SystemColour::WindowBackground;
    ColourValue foreColor = SystemColour::WindowText;
    QPixmap picture;
    int align = 0;
    double currentX = 0.0;
    double currentY = 0.0;
    QPainter *bulkPainter = nullptr;
    bool pressed = false;
    bool doubleClicked = false;
    bool focusMarked = false;
    QAccessible::Role accessibleRole = QAccessible::Graphic;
    QList<KeyAction> keyActions;
    std::optional<AccessibleRange> accessibleRange;

private:
    QImage image;
};

QImage &DrawingSurface::Private::canvas(const DrawingSurface &surface)
{
    const qreal ratio = surface.devicePixelRatioF();
    const QSize size = DeviceSize(surface.size(), ratio);
    if ((image.size() == size && image.devicePixelRatio() == ratio) || bulkPainter)
        return image;
    QImage grown(size, QImage::Format_RGB32);
    if (grown.isNull()) {
        image = QImage();
        return image;
    }
    grown.setDevicePixelRatio(ratio);
    grown.setDotsPerMeterX(qRound(surface.logicalDpiX() / 0.0254));
    grown.setDotsPerMeterY(qRound(surface.logicalDpiY() / 0.0254));
    grown.fill(surface.resolve(backColor));
    if (!image.isNull()) {
        QPainter painter(&grown);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, image);
    }
    image = std::move(grown);
    return image;
}

template <typename Draw>
void DrawingSurface::Private::paint(DrawingSurface &surface, Draw draw)
{
    if (bulkPainter) {
        bulkPainter->save();
        bulkPainter->resetTransform();
        bulkPainter->setRenderHint(QPainter::Antialiasing, false);
        bulkPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        draw(*bulkPainter);
        bulkPainter->restore();
    } else if (QImage &target = canvas(surface); !target.isNull()) {
        QPainter painter(&target);
        draw(painter);
    }
    surface.update();
}

DrawingSurface::DrawingSurface(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    static const bool accessible = (QAccessible::installFactory(SurfaceAccessibleFactory), true);
    Q_UNUSED(accessible);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

DrawingSurface::~DrawingSurface()
{
    releaseCapture();
    if (d->bulkPainter)
        endPaint();
}

QColor DrawingSurface::resolve(ColourValue colour) const
{
    return ResolveColour(colour);
}

ColourValue DrawingSurface::backColor() const
{
    return d->backColor;
}

void DrawingSurface::setBackColor(ColourValue colour)
{
    d->backColor = colour;
    clear();
}

ColourValue DrawingSurface::foreColor() const
{
    return d->foreColor;
}

void DrawingSurface::setForeColor(ColourValue colour)
{
    d->foreColor = colour;
}

QPixmap DrawingSurface::picture() const
{
    return d->picture;
}

void DrawingSurface::setPicture(const QPixmap &picture)
{
    d->picture = picture;
    clear();
}

int DrawingSurface::align() const
{
    return d->align;
}

bool DrawingSurface::setAlign(int align)
{
    if (align < 0 || align > 4)
        return false;
    d->align = align;
    return true;
}

double DrawingSurface::currentX() const
{
    return d->currentX;
}

void DrawingSurface::setCurrentX(double twips)
{
    d->currentX = twips;
}

double DrawingSurface::currentY() const
{
    return d->currentY;
}

void DrawingSurface::setCurrentY(double twips)
{
    d->currentY = twips;
}

double DrawingSurface::scaleWidth() const
{
    return PixelsToTwips(width(), TwipsPerPixelX());
}

double DrawingSurface::scaleHeight() const
{
    return PixelsToTwips(height(), TwipsPerPixelY());
}

void DrawingSurface::clear()
{
    const QColor background = resolve(d->backColor);
    const QPixmap picture = d->picture;
    d->paint(*this, [&](QPainter &painter) {
        // The whole picture, with the device pixel that a fractional ratio leaves
        // beyond the widget's last pixel.
        const QPaintDevice &device = *painter.device();
        const qreal ratio = device.devicePixelRatioF();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(QRectF(0, 0, device.width() / ratio, device.height() / ratio), background);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (!picture.isNull())
            painter.drawPixmap(0, 0, picture);
    });
}

void DrawingSurface::showPicture()
{
    if (d->picture.isNull())
        return;
    const QPixmap picture = d->picture;
    d->paint(*this, [&](QPainter &painter) { painter.drawPixmap(0, 0, picture); });
}

void DrawingSurface::print(const QString &text)
{
    const double tppX = TwipsPerPixelX();
    const double tppY = TwipsPerPixelY();
    const QStringList lines = TextLines(text);
    const QFontMetrics metrics(font(), &d->canvas(*this));
    const int left = TwipsToPixels(d->currentX, tppX);
    const int top = TwipsToPixels(d->currentY, tppY);
    const QColor colour = resolve(d->foreColor);
    const QFont drawingFont = font();
    d->paint(*this, [&](QPainter &painter) {
        painter.setFont(drawingFont);
        painter.setPen(colour);
        for (qsizetype i = 0; i < lines.size(); ++i)
            painter.drawText(left, top + int(i) * metrics.height() + metrics.ascent(), lines[i]);
    });
    if (lines.size() > 1)
        d->currentY += PixelsToTwips(double(lines.size() - 1) * metrics.height(), tppY);
    d->currentX = PixelsToTwips(left + metrics.horizontalAdvance(lines.last()), tppX);
}

double DrawingSurface::textWidth(const QString &text) const
{
    const QFontMetrics metrics(font(), this);
    int widest = 0;
    for (const QString &line : TextLines(text))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return PixelsToTwips(widest, TwipsPerPixelX());
}

double DrawingSurface::textHeight(const QString &text) const
{
    const QFontMetrics metrics(font(), this);
    return PixelsToTwips(double(TextLines(text).size()) * metrics.height(), TwipsPerPixelY());
}

void DrawingSurface::line(double x1, double y1, double x2, double y2, ColourValue colour)
{
    const double tppX = TwipsPerPixelX();
    const double tppY = TwipsPerPixelY();
    const QPoint from(TwipsToPixels(x1, tppX), TwipsToPixels(y1, tppY));
    const QPoint to(TwipsToPixels(x2, tppX), TwipsToPixels(y2, tppY));
    const QColor penColour = resolve(colour);
    d->paint(*this, [&](QPainter &painter) {
        // Across and down a line fills whole pixels, so that it is a pixel thick
        // at any device pixel ratio; a slanted one is a pen a pixel wide.
        if (from.x() == to.x() || from.y() == to.y()) {
            painter.fillRect(PixelSpan(from, to), penColour);
        } else {
            painter.setPen(QPen(penColour, painter.device()->devicePixelRatioF() == 1 ? 0 : 1,
                                Qt::SolidLine, Qt::SquareCap));
            painter.drawLine(from, to);
        }
    });
}

static QRect PixelRect(double x1, double y1, double x2, double y2)
{
    const double tppX = TwipsPerPixelX();
    const double tppY = TwipsPerPixelY();
    // Built from the ordered corners: QRect::normalized() would drop the far row
    // and column of a rectangle given the wrong way round.
    return PixelSpan(QPoint(TwipsToPixels(x1, tppX), TwipsToPixels(y1, tppY)),
                     QPoint(TwipsToPixels(x2, tppX), TwipsToPixels(y2, tppY)));
}

void DrawingSurface::rectangle(double x1, double y1, double x2, double y2, ColourValue colour)
{
    const QRect corners = PixelRect(x1, y1, x2, y2);
    const QColor penColour = resolve(colour);
    d->paint(*this, [&](QPainter &painter) {
        // Four lines of whole pixels, as line() draws them.
        const QPoint topRight = corners.topRight();
        const QPoint bottomLeft = corners.bottomLeft();
        painter.fillRect(PixelSpan(corners.topLeft(), topRight), penColour);
        painter.fillRect(PixelSpan(bottomLeft, corners.bottomRight()), penColour);
        painter.fillRect(PixelSpan(corners.topLeft(), bottomLeft), penColour);
        painter.fillRect(PixelSpan(topRight, corners.bottomRight()), penColour);
    });
}

void DrawingSurface::fillRectangle(double x1, double y1, double x2, double y2, ColourValue colour)
{
    const QRect corners = PixelRect(x1, y1, x2, y2);
    const QColor fill = resolve(colour);
    d->paint(*this, [&](QPainter &painter) { painter.fillRect(corners, fill); });
}

QPainter *DrawingSurface::beginPaint()
{
    if (d->bulkPainter)
        return d->bulkPainter;
    QImage &canvas = d->canvas(*this);
    if (canvas.isNull())
        return nullptr;
    d->bulkPainter = new QPainter(&canvas);
    return d->bulkPainter;
}

void DrawingSurface::endPaint()
{
    if (!d->bulkPainter)
        return;
    d->bulkPainter->end();
    delete d->bulkPainter;
    d->bulkPainter = nullptr;
    update();
}

QImage DrawingSurface::image() const
{
    return d->canvas(*this);
}

void DrawingSurface::setCapture()
{
    if (isVisible() && QWidget::mouseGrabber() != this)
        grabMouse();
}

void DrawingSurface::releaseCapture()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

bool DrawingSurface::hasCapture() const
{
    return QWidget::mouseGrabber() == this;
}

QAccessible::Role DrawingSurface::accessibleRole() const
{
    return d->accessibleRole;
}

void DrawingSurface::setAccessibleRole(QAccessible::Role role)
{
    d->accessibleRole = role;
}

QList<KeyAction> DrawingSurface::keyActions() const
{
    return d->keyActions;
}

void DrawingSurface::setKeyActions(const QList<KeyAction> &actions)
{
    d->keyActions = actions;
}

std::optional<DrawingSurface::AccessibleRange> DrawingSurface::accessibleRange() const
{
    return d->accessibleRange;
}

void DrawingSurface::setAccessibleRange(const std::optional<AccessibleRange> &range)
{
    if (d->accessibleRange == range)
        return;
    d->accessibleRange = range;
    if (range) {
        QAccessibleValueChangeEvent event(this, range->current);
        QAccessible::updateAccessibility(&event);
    }
}

void DrawingSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QImage &canvas = d->canvas(*this);
    const qreal ratio = canvas.devicePixelRatio();
    const QRectF shown = event->rect();
    painter.drawImage(shown, canvas, QRectF(shown.topLeft() * ratio, shown.size() * ratio));
    if (hasFocus() && d->focusMarked)
        DrawFocusMark(painter, rect());
}

void DrawingSurface::resizeEvent(QResizeEvent *event)
{
    // Cut at once on a shrink, so that growing back shows background, not what
    // was cut off.
    d->canvas(*this);
    QWidget::resizeEvent(event);
}

void DrawingSurface::hideEvent(QHideEvent *event)
{
    releaseCapture();
    QWidget::hideEvent(event);
}

void DrawingSurface::mousePressEvent(QMouseEvent *event)
{
    d->pressed = true;
    d->doubleClicked = false;
    EmitMouse(*this, &DrawingSurface::mouseDown, ButtonBits(event->button()), *event);
}

void DrawingSurface::mouseMoveEvent(QMouseEvent *event)
{
    EmitMouse(*this, &DrawingSurface::mouseMove, ButtonBits(event->buttons()), *event);
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent *event)
{
    // Only the left button clicks; the others go down and come up, nothing more.
    const bool clicked = event->button() == Qt::LeftButton && d->pressed && !d->doubleClicked
        && event->buttons() == Qt::NoButton && rect().contains(event->position().toPoint());
    if (event->buttons() == Qt::NoButton) {
        d->pressed = false;
        d->doubleClicked = false;
    }
    EmitMouse(*this, &DrawingSurface::mouseUp, ButtonBits(event->button()), *event);
    if (clicked)
        Q_EMIT click();
}

void DrawingSurface::mouseDoubleClickEvent(QMouseEvent *)
{
    d->pressed = true;
    d->doubleClicked = true;
    Q_EMIT dblClick();
}

// The mark stays while another window or a menu holds the focus for a while (the
// colour dialog opened from the keyboard, say) and is back when it returns.
void DrawingSurface::focusInEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        d->focusMarked = event->reason() == Qt::TabFocusReason
            || event->reason() == Qt::BacktabFocusReason
            || event->reason() == Qt::ShortcutFocusReason;
    QWidget::focusInEvent(event);
}

void DrawingSurface::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        d->focusMarked = false;
    QWidget::focusOutEvent(event);
}

void DrawingSurface::keyPressEvent(QKeyEvent *event)
{
    if (hasFocus() && !d->focusMarked) {
        d->focusMarked = true;
        update();
    }
    int keyCode = event->key();
    int shift = ShiftBits(event->modifiers());
    Q_EMIT keyDown(keyCode, shift);
    if (keyCode == 0)
        return;
    int keyAscii = KeyAscii(*event);
    if (keyAscii == 0) {
        event->ignore();
        return;
    }
    Q_EMIT keyPress(keyAscii);
}

SurfacePainter::SurfacePainter(DrawingSurface &surface)
    : m_surface(surface)
    , m_painter(surface.beginPaint())
{
    // A surface without pixels has no picture to paint on; painting then goes
    // nowhere instead of through a null painter.
    if (!m_painter) {
        m_scratch = QImage(1, 1, QImage::Format_RGB32);
        m_painter = new QPainter(&m_scratch);
        m_ownsPainter = true;
    }
}

SurfacePainter::~SurfacePainter()
{
    if (m_ownsPainter)
        delete m_painter;
    else
        m_surface.endPaint();
}

QPainter &SurfacePainter::painter()
{
    return *m_painter;
}

} // namespace huevane
