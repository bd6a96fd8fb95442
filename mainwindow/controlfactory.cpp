#include "controlfactory.h"

#include "hotcommand/hotcommand.h"
#include "mainwindow/clicklabel.h"
#include "mainwindow/fonts.h"
#include "mainwindow/textbox.h"
#include "platform/drawingsurface.h"
#include "platform/propertystore.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace huevane {

namespace {

void SetColour(QWidget *widget, QPalette::ColorRole role, std::optional<ColourValue> value)
{
    if (!value)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, ResolveColour(*value, palette));
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
    surface->setFocusPolicy(Qt::NoFocus);
    if (entry.backColor)
        surface->setBackColor(*entry.backColor);
    if (!entry.picture.isEmpty())
        surface->setPicture(QPixmap(entry.picture));
    return surface;
}

QWidget *CreateHotCommand(const LayoutEntry &entry, QWidget *parent)
{
    const VariantMapPropertyStore store(StoredButtonProperties(entry.name));
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

QWidget *CreateControl(const LayoutEntry &entry, QWidget *parent)
{
    QWidget *widget = CreateWidget(entry, parent);
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
