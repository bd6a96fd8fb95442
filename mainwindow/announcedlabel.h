#pragma once

#include <QObject>
#include <QTimer>

class QLabel;

namespace huevane {

/// Makes a label that shows a changing value, such as the count of characters,
/// heard by screen readers. The label is tied to @p caption, which labels it
/// (assistive technology sees "labelled by" and "label for"), and it tells of a
/// new text as a change of its accessible name once the text has rested for
/// SettleTime after the last changed(): a burst of changes (typing, a long
/// paste) is told once, with its last text, and a burst that ends on the text
/// it began with not at all. Until then the name keeps the text last told. The
/// first text (the one the window opens with) is told at once; the texts must
/// not be empty. Owned by the label.
class AnnouncedLabel : public QObject
{
    Q_OBJECT

public:
    /// How long the text must rest before it is told, in milliseconds.
    static constexpr int SettleTime = 1000;

    AnnouncedLabel(QLabel *label, QLabel *caption);

    /// The label's text was set.
    void changed();

private:
    void tell();

    QLabel *m_label;
    QTimer m_settle;
};

} // namespace huevane
