#pragma once

#include <QStringView>

namespace huevane {

/// Where the character (extended grapheme cluster, as the engine finds them)
/// after the one at or around @p at of @p text starts: the text's size at its
/// end. A line break is a character; CR LF is one.
qsizetype NextCharacter(QStringView text, qsizetype at);

/// Where the character before @p at starts: 0 at the start.
qsizetype PreviousCharacter(QStringView text, qsizetype at);

} // namespace huevane
