// huevane-html on large inputs: a 10 MB line and 100 MB of text. The output is
// checked as it streams out of the program, never held whole, and the program's
// peak resident memory is read from the kernel when it ends.

#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <functional>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Outcome
{
    int exitCode = -1;
    qint64 peakKilobytes = 0;
    QByteArray err;
};

// Runs huevane-html with @p arguments, handing what it writes to standard output
// to @p consume as it comes.
Outcome runStreaming(const QStringList &arguments, const QString &errPath,
                     const std::function<void(const char *, qsizetype)> &consume)
{
    QList<QByteArray> args {QByteArrayLiteral(HUEVANE_HTML_PATH)};
    for (const QString &a : arguments)
        args.append(a.toLocal8Bit());
    QList<char *> argv;
    for (QByteArray &a : args)
        argv.append(a.data());
    argv.append(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const QByteArray errFile = errPath.toLocal8Bit();
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv.first(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return {};
    }

    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = read(out[0], buffer.data(), size_t(buffer.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        consume(buffer.constData(), got);
    }
    close(out[0]);

    Outcome outcome;
    int status = 0;
    struct rusage usage = {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return {};
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.peakKilobytes = usage.ru_maxrss;
    QFile err(errPath);
    if (err.open(QIODevice::ReadOnly))
        outcome.err = err.readAll();
    return outcome;
}

struct Rgb
{
    int red = -1;
    int green = -1;
    int blue = -1;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// Reads huevane-html's HTML (default tag options) piece by piece and checks it
// against the text it was made from: every character in order, in a tag of its
// own, a line end for every line break, and colours that run steadily from the
// start colour towards the end colour, restarting on every line when @p perLine.
class HtmlChecker
{
public:
    HtmlChecker(QByteArray text, Rgb start, Rgb end, bool perLine)
        : m_text(std::move(text))
        , m_start(start)
        , m_end(end)
        , m_perLine(perLine)
    { }

    void consume(const char *data, qsizetype size)
    {
        if (!m_error.isEmpty())
            return;
        m_pending.append(data, size);
        qsizetype at = 0;
        while (m_error.isEmpty()) {
            const qsizetype used = next(m_pending.constData() + at, m_pending.size() - at);
            if (used == 0)
                break;
            at += used;
        }
        m_pending.remove(0, at);
    }

    // An empty string when all of the text came back as it should.
    QByteArray finish()
    {
        if (m_error.isEmpty() && !m_pending.isEmpty())
            fail("the HTML ends inside a tag");
        if (m_error.isEmpty() && m_at != m_text.size())
            fail("the HTML ends before the text does");
        return m_error;
    }

    qint64 characters() const { return m_characters; }
    qint64 lines() const { return m_lines; }

private:
    static constexpr std::string_view opening = "<font color=\"#";
    static constexpr std::string_view middle = "\">";
    static constexpr std::string_view closing = "</font>";
    static constexpr std::string_view lineEnd = "<br>\r\n";

    void fail(const char *what)
    {
        m_error = QByteArray(what) + " (text byte " + QByteArray::number(m_at) + ")";
    }

    static int hex(char c)
    {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    }

    // Takes one tag or line end from the front of [data, data + size); returns
    // the bytes it used, 0 when they do not hold a whole one yet.
    qsizetype next(const char *data, qsizetype size)
    {
        const std::string_view view(data, size_t(size));
        if (view.starts_with(lineEnd)) {
            if (m_at >= m_text.size() || m_text[m_at] != '\n')
                fail("a line end where the text has none");
            ++m_at;
            ++m_lines;
            m_lineColours = 0;
            return qsizetype(lineEnd.size());
        }
        const qsizetype character = qsizetype(opening.size() + 6 + middle.size());
        if (size <= character)
            return 0; // not a whole tag yet
        if (!view.starts_with(opening)) {
            fail("a character does not start with its font tag");
            return 0;
        }
        const size_t close = view.find(closing, size_t(character + 1));
        if (close == std::string_view::npos)
            return size > 4096 ? (fail("no closing tag"), 0) : 0;

        int digits[6];
        for (int i = 0; i < 6; ++i)
            digits[i] = hex(data[opening.size() + size_t(i)]);
        if (std::find(digits, digits + 6, -1) != digits + 6
            || view.substr(opening.size() + 6, middle.size()) != middle) {
            fail("a malformed font tag");
            return 0;
        }
        const Rgb colour {digits[0] * 16 + digits[1], digits[2] * 16 + digits[3],
                          digits[4] * 16 + digits[5]};

        const qsizetype length = qsizetype(close) - character;
        if (m_at + length > m_text.size()
            || std::memcmp(m_text.constData() + m_at, data + character, size_t(length)) != 0) {
            fail("a character differs from the text");
            return 0;
        }
        m_at += length;
        ++m_characters;
        checkColour(colour);
        return qsizetype(close + closing.size());
    }

    void checkColour(const Rgb &colour)
    {
        const bool runStarts = m_characters == 1 || (m_perLine && m_lineColours == 0);
        if (runStarts && colour != m_start)
            fail("a run does not start on the start colour");
        // Each component moves towards the end colour and never back.
        if (!runStarts) {
            const auto steady = [](int now, int before, int from, int to) {
                return from <= to ? now >= before && now <= to : now <= before && now >= to;
            };
            if (!steady(colour.red, m_last.red, m_start.red, m_end.red)
                || !steady(colour.green, m_last.green, m_start.green, m_end.green)
                || !steady(colour.blue, m_last.blue, m_start.blue, m_end.blue))
                fail("the colours do not run steadily towards the end colour");
        }
        if (m_perLine && m_at < m_text.size() && m_text[m_at] == '\n' && m_lineColours > 0
            && colour != m_end)
            fail("a line does not end on the end colour");
        m_last = colour;
        ++m_lineColours;
    }

    QByteArray m_text;
    Rgb m_start;
    Rgb m_end;
    bool m_perLine;
    QByteArray m_pending;
    QByteArray m_error;
    qsizetype m_at = 0;
    qint64 m_characters = 0;
    qint64 m_lines = 0;
    qint64 m_lineColours = 0;
    Rgb m_last;
};

// Text of @p bytes bytes (to a character) in lines of about @p lineLength bytes,
// with LF line breaks, or one line when @p lineLength is 0. Mostly ASCII, with
// two- and four-byte characters among it.
QByteArray makeText(qsizetype bytes, qsizetype lineLength)
{
    QByteArray text;
    text.reserve(bytes);
    qsizetype column = 0;
    quint32 seed = 12345;
    while (text.size() < bytes - 8) {
        seed = seed * 1103515245 + 12345;
        const quint32 pick = (seed >> 16) % 100;
        if (lineLength > 0 && column >= lineLength) {
            text += '\n';
            column = 0;
            continue;
        }
        if (pick == 0)
            text += "\xF0\x9F\x98\x80";
        else if (pick < 3)
            text += "\xC3\xA9";
        else
            text += char('a' + pick % 26);
        ++column;
    }
    return text;
}

} // namespace

class tst_LargeInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void streamsWithBoundedMemory_data();
    void streamsWithBoundedMemory();
};

void tst_LargeInput::streamsWithBoundedMemory_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<qint64>("lineLength");
    QTest::addColumn<bool>("perLine");

    QTest::newRow("a single 10 MB line") << qint64(10'000'000) << qint64(0) << false;
    QTest::newRow("100 MB in lines of 100, per line") << qint64(100'000'000) << qint64(100) << true;
}

void tst_LargeInput::streamsWithBoundedMemory()
{
    QFETCH(qint64, bytes);
    QFETCH(qint64, lineLength);
    QFETCH(bool, perLine);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray text = makeText(bytes, lineLength);
    const QString path = dir.filePath(QStringLiteral("input.txt"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(text), text.size());
    }

    const Rgb start {255, 70, 30};
    const Rgb end {255, 255, 0};
    HtmlChecker checker(text + '\n', start, end, perLine);
    QStringList arguments {path};
    if (perLine)
        arguments.prepend(QStringLiteral("--per-line"));
    const Outcome outcome =
        runStreaming(arguments, dir.filePath(QStringLiteral("err.txt")),
                     [&](const char *data, qsizetype size) { checker.consume(data, size); });

    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.err, QByteArray());
    const QByteArray problem = checker.finish();
    QVERIFY2(problem.isEmpty(), problem.constData());
    QCOMPARE(checker.lines(), text.count('\n') + 1);
    qInfo("%lld characters, %lld lines; peak resident memory %lld MB", checker.characters(),
          checker.lines(), outcome.peakKilobytes / 1024);

#if !defined(__SANITIZE_ADDRESS__)
    // The text is held as UTF-16, two bytes for every byte of ASCII, with 16
    // bytes for every line; the colours and the HTML are not held whole. Without
    // streaming, a 10 MB line took 16 bytes of colour entry per character.
    const qint64 bound = (bytes * 5 / 2 + 48 * 1024 * 1024) / 1024;
    QVERIFY2(outcome.peakKilobytes <= bound,
             qPrintable(
                 QStringLiteral("peak %1 kB, bound %2 kB").arg(outcome.peakKilobytes).arg(bound)));
#endif
}

QTEST_APPLESS_MAIN(tst_LargeInput)
#include "tst_largeinput.moc"
