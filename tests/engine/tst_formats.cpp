// The formats of the table: each new format's exact output on a hostile text,
// every format's styles, and the nearest colours of the fixed palettes.

#include "engine/formatwriter.h"
#include "tests/common/settings.h"

#include <QRandomGenerator>
#include <QTest>

using namespace huevane;

namespace {

// <, [, ], \, |, &, ", ' in red; an empty line; §, ^, %, { in red, then a tab, an
// emoji and an e with a combining mark in blue.
const QString hostile = u"<[]\\|&\"'\r\n\r\n\u00A7^%{\t\U0001F600e\u0301"_qs;
const QList<quint32> hostileColours = QList<quint32>(12, 0xFF0000) + QList<quint32>(3, 0x0000FF);
const QStringList emojiAndMark {"\t", u"\U0001F600"_qs, u"e\u0301"_qs};

// @p text with its characters in @p colours (0xRRGGBB), written as @p options say.
QString Written(const QString &text, const QList<quint32> &colours, const OutputOptions &options)
{
    test::ColouredText coloured = test::Coloured(text);
    for (qsizetype i = 0; i < coloured.colours.size(); ++i) {
        CharColour &c = coloured.colours[i];
        c.red = quint8(colours[i] >> 16), c.green = quint8(colours[i] >> 8);
        c.blue = quint8(colours[i]);
    }
    return FormattedText(coloured.text, coloured.colours, options);
}

// Each of @p characters between @p opening and @p closing: a run of its own.
QString Each(const QString &opening, const QString &closing, const QStringList &characters)
{
    QString runs;
    for (const QString &c : characters)
        runs += opening + c + closing;
    return runs;
}

// clang-format off
const QString svgHead = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100%\" height=\"100%\">\n<rect width=\"100%\" height=\"100%\" fill=\"#%1\"/>\n<text x=\"8\" y=\"4\" font-family=\"monospace\" font-size=\"16\" xml:space=\"preserve\">"_qs;
// clang-format on
const QString svgTail = u"</text>\n</svg>\n"_qs;

} // namespace

class tst_Formats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newFormats_data();
    void newFormats();
    void styles_data();
    void styles();
    void nearestColours_data();
    void nearestColours();
};

void tst_Formats::newFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("merge");
    QTest::addColumn<QString>("expected");

    // Merged for each format, unmerged for two: every format writes and merges its
    // runs alike. The third line's characters as they stand:
    const QStringList plain3 {u"\u00A7"_qs, "^", "%", "{"};
    const QString line3 = plain3.join(QString()), tail3 = emojiAndMark.join(QString());
    // clang-format off
    QTest::newRow("textmeshpro, merge") << "textmeshpro" << true << u"<color=#FF0000><[]\\|&\"'</color>\n\n<color=#FF0000>"_qs + line3 + "</color><color=#0000FF>" + tail3 + "</color>\n";
    QTest::newRow("godot, merge") << "godot" << true << u"[color=#ff0000]<[lb][rb]\\|&\"'[/color]\n\n[color=#ff0000]"_qs + line3 + "[/color][color=#0000ff]" + tail3 + "[/color]\n";
    QTest::newRow("godot") << "godot" << false << Each("[color=#ff0000]", "[/color]", {"<", "[lb]", "[rb]", "\\", "|", "&", "\"", "'"}) + "\n\n" + Each("[color=#ff0000]", "[/color]", plain3) + Each("[color=#0000ff]", "[/color]", emojiAndMark) + "\n";
    QTest::newRow("roblox, merge") << "roblox" << true << u"<font color=\"#FF0000\">&lt;[]\\|&amp;&quot;&apos;</font>\n\n<font color=\"#FF0000\">"_qs + line3 + "</font><font color=\"#0000FF\">" + tail3 + "</font>\n";
    QTest::newRow("terraria, merge") << "terraria" << true << u"[c/FF0000:<[\\]\\|&\"']\n\n[c/FF0000:"_qs + line3 + "][c/0000FF:" + tail3 + "]\n";
    QTest::newRow("factorio, merge") << "factorio" << true << u"[color=#ff0000]<[]\\|&\"'[/color]\n\n[color=#ff0000]"_qs + line3 + "[/color][color=#0000ff]" + tail3 + "[/color]\n";
    QTest::newRow("starbound, merge") << "starbound" << true << u"^#ff0000;<[]\\|&\"'^reset;\n^reset;\n^#ff0000;"_qs + line3 + "^#0000ff;" + tail3 + "^reset;\n";
    QTest::newRow("libgdx, merge") << "libgdx" << true << u"[#ff0000]<[[]\\|&\"'[]\n[]\n[#ff0000]"_qs + line3 + "[#0000ff]" + tail3 + "[]\n";
    QTest::newRow("wow, merge") << "wow" << true << u"|cffff0000<[]\\||&\"'|r\n\n|cffff0000"_qs + line3 + "|r|cff0000ff" + tail3 + "|r\n";
    QTest::newRow("pango, merge") << "pango" << true << u"<span foreground=\"#ff0000\">&lt;[]\\|&amp;\"'</span>\n\n<span foreground=\"#ff0000\">"_qs + line3 + "</span><span foreground=\"#0000ff\">" + tail3 + "</span>\n";
    // An empty line moves the next one down twice as far: an empty tspan would not move.
    QTest::newRow("svg, merge") << "svg" << true << svgHead.arg("000000") + u"<tspan x=\"8\" dy=\"20\"><tspan fill=\"#ff0000\">&lt;[]\\|&amp;\"'</tspan></tspan>\n\n<tspan x=\"8\" dy=\"40\"><tspan fill=\"#ff0000\">"_qs + line3 + "</tspan><tspan fill=\"#0000ff\">" + tail3 + "</tspan></tspan>\n" + svgTail;
    QTest::newRow("svg") << "svg" << false << svgHead.arg("000000") + "<tspan x=\"8\" dy=\"20\">" + Each("<tspan fill=\"#ff0000\">", "</tspan>", {"&lt;", "[", "]", "\\", "|", "&amp;", "\"", "'"}) + "</tspan>\n\n<tspan x=\"8\" dy=\"40\">" + Each("<tspan fill=\"#ff0000\">", "</tspan>", plain3) + Each("<tspan fill=\"#0000ff\">", "</tspan>", emojiAndMark) + "</tspan>\n" + svgTail;
    QTest::newRow("latex, merge") << "latex" << true << u"\\textcolor[HTML]{FF0000}{<[]\\textbackslash{}|\\&\"'}\\\\\n\\\\\n\\textcolor[HTML]{FF0000}{\u00A7\\textasciicircum{}\\%\\{}\\textcolor[HTML]{0000FF}{"_qs + tail3 + "}\\\\\n";
    // These write a code only where the palette entry changes: merging changes nothing.
    QTest::newRow("irc") << "irc" << false << u"\x03" "04<[]\\|&\"'\x0F\n\x0F\n\x03" "04"_qs + line3 + "\x03" "12" + tail3 + "\x0F\n";
    QTest::newRow("discord") << "discord" << true << u"```ansi\n\x1b[0;31m<[]\\|&\"'\n\n\x1b[0;31m"_qs + line3 + "\x1b[0;34m" + tail3 + "\n```";
    QTest::newRow("minecraft-legacy") << "minecraft-legacy" << false << u"\u00A7c<[]\\|&\"'\n\n\u00A7c"_qs + line3 + u"\u00A79"_qs + tail3 + "\n";
    // clang-format on
}

void tst_Formats::newFormats()
{
    QFETCH(QString, format);
    QFETCH(bool, merge);
    QFETCH(QString, expected);
    OutputOptions options;
    options.format = *FindFormat(format);
    options.merge = merge;
    QCOMPARE(Written(hostile, hostileColours, options), expected);
}

// Every style a format can write, on a red a and a blue b, runs merged (the
// formats that write none refuse them: see huevane-html's tests).
void tst_Formats::styles_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("upperCaseTags");
    QTest::addColumn<QString>("expected");

    // clang-format off
    const QString css = ";font-weight:bold;font-style:italic;text-decoration:underline line-through";
    const QString attributes = " font-weight=\"bold\" font-style=\"italic\" text-decoration=\"underline line-through\"";
    const QString codes = "&l&o&n&m&k", section = QString(codes).replace(u'&', u'\u00A7');
    const QString json = ",\"bold\":true,\"italic\":true,\"underlined\":true,\"strikethrough\":true,\"obfuscated\":true}";
    QTest::newRow("font") << "font" << false << "<b><i><u><s><font color=\"#FF0000\">a</font><font color=\"#0000FF\">b</font></s></u></i></b><br>\r\n";
    QTest::newRow("font, upper case") << "font" << true << "<B><I><U><S><FONT COLOR=\"#FF0000\">a</FONT><FONT COLOR=\"#0000FF\">b</FONT></S></U></I></B><br>\r\n";
    QTest::newRow("span, upper case") << "span" << true << "<SPAN STYLE=\"color:#FF0000" + css + "\">a</SPAN><SPAN STYLE=\"color:#0000FF" + css + "\">b</SPAN><br>\r\n";
    QTest::newRow("bbcode") << "bbcode" << false << "[b][i][u][s][color=#FF0000]a[/color][color=#0000FF]b[/color][/s][/u][/i][/b]\r\n";
    QTest::newRow("ansi") << "ansi" << false << "\x1b[1m\x1b[3m\x1b[4m\x1b[9m\x1b[38;2;255;0;0ma\x1b[38;2;0;0;255mb\x1b[0m\n";
    QTest::newRow("ansi256") << "ansi256" << false << "\x1b[1m\x1b[3m\x1b[4m\x1b[9m\x1b[38;5;196ma\x1b[38;5;21mb\x1b[0m\n";
    QTest::newRow("minecraft-hex") << "minecraft-hex" << false << "&#FF0000" + codes + "a&#0000FF" + codes + "b\n";
    QTest::newRow("minecraft-section") << "minecraft-section" << false << u"\u00A7x\u00A7f\u00A7f\u00A70\u00A70\u00A70\u00A70"_qs + section + u"a\u00A7x\u00A70\u00A70\u00A70\u00A70\u00A7f\u00A7f"_qs + section + "b\n";
    QTest::newRow("minecraft-legacy") << "minecraft-legacy" << false << u"\u00A7c"_qs + section + u"a\u00A79"_qs + section + "b\n";
    QTest::newRow("minimessage") << "minimessage" << false << "<b><i><u><st><obf><#ff0000>a<#0000ff>b\n";
    QTest::newRow("minecraft-json") << "minecraft-json" << false << "{\"text\":\"\",\"extra\":[{\"text\":\"a\",\"color\":\"#ff0000\"" + json + ",{\"text\":\"b\",\"color\":\"#0000ff\"" + json + "]}\n";
    QTest::newRow("textmeshpro") << "textmeshpro" << true << "<b><i><u><s><color=#FF0000>a</color><color=#0000FF>b</color></s></u></i></b>\n";
    QTest::newRow("godot") << "godot" << false << "[b][i][u][s][color=#ff0000]a[/color][color=#0000ff]b[/color][/s][/u][/i][/b]\n";
    QTest::newRow("roblox") << "roblox" << false << "<b><i><u><s><font color=\"#FF0000\">a</font><font color=\"#0000FF\">b</font></s></u></i></b>\n";
    QTest::newRow("irc") << "irc" << false << "\x02\x1D\x1F\x1E\x03" "04a\x03" "12b\x0F\n";
    QTest::newRow("discord") << "discord" << false << "```ansi\n\x1b[0;1;4;31ma\x1b[0;1;4;34mb\n```";
    QTest::newRow("pango") << "pango" << false << "<span foreground=\"#ff0000\" weight=\"bold\" style=\"italic\" underline=\"single\" strikethrough=\"true\">a</span><span foreground=\"#0000ff\" weight=\"bold\" style=\"italic\" underline=\"single\" strikethrough=\"true\">b</span>\n";
    QTest::newRow("svg") << "svg" << false << svgHead.arg("000000") + "<tspan x=\"8\" dy=\"20\"><tspan fill=\"#ff0000\"" + attributes + ">a</tspan><tspan fill=\"#0000ff\"" + attributes + ">b</tspan></tspan>\n" + svgTail;
    QTest::newRow("latex") << "latex" << false << "\\textbf{\\textit{\\underline{\\textcolor[HTML]{FF0000}{a}\\textcolor[HTML]{0000FF}{b}}}}\\\\\n";
    // clang-format on
}

void tst_Formats::styles()
{
    QFETCH(QString, format);
    QFETCH(bool, upperCaseTags);
    QFETCH(QString, expected);
    OutputOptions options;
    options.format = *FindFormat(format);
    options.merge = true;
    options.upperCaseTags = upperCaseTags;
    for (int s = 0; s < StyleCount; ++s) {
        if (StyleRefusal(options.format, Style(s)).isEmpty())
            options.styles |= StyleBit(Style(s));
    }
    QCOMPARE(Written("ab", {0xFF0000, 0x0000FF}, options), expected);
}

void tst_Formats::nearestColours_data()
{
    QTest::addColumn<int>("palette");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<int>("nearest");

    const int mirc = int(Palette::Mirc), discord = int(Palette::Discord),
              minecraft = int(Palette::MinecraftClassic);
    // clang-format off
    QTest::newRow("mIRC, an entry") << mirc << 0xD2D2D2u << 15;
    QTest::newRow("Discord, an entry") << discord << 0x2AA198u << 6;
    QTest::newRow("Minecraft, an entry") << minecraft << 0x555555u << 8;
    // No colour of 24 bits lies exactly as near to two entries of these palettes;
    // these lie nearest to two, one nearer by a hundred-millionth of the distance.
    QTest::newRow("mIRC, nearly a tie of 15 and 7") << mirc << 0xE6B963u << 15;
    QTest::newRow("mIRC, nearly a tie of 15 and 8") << mirc << 0xC1E27Cu << 15;
    QTest::newRow("Discord, nearly a tie of 5 and 4") << discord << 0x854EBCu << 5;
    QTest::newRow("Discord, nearly a tie of 0 and 6") << discord << 0x537A60u << 0;
    QTest::newRow("Minecraft, nearly a tie of 10 and 14") << minecraft << 0xBAE876u << 10;
    QTest::newRow("Minecraft, nearly a tie of 6 and 2") << minecraft << 0xA3BB16u << 6;
    // clang-format on
}

void tst_Formats::nearestColours()
{
    QFETCH(int, palette);
    QFETCH(quint32, colour);
    QFETCH(int, nearest);
    QCOMPARE(NearestEntry(Palette(palette), colour), nearest);

    // The remembered answers are the answers, colours that share a slot included.
    NearestEntries remembered {Palette(palette)};
    QRandomGenerator random(palette);
    quint32 rgb = colour;
    for (int i = 0; i < 20000; ++i) {
        rgb = i % 2 ? random.bounded(1u << 24) : rgb ^ 0x5A55A5; // the same slot
        QCOMPARE(remembered.index(rgb), NearestEntry(Palette(palette), rgb));
    }
    // A tie goes to the first of the entries.
    const PaletteEntry twins[] = {{0x102030, u"a"}, {colour, u"b"}, {colour, u"c"}};
    QCOMPARE(NearestEntry(twins, colour), 1);
}

QTEST_APPLESS_MAIN(tst_Formats)
#include "tst_formats.moc"
