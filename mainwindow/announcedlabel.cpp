#include "announcedlabel.h"

#include <QLabel>

namespace huevane {

AnnouncedLabel::AnnouncedLabel(QLabel *label, QLabel *caption)
    : QObject(label)
    , m_label(label)
{
    caption->setBuddy(label);
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleTime);
    connect(&m_settle, &QTimer::timeout, this, &AnnouncedLabel::tell);
}

void AnnouncedLabel::changed()
{
    // A label without a name of its own tells of every new text itself; once
    // it has one, only tell() does.
    if (m_label->accessibleName().isEmpty())
        tell();
    else
        m_settle.start();
}

void AnnouncedLabel::tell()
{
    if (m_label->accessibleName() != m_label->text())
        m_label->setAccessibleName(m_label->text());
}

} // namespace huevane
