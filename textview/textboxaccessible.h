#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace huevane {

/// The accessible interface of a TextBox (role EditableText, read-only or not,
/// with its text, insertion point and selection; the editable box's text can
/// be set, inserted and deleted; the action ShowMenu opens its context menu),
/// for QAccessible's factory: nullptr for any other object.
QAccessibleInterface *TextBoxAccessible(const QString &className, QObject *object);

} // namespace huevane
