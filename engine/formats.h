#pragma once

#include "lengthunits.h"
#include "palettes.h"
#include "templates.h"

#include <QString>
#include <QStringList>

#include <array>
#include <iterator>
#include <optional>

namespace huevane {

/// The styles a format may write over the colours. Values are never renumbered.
enum class Style : quint8 { Bold, Italic, Underline, Strikethrough, Obfuscated };

inline constexpr int StyleCount = 5;

/// A set of styles, a bit (1 << Style) for each.
using Styles = quint8;

constexpr Styles StyleBit(Style style)
{
    return Styles(1u << int(style));
}

/// The styles' names, by Style, as huevane-html's options spell them.
inline constexpr Words StyleNames[StyleCount] = {u"bold", u"italic", u"underline", u"strikethrough",
                                                 u"obfuscated"};

/// What a format does with control characters (below U+0020).
enum class Controls : quint8 {
    Kept,        ///< written as they are, unless listed among the escaped units
    JsonEscapes, ///< written \u00XX, XX in upper-case hexadecimal
    Replaced,    ///< all but the tab written U+FFFD, as XML cannot hold them
};

/// How a format writes the characters of the text: the units it escapes (all of
/// them ASCII), each with what it becomes, and its rule for control characters.
struct Escaping
{
    Words units = u"";
    std::array<Words, 10> as {}; ///< what units[i] becomes
    Controls controls = Controls::Kept;
};

inline constexpr Escaping NoEscaping {};
/// &, < and > as entities.
inline constexpr Escaping HtmlEscaping {u"&<>", {u"&amp;", u"&lt;", u"&gt;"}};
/// &, < and > as entities, controls replaced: text that XML can hold.
inline constexpr Escaping XmlTextEscaping {
    u"&<>", {u"&amp;", u"&lt;", u"&gt;"}, Controls::Replaced};
/// The five entities of XML, controls replaced: text for elements and attributes alike.
inline constexpr Escaping XmlEscaping {
    u"&<>\"'", {u"&amp;", u"&lt;", u"&gt;", u"&quot;", u"&apos;"}, Controls::Replaced};
/// The four entities that HTML needs in text and in attributes in double quotes.
inline constexpr Escaping HtmlAttributeEscaping {u"&<>\"", {u"&amp;", u"&lt;", u"&gt;", u"&quot;"}};

/// How a format writes a style: words where it starts, and where it ends.
struct StyleWords
{
    Words on = u""; ///< empty: the format cannot write the style
    Words off = u"";
};

/// Where text in a format is pasted; the window's 'Copy as' menu has a submenu
/// for each, in this order. Values are never renumbered.
enum class FormatGroup : quint8 { WebAndDocuments, Chats, Minecraft, Games, Terminals };

inline constexpr int FormatGroupCount = 5;

/// The groups' captions, by FormatGroup, as the 'Copy as' menu shows them: an &
/// stands before the key that picks the group.
inline constexpr Words FormatGroupCaptions[FormatGroupCount] = {
    u"&Web and documents", u"&Chats", u"&Minecraft", u"&Games and game engines", u"Te&rminals"};

/// Whether a format writes one code for every character or a run of them.
enum class Merging : quint8 {
    Optional, ///< a code per character; per run of one colour with --merge
    Always,   ///< a code only where the colour changes, and at the start of a line
};

/// One format of the table. The words are templates: placeholders in braces
/// (run: {c}, the colour as {hex}, {HEX}, {r}, {g}, {b} or, for a palette, {n},
/// and {styles}; head: {background}; linePrefix: {advance}), a doubled brace for a
/// brace. Style words and escapes are written as they stand.
struct FormatRow
{
    Words name;                       ///< as --format takes it
    Words caption;                    ///< the entry of the window's 'Copy as' menu
    FormatGroup group;                ///< the submenu of 'Copy as' the entry is in
    Words help;                       ///< what --help says of it, lines of at most 57 columns
    Words run;                        ///< a character, or with merging a run of one colour
    Words lineEnd;                    ///< after every line, the last and empty ones too
    Words head = u"";                 ///< before the first line
    Words tail = u"";                 ///< after the last line
    Words linePrefix = u"";           ///< before the first character of a line
    Words lineSuffix = u"";           ///< after the last character of a line
    Words separator = u"";            ///< between runs, and around the line end between lines
    bool lineEndBetweenLines = false; ///< the line end goes between lines, not after each
    Escaping escaping {};
    bool escapeOnRequest = false; ///< the escaping applies with --escape only
    Merging merging = Merging::Optional;
    Palette palette = Palette::TrueColour;
    bool tagCase = false; ///< --upper-case-tags writes the words outside quotes in upper case
    bool quotes = false;  ///< --no-quotes drops the run's double quotes
    /// Each style's words: in every run where run holds {styles}, otherwise around
    /// each line's characters, the offs in reverse order.
    std::array<StyleWords, StyleCount> styles {};
    Words underlinedAndStruck = u""; ///< in place of both words, when a format needs one
    char16_t guardedUnit = 0;        ///< a unit that the code before it would read as its own
    Words guard = u"";               ///< written between the code and that unit
    int lineHeight = 0;              ///< {advance} for a line right after another
    /// What its length is counted in where it is pasted: Minecraft and Discord count
    /// UTF-16 code units, IRC bytes.
    LengthUnit unit = LengthUnit::CodePoints;
};

/// HTML's four style tags, for around each line.
inline constexpr std::array<StyleWords, StyleCount> TagStyles {
    {{u"<b>", u"</b>"}, {u"<i>", u"</i>"}, {u"<u>", u"</u>"}, {u"<s>", u"</s>"}}};
/// The same in square brackets.
inline constexpr std::array<StyleWords, StyleCount> BracketStyles {
    {{u"[b]", u"[/b]"}, {u"[i]", u"[/i]"}, {u"[u]", u"[/u]"}, {u"[s]", u"[/s]"}}};
/// Terminals' select graphic rendition, ended by the reset at the end of a line.
inline constexpr std::array<StyleWords, StyleCount> TerminalStyles {
    {{u"\x1b[1m"}, {u"\x1b[3m"}, {u"\x1b[4m"}, {u"\x1b[9m"}}};

// clang-format off
/// Every format, in the order --help and the 'Copy as' menu list them.
inline constexpr FormatRow Formats[] = {
    {.name = u"font", .caption = u"HTML with font tags", .group = FormatGroup::WebAndDocuments,
     .help = u"<font color=\"#RRGGBB\">c</font>, lines end in <br>\nand CR LF",
     .run = u"<font color=\"#{HEX}\">{c}</font>", .lineEnd = u"<br>\r\n",
     .escaping = HtmlEscaping, .escapeOnRequest = true, .tagCase = true, .quotes = true,
     .styles = TagStyles},
    {.name = u"span", .caption = u"HTML with span tags", .group = FormatGroup::WebAndDocuments,
     .help = u"<span style=\"color:#RRGGBB\">c</span>, lines end as\nfor font; styles in the style attribute",
     .run = u"<span style=\"color:#{HEX}{styles}\">{c}</span>", .lineEnd = u"<br>\r\n",
     .escaping = HtmlEscaping, .escapeOnRequest = true, .tagCase = true, .quotes = true,
     .styles = {{{u";font-weight:bold"}, {u";font-style:italic"}, {u";text-decoration:underline"},
                 {u";text-decoration:line-through"}}},
     .underlinedAndStruck = u";text-decoration:underline line-through"},
    {.name = u"bbcode", .caption = u"BBCode", .group = FormatGroup::WebAndDocuments,
     .help = u"[color=#RRGGBB]c[/color], lines end in CR LF",
     .run = u"[color=#{HEX}]{c}[/color]", .lineEnd = u"\r\n", .tagCase = true,
     .styles = BracketStyles},
    {.name = u"ansi", .caption = u"Terminal (24-bit)", .group = FormatGroup::Terminals,
     .help = u"terminal colours: ESC[38;2;R;G;Bm where the colour\nchanges, ESC[0m and LF at the end of a line",
     .run = u"\x1b[38;2;{r};{g};{b}m{c}", .lineEnd = u"\n", .lineSuffix = u"\x1b[0m",
     .merging = Merging::Always, .styles = TerminalStyles},
    {.name = u"ansi256", .caption = u"Terminal (256 colours)", .group = FormatGroup::Terminals,
     .help = u"as ansi, but ESC[38;5;Nm where N changes, N the\nnearest colour of the 256-colour palette (16 to 255)",
     .run = u"\x1b[38;5;{n}m{c}", .lineEnd = u"\n", .lineSuffix = u"\x1b[0m",
     .merging = Merging::Always, .palette = Palette::Xterm256, .styles = TerminalStyles},
    {.name = u"minecraft-hex", .caption = u"Minecraft (&#)", .group = FormatGroup::Minecraft,
     .help = u"&#RRGGBBc, lines end in LF",
     .run = u"&#{HEX}{styles}{c}", .lineEnd = u"\n",
     .styles = {{{u"&l"}, {u"&o"}, {u"&n"}, {u"&m"}, {u"&k"}}}, .unit = LengthUnit::Utf16},
    {.name = u"minecraft-section", .caption = u"Minecraft (\u00A7)",
      .group = FormatGroup::Minecraft,
     .help = u"\u00A7x, then \u00A7 before each of the six digits rrggbb,\nthen c; lines end in LF",
     .run = u"\u00A7x{\u00A7hex}{styles}{c}", .lineEnd = u"\n",
     .styles = {{{u"\u00A7l"}, {u"\u00A7o"}, {u"\u00A7n"}, {u"\u00A7m"}, {u"\u00A7k"}}},
     .unit = LengthUnit::Utf16},
    {.name = u"minimessage", .caption = u"MiniMessage", .group = FormatGroup::Minecraft,
     .help = u"<#rrggbb>c with \\ and < in c as \\\\ and \\<,\nlines end in LF",
     .run = u"<#{hex}>{c}", .lineEnd = u"\n", .escaping = {u"\\<", {u"\\\\", u"\\<"}},
     .styles = {{{u"<b>"}, {u"<i>"}, {u"<u>"}, {u"<st>"}, {u"<obf>"}}}, .unit = LengthUnit::Utf16},
    {.name = u"minecraft-json", .caption = u"Minecraft JSON", .group = FormatGroup::Minecraft,
     .help = u"one JSON text component: {\"text\":\"\",\"extra\":[\n{\"text\":\"c\",\"color\":\"#rrggbb\"},...]} and LF,\nthe object {\"text\":\"\\n\"} between lines",
     .run = u"{{\"text\":\"{c}\",\"color\":\"#{hex}\"{styles}}}", .lineEnd = u"{{\"text\":\"\\n\"}}",
     .head = u"{{\"text\":\"\",\"extra\":[", .tail = u"]}}\n", .separator = u",",
     .lineEndBetweenLines = true,
     .escaping = {u"\"\\", {u"\\\"", u"\\\\"}, Controls::JsonEscapes},
     .styles = {{{u",\"bold\":true"}, {u",\"italic\":true"}, {u",\"underlined\":true"},
                 {u",\"strikethrough\":true"}, {u",\"obfuscated\":true"}}},
     .unit = LengthUnit::Utf16},
    {.name = u"minecraft-legacy", .caption = u"Minecraft (classic \u00A7 colours)",
      .group = FormatGroup::Minecraft,
     .help = u"\u00A7k before c where k changes, k the nearest of the 16\nclassic colours 0 to 9 and a to f; lines end in LF",
     .run = u"\u00A7{n}{styles}{c}", .lineEnd = u"\n", .merging = Merging::Always,
     .palette = Palette::MinecraftClassic,
     .styles = {{{u"\u00A7l"}, {u"\u00A7o"}, {u"\u00A7n"}, {u"\u00A7m"}, {u"\u00A7k"}}},
     .unit = LengthUnit::Utf16},
    {.name = u"textmeshpro", .caption = u"TextMeshPro (Unity)", .group = FormatGroup::Games,
     .help = u"<color=#RRGGBB>c</color>, lines end in LF",
     .run = u"<color=#{HEX}>{c}</color>", .lineEnd = u"\n", .styles = TagStyles},
    {.name = u"godot", .caption = u"Godot", .group = FormatGroup::Games,
     .help = u"[color=#rrggbb]c[/color] with [ and ] in c as [lb]\nand [rb], lines end in LF",
     .run = u"[color=#{hex}]{c}[/color]", .lineEnd = u"\n",
     .escaping = {u"[]", {u"[lb]", u"[rb]"}}, .styles = BracketStyles},
    {.name = u"roblox", .caption = u"Roblox", .group = FormatGroup::Games,
     .help = u"<font color=\"#RRGGBB\">c</font> with & < > \" ' in c\nas entities, lines end in LF",
     .run = u"<font color=\"#{HEX}\">{c}</font>", .lineEnd = u"\n", .escaping = XmlEscaping,
     .styles = TagStyles},
    {.name = u"terraria", .caption = u"Terraria", .group = FormatGroup::Games,
     .help = u"[c/RRGGBB:c] with ] in c as \\], lines end in LF",
     .run = u"[c/{HEX}:{c}]", .lineEnd = u"\n", .escaping = {u"]", {u"\\]"}}},
    {.name = u"factorio", .caption = u"Factorio", .group = FormatGroup::Games,
     .help = u"[color=#rrggbb]c[/color], lines end in LF",
     .run = u"[color=#{hex}]{c}[/color]", .lineEnd = u"\n"},
    {.name = u"starbound", .caption = u"Starbound", .group = FormatGroup::Games,
     .help = u"^#rrggbb;c, lines end in ^reset; and LF",
     .run = u"^#{hex};{c}", .lineEnd = u"^reset;\n"},
    {.name = u"libgdx", .caption = u"libGDX (Mindustry)", .group = FormatGroup::Games,
     .help = u"[#rrggbb]c with [ in c as [[, lines end in [] and LF;\nfor libGDX and Mindustry",
     .run = u"[#{hex}]{c}", .lineEnd = u"[]\n", .escaping = {u"[", {u"[["}}},
    {.name = u"wow", .caption = u"World of Warcraft", .group = FormatGroup::Games,
     .help = u"|cffrrggbbc|r with | in c as ||, lines end in LF",
     .run = u"|cff{hex}{c}|r", .lineEnd = u"\n", .escaping = {u"|", {u"||"}}},
    {.name = u"irc", .caption = u"IRC (mIRC colours)", .group = FormatGroup::Chats,
     .help = u"\\x03NN before c where NN changes, NN the nearest of\nmIRC's 16 colours in two digits (and \\x02\\x02 before\na comma); lines end in \\x0F and LF",
     .run = u"\x03{n}{c}", .lineEnd = u"\x0F\n", .merging = Merging::Always,
     .palette = Palette::Mirc,
     .styles = {{{u"\x02"}, {u"\x1D"}, {u"\x1F"}, {u"\x1E"}}},
     .guardedUnit = u',', .guard = u"\x02\x02", .unit = LengthUnit::Bytes},
    {.name = u"discord", .caption = u"Discord (ANSI code block)", .group = FormatGroup::Chats,
     .help = u"a ```ansi code block: ESC[0;3Nm where N changes, N the\nnearest of Discord's 8 text colours, lines end in LF.\nDiscord draws these colours only in its desktop app,\nand only inside an ansi code block",
     .run = u"\x1b[0;{styles}{n}m{c}", .lineEnd = u"\n", .head = u"```ansi\n", .tail = u"```",
     .merging = Merging::Always, .palette = Palette::Discord,
     .styles = {{{u"1;"}, {}, {u"4;"}}}, .unit = LengthUnit::Utf16},
    {.name = u"pango", .caption = u"Pango markup", .group = FormatGroup::WebAndDocuments,
     .help = u"<span foreground=\"#rrggbb\">c</span> with & < > in c\nas entities, lines end in LF",
     .run = u"<span foreground=\"#{hex}\"{styles}>{c}</span>", .lineEnd = u"\n",
     .escaping = XmlTextEscaping,
     .styles = {{{u" weight=\"bold\""}, {u" style=\"italic\""}, {u" underline=\"single\""},
                 {u" strikethrough=\"true\""}}}},
    {.name = u"svg", .caption = u"SVG picture", .group = FormatGroup::WebAndDocuments,
     .help = u"one picture: a <text> on a rectangle of the --background\ncolour, a <tspan x=.. dy=..> for each line and in it\n<tspan fill=\"#rrggbb\">c</tspan>, c escaped for XML",
     .run = u"<tspan fill=\"#{hex}\"{styles}>{c}</tspan>", .lineEnd = u"\n",
     .head = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             u"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100%\" height=\"100%\">\n"
             u"<rect width=\"100%\" height=\"100%\" fill=\"#{background}\"/>\n"
             u"<text x=\"8\" y=\"4\" font-family=\"monospace\" font-size=\"16\" xml:space=\"preserve\">",
     .tail = u"</text>\n</svg>\n", .linePrefix = u"<tspan x=\"8\" dy=\"{advance}\">",
     .lineSuffix = u"</tspan>", .escaping = XmlTextEscaping,
     .styles = {{{u" font-weight=\"bold\""}, {u" font-style=\"italic\""},
                 {u" text-decoration=\"underline\""}, {u" text-decoration=\"line-through\""}}},
     .underlinedAndStruck = u" text-decoration=\"underline line-through\"", .lineHeight = 20},
    {.name = u"latex", .caption = u"LaTeX", .group = FormatGroup::WebAndDocuments,
     .help = u"\\textcolor[HTML]{RRGGBB}{c} (package xcolor), with\n\\ { } $ & # ^ _ % ~ in c escaped, lines end in \\\\ and LF",
     .run = u"\\textcolor[HTML]{{{HEX}}}{{{c}}}", .lineEnd = u"\\\\\n",
     .escaping = {u"\\{}$&#^_%~",
                  {u"\\textbackslash{}", u"\\{", u"\\}", u"\\$", u"\\&", u"\\#",
                   u"\\textasciicircum{}", u"\\_", u"\\%", u"\\textasciitilde{}"}},
     .styles = {{{u"\\textbf{", u"}"}, {u"\\textit{", u"}"}, {u"\\underline{", u"}"}}}},
};
// clang-format on

inline constexpr int FormatCount = int(std::size(Formats));

/// A format: its place in Formats.
enum class OutputFormat : quint8 {};

/// The format called @p name, found when the program is compiled.
consteval OutputFormat FormatNamed(Words name)
{
    for (int i = 0; i < FormatCount; ++i) {
        if (Formats[i].name == name)
            return OutputFormat(i);
    }
    throw "no format of that name";
}

/// The row of @p format.
constexpr const FormatRow &RowOf(OutputFormat format)
{
    return Formats[int(format)];
}

/// @p words as a QString.
inline QString ToQString(Words words)
{
    return QString::fromUtf16(words.data(), qsizetype(words.size()));
}

/// The format called @p name, if there is one.
std::optional<OutputFormat> FindFormat(QStringView name);

/// The formats of @p group, in the table's order.
QList<OutputFormat> FormatsIn(FormatGroup group);

/// The names of the styles that @p format can write, in order.
QStringList WritableStyles(OutputFormat format);

/// Why @p format cannot write @p style, in a sentence without its full stop; empty
/// when it can.
QString StyleRefusal(OutputFormat format, Style style);

} // namespace huevane
