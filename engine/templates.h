#pragma once

#include <QtGlobal>

#include <iterator>
#include <string_view>
#include <utility>

namespace huevane {

/// Words as a format writes them, in UTF-16.
using Words = std::u16string_view;

/// What a placeholder in braces stands for. Values are never renumbered.
enum class Placeholder : quint8 {
    Text,       ///< {c}: the character, or the run of characters, escaped as the format asks
    LowerHex,   ///< {hex}: the colour as rrggbb
    UpperHex,   ///< {HEX}: the colour as RRGGBB
    Red,        ///< {r}: red in decimal, 0 to 255
    Green,      ///< {g}: green in decimal
    Blue,       ///< {b}: blue in decimal
    Code,       ///< {n}: the code of the nearest palette colour
    SectionHex, ///< {§hex}: § before each digit of rrggbb
    Styles,     ///< {styles}: the words of the styles asked for, where a run writes them
    Advance,    ///< {advance}: the distance down to this line from the last line with characters
    Background, ///< {background}: the background colour as rrggbb
};

/// A set of placeholders, a bit (1 << Placeholder) for each.
using Placeholders = quint16;

constexpr Placeholders PlaceholderBit(Placeholder p)
{
    return Placeholders(1u << int(p));
}

/// The placeholders of a template given on the command line: {c}, {hex}, {HEX}, {r},
/// {g} and {b}.
inline constexpr Placeholders OwnPlaceholders = PlaceholderBit(Placeholder::Text)
    | PlaceholderBit(Placeholder::LowerHex) | PlaceholderBit(Placeholder::UpperHex)
    | PlaceholderBit(Placeholder::Red) | PlaceholderBit(Placeholder::Green)
    | PlaceholderBit(Placeholder::Blue);

/// The names of the placeholders, by Placeholder.
inline constexpr Words PlaceholderNames[] = {u"c",      u"hex",     u"HEX",       u"r",
                                             u"g",      u"b",       u"n",         u"\u00A7hex",
                                             u"styles", u"advance", u"background"};

/// The first thing wrong with a template, if anything is.
struct TemplateProblem
{
    enum Kind : quint8 {
        None,               ///< the template is good
        UnknownPlaceholder, ///< braces around a name that is not a placeholder here
        UnclosedBrace,      ///< a '{' without its '}'
        UnopenedBrace,      ///< a '}' that closes nothing and is not doubled
        SecondText,         ///< {c} a second time: a run's characters are written once
    };
    Kind kind = None;
    qsizetype at = 0;     ///< the code unit where the problem starts
    qsizetype length = 0; ///< its code units: the placeholder with its braces, or the brace
};

/// Reads @p text, a template: words with placeholders in braces, "{{" and "}}"
/// standing for a brace. Calls @p literal(Words) for each piece of words (a doubled
/// brace ends one and starts the next with the brace) and @p placeholder(Placeholder)
/// for each placeholder, in order, until the first problem; a placeholder that is
/// not in @p allowed is unknown. Returns that problem, or one of kind None.
template <typename Literal, typename Hole>
constexpr TemplateProblem ReadTemplate(Words text, Placeholders allowed, Literal &&literal,
                                       Hole &&placeholder)
{
    const qsizetype size = qsizetype(text.size());
    qsizetype start = 0; // of the words not handed on yet
    bool hadText = false;
    const auto flush = [&](qsizetype end) {
        if (end > start)
            literal(text.substr(size_t(start), size_t(end - start)));
    };
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = text[size_t(i)];
        if (unit != u'{' && unit != u'}')
            continue;
        if (i + 1 < size && text[size_t(i + 1)] == unit) {
            flush(i + 1); // the first brace stays, the second is dropped
            start = i + 2;
            ++i;
            continue;
        }
        if (unit == u'}')
            return {TemplateProblem::UnopenedBrace, i, 1};
        qsizetype close = i + 1;
        while (close < size && text[size_t(close)] != u'}' && text[size_t(close)] != u'{')
            ++close;
        if (close == size || text[size_t(close)] == u'{')
            return {TemplateProblem::UnclosedBrace, i, 1};
        const Words name = text.substr(size_t(i + 1), size_t(close - i - 1));
        int found = -1;
        for (int p = 0; p < int(std::size(PlaceholderNames)); ++p) {
            if (PlaceholderNames[p] == name && (allowed & (1u << p)))
                found = p;
        }
        if (found < 0)
            return {TemplateProblem::UnknownPlaceholder, i, close + 1 - i};
        if (Placeholder(found) == Placeholder::Text && std::exchange(hadText, true))
            return {TemplateProblem::SecondText, i, close + 1 - i};
        flush(i);
        placeholder(Placeholder(found));
        start = close + 1;
        i = close;
    }
    flush(size);
    return {};
}

} // namespace huevane
