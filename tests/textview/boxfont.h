#pragma once

#include <QFont>

// The font of the window's text boxes, in which the text view's tests lay out.
inline QFont BoxFont()
{
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPointSizeF(8.25);
    return font;
}
