// The text preview's painting. Lines that neither turn nor join: each character
// at the width the surface measures for the line before it, exactly as it always
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
#include <QTest>
#include <QTextLayout>

using namespace huevane;

namespace {

// The text preview's font at @p size points.
QFont PreviewFont(double size = 8)
{
    InstallFontSubstitutions();
    QFont font = TextPreviewFont(QFont(QStringLiteral("Tahoma")));
    font.setPointSizeF(size);
    return font;
}

QColor Colour(const CharColour &c)
{
    return QColor(c.red, c.green, c.blue);
}

// @p line as the preview paints it in white, on black.
QImage PaintedWhite(DrawingSurface &surface, const QString &line)
{
    test::Gradient white;
    white.start = white.end = {255, 255, 255};
    surface.setBackColor(0x000000);
    const test::ColouredText coloured = test::Coloured(line, white);
    PaintCharacters(surface, coloured.text, coloured.colours);
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
    void latinDrawnAsBefore_data();
    void latinDrawnAsBefore();
    void shapedLines_data();
    void shapedLines();
    void styles_data();
    void styles();
};

void TestTextPreview::latinDrawnAsBefore_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("size");
    const std::pair<const char *, QString> texts[] = {
        {"sample text", GradientModel::SampleText},
        {"kerning pairs, ligatures, accents, spaces, an emoji",
         QStringLiteral("AVAWAYTo Te LT yA fi ffl office fjord\r\ne\u0301a\u0308o\u0302 Caf\u00e9 "
                        "\u00c5ngstr\u00f6m \U0001F600\r\n  a  b   ")},
        {"tabs, an empty line", QStringLiteral("ab\tcdefgh\t\tij\r\n\r\n\tlead\ttab")},
        {"long lines, Arabic beyond the right edge",
         QString(600, u'm') + QStringLiteral("AV\r\n")
             + QStringLiteral("The quick brown fox ").repeated(200)
             + QStringLiteral("\u0633\u0644\u0627\u0645")},
    };
    for (double size : {8.0, 12.5, 1.0}) { // at 1 point a line is measured in more than one pass
        for (const auto &[name, text] : texts)
            QTest::addRow("%s, %g points", name, size) << text << size;
    }
}

void TestTextPreview::latinDrawnAsBefore()
{
    // Each character alone at its left edge, the width the surface measures for
    // the line before it, and one line height below the line before; measured up
    // to the first edge beyond the surface.
    QFETCH(QString, text);
    QFETCH(double, size);
    DrawingSurface surface;
    surface.setFont(PreviewFont(size));
    surface.resize(587, 46);
    surface.setBackColor(0x000000);
    const test::ColouredText coloured = test::Coloured(text);
    PaintCharacters(surface, coloured.text, coloured.colours);

    QImage before = surface.image();
    before.fill(Qt::black);
    QPainter painter(&before);
    painter.setFont(surface.font());
    const QFontMetrics metrics(surface.font(), &surface);
    const QString &all = coloured.text.text();
    std::span<const CharColour> rest(coloured.colours);
    for (qsizetype line = 0; line < coloured.text.lineCount(); ++line) {
        const TextSpan span = coloured.text.line(line);
        qsizetype count = 0;
        while (count < qsizetype(rest.size()) && rest[count].start < span.end())
            ++count;
        const QList<int> lefts =
            CharacterLefts(all, rest.first(count), surface.font(), &surface, surface.width());
        QVERIFY(lefts.size() == count || lefts.last() >= surface.width());
        for (qsizetype k = 0; k < lefts.size() && lefts[k] < surface.width(); ++k) {
            const QString run = all.sliced(span.start, rest[k].start - span.start);
            QCOMPARE(lefts[k], TwipsToPixels(surface.textWidth(run), TwipsPerPixelX()));
            painter.setPen(Colour(rest[k]));
            painter.drawText(lefts[k], int(line) * metrics.height() + metrics.ascent(),
                             rest[k].character(all).toString());
        }
        rest = rest.subspan(count);
    }
    painter.end();
    QCOMPARE(surface.image(), before);
}

void TestTextPreview::shapedLines_data()
{
    QTest::addColumn<QString>("line");
    // The characters whose colour shows, left to right; none for lines too long to list.
    QTest::addColumn<QList<int>>("order");

    // clang-format off
    QTest::newRow("Hebrew, a space after it") << QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD ") << QList {8, 7, 6, 5, 3, 2, 1, 0};
    QTest::newRow("Arabic, lam and alef in one glyph") << QStringLiteral("\u0633\u0644\u0627\u0645 \u0639\u0644\u064A\u0643\u0645") << QList {9, 8, 7, 6, 5, 3, 2, 1, 0};
    QTest::newRow("Arabic with numbers") << QStringLiteral("\u0627\u0644\u0639\u062F\u062F \u0661\u0662\u0663 \u0648 456") << QList {12, 13, 14, 10, 6, 7, 8, 4, 3, 2, 1, 0};
    QTest::newRow("Devanagari, a vowel sign before its consonant") << QStringLiteral("\u0915\u093F\u0924\u093E\u092C \u0928\u092E\u0938\u094D\u0924\u0947") << QList {0, 1, 2, 4, 5, 6};
    QTest::newRow("emoji sequences") << QStringLiteral("a\U0001F468\u200D\U0001F469\u200D\U0001F467b\U0001F44D\U0001F3FDc") << QList {0, 2, 4};
    QTest::newRow("Latin and Hebrew") << QStringLiteral("ab \u05D0\u05D1 12 cd") << QList {0, 1, 6, 7, 4, 3, 9, 10};
    // Only a part of a long line is laid out; it must show what the whole would.
    const QString hebrew = QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD ");
    QTest::newRow("long: Hebrew") << hebrew.repeated(300) << QList<int> {};
    QTest::newRow("long: Arabic") << QStringLiteral("\u0633\u0644\u0627\u0645 \u0639\u0644\u064A\u0643\u0645 ").repeated(300) << QList<int> {};
    QTest::newRow("long: Latin, then Hebrew past the edge") << QStringLiteral("ab ") + hebrew.repeated(300) + QStringLiteral("cd") << QList<int> {};
    QTest::newRow("long: Latin in an embedding") << QStringLiteral("ab \u202B") + (hebrew + QStringLiteral("xy ")).repeated(300) + QStringLiteral("\u202C cd") << QList<int> {};
    // clang-format on
}

void TestTextPreview::shapedLines()
{
    QFETCH(QString, line);
    QFETCH(QList<int>, order);
    DrawingSurface surface;
    surface.setFont(PreviewFont(20));
    surface.resize(400, 40);
    surface.setBackColor(0x000000);
    const test::ColouredText coloured = test::Coloured(line);
    PaintCharacters(surface, coloured.text, coloured.colours);

    // Read left to right, the colours give the order of the characters (where a
    // glyph covers a pixel whole).
    QHash<QRgb, int> characters;
    for (int k = 0; k < coloured.colours.size(); ++k)
        characters.insert(Colour(coloured.colours[k]).rgb(), k);
    const QImage image = surface.image();
    QList<int> shown;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const int k = characters.value(image.pixel(x, y), -1);
            if (k >= 0 && (shown.isEmpty() || shown.last() != k))
                shown.append(k);
        }
    }
    if (!order.isEmpty())
        QCOMPARE(shown, order);

    // In one colour the shapes are those of Qt's own layout of the line.
    QCOMPARE(PaintedWhite(surface, line), QtLayout(surface, line));
}

void TestTextPreview::styles_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("style");
    for (const QString &line :
         {QStringLiteral("ab  cd ef"), QStringLiteral("\u05E9\u05DC\u05D5\u05DD  \u05E2\u05D5")}) {
        for (int style = 0; style < StyleCount; ++style) {
            QTest::addRow("%s, %s", line.isRightToLeft() ? "Hebrew" : "Latin",
                          qPrintable(ToQString(StyleNames[style])))
                << line << style;
        }
    }
}

// Bold and italic come with the font. Underline and strikethrough are lines in
// each character's colour, unbroken under spaces, from the line's first
// character to its last and no further; obfuscated hatches the line's height.
void TestTextPreview::styles()
{
    QFETCH(QString, line);
    QFETCH(int, style);
    DrawingSurface surface;
    surface.setFont(PreviewFont(14));
    surface.resize(300, 60);
    surface.setBackColor(0x000000);
    const test::ColouredText coloured = test::Coloured(line);
    PaintCharacters(surface, coloured.text, coloured.colours);
    const QImage plain = surface.image();
    surface.clear();
    PaintCharacters(surface, coloured.text, coloured.colours, StyleBit(Style(style)));
    const QImage styled = surface.image();
    QVERIFY(styled != plain);

    const QFontMetrics metrics(surface.font(), &surface);
    const auto inked = [&](int y) {
        QList<int> xs;
        for (int x = 0; x < styled.width(); ++x) {
            if (styled.pixel(x, y) != plain.pixel(x, y) || plain.pixel(x, y) != qRgb(0, 0, 0))
                xs.append(x);
        }
        return xs;
    };
    if (style == int(Style::Underline) || style == int(Style::Strikethrough)) {
        const int y = metrics.ascent()
            + (style == int(Style::Underline) ? metrics.underlinePos() : -metrics.strikeOutPos());
        const QList<int> xs = inked(y);
        QCOMPARE(xs.size(), xs.last() - xs.first() + 1);
        QVERIFY(std::abs(xs.size() - metrics.horizontalAdvance(line)) <= 2);
        const int first = line.isRightToLeft() ? styled.width() - 1 : 0;
        QCOMPARE(line.isRightToLeft() ? xs.last() : xs.first(), first);
        QCOMPARE(QColor(styled.pixel(first, y)), Colour(coloured.colours.first()));
    } else if (style == int(Style::Obfuscated)) {
        for (int y = 0; y < styled.height(); ++y)
            QCOMPARE(inked(y).size() >= metrics.horizontalAdvance(line) / 8 - 1,
                     y < metrics.height());
    }
}

QTEST_MAIN(TestTextPreview)
#include "tst_textpreview.moc"
