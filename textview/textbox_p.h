#pragma once

#include "textview/textbox.h"
#include "textview/undohistory.h"
#include "textview/wrappedlines.h"

#include <QBasicTimer>
#include <QPoint>
#include <QRectF>

class QKeyEvent;

namespace huevane {

struct ShownLine;

/// The state of a TextBox and what its parts share: the text's lines, the
/// selection, the geometry of the lines in the viewport, editing with its undo
/// steps, and the keys and mouse gestures that move and select. The widget's
/// event handlers, each concern in a file of its own, work through it.
class TextBox::Private
{
public:
    /// Between the frame and the text, in pixels, as a text box leaves it.
    static constexpr int Margin = 4;

    /// What a held left button does as the pointer moves.
    enum class Gesture { None, Characters, Words, Lines, MayDrag };

    explicit Private(TextBox *box)
        : q(box)
    { }

    TextBox *q;
    WrappedLines lines;
    bool readOnly = false;
    qsizetype cursor = 0;
    qsizetype anchor = 0;
    qreal goalX = -1; ///< where Up, Down and the page keys aim, in the line; -1 for none
    UndoHistory history;
    QBasicTimer blink;
    QBasicTimer autoScroll;
    QBasicTimer tripleClick; ///< runs after a double click, while a third one counts
    QPoint doubleClickAt;
    bool cursorShown = false;
    Gesture gesture = Gesture::None;
    qsizetype gestureFrom = 0; ///< the word or line the gesture started on
    qsizetype gestureTo = 0;
    QPoint pressAt;
    qsizetype dropAt = -1; ///< where dragged text would go; -1 while nothing is dragged over
    qreal lineHeight = 0;  ///< in pixels, for the box's font

    const QString &text() const { return lines.text(); }
    qsizetype selectionStart() const { return std::min(cursor, anchor); }
    qsizetype selectionEnd() const { return std::max(cursor, anchor); }
    bool hasSelection() const { return anchor != cursor; }

    // The view's geometry (textboxview.cpp).

    /// The top line in view.
    int first() const;
    /// How far the lines from @p top down are scrolled up, in pixels: the
    /// margin above the text shows only while the view is at its top.
    qreal offset(qsizetype top) const { return top == 0 ? 0 : Margin + qreal(top) * lineHeight; }
    /// The top of line @p line in the whole text, and in the viewport.
    qreal documentTop(qsizetype line) const { return Margin + qreal(line) * lineHeight; }
    qreal lineTop(qsizetype line) const { return documentTop(line) - offset(first()); }
    /// The width the lines are broken at, in pixels (at least 1).
    qreal width() const;
    /// The lines wholly in view below the top one, as many as the scroll bar
    /// pages; at the bottom the margin below the last line takes room too.
    int page() const;
    int pageAtBottom() const;
    /// Breaks the text again for the box's font and width.
    void relayout();
    void updateScrollBar();
    /// Scrolls to @p position, after updateScrollBar() for the lines as they now are.
    void ensureVisible(qsizetype position);
    /// True when @p position is on line @p line, one broken already; on a line in view.
    bool holds(qsizetype line, qsizetype position) const;
    bool inView(qsizetype position) const;
    /// Lays out line @p line where it is shown in the viewport.
    void layOut(ShownLine &shown, qsizetype line) const;
    /// The position nearest to @p x of the viewport in line @p line, and the
    /// x where the insertion point stands at @p position.
    qsizetype positionInLine(qsizetype line, qreal x) const;
    qreal xOf(qsizetype position) const;
    /// The position under @p point of the viewport; below the text its end.
    qsizetype positionAt(QPointF point) const;
    QRectF cursorRect(qsizetype position) const;

    // The selection and editing (textbox.cpp).

    /// Selects from @p newAnchor to @p newCursor (clamped), scrolling to the
    /// insertion point when @p scroll.
    void select(qsizetype newAnchor, qsizetype newCursor, bool scroll = true);
    /// Makes a selection the user made the primary selection, where there is one.
    void publishSelection() const;
    void restartBlink();
    /// @p t with its line breaks as LF unless the box is read-only.
    QString normalised(const QString &t) const;
    /// Replaces @p to - @p from code units at @p from with @p inserted, as an
    /// edit of the user's with its undo step; nothing when read-only.
    void edit(qsizetype from, qsizetype to, const QString &inserted,
              UndoHistory::Kind kind = UndoHistory::Kind::Other);
    void eraseSelection() { edit(selectionStart(), selectionEnd(), {}); }
    void undoOrRedo(bool undoing);

    // The keys (textboxkeys.cpp).

    /// The new place of the insertion point for a key that moves it, or -1;
    /// @p keepAnchor tells whether the key extends the selection.
    qsizetype moved(QKeyEvent *event, bool *keepAnchor);
    /// Handles a key that edits; false for any other.
    bool handleEditingKey(QKeyEvent *event);

    // The mouse (textboxmouse.cpp).

    /// The selection a held button makes as the pointer reaches @p point.
    void extendGesture(QPointF point);
    /// Drags the selected text away.
    void dragSelection();

private:
    // Replaces the text, telling the listeners and accessibility; the caller
    // scrolls to the change (ensureVisible), which brings the scroll bar and
    // the view up to date.
    void apply(qsizetype at, qsizetype length, const QString &inserted);
    // Where the keys take the insertion point.
    qsizetype lineEnd(qsizetype line) const;
    qsizetype paged(bool down);
};

} // namespace huevane
