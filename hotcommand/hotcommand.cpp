#include "hotcommand/hotcommand.h"

#include "platform/drawingsurface.h"
#include "platform/focuspassing.h"
#include "platform/propertystore.h"
#include "platform/twips.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QtDebug>

#include <limits>
#include <optional>
#include <utility>

namespace huevane {

namespace {

// Offset of the pressed caption, in twips.
constexpr double PressedShiftX = 30.0;
constexpr double PressedShiftY = 15.0;

// The virtual-key numbers hosts know for the named keys; letters and digits are
// their own numbers, F1 to F24 are 112 to 135.
// clang-format off
constexpr std::pair<int, int> NamedKeyCodes[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9}, {Qt::Key_Backtab, 9}, {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13}, {Qt::Key_Shift, 16}, {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
    {Qt::Key_Escape, 27}, {Qt::Key_Space, 32}, {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35}, {Qt::Key_Home, 36}, {Qt::Key_Left, 37}, {Qt::Key_Up, 38},
    {Qt::Key_Right, 39}, {Qt::Key_Down, 40}, {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46},
};
// clang-format on

// What a key code of the hidden inner button reads as: the virtual-key number
// hosts know, else the key's low 16 bits.
int KeyCodeOf(const QKeyEvent &event)
{
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    for (const auto &[qtKey, code] : NamedKeyCodes)
        if (key == qtKey)
            return code;
    return key & 0xFFFF;
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

// To assistive technology the button is its surface, a push button named by the
// caption (see the constructor), which alone reports the focus; the hidden inner
// button, which does nothing when pressed, is left out.
class HotCommandAccessible : public FocusPassingAccessible
{
public:
    using FocusPassingAccessible::FocusPassingAccessible;

    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(
                   static_cast<HotCommand *>(widget())->picButton())
                          : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == static_cast<HotCommand *>(widget())->picButton() ? 0
                                                                                            : -1;
    }
};

QAccessibleInterface *HotCommandAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(HotCommand::staticMetaObject.className()))
        return new HotCommandAccessible(static_cast<HotCommand *>(object));
    return nullptr;
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
    // The button's own enabled state as last reported: a disabled container
    // changes the look, but not the property.
    bool ownEnabled = true;
    // Set while loading, which applies the enabled state and the font quietly,
    // then draws once and reports the font itself.
    bool loading = false;
};

HotCommand::HotCommand(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    static const bool accessible = (QAccessible::installFactory(HotCommandAccessibleFactory), true);
    Q_UNUSED(accessible);
    d->picButton = new DrawingSurface(this);
    d->picButton->setObjectName(QStringLiteral("picButton"));
    d->picButton->setGeometry(0, 0, width(), height());
    d->picButton->setFocusPolicy(Qt::StrongFocus);
    d->picButton->setAccessibleRole(QAccessible::Button);
    d->picButton->setKeyActions({PressAction()});
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

    connectSurface();
    d->normalBackColor = d->picButton->backColor();
}

HotCommand::HotCommand(const PropertyStore &store, QWidget *parent)
    : HotCommand(parent)
{
    readProperties(store);
}

HotCommand::~HotCommand() = default;

void HotCommand::connectSurface()
{
    DrawingSurface *surface = d->picButton;
    connect(surface, &DrawingSurface::mouseDown, this,
            [this](int &button, int &shift, float &x, float &y) {
                if (!isEnabled())
                    return;
                drawState(x, y, button, d->backColorDown);
                Q_EMIT MouseDown(button, shift, x, y);
            });
    connect(surface, &DrawingSurface::mouseMove, this,
            [this](int &button, int &shift, float &x, float &y) {
                drawState(x, y, button, button != 0 ? d->backColorDown : d->backColorHi);
                Q_EMIT MouseMove(button, shift, x, y);
            });
    connect(surface, &DrawingSurface::mouseUp, this,
            [this](int &button, int &shift, float &x, float &y) {
                d->picButton->releaseCapture();
                Q_EMIT MouseUp(button, shift, x, y);
            });
    const auto click = [this] {
        drawState(-1, -1, 0, d->backColorDown);
        Q_EMIT Click();
    };
    connect(surface, &DrawingSurface::click, this, click);
    connect(surface, &DrawingSurface::dblClick, this, [this] { Q_EMIT DblClick(); });
    connect(surface, &DrawingSurface::keyPress, this, [click](int &keyAscii) {
        if (keyAscii == 13 || keyAscii == 32)
            click();
    });
}

void HotCommand::readProperties(const PropertyStore &store)
{
    DrawingSurface *surface = d->picButton;
    surface->setBackColor(
        ReadColour(store, QStringLiteral("BackColor"), SystemColour::AppWorkspace));
    d->normalBackColor = surface->backColor();
    surface->setForeColor(ReadColour(store, QStringLiteral("ForeColor"), SystemColour::WindowText));

    d->loading = true;
    setEnabled(ReadBool(store, QStringLiteral("Enabled"), true));
    d->ownEnabled = !testAttribute(Qt::WA_ForceDisabled);
    setFont(ReadFont(store, QStringLiteral("Font"), store.ambientFont()));
    d->loading = false;
    drawCaption();
    Q_EMIT propertyChanged(QStringLiteral("Font"));

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
    store.writeProperty(QStringLiteral("ForeColor"), colour(foreColor()),
                        colour(SystemColour::WindowText));
    // The control's own state, not one a disabled container imposes on it.
    store.writeProperty(QStringLiteral("Enabled"), !testAttribute(Qt::WA_ForceDisabled), true);
    store.writeProperty(QStringLiteral("Font"), font(), store.ambientFont());
    store.writeProperty(QStringLiteral("Align"), int(align()), 0);
    store.writeProperty(QStringLiteral("Cancel"), d->cmdMapped->property("Cancel").toBool(), false);
    // Written with the default it is read with, so that every caption, "Command1"
    // included, comes back as it was saved.
    store.writeProperty(QStringLiteral("Caption"), caption(), QStringLiteral("HotCommand"));
    store.writeProperty(QStringLiteral("ToolTipText"), toolTipText(), QString());
    store.writeProperty(QStringLiteral("Picture"), PictureValue(picture()), QVariant());
    store.writeProperty(QStringLiteral("BackColorHi"), colour(d->backColorHi),
                        colour(SystemColour::ButtonFace));
    store.writeProperty(QStringLiteral("ForeColorHi"), colour(d->foreColorHi),
                        colour(SystemColour::ButtonText));
    store.writeProperty(QStringLiteral("BackColorDown"), colour(d->backColorDown),
                        colour(SystemColour::ButtonFace));
    store.writeProperty(QStringLiteral("ForeColorDown"), colour(d->foreColorDown),
                        colour(SystemColour::ButtonText));
}

ColourValue HotCommand::backColor() const
{
    return d->picButton->backColor();
}

void HotCommand::setBackColor(ColourValue colour)
{
    d->picButton->setBackColor(colour);
    d->normalBackColor = colour;
    drawCaption();
    Q_EMIT propertyChanged(QStringLiteral("BackColor"));
    Q_EMIT backColorChanged(colour);
}

ColourValue HotCommand::foreColor() const
{
    return d->picButton->foreColor();
}

void HotCommand::setForeColor(ColourValue colour)
{
    d->picButton->setForeColor(colour);
    drawCaption();
    Q_EMIT propertyChanged(QStringLiteral("ForeColor"));
    Q_EMIT foreColorChanged(colour);
}

qint16 HotCommand::align() const
{
    return qint16(d->picButton->align());
}

void HotCommand::setAlign(qint16 align)
{
    if (!d->picButton->setAlign(align)) {
        qWarning("HotCommand: alignment %d refused; it must be 0 to 4", int(align));
        return;
    }
    Q_EMIT propertyChanged(QStringLiteral("Align"));
    Q_EMIT alignChanged(align);
}

QString HotCommand::caption() const
{
    return d->cmdMapped->text();
}

void HotCommand::setCaption(const QString &caption)
{
    d->cmdMapped->setText(caption);
    updateGeometry();
    Q_EMIT propertyChanged(QStringLiteral("Caption"));
    Q_EMIT captionChanged(caption);
    drawCaption();
}

QString HotCommand::toolTipText() const
{
    return d->picButton->toolTip();
}

void HotCommand::setToolTipText(const QString &text)
{
    d->picButton->setToolTip(text);
    Q_EMIT propertyChanged(QStringLiteral("ToolTipText"));
    Q_EMIT toolTipTextChanged(text);
}

QPixmap HotCommand::picture() const
{
    return d->picButton->picture();
}

void HotCommand::setPicture(const QPixmap &picture)
{
    d->picButton->setPicture(picture);
    updateGeometry();
    drawCaption();
    Q_EMIT propertyChanged(QStringLiteral("Picture"));
    Q_EMIT pictureChanged(picture);
}

ColourValue HotCommand::backColorHi() const
{
    return d->backColorHi;
}

void HotCommand::setBackColorHi(ColourValue colour)
{
    d->backColorHi = colour;
    Q_EMIT propertyChanged(QStringLiteral("BackColorHi"));
    Q_EMIT backColorHiChanged(colour);
}

ColourValue HotCommand::foreColorHi() const
{
    return d->foreColorHi;
}

void HotCommand::setForeColorHi(ColourValue colour)
{
    d->foreColorHi = colour;
    Q_EMIT propertyChanged(QStringLiteral("ForeColorHi"));
    Q_EMIT foreColorHiChanged(colour);
}

ColourValue HotCommand::backColorDown() const
{
    return d->backColorDown;
}

void HotCommand::setBackColorDown(ColourValue colour)
{
    d->backColorDown = colour;
    Q_EMIT propertyChanged(QStringLiteral("BackColorDown"));
    Q_EMIT backColorDownChanged(colour);
}

ColourValue HotCommand::foreColorDown() const
{
    return d->foreColorDown;
}

void HotCommand::setForeColorDown(ColourValue colour)
{
    d->foreColorDown = colour;
    Q_EMIT propertyChanged(QStringLiteral("ForeColorDown"));
    Q_EMIT foreColorDownChanged(colour);
}

ColourValue HotCommand::normalBackColor() const
{
    return d->normalBackColor;
}

void HotCommand::refresh()
{
    d->picButton->repaint();
}

QSize HotCommand::sizeHint() const
{
    // The hidden inner button holds the caption in the button's font, so it
    // knows what a push button with this caption needs.
    const QSize pictureSize = picture().deviceIndependentSize().toSize();
    return d->cmdMapped->sizeHint().expandedTo(pictureSize);
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
    drawCaption();
}

void HotCommand::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (d->loading)
        return;
    if (event->type() == QEvent::EnabledChange) {
        const bool ownEnabled = !testAttribute(Qt::WA_ForceDisabled);
        if (ownEnabled != d->ownEnabled) {
            d->ownEnabled = ownEnabled;
            Q_EMIT propertyChanged(QStringLiteral("Enabled"));
        }
        if (!isEnabled())
            drawState(-1, -1, 0, d->backColorDown);
        drawCaption();
    } else if (event->type() == QEvent::FontChange) {
        // The surface has taken the new font already.
        drawCaption();
        Q_EMIT propertyChanged(QStringLiteral("Font"));
    }
}

bool HotCommand::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != d->cmdMapped)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto &keyEvent = static_cast<const QKeyEvent &>(*event);
        int keyCode = KeyCodeOf(keyEvent);
        int shift = ShiftBits(keyEvent.modifiers());
        Q_EMIT KeyDown(keyCode, shift);
        if (keyCode == 0)
            return true;
        int keyAscii = KeyAscii(keyEvent);
        if (keyAscii != 0) {
            Q_EMIT KeyPress(keyAscii);
            if (keyAscii == 0)
                return true;
        }
    } else if (event->type() == QEvent::KeyRelease) {
        const auto &keyEvent = static_cast<const QKeyEvent &>(*event);
        int keyCode = KeyCodeOf(keyEvent);
        int shift = ShiftBits(keyEvent.modifiers());
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

// Draws the resting look for a position outside the surface, else the hover look
// (no button held) or the pressed look on @p hotBackColor; x and y in twips.
void HotCommand::drawState(float x, float y, int buttons, ColourValue hotBackColor)
{
    DrawingSurface &surface = *d->picButton;
    const ColourValue savedForeColor = surface.foreColor();
    const double width = surface.scaleWidth();
    const double height = surface.scaleHeight();
    // The border runs along the outermost pixel row and column.
    const double right = width - TwipsPerPixelX();
    const double bottom = height - TwipsPerPixelY();
    const QString text = caption();

    QPointF at = CentredCaption(surface, text);
    ColourValue textColour = savedForeColor;
    const bool outside = x < 0 || y < 0 || x > width || y > height;
    if (outside) {
        surface.releaseCapture();
        surface.setBackColor(d->normalBackColor);
        surface.rectangle(0, 0, right, bottom, d->normalBackColor);
        // The picture goes over the outline: a button with a texture rests flat on it.
        surface.showPicture();
    } else {
        const bool pressed = buttons != 0;
        const ColourValue outline =
            pressed ? SystemColour::ButtonHighlight : SystemColour::ButtonShadow;
        const ColourValue topLeft =
            pressed ? SystemColour::ButtonShadow : SystemColour::ButtonHighlight;
        surface.setCapture();
        surface.setBackColor(hotBackColor);
        surface.showPicture();
        surface.rectangle(0, 0, right, bottom, outline);
        surface.line(0, 0, right, 0, topLeft);
        surface.line(0, 0, 0, bottom, topLeft);
        if (pressed)
            at += QPointF(PressedShiftX, PressedShiftY);
        textColour = pressed ? d->foreColorDown : d->foreColorHi;
    }
    if (!text.isEmpty()) {
        surface.setCurrentX(at.x());
        surface.setCurrentY(at.y());
        surface.setForeColor(textColour);
        surface.print(text);
    }
    surface.setForeColor(savedForeColor);
}

// Clears what is drawn and prints the caption centred in the resting colour, or
// in button shadow while disabled; the background stays whatever look it is.
void HotCommand::drawCaption()
{
    DrawingSurface &surface = *d->picButton;
    const QString text = caption();
    if (surface.accessibleName() != text)
        surface.setAccessibleName(text);
    const QPointF at = CentredCaption(surface, text);
    const ColourValue savedForeColor = surface.foreColor();
    surface.clear();
    surface.setCurrentX(at.x());
    surface.setCurrentY(at.y());
    if (!isEnabled())
        surface.setForeColor(SystemColour::ButtonShadow);
    surface.print(text);
    surface.setForeColor(savedForeColor);
}

} // namespace huevane
