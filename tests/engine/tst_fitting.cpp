// The finest output that fits a limit: its length worked out without writing it,
// the smallest k that fits, and the colours grouped by k.

#include "engine/colourgroups.h"
#include "engine/fitting.h"
#include "tests/common/settings.h"
#include "tests/fuzz/fuzzchecks.h"

#include <QRandomGenerator>
#include <QTest>

using namespace huevane;

namespace {

// The length of @p output measured apart from the engine.
qint64 Measured(const QString &output, LengthMeasure measure)
{
    const auto length = [&](const QString &s) {
        return measure.unit == LengthUnit::Utf16     ? s.size()
            : measure.unit == LengthUnit::CodePoints ? s.toUcs4().size()
                                                     : s.toUtf8().size();
    };
    qint64 longest = 0;
    for (const QString &line : measure.perLine ? output.split(u'\n') : QStringList {output})
        longest = std::max<qint64>(longest, length(line));
    return longest;
}

// Every script, emoji, combining marks, escaped units, commas and empty lines.
const QStringList pieces =
    u"a/b/ /,/</&/\\/\"/[/]/|/{/\t/\x01/§/é/e\u0301/\U0001F600/\U0001F1E9\U0001F1EA/\u05D0/\u0628/\u4E2D/\n/\r\n/\n\n"_qs
        .split(u'/');

QString RandomText(QRandomGenerator &random)
{
    QString text;
    const int n = random.bounded(90);
    for (int i = 0; i < n; ++i)
        text += pieces[random.bounded(int(pieces.size()))];
    return text;
}

// Colours that merge, change every few characters, come back, and have decimals
// of one to three digits.
void Colour(QList<CharColour> &colours, QRandomGenerator &random)
{
    const quint32 few[] = {0x000000, 0x0A6464, 0xFFFFFF, 0x09FF0A};
    const int kind = random.bounded(3), step = 1 + random.bounded(5);
    for (qsizetype i = 0; i < colours.size(); ++i) {
        const int v = int(i / step) * 37 % 256;
        const quint32 rgb = kind == 0 ? few[random.bounded(3)]
            : kind == 1               ? quint32(v << 16 | (255 - v) << 8 | v / 2)
                                      : few[(i / step) % 4];
        colours[i].red = quint8(rgb >> 16), colours[i].green = quint8(rgb >> 8);
        colours[i].blue = quint8(rgb);
    }
}

// What is written for @p coloured with its colours grouped by @p k, runs merged.
QString Written(const test::ColouredText &coloured, OutputOptions options, qint32 k)
{
    options.merge = true;
    return FormattedText(coloured.text, GroupedColours(coloured.text, coloured.colours, k),
                         options);
}

} // namespace

class tst_Fitting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchIsExact();
    void units_data();
    void units();
};

// Over random texts, colours, formats, units and limits: the length worked out
// is the length written for every k; the k found is the smallest that fits, even
// where a larger one does not; when none fits, the length is the shortest; the
// output gives back the text in its groups' colours; and the colours handed over
// in batches, grouped as they come, write the same.
void tst_Fitting::searchIsExact()
{
    QRandomGenerator random(28);
    int notMonotone = 0, none = 0;
    for (int round = 0; round < 1500; ++round) {
        test::ColouredText coloured = test::Coloured(RandomText(random));
        Colour(coloured.colours, random);
        OutputOptions options;
        if (round % (FormatCount + 1) < FormatCount)
            options.format = OutputFormat(round % (FormatCount + 1));
        else
            options.ownTemplate = OwnTemplate {"<{r}:{c}>", ";\n", "(\n", "\n)"};
        options.upperCaseTags = random.bounded(2);
        for (int s = 0; s < StyleCount && !options.ownTemplate; ++s) {
            if (random.bounded(3) == 0 && StyleRefusal(options.format, Style(s)).isEmpty())
                options.styles |= StyleBit(Style(s));
        }
        const LengthMeasure measure {LengthUnit(random.bounded(LengthUnitCount)),
                                     bool(random.bounded(2))};
        const QString text = coloured.text.text();

        qint64 longest = 1;
        for (qsizetype i = 0; i < coloured.text.lineCount(); ++i)
            longest = std::max<qint64>(longest, coloured.text.lineCharacters(i));
        QList<qint64> lengths; // by k - 1
        OutputOptions merged = options;
        merged.merge = true;
        for (qint32 k = 1; k <= longest; ++k) {
            lengths.append(Measured(Written(coloured, options, k), measure));
            QCOMPARE(OutputLength(coloured.text, coloured.colours, merged, measure, k),
                     lengths.last());
        }
        QCOMPARE(OutputLength(coloured.text, coloured.colours, options, measure),
                 Measured(FormattedText(coloured.text, coloured.colours, options), measure));
        const qint64 limit = std::max<qint64>(
            1,
            *std::min_element(lengths.begin(), lengths.end()) - 2
                + random.bounded(*std::max_element(lengths.begin(), lengths.end()) / 2 + 3));
        const auto fits = std::find_if(lengths.begin(), lengths.end(),
                                       [&](qint64 length) { return length <= limit; });
        for (const qint32 streamedUpTo : {4096, 2}) {
            const Fit fit = FindFit(coloured.text, options, {limit, measure},
                                    PassesOver(coloured.text, coloured.colours), streamedUpTo);
            QCOMPARE(fit.fits, fits != lengths.end());
            QCOMPARE(fit.length,
                     fit.fits ? *fits : *std::min_element(lengths.begin(), lengths.end()));
            QCOMPARE(lengths[fit.k - 1], fit.length);
            if (fit.fits)
                QCOMPARE(fit.k, fits - lengths.begin() + 1);
        }
        none += fits == lengths.end();
        notMonotone += fits != lengths.end()
            && std::any_of(fits, lengths.end(), [&](qint64 l) { return l > limit; });

        const qint32 k = 1 + random.bounded(int(longest));
        const QList<CharColour> grouped = GroupedColours(coloured.text, coloured.colours, k);
        fuzz::CheckOutputGivesBackText(text, grouped, merged, Written(coloured, options, k));
        qsizetype entry = 0;
        for (qsizetype i = 0; i < coloured.text.lineCount(); ++i) {
            const qsizetype n = coloured.text.lineCharacters(i);
            for (qsizetype c = 0; c < n; ++c) {
                const qsizetype start = c / k * k, size = std::min<qsizetype>(k, n - start);
                const CharColour m = coloured.colours[entry + start + (size - 1) / 2];
                const CharColour g = grouped[entry + c];
                QVERIFY(g.red == m.red && g.green == m.green && g.blue == m.blue);
            }
            entry += n;
        }

        // In batches of a few characters, as huevane-html writes a long line.
        ColouredTextWriter writer(merged);
        ColourGrouper grouper(coloured.text, k);
        std::vector<char16_t> out(size_t(writer.maxSize(grouped.size(), text.size())
                                         + coloured.text.lineCount() * writer.maxLineEndSize()
                                         + writer.maxFinishSize()));
        char16_t *at = out.data();
        const qsizetype batch = 1 + random.bounded(4);
        qsizetype taken = 0;
        for (qsizetype i = 0; i < coloured.text.lineCount(); ++i) {
            const qsizetype n = coloured.text.lineCharacters(i);
            for (qsizetype b = 0; b < n; b += batch) {
                const CharColour *first = coloured.colours.constData() + taken + b;
                grouper.take(first, first + std::min(batch, n - b),
                             [&](auto f, auto l) { at = writer.write(at, text, f, l); });
            }
            taken += n;
            grouper.endLine();
            at = writer.endLine(at);
        }
        at = writer.finish(at);
        if (!IsBlankText(text))
            QCOMPARE(QStringView(out.data(), at - out.data()), Written(coloured, options, k));
    }
    // The rounds hold texts where a larger k than the one found does not fit, and
    // where none does.
    QCOMPARE_GT(notMonotone, 20);
    QCOMPARE_GT(none, 20);
}

// An emoji counts 2 in UTF-16, 1 in code points and 4 in bytes, in the text and
// in the codes; a line is what lies between line feeds.
void tst_Fitting::units_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<qint64>>("lengths"); // UTF-16, code points, bytes; then per line

    // clang-format off
    QTest::newRow("emoji, template") << "" << u"\U0001F600"_qs << QList<qint64> {3, 2, 5, 2, 1, 4};
    QTest::newRow("section signs") << "minecraft-section" << "ab" << QList<qint64> {31, 31, 45, 30, 30, 44};
    QTest::newRow("a comma after an irc code") << "irc" << ",\n," << QList<qint64> {16, 16, 16, 7, 7, 7};
    QTest::newRow("font, CR LF") << "font" << u"\u00E9\r\n"_qs << QList<qint64> {36, 36, 37, 35, 35, 36};
    QTest::newRow("json, one line") << "minecraft-json" << "a\nb" << QList<qint64> {98, 98, 98, 97, 97, 97};
    // clang-format on
}

void tst_Fitting::units()
{
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QList<qint64>, lengths);
    OutputOptions options;
    if (format.isEmpty())
        options.ownTemplate = OwnTemplate {"{c}", "\n", {}, {}};
    else
        options.format = *FindFormat(format);
    const test::ColouredText coloured = test::Coloured(text);
    const QString written = FormattedText(coloured.text, coloured.colours, options);
    for (int i = 0; i < 6; ++i) {
        const LengthMeasure measure {LengthUnit(i % 3), i >= 3};
        QCOMPARE(Measured(written, measure), lengths[i]);
        QCOMPARE(OutputLength(coloured.text, coloured.colours, options, measure), lengths[i]);
    }
}

QTEST_APPLESS_MAIN(tst_Fitting)
#include "tst_fitting.moc"
