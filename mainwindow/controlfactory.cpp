#include "controlfactory.h"

#include "hotcommand/hotcommand.h"
#include "mainwindow/artpixmap.h"
#include "mainwindow/clicklabel.h"
#include "mainwindow/fonts.h"
#include "textview/textbox.h"
#include "platform/drawingsurface.h"
#include "platform/propertystore.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace huevane {

namespace {

void SetColour(QWidget *widget, QPalette::ColorRole role, std::optional<ColourValue> value)
{
    if (!value)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, ResolveColour(*value));
    widget->setPalette(palette);
}

QWidget *CreateLabel(const LayoutEntry &entry, QWidget *parent)
{
    auto *label = new ClickLabel(parent);
    label->setText(entry.caption);
    label->setAlignment(entry.alignment);
    SetColour(label, QPalette::WindowText, entry.foreColor);
    SetColour(label, QPalette::Window, entry.backColor);
    label->setAutoFillBackground(entry.flags & Opaque);
    if (entry.flags & Bordered) {
        label->setFrameShape(QFrame::Box);
        label->setLineWidth(1);
    }
    return label;
}

QWidget *CreateTextBox(const LayoutEntry &entry, QWidget *parent)
{
    QWidget *box;
    if (entry.flags & MultiLine) {
        auto *edit = new TextBox(parent);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setReadOnly(entry.flags & ReadOnly);
        box = edit;
    } else {
        auto *edit = new QLineEdit(parent);
        edit->setAlignment(entry.alignment);
        edit->setReadOnly(entry.flags & ReadOnly);
        if (entry.maxLength > 0)
            edit->setMaxLength(entry.maxLength);
        box = edit;
    }
    SetColour(box, QPalette::Base, entry.backColor);
    SetColour(box, QPalette::Text, entry.foreColor);
    return box;
}

QWidget *CreatePictureBox(const LayoutEntry &entry, QWidget *parent)
{
    auto *surface = new DrawingSurface(parent);
    if (entry.backColor)
        surface->setBackColor(*entry.backColor);
    if (!entry.picture.isEmpty())
        surface->setPicture(ArtPixmap(entry.picture, parent->devicePixelRatioF()));
    return surface;
}

QWidget *CreateHotCommand(const LayoutEntry &entry, QWidget *parent)
{
    const VariantMapPropertyStore store(
        StoredButtonProperties(entry.name, parent->devicePixelRatioF()));
    return new HotCommand(store, parent);
}

QWidget *CreateWidget(const LayoutEntry &entry, QWidget *parent)
{
    switch (entry.kind) {
    case ControlKind::Label:
        return CreateLabel(entry, parent);
    case ControlKind::TextBox:
        return CreateTextBox(entry, parent);
    case ControlKind::PictureBox:
        return CreatePictureBox(entry, parent);
    case ControlKind::OptionButton: {
        auto *option = new QRadioButton(parent);
        option->setChecked(entry.flags & Selected);
        return option;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(parent);
    case ControlKind::HotCommand:
        return CreateHotCommand(entry, parent);
    }
    return nullptr;
}

} // namespace

void SetCaption(QLabel *label, const QString &text)
{
    label->setText(text);
    const LayoutEntry *entry = FindControl(label->objectName());
    if (!entry || entry->growsTo <= 0)
        return;
    const QRect designed = TwipsRect(entry->twips.left(), entry->twips.top(), entry->twips.width(),
                                     entry->twips.height());
    const int room = TwipsToPixels(entry->growsTo, TwipsPerPixelX()) - designed.left();
    QFont font = MakeFont(entry->font.value_or(DefaultFont()));
    const auto needed = [&] { return QFontMetrics(font, label).size(0, text).width(); };
    int stretch = font.stretch() == QFont::AnyStretch ? QFont::Unstretched : font.stretch();
    while (needed() > room && stretch > QFont::UltraCondensed)
        font.setStretch(--stretch);
    label->setFont(font);
    label->setGeometry(designed.left(), designed.top(),
                       std::clamp(needed(), designed.width(), room), designed.height());
}

QWidget *CreateControl(const LayoutEntry &entry, QWidget *parent)
{
    QWidget *widget = CreateWidget(entry, parent);
    // Picture boxes and click areas take the focus from the keyboard, where the tab
    // order lists them, but not from a click: a click on a preset leaves a value
    // field being edited as it is, uncommitted.
    if (entry.kind == ControlKind::PictureBox || entry.kind == ControlKind::Label) {
        static const QStringList tabOrder = TabOrder();
        widget->setFocusPolicy(tabOrder.contains(entry.name) ? Qt::TabFocus : Qt::NoFocus);
    }
    // A control that passes its focus on (a hot-tracking button to its surface)
    // is known to assistive technology by the part that takes the focus.
    if (!entry.accessibleName.isEmpty())
        (widget->focusProxy() ? widget->focusProxy() : widget)
            ->setAccessibleName(entry.accessibleName);
    widget->setObjectName(entry.name);
    if (entry.font)
        widget->setFont(MakeFont(*entry.font));
    if (entry.kind == ControlKind::OptionButton || entry.kind == ControlKind::CheckBox) {
        SetColour(widget, QPalette::Window, entry.backColor);
        SetColour(widget, QPalette::WindowText, entry.foreColor);
        // Buttons fill their background from the Button role unless told otherwise.
        widget->setBackgroundRole(QPalette::Window);
        widget->setAutoFillBackground(entry.backColor.has_value());
    }
    if (!entry.toolTip.isEmpty())
        widget->setToolTip(entry.toolTip);
    if (entry.flags & SizeHorCursor)
        widget->setCursor(Qt::SizeHorCursor);
    widget->setGeometry(TwipsRect(entry.twips.left(), entry.twips.top(), entry.twips.width(),
                                  entry.twips.height()));
    widget->setVisible(!(entry.flags & Hidden));
    return widget;
}

} // namespace huevane
