#include "formatwriter.h"

#include "memoryadvice.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace huevane {

namespace {

// Two hexadecimal digits for every byte value, upper case, then lower case.
template <bool Lower>
constexpr std::array<char16_t, 512> hexDigits = [] {
    std::array<char16_t, 512> table {};
    const char16_t *digits = Lower ? u"0123456789abcdef" : u"0123456789ABCDEF";
    for (int i = 0; i < 256; ++i) {
        table[2 * i] = digits[i >> 4];
        table[2 * i + 1] = digits[i & 15];
    }
    return table;
}();

// The decimal digits of every byte value, then how many there are.
constexpr std::array<std::array<char16_t, 4>, 256> decimalDigits = [] {
    std::array<std::array<char16_t, 4>, 256> table {};
    for (int i = 0; i < 256; ++i) {
        int n = 0;
        if (i >= 100)
            table[i][n++] = char16_t(u'0' + i / 100);
        if (i >= 10)
            table[i][n++] = char16_t(u'0' + i / 10 % 10);
        table[i][n++] = char16_t(u'0' + i % 10);
        table[i][3] = char16_t(n);
    }
    return table;
}();

constexpr quint32 NoRun = 0xFFFFFFFF;

char16_t *put(char16_t *out, Words piece)
{
    std::memcpy(out, piece.data(), piece.size() * sizeof(char16_t));
    return out + piece.size();
}

char16_t *putHex(char16_t *out, quint8 value)
{
    out[0] = hexDigits<false>[2 * value];
    out[1] = hexDigits<false>[2 * value + 1];
    return out + 2;
}

// Writes three digits whatever the value: the room for them is reserved.
char16_t *putDecimal(char16_t *out, quint8 value)
{
    const auto &digits = decimalDigits[value];
    out[0] = digits[0];
    out[1] = digits[1];
    out[2] = digits[2];
    return out + digits[3];
}

char16_t *putNumber(char16_t *out, qint64 value)
{
    char16_t digits[20];
    int n = 0;
    do {
        digits[n++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

// The most code units a colour placeholder takes, for a run's colour in @p palette.
constexpr qsizetype colourSize(Placeholder kind, Palette palette)
{
    switch (kind) {
    case Placeholder::LowerHex:
    case Placeholder::UpperHex:
        return 6;
    case Placeholder::SectionHex:
        return 12;
    case Placeholder::Red:
    case Placeholder::Green:
    case Placeholder::Blue:
        return 3;
    case Placeholder::Code:
        return palette == Palette::Xterm256 ? 3 : qsizetype(PaletteEntries(palette)[0].code.size());
    default:
        return 0;
    }
}

// A run's colour @p key: 0xRRGGBB, or the number of its palette entry.
template <Placeholder P, Palette Pal>
char16_t *putColour(char16_t *out, quint32 key)
{
    const quint8 bytes[3] = {quint8(key >> 16), quint8(key >> 8), quint8(key)};
    if constexpr (P == Placeholder::Code && Pal == Palette::Xterm256) {
        return putDecimal(out, quint8(key));
    } else if constexpr (P == Placeholder::Code) {
        constexpr qsizetype size = colourSize(P, Pal);
        std::memcpy(out, PaletteEntries(Pal)[key].code.data(), size * sizeof(char16_t));
        return out + size;
    } else if constexpr (P == Placeholder::Red || P == Placeholder::Green
                         || P == Placeholder::Blue) {
        return putDecimal(out, bytes[int(P) - int(Placeholder::Red)]);
    } else {
        constexpr auto &digits = hexDigits<P != Placeholder::UpperHex>;
        for (const quint8 byte : bytes) {
            const char16_t high = digits[2 * byte], low = digits[2 * byte + 1];
            if constexpr (P == Placeholder::SectionHex) {
                out[0] = u'\u00A7';
                out[1] = high;
                out[2] = u'\u00A7';
                out[3] = low;
                out += 4;
            } else {
                out[0] = high;
                out[1] = low;
                out += 2;
            }
        }
        return out;
    }
}

// The colour placeholders a run may hold for its palette: the digits of the
// colour, or the code of its palette entry.
constexpr Placeholders runPlaceholders(Palette palette)
{
    constexpr Placeholders always =
        PlaceholderBit(Placeholder::Text) | PlaceholderBit(Placeholder::Styles);
    if (palette != Palette::TrueColour)
        return always | PlaceholderBit(Placeholder::Code);
    return always | OwnPlaceholders | PlaceholderBit(Placeholder::SectionHex);
}

// A row's run as pieces, made when the program is compiled: the words (upper
// case outside quotes, quotes dropped, as asked) and the placeholders between them.
struct CompiledPiece
{
    bool literal = false;
    Placeholder kind = Placeholder::Text;
    quint16 at = 0; // a literal's words in storage
    quint16 size = 0;
};

struct CompiledWords
{
    std::array<char16_t, 96> storage {};
    std::array<CompiledPiece, 16> pieces {};
    int count = 0;
    int text = -1; // the piece that is {c}
    int used = 0;  // units of storage
};

// Without @p styles, {styles} is left out, and the words around it make one piece.
constexpr CompiledWords compile(Words words, Placeholders allowed, bool upperCase, bool noQuotes,
                                bool styles = true)
{
    CompiledWords c;
    bool quoted = false;
    const TemplateProblem problem = ReadTemplate(
        words, allowed,
        [&](Words literal) {
            for (const char16_t unit : literal) {
                if (unit == u'"') {
                    quoted = !quoted;
                    if (noQuotes)
                        continue;
                }
                if (c.count == 0 || !c.pieces[c.count - 1].literal)
                    c.pieces[c.count++] = {true, Placeholder::Text, quint16(c.used), 0};
                const bool upper = upperCase && !quoted && unit >= u'a' && unit <= u'z';
                c.storage[c.used++] = upper ? char16_t(unit - 0x20) : unit;
                ++c.pieces[c.count - 1].size;
            }
        },
        [&](Placeholder p) {
            if (p == Placeholder::Text)
                c.text = c.count;
            if (p != Placeholder::Styles || styles)
                c.pieces[c.count++] = {false, p, 0, 0};
        });
    if (problem.kind != TemplateProblem::None)
        throw "a format's words are not a good template";
    return c;
}

// What each ASCII unit is to an escaping: 0 kept, i + 1 replaced by as[i], or one
// of the two rules for control characters.
constexpr quint8 JsonControl = 0xFE, ReplacedControl = 0xFF;

constexpr std::array<quint8, 128> escapeTable(const Escaping &escaping)
{
    std::array<quint8, 128> table {};
    for (int unit = 0; unit < 0x20; ++unit) {
        if (escaping.controls == Controls::JsonEscapes)
            table[unit] = JsonControl;
        else if (escaping.controls == Controls::Replaced && unit != u'\t')
            table[unit] = ReplacedControl;
    }
    for (size_t i = 0; i < escaping.units.size(); ++i)
        table[escaping.units[i]] = quint8(i + 1);
    return table;
}

constexpr qsizetype longestEscape(const Escaping &escaping)
{
    qsizetype longest = escaping.controls == Controls::JsonEscapes ? 6 : 1; // "\u001F"
    for (size_t i = 0; i < escaping.as.size(); ++i)
        longest = std::max(longest, qsizetype(escaping.as[i].size()));
    return longest;
}

constexpr bool escapesAnything(const Escaping &escaping)
{
    return !escaping.units.empty() || escaping.controls != Controls::Kept;
}

// The units of an entry escaped as @p S says.
template <typename S>
char16_t *putEscaped(char16_t *out, const char16_t *units, quint32 length)
{
    for (const char16_t *unit = units; unit != units + length; ++unit) {
        const quint8 rule = *unit < 128 ? S::escapes[*unit] : 0;
        if (rule == 0) {
            *out++ = *unit;
        } else if (rule == JsonControl) {
            out = put(out, u"\\u00");
            out = putHex(out, quint8(*unit));
        } else if (rule == ReplacedControl) {
            *out++ = u'\uFFFD';
        } else {
            out = put(out, S::escaping.as[rule - 1]);
        }
    }
    return out;
}

// The characters of an entry, escaped as @p S says when @p Active.
template <typename S, bool Active>
inline char16_t *putText(char16_t *out, const char16_t *units, quint32 length)
{
    if (length == 1 && (!Active || *units >= 128 || S::escapes[*units] == 0)) {
        *out = *units; // nothing to escape
        return out + 1;
    }
    if constexpr (Active)
        return putEscaped<S>(out, units, length);
    else
        return put(out, Words(units, length));
}

// The key of a run of colour @p rgb in palette @p P: the colour itself, or the
// number of its palette entry.
template <Palette P>
quint32 keyOf(NearestEntries *nearest, quint32 rgb)
{
    if constexpr (P == Palette::TrueColour)
        return rgb;
    else if constexpr (P == Palette::Xterm256)
        return Xterm256Number(quint8(rgb >> 16), quint8(rgb >> 8), quint8(rgb));
    else
        return nearest->index(rgb);
}

} // namespace

// A piece of a template of the user's own: words, or a placeholder.
struct OwnPiece
{
    bool literal;
    Placeholder kind;
    std::u16string words;
};

struct ColouredTextWriter::Shape
{
    using Write = char16_t *(*)(const Context &context, char16_t *out, Runs &runs,
                                const char16_t *units, const CharColour *first,
                                const CharColour *last);
    using Close = char16_t *(*)(const Context &context, Words styles, char16_t *out, quint32 key);
    using Key = quint32 (*)(const Context &context, quint32 rgb);
    using Text = char16_t *(*)(const Context &context, char16_t *out, const char16_t *units,
                               quint32 length);
    Write write[2][2][2]; // by merge, escape, then whether styles are written in runs
    Close close[2];       // by whether styles are written
    Key key;
    Text text[2];          // by escape
    qsizetype runSize;     // the most a run takes, its characters and styles left out
    qsizetype closeSize;   // the most closing a run takes, its styles left out
    int stylePieces;       // how often a run writes its styles
    qsizetype unitSize[2]; // the most a code unit of a character takes, by escape
};

struct ColouredTextWriter::Context
{
    std::u16string styles; // a run's styles, where its words hold them
    std::unique_ptr<NearestEntries> nearest;
    std::vector<OwnPiece> ownOpening, ownClosing; // a template's pieces around {c}
    bool ownText = true;                          // the template holds {c}
    Shape ownShape {};
};

namespace {

using Context = ColouredTextWriter::Context;
using Runs = ColouredTextWriter::Runs;

template <const CompiledWords &W, int I, Palette P, bool Styled>
char16_t *putPiece(char16_t *out, quint32 key, Words styles)
{
    constexpr CompiledPiece piece = W.pieces[I];
    if constexpr (piece.literal) {
        std::memcpy(out, W.storage.data() + piece.at, piece.size * sizeof(char16_t));
        return out + piece.size;
    } else if constexpr (piece.kind == Placeholder::Styles) {
        if constexpr (!Styled)
            return out;
        else
            return put(out, styles);
    } else {
        return putColour<piece.kind, P>(out, key);
    }
}

template <const CompiledWords &W, int From, Palette P, bool Styled, int... I>
char16_t *putPieces(char16_t *out, [[maybe_unused]] quint32 key, [[maybe_unused]] Words styles,
                    std::integer_sequence<int, I...>)
{
    ((out = putPiece<W, From + I, P, Styled>(out, key, styles)), ...);
    return out;
}

constexpr qsizetype piecesSize(const CompiledWords &words, int from, int to, Palette palette)
{
    qsizetype size = 0;
    for (int i = from; i < to; ++i)
        size += words.pieces[i].literal ? words.pieces[i].size
                                        : colourSize(words.pieces[i].kind, palette);
    return size;
}

// How a format of the table writes its runs: its words, known when the program
// is compiled, so that every copy has a constant size.
template <int Row, bool UpperCase, bool NoQuotes>
struct RowRun
{
    static constexpr const FormatRow &row = Formats[Row];
    static constexpr Palette palette = row.palette;
    static constexpr CompiledWords styledWords =
        compile(row.run, runPlaceholders(palette), UpperCase, NoQuotes);
    static constexpr CompiledWords plainWords =
        compile(row.run, runPlaceholders(palette), UpperCase, NoQuotes, false);
    template <bool Styled>
    static constexpr const CompiledWords &words = Styled ? styledWords : plainWords;
    static constexpr CompiledWords separator = compile(row.separator, 0, false, false);
    static_assert(styledWords.text >= 0, "a format writes the text");
    static constexpr const Escaping &escaping = row.escaping;
    static constexpr auto escapes = escapeTable(escaping);
    static constexpr bool separated = separator.used > 0;
    static constexpr bool guarded = row.guardedUnit != 0;
    static constexpr bool alwaysMerges = row.merging == Merging::Always;
    static constexpr bool escapesOnRequest = row.escapeOnRequest;
    template <bool Escape>
    static constexpr bool escapesNow = escapesAnything(escaping) && (Escape || !escapesOnRequest);

    static bool writesText(const Context &) { return true; }
    static quint32 key(const Context &context, quint32 rgb)
    {
        return keyOf<palette>(context.nearest.get(), rgb);
    }
    static char16_t *putSeparator(char16_t *out)
    {
        return putPieces<separator, 0, palette, false>(
            out, 0, {}, std::make_integer_sequence<int, separator.count>());
    }
    static char16_t *putGuard(char16_t *out) { return put(out, row.guard); }
    template <bool Styled>
    static char16_t *open(const Context &, Words styles, char16_t *out, quint32 key)
    {
        return putPieces<words<Styled>, 0, palette, Styled>(
            out, key, styles, std::make_integer_sequence<int, words<Styled>.text>());
    }
    template <bool Styled>
    static char16_t *close(const Context &, Words styles, char16_t *out, quint32 key)
    {
        constexpr int after = words<Styled>.text + 1;
        return putPieces<words<Styled>, after, palette, Styled>(
            out, key, styles, std::make_integer_sequence<int, words<Styled>.count - after>());
    }

    static constexpr qsizetype closeSize =
        piecesSize(styledWords, styledWords.text + 1, styledWords.count, palette);
    static constexpr qsizetype runSize = piecesSize(styledWords, 0, styledWords.count, palette)
        + separator.used + qsizetype(row.guard.size());
    static constexpr int stylePieces = styledWords.count - plainWords.count;
};

// How a template's colour placeholders are written, by Placeholder.
using PutColour = char16_t *(*)(char16_t *out, quint32 key);
constexpr PutColour ownColours[] = {nullptr,
                                    &putColour<Placeholder::LowerHex, Palette::TrueColour>,
                                    &putColour<Placeholder::UpperHex, Palette::TrueColour>,
                                    &putColour<Placeholder::Red, Palette::TrueColour>,
                                    &putColour<Placeholder::Green, Palette::TrueColour>,
                                    &putColour<Placeholder::Blue, Palette::TrueColour>};

char16_t *putOwnPieces(char16_t *out, const std::vector<OwnPiece> &pieces, quint32 key)
{
    for (const OwnPiece &piece : pieces)
        out = piece.literal ? put(out, piece.words) : ownColours[int(piece.kind)](out, key);
    return out;
}

constexpr const Escaping &ownEscaping(TemplateEscape escape)
{
    return escape == TemplateEscape::Html ? HtmlAttributeEscaping
        : escape == TemplateEscape::Xml   ? XmlEscaping
                                          : NoEscaping;
}

// How a template of the user's own writes its runs, from its pieces.
template <TemplateEscape E>
struct OwnRun
{
    static constexpr const Escaping &escaping = ownEscaping(E);
    static constexpr auto escapes = escapeTable(escaping);
    static constexpr bool separated = false;
    static constexpr bool guarded = false;
    static constexpr bool alwaysMerges = false;
    static constexpr bool escapesOnRequest = false;
    template <bool>
    static constexpr bool escapesNow = escapesAnything(escaping);

    static bool writesText(const Context &context) { return context.ownText; }
    static constexpr Palette palette = Palette::TrueColour;
    static quint32 key(const Context &, quint32 rgb) { return rgb; }
    static char16_t *putSeparator(char16_t *out) { return out; }
    static char16_t *putGuard(char16_t *out) { return out; }
    template <bool>
    static char16_t *open(const Context &context, Words, char16_t *out, quint32 key)
    {
        return putOwnPieces(out, context.ownOpening, key);
    }
    template <bool>
    static char16_t *close(const Context &context, Words, char16_t *out, quint32 key)
    {
        return putOwnPieces(out, context.ownClosing, key);
    }
};

// Without Merge every character gets a run of its own, closed at once.
template <typename S, bool Merge, bool Escape, bool Styled>
char16_t *writeRuns(const Context &context, char16_t *out, Runs &runs, const char16_t *units,
                    const CharColour *first, const CharColour *last)
{
    quint32 open = runs.open;
    const bool writesText = S::writesText(context);
    const Words styles = context.styles;
    quint32 lastRgb = NoRun, lastKey = NoRun;
    for (const CharColour *entry = first; entry != last; ++entry) {
        // Neighbours often share a colour, and so a palette entry.
        const quint32 rgb = entry->rgb();
        if (S::palette == Palette::TrueColour || rgb != lastRgb) {
            lastRgb = rgb;
            lastKey = S::key(context, rgb);
        }
        const quint32 key = lastKey;
        if (!Merge || key != open) {
            if (Merge && open != NoRun)
                out = S::template close<Styled>(context, styles, out, open);
            if constexpr (S::separated) {
                if (runs.afterSomething)
                    out = S::putSeparator(out);
                runs.afterSomething = true;
            }
            out = S::template open<Styled>(context, styles, out, key);
            if constexpr (S::guarded) {
                if (units[entry->start] == S::row.guardedUnit)
                    out = S::putGuard(out);
            }
            if (Merge)
                open = key;
        }
        if (writesText)
            out = putText<S, S::template escapesNow<Escape>>(out, units + entry->start,
                                                             entry->length);
        if (!Merge)
            out = S::template close<Styled>(context, styles, out, key);
    }
    runs.open = open;
    return out;
}

template <typename S, bool Escape>
char16_t *writeText(const Context &context, char16_t *out, const char16_t *units, quint32 length)
{
    if (!S::writesText(context))
        return out;
    if constexpr (S::template escapesNow<Escape>)
        return putEscaped<S>(out, units, length);
    else
        return put(out, Words(units, length));
}

template <typename S, bool Merge>
constexpr ColouredTextWriter::Shape::Write writersByEscape[2][2] = {
    {&writeRuns<S, Merge, false, false>, &writeRuns<S, Merge, false, true>},
    {&writeRuns<S, Merge, S::escapesOnRequest, false>,
     &writeRuns<S, Merge, S::escapesOnRequest, true>}};

template <typename S>
constexpr qsizetype unitSize(bool escape)
{
    return (escape ? S::template escapesNow<true> : S::template escapesNow<false>)
        ? longestEscape(S::escaping)
        : 1;
}

// The functions of a shape; its sizes are left to fill.
template <typename S>
constexpr ColouredTextWriter::Shape writersOf()
{
    constexpr auto &once = writersByEscape<S, S::alwaysMerges>;
    constexpr auto &merged = writersByEscape<S, true>;
    return {{{{once[0][0], once[0][1]}, {once[1][0], once[1][1]}},
             {{merged[0][0], merged[0][1]}, {merged[1][0], merged[1][1]}}},
            {&S::template close<false>, &S::template close<true>},
            &S::key,
            {&writeText<S, false>, &writeText<S, S::escapesOnRequest>},
            0,
            0,
            0,
            {1, 1}};
}

template <typename S>
constexpr ColouredTextWriter::Shape shapeOf()
{
    ColouredTextWriter::Shape shape = writersOf<S>();
    shape.runSize = S::runSize;
    shape.closeSize = S::closeSize;
    shape.stylePieces = S::stylePieces;
    shape.unitSize[0] = unitSize<S>(false);
    shape.unitSize[1] = unitSize<S>(true);
    return shape;
}

template <int Row, bool UpperCase, bool NoQuotes>
using RowRunOf = RowRun<Row, UpperCase && Formats[Row].tagCase, NoQuotes && Formats[Row].quotes>;

// Every format's shapes, by upper case, then no quotes.
template <int... R>
constexpr auto makeRowShapes(std::integer_sequence<int, R...>)
{
    using Shapes = std::array<ColouredTextWriter::Shape, 4>;
    return std::array<Shapes, sizeof...(R)> {
        Shapes {shapeOf<RowRunOf<R, false, false>>(), shapeOf<RowRunOf<R, false, true>>(),
                shapeOf<RowRunOf<R, true, false>>(), shapeOf<RowRunOf<R, true, true>>()}...};
}

constexpr auto rowShapes = makeRowShapes(std::make_integer_sequence<int, FormatCount>());

// The other words of a row are good templates, its names are its own, its escapes
// are of ASCII units, a guard comes only with runs that always merge, and its
// palette's codes are all of one size.
consteval bool rowsAreGood()
{
    constexpr auto nothing = [](auto) {};
    for (int i = 0; i < FormatCount; ++i) {
        const FormatRow &row = Formats[i];
        const std::pair<Words, Placeholders> words[] = {
            {row.head, PlaceholderBit(Placeholder::Background)},
            {row.linePrefix, PlaceholderBit(Placeholder::Advance)},
            {row.tail, 0},
            {row.lineEnd, 0},
            {row.lineSuffix, 0}};
        for (const auto &[w, allowed] : words) {
            if (ReadTemplate(w, allowed, nothing, nothing).kind != TemplateProblem::None)
                return false;
        }
        for (int j = 0; j < i; ++j) {
            if (Formats[j].name == row.name)
                return false;
        }
        for (const char16_t unit : row.escaping.units) {
            if (unit >= 128)
                return false;
        }
        // Measuring an output counts a guard only where a run starts (fitting.cpp).
        if (row.guardedUnit != 0 && row.merging != Merging::Always)
            return false;
        for (const PaletteEntry &entry : PaletteEntries(row.palette)) {
            if (entry.code.size() != PaletteEntries(row.palette)[0].code.size())
                return false;
        }
    }
    return true;
}
static_assert(rowsAreGood());

// @p words, a row's template, with {background} written as @p background; the
// words after {advance} go to @p afterAdvance.
std::u16string expand(Words words, quint32 background = 0, std::u16string *afterAdvance = nullptr)
{
    std::u16string expanded;
    std::u16string *to = &expanded;
    constexpr Placeholders allowed =
        PlaceholderBit(Placeholder::Background) | PlaceholderBit(Placeholder::Advance);
    ReadTemplate(
        words, allowed, [&](Words literal) { to->append(literal); },
        [&](Placeholder p) {
            if (p == Placeholder::Advance && afterAdvance) {
                to = afterAdvance;
            } else if (p == Placeholder::Background) {
                char16_t hex[6];
                putColour<Placeholder::LowerHex, Palette::TrueColour>(hex, background);
                to->append(hex, 6);
            }
        });
    return expanded;
}

std::u16string upperOutsideQuotes(Words words)
{
    std::u16string upper(words);
    bool quoted = false;
    for (char16_t &unit : upper) {
        quoted ^= unit == u'"';
        if (!quoted && unit >= u'a' && unit <= u'z')
            unit = char16_t(unit - 0x20);
    }
    return upper;
}

Words wordsOf(QStringView text)
{
    return {text.utf16(), size_t(text.size())};
}

} // namespace

std::optional<TemplateEscape> FindTemplateEscape(QStringView name)
{
    for (int i = 0; i < int(std::size(TemplateEscapeNames)); ++i) {
        if (name == QStringView(TemplateEscapeNames[i]))
            return TemplateEscape(i);
    }
    return std::nullopt;
}

TemplateProblem OwnTemplateProblem(QStringView run)
{
    constexpr auto nothing = [](auto) {};
    return ReadTemplate(wordsOf(run), OwnPlaceholders, nothing, nothing);
}

std::optional<RefusedStyle> FindRefusedStyle(const OutputOptions &options)
{
    for (int s = 0; s < StyleCount; ++s) {
        if (!(options.styles & StyleBit(Style(s))))
            continue;
        if (options.ownTemplate)
            return RefusedStyle {Style(s), QStringLiteral("a template has no place for styles")};
        if (QString reason = StyleRefusal(options.format, Style(s)); !reason.isEmpty())
            return RefusedStyle {Style(s), reason};
    }
    const Styles lines = StyleBit(Style::Underline) | StyleBit(Style::Strikethrough);
    const FormatRow &row = RowOf(options.format);
    if (!options.ownTemplate && (options.styles & lines) == lines && options.noQuotes && row.quotes
        && row.underlinedAndStruck.find(u' ') != Words::npos)
        return RefusedStyle {Style::Strikethrough,
                             QStringLiteral("without quotes %1 cannot hold underline and "
                                            "strikethrough together")
                                 .arg(QStringView(row.caption))};
    return std::nullopt;
}

ColouredTextWriter::ColouredTextWriter(const OutputOptions &options)
    : m_context(std::make_unique<Context>())
    , m_merge(options.merge)
    , m_escape(false)
    , m_runs {NoRun, false}
    , m_lineHeight(0)
    , m_lineEndBetween(false)
{
    Context &c = *m_context;
    if (const auto &own = options.ownTemplate) {
        std::vector<OwnPiece> *pieces = &c.ownOpening;
        c.ownText = false;
        ReadTemplate(
            wordsOf(own->run), OwnPlaceholders,
            [&](Words literal) {
                pieces->push_back({true, Placeholder::Text, std::u16string(literal)});
            },
            [&](Placeholder p) {
                if (p == Placeholder::Text) {
                    pieces = &c.ownClosing;
                    c.ownText = true;
                } else {
                    pieces->push_back({false, p, {}});
                }
            });
        c.ownShape = own->escape == TemplateEscape::Html ? writersOf<OwnRun<TemplateEscape::Html>>()
            : own->escape == TemplateEscape::Xml         ? writersOf<OwnRun<TemplateEscape::Xml>>()
                                                 : writersOf<OwnRun<TemplateEscape::None>>();
        const auto size = [](const std::vector<OwnPiece> &list) {
            qsizetype n = 0;
            for (const OwnPiece &piece : list)
                n += piece.literal ? qsizetype(piece.words.size())
                                   : colourSize(piece.kind, Palette::TrueColour);
            return n;
        };
        c.ownShape.runSize = size(c.ownOpening) + size(c.ownClosing);
        c.ownShape.closeSize = size(c.ownClosing);
        c.ownShape.unitSize[0] = longestEscape(ownEscaping(own->escape));
        m_shape = &c.ownShape;
        m_head = wordsOf(own->head);
        m_tail = wordsOf(own->tail);
        m_lineEnd = wordsOf(own->lineEnd);
        return;
    }

    const FormatRow &row = RowOf(options.format);
    const bool upperCase = options.upperCaseTags && row.tagCase;
    m_shape = &rowShapes[int(options.format)][2 * upperCase + (options.noQuotes && row.quotes)];
    m_merge = options.merge || row.merging == Merging::Always;
    m_escape = options.escape && row.escapeOnRequest;
    m_head = expand(row.head, options.background);
    m_tail = expand(row.tail);
    m_lineEnd = expand(row.lineEnd);
    m_separator = expand(row.separator);
    m_linePrefix = expand(row.linePrefix, 0, &m_lineAdvanceSuffix);
    m_lineHeight = row.lineHeight;
    m_lineEndBetween = row.lineEndBetweenLines;
    if (!PaletteEntries(row.palette).empty())
        c.nearest = std::make_unique<NearestEntries>(row.palette);

    // A format writes its styles in each run, or around each line's characters.
    const auto wanted = [&](Style s) { return (options.styles & StyleBit(s)) != 0; };
    const bool underlinedAndStruck = wanted(Style::Underline) && wanted(Style::Strikethrough)
        && !row.underlinedAndStruck.empty();
    for (int s = 0; s < StyleCount; ++s) {
        const StyleWords &words = row.styles[s];
        if (!wanted(Style(s)) || (underlinedAndStruck && Style(s) == Style::Strikethrough))
            continue;
        if (m_shape->stylePieces > 0) {
            c.styles += underlinedAndStruck && Style(s) == Style::Underline
                ? row.underlinedAndStruck
                : words.on;
        } else {
            m_lineOpen += upperCase ? upperOutsideQuotes(words.on) : std::u16string(words.on);
            m_lineClose.insert(
                0, upperCase ? upperOutsideQuotes(words.off) : std::u16string(words.off));
        }
    }
    m_lineClose += expand(row.lineSuffix);
    m_styled = !c.styles.empty();
}

ColouredTextWriter::~ColouredTextWriter() = default;

qsizetype ColouredTextWriter::maxSize(qsizetype characters, qsizetype units) const
{
    const qsizetype run =
        m_shape->runSize + m_shape->stylePieces * qsizetype(m_context->styles.size());
    return characters * run + units * m_shape->unitSize[m_escape] + maxLineEndSize();
}

qsizetype ColouredTextWriter::maxLineEndSize() const
{
    // The head and a line break still due may come first, then the start of the
    // line, the closing of its last run and its end.
    constexpr qsizetype longestNumber = 20;
    return qsizetype(m_head.size() + m_separator.size() + 2 * m_lineEnd.size() + m_linePrefix.size()
                     + longestNumber + m_lineAdvanceSuffix.size() + m_lineOpen.size()
                     + m_lineClose.size())
        + m_shape->closeSize + m_shape->stylePieces * qsizetype(m_context->styles.size());
}

qsizetype ColouredTextWriter::maxFinishSize() const
{
    return qsizetype(m_head.size() + m_tail.size());
}

char16_t *ColouredTextWriter::begin(char16_t *out)
{
    if (!m_begun) {
        m_begun = true;
        out = put(out, m_head);
    }
    if (m_lineBreakDue) {
        m_lineBreakDue = false;
        if (m_runs.afterSomething)
            out = put(out, m_separator);
        m_runs.afterSomething = true;
        out = put(out, m_lineEnd);
    }
    return out;
}

char16_t *ColouredTextWriter::startLine(char16_t *out)
{
    m_lineStarted = true;
    out = put(out, m_linePrefix);
    if (m_lineHeight > 0) {
        out = putNumber(out, m_lineHeight * (m_emptyLines + 1));
        out = put(out, m_lineAdvanceSuffix);
    }
    m_emptyLines = 0;
    return put(out, m_lineOpen);
}

char16_t *ColouredTextWriter::write(char16_t *out, QStringView text, const CharColour *first,
                                    const CharColour *last)
{
    out = begin(out);
    if (first == last)
        return out;
    if (!m_lineStarted)
        out = startLine(out);
    return m_shape->write[m_merge][m_escape][m_styled](*m_context, out, m_runs, text.utf16(), first,
                                                       last);
}

char16_t *ColouredTextWriter::endLine(char16_t *out)
{
    out = begin(out);
    if (m_runs.open != NoRun)
        out = m_shape->close[m_styled](*m_context, m_context->styles, out, m_runs.open);
    m_runs.open = NoRun;
    if (m_lineStarted) {
        out = put(out, m_lineClose);
        m_lineStarted = false;
    } else {
        ++m_emptyLines;
    }
    if (m_lineEndBetween) {
        m_lineBreakDue = true;
        return out;
    }
    return put(out, m_lineEnd);
}

char16_t *ColouredTextWriter::finish(char16_t *out)
{
    m_lineBreakDue = false; // no line follows the last
    out = begin(out);
    return put(out, m_tail);
}

quint32 ColouredTextWriter::runKey(quint32 rgb) const
{
    return m_shape->key(*m_context, rgb);
}

char16_t *ColouredTextWriter::writeRunCodes(char16_t *out, quint32 rgb) const
{
    // A run of one character without units, opened as write() opens one and closed.
    Runs runs {NoRun, false};
    const char16_t none = 0;
    const CharColour entry {0, 0, quint8(rgb >> 16), quint8(rgb >> 8), quint8(rgb)};
    out = m_shape->write[true][false][m_styled](*m_context, out, runs, &none, &entry, &entry + 1);
    return m_shape->close[m_styled](*m_context, m_context->styles, out, runs.open);
}

char16_t *ColouredTextWriter::writeText(char16_t *out, QStringView units) const
{
    return m_shape->text[m_escape](*m_context, out, units.utf16(), quint32(units.size()));
}

char16_t *ColouredTextWriter::openLine(char16_t *out, bool characters)
{
    out = begin(out);
    if (characters) {
        if (!m_lineStarted)
            out = startLine(out);
        m_runs.afterSomething = true; // as its runs would
    }
    return out;
}

QString FormattedText(const PreparedText &text, const QList<CharColour> &colours,
                      const OutputOptions &options)
{
    if (IsBlankText(text.text()))
        return {};

    ColouredTextWriter writer(options);
    const qsizetype lines = text.lineCount();
    qsizetype units = 0;
    for (qsizetype i = 0; i < lines; ++i)
        units += text.line(i).length;
    const qsizetype size = writer.maxSize(colours.size(), units) + lines * writer.maxLineEndSize()
        + writer.maxFinishSize();

    QString written(size, Qt::Uninitialized);
    AdviseLargeBuffer(written.data(), size * qsizetype(sizeof(char16_t)));
    char16_t *const begin = reinterpret_cast<char16_t *>(written.data());
    char16_t *out = begin;
    const CharColour *entry = colours.constData();
    const CharColour *const end = entry + colours.size();
    for (qsizetype i = 0; i < lines; ++i) {
        // The entries of a line cover it from its start to its end; entries made
        // for another text do not, and nothing is written for them.
        const TextSpan line = text.line(i);
        const CharColour *lineEnd = entry;
        qsizetype at = line.start;
        while (lineEnd != end && lineEnd->start == at && at < line.end())
            at += (lineEnd++)->length;
        if (at != line.end())
            return {};
        out = writer.endLine(writer.write(out, text.text(), entry, lineEnd));
        entry = lineEnd;
    }
    if (entry != end)
        return {};
    written.resize(writer.finish(out) - begin);
    return written;
}

} // namespace huevane
