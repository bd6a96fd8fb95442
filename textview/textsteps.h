#pragma once

#include <QStringView>

#include <utility>

namespace huevane {

/// The steps a text box takes through its text by paragraphs and words, over
/// the text alone. A paragraph ends at a line break (engine/lineends.h). Each
/// reads only the characters it passes over, however long the paragraph.

/// True when @p at is a character of a paragraph, not a line break or the
/// text's end (nor before its start).
bool InParagraph(QStringView text, qsizetype at);

/// The paragraph around @p at with the line break after it, as a start and an end.
std::pair<qsizetype, qsizetype> ParagraphAround(QStringView text, qsizetype at);

/// The start of the next word (@p forward), or of this or the previous one;
/// from a paragraph's end to the next one's start, and back, as one step.
/// Words end at spaces and at the separators of Qt's text boxes (.,?!@#$:; and
/// the like), a run of separators making a word of its own.
qsizetype WordStep(QStringView text, qsizetype at, bool forward);

/// The run of word characters (letters, digits, marks, '_'), spaces or other
/// marks around @p at, within its paragraph, as a double click takes it; at a
/// paragraph's end the run before it.
std::pair<qsizetype, qsizetype> WordAround(QStringView text, qsizetype at);

/// The piece of the paragraph around @p at that reaches at most @p units code
/// units either side of it, never cutting a code point in two.
std::pair<qsizetype, qsizetype> AroundInParagraph(QStringView text, qsizetype at, qsizetype units);

} // namespace huevane
