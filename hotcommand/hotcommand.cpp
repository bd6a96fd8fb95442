#include "hotcommand/hotcommand.h"

#include "platform/drawingsurface.h"
#include "platform/propertystore.h"
#include "platform/twips.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QtDebug>

#include <limits>
#include <optional>

namespace huevane {

namespace {

// Offset of the pressed caption, in twips.
constexpr double PressedShiftX = 30.0;
constexpr double PressedShiftY = 15.0;

// What a key code of the hidden inner button reads as: the virtual-key numbers
// hosts know (letters, digits and the common named keys), else the key's low 16 bits.
int KeyCodeOf(const QKeyEvent &event)
{
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return key & 0xFFFF;
    }
}

int ShiftOf(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

int KeyAsciiOf(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return 13;
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).unicode() < 256 ? text.at(0).unicode() : 0;
}

// Stored values are checked: a value of the wrong type or range gives the key's
// default and a warning, never a half-applied property.
void WarnBadValue(const QString &key, const QVariant &value)
{
    qWarning("HotCommand: stored \"%s\" holds an unusable value (%s); using its default",
             qPrintable(key), value.metaType().name() ? value.metaType().name() : "invalid");
}

std::optional<qint64> WholeNumberOf(const QVariant &value)
{
    bool ok = false;
    qint64 number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
        number = value.toLongLong(&ok);
        break;
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar: {
        const quint64 unsignedNumber = value.toULongLong(&ok);
        if (unsignedNumber > quint64(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        number = qint64(unsignedNumber);
        break;
    }
    case QMetaType::QString:
        number = value.toString().trimmed().toLongLong(&ok, 0);
        break;
    default:
        return std::nullopt;
    }
    if (!ok)
        return std::nullopt;
    return number;
}

ColourValue ReadColour(const PropertyStore &store, const QString &key, ColourValue defaultValue)
{
    const QVariant value = store.readProperty(key, QVariant::fromValue(defaultValue));
    if (value.typeId() == QMetaType::QColor)
        return ToColourValue(value.value<QColor>());
    // Colours are 32-bit: signed storage of a system colour (0x800000nn is
    // negative as a signed number) reads back as the same bits.
    const std::optional<qint64> number = WholeNumberOf(value);
    if (number && *number >= std::numeric_limits<qint32>::min()
        && *number <= qint64(std::numeric_limits<quint32>::max()))
        return ColourValue(quint32(*number));
    WarnBadValue(key, value);
    return defaultValue;
}

bool ReadBool(const PropertyStore &store, const QString &key, bool defaultValue)
{
    const QVariant value = store.readProperty(key, defaultValue);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("1"))
            return true;
        if (text == QLatin1String("false") || text == QLatin1String("0"))
            return false;
    } else if (const std::optional<qint64> number = WholeNumberOf(value)) {
        return *number != 0;
    }
    WarnBadValue(key, value);
    return defaultValue;
}

QString ReadString(const PropertyStore &store, const QString &key, const QString &defaultValue)
{
    const QVariant value = store.readProperty(key, defaultValue);
    if (value.typeId() == QMetaType::QString || WholeNumberOf(value))
        return value.toString();
    WarnBadValue(key, value);
    return defaultValue;
}

QFont ReadFont(const PropertyStore &store, const QString &key, const QFont &defaultValue)
{
    const QVariant value = store.readProperty(key, defaultValue);
    if (value.typeId() == QMetaType::QFont)
        return value.value<QFont>();
    QFont font;
    if (value.typeId() == QMetaType::QString && font.fromString(value.toString()))
        return font;
    WarnBadValue(key, value);
    return defaultValue;
}

QPixmap ReadPicture(const PropertyStore &store, const QString &key)
{
    const QVariant value = store.readProperty(key, QVariant());
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QPixmap();
    case QMetaType::QPixmap:
        return value.value<QPixmap>();
    case QMetaType::QImage:
        return QPixmap::fromImage(value.value<QImage>());
    default:
        WarnBadValue(key, value);
        return QPixmap();
    }
}

QVariant PictureValue(const QPixmap &picture)
{
    return picture.isNull() ? QVariant() : QVariant(picture);
}

} // namespace

class HotCommand::Private
{
public:
    DrawingSurface *picButton = nullptr;
    QPushButton *cmdMapped = nullptr;
    ColourValue backColorHi = SystemColour::ButtonFace;
    ColourValue foreColorHi = SystemColour::ButtonText;
    ColourValue backColorDown = SystemColour::ButtonFace;
    ColourValue foreColorDown = SystemColour::ButtonText;
    ColourValue normalBackColor = SystemColour::AppWorkspace;
    // Set while the enabled state changes through setEnabled() or loading, which
    // draw (or not) on their own; other changes (a disabled parent) draw in changeEvent.
    bool changingEnabled = false;
};

HotCommand::HotCommand(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    d->picButton = new DrawingSurface(this);
    d->picButton->setObjectName(QStringLiteral("picButton"));
    d->picButton->setGeometry(0, 0, width(), height());
    d->picButton->setFocusPolicy(Qt::StrongFocus);
    d->picButton->setForeColor(SystemColour::WindowText);
    d->picButton->setBackColor(SystemColour::AppWorkspace);
    setFocusProxy(d->picButton);

    // Holds the caption and the cancel flag only: never shown, never focused.
    d->cmdMapped = new QPushButton(QStringLiteral("Command1"), this);
    d->cmdMapped->setObjectName(QStringLiteral("cmdMapped"));
    d->cmdMapped->setGeometry(TwipsRect(3600, 0, 1140, 375));
    d->cmdMapped->setFocusPolicy(Qt::NoFocus);
    d->cmdMapped->setAutoDefault(false);
    d->cmdMapped->setProperty("Cancel", false);
    d->cmdMapped->hide();
    d->cmdMapped->installEventFilter(this);

    DrawingSurface *surface = d->picButton;
    connect(surface, &DrawingSurface::mouseDown, this,
            [this](int &button, int &shift, float &x, float &y) {
                if (!isEnabled())
                    return;
                DrawState(x, y, button, d->backColorDown);
                Q_EMIT MouseDown(button, shift, x, y);
            });
    connect(surface, &DrawingSurface::mouseMove, this,
            [this](int &button, int &shift, float &x, float &y) {
                DrawState(x, y, button, button != 0 ? d->backColorDown : d->backColorHi);
                Q_EMIT MouseMove(button, shift, x, y);
            });
    connect(surface, &DrawingSurface::mouseUp, this,
            [this](int &button, int &shift, float &x, float &y) {
                d->picButton->releaseCapture();
                Q_EMIT MouseUp(button, shift, x, y);
            });
    connect(surface, &DrawingSurface::click, this, [this] {
        DrawState(-1, -1, 0, d->backColorDown);
        Q_EMIT Click();
    });
    connect(surface, &DrawingSurface::dblClick, this, [this] { Q_EMIT DblClick(); });
    connect(surface, &DrawingSurface::keyPress, this, [this](int &keyAscii) {
        if (keyAscii == 13 || keyAscii == 32) {
            DrawState(-1, -1, 0, d->backColorDown);
            Q_EMIT Click();
        }
    });

    d->normalBackColor = d->picButton->backColor();
}

HotCommand::HotCommand(const PropertyStore &store, QWidget *parent)
    : HotCommand(parent)
{
    readProperties(store);
}

HotCommand::~HotCommand() = default;

void HotCommand::readProperties(const PropertyStore &store)
{
    DrawingSurface *surface = d->picButton;
    surface->setBackColor(
        ReadColour(store, QStringLiteral("BackColor"), SystemColour::AppWorkspace));
    d->normalBackColor = surface->backColor();
    surface->setForeColor(ReadColour(store, QStringLiteral("ForeColor"), SystemColour::WindowText));

    d->changingEnabled = true;
    QWidget::setEnabled(ReadBool(store, QStringLiteral("Enabled"), true));
    d->changingEnabled = false;

    setFont(ReadFont(store, QStringLiteral("Font"), store.ambientFont()));

    const QVariant align = store.readProperty(QStringLiteral("Align"), 0);
    const std::optional<qint64> alignNumber = WholeNumberOf(align);
    if (!alignNumber || *alignNumber < 0 || *alignNumber > 4
        || !surface->setAlign(int(*alignNumber))) {
        WarnBadValue(QStringLiteral("Align"), align);
        surface->setAlign(0);
    }

    d->cmdMapped->setProperty("Cancel", ReadBool(store, QStringLiteral("Cancel"), false));
    d->cmdMapped->setText(
        ReadString(store, QStringLiteral("Caption"), QStringLiteral("HotCommand")));
    surface->setToolTip(ReadString(store, QStringLiteral("ToolTipText"), QString()));
    setPicture(ReadPicture(store, QStringLiteral("Picture")));

    d->backColorHi = ReadColour(store, QStringLiteral("BackColorHi"), SystemColour::ButtonFace);
    d->foreColorHi = ReadColour(store, QStringLiteral("ForeColorHi"), SystemColour::ButtonText);
    d->backColorDown = ReadColour(store, QStringLiteral("BackColorDown"), SystemColour::ButtonFace);
    d->foreColorDown = ReadColour(store, QStringLiteral("ForeColorDown"), SystemColour::ButtonText);
}

void HotCommand::writeProperties(PropertyStore &store) const
{
    const auto colour = [](ColourValue value) { return QVariant::fromValue(value); };
    // The resting background, not what picButton shows: saving while the
    // pointer is over the button must not store the hover background as its own.
    store.writeProperty(QStringLiteral("BackColor"), colour(d->normalBackColor),
                        colour(SystemColour::AppWorkspace));
    store.writeProperty(QStringLiteral("ForeColor"), colour(d->picButton->foreColor()),
                        colour(SystemColour::WindowText));
    // The control's own state, not one a disabled container imposes on it.
    store.writeProperty(QStringLiteral("Enabled"), !testAttribute(Qt::WA_ForceDisabled), true);
    store.writeProperty(QStringLiteral("Font"), Font(), store.ambientFont());
    store.writeProperty(QStringLiteral("Align"), int(Align()), 0);
    store.writeProperty(QStringLiteral("Cancel"), d->cmdMapped->property("Cancel").toBool(), false);
    // Written with the default it is read with, so that every caption, "Command1"
    // included, comes back as it was saved.
    store.writeProperty(QStringLiteral("Caption"), Caption(), QStringLiteral("HotCommand"));
    store.writeProperty(QStringLiteral("ToolTipText"), ToolTipText(), QString());
    store.writeProperty(QStringLiteral("Picture"), PictureValue(Picture()), QVariant());
    store.writeProperty(QStringLiteral("BackColorHi"), colour(d->backColorHi),
                        colour(SystemColour::ButtonFace));
    store.writeProperty(QStringLiteral("ForeColorHi"), colour(d->foreColorHi),
                        colour(SystemColour::ButtonText));
    store.writeProperty(QStringLiteral("BackColorDown"), colour(d->backColorDown),
                        colour(SystemColour::ButtonFace));
    store.writeProperty(QStringLiteral("ForeColorDown"), colour(d->foreColorDown),
                        colour(SystemColour::ButtonText));
}

ColourValue HotCommand::BackColor() const
{
    return d->picButton->backColor();
}

void HotCommand::setBackColor(ColourValue New_BackColor)
{
    d->picButton->setBackColor(New_BackColor);
    d->normalBackColor = New_BackColor;
    DrawCaption();
    Q_EMIT propertyChanged(QStringLiteral("BackColor"));
}

ColourValue HotCommand::ForeColor() const
{
    return d->picButton->foreColor();
}

void HotCommand::setForeColor(ColourValue New_ForeColor)
{
    d->picButton->setForeColor(New_ForeColor);
    DrawCaption();
    Q_EMIT propertyChanged(QStringLiteral("ForeColor"));
}

bool HotCommand::Enabled() const
{
    return isEnabled();
}

void HotCommand::setEnabled(bool New_Enabled)
{
    d->changingEnabled = true;
    QWidget::setEnabled(New_Enabled);
    d->changingEnabled = false;
    Q_EMIT propertyChanged(QStringLiteral("Enabled"));
    if (!New_Enabled)
        DrawState(-1, -1, 0, d->backColorDown);
    DrawCaption();
}

QFont HotCommand::Font() const
{
    return d->picButton->font();
}

void HotCommand::setFont(const QFont &New_Font)
{
    d->picButton->setFont(New_Font);
    DrawCaption();
    Q_EMIT propertyChanged(QStringLiteral("Font"));
}

qint16 HotCommand::Align() const
{
    return qint16(d->picButton->align());
}

void HotCommand::setAlign(qint16 New_Align)
{
    if (!d->picButton->setAlign(New_Align)) {
        qWarning("HotCommand: alignment %d refused; it must be 0 to 4", int(New_Align));
        return;
    }
    Q_EMIT propertyChanged(QStringLiteral("Align"));
}

QString HotCommand::Caption() const
{
    return d->cmdMapped->text();
}

void HotCommand::setCaption(const QString &New_Caption)
{
    d->cmdMapped->setText(New_Caption);
    Q_EMIT propertyChanged(QStringLiteral("Caption"));
    DrawCaption();
}

QString HotCommand::ToolTipText() const
{
    return d->picButton->toolTip();
}

void HotCommand::setToolTipText(const QString &New_ToolTipText)
{
    d->picButton->setToolTip(New_ToolTipText);
    Q_EMIT propertyChanged(QStringLiteral("ToolTipText"));
}

QPixmap HotCommand::Picture() const
{
    return d->picButton->picture();
}

void HotCommand::setPicture(const QPixmap &New_Picture)
{
    d->picButton->setPicture(New_Picture);
    DrawCaption();
    Q_EMIT propertyChanged(QStringLiteral("Picture"));
}

ColourValue HotCommand::BackColorHi() const
{
    return d->backColorHi;
}

void HotCommand::setBackColorHi(ColourValue New_BackColorHi)
{
    d->backColorHi = New_BackColorHi;
    Q_EMIT propertyChanged(QStringLiteral("BackColorHi"));
}

ColourValue HotCommand::ForeColorHi() const
{
    return d->foreColorHi;
}

void HotCommand::setForeColorHi(ColourValue New_ForeColorHi)
{
    d->foreColorHi = New_ForeColorHi;
    Q_EMIT propertyChanged(QStringLiteral("ForeColorHi"));
}

ColourValue HotCommand::BackColorDown() const
{
    return d->backColorDown;
}

void HotCommand::setBackColorDown(ColourValue New_BackColorDown)
{
    d->backColorDown = New_BackColorDown;
    Q_EMIT propertyChanged(QStringLiteral("BackColorDown"));
}

ColourValue HotCommand::ForeColorDown() const
{
    return d->foreColorDown;
}

void HotCommand::setForeColorDown(ColourValue New_ForeColorDown)
{
    d->foreColorDown = New_ForeColorDown;
    Q_EMIT propertyChanged(QStringLiteral("ForeColorDown"));
}

ColourValue HotCommand::NormalBackColor() const
{
    return d->normalBackColor;
}

void HotCommand::Refresh()
{
    d->picButton->repaint();
}

DrawingSurface *HotCommand::picButton() const
{
    return d->picButton;
}

QPushButton *HotCommand::cmdMapped() const
{
    return d->cmdMapped;
}

void HotCommand::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->picButton->setGeometry(0, 0, width(), height());
    DrawCaption();
}

void HotCommand::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !d->changingEnabled) {
        if (!isEnabled())
            DrawState(-1, -1, 0, d->backColorDown);
        DrawCaption();
    }
}

bool HotCommand::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != d->cmdMapped)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto &keyEvent = static_cast<const QKeyEvent &>(*event);
        int keyCode = KeyCodeOf(keyEvent);
        int shift = ShiftOf(keyEvent);
        Q_EMIT KeyDown(keyCode, shift);
        if (keyCode == 0)
            return true;
        int keyAscii = KeyAsciiOf(keyEvent);
        if (keyAscii != 0) {
            Q_EMIT KeyPress(keyAscii);
            if (keyAscii == 0)
                return true;
        }
    } else if (event->type() == QEvent::KeyRelease) {
        const auto &keyEvent = static_cast<const QKeyEvent &>(*event);
        int keyCode = KeyCodeOf(keyEvent);
        int shift = ShiftOf(keyEvent);
        Q_EMIT KeyUp(keyCode, shift);
        if (keyCode == 0)
            return true;
    }
    return false;
}

// The caption's centred position, in twips on whole pixels, so that the pressed
// look's 30/15-twip shift moves it by whole pixels and never by a rounding tie.
static QPointF CentredCaption(const DrawingSurface &surface, const QString &caption)
{
    const double tppX = TwipsPerPixelX();
    const double tppY = TwipsPerPixelY();
    const double x = (surface.scaleWidth() - surface.textWidth(caption)) / 2.0;
    const double y = (surface.scaleHeight() - surface.textHeight(caption)) / 2.0;
    return QPointF(PixelsToTwips(TwipsToPixels(x, tppX), tppX),
                   PixelsToTwips(TwipsToPixels(y, tppY), tppY));
}

void HotCommand::DrawState(float X, float Y, int Button, ColourValue HotBackColor)
{
    DrawingSurface &surface = *d->picButton;
    const ColourValue savedForeColor = surface.foreColor();
    const double width = surface.scaleWidth();
    const double height = surface.scaleHeight();
    // The border runs along the outermost pixel row and column.
    const double right = width - TwipsPerPixelX();
    const double bottom = height - TwipsPerPixelY();
    const QString caption = Caption();

    QPointF at = CentredCaption(surface, caption);
    ColourValue textColour = savedForeColor;
    const bool outside = X < 0 || Y < 0 || X > width || Y > height;
    if (outside) {
        surface.releaseCapture();
        surface.setBackColor(d->normalBackColor);
        surface.rectangle(0, 0, right, bottom, d->normalBackColor);
        // The picture goes over the outline: a button with a texture rests flat on it.
        surface.showPicture();
    } else {
        const bool pressed = Button != 0;
        const ColourValue outline =
            pressed ? SystemColour::ButtonHighlight : SystemColour::ButtonShadow;
        const ColourValue topLeft =
            pressed ? SystemColour::ButtonShadow : SystemColour::ButtonHighlight;
        surface.setCapture();
        surface.setBackColor(HotBackColor);
        surface.showPicture();
        surface.rectangle(0, 0, right, bottom, outline);
        surface.line(0, 0, right, 0, topLeft);
        surface.line(0, 0, 0, bottom, topLeft);
        if (pressed)
            at += QPointF(PressedShiftX, PressedShiftY);
        textColour = pressed ? d->foreColorDown : d->foreColorHi;
    }
    if (!caption.isEmpty()) {
        surface.setCurrentX(at.x());
        surface.setCurrentY(at.y());
        surface.setForeColor(textColour);
        surface.print(caption);
    }
    surface.setForeColor(savedForeColor);
}

void HotCommand::DrawCaption()
{
    DrawingSurface &surface = *d->picButton;
    const QString caption = Caption();
    const QPointF at = CentredCaption(surface, caption);
    const ColourValue savedForeColor = surface.foreColor();
    surface.clear();
    surface.setCurrentX(at.x());
    surface.setCurrentY(at.y());
    if (!isEnabled())
        surface.setForeColor(SystemColour::ButtonShadow);
    surface.print(caption);
    surface.setForeColor(savedForeColor);
}

} // namespace huevane
