#include "engine/charcolours.h"
#include "mainwindow/fonts.h"
#include "mainwindow/textpreview.h"
#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QTest>

using namespace huevane;

namespace {

// The text preview's font: its characters are drawn one by one, so it is measured
// without ligatures and kerning.
QFont PreviewFont(bool shaping = false)
{
    InstallFontSubstitutions();
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.0);
    if (!shaping)
        font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Colours for every character of @p text, as the text preview computes them.
GradientSettings Coloured(const QString &text, ColourTriplet start = {255, 0, 0},
                          ColourTriplet end = {0, 0, 255})
{
    GradientSettings settings;
    SetText(settings, text);
    settings.startColour = start;
    settings.endColour = end;
    ComputeCharColours(settings);
    return settings;
}

// The entries of charColours that belong to line @p index.
std::span<const CharColour> LineCharacters(const GradientSettings &settings, qsizetype index)
{
    const TextSpan line = settings.lines.at(index);
    const CharColour *begin = settings.charColours.constData();
    const CharColour *end = begin + settings.charColours.size();
    const CharColour *first =
        std::find_if(begin, end, [&](const CharColour &c) { return c.start >= line.start; });
    const CharColour *last =
        std::find_if(first, end, [&](const CharColour &c) { return c.start >= line.end(); });
    return {first, last};
}

QColor ColourOf(const CharColour &c)
{
    return QColor(c.red, c.green, c.blue);
}

constexpr char16_t FullBlock = 0x2588; // fills its whole cell: the cell's colour is exact

} // namespace

class TestTextPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leftsAreTheWidthsOfTheRunsBefore_data();
    void leftsAreTheWidthsOfTheRunsBefore();
    void measuringStopsPastTheLimit();
    void charactersInTheirColoursOnTheirLines();
    void emptyLinesKeepTheirSpace();
    void widerLineIsCutOffAtTheRightEdge();
    void previewTextSize_data();
    void previewTextSize();
};

void TestTextPreview::leftsAreTheWidthsOfTheRunsBefore_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("shaping");

    const std::pair<const char *, QString> lines[] = {
        {"plain", QStringLiteral("Sample Text For Gradient Demo")},
        {"kerning pairs", QStringLiteral("AVAWAYTo Te LT yA")},
        {"combining accents", QStringLiteral("e\u0301a\u0308o\u0302 Cafe\u0301")},
        {"emoji sequences",
         QStringLiteral("a\U0001F44D\U0001F3FDb\U0001F468\u200D\U0001F469\u200D\U0001F467c")},
        {"CJK", QStringLiteral("漢字とかな混じり")},
        {"Greek and Cyrillic", QStringLiteral("Αλφάβητο Азбука")},
        {"spaces", QStringLiteral("  a  b   ")},
        {"tabs", QStringLiteral("ab\tcdefgh\t\tij")},
        {"long line", QString(600, u'm') + QStringLiteral("AV")},
    };
    for (const auto &[name, line] : lines) {
        QTest::addRow("%s, preview font", name) << line << false;
        QTest::addRow("%s, kerning font", name) << line << true;
    }
    QTest::newRow("ligature candidates, preview font")
        << QStringLiteral("fi ffl office fjord") << false;
}

void TestTextPreview::leftsAreTheWidthsOfTheRunsBefore()
{
    QFETCH(QString, line);
    QFETCH(bool, shaping);
    DrawingSurface surface;
    surface.setFont(PreviewFont(shaping));
    const GradientSettings settings = Coloured(line);
    const std::span<const CharColour> characters = LineCharacters(settings, 0);

    const QList<int> lefts =
        CharacterLefts(settings.text, characters, surface.font(), &surface, 1 << 30);
    QCOMPARE(lefts.size(), qsizetype(characters.size()));
    const double tpp = TwipsPerPixelX();
    for (qsizetype k = 0; k < lefts.size(); ++k) {
        const QString before = settings.text.left(characters[k].start);
        const int measured = TwipsToPixels(surface.textWidth(before), tpp);
        QVERIFY2(lefts[k] == measured,
                 qPrintable(QStringLiteral("character %1 at %2, the run before it measures %3")
                                .arg(k)
                                .arg(lefts[k])
                                .arg(measured)));
    }
}

void TestTextPreview::measuringStopsPastTheLimit()
{
    DrawingSurface surface;
    surface.setFont(PreviewFont());
    const GradientSettings settings = Coloured(QString(100000, u'w'));
    const QList<int> lefts =
        CharacterLefts(settings.text, LineCharacters(settings, 0), surface.font(), &surface, 587);
    QVERIFY(lefts.size() > 10);
    QVERIFY(lefts.size() < 1000);
    QVERIFY(lefts.last() >= 587);
    QVERIFY(lefts.at(lefts.size() - 2) < 587);
}

void TestTextPreview::charactersInTheirColoursOnTheirLines()
{
    DrawingSurface surface;
    surface.setFont(PreviewFont());
    surface.resize(587, 60);
    surface.setBackColor(0x000000);
    const QString block(3, QChar(FullBlock));
    const GradientSettings settings =
        Coloured(block + QStringLiteral("\r\n") + block + QStringLiteral("\r\n") + block);
    PaintCharacters(surface, settings);

    const QImage image = surface.image();
    const int lineHeight = QFontMetrics(surface.font(), &surface).height();
    for (qsizetype line = 0; line < 3; ++line) {
        const std::span<const CharColour> characters = LineCharacters(settings, line);
        const QList<int> lefts =
            CharacterLefts(settings.text, characters, surface.font(), &surface, 587);
        for (qsizetype k = 0; k < 3; ++k) {
            const QPoint centre(lefts[k] + 2, int(line) * lineHeight + lineHeight / 2);
            QCOMPARE(image.pixelColor(centre), ColourOf(characters[k]));
        }
    }
    // Nothing below the third line.
    for (int x = 0; x < 40; ++x)
        QCOMPARE(image.pixelColor(x, 3 * lineHeight + 2), QColor(Qt::black));
}

void TestTextPreview::emptyLinesKeepTheirSpace()
{
    DrawingSurface surface;
    surface.setFont(PreviewFont());
    surface.resize(200, 60);
    surface.setBackColor(0x000000);
    const QString text =
        QString(QChar(FullBlock)) + QStringLiteral("\r\n\r\n") + QString(QChar(FullBlock));
    const GradientSettings settings = Coloured(text);
    PaintCharacters(surface, settings);

    const QImage image = surface.image();
    const int lineHeight = QFontMetrics(surface.font(), &surface).height();
    QCOMPARE(image.pixelColor(2, lineHeight / 2), ColourOf(settings.charColours.at(0)));
    QCOMPARE(image.pixelColor(2, lineHeight + lineHeight / 2), QColor(Qt::black));
    QCOMPARE(image.pixelColor(2, 2 * lineHeight + lineHeight / 2),
             ColourOf(settings.charColours.at(1)));
}

void TestTextPreview::widerLineIsCutOffAtTheRightEdge()
{
    DrawingSurface surface;
    surface.setFont(PreviewFont());
    surface.resize(100, 30);
    surface.setBackColor(0x000000);
    const GradientSettings settings = Coloured(QString(200, QChar(FullBlock)));
    PaintCharacters(surface, settings);

    // The visible characters run to the right edge in their colours; the rest of
    // the line is coloured all the same.
    QCOMPARE(settings.charColours.size(), 200);
    QCOMPARE(ColourOf(settings.charColours.last()), QColor(0, 0, 255));
    const QList<int> lefts = CharacterLefts(settings.text, LineCharacters(settings, 0),
                                            surface.font(), &surface, surface.width());
    const qsizetype lastVisible = lefts.size() - 2;
    const QImage image = surface.image();
    QCOMPARE(image.pixelColor(99, 5), ColourOf(settings.charColours.at(lastVisible)));
}

void TestTextPreview::previewTextSize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("size"); // 0: no size

    QTest::newRow("whole number") << "8" << 8.0;
    QTest::newRow("fraction") << "12.5" << 12.5;
    QTest::newRow("blanks around") << " 9 " << 9.0;
    QTest::newRow("below the smallest") << "0.5" << MinimumTextSize;
    QTest::newRow("above the largest") << "1000" << MaximumTextSize;
    QTest::newRow("exponent") << "1e3" << MaximumTextSize;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("negative") << "-3" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("number with letters after it") << "8x" << 0.0;
    QTest::newRow("comma") << "1,5" << 0.0;
    QTest::newRow("infinity") << "inf" << 0.0;
    QTest::newRow("not a number") << "nan" << 0.0;
}

void TestTextPreview::previewTextSize()
{
    QFETCH(QString, text);
    QFETCH(double, size);
    const std::optional<double> result = PreviewTextSize(text);
    if (size == 0.0)
        QVERIFY(!result.has_value());
    else
        QCOMPARE(result, std::optional<double>(size));
}

QTEST_MAIN(TestTextPreview)
#include "tst_textpreview.moc"
