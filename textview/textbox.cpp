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

    void updateScrollBar()
    {
        QScrollBar *bar = q->verticalScrollBar();
        bar->setRange(0, int(std::max<qsizetype>(0, lines.count() - pageAtBottom())));
        bar->setPageStep(page());
        bar->setSingleStep(1);
        q->viewport()->update();
    }

    // Line @p line laid out on its own, in its paragraph's direction; with the
    // input method's text where it stands.
    void layoutLine(QTextLayout &layout, qsizetype line) const
    {
        const qsizetype start = lines.start(line);
        const qsizetype end = lines.end(line);
        layout.setText(text().mid(start, end - start));
        layout.setFont(q->font());
        QTextOption option(Qt::AlignLeft);
        option.setWrapMode(QTextOption::NoWrap);
        option.setTabStopDistance(WrappedLines::DefaultTabStop);
        option.setTextDirection(lines.direction(line));
        layout.setTextOption(option);
        const qsizetype preeditAt = lines.preeditPosition();
        if (preeditAt >= start && preeditAt <= end && lineOf(preeditAt) == line)
            layout.setPreeditArea(int(preeditAt - start), lines.preedit());
        layout.beginLayout();
        layout.createLine().setLineWidth(width());
        layout.endLayout();
    }

    qsizetype lineOf(qsizetype position) const { return lines.lineOf(position); }

    // Where a line broken to fit ends before its spaces; the end of its text
    // for a paragraph's last line.
    qsizetype contentEnd(qsizetype line) const
    {
        qsizetype end = lines.end(line);
        if (line + 1 < lines.count() && !lines.startsParagraph(line + 1)) {
            while (end > lines.start(line) && text()[end - 1].isSpace())
                --end;
        }
        return end;
    }

    qsizetype positionInLine(qsizetype line, qreal x) const
    {
        QTextLayout layout;
        layoutLine(layout, line);
        const qsizetype start = lines.start(line);
        return std::min(start + layout.lineAt(0).xToCursor(x), contentEnd(line));
    }

    qreal xOf(qsizetype position) const
    {
        const qsizetype line = lineOf(position);
        QTextLayout layout;
        layoutLine(layout, line);
        qsizetype at = position - lines.start(line);
        if (lines.preeditPosition() >= 0 && position >= lines.preeditPosition()
            && lineOf(lines.preeditPosition()) == line)
            at += lines.preedit().size();
        return layout.lineAt(0).cursorToX(int(at));
    }

    // The position under @p point of the viewport.
    qsizetype positionAt(QPointF point) const
    {
        const qsizetype line = std::clamp<qsizetype>(
            qsizetype(std::floor((point.y() + offset(first()) - Margin) / lineHeight())), 0,
            lines.count() - 1);
        return positionInLine(line, point.x() - Margin);
    }

    QRectF cursorRect(qsizetype position) const
    {
        const qreal x = Margin + xOf(position);
        return QRectF(x - 1, lineTop(lineOf(position)), 3, lineHeight());
    }

    // The bounds of the paragraph around @p at, its line break not counted.
    qsizetype paragraphStart(qsizetype at) const
    {
        while (at > 0 && !StartsLineBreak(text()[at - 1]))
            --at;
        return at;
    }
    qsizetype paragraphEnd(qsizetype at) const { return FindLineBreak(text(), at); }

    bool rightToLeft(qsizetype position) const
    {
        return lines.direction(lineOf(position)) == Qt::RightToLeft;
    }

    // The start of the next word, or of this or the previous one; from a
    // paragraph's end to the next one's start, and back, as one step.
    qsizetype wordStep(qsizetype at, bool forward) const
    {
        const QString &t = text();
        if (forward) {
            const qsizetype end = paragraphEnd(at);
            if (at >= end)
                return NextCharacter(t, at);
            if (IsWordSeparator(t[at])) {
                while (at < end && IsWordSeparator(t[at]))
                    ++at;
            } else {
                while (at < end && !t[at].isSpace() && !IsWordSeparator(t[at]))
                    ++at;
            }
            while (at < end && t[at].isSpace())
                ++at;
            return at;
        }
        const qsizetype start = paragraphStart(at);
        if (at <= start)
            return PreviousCharacter(t, at);
        while (at > start && t[at - 1].isSpace())
            --at;
        if (at > start && IsWordSeparator(t[at - 1])) {
            while (at > start && IsWordSeparator(t[at - 1]))
                --at;
        } else {
            while (at > start && !t[at - 1].isSpace() && !IsWordSeparator(t[at - 1]))
                --at;
        }
        return at;
    }

    // The run of word characters, spaces or other marks around @p at, within
    // its paragraph.
    std::pair<qsizetype, qsizetype> wordAround(qsizetype at) const
    {
        const QString &t = text();
        const qsizetype start = paragraphStart(at);
        const qsizetype end = paragraphEnd(at);
        if (start == end)
            return {at, at};
        at = std::clamp(at, start, end - 1);
        qsizetype from = at, to = at + 1;
        while (from > start && WordKind(t[from - 1]) == WordKind(t[at]))
            --from;
        while (to < end && WordKind(t[to]) == WordKind(t[at]))
            ++to;
        return {from, to};
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
        if (line + 1 < lines.count() && !lines.startsParagraph(line + 1) && end > lines.start(line)
            && text()[end - 1].isSpace())
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
        while (target > 0 && target + 1 < lines.count()
               && (down ? documentTop(target) - offset(newTop) < shownAt
                        : documentTop(target) - offset(newTop) > shownAt));
        target = std::clamp<qsizetype>(target, 0, lines.count() - 1);
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
                if (target < 0 || target >= lines.count())
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
            const qreal x = point.x() - Margin;
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
    const qsizetype cursorLine = d->lineOf(d->cursor);
    // Without the focus the selection takes the quieter inactive colours.
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    for (qsizetype line = d->first(); line < d->lines.count(); ++line) {
        const qreal top = d->lineTop(line);
        if (top > area.bottom())
            break;
        if (top + height < area.top())
            continue;
        const qsizetype start = d->lines.start(line);
        const qsizetype end = d->lines.end(line);
        QTextLayout layout;
        d->layoutLine(layout, line);
        QList<QTextLayout::FormatRange> selections;
        const qsizetype from = std::max(d->selectionStart(), start);
        const qsizetype to = std::min(d->selectionEnd(), end);
        if (from < to) {
            QTextLayout::FormatRange range;
            range.start = int(from - start);
            range.length = int(to - from);
            range.format.setBackground(palette().brush(group, QPalette::Highlight));
            range.format.setForeground(palette().brush(group, QPalette::HighlightedText));
            selections.append(range);
        }
        layout.draw(&painter, QPointF(Margin, top), selections);
        if (line == cursorLine && d->cursorShown) {
            qsizetype at = d->cursor - start;
            if (d->lines.preeditPosition() >= 0 && d->cursor >= d->lines.preeditPosition())
                at += d->lines.preedit().size();
            layout.drawCursor(&painter, QPointF(Margin, top), int(at));
        }
        if (d->dropAt >= 0 && d->lineOf(d->dropAt) == line)
            layout.drawCursor(&painter, QPointF(Margin, top), int(d->dropAt - start));
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
        else if (event->key() == Qt::Key_End && event->modifiers() == Qt::NoModifier)
            bar->triggerAction(QAbstractSlider::SliderToMaximum);
        else
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
    const qsizetype start = d->paragraphStart(d->cursor);
    const qsizetype end = d->paragraphEnd(d->cursor);
    switch (query) {
    case Qt::ImEnabled:
        return !d->readOnly;
    case Qt::ImCursorRectangle:
        return d->cursorRect(d->cursor).translated(viewport()->pos()).toAlignedRect();
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return int(d->cursor - start);
    case Qt::ImAnchorPosition:
        return int(std::clamp(d->anchor, start, end) - start);
    case Qt::ImSurroundingText:
        return d->text().mid(start, end - start);
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
    viewport()->update();
}

} // namespace huevane
