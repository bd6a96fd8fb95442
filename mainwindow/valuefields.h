#pragma once

#include <QObject>
#include <QString>
#include <QStringView>

#include <optional>

class QWidget;

namespace huevane {

/// The two kinds of colour value field: a component in decimal (at most three
/// characters) or in hexadecimal (at most two).
enum class ValueFieldKind { Decimal, Hexadecimal };

/// True when the character @p c, typed into a value field of @p kind, may enter
/// it: digits in both kinds, the letters A to F in either case in hexadecimal
/// ones, and backspace (U+0008). Every other character, Enter included, is
/// refused.
bool PassesKeyFilter(ValueFieldKind kind, QChar c);

/// @p text brought into the range of a colour component: a text read as a
/// decimal number (ValueOfText) above 255 becomes "255", below 0 becomes "0";
/// any other text, the empty one included, stays as it is.
QString ClampedText(const QString &text);

/// The text a value field holds after the range checks of its commit: an empty
/// text becomes "0", any other is ClampedText().
QString RangeCheckedText(const QString &text);

/// The value of a hexadecimal field's text: one or more hexadecimal digits, in
/// either case, and nothing else. std::nullopt for any other text (the empty
/// text, blanks, signs, other letters) and for values above 0xFFFFFFFF.
std::optional<quint32> HexValue(QStringView text);

/// The text a hexadecimal field shows for a decimal field's value @p value:
/// rounded half-even, brought into 0..255 and written in upper-case hexadecimal
/// without leading zeros (255 gives FF, 10 gives A, 0 gives 0).
QString HexText(double value);

/// The behaviour of one colour value field (a QLineEdit), installed on it as an
/// event filter and owned by it:
/// - every character that typing would insert passes PassesKeyFilter() or is
///   discarded, one by one, however many come together: from one key (an emoji,
///   a composed accent) or committed by an input method (dead keys); editing
///   keys (arrows, Delete, Home, End) and shortcuts such as Ctrl+V pass, so text
///   can still be pasted, unfiltered; the field's maximum length holds in every
///   case;
/// - Enter and Return are discarded, so they never commit;
/// - the field selects all of its text when it gains the focus (SelectAllOnFocus);
/// - focusLost() is emitted when the focus moves on to another control. A menu
///   of the field or another window taking the focus is no such move: editing
///   goes on when the focus comes back, and isEditing() holds meanwhile.
class ValueFieldFilter : public QObject
{
    Q_OBJECT

public:
    /// Installs the behaviour of a field of @p kind on @p field.
    ValueFieldFilter(QWidget *field, ValueFieldKind kind);

    ValueFieldKind kind() const { return m_kind; }

    /// True from the moment the field gains the focus until focusLost(): what
    /// changes its text meanwhile is being typed, to take effect when the focus
    /// moves on. False at first.
    bool isEditing() const { return m_editing; }

Q_SIGNALS:
    /// The focus left the field for another control: time to commit its text.
    void focusLost();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ValueFieldKind m_kind;
    bool m_editing = false;
};

/// Makes a QLineEdit or a TextBox select the whole of its text
/// whenever it gains the focus by tabbing, by a click, from code or as the first
/// control of its window when that opens (not when its window is merely
/// activated again, nor on return from its context menu). The click that gives
/// the focus keeps that selection: it does not place the insertion point. Owned
/// by the box.
class SelectAllOnFocus : public QObject
{
    Q_OBJECT

public:
    explicit SelectAllOnFocus(QWidget *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_box;
    QWidget *m_mouseTarget; // the box, or the viewport of a scrolling box
    bool m_keepSelection = false;
    bool m_resumable = false; // has the focus, or lost it only to a menu or another window
};

} // namespace huevane
