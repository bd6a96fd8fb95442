#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace huevane {

/// A label for @p field in a dialog's form: its caption (an & before the key that
/// takes the focus to the field) is also the field's accessible name, without the
/// & and the colon. The label has the field's parent.
QLabel *FieldLabel(const QString &caption, QWidget *field);

} // namespace huevane
