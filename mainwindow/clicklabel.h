#pragma once

#include <QLabel>

namespace huevane {

/// A label that reports a click of the left mouse button: pressed and released
/// over it. The second press of a double click starts no click, so a double
/// click is reported once. Captions and click areas of the main window are
/// ClickLabels.
///
/// A label that takes the focus (from the keyboard) is a button: Enter or Space
/// clicks it, it shows a dotted focus mark at its edge while it holds the focus,
/// and assistive technology sees a push button whose press action is Space.
/// Any other label is text to assistive technology, named by its caption, and
/// the label for its buddy (QLabel::buddy()), if it has one.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickLabel(QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace huevane
