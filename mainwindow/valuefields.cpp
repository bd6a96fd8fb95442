#include "valuefields.h"

#include "engine/rounding.h"
#include "engine/valueoftext.h"
#include "textview/textbox.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>

namespace huevane {

bool PassesKeyFilter(ValueFieldKind kind, QChar c)
{
    if (c == u'\b' || (c >= u'0' && c <= u'9'))
        return true;
    // A letter is tested on its upper-case form but enters as typed.
    const char16_t upper = c.toUpper().unicode();
    return kind == ValueFieldKind::Hexadecimal && upper >= u'A' && upper <= u'F';
}

QString ClampedText(const QString &text)
{
    const double value = ValueOfText(text);
    if (value > 255.0)
        return QStringLiteral("255");
    if (value < 0.0)
        return QStringLiteral("0");
    return text;
}

QString RangeCheckedText(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("0") : ClampedText(text);
}

std::optional<quint32> HexValue(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (QChar c : text) {
        const char16_t u = c.toUpper().unicode();
        int digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + quint64(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return quint32(value);
}

QString HexText(double value)
{
    return QString::number(RoundHalfEven(std::clamp(value, 0.0, 255.0)), 16).toUpper();
}

namespace {

// Whether a line edit inserts the text of the key. Editing keys carry a control
// character or none; shortcuts with Ctrl, with or without Shift, insert nothing
// but formatting characters (such as the zero-width joiner).
bool InsertsText(const QKeyEvent &key)
{
    const QString text = key.text();
    if (text.isEmpty() || text.front().category() == QChar::Other_Control)
        return false;
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    const bool shortcut =
        modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
    return !shortcut || text.front().category() == QChar::Other_Format;
}

// The characters of the text that pass the key filter, each judged on its own;
// both halves of a character beyond U+FFFF fail.
QString KeptCharacters(ValueFieldKind kind, QStringView text)
{
    QString kept;
    for (QChar c : text) {
        if (PassesKeyFilter(kind, c))
            kept += c;
    }
    return kept;
}

} // namespace

ValueFieldFilter::ValueFieldFilter(QWidget *field, ValueFieldKind kind)
    : QObject(field)
    , m_kind(kind)
{
    new SelectAllOnFocus(field);
    field->installEventFilter(this);
}

bool ValueFieldFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        m_editing = true;
    } else if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            m_editing = false;
            Q_EMIT focusLost();
        }
    } else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return true;
        // Only characters are filtered: editing keys and shortcuts (paste among
        // them) keep working.
        if (InsertsText(*key)) {
            const QString kept = KeptCharacters(m_kind, key->text());
            if (kept == key->text())
                return false;
            if (!kept.isEmpty()) {
                QKeyEvent keptKey(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                                  key->nativeVirtualKey(), key->nativeModifiers(), kept,
                                  key->isAutoRepeat(), key->count());
                QCoreApplication::sendEvent(watched, &keptKey);
            }
            return true;
        }
    } else if (event->type() == QEvent::InputMethod) {
        // Dead keys and input methods commit their characters this way.
        auto *input = static_cast<QInputMethodEvent *>(event);
        const QString kept = KeptCharacters(m_kind, input->commitString());
        if (kept != input->commitString())
            input->setCommitString(kept, input->replacementStart(), input->replacementLength());
    }
    return QObject::eventFilter(watched, event);
}

namespace {

void SelectAll(QWidget *box)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->selectAll();
    else if (auto *text = qobject_cast<TextBox *>(box))
        text->selectAll();
}

} // namespace

SelectAllOnFocus::SelectAllOnFocus(QWidget *box)
    : QObject(box)
    , m_box(box)
    , m_mouseTarget(box)
{
    if (auto *area = qobject_cast<QAbstractScrollArea *>(box))
        m_mouseTarget = area->viewport();
    box->installEventFilter(this);
    if (m_mouseTarget != box)
        m_mouseTarget->installEventFilter(this);
}

bool SelectAllOnFocus::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == m_box) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            // Back from a menu or another window the box goes on as it was left.
            // The focus a window gives its first control on opening arrives for
            // the same reason, but the box did not have it before.
            const bool resumed = m_resumable
                && (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason);
            m_resumable = true;
            if (resumed)
                break;
            SelectAll(m_box);
            m_keepSelection = reason == Qt::MouseFocusReason;
        }
        break;
    case QEvent::FocusOut:
        if (watched == m_box) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            m_resumable = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
            m_keepSelection = false;
        }
        break;
    case QEvent::MouseButtonPress:
        // The press that gave the focus would place the insertion point and so
        // undo the selection: the box does not see it.
        if (watched == m_mouseTarget && m_keepSelection
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_keepSelection = false;
            return true;
        }
        m_keepSelection = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace huevane
