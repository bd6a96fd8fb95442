#include "engine/charcolours.h"
#include "engine/htmlwriter.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace huevane;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(QStringLiteral(HUEVANE_HTML_PATH), arguments);
    if (!process.waitForStarted(10000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray engineHtml(const QString &text, ColourTriplet start, ColourTriplet end, int type,
                      std::optional<int> centre, bool perLine, bool upperCase, bool noQuotes)
{
    GradientSettings settings;
    SetText(settings, text);
    settings.startColour = start;
    settings.endColour = end;
    settings.gradientType = static_cast<quint8>(type);
    if (centre)
        settings.centre = *centre;
    settings.perLine = perLine;
    settings.upperCaseTags = upperCase;
    settings.noQuotes = noQuotes;
    if (IsBlankText(settings.text))
        return {};
    ComputeCharColours(settings);
    return GenerateHtml(settings).toUtf8();
}

const QByteArray sample = "Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\n"
                          "Try it out - it's even more fun!!!";

} // namespace

class tst_HuevaneHtml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sameAsGenerate_data();
    void sameAsGenerate();
    void exactOutput_data();
    void exactOutput();
    void readsFiles();
    void badUsage_data();
    void badUsage();
    void unreadableInput_data();
    void unreadableInput();
    void helpAndVersion();
    void emptyFile();
    void outputCannotBeWritten();

private:
    QTemporaryDir m_files;
};

void tst_HuevaneHtml::sameAsGenerate_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<ColourTriplet>("start");
    QTest::addColumn<ColourTriplet>("end");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("centre"); // -1: the default
    QTest::addColumn<bool>("perLine");
    QTest::addColumn<bool>("upperCase");
    QTest::addColumn<bool>("noQuotes");

    const ColourTriplet defaultStart {255, 70, 30};
    const ColourTriplet defaultEnd {255, 255, 0};
    QTest::newRow("sample, start-up colours") << QStringList {} << sample << defaultStart
                                              << defaultEnd << 1 << -1 << false << false << false;
    QTest::newRow("type 2, per line, options")
        << QStringList {"--type",      "2",        "--per-line", "--upper-case-tags",
                        "--no-quotes", "--format", "font"}
        << sample << defaultStart << defaultEnd << 2 << -1 << true << true << true;
    QTest::newRow("type 3, negative centre")
        << QStringList {"--type", "3", "--centre", "-7", "--start", "#0A1B2C"} << sample
        << ColourTriplet {10, 27, 44} << defaultEnd << 3 << -7 << false << false << false;
    QTest::newRow("type 3, largest centre")
        << QStringList {"--type=3", "--centre=2147483647", "--end=0,0,0"} << sample << defaultStart
        << ColourTriplet {0, 0, 0} << 3 << 2147483647 << false << false << false;
    QTest::newRow("emoji, marks, right to left, tabs")
        << QStringList {"--type", "3", "--per-line"}
        << QByteArray("\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9 "
                      "e\xCC\x81\t\r\n\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D")
        << defaultStart << defaultEnd << 3 << -1 << true << false << false;
    // huevane-html writes a long line in pieces; the pieces must join seamlessly.
    QByteArray longLine;
    for (int i = 0; i < 3000; ++i)
        longLine += i % 7 == 0 ? QByteArray("\xF0\x9F\x98\x80") : QByteArray(1, char('a' + i % 26));
    QTest::newRow("long lines") << QStringList {"--type", "3"}
                                << longLine + "\r\n" + longLine + longLine << defaultStart
                                << defaultEnd << 3 << -1 << false << false << false;
    // huevane-html reads a megabyte at a time; a character or a CR LF may span two reads.
    const QByteArray megabyte(1 << 20, 'm');
    QTest::newRow("character across two reads")
        << QStringList {"--per-line"} << megabyte.left((1 << 20) - 1) + "\xC3\xA9\xF0\x9F\x98\x80z"
        << defaultStart << defaultEnd << 1 << -1 << true << false << false;
    QTest::newRow("CR LF across two reads")
        << QStringList {"--type", "2"} << megabyte.left((1 << 20) - 1) + "\r\nz" << defaultStart
        << defaultEnd << 2 << -1 << false << false << false;
    // Lines longer than the colour entries huevane-html keeps at a time.
    QByteArray mixedLine;
    for (int i = 0; i < 9000; ++i)
        mixedLine +=
            i % 5 == 0 ? QByteArray("\xE0\xA4\x95\xF0\x9F\x98\x80") : QByteArray("e\xCC\x81");
    QTest::newRow("lines of more than a batch, per line")
        << QStringList {"--type", "3", "--per-line", "--centre", "9001"}
        << mixedLine + "\r\n\r\n" + mixedLine.repeated(2) << defaultStart << defaultEnd << 3 << 9001
        << true << false << false;
}

void tst_HuevaneHtml::sameAsGenerate()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(ColourTriplet, start);
    QFETCH(ColourTriplet, end);
    QFETCH(int, type);
    QFETCH(int, centre);
    QFETCH(bool, perLine);
    QFETCH(bool, upperCase);
    QFETCH(bool, noQuotes);

    const Run result = run(arguments, input);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QByteArray());
    const QByteArray expected = engineHtml(QString::fromUtf8(input), start, end, type,
                                           centre == -1 ? std::nullopt : std::optional<int>(centre),
                                           perLine, upperCase, noQuotes);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(result.out, expected);
}

void tst_HuevaneHtml::exactOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");

    const QStringList blueToRed {"--start", "255,0,0", "--end", "0,0,255"};
    QTest::newRow("abc") << blueToRed << QByteArray("abc")
                         << QByteArray(
                                "<font color=\"#FF0000\">a</font><font color=\"#800080\">b</font>"
                                "<font color=\"#0000FF\">c</font><br>\r\n");
    QTest::newRow("LF and lone CR become CR LF")
        << blueToRed << QByteArray("a\nb\rc")
        << QByteArray(
               "<font color=\"#FF0000\">a</font><br>\r\n<font color=\"#800080\">b</font><br>\r\n"
               "<font color=\"#0000FF\">c</font><br>\r\n");
    QTest::newRow("byte-order mark dropped")
        << blueToRed << QByteArray("\xEF\xBB\xBFx")
        << QByteArray("<font color=\"#FF0000\">x</font><br>\r\n");
    QTest::newRow("NUL is a character")
        << QStringList {"--no-quotes", "--start", "#000000", "--end", "#000000"}
        << QByteArray("\0", 1) << QByteArray("<font color=#000000>\0</font><br>\r\n", 34);
    QTest::newRow("blank text writes nothing")
        << QStringList {} << QByteArray("    ") << QByteArray();
    QTest::newRow("empty input writes nothing") << QStringList {} << QByteArray() << QByteArray();
    QTest::newRow("line break only")
        << QStringList {} << QByteArray("\n") << QByteArray("<br>\r\n");
    QTest::newRow("byte-order mark alone writes nothing")
        << QStringList {} << QByteArray("\xEF\xBB\xBF") << QByteArray();
    QTest::newRow("second byte-order mark is a character")
        << QStringList {"--no-quotes", "--start", "#000000", "--end", "#000000"}
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF")
        << QByteArray("<font color=#000000>\xEF\xBB\xBF</font><br>\r\n");
    QTest::newRow("NUL bytes on several lines")
        << QStringList {"--no-quotes", "--start", "#000000", "--end", "#000000"}
        << QByteArray("\0\n\0\0", 4)
        << QByteArray("<font color=#000000>\0</font><br>\r\n"
                      "<font color=#000000>\0</font><font color=#000000>\0</font><br>\r\n",
                      96);
    // Blue 0, 0, 1, 2, 2: neighbours of one colour on both lines that have characters.
    const QStringList twoBlues {"--start", "255,0,0", "--end", "255,0,2", "--format"};
    const QByteArray mixed = "a<\n\n&\t\xF0\x9F\x98\x80";
    // clang-format off
    QTest::newRow("font, merge, escape") << twoBlues + QStringList {"font", "--merge", "--escape"} << mixed << QByteArray("<font color=\"#FF0000\">a&lt;</font><br>\r\n<br>\r\n<font color=\"#FF0001\">&amp;</font><font color=\"#FF0002\">\t\xF0\x9F\x98\x80</font><br>\r\n");
    QTest::newRow("span") << twoBlues + QStringList {"span"} << mixed << QByteArray("<span style=\"color:#FF0000\">a</span><span style=\"color:#FF0000\"><</span><br>\r\n<br>\r\n<span style=\"color:#FF0001\">&</span><span style=\"color:#FF0002\">\t</span><span style=\"color:#FF0002\">\xF0\x9F\x98\x80</span><br>\r\n");
    QTest::newRow("span, merge") << twoBlues + QStringList {"span", "--merge"} << mixed << QByteArray("<span style=\"color:#FF0000\">a<</span><br>\r\n<br>\r\n<span style=\"color:#FF0001\">&</span><span style=\"color:#FF0002\">\t\xF0\x9F\x98\x80</span><br>\r\n");
    QTest::newRow("span, escape, upper case, no quotes") << twoBlues + QStringList {"span", "--escape", "--upper-case-tags", "--no-quotes"} << mixed << QByteArray("<SPAN STYLE=color:#FF0000>a</SPAN><SPAN STYLE=color:#FF0000>&lt;</SPAN><br>\r\n<br>\r\n<SPAN STYLE=color:#FF0001>&amp;</SPAN><SPAN STYLE=color:#FF0002>\t</SPAN><SPAN STYLE=color:#FF0002>\xF0\x9F\x98\x80</SPAN><br>\r\n");
    QTest::newRow("bbcode") << twoBlues + QStringList {"bbcode"} << mixed << QByteArray("[color=#FF0000]a[/color][color=#FF0000]<[/color]\r\n\r\n[color=#FF0001]&[/color][color=#FF0002]\t[/color][color=#FF0002]\xF0\x9F\x98\x80[/color]\r\n");
    QTest::newRow("bbcode, merge, upper case, no quotes") << twoBlues + QStringList {"bbcode", "--merge", "--upper-case-tags", "--no-quotes"} << mixed << QByteArray("[COLOR=#FF0000]a<[/COLOR]\r\n\r\n[COLOR=#FF0001]&[/COLOR][COLOR=#FF0002]\t\xF0\x9F\x98\x80[/COLOR]\r\n");
    QTest::newRow("ansi") << twoBlues + QStringList {"ansi"} << mixed << QByteArray("\x1b[38;2;255;0;0ma<\x1b[0m\n\n\x1b[38;2;255;0;1m&\x1b[38;2;255;0;2m\t\xF0\x9F\x98\x80\x1b[0m\n");
    QTest::newRow("ansi, tag options change nothing") << twoBlues + QStringList {"ansi", "--merge", "--upper-case-tags", "--no-quotes"} << mixed << QByteArray("\x1b[38;2;255;0;0ma<\x1b[0m\n\n\x1b[38;2;255;0;1m&\x1b[38;2;255;0;2m\t\xF0\x9F\x98\x80\x1b[0m\n");
    QTest::newRow("ansi, blank text writes nothing") << twoBlues + QStringList {"ansi"} << QByteArray("  ") << QByteArray();
    // clang-format on
    QTest::newRow("dash is standard input") << QStringList {"--no-quotes", "-"} << QByteArray("q")
                                            << QByteArray("<font color=#FF461E>q</font><br>\r\n");
}

void tst_HuevaneHtml::exactOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    const Run result = run(arguments, input);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, expected);
}

void tst_HuevaneHtml::readsFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("in put.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(sample);
    file.close();

    const Run fromFile = run({file.fileName()});
    const Run fromStdin = run({}, sample);
    QCOMPARE(fromFile.exitCode, 0);
    QCOMPARE(fromFile.out, fromStdin.out);
    QVERIFY(fromFile.out.endsWith("<br>\r\n"));
}

void tst_HuevaneHtml::badUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("unknown option") << QStringList {"--colour", "1,2,3"} << "--colour";
    QTest::newRow("unknown short option") << QStringList {"-x"} << "-x";
    QTest::newRow("missing colour") << QStringList {"--start"} << "--start";
    QTest::newRow("malformed colour") << QStringList {"--end", "1,2"} << "1,2";
    QTest::newRow("component above 255") << QStringList {"--start", "256,0,0"} << "256,0,0";
    QTest::newRow("type 4") << QStringList {"--type", "4"} << "4";
    QTest::newRow("type 0") << QStringList {"--type=0"} << "0";
    QTest::newRow("type word") << QStringList {"--type", "one"} << "one";
    QTest::newRow("missing type") << QStringList {"--type"} << "--type";
    QTest::newRow("centre beyond 32 bits")
        << QStringList {"--centre", "2147483648"} << "2147483648";
    QTest::newRow("centre below 32 bits")
        << QStringList {"--centre", "-2147483649"} << "-2147483649";
    QTest::newRow("centre fraction") << QStringList {"--centre", "1.5"} << "1.5";
    QTest::newRow("flag with a value") << QStringList {"--per-line=yes"} << "--per-line";
    QTest::newRow("two inputs") << QStringList {"a.txt", "b.txt"} << "b.txt";
    QTest::newRow("empty colour") << QStringList {"--start="} << "--start";
    QTest::newRow("colour with spaces") << QStringList {"--start", "1, 2, 3"} << "1, 2, 3";
    QTest::newRow("four components") << QStringList {"--end", "1,2,3,4"} << "1,2,3,4";
    QTest::newRow("negative component") << QStringList {"--end", "-1,0,0"} << "-1,0,0";
    QTest::newRow("short hex colour") << QStringList {"--start", "#FFF"} << "#FFF";
    QTest::newRow("hex colour without hash") << QStringList {"--start", "FF0000"} << "FF0000";
    QTest::newRow("bad hex digit") << QStringList {"--end=#12345G"} << "#12345G";
    QTest::newRow("empty type") << QStringList {"--type="} << "--type";
    QTest::newRow("type with a sign") << QStringList {"--type", "+1"} << "+1";
    QTest::newRow("type with a fraction") << QStringList {"--type", "1.0"} << "1.0";
    QTest::newRow("missing centre") << QStringList {"--centre"} << "--centre";
    QTest::newRow("empty centre") << QStringList {"--centre="} << "--centre";
    QTest::newRow("centre word") << QStringList {"--centre", "abc"} << "abc";
    QTest::newRow("centre in hexadecimal") << QStringList {"--centre", "0x10"} << "0x10";
    QTest::newRow("centre with a space") << QStringList {"--centre", " 5"} << " 5";
    QTest::newRow("centre far beyond 64 bits")
        << QStringList {"--centre", "99999999999999999999999"} << "99999999999999999999999";
    QTest::newRow("centre sign only") << QStringList {"--centre=-"} << "--centre";
    QTest::newRow("help with a value") << QStringList {"--help=1"} << "--help";
    QTest::newRow("option after the end of options")
        << QStringList {"--", "a.txt", "--per-line"} << "--per-line";
    QTest::newRow("three dashes") << QStringList {"---per-line"} << "---per-line";
    QTest::newRow("single-dash long option") << QStringList {"-per-line"} << "-per-line";
    QTest::newRow("unknown format") << QStringList {"--format", "html"} << "html";
    QTest::newRow("escape with bbcode")
        << QStringList {"--format", "bbcode", "--escape"} << "--escape";
    QTest::newRow("escape with ansi") << QStringList {"--escape", "--format=ansi"} << "--escape";
}

void tst_HuevaneHtml::badUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, mentions);
    const Run result = run(arguments, "text");
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY2(result.err.contains(mentions.toUtf8()), result.err.constData());
}

void tst_HuevaneHtml::unreadableInput_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("mentions");

    const QString file = m_files.filePath(QStringLiteral("plain.txt"));
    QTest::newRow("missing file") << "/nonexistent/file.txt" << QByteArray()
                                  << "/nonexistent/file.txt: cannot be opened (No such file";
    QTest::newRow("directory") << m_files.path() << QByteArray() << "is a directory, not a file";
    QTest::newRow("path through a file") << file + u"/inside.txt"_qs << QByteArray()
                                         << "inside.txt: cannot be opened (Not a directory)";
    QTest::newRow("dangling link") << m_files.filePath(QStringLiteral("dangling")) << QByteArray()
                                   << "dangling: cannot be opened (No such file";
    QTest::newRow("empty path") << QString() << QByteArray() << "the file name is empty";
    // A file that opens but whose first read fails, even for root: the start
    // of a process's memory is never mapped.
    QTest::newRow("read fails") << "/proc/self/mem" << QByteArray()
                                << "/proc/self/mem: cannot be read (";

    QTest::newRow("larger than 2 GiB")
        << m_files.filePath(QStringLiteral("huge.txt")) << QByteArray()
        << "huge.txt: is larger than 2147483647 bytes, the most huevane-html reads";

    QTest::newRow("invalid UTF-8") << "-" << QByteArray("good\xC3(") << "byte offset 4";
    QTest::newRow("truncated at the end") << "-" << QByteArray("ab\xE2\x82") << "byte offset 2";
    QTest::newRow("truncated before a line break")
        << "-" << QByteArray("\xF0\x9F\x98\nx") << "byte offset 0";
    QTest::newRow("lone continuation byte") << "-" << QByteArray("a\x80") << "byte offset 1";
    QTest::newRow("overlong two bytes") << "-" << QByteArray("\xC0\xAF") << "byte offset 0";
    QTest::newRow("overlong three bytes") << "-" << QByteArray("xy\xE0\x80\xAF") << "byte offset 2";
    QTest::newRow("overlong four bytes")
        << "-" << QByteArray("\xF0\x80\x80\xAF") << "byte offset 0";
    QTest::newRow("lone high surrogate") << "-" << QByteArray("\xED\xA0\x80z") << "byte offset 0";
    QTest::newRow("lone low surrogate")
        << "-" << QByteArray("ab\r\n\xED\xB0\x80") << "byte offset 4";
    QTest::newRow("surrogate pair encoded as two")
        << "-" << QByteArray("\xED\xA0\xBD\xED\xB8\x80") << "byte offset 0";
    QTest::newRow("beyond U+10FFFF") << "-" << QByteArray("\xF4\x90\x80\x80") << "byte offset 0";
    QTest::newRow("byte FF after a byte-order mark")
        << "-" << QByteArray("\xEF\xBB\xBF\xFF") << "byte offset 3";
    // The offset counts from the start of the input, not of the read it is in.
    QTest::newRow("character cut across two reads")
        << "-" << QByteArray((1 << 20) - 1, 'a') + "\xE2\x82z"
        << "byte offset 1048575";
    QTest::newRow("invalid in a later read")
        << file << QByteArray() << "plain.txt: not valid UTF-8 at byte offset 3000001";
}

void tst_HuevaneHtml::initTestCase()
{
    QVERIFY(m_files.isValid());
    QFile plain(m_files.filePath(QStringLiteral("plain.txt")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write(QByteArray(3000001, 'p') + "\xC3\x28");
    plain.close();
    QVERIFY(QFile::link(m_files.filePath(QStringLiteral("gone.txt")),
                        m_files.filePath(QStringLiteral("dangling"))));
    QFile empty(m_files.filePath(QStringLiteral("empty.txt")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    // A sparse file: it takes no room on the disk.
    QFile huge(m_files.filePath(QStringLiteral("huge.txt")));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(qint64(1) << 31));
}

void tst_HuevaneHtml::unreadableInput()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, input);
    QFETCH(QString, mentions);
    const Run result = run({path}, input);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY2(result.err.contains(mentions.toUtf8()), result.err.constData());
}

void tst_HuevaneHtml::helpAndVersion()
{
    const Run help = run({"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.startsWith("Usage: huevane-html"));
    const Run version = run({"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith("huevane-html "));
}

void tst_HuevaneHtml::emptyFile()
{
    const Run result = run({m_files.filePath(QStringLiteral("empty.txt"))}, "not read");
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err, QByteArray());
}

void tst_HuevaneHtml::outputCannotBeWritten()
{
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(HUEVANE_HTML_PATH), {});
    QVERIFY(process.waitForStarted(10000));
    process.write(sample);
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(process.readAllStandardError(),
             QByteArray("huevane-html: cannot write to standard output\n"));
}

QTEST_GUILESS_MAIN(tst_HuevaneHtml)
#include "tst_huevanehtml.moc"
