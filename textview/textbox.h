#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include <memory>

class QMenu;

namespace huevane {

class WrappedLines;

/// A multi-line text box for long texts that behaves as Qt's plain text box
/// does: it breaks its text into lines at the box's width (WrappedLines), each
/// paragraph laid out in its own direction, and lays out and draws only the
/// lines in view, so an edit of a line of millions of characters costs about
/// what it changed. A long text is broken into lines only as far as it has
/// been shown; until its end is reached the scroll bar's range is estimated.
/// It shows the text with a vertical scroll bar, takes selections by mouse (a
/// double click and drag by words, a triple click the line) and keyboard,
/// makes them the primary selection where the platform has one, drags
/// selected text to move it or out to another program, copies, and
/// offers the usual context menu. The arrow keys move logically, Right
/// towards the end of a left-to-right paragraph and towards the start of a
/// right-to-left one. A selection is drawn in the palette's inactive colours
/// while the box has not the focus.
///
/// Editable (the default), it also takes typing, input methods, pasting,
/// dropped text, cutting and deleting, with undo and redo; every line break it
/// takes (engine/lineends.h) becomes LF. Read-only, it shows its text exactly
/// as set, CR LF line breaks included, and copies it unchanged; Space, PageUp,
/// PageDown, Home, End and the arrows scroll. Tab moves the focus on, where
/// Qt's box would type it, as in every box of the window.
class TextBox : public QAbstractScrollArea
{
    Q_OBJECT
    Q_PROPERTY(QString plainText READ toPlainText WRITE setPlainText NOTIFY textChanged USER true)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)

public:
    explicit TextBox(QWidget *parent = nullptr);
    ~TextBox() override;

    /// The text, as set or as edited.
    QString toPlainText() const;

    /// Replaces the text (line breaks become LF unless the box is read-only),
    /// puts the insertion point at its start and forgets the undo history.
    void setPlainText(const QString &text);

    /// False by default.
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);

    /// The selected text, empty when there is no selection.
    QString selectedText() const;

    /// The insertion point and the other end of the selection, as positions in
    /// the text (0 to its length); equal when nothing is selected.
    qsizetype cursorPosition() const;
    qsizetype anchorPosition() const;

    /// Selects from @p anchor to @p position (both clamped to the text).
    void setSelection(qsizetype anchor, qsizetype position);

    /// The position nearest to @p point of the viewport, and the rectangle of
    /// the viewport where the insertion point stands at @p position.
    qsizetype positionAt(QPoint point) const;
    QRect positionRect(qsizetype position) const;

    /// Scrolls until the line holding @p position is in view.
    void scrollTo(qsizetype position);

    /// Replaces @p length code units at @p position with @p text, as an edit
    /// that can be undone, leaving the insertion point after it; line breaks
    /// become LF. Does nothing in a read-only box.
    void replaceText(qsizetype position, qsizetype length, const QString &text);

    /// The lines the text is shown in.
    const WrappedLines &lines() const;

    /// The menu the box shows on a right click: Undo, Redo, Cut, Copy, Paste,
    /// Delete and Select All (Copy and Select All when read-only), each enabled
    /// when it applies. The caller owns the menu.
    QMenu *createStandardContextMenu();

public Q_SLOTS:
    void selectAll();
    void copy();
    void cut();
    void paste();
    void undo();
    void redo();
    /// Replaces the selection with @p text, as typing would.
    void insertPlainText(const QString &text);

Q_SIGNALS:
    void textChanged();
    void selectionChanged();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace huevane
