#include "controlfactory.h"

#include "hotcommand/hotcommand.h"
#include "mainwindow/clicklabel.h"
#include "mainwindow/fonts.h"
#include "platform/drawingsurface.h"
#include "platform/propertystore.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
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

QWidget *CreateLabel(const ControlSpec &spec, QWidget *parent)
{
    auto *label = new ClickLabel(parent);
    label->setText(spec.caption);
    label->setAlignment(spec.alignment);
    SetColour(label, QPalette::WindowText, spec.foreColor);
    SetColour(label, QPalette::Window, spec.backColor);
    label->setAutoFillBackground(spec.flags & Opaque);
    if (spec.flags & Bordered) {
        label->setFrameShape(QFrame::Box);
        label->setLineWidth(1);
    }
    return label;
}

QWidget *CreateTextBox(const ControlSpec &spec, QWidget *parent)
{
    QWidget *box;
    if (spec.flags & MultiLine) {
        auto *edit = new QPlainTextEdit(parent);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setReadOnly(spec.flags & ReadOnly);
        edit->setTabChangesFocus(true);
        box = edit;
    } else {
        auto *edit = new QLineEdit(parent);
        edit->setAlignment(spec.alignment);
        edit->setReadOnly(spec.flags & ReadOnly);
        if (spec.maxLength > 0)
            edit->setMaxLength(spec.maxLength);
        box = edit;
    }
    SetColour(box, QPalette::Base, spec.backColor);
    SetColour(box, QPalette::Text, spec.foreColor);
    return box;
}

QWidget *CreatePictureBox(const ControlSpec &spec, QWidget *parent)
{
    auto *surface = new DrawingSurface(parent);
    surface->setFocusPolicy(Qt::NoFocus);
    if (spec.backColor)
        surface->setBackColor(*spec.backColor);
    if (!spec.picture.isEmpty())
        surface->setPicture(QPixmap(spec.picture));
    return surface;
}

QWidget *CreateHotCommand(const ControlSpec &spec, QWidget *parent)
{
    const VariantMapPropertyStore store(StoredButtonProperties(spec.name));
    return new HotCommand(store, parent);
}

QWidget *CreateWidget(const ControlSpec &spec, QWidget *parent)
{
    switch (spec.kind) {
    case ControlKind::Label:
        return CreateLabel(spec, parent);
    case ControlKind::TextBox:
        return CreateTextBox(spec, parent);
    case ControlKind::PictureBox:
        return CreatePictureBox(spec, parent);
    case ControlKind::OptionButton: {
        auto *option = new QRadioButton(parent);
        option->setChecked(spec.flags & Selected);
        return option;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(parent);
    case ControlKind::HotCommand:
        return CreateHotCommand(spec, parent);
    }
    return nullptr;
}

} // namespace

QWidget *CreateControl(const ControlSpec &spec, QWidget *parent)
{
    QWidget *widget = CreateWidget(spec, parent);
    widget->setObjectName(spec.name);
    if (spec.font)
        widget->setFont(MakeFont(*spec.font));
    if (spec.kind == ControlKind::OptionButton || spec.kind == ControlKind::CheckBox) {
        SetColour(widget, QPalette::Window, spec.backColor);
        SetColour(widget, QPalette::WindowText, spec.foreColor);
        widget->setAutoFillBackground(spec.backColor.has_value());
    }
    if (!spec.toolTip.isEmpty())
        widget->setToolTip(spec.toolTip);
    if (spec.flags & SizeHorCursor)
        widget->setCursor(Qt::SizeHorCursor);
    widget->setGeometry(TwipsRect(spec.left, spec.top, spec.width, spec.height));
    widget->setVisible(!(spec.flags & Hidden));
    return widget;
}

} // namespace huevane
