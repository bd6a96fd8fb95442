#include "hotcommand/hotcommand.h"

#include "platform/drawingsurface.h"
#include "platform/propertystore.h"
#include "platform/twips.h"

#include <QKeyEvent>
#include <QPushButton>

namespace huevane {

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
};

HotCommand::HotCommand(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    d->picButton = new DrawingSurface(this);
    d->picButton->setObjectName(QStringLiteral("picButton"));
    d->cmdMapped = new QPushButton(QStringLiteral("Command1"), this);
    d->cmdMapped->setObjectName(QStringLiteral("cmdMapped"));
    d->cmdMapped->hide();
    d->normalBackColor = d->picButton->backColor();
}

HotCommand::HotCommand(const PropertyStore &store, QWidget *parent)
    : HotCommand(parent)
{
    readProperties(store);
}

HotCommand::~HotCommand() = default;

void HotCommand::readProperties(const PropertyStore &)
{ }

void HotCommand::writeProperties(PropertyStore &) const
{ }

ColourValue HotCommand::BackColor() const
{
    return d->picButton->backColor();
}

void HotCommand::setBackColor(ColourValue New_BackColor)
{
    d->picButton->setBackColor(New_BackColor);
    d->normalBackColor = New_BackColor;
}

ColourValue HotCommand::ForeColor() const
{
    return d->picButton->foreColor();
}

void HotCommand::setForeColor(ColourValue New_ForeColor)
{
    d->picButton->setForeColor(New_ForeColor);
}

bool HotCommand::Enabled() const
{
    return isEnabled();
}

void HotCommand::setEnabled(bool New_Enabled)
{
    QWidget::setEnabled(New_Enabled);
}

QFont HotCommand::Font() const
{
    return d->picButton->font();
}

void HotCommand::setFont(const QFont &New_Font)
{
    d->picButton->setFont(New_Font);
}

qint16 HotCommand::Align() const
{
    return qint16(d->picButton->align());
}

void HotCommand::setAlign(qint16 New_Align)
{
    d->picButton->setAlign(New_Align);
}

QString HotCommand::Caption() const
{
    return d->cmdMapped->text();
}

void HotCommand::setCaption(const QString &New_Caption)
{
    d->cmdMapped->setText(New_Caption);
}

QString HotCommand::ToolTipText() const
{
    return d->picButton->toolTip();
}

void HotCommand::setToolTipText(const QString &New_ToolTipText)
{
    d->picButton->setToolTip(New_ToolTipText);
}

QPixmap HotCommand::Picture() const
{
    return d->picButton->picture();
}

void HotCommand::setPicture(const QPixmap &New_Picture)
{
    d->picButton->setPicture(New_Picture);
}

ColourValue HotCommand::BackColorHi() const
{
    return d->backColorHi;
}

void HotCommand::setBackColorHi(ColourValue New_BackColorHi)
{
    d->backColorHi = New_BackColorHi;
}

ColourValue HotCommand::ForeColorHi() const
{
    return d->foreColorHi;
}

void HotCommand::setForeColorHi(ColourValue New_ForeColorHi)
{
    d->foreColorHi = New_ForeColorHi;
}

ColourValue HotCommand::BackColorDown() const
{
    return d->backColorDown;
}

void HotCommand::setBackColorDown(ColourValue New_BackColorDown)
{
    d->backColorDown = New_BackColorDown;
}

ColourValue HotCommand::ForeColorDown() const
{
    return d->foreColorDown;
}

void HotCommand::setForeColorDown(ColourValue New_ForeColorDown)
{
    d->foreColorDown = New_ForeColorDown;
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
    d->picButton->setGeometry(0, 0, width(), height());
    QWidget::resizeEvent(event);
}

void HotCommand::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
}

bool HotCommand::eventFilter(QObject *watched, QEvent *event)
{
    return QWidget::eventFilter(watched, event);
}

void HotCommand::DrawState(float, float, int, ColourValue)
{ }

void HotCommand::DrawCaption()
{ }

} // namespace huevane
