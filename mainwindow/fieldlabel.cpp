#include "fieldlabel.h"

#include <QLabel>

namespace huevane {

QLabel *FieldLabel(const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    field->setAccessibleName(QString(caption).remove(u'&').remove(u':'));
    return label;
}

} // namespace huevane
