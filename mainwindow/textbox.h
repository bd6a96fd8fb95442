#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include <memory>

class QMenu;

namespace huevane {

/// A multi-line text box for long texts: it breaks its text into lines at the
/// box's width (WrappedLines) and lays out and draws only the lines in view,
/// so a line of millions of characters costs one pass per change, not a layout
/// of the whole paragraph. It shows the text with a vertical scroll bar, takes
/// selections by mouse and keyboard, copies, and offers the usual context menu.
///
/// Editable (the default), it also takes typing, input methods, pasting,
/// dropped text, cutting and deleting, with undo and redo; every line break it takes (CR LF,
/// a lone CR, U+2028, U+2029) becomes LF. Read-only, it shows its text exactly
/// as set, CR LF line breaks included, and copies it unchanged; its keys
/// scroll. Tab moves the focus on, as in every box of the window.
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
