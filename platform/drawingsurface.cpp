#include "platform/drawingsurface.h"

#include "platform/twips.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace huevane {

namespace {

int ButtonBits(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
        | (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftBits(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

QStringList TextLines(const QString &text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return unified.split(QLatin1Char('\n'));
}

} // namespace

class DrawingSurface::Private
{
public:
    QImage image;
    ColourValue backColor = SystemColour::WindowBackground;
    ColourValue foreColor = SystemColour::WindowText;
    QPixmap picture;
    int align = 0;
    double currentX = 0.0;
    double currentY = 0.0;
    QPainter *bulkPainter = nullptr;
    bool pressed = false;
    bool doubleClicked = false;
};

DrawingSurface::DrawingSurface(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
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
    return ResolveColour(colour, palette());
}

// The kept picture follows the widget's size on every use rather than only in
// resizeEvent: a hidden widget learns of its new size only when it is shown, and
// drawing in between must already land on a picture of the right size.
static void EnsureImage(QImage &image, QSize size, const QColor &background, int dpiX, int dpiY,
                        QPainter *activePainter)
{
    if (image.size() == size || activePainter)
        return;
    QImage grown(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    if (grown.isNull()) {
        image = QImage();
        return;
    }
    grown.setDotsPerMeterX(qRound(dpiX / 0.0254));
    grown.setDotsPerMeterY(qRound(dpiY / 0.0254));
    grown.fill(background);
    if (!image.isNull()) {
        QPainter painter(&grown);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, image);
    }
    image = std::move(grown);
}

template <typename Draw>
static void WithPainter(QImage &image, QPainter *bulkPainter, Draw draw)
{
    if (bulkPainter) {
        bulkPainter->save();
        bulkPainter->resetTransform();
        bulkPainter->setRenderHint(QPainter::Antialiasing, false);
        bulkPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        draw(*bulkPainter);
        bulkPainter->restore();
        return;
    }
    if (image.isNull())
        return;
    QPainter painter(&image);
    draw(painter);
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
    EnsureImage(d->image, size(), resolve(d->backColor), logicalDpiX(), logicalDpiY(),
                d->bulkPainter);
    const QColor background = resolve(d->backColor);
    const QPixmap picture = d->picture;
    WithPainter(d->image, d->bulkPainter, [&](QPainter &painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(QRect(QPoint(0, 0), size()), background);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (!picture.isNull())
            painter.drawPixmap(0, 0, picture);
    });
    update();
}

void DrawingSurface::showPicture()
{
    if (d->picture.isNull())
        return;
    EnsureImage(d->image, size(), resolve(d->backColor), logicalDpiX(), logicalDpiY(),
                d->bulkPainter);
    const QPixmap picture = d->picture;
    WithPainter(d->image, d->bulkPainter,
                [&](QPainter &painter) { painter.drawPixmap(0, 0, picture); });
    update();
}

void DrawingSurface::print(const QString &text)
{
    EnsureImage(d->image, size(), resolve(d->backColor), logicalDpiX(), logicalDpiY(),
                d->bulkPainter);
    const double tppX = TwipsPerPixelX();
    const double tppY = TwipsPerPixelY();
    const QStringList lines = TextLines(text);
    const QFontMetrics metrics(font(), &d->image);
    const int left = TwipsToPixels(d->currentX, tppX);
    const int top = TwipsToPixels(d->currentY, tppY);
    const QColor colour = resolve(d->foreColor);
    const QFont drawingFont = font();
    WithPainter(d->image, d->bulkPainter, [&](QPainter &painter) {
        painter.setFont(drawingFont);
        painter.setPen(colour);
        for (qsizetype i = 0; i < lines.size(); ++i)
            painter.drawText(left, top + int(i) * metrics.height() + metrics.ascent(), lines[i]);
    });
    if (lines.size() > 1)
        d->currentY += PixelsToTwips(double(lines.size() - 1) * metrics.height(), tppY);
    d->currentX = PixelsToTwips(left + metrics.horizontalAdvance(lines.last()), tppX);
    update();
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
    EnsureImage(d->image, size(), resolve(d->backColor), logicalDpiX(), logicalDpiY(),
                d->bulkPainter);
    const double tppX = TwipsPerPixelX();
    const double tppY = TwipsPerPixelY();
    const QPoint from(TwipsToPixels(x1, tppX), TwipsToPixels(y1, tppY));
    const QPoint to(TwipsToPixels(x2, tppX), TwipsToPixels(y2, tppY));
    const QColor penColour = resolve(colour);
    WithPainter(d->image, d->bulkPainter, [&](QPainter &painter) {
        painter.setPen(QPen(penColour, 0, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(from, to);
    });
    update();
}

static QRect PixelRect(double x1, double y1, double x2, double y2)
{
    const double tppX = TwipsPerPixelX();
    const double tppY = TwipsPerPixelY();
    const int left = TwipsToPixels(x1, tppX);
    const int top = TwipsToPixels(y1, tppY);
    const int right = TwipsToPixels(x2, tppX);
    const int bottom = TwipsToPixels(y2, tppY);
    // Built from the ordered corners: QRect::normalized() would drop the far row
    // and column of a rectangle given the wrong way round.
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right), std::max(top, bottom)));
}

void DrawingSurface::rectangle(double x1, double y1, double x2, double y2, ColourValue colour)
{
    EnsureImage(d->image, size(), resolve(d->backColor), logicalDpiX(), logicalDpiY(),
                d->bulkPainter);
    const QRect corners = PixelRect(x1, y1, x2, y2);
    const QColor penColour = resolve(colour);
    WithPainter(d->image, d->bulkPainter, [&](QPainter &painter) {
        painter.setPen(QPen(penColour, 0));
        painter.setBrush(Qt::NoBrush);
        // A one-pixel pen outlines width + 1 pixels, so both corners are included.
        painter.drawRect(corners.adjusted(0, 0, -1, -1));
    });
    update();
}

void DrawingSurface::fillRectangle(double x1, double y1, double x2, double y2, ColourValue colour)
{
    EnsureImage(d->image, size(), resolve(d->backColor), logicalDpiX(), logicalDpiY(),
                d->bulkPainter);
    const QRect corners = PixelRect(x1, y1, x2, y2);
    const QColor fill = resolve(colour);
    WithPainter(d->image, d->bulkPainter,
                [&](QPainter &painter) { painter.fillRect(corners, fill); });
    update();
}

QPainter *DrawingSurface::beginPaint()
{
    if (d->bulkPainter)
        return d->bulkPainter;
    EnsureImage(d->image, size(), resolve(d->backColor), logicalDpiX(), logicalDpiY(), nullptr);
    if (d->image.isNull())
        return nullptr;
    d->bulkPainter = new QPainter(&d->image);
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
    EnsureImage(d->image, size(), resolve(d->backColor), logicalDpiX(), logicalDpiY(),
                d->bulkPainter);
    return d->image;
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

void DrawingSurface::paintEvent(QPaintEvent *event)
{
    EnsureImage(d->image, size(), resolve(d->backColor), logicalDpiX(), logicalDpiY(),
                d->bulkPainter);
    QPainter painter(this);
    painter.drawImage(event->rect(), d->image, event->rect());
}

void DrawingSurface::resizeEvent(QResizeEvent *event)
{
    EnsureImage(d->image, size(), resolve(d->backColor), logicalDpiX(), logicalDpiY(),
                d->bulkPainter);
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
    int button = ButtonBits(event->button());
    int shift = ShiftBits(event->modifiers());
    float x = float(PixelsToTwips(event->position().x(), TwipsPerPixelX()));
    float y = float(PixelsToTwips(event->position().y(), TwipsPerPixelY()));
    Q_EMIT mouseDown(button, shift, x, y);
}

void DrawingSurface::mouseMoveEvent(QMouseEvent *event)
{
    int button = ButtonBits(event->buttons());
    int shift = ShiftBits(event->modifiers());
    float x = float(PixelsToTwips(event->position().x(), TwipsPerPixelX()));
    float y = float(PixelsToTwips(event->position().y(), TwipsPerPixelY()));
    Q_EMIT mouseMove(button, shift, x, y);
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
    int button = ButtonBits(event->button());
    int shift = ShiftBits(event->modifiers());
    float x = float(PixelsToTwips(event->position().x(), TwipsPerPixelX()));
    float y = float(PixelsToTwips(event->position().y(), TwipsPerPixelY()));
    Q_EMIT mouseUp(button, shift, x, y);
    if (clicked)
        Q_EMIT click();
}

void DrawingSurface::mouseDoubleClickEvent(QMouseEvent *)
{
    d->pressed = true;
    d->doubleClicked = true;
    Q_EMIT dblClick();
}

void DrawingSurface::keyPressEvent(QKeyEvent *event)
{
    int keyAscii = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        keyAscii = 13;
    else if (!event->text().isEmpty() && event->text().at(0).unicode() < 256)
        keyAscii = event->text().at(0).unicode();
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
