#include "textbox.h"

#include "mainwindow/textboxaccessible.h"
#include "mainwindow/wrappedlines.h"

#include <QAccessible>
#include <QApplication>
#include <QBasicTimer>
#include <QClipboard>
#include <QFontMetricsF>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace huevane {

namespace {

constexpr int Margin = 4;        // between the frame and the text, as a text box leaves it
constexpr qreal NoWidth = 1e9;   // a line laid out on its own is never broken again
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

bool IsWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == u'_';
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
    qreal goalX = -1; // where Up and Down aim, in the line
    QString preedit;
    std::vector<Edit> undoSteps;
    std::vector<Edit> redoSteps;
    QBasicTimer blink;
    QBasicTimer autoScroll;
    bool cursorShown = false;
    bool selecting = false;

    const QString &text() const { return lines.text(); }
    qsizetype selectionStart() const { return std::min(cursor, anchor); }
    qsizetype selectionEnd() const { return std::max(cursor, anchor); }
    qreal lineHeight() const { return QFontMetricsF(q->font()).height(); }
    int first() const { return q->verticalScrollBar()->value(); }
    qreal lineTop(qsizetype line) const { return Margin + qreal(line - first()) * lineHeight(); }
    int visibleLines() const
    {
        return std::max(1, int((q->viewport()->height() - 2 * Margin) / lineHeight()));
    }

    void relayout(const QString &text)
    {
        const qreal width = std::max<qreal>(q->viewport()->width() - 2 * Margin, 1);
        lines.layout(text, q->font(), width);
        QScrollBar *bar = q->verticalScrollBar();
        bar->setRange(0, int(std::max<qsizetype>(0, lines.count() - visibleLines())));
        bar->setPageStep(visibleLines());
        bar->setSingleStep(1);
        q->viewport()->update();
    }

    // One line on its own, unbroken; with the input method's text at the
    // insertion point when @p withPreedit.
    void layoutLine(QTextLayout &layout, qsizetype line, bool withPreedit = false) const
    {
        const qsizetype start = lines.start(line);
        layout.setText(text().mid(start, lines.end(line) - start));
        layout.setFont(q->font());
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        option.setTabStopDistance(WrappedLines::DefaultTabStop);
        layout.setTextOption(option);
        if (withPreedit && !preedit.isEmpty())
            layout.setPreeditArea(int(cursor - start), preedit);
        layout.beginLayout();
        layout.createLine().setLineWidth(NoWidth);
        layout.endLayout();
    }

    qsizetype positionInLine(qsizetype line, qreal x) const
    {
        QTextLayout layout;
        layoutLine(layout, line);
        return lines.start(line) + layout.lineAt(0).xToCursor(x);
    }

    qreal xInLine(qsizetype position) const
    {
        const qsizetype line = lines.lineOf(position);
        QTextLayout layout;
        layoutLine(layout, line);
        return layout.lineAt(0).cursorToX(int(position - lines.start(line)));
    }

    // The position under @p point of the viewport.
    qsizetype positionAt(QPointF point) const
    {
        const qsizetype line = std::clamp<qsizetype>(
            first() + qsizetype(std::floor((point.y() - Margin) / lineHeight())), 0,
            lines.count() - 1);
        return positionInLine(line, point.x() - Margin);
    }

    QRectF cursorRect(qsizetype position) const
    {
        const qreal x = Margin + xInLine(position);
        return QRectF(x - 1, lineTop(lines.lineOf(position)), 3, lineHeight());
    }

    // The next or previous place for the insertion point: past a whole
    // character as the reader sees it, and past CR LF as one.
    qsizetype step(qsizetype at, bool forward) const
    {
        const QString &t = text();
        if (forward ? at >= t.size() : at <= 0)
            return at;
        if (forward && t[at] == u'\r' && at + 1 < t.size() && t[at + 1] == u'\n')
            return at + 2;
        if (!forward && t[at - 1] == u'\n' && at >= 2 && t[at - 2] == u'\r')
            return at - 2;
        const qsizetype from = std::max<qsizetype>(0, at - 32);
        const qsizetype to = std::min(t.size(), at + 32);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, t.constData() + from, to - from);
        finder.setPosition(at - from);
        const qsizetype next = forward ? finder.toNextBoundary() : finder.toPreviousBoundary();
        return next < 0 ? (forward ? to : from) : from + next;
    }

    // The start of the next word, or of this or the previous one.
    qsizetype wordStep(qsizetype at, bool forward) const
    {
        const QString &t = text();
        if (forward) {
            if (at < t.size() && !t[at].isSpace()) {
                const bool word = IsWordCharacter(t[at]);
                while (at < t.size() && !t[at].isSpace() && IsWordCharacter(t[at]) == word)
                    ++at;
            }
            while (at < t.size() && t[at].isSpace())
                ++at;
            return at;
        }
        while (at > 0 && t[at - 1].isSpace())
            --at;
        if (at > 0) {
            const bool word = IsWordCharacter(t[at - 1]);
            while (at > 0 && !t[at - 1].isSpace() && IsWordCharacter(t[at - 1]) == word)
                --at;
        }
        return at;
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
            ensureCursorVisible();
        restartBlink();
        q->viewport()->update();
        if (hadSelection || anchor != cursor)
            Q_EMIT q->selectionChanged();
        if (QAccessible::isActive()) {
            QAccessibleTextCursorEvent moved(q, int(cursor));
            QAccessible::updateAccessibility(&moved);
        }
    }

    void moveCursor(qsizetype position, bool keepAnchor)
    {
        select(keepAnchor ? anchor : position, position);
    }

    void ensureCursorVisible() { ensureVisible(cursor); }

    void ensureVisible(qsizetype position)
    {
        const qsizetype line = lines.lineOf(position);
        QScrollBar *bar = q->verticalScrollBar();
        if (line < bar->value())
            bar->setValue(int(line));
        else if (line >= bar->value() + visibleLines())
            bar->setValue(int(line - visibleLines() + 1));
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

    QString normalised(QString t) const
    {
        if (readOnly)
            return t;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        for (const char16_t breaks : {u'\r', u'\u2028', u'\u2029'})
            t.replace(QChar(breaks), u'\n');
        return t;
    }

    // Replaces the characters from @p at on (@p length of them) with @p inserted.
    void apply(qsizetype at, qsizetype length, const QString &inserted)
    {
        QString t = text();
        const QString removed = QAccessible::isActive() ? t.mid(at, length) : QString();
        t.replace(at, length, inserted);
        relayout(t);
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
        anchor = cursor = from + inserted.size();
        goalX = -1;
        apply(from, to - from, inserted);
        ensureCursorVisible();
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
        ensureCursorVisible();
        restartBlink();
        step.kind = EditKind::Other;
        to.push_back(std::move(step));
    }

    // A key that moves the insertion point: its new place, or -1.
    qsizetype moved(QKeyEvent *event, bool *keepAnchor) const
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
            const bool collapse = !*keepAnchor && anchor != cursor;
            const qsizetype line = lines.lineOf(cursor);
            switch (move) {
            case K::MoveToNextChar:
                return collapse ? selectionEnd() : step(cursor, true);
            case K::MoveToPreviousChar:
                return collapse ? selectionStart() : step(cursor, false);
            case K::MoveToNextWord:
                return wordStep(cursor, true);
            case K::MoveToPreviousWord:
                return wordStep(cursor, false);
            case K::MoveToStartOfLine:
                return lines.start(line);
            case K::MoveToEndOfLine:
                return lines.end(line);
            case K::MoveToStartOfDocument:
                return 0;
            case K::MoveToEndOfDocument:
                return text().size();
            default: {
                const qsizetype by =
                    move == K::MoveToNextLine || move == K::MoveToPreviousLine ? 1 : visibleLines();
                const qsizetype target =
                    line + (move == K::MoveToNextLine || move == K::MoveToNextPage ? by : -by);
                if (target < 0)
                    return 0;
                if (target >= lines.count())
                    return text().size();
                return positionInLine(target, goalX >= 0 ? goalX : xInLine(cursor));
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
            edit(from, selected ? to : step(cursor, true), {}, EditKind::Erasing);
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
    d->relayout({});
}

TextBox::~TextBox() = default;

QString TextBox::toPlainText() const
{
    return d->text();
}

void TextBox::setPlainText(const QString &text)
{
    d->undoSteps.clear();
    d->redoSteps.clear();
    const bool hadSelection = d->anchor != d->cursor;
    d->anchor = d->cursor = 0;
    d->goalX = -1;
    d->relayout(d->normalised(text));
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

void TextBox::selectAll()
{
    // The view stays where it is: selecting all on focus does not scroll.
    d->select(0, d->text().size(), false);
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
    const qsizetype cursorLine = d->lines.lineOf(d->cursor);
    for (qsizetype line = d->first(); line < d->lines.count(); ++line) {
        const qreal top = d->lineTop(line);
        if (top > area.bottom())
            break;
        if (top + height < area.top())
            continue;
        const qsizetype start = d->lines.start(line);
        const qsizetype end = d->lines.end(line);
        QTextLayout layout;
        d->layoutLine(layout, line, line == cursorLine);
        QList<QTextLayout::FormatRange> selections;
        const qsizetype from = std::max(d->selectionStart(), start);
        const qsizetype to = std::min(d->selectionEnd(), end);
        if (from < to) {
            QTextLayout::FormatRange range;
            range.start = int(from - start);
            range.length = int(to - from);
            range.format.setBackground(palette().brush(QPalette::Highlight));
            range.format.setForeground(palette().brush(QPalette::HighlightedText));
            selections.append(range);
        }
        layout.draw(&painter, QPointF(Margin, top), selections);
        if (line == cursorLine && d->cursorShown)
            layout.drawCursor(&painter, QPointF(Margin, top),
                              int(d->cursor - start + d->preedit.size()));
    }
}

void TextBox::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    d->relayout(d->text());
}

void TextBox::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        d->relayout(d->text());
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    bool keepAnchor = false;
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (d->readOnly) {
        QAbstractScrollArea::keyPressEvent(event); // the keys scroll
        return;
    } else if (const qsizetype to = d->moved(event, &keepAnchor); to >= 0) {
        const bool vertical = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down
            || event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown;
        const qreal goal = vertical ? (d->goalX >= 0 ? d->goalX : d->xInLine(d->cursor)) : -1;
        d->moveCursor(to, keepAnchor);
        d->goalX = goal;
    } else if (!d->handleEditingKey(event)) {
        event->ignore();
        return;
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
    d->preedit = event->preeditString();
    viewport()->update();
    event->accept();
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const qsizetype line = d->lines.lineOf(d->cursor);
    const qsizetype start = d->lines.start(line);
    const qsizetype end = d->lines.end(line);
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
    if (event->button() == Qt::LeftButton) {
        d->moveCursor(at, event->modifiers() & Qt::ShiftModifier);
        d->goalX = -1;
        d->selecting = true;
    } else if (event->button() == Qt::MiddleButton && !d->readOnly
               && QGuiApplication::clipboard()->supportsSelection()) {
        d->moveCursor(at, false);
        insertPlainText(QGuiApplication::clipboard()->text(QClipboard::Selection));
    }
}

void TextBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!d->selecting || !(event->buttons() & Qt::LeftButton))
        return;
    d->moveCursor(d->positionAt(event->position()), true);
    if (viewport()->rect().contains(event->position().toPoint()))
        d->autoScroll.stop();
    else if (!d->autoScroll.isActive())
        d->autoScroll.start(AutoScrollMs, this);
}

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    d->selecting = false;
    d->autoScroll.stop();
    if (d->anchor != d->cursor && QGuiApplication::clipboard()->supportsSelection())
        QGuiApplication::clipboard()->setText(selectedText(), QClipboard::Selection);
}

void TextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The run of word characters, of spaces or of other marks under the pointer.
    const QString &text = d->text();
    const qsizetype at = std::min(d->positionAt(event->position()), text.size() - 1);
    if (at < 0)
        return;
    auto kind = [&text](qsizetype i) {
        return text[i].isSpace() ? 0 : IsWordCharacter(text[i]) ? 1 : 2;
    };
    qsizetype from = at, to = at + 1;
    while (from > 0 && kind(from - 1) == kind(at) && text[from - 1] != u'\n')
        --from;
    while (to < text.size() && kind(to) == kind(at) && text[to] != u'\n')
        ++to;
    d->select(from, to);
    d->selecting = false;
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
    // The insertion point follows the pointer, to show where the text would go.
    d->select(d->positionAt(event->position()), d->positionAt(event->position()));
    event->acceptProposedAction();
}

void TextBox::dropEvent(QDropEvent *event)
{
    if (d->readOnly || !event->mimeData()->hasText())
        return;
    d->select(d->positionAt(event->position()), d->positionAt(event->position()));
    insertPlainText(event->mimeData()->text());
    event->acceptProposedAction();
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
        d->moveCursor(d->positionAt(at), true);
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void TextBox::scrollContentsBy(int, int)
{
    viewport()->update();
}

} // namespace huevane
