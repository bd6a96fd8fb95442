#pragma once

#include <QPointF>
#include <QTextLayout>

namespace huevane {

class WrappedLines;

/// One line of a text box laid out on its own to be drawn or measured, in its
/// paragraph's direction, with the input method's text where it stands. The
/// paragraph's text around it, up to the nearest strong character on either
/// side (at most ContextUnits code units), is laid out too, in lines of its
/// own out of sight: the directions of the characters at the line's ends and
/// their joining depend on their neighbours, as in a layout of the whole
/// paragraph.
struct ShownLine
{
    /// How much of the paragraph on either side the layout holds at most, in code units.
    static constexpr qsizetype ContextUnits = 32;

    /// Lays out line @p line of @p lines in @p font at @p width pixels, to be
    /// drawn with its left at @p left and its top at @p top of the viewport.
    void layOut(const WrappedLines &lines, qsizetype line, const QFont &font, qreal width,
                qreal left, qreal top);

    /// The place in the layout of @p position of the text, past the pre-edit
    /// text where it stands after it; and back.
    int toLayout(qsizetype position) const;
    qsizetype toText(int at) const;

    /// The x of the viewport where the insertion point stands at @p position.
    qreal x(qsizetype position) const { return at.x() + line.cursorToX(toLayout(position)); }

    QTextLayout layout;
    QTextLine line;           ///< the line itself, among the others of the layout
    qsizetype start = 0;      ///< where it starts in the text
    int offset = 0;           ///< and in the layout
    qsizetype preeditAt = -1; ///< where the input method's text stands, when in the line
    int preeditLength = 0;
    QPointF at; ///< where the layout is drawn in the viewport
};

} // namespace huevane
