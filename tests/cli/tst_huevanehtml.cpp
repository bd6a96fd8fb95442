// huevane-html run as a user runs it, through its standard streams.

#include "engine/fitting.h"
#include "engine/formatwriter.h"
#include "engine/presets.h"
#include "tests/common/graphemebreaks.h"
#include "tests/common/settings.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <sys/resource.h>

using namespace huevane;

namespace {

struct Run
{
    int exitCode;
    QByteArray out, err;
};

// Runs huevane-html with @p input on standard input. What it writes to standard
// output goes to @p consume as it comes when given, else to Run::out, or to the
// file @p output.
Run run(const QStringList &arguments, const QByteArray &input = {},
        const std::function<void(QByteArrayView)> &consume = {}, const QString &output = {})
{
    QProcess process;
    if (!output.isEmpty())
        process.setStandardOutputFile(output);
    process.start(QStringLiteral(HUEVANE_HTML_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    QByteArray out;
    for (bool more = true; more;) {
        more = process.waitForReadyRead(120000);
        consume ? consume(process.readAllStandardOutput())
                : void(out += process.readAllStandardOutput());
    }
    process.waitForFinished(60000); // a process still running is killed on return
    const bool exited =
        process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit;
    return {exited ? process.exitCode() : -1, out, process.readAllStandardError()};
}

using B = QByteArray;

// What 'Generate' in the window writes for @p input, @p gradient and the tag options.
QByteArray generated(const QByteArray &input, const test::Gradient &gradient,
                     const OutputOptions &tags = {})
{
    return test::Html(test::Coloured(QString::fromUtf8(input), gradient), tags).toUtf8();
}

const ColourTriplet warm {255, 70, 30}, yellow {255, 255, 0};
const QByteArray sample = "Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\n"
                          "Try it out - it's even more fun!!!";

} // namespace

class tst_HuevaneHtml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void limits_data();
    void limits();
    void helpVersionAndFullOutput();
    void presets();
    void fitTargets_data();
    void fitTargets();
    void unicodeCharacters();
    void largeInput_data();
    void largeInput();

private:
    QString file(const char *name) const { return m_files.filePath(QLatin1StringView(name)); }
    QTemporaryDir m_files;
};

void tst_HuevaneHtml::initTestCase()
{
    QVERIFY(m_files.isValid());
    QFile ok(file("ok.txt"));
    QVERIFY(ok.open(QIODevice::WriteOnly) && ok.write("\xEF\xBB\xBFq") == 4);
    QFile huge(file("huge.txt")); // sparse: it takes no room on the disk
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 31));
}

// What huevane-html does with input at and past its limits: with exit status 0
// exactly the output given; otherwise nothing on standard output and one line on
// standard error holding the words given.
void tst_HuevaneHtml::limits_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QByteArray>("expected");

    const QStringList black {"--no-quotes", "--start", "#000000", "--end", "#000000"};
    // Blue 0, 0, 1, 2, 2: neighbours of one colour on both lines that have characters.
    const QStringList twoBlues {"--start", "255,0,0", "--end", "255,0,2", "--format"};
    const QByteArray mixed = "a<\n\n&\t\xF0\x9F\x98\x80";
    const QByteArray directory = m_files.path().toUtf8();
    // clang-format off
    // --format font writes exactly what the window's 'Generate' writes.
    QTest::newRow("start-up settings") << QStringList {} << sample << 0 << generated(sample, {warm, yellow, 1, {}});
    QTest::newRow("type 2, per line, tag options") << QStringList {"--type", "2", "--per-line", "--upper-case-tags", "--no-quotes", "--format", "font"} << sample << 0 << generated(sample, {warm, yellow, 2, {}, true}, {true, true});
    QTest::newRow("type 3, lowest centre") << QStringList {"--type", "3", "--centre", "-2147483648", "--start", "#0A1b2C"} << sample << 0 << generated(sample, {{10, 27, 44}, yellow, 3, INT_MIN});
    QTest::newRow("type 3, highest centre") << QStringList {"--type=3", "--centre=2147483647", "--end=0,0,255"} << sample << 0 << generated(sample, {warm, {0, 0, 255}, 3, INT_MAX});
    QTest::newRow("second byte-order mark") << black << B("\xEF\xBB\xBF\xEF\xBB\xBF") << 0 << B("<font color=#000000>\xEF\xBB\xBF</font><br>\r\n");
    QTest::newRow("every line break") << black << B("a\r\nb\nc\rd\xE2\x80\xA8" "e\xE2\x80\xA9\r\n") << 0 << B("<font color=#000000>a</font><br>\r\n<font color=#000000>b</font><br>\r\n<font color=#000000>c</font><br>\r\n<font color=#000000>d</font><br>\r\n<font color=#000000>e</font><br>\r\n<br>\r\n");
    QTest::newRow("NUL bytes") << black << QByteArrayLiteral("\0\n\0\0") << 0 << QByteArrayLiteral("<font color=#000000>\0</font><br>\r\n<font color=#000000>\0</font><font color=#000000>\0</font><br>\r\n");
    QTest::newRow("blank") << QStringList {} << B("    ") << 0 << QByteArray();
    QTest::newRow("empty file") << QStringList {"/dev/null"} << B("not read") << 0 << QByteArray();
    QTest::newRow("dash is standard input") << QStringList {"--no-quotes", "-"} << B("q") << 0 << B("<font color=#FF461E>q</font><br>\r\n");
    QTest::newRow("file") << QStringList {file("ok.txt"), "--no-quotes"} << QByteArray() << 0 << B("<font color=#FF461E>q</font><br>\r\n");
    QTest::newRow("font, merge, escape") << twoBlues + QStringList {"font", "--merge", "--escape"} << mixed << 0 << B("<font color=\"#FF0000\">a&lt;</font><br>\r\n<br>\r\n<font color=\"#FF0001\">&amp;</font><font color=\"#FF0002\">\t\xF0\x9F\x98\x80</font><br>\r\n");
    QTest::newRow("span") << twoBlues + QStringList {"span"} << mixed << 0 << B("<span style=\"color:#FF0000\">a</span><span style=\"color:#FF0000\"><</span><br>\r\n<br>\r\n<span style=\"color:#FF0001\">&</span><span style=\"color:#FF0002\">\t</span><span style=\"color:#FF0002\">\xF0\x9F\x98\x80</span><br>\r\n");
    QTest::newRow("span, escape, upper case, no quotes") << twoBlues + QStringList {"span", "--escape", "--upper-case-tags", "--no-quotes"} << mixed << 0 << B("<SPAN STYLE=color:#FF0000>a</SPAN><SPAN STYLE=color:#FF0000>&lt;</SPAN><br>\r\n<br>\r\n<SPAN STYLE=color:#FF0001>&amp;</SPAN><SPAN STYLE=color:#FF0002>\t</SPAN><SPAN STYLE=color:#FF0002>\xF0\x9F\x98\x80</SPAN><br>\r\n");
    QTest::newRow("bbcode") << twoBlues + QStringList {"bbcode"} << mixed << 0 << B("[color=#FF0000]a[/color][color=#FF0000]<[/color]\r\n\r\n[color=#FF0001]&[/color][color=#FF0002]\t[/color][color=#FF0002]\xF0\x9F\x98\x80[/color]\r\n");
    QTest::newRow("bbcode, merge, upper case, no quotes") << twoBlues + QStringList {"bbcode", "--merge", "--upper-case-tags", "--no-quotes"} << mixed << 0 << B("[COLOR=#FF0000]a<[/COLOR]\r\n\r\n[COLOR=#FF0001]&[/COLOR][COLOR=#FF0002]\t\xF0\x9F\x98\x80[/COLOR]\r\n");
    QTest::newRow("ansi") << twoBlues + QStringList {"ansi"} << mixed << 0 << B("\x1b[38;2;255;0;0ma<\x1b[0m\n\n\x1b[38;2;255;0;1m&\x1b[38;2;255;0;2m\t\xF0\x9F\x98\x80\x1b[0m\n");
    // Gradients through stops; the colours worked out by hand or by a separate script.
    QTest::newRow("stops evenly spread, ansi") << QStringList {"--stops", "FF0000,00FF00,#0000FF", "--format", "ansi"} << B("abcde") << 0 << B("\x1b[38;2;255;0;0ma\x1b[38;2;128;128;0mb\x1b[38;2;0;255;0mc\x1b[38;2;0;128;128md\x1b[38;2;0;0;255me\x1b[0m\n");
    QTest::newRow("stops spread between placed ones") << QStringList {"--no-quotes", "--stops", "000000@0,FFFFFF,000000@40,000000"} << B("abcdef") << 0 << B("<font color=#000000>a</font><font color=#FFFFFF>b</font><font color=#000000>c</font><font color=#000000>d</font><font color=#000000>e</font><font color=#000000>f</font><br>\r\n");
    QTest::newRow("stops as a CSS linear-gradient") << QStringList {"--stops", " linear-gradient(90deg, #f00, #0F0 50%, #0000ff)", "--format", "ansi"} << B("abcde") << 0 << B("\x1b[38;2;255;0;0ma\x1b[38;2;128;128;0mb\x1b[38;2;0;255;0mc\x1b[38;2;0;128;128md\x1b[38;2;0;0;255me\x1b[0m\n");
    QTest::newRow("hard edge, bbcode, merge") << QStringList {"--stops", "FF0000@0,FF0000@50,0000FF@50,0000FF", "--format", "bbcode", "--merge"} << B("abcde") << 0 << B("[color=#FF0000]ab[/color][color=#0000FF]cde[/color]\r\n");
    QTest::newRow("start and end in hsl, longer, span, escape") << QStringList {"--start", "255,0,0", "--end", "#0000FF", "--space", "hsl", "--hue", "longer", "--format", "span", "--escape"} << B("a<&>e") << 0 << B("<span style=\"color:#FF0000\">a</span><span style=\"color:#FFFF00\">&lt;</span><span style=\"color:#00FF00\">&amp;</span><span style=\"color:#00FFFF\">&gt;</span><span style=\"color:#0000FF\">e</span><br>\r\n");
    QTest::newRow("preset") << QStringList {"--preset", "sunset", "--format", "bbcode", "--upper-case-tags"} << B("Hi there") << 0 << B("[COLOR=#FFB347]H[/COLOR][COLOR=#FF9342]i[/COLOR][COLOR=#FF703C] [/COLOR][COLOR=#F65449]t[/COLOR][COLOR=#E5405C]h[/COLOR][COLOR=#D02B6B]e[/COLOR][COLOR=#932D7E]r[/COLOR][COLOR=#5B1A8C]e[/COLOR]\r\n");

    // Blue 0, 0, 1, 1, 1 on the first line, 1, 2, 2 on the third: "<#ff8001>" and friends.
    const QStringList nearOrange {"--start", "255,128,0", "--end", "255,128,2", "--format"};
    const QByteArray chat = "a<\\\"&\n\n\xC2\xA7\t\xF0\x9F\x98\x80";
    const QByteArray s0 = "\xC2\xA7x\xC2\xA7" "f\xC2\xA7" "f\xC2\xA7" "8\xC2\xA7" "0\xC2\xA7" "0\xC2\xA7" "0";
    const QByteArray s1 = s0.chopped(1) + '1', s2 = s0.chopped(1) + '2';
    QTest::newRow("minecraft-hex") << nearOrange + QStringList {"minecraft-hex"} << chat << 0 << B("&#FF8000a&#FF8000<&#FF8001\\&#FF8001\"&#FF8001&\n\n&#FF8001\xC2\xA7&#FF8002\t&#FF8002\xF0\x9F\x98\x80\n");
    QTest::newRow("minecraft-section") << nearOrange + QStringList {"minecraft-section"} << chat << 0 << s0 + "a" + s0 + "<" + s1 + "\\" + s1 + "\"" + s1 + "&\n\n" + s1 + "\xC2\xA7" + s2 + "\t" + s2 + "\xF0\x9F\x98\x80\n";
    QTest::newRow("minecraft-section, merge, tag options change nothing") << nearOrange + QStringList {"minecraft-section", "--merge", "--upper-case-tags", "--no-quotes"} << chat << 0 << s0 + "a<" + s1 + "\\\"&\n\n" + s1 + "\xC2\xA7" + s2 + "\t\xF0\x9F\x98\x80\n";
    QTest::newRow("minimessage") << nearOrange + QStringList {"minimessage"} << chat << 0 << B("<#ff8000>a<#ff8000>\\<<#ff8001>\\\\<#ff8001>\"<#ff8001>&\n\n<#ff8001>\xC2\xA7<#ff8002>\t<#ff8002>\xF0\x9F\x98\x80\n");
    QTest::newRow("minecraft-json") << nearOrange + QStringList {"minecraft-json"} << chat << 0 << B("{\"text\":\"\",\"extra\":[{\"text\":\"a\",\"color\":\"#ff8000\"},{\"text\":\"<\",\"color\":\"#ff8000\"},{\"text\":\"\\\\\",\"color\":\"#ff8001\"},{\"text\":\"\\\"\",\"color\":\"#ff8001\"},{\"text\":\"&\",\"color\":\"#ff8001\"},{\"text\":\"\\n\"},{\"text\":\"\\n\"},{\"text\":\"\xC2\xA7\",\"color\":\"#ff8001\"},{\"text\":\"\\u0009\",\"color\":\"#ff8002\"},{\"text\":\"\xF0\x9F\x98\x80\",\"color\":\"#ff8002\"}]}\n");
    QTest::newRow("minecraft-json, empty first and last lines") << nearOrange + QStringList {"minecraft-json"} << B("\n\x1F\n\n") << 0 << B("{\"text\":\"\",\"extra\":[{\"text\":\"\\n\"},{\"text\":\"\\u001F\",\"color\":\"#ff8000\"},{\"text\":\"\\n\"}]}\n");
    // Red 255, 249, 244, 238, 232 and 226, 221, 215: 238 is nearer 255, 232 nearer 215.
    QTest::newRow("ansi256, merge") << QStringList {"--start", "255,0,0", "--end", "215,0,0", "--format", "ansi256", "--merge"} << chat << 0 << B("\x1b[38;5;196ma<\\\"\x1b[38;5;160m&\x1b[0m\n\n\x1b[38;5;160m\xC2\xA7\t\xF0\x9F\x98\x80\x1b[0m\n");

    // Ties go to the lower number: 235, 115 and 155 lie halfway between cube levels;
    // 4, 4, 4 between black and the first grey; 13, 13, 13 between two greys.
    QTest::newRow("ansi256, ties in the cube") << QStringList {"--start", "235,115,155", "--end", "235,115,155", "--format", "ansi256"} << B("x") << 0 << B("\x1b[38;5;168mx\x1b[0m\n");
    QTest::newRow("ansi256, ties with greys") << QStringList {"--start", "4,4,4", "--end", "13,13,13", "--format", "ansi256"} << B("xy") << 0 << B("\x1b[38;5;16mx\x1b[38;5;232my\x1b[0m\n");

    // Styles on the options that name them; templates of one's own.
    QTest::newRow("italic and obfuscated, minecraft-hex") << QStringList {"--italic", "--obfuscated", "--format", "minecraft-hex"} << B("ab") << 0 << B("&#FF461E&o&ka&#FFFF00&o&kb\n");
    QTest::newRow("svg on its background") << QStringList {"--format", "svg", "--background", "#10a0Ff", "--merge"} << B("a") << 0 << B("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100%\" height=\"100%\">\n<rect width=\"100%\" height=\"100%\" fill=\"#10a0ff\"/>\n<text x=\"8\" y=\"4\" font-family=\"monospace\" font-size=\"16\" xml:space=\"preserve\"><tspan x=\"8\" dy=\"20\"><tspan fill=\"#ff461e\">a</tspan></tspan>\n</text>\n</svg>\n");
    QTest::newRow("template, merged, xml, around it") << twoBlues.mid(0, 4) + QStringList {"--template", "<{hex}|{c}|{HEX}{{{r},{g},{b}}}>", "--template-escape", "xml", "--merge", "--head", "H\\n", "--tail", "\\tT", "--line-end", ";\\r\\n"} << mixed << 0 << B("H\n<ff0000|a&lt;|FF0000{255,0,0}>;\r\n;\r\n<ff0001|&amp;|FF0001{255,0,1}><ff0002|\t\xF0\x9F\x98\x80|FF0002{255,0,2}>;\r\n\tT");
    QTest::newRow("template, html, one run a character") << QStringList {"--template", "\"{c}\"", "--template-escape", "html"} << B("a\"<'") << 0 << B("\"a\"\"&quot;\"\"&lt;\"\"'\"\n");
    QTest::newRow("template without the text; escapes in the line end") << QStringList {"--template", "{r} ", "--line-end", "<\\n|\\t|\\\\|\\x>"} << B("ab\n") << 0 << B("255 255 <\n|\t|\\|\\x>");

    // Fitting: k characters share the colour of their middle one; red 0 to 10 on
    // "Hello there" and 0 to 3 on four emoji, each of its own colour.
    const QStringList tenReds {"--start", "#000000", "--end", "#0A0000", "--format", "minecraft-hex"};
    const QStringList emojiReds {"--start", "#000000", "--end", "#030000", "--template", "<{hex}>{c}", "--max-length", "21", "--count"};
    const QByteArray emoji = "\xF0\x9F\x98\x80";
    QTest::newRow("anvil name, k 3") << tenReds + QStringList {"--fit", "minecraft-anvil"} << B("Hello there") << 0 << B("&#010000Hel&#040000lo &#070000the&#090000re\n");
    QTest::newRow("colour every 4") << tenReds + QStringList {"--colour-every", "4"} << B("Hello there") << 0 << B("&#010000Hell&#050000o th&#090000ere\n");
    QTest::newRow("emoji as 1 code point, k 2") << emojiReds + QStringList {"codepoints"} << emoji.repeated(4) << 0 << "<000000>" + emoji.repeated(2) + "<020000>" + emoji.repeated(2) + "\n";
    QTest::newRow("emoji as 2 UTF-16 code units, k 4") << emojiReds + QStringList {"utf16"} << emoji.repeated(4) << 0 << "<010000>" + emoji.repeated(4) + "\n";
    QTest::newRow("emoji as 4 bytes, none fits") << emojiReds + QStringList {"bytes"} << emoji.repeated(4) << 1 << B("the shortest output (k = 4) is 25 bytes, longer than the limit of 21");
    QTest::newRow("irc line, none fits") << QStringList {"--fit", "irc", "--format", "irc"} << B(401, 'x') + "\nok" << 1 << B("the shortest output (k = 401) has a line of 405 bytes, longer than the limit of 400 a line");
    QTest::newRow("two limits") << QStringList {"--max-line-length", "5", "--fit", "irc"} << QByteArray() << 2 << B("--max-line-length and --fit cannot be given together");
    QTest::newRow("colour every with a limit") << QStringList {"--max-length", "5", "--colour-every", "2"} << QByteArray() << 2 << B("--colour-every cannot be given with --max-length");
    QTest::newRow("a length of 0") << QStringList {"--max-length", "0"} << QByteArray() << 2 << B("'0' is not a length");
    QTest::newRow("a length with a sign") << QStringList {"--max-line-length", "+5"} << QByteArray() << 2 << B("'+5' is not a length");
    QTest::newRow("k of 0") << QStringList {"--colour-every", "0"} << QByteArray() << 2 << B("'0' is not a whole number from 1");
    QTest::newRow("unknown unit") << QStringList {"--max-length", "9", "--count", "words"} << QByteArray() << 2 << B("'words' is not a unit");
    QTest::newRow("count without a limit") << QStringList {"--count", "bytes"} << QByteArray() << 2 << B("--count is for --max-length, --max-line-length and --verbose");
    QTest::newRow("count with a place") << QStringList {"--fit", "discord", "--count", "bytes"} << QByteArray() << 2 << B("--fit gives its own --count");
    QTest::newRow("unknown place") << QStringList {"--fit", "twitter"} << QByteArray() << 2 << B("'twitter' is not a place");
    QTest::newRow("lines of a template that breaks them") << QStringList {"--template", "{c}\n", "--max-line-length", "9"} << QByteArray() << 2 << B("--max-line-length cannot measure the lines of a --template");

    QTest::newRow("invalid UTF-8 in a later read") << QStringList {} << B("\xEF\xBB\xBF") + B(1 << 20, 'p') + "\xFF" << 1 << B("standard input: not valid UTF-8 at byte offset 1048579");
    QTest::newRow("missing file") << QStringList {"/nonexistent/file.txt"} << QByteArray() << 1 << B("/nonexistent/file.txt: cannot be opened (No such file or directory)");
    QTest::newRow("directory") << QStringList {m_files.path()} << QByteArray() << 1 << directory + ": is a directory, not a file";
    QTest::newRow("below a file") << QStringList {file("ok.txt") + "/x"} << QByteArray() << 1 << directory + "/ok.txt/x: cannot be opened (Not a directory)";
    QTest::newRow("read fails") << QStringList {"/proc/self/mem"} << QByteArray() << 1 << B("/proc/self/mem: cannot be read (Input/output error)");
    QTest::newRow("empty file name") << QStringList {""} << QByteArray() << 1 << B("the file name is empty");
    QTest::newRow("larger than 2 GiB") << QStringList {file("huge.txt")} << QByteArray() << 1 << directory + "/huge.txt: is larger than 2147483647 bytes, the most huevane-html reads";

    QTest::newRow("unknown option") << QStringList {"--colour", "1,2,3"} << QByteArray() << 2 << B("--colour");
    QTest::newRow("single-dash long option") << QStringList {"-per-line"} << QByteArray() << 2 << B("-per-line");
    QTest::newRow("missing value") << QStringList {"--start"} << QByteArray() << 2 << B("--start");
    QTest::newRow("empty value") << QStringList {"--centre="} << QByteArray() << 2 << B("--centre");
    QTest::newRow("flag with a value") << QStringList {"--per-line=yes"} << QByteArray() << 2 << B("--per-line");
    QTest::newRow("two files") << QStringList {"a.txt", "b.txt"} << QByteArray() << 2 << B("b.txt");
    QTest::newRow("component above 255") << QStringList {"--start", "256,0,0"} << QByteArray() << 2 << B("256,0,0");
    QTest::newRow("four components") << QStringList {"--end", "1,2,3,4"} << QByteArray() << 2 << B("1,2,3,4");
    QTest::newRow("colour with a sign") << QStringList {"--end", "-1,0,0"} << QByteArray() << 2 << B("-1,0,0");
    QTest::newRow("short hexadecimal colour") << QStringList {"--start", "#FFF"} << QByteArray() << 2 << B("#FFF");
    QTest::newRow("type 4") << QStringList {"--type", "4"} << QByteArray() << 2 << B("'4'");
    QTest::newRow("centre above 32 bits") << QStringList {"--centre", "2147483648"} << QByteArray() << 2 << B("2147483648");
    QTest::newRow("centre below 32 bits") << QStringList {"--centre", "-2147483649"} << QByteArray() << 2 << B("-2147483649");
    QTest::newRow("centre with a fraction") << QStringList {"--centre", "1.5"} << QByteArray() << 2 << B("1.5");
    QTest::newRow("unknown format") << QStringList {"--format", "html"} << QByteArray() << 2 << B("html");
    QTest::newRow("escape with bbcode") << QStringList {"--format", "bbcode", "--escape"} << QByteArray() << 2 << B("--escape is for --format font and span only");
    QTest::newRow("unknown placeholder") << QStringList {"--template", "ab{hex}{x}"} << QByteArray() << 2 << B("'{x}' at character 8");
    QTest::newRow("placeholders are case-sensitive") << QStringList {"--template", "{C}"} << QByteArray() << 2 << B("'{C}' at character 1");
    QTest::newRow("unclosed brace after an emoji") << QStringList {"--template", "\xF0\x9F\x98\x80{c"} << QByteArray() << 2 << B("'{' at character 2 is not closed");
    QTest::newRow("brace that closes nothing") << QStringList {"--template", "{{{c}x}"} << QByteArray() << 2 << B("'}' at character 7 closes nothing");
    QTest::newRow("text twice") << QStringList {"--template", "{c}{c}"} << QByteArray() << 2 << B("{c} comes again at character 4");
    QTest::newRow("head without a template") << QStringList {"--head", "x"} << QByteArray() << 2 << B("--head is for --template only");
    QTest::newRow("template with a format") << QStringList {"--format", "span", "--template", "{c}"} << QByteArray() << 2 << B("--template and --format cannot be given together");
    QTest::newRow("unknown template escape") << QStringList {"--template", "{c}", "--template-escape", "json"} << QByteArray() << 2 << B("'json'");
    QTest::newRow("escape with a template") << QStringList {"--template", "{c}", "--escape"} << QByteArray() << 2 << B("--escape is for --format font and span only");
    QTest::newRow("style with a template") << QStringList {"--template", "{c}", "--bold"} << QByteArray() << 2 << B("--bold cannot be written with --template");
    for (const char *format : {"terraria", "factorio", "starbound", "libgdx", "wow"})
        QTest::newRow(format) << QStringList {"--underline", "--format", format} << QByteArray() << 2 << "--underline cannot be written with --format " + B(format);
    QTest::newRow("italic in discord") << QStringList {"--format", "discord", "--bold", "--italic"} << QByteArray() << 2 << B("--italic cannot be written with --format discord");
    QTest::newRow("obfuscated in font") << QStringList {"--obfuscated"} << QByteArray() << 2 << B("--obfuscated cannot be written with --format font: only Minecraft's formats");
    QTest::newRow("span without quotes, underlined and struck") << QStringList {"--format", "span", "--no-quotes", "--underline", "--strikethrough"} << QByteArray() << 2 << B("--strikethrough cannot be written with --format span: without quotes");
    QTest::newRow("background with bbcode") << QStringList {"--format", "bbcode", "--background", "0,0,0"} << QByteArray() << 2 << B("--background is for --format svg only");
    const QString seventeen = QStringList(17, "FF0000").join(u',');
    QTest::newRow("position lower than an earlier one") << QStringList {"--stops", "FF0000@50,00FF00,0000FF@20"} << QByteArray() << 2 << B("stop 3, '0000FF@20'");
    QTest::newRow("position past 100") << QStringList {"--stops", "FF0000,0000FF@100.5"} << QByteArray() << 2 << B("stop 2, '0000FF@100.5'");
    QTest::newRow("17 stops") << QStringList {"--stops", seventeen} << QByteArray() << 2 << B("stop 17, 'FF0000'");
    QTest::newRow("one stop") << QStringList {"--stops", "#FF0000"} << QByteArray() << 2 << B("stop 1, '#FF0000'");
    QTest::newRow("stop that is not a colour") << QStringList {"--stops", "FF0000,F00,0000FF"} << QByteArray() << 2 << B("stop 2, 'F00'");
    QTest::newRow("stop with a sign") << QStringList {"--stops", "FF0000,0000FF@-0"} << QByteArray() << 2 << B("stop 2, '0000FF@-0'");
    QTest::newRow("unknown space") << QStringList {"--space", "lab"} << QByteArray() << 2 << B("'lab'");
    QTest::newRow("hue with rgb") << QStringList {"--hue", "longer"} << QByteArray() << 2 << B("--hue is for --space oklch and hsl only");
    QTest::newRow("hue with oklab") << QStringList {"--space", "oklab", "--hue", "shorter"} << QByteArray() << 2 << B("--hue is for --space oklch and hsl only");
    QTest::newRow("unknown hue rule") << QStringList {"--space", "hsl", "--hue", "sideways"} << QByteArray() << 2 << B("'sideways'");
    QTest::newRow("stops with start") << QStringList {"--stops", "FF0000,0000FF", "--start", "0,0,0"} << QByteArray() << 2 << B("--start cannot be given with --stops");
    QTest::newRow("preset with end") << QStringList {"--end", "0,0,0", "--preset", "ice"} << QByteArray() << 2 << B("--end cannot be given with --preset");
    QTest::newRow("stops with preset") << QStringList {"--preset", "ice", "--stops", "FF0000,0000FF"} << QByteArray() << 2 << B("--stops and --preset cannot be given together");
    QTest::newRow("preset with space") << QStringList {"--preset", "ice", "--space", "hsl"} << QByteArray() << 2 << B("--preset gives its own --space and --hue");
    QTest::newRow("unknown preset") << QStringList {"--preset", "nosuch"} << QByteArray() << 2 << B("'nosuch'");
    // clang-format on
}

void tst_HuevaneHtml::limits()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, exit);
    QFETCH(QByteArray, expected);
    const Run result = run(arguments, input);
    QCOMPARE(result.exitCode, exit);
    QCOMPARE(result.out, exit == 0 ? expected : QByteArray());
    const bool oneLine = result.err.count('\n') == 1 && result.err.endsWith('\n');
    QVERIFY2(exit == 0 ? result.err.isEmpty() : oneLine && result.err.contains(expected),
             result.err);
}

void tst_HuevaneHtml::helpVersionAndFullOutput()
{
    // Every format of the table in --help and in the message for an unknown one,
    // and no line of --help wider than 80 columns.
    const Run help = run({"--help"});
    const Run unknown = run({"--format", "x"});
    QCOMPARE(help.exitCode, 0);
    for (const FormatRow &row : Formats) {
        const QByteArray name = ToQString(row.name).toUtf8();
        QVERIFY2(help.out.contains("\n  " + name + "  "), name);
        QVERIFY2(unknown.err.contains(" " + name + ", ")
                     || unknown.err.contains(" " + name + " or ")
                     || unknown.err.endsWith(" or " + name + "\n"),
                 name);
    }
    for (const QByteArray &line : help.out.split('\n'))
        QVERIFY2(QString::fromUtf8(line).size() <= 80, line);
    QVERIFY(run({"--version"}).out.startsWith("huevane-html "));

    const Run full = run({file("ok.txt")}, {}, {}, QStringLiteral("/dev/full"));
    QVERIFY(full.exitCode == 1 && full.err == "huevane-html: cannot write to standard output\n");
}

// Every preset writes what the options --list-presets prints for it write, and
// what the engine's preset gives; two colours in another space are the two stops
// at 0 and 100.
void tst_HuevaneHtml::presets()
{
    const Run list = run({"--list-presets"});
    QCOMPARE(list.exitCode, 0);
    QStringList names;
    const QStringList options {"--type", "3", "--per-line", "--format", "span"};
    for (const QByteArray &line : list.out.trimmed().split('\n')) {
        QStringList words = QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
        names.append(words.takeFirst());
        const Run preset = run(options + QStringList {"--preset", names.last()}, sample);
        QVERIFY2(preset.exitCode == 0 && preset.out.startsWith("<span"), line);
        QCOMPARE(run(options + words, sample).out, preset.out);

        const StopGradient stops = PresetStops(*FindPreset(names.last()));
        const PreparedText text(QString::fromUtf8(sample));
        const Gradient g {{}, {},  stops.stops, stops.space, stops.hue, GradientType::RiseAndFall,
                          45, true};
        const OutputOptions span {.format = FormatNamed(u"span")};
        QCOMPARE(FormattedText(text, *ComputeCharColours(text, g), span).toUtf8(), preset.out);
    }
    QCOMPARE_GE(names.size(), 8);
    QVERIFY(names.contains("rainbow"));

    const QStringList colours {"--start", "#FF8000", "--end", "#2050A0"};
    for (const char *space : {"oklab", "oklch", "hsl"}) {
        const QStringList spaced {"--space", space};
        const Run stops = run(spaced + QStringList {"--stops", "FF8000,2050A0"}, sample);
        QVERIFY(stops.exitCode == 0 && !stops.out.isEmpty());
        QCOMPARE(run(spaced + colours, sample).out, stops.out);
    }
}

// Every place of --list-fits, on a text that needs k of 2 or more: --fit writes
// what the options it stands for write, and --colour-every k too, within the
// limit as --verbose tells; with one fewer, the output is over the limit.
void tst_HuevaneHtml::fitTargets_data()
{
    QTest::addColumn<QByteArray>("input");
    QByteArray line;
    for (int i = 0; i < 100; ++i)
        line += char('a' + i % 26);
    QTest::newRow("minecraft-chat") << line.left(40);
    QTest::newRow("minecraft-anvil") << QByteArray("Hello there!");
    QTest::newRow("discord") << line.repeated(3);
    QTest::newRow("irc") << line + "\r\n" + line;
}

void tst_HuevaneHtml::fitTargets()
{
    QFETCH(QByteArray, input);
    const QString name = QTest::currentDataTag();
    QStringList listed;
    for (const QByteArray &line : run({"--list-fits"}).out.split('\n')) {
        if (line.startsWith(name.toUtf8() + ' '))
            listed = QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts).mid(1);
    }
    const LengthLimit limit = FindFitTarget(name)->limit;
    const auto measured = [&](const QByteArray &output) {
        qint64 longest = 0;
        for (const QByteArray &line :
             limit.measure.perLine ? output.split('\n') : QByteArrayList {output}) {
            const QString text = QString::fromUtf8(line);
            const LengthUnit unit = limit.measure.unit;
            longest = std::max<qint64>(longest,
                                       unit == LengthUnit::Bytes       ? line.size()
                                           : unit == LengthUnit::Utf16 ? text.size()
                                                                       : text.toUcs4().size());
        }
        return longest;
    };
    const QStringList options {"--format", "minecraft-hex", "--start",
                               "#000000",  "--end",         "#FFFFFF"};
    const Run fit = run(options + QStringList {"--fit", name, "--verbose"}, input);
    const auto told =
        QRegularExpression("^huevane-html: k = (\\d+), [a-z ]*(\\d+) ").match(fit.err);
    QVERIFY2(fit.exitCode == 0 && told.hasMatch(), fit.err);
    const int k = told.captured(1).toInt();
    QCOMPARE_GE(k, 2);
    QCOMPARE(measured(fit.out), told.captured(2).toLongLong());
    QCOMPARE_LE(measured(fit.out), limit.length);
    QCOMPARE(run(options + listed, input).out, fit.out);
    QCOMPARE(run(options + QStringList {"--colour-every", QString::number(k)}, input).out, fit.out);
    const Run finer = run(options + QStringList {"--colour-every", QString::number(k - 1)}, input);
    QCOMPARE_GT(measured(finer.out), limit.length);
}

// Every line of Unicode's own test of its characters, all in one input with CR LF
// after each: CR LF, LF, a lone CR, U+2028 and U+2029 end a line, and within a
// line each of Unicode's characters gets a tag of its own.
void tst_HuevaneHtml::unicodeCharacters()
{
    const QList<test::GraphemeBreakCase> cases = test::ReadGraphemeBreakTest();
    QVERIFY2(!cases.isEmpty(), test::GraphemeBreakTestPath); // installed by unicode-data
    QString input, expected; // the output expected, colours left out
    for (const test::GraphemeBreakCase &c : cases) {
        input += c.text + u"\r\n"_qs;
        for (const TextSpan &cluster : c.clusters) {
            const QString character = cluster.in(c.text).toString();
            expected += QStringList {"\r", "\n", "\r\n", "\u2028", "\u2029"}.contains(character)
                ? u"<br>\r\n"_qs
                : u"<font color=\"#\">"_qs + character + u"</font>"_qs;
        }
        expected += u"<br>\r\n"_qs;
    }
    const Run result = run({}, input.toUtf8());
    const QString output =
        QString::fromUtf8(result.out).replace(QRegularExpression(u"#[0-9A-F]{6}"_qs), u"#"_qs);
    const auto at = std::mismatch(output.begin(), output.end(), expected.begin(), expected.end());
    QVERIFY2(result.exitCode == 0 && output == expected,
             qPrintable(expected.mid(at.second - expected.begin() - 40, 80)));
}

// A 10 MB line and 100 MB of lines, checked as the output streams out and never
// held whole, in bounded memory: the text is held as UTF-16 with 16 bytes a line,
// but neither its colours nor the output are held whole.
void tst_HuevaneHtml::largeInput_data()
{
    if (!qEnvironmentVariableIsSet("HUEVANE_LARGE_INPUT"))
        QSKIP("run as tst_largeinput");
    QTest::addColumn<QByteArray>("body"); // the input is body, many times
    QTest::addColumn<int>("times");
    QTest::addColumn<QStringList>("arguments");

    const QByteArray unit = "abcdefgh\xC3\xA9\xF0\x9F\x98\x80"; // ten characters
    // clang-format off
    QTest::newRow("a 10 MB line, one colour") << unit << 10'000'000 / 14 << QStringList {"--end", "255,70,30"};
    QTest::newRow("a 10 MB line, one colour through stops") << unit << 10'000'000 / 14 << QStringList {"--stops", "FF461E,FF461E", "--space", "oklch"};
    QTest::newRow("100 MB in lines of 100, per line") << unit.repeated(10) + "\r\n" << 100'000'000 / 142 << QStringList {"--per-line"};
    QTest::newRow("100 MB in lines of 100, preset per line") << unit.repeated(10) + "\r\n" << 100'000'000 / 142 << QStringList {"--per-line", "--preset", "sunset"};
    // clang-format on
}

void tst_HuevaneHtml::largeInput()
{
    QFETCH(QByteArray, body);
    QFETCH(int, times);
    QFETCH(QStringList, arguments);
    QFile input(file("large.txt"));
    QVERIFY(input.open(QIODevice::WriteOnly)
            && input.write(body.repeated(times)) == body.size() * times);
    input.close();

    // The output is the body's HTML, times over; a line's end comes only once.
    QByteArray pattern = run(arguments, body).out;
    const QByteArray end = body.endsWith('\n') ? QByteArray() : pattern.right(6);
    pattern.chop(end.size());
    const qint64 repeated = qint64(pattern.size()) * times;
    qint64 at = 0;
    bool same = true;
    QByteArray rest;
    const Run result =
        run(arguments + QStringList {input.fileName()}, {}, [&](QByteArrayView chunk) {
            for (const char c : chunk) {
                if (at++ < repeated)
                    same = same && c == pattern[(at - 1) % pattern.size()];
                else
                    rest += c;
            }
        });
    QCOMPARE(result.exitCode, 0);
    QVERIFY(same);
    QCOMPARE(at - rest.size(), repeated);
    QCOMPARE(rest, end);

    // The peak of every run so far: the rows come in growing size.
    rusage usage {};
    QCOMPARE(getrusage(RUSAGE_CHILDREN, &usage), 0);
    qInfo("peak resident memory %ld MB", usage.ru_maxrss / 1024);
#if !defined(__SANITIZE_ADDRESS__)
    QCOMPARE_LE(usage.ru_maxrss, (input.size() * 5 / 2 + 48 * 1024 * 1024) / 1024);
#endif
}

QTEST_GUILESS_MAIN(tst_HuevaneHtml)
#include "tst_huevanehtml.moc"
