#include "textsteps.h"

#include "engine/lineends.h"
#include "textview/characterbounds.h"

namespace huevane {

namespace {

// The characters that end a word for the word keys, as in Qt's text boxes.
bool IsWordSeparator(QChar c)
{
    return QStringView(u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\").contains(c);
}

// What a double click takes together: word characters, spaces, or other marks.
int WordKind(QChar c)
{
    return c.isSpace() ? 0 : (c.isLetterOrNumber() || c.isMark() || c == u'_') ? 1 : 2;
}

} // namespace

bool InParagraph(QStringView text, qsizetype at)
{
    return at >= 0 && at < text.size() && !StartsLineBreak(text[at]);
}

std::pair<qsizetype, qsizetype> ParagraphAround(QStringView text, qsizetype at)
{
    const qsizetype end = FindLineBreak(text, at);
    while (InParagraph(text, at - 1))
        --at;
    return {at, end + LineBreakLength(text, end)};
}

qsizetype WordStep(QStringView text, qsizetype at, bool forward)
{
    const auto in = [text](qsizetype i) { return InParagraph(text, i); };
    if (forward) {
        if (!in(at))
            return NextCharacter(text, at);
        const bool separators = IsWordSeparator(text[at]);
        while (in(at) && !text[at].isSpace() && IsWordSeparator(text[at]) == separators)
            ++at;
        while (in(at) && text[at].isSpace())
            ++at;
        return at;
    }
    if (!in(at - 1))
        return PreviousCharacter(text, at);
    while (in(at - 1) && text[at - 1].isSpace())
        --at;
    const bool separators = in(at - 1) && IsWordSeparator(text[at - 1]);
    while (in(at - 1) && !text[at - 1].isSpace() && IsWordSeparator(text[at - 1]) == separators)
        --at;
    return at;
}

std::pair<qsizetype, qsizetype> WordAround(QStringView text, qsizetype at)
{
    if (!InParagraph(text, at)) {
        if (!InParagraph(text, at - 1))
            return {at, at};
        --at;
    }
    const int kind = WordKind(text[at]);
    qsizetype from = at, to = at + 1;
    while (InParagraph(text, from - 1) && WordKind(text[from - 1]) == kind)
        --from;
    while (InParagraph(text, to) && WordKind(text[to]) == kind)
        ++to;
    return {from, to};
}

std::pair<qsizetype, qsizetype> AroundInParagraph(QStringView text, qsizetype at, qsizetype units)
{
    qsizetype from = at, to = at;
    while (from > at - units && InParagraph(text, from - 1))
        --from;
    while (to < at + units && InParagraph(text, to))
        ++to;
    if (from < at && text[from].isLowSurrogate())
        ++from;
    if (to > at && text[to - 1].isHighSurrogate())
        --to;
    return {from, to};
}

} // namespace huevane
