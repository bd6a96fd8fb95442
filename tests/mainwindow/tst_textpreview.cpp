// The text preview's painting. Lines that neither turn nor join: each character
// at the width the surface measures for the run before it, exactly as it always
// was. Right-to-left, joined and mixed lines: each character's colour where the
// bidirectional algorithm puts it, over the shapes of Qt's own layout of the line.

#include "mainwindow/fonts.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/textpreview.h"
#include "platform/drawingsurface.h"
#include "platform/twips.h"
#include "tests/common/settings.h"

#include <QHash>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <QTextLayout>

using namespace huevane;

namespace {

// The text preview's font; with @p shaping, kerning and ligatures too.
QFont PreviewFont(bool shaping = false, double size = 8)
{
    InstallFontSubstitutions();
    QFont font = TextPreviewFont(QFont(QStringLiteral("Tahoma")));
    font.setPointSizeF(size);
    if (shaping)
        font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

QColor Colour(const CharColour &c)
{
    return QColor(c.red, c.green, c.blue);
}

constexpr char16_t FullBlock = 0x2588; // fills its whole cell: the cell's colour is exact

// @p line as the preview paints it in white, on black.
QImage PaintedWhite(DrawingSurface &surface, const QString &line)
{
    test::Gradient white;
    white.start = white.end = {255, 255, 255};
    surface.setBackColor(0x000000);
    PaintCharacters(surface, test::Coloured(line, white));
    return surface.image();
}

// Qt's own layout of @p line in the preview's font, shaped, in the direction its
// first letter gives, in white on black: from the edge it reads from, on the
// preview's baseline (so that glyphs taller than its font are cut alike).
QImage QtLayout(const DrawingSurface &surface, const QString &line)
{
    QImage image = surface.image();
    image.fill(Qt::black);
    QFont font = surface.font();
    font.setStyleStrategy(QFont::PreferDefault);
    QTextLayout layout(line, font, &surface);
    layout.beginLayout();
    const QTextLine laidOut = layout.createLine();
    layout.endLayout();
    QPainter painter(&image);
    painter.setPen(Qt::white);
    const qreal x = line.isRightToLeft() ? image.width() - laidOut.horizontalAdvance() : 0;
    layout.draw(
        &painter,
        QPointF(x, QFontMetrics(surface.font(), &surface).ascent() - qRound(laidOut.ascent())));
    return image;
}

} // namespace

class TestTextPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void characterLefts_data();
    void characterLefts();
    void charactersPainted();
    void latinDrawnAsBefore_data();
    void latinDrawnAsBefore();
    void shapedLines_data();
    void shapedLines();
    void longLines_data();
    void longLines();
};

void TestTextPreview::characterLefts_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("shaping");

    // clang-format off
    const std::pair<const char *, QString> lines[] = {
        {"kerning pairs", QStringLiteral("AVAWAYTo Te LT yA")},
        {"combining accents", QStringLiteral("e\u0301a\u0308o\u0302 Cafe\u0301")},
        {"emoji sequences", QStringLiteral("a\U0001F44D\U0001F3FDb\U0001F468\u200D\U0001F469\u200D\U0001F467c")},
        {"spaces", QStringLiteral("  a  b   ")},
        {"tabs", QStringLiteral("ab\tcdefgh\t\tij")},
        {"long line", QString(600, u'm') + QStringLiteral("AV")},
    };
    // clang-format on
    for (const auto &[name, line] : lines) {
        QTest::addRow("%s, preview font", name) << line << false;
        QTest::addRow("%s, kerning font", name) << line << true;
    }
    QTest::newRow("ligature candidates, preview font")
        << QStringLiteral("fi ffl office fjord") << false;
}

void TestTextPreview::characterLefts()
{
    QFETCH(QString, line);
    QFETCH(bool, shaping);
    DrawingSurface surface;
    surface.setFont(PreviewFont(shaping));
    const GradientSettings settings = test::Coloured(line);
    const std::span<const CharColour> characters(settings.charColours);

    const QList<int> lefts =
        CharacterLefts(settings.text, characters, surface.font(), &surface, 1 << 30);
    QCOMPARE(lefts.size(), qsizetype(characters.size()));
    for (qsizetype k = 0; k < lefts.size(); ++k) {
        const double before = surface.textWidth(settings.text.left(characters[k].start));
        QVERIFY2(lefts[k] == TwipsToPixels(before, TwipsPerPixelX()),
                 qPrintable(QString::number(k)));
    }
}

void TestTextPreview::charactersPainted()
{
    // Three lines, the second empty, the third wider than the surface.
    DrawingSurface surface;
    surface.setFont(PreviewFont());
    surface.resize(100, 60);
    surface.setBackColor(0x000000);
    const QString block(3, QChar(FullBlock));
    const GradientSettings settings =
        test::Coloured(block + QStringLiteral("\r\n\r\n") + QString(200, QChar(FullBlock)));
    PaintCharacters(surface, settings);

    const QImage image = surface.image();
    const int lineHeight = QFontMetrics(surface.font(), &surface).height();
    for (qsizetype line : {0, 2}) {
        const auto characters =
            std::span(settings.charColours).subspan(line ? 3 : 0, line ? 200 : 3);
        const QList<int> lefts =
            CharacterLefts(settings.text, characters, surface.font(), &surface, 100);
        const int y = int(line) * lineHeight + lineHeight / 2;
        for (qsizetype k = 0; k < 3; ++k)
            QCOMPARE(image.pixelColor(lefts[k] + 2, y), Colour(characters[k]));
        // The wide line shows up to the right edge; measuring stops at the first edge beyond it.
        if (line == 2) {
            QCOMPARE(image.pixelColor(99, y), Colour(characters[lefts.size() - 2]));
            QVERIFY(lefts.last() >= 100 && lefts[lefts.size() - 2] < 100);
        }
    }
    QCOMPARE(image.pixelColor(2, lineHeight + lineHeight / 2), QColor(Qt::black));
    QCOMPARE(image.pixelColor(2, 3 * lineHeight + 2), QColor(Qt::black));
}

void TestTextPreview::latinDrawnAsBefore_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("size");
    const std::pair<const char *, QString> texts[] = {
        {"sample text", MainWindow::SampleText},
        {"kerning pairs, ligatures, accents, an emoji",
         QStringLiteral("AVAWAYTo Te LT yA fi ffl office\r\ne\u0301a\u0308o\u0302 Caf\u00e9 "
                        "\u00c5ngstr\u00f6m \U0001F600")},
        {"tabs", QStringLiteral("ab\tcdefgh\t\tij\r\n\tlead\ttab")},
        {"long lines, Arabic beyond the right edge",
         QString(600, u'm') + QStringLiteral("AV\r\n")
             + QStringLiteral("The quick brown fox ").repeated(60)
             + QStringLiteral("\u0633\u0644\u0627\u0645")},
    };
    for (double size : {8.0, 12.5}) {
        for (const auto &[name, text] : texts)
            QTest::addRow("%s, %g points", name, size) << text << size;
    }
}

void TestTextPreview::latinDrawnAsBefore()
{
    // Each character alone at its left edge, one line height below the line before.
    QFETCH(QString, text);
    QFETCH(double, size);
    DrawingSurface surface;
    surface.setFont(PreviewFont(false, size));
    surface.resize(587, 46);
    surface.setBackColor(0x000000);
    const GradientSettings settings = test::Coloured(text);
    PaintCharacters(surface, settings);

    QImage before = surface.image();
    before.fill(Qt::black);
    QPainter painter(&before);
    painter.setFont(surface.font());
    const QFontMetrics metrics(surface.font(), &surface);
    std::span<const CharColour> rest(settings.charColours);
    for (qsizetype line = 0; line < settings.lines.size(); ++line) {
        qsizetype count = 0;
        while (count < qsizetype(rest.size()) && rest[count].start < settings.lines[line].end())
            ++count;
        const QList<int> lefts = CharacterLefts(settings.text, rest.first(count), surface.font(),
                                                &surface, surface.width());
        for (qsizetype k = 0; k < lefts.size() && lefts[k] < surface.width(); ++k) {
            painter.setPen(Colour(rest[k]));
            painter.drawText(lefts[k], int(line) * metrics.height() + metrics.ascent(),
                             rest[k].character(settings.text).toString());
        }
        rest = rest.subspan(count);
    }
    painter.end();
    QCOMPARE(surface.image(), before);
}

void TestTextPreview::shapedLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QList<int>>("order"); // the characters whose colour shows, left to right

    // clang-format off
    QTest::newRow("Hebrew, a space after it") << QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD ") << QList {8, 7, 6, 5, 3, 2, 1, 0};
    QTest::newRow("Arabic, lam and alef in one glyph") << QStringLiteral("\u0633\u0644\u0627\u0645 \u0639\u0644\u064A\u0643\u0645") << QList {9, 8, 7, 6, 5, 3, 2, 1, 0};
    QTest::newRow("Arabic with numbers") << QStringLiteral("\u0627\u0644\u0639\u062F\u062F \u0661\u0662\u0663 \u0648 456") << QList {12, 13, 14, 10, 6, 7, 8, 4, 3, 2, 1, 0};
    QTest::newRow("Devanagari, a vowel sign before its consonant") << QStringLiteral("\u0915\u093F\u0924\u093E\u092C \u0928\u092E\u0938\u094D\u0924\u0947") << QList {0, 1, 2, 4, 5, 6};
    QTest::newRow("emoji sequences") << QStringLiteral("a\U0001F468\u200D\U0001F469\u200D\U0001F467b\U0001F44D\U0001F3FDc") << QList {0, 2, 4};
    QTest::newRow("Latin and Hebrew") << QStringLiteral("ab \u05D0\u05D1 12 cd") << QList {0, 1, 6, 7, 4, 3, 9, 10};
    // clang-format on
}

void TestTextPreview::shapedLines()
{
    QFETCH(QString, line);
    QFETCH(QList<int>, order);
    DrawingSurface surface;
    surface.setFont(PreviewFont(false, 20));
    surface.resize(400, 40);
    surface.setBackColor(0x000000);
    GradientSettings settings = test::Coloured(line);
    PaintCharacters(surface, settings);

    // Every column shows one character's colour at most (where a glyph covers a
    // pixel whole); read left to right, they give the order of the characters.
    QHash<QRgb, int> characters;
    for (int k = 0; k < settings.charColours.size(); ++k)
        characters.insert(Colour(settings.charColours[k]).rgb(), k);
    QImage image = surface.image();
    QList<int> shown;
    for (int x = 0; x < image.width(); ++x) {
        QSet<int> column;
        for (int y = 0; y < image.height(); ++y)
            column += characters.value(image.pixel(x, y), -1);
        column.remove(-1);
        QVERIFY2(column.size() <= 1, qPrintable(QString::number(x)));
        if (!column.isEmpty() && (shown.isEmpty() || shown.last() != *column.begin()))
            shown.append(*column.begin());
    }
    QCOMPARE(shown, order);

    // In one colour the shapes are those of Qt's own layout of the line.
    QCOMPARE(PaintedWhite(surface, line), QtLayout(surface, line));
}

void TestTextPreview::longLines_data()
{
    QTest::addColumn<QString>("line");
    const QString hebrew = QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD ");
    QTest::newRow("Hebrew") << hebrew.repeated(300);
    QTest::newRow("Arabic, joined")
        << QStringLiteral("\u0633\u0644\u0627\u0645 \u0639\u0644\u064A\u0643\u0645 ").repeated(300);
    QTest::newRow("Latin, then Hebrew to past the edge")
        << QStringLiteral("ab ") + hebrew.repeated(300) + QStringLiteral("cd");
    QTest::newRow("Latin in an embedding") << QStringLiteral("ab \u202B")
            + (hebrew + QStringLiteral("xy ")).repeated(300) + QStringLiteral("\u202C cd");
}

void TestTextPreview::longLines()
{
    // Only a part of a long line is laid out; it must show what the whole would.
    QFETCH(QString, line);
    DrawingSurface surface;
    surface.setFont(PreviewFont(false, 12));
    surface.resize(300, 20);
    QCOMPARE(PaintedWhite(surface, line), QtLayout(surface, line));
}

QTEST_MAIN(TestTextPreview)
#include "tst_textpreview.moc"
