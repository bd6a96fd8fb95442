#include "textbox.h"

#include "engine/lineends.h"
#include "textview/characterbounds.h"
#include "textview/textboxaccessible.h"
#include "textview/wrappedlines.h"

#include <QAccessible>
#include <QApplication>
#include <QBasicTimer>
#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace huevane {

namespace {

constexpr int Margin = 4;        // between the frame and the text, as a text box leaves it
constexpr int AutoScrollMs = 50; // a drag beyond the box scrolls a line this often
constexpr qsizetype SurroundingUnits = 1024; // see surrounding()

// How much of a line's paragraph on either side its layout also holds at most
// (see layoutLine()).
constexpr qsizetype ContextUnits = 32;

// True when the code unit @p c is a strong letter of either direction; a
// surrogate is taken for none.
bool IsStrong(QChar c)
{
    const QChar::Direction direction = c.direction();
    return !c.isSurrogate()
        && (direction == QChar::DirL || direction == QChar::DirR || direction == QChar::DirAL);
}

// A line laid out on its own, with some of its paragraph around it.
struct ShownLine
{
    QTextLayout layout;
    QTextLine line;           // the line itself, among the others of the layout
    qsizetype start = 0;      // where it starts in the text
    int offset = 0;           // and in the layout
    qsizetype preeditAt = -1; // where the input method's text stands, when in the line
    int preeditLength = 0;
    QPointF at; // where the layout is drawn in the viewport

    int toLayout(qsizetype position) const
    {
        const qsizetype pre = preeditAt >= 0 && position >= preeditAt ? preeditLength : 0;
        return int(position - start + offset + pre);
    }
    qsizetype toText(int at) const
    {
        const qsizetype position = start + at - offset;
        if (preeditAt >= 0 && position > preeditAt)
            return std::max(preeditAt, position - preeditLength);
        return position;
    }
    qreal x(qsizetype position) const { return at.x() + line.cursorToX(toLayout(position)); }
};

// True when the letters on either side of @p at join (Arabic's cursive
// joining), marks between them aside.
bool JoinsAcross(QStringView text, qsizetype at)
{
    qsizetype before = at, after = at;
    while (before > 0 && text[before - 1].joiningType() == QChar::Joining_Transparent)
        --before;
    while (after < text.size() && text[after].joiningType() == QChar::Joining_Transparent)
        ++after;
    if (before == 0 || after == text.size())
        return false;
    const QChar::JoiningType left = text[before - 1].joiningType();
    const QChar::JoiningType right = text[after].joiningType();
    return (left == QChar::Joining_Dual || left == QChar::Joining_Left
            || left == QChar::Joining_Causing)
        && (right == QChar::Joining_Dual || right == QChar::Joining_Right
            || right == QChar::Joining_Causing);
}

// A line of context, laid out far above (@p side -1) or below (1) what is drawn.
void OutOfSight(QTextLine line, int side)
{
    line.setLineWidth(1e5);
    line.setPosition(QPointF(0, side * 1e6));
}

// What an edit was, for merging it into the one before for undo.
enum class EditKind { Other, Typing, Erasing };

struct Edit
{
    qsizetype at;
    QString removed;
    QString inserted;
    EditKind kind;
};

// What a held left button does as the pointer moves.
enum class Gesture { None, Characters, Words, Lines, MayDrag };

// The characters that end a word for the word keys, as in Qt's text boxes.
bool IsWordSeparator(QChar c)
{
    return QStringView(u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\").contains(c);
}

// What a double click takes together: word characters, spaces, or other marks.
int WordKind(QChar c)
{
    return c.isSpace() ? 0 : (c.isLetterOrNumber() || c.isMark() || c == u'_') ? 1 : 2;
}

} // namespace

class TextBox::Private
{
public:
    explicit Private(TextBox *box)
        : q(box)
    { }

    TextBox *q;
    WrappedLines lines;
    bool readOnly = false;
    qsizetype cursor = 0;
    qsizetype anchor = 0;
    qreal goalX = -1; // where Up, Down and the page keys aim, in the line
    std::vector<Edit> undoSteps;
    std::vector<Edit> redoSteps;
    QBasicTimer blink;
    QBasicTimer autoScroll;
    QBasicTimer tripleClick; // runs after a double click, while a third one counts
    QPoint doubleClickAt;
    bool cursorShown = false;
    Gesture gesture = Gesture::None;
    qsizetype gestureFrom = 0; // the word or line the gesture started on
    qsizetype gestureTo = 0;
    QPoint pressAt;
    qsizetype dropAt = -1; // where dragged text would go
    qreal lineHeightCache = 0;

    const QString &text() const { return lines.text(); }
    qsizetype selectionStart() const { return std::min(cursor, anchor); }
    qsizetype selectionEnd() const { return std::max(cursor, anchor); }
    qreal lineHeight() const { return lineHeightCache; }
    int first() const { return q->verticalScrollBar()->value(); }
    // The margin above the text shows only while the view is at its top.
    qreal offset(qsizetype top) const { return top == 0 ? 0 : Margin + qreal(top) * lineHeight(); }
    qreal documentTop(qsizetype line) const { return Margin + qreal(line) * lineHeight(); }
    qreal lineTop(qsizetype line) const { return documentTop(line) - offset(first()); }
    qreal width() const { return std::max<qreal>(q->viewport()->width() - 2 * Margin, 1); }
    // The lines wholly in view below the top one, as many as the scroll bar
    // pages; at the bottom the margin below the last line takes room too.
    int page() const
    {
        return std::max(1, int((q->viewport()->height() - Margin - 1) / lineHeight()));
    }
    int pageAtBottom() const
    {
        return std::max(1, int((q->viewport()->height() - 2 * Margin - 1) / lineHeight()));
    }

    void relayout()
    {
        QTextLayout probe(QStringLiteral("x"), q->font());
        probe.beginLayout();
        QTextLine line = probe.createLine();
        line.setLineWidth(width());
        lineHeightCache = line.height();
        probe.endLayout();
        lines.layout(QString(text()), q->font(), width());
        updateScrollBar();
    }

    // The lines are broken as far as the view shows them; the scroll bar
    // reaches as far as they and the estimate of the rest of the text go.
    void updateScrollBar()
    {
        QScrollBar *bar = q->verticalScrollBar();
        lines.exists(qsizetype(bar->value()) + page() + 1);
        bar->setRange(0, int(std::max<qsizetype>(0, lines.count() - pageAtBottom())));
        bar->setPageStep(page());
        bar->setSingleStep(1);
        q->viewport()->update();
    }

    // Line @p line laid out on its own in its paragraph's direction, with
    // the input method's text where it stands, and with the paragraph's text
    // around it up to the nearest strong character on either side, in lines
    // of their own out of sight: the directions of the characters at the
    // line's ends and their joining depend on their neighbours, as in a layout
    // of the whole paragraph.
    void layoutLine(ShownLine &shown, qsizetype line) const
    {
        const QString &t = text();
        const qsizetype start = lines.start(line);
        const qsizetype end = lines.end(line);
        qsizetype before = start;
        while (before > start - ContextUnits && inParagraph(before - 1)
               && !(before < start && IsStrong(t[before])))
            --before;
        if (before < start && t[before].isLowSurrogate() && inParagraph(before - 1))
            --before;
        qsizetype after = end;
        while (after < end + ContextUnits && inParagraph(after)
               && !(after > end && IsStrong(t[after - 1])))
            ++after;
        if (after > end && t[after - 1].isHighSurrogate() && inParagraph(after))
            ++after;
        // Letters joined across a line's end keep their joined forms.
        const QChar separator(QChar::LineSeparator);
        const QString joinedStart = JoinsAcross(t, start) ? QStringLiteral("\u200d") : QString();
        const QString joinedEnd = JoinsAcross(t, end) ? QStringLiteral("\u200d") : QString();
        QString shownText;
        if (before < start)
            shownText = t.mid(before, start - before) + joinedStart + separator + joinedStart;
        shown.start = start;
        shown.offset = int(shownText.size());
        shownText += t.mid(start, end - start);
        if (after > end)
            shownText += joinedEnd + separator + joinedEnd + t.mid(end, after - end);
        QTextLayout &layout = shown.layout;
        layout.setText(shownText);
        layout.setFont(q->font());
        QTextOption option(Qt::AlignLeft);
        option.setWrapMode(QTextOption::NoWrap);
        // The spaces at the end hang as set below, not as the layout would
        // hang them before a line separator.
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        option.setTabStopDistance(WrappedLines::DefaultTabStop);
        option.setTextDirection(lines.direction(line));
        layout.setTextOption(option);
        const qsizetype preeditAt = lines.preeditPosition();
        shown.preeditAt = -1;
        shown.preeditLength = 0;
        if (preeditAt >= start && preeditAt <= end && lineOf(preeditAt) == line) {
            shown.preeditAt = preeditAt;
            shown.preeditLength = int(lines.preedit().size());
            layout.setPreeditArea(shown.toLayout(preeditAt), lines.preedit());
        }
        layout.beginLayout();
        if (shown.offset > 0)
            OutOfSight(layout.createLine(), -1);
        shown.line = layout.createLine();
        shown.line.setLineWidth(width());
        shown.line.setPosition(QPointF(0, 0));
        if (after > end)
            OutOfSight(layout.createLine(), 1);
        layout.endLayout();
        // The spaces at the end of a right-to-left line broken to fit hang
        // left of the margin, as in Qt's own layout.
        const qsizetype body = contentEnd(line);
        const qreal hang = body < end && lines.direction(line) == Qt::RightToLeft
            ? QFontMetricsF(q->font()).horizontalAdvance(t.mid(body, end - body))
            : 0;
        shown.at = QPointF(Margin - hang, lineTop(line));
    }

    qsizetype lineOf(qsizetype position) const { return lines.lineOf(position); }

    // True when @p position is shown on line @p line, one broken already.
    bool holds(qsizetype line, qsizetype position) const
    {
        return position >= lines.start(line)
            && (!lines.exists(line + 1) || position < lines.start(line + 1));
    }

    // True when line @p line was broken to fit, not at a line break.
    bool brokenToFit(qsizetype line) const
    {
        return lines.exists(line + 1) && !lines.startsParagraph(line + 1);
    }

    // Where a line broken to fit ends before its spaces; the end of its text
    // for a paragraph's last line.
    qsizetype contentEnd(qsizetype line) const
    {
        qsizetype end = lines.end(line);
        if (brokenToFit(line)) {
            while (end > lines.start(line) && text()[end - 1].isSpace())
                --end;
        }
        return end;
    }

    // The position nearest to @p x of the viewport in line @p line. The x is
    // taken from the margin, as Qt's box takes it, even where the spaces at
    // the end of a right-to-left line hang left of it.
    qsizetype positionInLine(qsizetype line, qreal x) const
    {
        ShownLine shown;
        layoutLine(shown, line);
        const qsizetype at = shown.toText(shown.line.xToCursor(x - Margin));
        return std::clamp(at, shown.start, contentEnd(line));
    }

    // The x of the viewport where the insertion point stands at @p position.
    qreal xOf(qsizetype position) const
    {
        ShownLine shown;
        layoutLine(shown, lineOf(position));
        return shown.x(position);
    }

    // The position under @p point of the viewport; below the text its end,
    // as in Qt's box.
    qsizetype positionAt(QPointF point) const
    {
        const qsizetype line = std::max<qsizetype>(
            0, qsizetype(std::floor((point.y() + offset(first()) - Margin) / lineHeight())));
        return lines.exists(line) ? positionInLine(line, point.x()) : text().size();
    }

    QRectF cursorRect(qsizetype position) const
    {
        return QRectF(xOf(position) - 1, lineTop(lineOf(position)), 3, lineHeight());
    }

    // The bounds of the paragraph around @p at, its line break not counted.
    qsizetype paragraphStart(qsizetype at) const
    {
        while (inParagraph(at - 1))
            --at;
        return at;
    }
    qsizetype paragraphEnd(qsizetype at) const { return FindLineBreak(text(), at); }

    // True when @p at is a character of a paragraph, not a line break or the text's end.
    bool inParagraph(qsizetype at) const
    {
        return at >= 0 && at < text().size() && !StartsLineBreak(text()[at]);
    }

    bool rightToLeft(qsizetype position) const
    {
        return lines.direction(lineOf(position)) == Qt::RightToLeft;
    }

    // The start of the next word, or of this or the previous one; from a
    // paragraph's end to the next one's start, and back, as one step. Only
    // the words passed over are read, however long the paragraph.
    qsizetype wordStep(qsizetype at, bool forward) const
    {
        const QString &t = text();
        if (forward) {
            if (!inParagraph(at))
                return NextCharacter(t, at);
            if (IsWordSeparator(t[at])) {
                while (inParagraph(at) && IsWordSeparator(t[at]))
                    ++at;
            } else {
                while (inParagraph(at) && !t[at].isSpace() && !IsWordSeparator(t[at]))
                    ++at;
            }
            while (inParagraph(at) && t[at].isSpace())
                ++at;
            return at;
        }
        if (!inParagraph(at - 1))
            return PreviousCharacter(t, at);
        while (inParagraph(at - 1) && t[at - 1].isSpace())
            --at;
        if (inParagraph(at - 1) && IsWordSeparator(t[at - 1])) {
            while (inParagraph(at - 1) && IsWordSeparator(t[at - 1]))
                --at;
        } else {
            while (inParagraph(at - 1) && !t[at - 1].isSpace() && !IsWordSeparator(t[at - 1]))
                --at;
        }
        return at;
    }

    // The run of word characters, spaces or other marks around @p at, within
    // its paragraph; at a paragraph's end the one before it.
    std::pair<qsizetype, qsizetype> wordAround(qsizetype at) const
    {
        const QString &t = text();
        if (!inParagraph(at)) {
            if (!inParagraph(at - 1))
                return {at, at};
            --at;
        }
        const int kind = WordKind(t[at]);
        qsizetype from = at, to = at + 1;
        while (inParagraph(from - 1) && WordKind(t[from - 1]) == kind)
            --from;
        while (inParagraph(to) && WordKind(t[to]) == kind)
            ++to;
        return {from, to};
    }

    // What the input method is handed of the paragraph around the insertion
    // point: at most SurroundingUnits code units on either side, never half a
    // code point, as each key asks for it again and a paragraph may be
    // millions of characters long.
    std::pair<qsizetype, qsizetype> surrounding() const
    {
        qsizetype from = cursor, to = cursor;
        while (from > cursor - SurroundingUnits && inParagraph(from - 1))
            --from;
        while (to < cursor + SurroundingUnits && inParagraph(to))
            ++to;
        if (from < cursor && text()[from].isLowSurrogate())
            ++from;
        if (to > cursor && text()[to - 1].isHighSurrogate())
            --to;
        return {from, to};
    }

    // True when @p position is on a line in view.
    bool inView(qsizetype position) const
    {
        const qsizetype top = first();
        const qsizetype below = top + page() + 1;
        return position >= lines.start(top)
            && (!lines.exists(below) || position < lines.start(below));
    }

    // A paragraph with the line break after it.
    std::pair<qsizetype, qsizetype> paragraphAround(qsizetype at) const
    {
        const qsizetype end = paragraphEnd(at);
        return {paragraphStart(at), end + LineBreakLength(text(), end)};
    }

    void select(qsizetype newAnchor, qsizetype newCursor, bool scroll = true)
    {
        newAnchor = std::clamp<qsizetype>(newAnchor, 0, text().size());
        newCursor = std::clamp<qsizetype>(newCursor, 0, text().size());
        if (newAnchor == anchor && newCursor == cursor)
            return;
        const bool hadSelection = anchor != cursor;
        anchor = newAnchor;
        cursor = newCursor;
        if (scroll)
            ensureVisible(cursor);
        restartBlink();
        q->viewport()->update();
        if (hadSelection || anchor != cursor)
            Q_EMIT q->selectionChanged();
        if (QAccessible::isActive()) {
            QAccessibleTextCursorEvent moved(q, int(cursor));
            QAccessible::updateAccessibility(&moved);
        }
    }

    // A selection the user made becomes the primary selection, where the
    // platform has one, as in every text box there.
    void publishSelection() const
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        if (anchor != cursor && clipboard->supportsSelection())
            clipboard->setText(q->selectedText(), QClipboard::Selection);
    }

    void ensureVisible(qsizetype position)
    {
        const qsizetype line = lineOf(position);
        updateScrollBar(); // the lines up to it may hold more than was estimated
        QScrollBar *bar = q->verticalScrollBar();
        if (line < bar->value())
            bar->setValue(int(line));
        else if (line >= bar->value() + pageAtBottom())
            bar->setValue(int(line - pageAtBottom() + 1));
    }

    void restartBlink()
    {
        cursorShown = q->hasFocus() && !readOnly;
        const int period = QApplication::cursorFlashTime() / 2;
        if (cursorShown && period > 0)
            blink.start(period, q);
        else
            blink.stop();
    }

    QString normalised(const QString &t) const { return readOnly ? t : WithLineBreaks(t, u"\n"); }

    // Replaces the characters from @p at on (@p length of them) with @p inserted.
    void apply(qsizetype at, qsizetype length, const QString &inserted)
    {
        const QString removed = QAccessible::isActive() ? text().mid(at, length) : QString();
        lines.replace(at, length, inserted);
        updateScrollBar();
        Q_EMIT q->textChanged();
        if (QAccessible::isActive()) {
            QAccessibleTextUpdateEvent changed(q, int(at), removed, inserted);
            QAccessible::updateAccessibility(&changed);
        }
    }

    // An edit by the user, with its undo step.
    void edit(qsizetype from, qsizetype to, const QString &inserted, EditKind kind)
    {
        if (readOnly || (from == to && inserted.isEmpty()))
            return;
        Edit step {from, text().mid(from, to - from), inserted, kind};
        Edit *last = undoSteps.empty() ? nullptr : &undoSteps.back();
        if (last && kind == EditKind::Typing && last->kind == kind && step.removed.isEmpty()
            && last->at + last->inserted.size() == from) {
            last->inserted += inserted;
        } else if (last && kind == EditKind::Erasing && last->kind == kind
                   && last->inserted.isEmpty() && (to == last->at || from == last->at)) {
            last->removed =
                to == last->at ? step.removed + last->removed : last->removed + step.removed;
            last->at = from;
        } else {
            undoSteps.push_back(std::move(step));
        }
        redoSteps.clear();
        const bool hadSelection = anchor != cursor;
        anchor = cursor = from + inserted.size();
        goalX = -1;
        apply(from, to - from, inserted);
        if (hadSelection)
            Q_EMIT q->selectionChanged();
        ensureVisible(cursor);
        restartBlink();
    }

    void undoOrRedo(std::vector<Edit> &from, std::vector<Edit> &to, bool undoing)
    {
        if (readOnly || from.empty())
            return;
        Edit step = std::move(from.back());
        from.pop_back();
        const QString &gone = undoing ? step.inserted : step.removed;
        const QString &back = undoing ? step.removed : step.inserted;
        anchor = cursor = step.at + back.size();
        apply(step.at, gone.size(), back);
        ensureVisible(cursor);
        restartBlink();
        step.kind = EditKind::Other;
        to.push_back(std::move(step));
    }

    // Where End takes the insertion point: before the space a line was broken
    // after, so that what is typed stays on the line.
    qsizetype lineEnd(qsizetype line) const
    {
        const qsizetype end = lines.end(line);
        if (brokenToFit(line) && end > lines.start(line) && text()[end - 1].isSpace())
            return end - 1;
        return end;
    }

    // Where a page up or down takes the insertion point, scrolling the view a
    // page: down to the first line not wholly shown, up to the line a view's
    // height above; the insertion point then keeps its place in the view.
    qsizetype paged(bool down)
    {
        QScrollBar *bar = q->verticalScrollBar();
        const qsizetype line = lineOf(cursor);
        const qsizetype top = bar->value();
        const qreal height = q->viewport()->height();
        const qreal shownAt = documentTop(line) - offset(top);
        qsizetype newTop = top;
        if (down) {
            while (newTop < lines.count() && documentTop(newTop + 1) - offset(top) <= height - 1)
                ++newTop;
        } else {
            const qreal above = offset(top) - height;
            while (newTop > 0 && documentTop(newTop) >= above)
                --newTop;
        }
        bar->setValue(int(newTop));
        newTop = bar->value();
        qsizetype target = line;
        do
            target += down ? 1 : -1;
        while (target > 0 && lines.exists(target + 1)
               && (down ? documentTop(target) - offset(newTop) < shownAt
                        : documentTop(target) - offset(newTop) > shownAt));
        target = std::max<qsizetype>(target, 0);
        if (!lines.exists(target))
            target = lines.count() - 1;
        return target == line ? cursor : positionInLine(target, goalX >= 0 ? goalX : xOf(cursor));
    }

    // A key that moves the insertion point: its new place, or -1.
    qsizetype moved(QKeyEvent *event, bool *keepAnchor)
    {
        using K = QKeySequence;
        static const std::pair<K::StandardKey, K::StandardKey> moves[] = {
            {K::MoveToNextChar, K::SelectNextChar},
            {K::MoveToPreviousChar, K::SelectPreviousChar},
            {K::MoveToNextWord, K::SelectNextWord},
            {K::MoveToPreviousWord, K::SelectPreviousWord},
            {K::MoveToNextLine, K::SelectNextLine},
            {K::MoveToPreviousLine, K::SelectPreviousLine},
            {K::MoveToNextPage, K::SelectNextPage},
            {K::MoveToPreviousPage, K::SelectPreviousPage},
            {K::MoveToStartOfLine, K::SelectStartOfLine},
            {K::MoveToEndOfLine, K::SelectEndOfLine},
            {K::MoveToStartOfDocument, K::SelectStartOfDocument},
            {K::MoveToEndOfDocument, K::SelectEndOfDocument},
        };
        for (const auto &[move, extend] : moves) {
            if (!event->matches(move) && !event->matches(extend))
                continue;
            *keepAnchor = event->matches(extend);
            const qsizetype line = lineOf(cursor);
            // Right goes on in the paragraph's own direction.
            const bool back = rightToLeft(cursor);
            switch (move) {
            case K::MoveToNextChar:
                return back ? PreviousCharacter(text(), cursor) : NextCharacter(text(), cursor);
            case K::MoveToPreviousChar:
                return back ? NextCharacter(text(), cursor) : PreviousCharacter(text(), cursor);
            case K::MoveToNextWord:
                return wordStep(cursor, !back);
            case K::MoveToPreviousWord:
                return wordStep(cursor, back);
            case K::MoveToStartOfLine:
                return lines.start(line);
            case K::MoveToEndOfLine:
                return lineEnd(line);
            case K::MoveToStartOfDocument:
                return 0;
            case K::MoveToEndOfDocument:
                return text().size();
            case K::MoveToNextPage:
            case K::MoveToPreviousPage:
                return paged(move == K::MoveToNextPage);
            default: {
                const qsizetype target = line + (move == K::MoveToNextLine ? 1 : -1);
                if (target < 0 || !lines.exists(target))
                    return cursor;
                return positionInLine(target, goalX >= 0 ? goalX : xOf(cursor));
            }
            }
        }
        return -1;
    }

    bool handleEditingKey(QKeyEvent *event)
    {
        const qsizetype from = selectionStart();
        const qsizetype to = selectionEnd();
        const bool selected = from != to;
        if (event->matches(QKeySequence::Cut))
            q->cut();
        else if (event->matches(QKeySequence::Paste))
            q->paste();
        else if (event->matches(QKeySequence::Undo))
            q->undo();
        else if (event->matches(QKeySequence::Redo))
            q->redo();
        else if (event->matches(QKeySequence::DeleteStartOfWord))
            edit(selected ? from : wordStep(cursor, false), to, {}, EditKind::Other);
        else if (event->matches(QKeySequence::DeleteEndOfWord))
            edit(from, selected ? to : wordStep(cursor, true), {}, EditKind::Other);
        else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)) {
            // Back over one code point: a letter's accent goes before the letter.
            qsizetype back = cursor - 1;
            if (back > 0 && text()[back].isLowSurrogate() && text()[back - 1].isHighSurrogate())
                --back;
            edit(selected ? from : std::max<qsizetype>(back, 0), to, {}, EditKind::Erasing);
        } else if (event->matches(QKeySequence::Delete))
            edit(from, selected ? to : NextCharacter(text(), cursor), {}, EditKind::Erasing);
        else if (event->matches(QKeySequence::InsertParagraphSeparator)
                 || event->matches(QKeySequence::InsertLineSeparator))
            edit(from, to, QStringLiteral("\n"), EditKind::Other);
        else if (!event->text().isEmpty() && QChar::isPrint(event->text().toUcs4().value(0))
                 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            edit(from, to, normalised(event->text()), EditKind::Typing);
        else
            return false;
        return true;
    }

    // The selection a held button makes as the pointer reaches @p at.
    void extendGesture(QPointF point)
    {
        const qsizetype at = positionAt(point);
        std::pair<qsizetype, qsizetype> around {at, at};
        if (gesture == Gesture::Words) {
            // To the nearer end of the word under the pointer.
            around = wordAround(at);
            const qreal x = point.x();
            if (lineOf(around.first) == lineOf(around.second)
                && std::abs(x - xOf(around.first)) < std::abs(xOf(around.second) - x))
                around.second = around.first;
            else
                around.first = around.second;
        } else if (gesture == Gesture::Lines) {
            around = paragraphAround(at);
        }
        if (around.first < gestureFrom)
            select(gestureTo, around.first);
        else
            select(gestureFrom, std::max(around.second, gestureTo));
    }

    // Drags the selected text away: moved where the box is editable, copied
    // otherwise; dropped on the box itself it moves there (see dropEvent).
    void dragSelection()
    {
        auto *drag = new QDrag(q);
        auto *data = new QMimeData;
        data->setText(q->selectedText());
        drag->setMimeData(data);
        const Qt::DropActions actions = readOnly ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
        const Qt::DropAction done = drag->exec(actions, Qt::CopyAction);
        if (done == Qt::MoveAction && drag->target() != q->viewport() && drag->target() != q)
            edit(selectionStart(), selectionEnd(), {}, EditKind::Other);
    }
};

TextBox::TextBox(QWidget *parent)
    : QAbstractScrollArea(parent)
    , d(std::make_unique<Private>(this))
{
    static const bool accessible = [] {
        QAccessible::installFactory(TextBoxAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    d->relayout();
}

TextBox::~TextBox() = default;

QString TextBox::toPlainText() const
{
    return d->text();
}

const WrappedLines &TextBox::lines() const
{
    return d->lines;
}

void TextBox::setPlainText(const QString &text)
{
    d->undoSteps.clear();
    d->redoSteps.clear();
    const bool hadSelection = d->anchor != d->cursor;
    d->anchor = d->cursor = 0;
    d->goalX = -1;
    d->lines.layout(d->normalised(text), font(), d->width());
    d->updateScrollBar();
    verticalScrollBar()->setValue(0);
    Q_EMIT textChanged();
    if (hadSelection)
        Q_EMIT selectionChanged();
}

bool TextBox::isReadOnly() const
{
    return d->readOnly;
}

void TextBox::setReadOnly(bool readOnly)
{
    if (d->readOnly == readOnly)
        return;
    d->readOnly = readOnly;
    setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
    setAcceptDrops(!readOnly);
    viewport()->setAcceptDrops(!readOnly);
    viewport()->setCursor(readOnly ? Qt::ArrowCursor : Qt::IBeamCursor);
    d->restartBlink();
    viewport()->update();
}

QString TextBox::selectedText() const
{
    return d->text().mid(d->selectionStart(), d->selectionEnd() - d->selectionStart());
}

qsizetype TextBox::cursorPosition() const
{
    return d->cursor;
}

qsizetype TextBox::anchorPosition() const
{
    return d->anchor;
}

void TextBox::setSelection(qsizetype anchor, qsizetype position)
{
    d->select(anchor, position);
}

qsizetype TextBox::positionAt(QPoint point) const
{
    return d->positionAt(point);
}

QRect TextBox::positionRect(qsizetype position) const
{
    return d->cursorRect(std::clamp<qsizetype>(position, 0, d->text().size())).toAlignedRect();
}

void TextBox::scrollTo(qsizetype position)
{
    d->ensureVisible(std::clamp<qsizetype>(position, 0, d->text().size()));
}

void TextBox::replaceText(qsizetype position, qsizetype length, const QString &text)
{
    const qsizetype size = d->text().size();
    position = std::clamp<qsizetype>(position, 0, size);
    length = std::clamp<qsizetype>(length, 0, size - position);
    d->edit(position, position + length, d->normalised(text), EditKind::Other);
}

void TextBox::selectAll()
{
    // The view stays where it is: selecting all on focus does not scroll.
    d->select(0, d->text().size(), false);
    d->publishSelection();
}

void TextBox::copy()
{
    if (d->anchor != d->cursor)
        QGuiApplication::clipboard()->setText(selectedText());
}

void TextBox::cut()
{
    if (d->readOnly || d->anchor == d->cursor)
        return;
    copy();
    d->edit(d->selectionStart(), d->selectionEnd(), {}, EditKind::Other);
}

void TextBox::paste()
{
    // Without an owner the clipboard has no text, and pasting it does nothing.
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        insertPlainText(text);
}

void TextBox::undo()
{
    d->undoOrRedo(d->undoSteps, d->redoSteps, true);
}

void TextBox::redo()
{
    d->undoOrRedo(d->redoSteps, d->undoSteps, false);
}

void TextBox::insertPlainText(const QString &text)
{
    d->edit(d->selectionStart(), d->selectionEnd(), d->normalised(text), EditKind::Other);
}

QMenu *TextBox::createStandardContextMenu()
{
    auto *menu = new QMenu(this);
    const bool selected = d->anchor != d->cursor;
    auto add = [menu](const QString &name, QKeySequence::StandardKey key, bool enabled, auto slot) {
        QAction *action = menu->addAction(name, slot);
        action->setShortcut(key);
        action->setEnabled(enabled);
        return action;
    };
    if (!d->readOnly) {
        add(tr("&Undo"), QKeySequence::Undo, !d->undoSteps.empty(), [this] { undo(); });
        add(tr("&Redo"), QKeySequence::Redo, !d->redoSteps.empty(), [this] { redo(); });
        menu->addSeparator();
        add(tr("Cu&t"), QKeySequence::Cut, selected, [this] { cut(); });
    }
    add(tr("&Copy"), QKeySequence::Copy, selected, [this] { copy(); });
    if (!d->readOnly) {
        add(tr("&Paste"), QKeySequence::Paste, !QGuiApplication::clipboard()->text().isEmpty(),
            [this] { paste(); });
        add(tr("Delete"), QKeySequence::UnknownKey, selected,
            [this] { d->edit(d->selectionStart(), d->selectionEnd(), {}, EditKind::Other); });
    }
    menu->addSeparator();
    add(tr("Select All"), QKeySequence::SelectAll, !d->text().isEmpty(), [this] { selectAll(); });
    return menu;
}

bool TextBox::event(QEvent *event)
{
    // Editing keys belong to the box, not to a shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)
            || (!d->readOnly
                && (key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste)
                    || key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
                    || (!key->text().isEmpty()
                        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))))) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TextBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const QRect area = event->rect();
    const qreal height = d->lineHeight();
    // Without the focus the selection takes the quieter inactive colours.
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    for (qsizetype line = d->first(); d->lines.exists(line); ++line) {
        const qreal top = d->lineTop(line);
        if (top > area.bottom())
            break;
        if (top + height < area.top())
            continue;
        const qsizetype start = d->lines.start(line);
        const qsizetype end = d->lines.end(line);
        ShownLine shown;
        d->layoutLine(shown, line);
        QList<QTextLayout::FormatRange> selections;
        const qsizetype from = std::max(d->selectionStart(), start);
        const qsizetype to = std::min(d->selectionEnd(), end);
        if (from < to) {
            QTextLayout::FormatRange range;
            range.start = shown.toLayout(from);
            range.length = shown.toLayout(to) - range.start;
            range.format.setBackground(palette().brush(group, QPalette::Highlight));
            range.format.setForeground(palette().brush(group, QPalette::HighlightedText));
            selections.append(range);
        }
        shown.layout.draw(&painter, shown.at, selections,
                          QRectF(0, top, viewport()->width(), height));
        if (d->cursorShown && d->holds(line, d->cursor))
            shown.layout.drawCursor(&painter, shown.at, shown.toLayout(d->cursor));
        if (d->dropAt >= 0 && d->holds(line, d->dropAt))
            shown.layout.drawCursor(&painter, shown.at, shown.toLayout(d->dropAt));
    }
}

void TextBox::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    d->relayout();
}

void TextBox::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        d->relayout();
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    bool keepAnchor = false;
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (d->readOnly) {
        // The keys scroll, Space by a page, Home and End to the top and bottom.
        QScrollBar *bar = verticalScrollBar();
        if (event->key() == Qt::Key_Space)
            bar->triggerAction(event->modifiers() & Qt::ShiftModifier
                                   ? QAbstractSlider::SliderPageStepSub
                                   : QAbstractSlider::SliderPageStepAdd);
        else if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier)
            bar->triggerAction(QAbstractSlider::SliderToMinimum);
        else if (event->key() == Qt::Key_End && event->modifiers() == Qt::NoModifier) {
            // To the last line itself, not to where the estimate puts it.
            d->ensureVisible(d->text().size());
            bar->triggerAction(QAbstractSlider::SliderToMaximum);
        } else
            QAbstractScrollArea::keyPressEvent(event);
        return;
    } else {
        static const QKeySequence::StandardKey verticals[] = {
            QKeySequence::MoveToNextLine, QKeySequence::MoveToPreviousLine,
            QKeySequence::SelectNextLine, QKeySequence::SelectPreviousLine,
            QKeySequence::MoveToNextPage, QKeySequence::MoveToPreviousPage,
            QKeySequence::SelectNextPage, QKeySequence::SelectPreviousPage};
        const bool vertical = std::any_of(std::begin(verticals), std::end(verticals),
                                          [event](auto key) { return event->matches(key); });
        // Up, Down and the page keys keep to the column they started from.
        if (vertical && d->goalX < 0)
            d->goalX = d->xOf(d->cursor);
        const qsizetype to = d->moved(event, &keepAnchor);
        if (to >= 0) {
            const qreal goal = d->goalX;
            d->select(keepAnchor ? d->anchor : to, to);
            d->goalX = vertical ? goal : -1;
            if (keepAnchor)
                d->publishSelection();
        } else if (!d->handleEditingKey(event)) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void TextBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (d->readOnly) {
        event->ignore();
        return;
    }
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        qsizetype from = d->selectionStart();
        qsizetype to = d->selectionEnd();
        if (from == to && event->replacementLength() > 0) {
            from =
                std::clamp<qsizetype>(d->cursor + event->replacementStart(), 0, d->text().size());
            to = std::min<qsizetype>(from + event->replacementLength(), d->text().size());
        }
        d->edit(from, to, d->normalised(event->commitString()), EditKind::Typing);
    }
    // The pre-edit text takes its room in the line, which is broken again around it.
    d->lines.setPreedit(d->cursor, event->preeditString());
    d->updateScrollBar();
    d->ensureVisible(d->cursor);
    event->accept();
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return !d->readOnly;
    case Qt::ImCursorRectangle:
        return d->cursorRect(d->cursor).translated(viewport()->pos()).toAlignedRect();
    case Qt::ImFont:
        return font();
    case Qt::ImAbsolutePosition:
        return int(d->cursor);
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
    case Qt::ImSurroundingText: {
        const auto [from, to] = d->surrounding();
        if (query == Qt::ImSurroundingText)
            return d->text().mid(from, to - from);
        return int((query == Qt::ImCursorPosition ? d->cursor : std::clamp(d->anchor, from, to))
                   - from);
    }
    case Qt::ImCurrentSelection:
        return selectedText();
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void TextBox::mousePressEvent(QMouseEvent *event)
{
    const qsizetype at = d->positionAt(event->position());
    if (event->button() == Qt::MiddleButton && !d->readOnly
        && QGuiApplication::clipboard()->supportsSelection()) {
        d->select(at, at);
        insertPlainText(QGuiApplication::clipboard()->text(QClipboard::Selection));
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    d->goalX = -1;
    d->pressAt = event->position().toPoint();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (d->tripleClick.isActive()
        && (d->pressAt - d->doubleClickAt).manhattanLength()
            < QGuiApplication::styleHints()->startDragDistance()) {
        // A third click takes the paragraph with its line break; a drag goes on by paragraphs.
        d->tripleClick.stop();
        d->gesture = Gesture::Lines;
        std::tie(d->gestureFrom, d->gestureTo) = d->paragraphAround(at);
        d->select(d->gestureFrom, d->gestureTo);
    } else if (!shift && d->anchor != d->cursor && at >= d->selectionStart()
               && at < d->selectionEnd()) {
        d->gesture = Gesture::MayDrag; // the selected text may be dragged away
        return;
    } else {
        d->gesture = Gesture::Characters;
        d->gestureFrom = d->gestureTo = shift ? d->anchor : at;
        d->select(shift ? d->anchor : at, at);
    }
}

void TextBox::mouseMoveEvent(QMouseEvent *event)
{
    if (d->gesture == Gesture::None || !(event->buttons() & Qt::LeftButton))
        return;
    if (d->gesture == Gesture::MayDrag) {
        if ((event->position().toPoint() - d->pressAt).manhattanLength()
            >= QGuiApplication::styleHints()->startDragDistance()) {
            d->gesture = Gesture::None;
            d->dragSelection();
        }
        return;
    }
    d->extendGesture(event->position());
    if (viewport()->rect().contains(event->position().toPoint()))
        d->autoScroll.stop();
    else if (!d->autoScroll.isActive())
        d->autoScroll.start(AutoScrollMs, this);
}

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (d->gesture == Gesture::MayDrag) {
        // A click in the selection that dragged nothing puts the insertion point there.
        const qsizetype at = d->positionAt(event->position());
        d->select(at, at);
    }
    d->gesture = Gesture::None;
    d->autoScroll.stop();
    d->publishSelection();
}

void TextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The word under the pointer; a drag goes on by words.
    d->gesture = Gesture::Words;
    std::tie(d->gestureFrom, d->gestureTo) = d->wordAround(d->positionAt(event->position()));
    d->select(d->gestureFrom, d->gestureTo);
    d->doubleClickAt = event->position().toPoint();
    d->tripleClick.start(QGuiApplication::styleHints()->mouseDoubleClickInterval(), this);
    d->publishSelection();
}

void TextBox::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TextBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (!d->readOnly && event->mimeData()->hasText())
        event->acceptProposedAction();
}

void TextBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (d->readOnly || !event->mimeData()->hasText())
        return;
    // A second insertion point shows where the text would go.
    d->dropAt = d->positionAt(event->position());
    viewport()->update();
    const bool own = event->source() == this;
    if (own && d->dropAt > d->selectionStart() && d->dropAt < d->selectionEnd())
        event->ignore(); // not into itself
    else if (own && (event->possibleActions() & Qt::MoveAction)
             && !(event->modifiers() & Qt::ControlModifier)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}

void TextBox::dragLeaveEvent(QDragLeaveEvent *)
{
    d->dropAt = -1;
    viewport()->update();
}

void TextBox::dropEvent(QDropEvent *event)
{
    d->dropAt = -1;
    viewport()->update();
    if (d->readOnly || !event->mimeData()->hasText())
        return;
    qsizetype at = d->positionAt(event->position());
    const QString dropped = d->normalised(event->mimeData()->text());
    if (event->source() == this && event->dropAction() == Qt::MoveAction) {
        // Moved within the box: taken from where it was and put where it is dropped.
        const qsizetype from = d->selectionStart(), to = d->selectionEnd();
        if (at >= from && at <= to) {
            event->ignore();
            return;
        }
        d->edit(from, to, {}, EditKind::Other);
        if (at > to)
            at -= to - from;
        event->setDropAction(Qt::CopyAction); // the source has nothing more to remove
    }
    d->select(at, at);
    d->edit(at, at, dropped, EditKind::Other);
    d->select(at, at + dropped.size());
    event->accept();
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    d->restartBlink();
    viewport()->update();
}

void TextBox::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    d->blink.stop();
    d->cursorShown = false;
    viewport()->update();
}

void TextBox::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == d->blink.timerId()) {
        // Only the insertion point is drawn again, not the text around it.
        d->cursorShown = !d->cursorShown;
        if (d->inView(d->cursor))
            viewport()->update(d->cursorRect(d->cursor).toAlignedRect());
    } else if (event->timerId() == d->autoScroll.timerId()) {
        const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
        QScrollBar *bar = verticalScrollBar();
        bar->setValue(bar->value() + (at.y() < 0 ? -1 : at.y() > viewport()->height() ? 1 : 0));
        d->extendGesture(at);
    } else if (event->timerId() == d->tripleClick.timerId()) {
        d->tripleClick.stop();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void TextBox::scrollContentsBy(int, int)
{
    d->updateScrollBar();
}

} // namespace huevane
