#pragma once

#include <QString>
#include <QStringView>

namespace huevane {

/// What is wrong with @p run, a template of the user's own (OwnTemplate::run),
/// in words that name the place by its character, counted from 1: "'{x}' at
/// character 3 is not a placeholder: ...". Empty when it is good.
QString OwnTemplateProblemText(QStringView run);

/// @p text of a line end, head or tail of a template as the user types it, with
/// \n, \r, \t and \\ read as LF, CR, a tab and a backslash; any other backslash
/// stays as it is.
QString WithEscapesRead(QStringView text);

} // namespace huevane
