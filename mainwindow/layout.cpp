#include "layout.h"

#include "mainwindow/artpixmap.h"
#include "mainwindow/fonts.h"

#include <QFont>
#include <QPixmap>

namespace huevane {

QVariantMap StoredButtonProperties(const QString &name, qreal devicePixelRatio)
{
    const ButtonLooks *button = FindButtonLooks(name);
    if (!button)
        return {};
    QVariantMap values {
        {"BackColor", QVariant::fromValue(button->back)},
        {"ForeColor", QVariant::fromValue(button->fore)},
        {"Font", MakeFont(DefaultFont())},
        {"Caption", QString::fromLatin1(button->caption)},
        {"Picture", ArtPixmap(QString::fromLatin1(button->picture), devicePixelRatio)},
        {"ForeColorHi", QVariant::fromValue(button->foreHi)},
        {"ForeColorDown", QVariant::fromValue(button->foreDown)},
    };
    if (button->backHi)
        values.insert("BackColorHi", QVariant::fromValue(*button->backHi));
    if (button->backDown)
        values.insert("BackColorDown", QVariant::fromValue(*button->backDown));
    return values;
}

} // namespace huevane
