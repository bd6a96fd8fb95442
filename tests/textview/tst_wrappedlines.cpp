// Where a text breaks into lines: Unicode's rules, shaped widths, and a change
// breaking again only the lines it reaches.

#include "tests/textview/boxfont.h"
#include "textview/wrappedlines.h"

#include <QFontMetricsF>
#include <QTest>
#include <QTextLayout>

using namespace huevane;

namespace {

// The width of @p letters letters 'a' and a half.
qreal Letters(int letters)
{
    const qreal a = QFontMetricsF(BoxFont()).horizontalAdvance(u'a');
    return a * letters + a / 2;
}

QStringList Shown(const WrappedLines &lines)
{
    QStringList shown;
    for (qsizetype i = 0; lines.exists(i); ++i)
        shown << lines.text().mid(lines.start(i), lines.end(i) - lines.start(i));
    return shown;
}

// The direction of each line, L or R.
QString Directions(const WrappedLines &lines)
{
    QString shown;
    for (qsizetype i = 0; lines.exists(i); ++i)
        shown += lines.direction(i) == Qt::RightToLeft ? u'R' : u'L';
    return shown;
}

QList<qsizetype> Starts(const WrappedLines &lines)
{
    QList<qsizetype> starts;
    for (qsizetype i = 0; lines.exists(i); ++i)
        starts << lines.start(i);
    return starts;
}

// Where Qt's own layout starts the lines of @p text, each paragraph laid out
// on its own at @p width.
QList<qsizetype> QtStarts(const QString &text, qreal width)
{
    QList<qsizetype> starts;
    qsizetype from = 0;
    for (const QString &paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, BoxFont());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            starts << from + line.textStart();
        }
        layout.endLayout();
        from += paragraph.size() + 1;
    }
    return starts;
}

} // namespace

class TestWrappedLines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineBreaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("letters"); // the width, in advances of 'a'
        QTest::addColumn<QStringList>("lines");
        const QString e = QStringLiteral("e\u0301");
        // clang-format off
        QTest::newRow("empty") << QString() << 5 << QStringList {""};
        QTest::newRow("every line break") << "a\nb\r\nc\rd\u2028e\u2029f" << 5 << QStringList {"a", "b", "c", "d", "e", "f"};
        QTest::newRow("a break at the end leaves an empty line") << "aa\r\n" << 5 << QStringList {"aa", ""};
        QTest::newRow("after the last space that fits") << "aaa aaa aaa" << 8 << QStringList {"aaa aaa ", "aaa"};
        QTest::newRow("spaces stand past the width") << "aaaa      aaaa" << 5 << QStringList {"aaaa      ", "aaaa"};
        QTest::newRow("after a hyphen") << "aaa-aaa-aaa" << 9 << QStringList {"aaa-aaa-", "aaa"};
        QTest::newRow("a word wider than the width, by characters") << "aaaaaaaaaaaa" << 5 << QStringList {"aaaaa", "aaaaa", "aa"};
        QTest::newRow("never inside a character") << e.repeated(8) << 3 << QStringList {e.repeated(3), e.repeated(3), e.repeated(2)};
        QTest::newRow("one character a line however narrow") << "aaa" << 0 << QStringList {"a", "a", "a"};
        // clang-format on
    }
    void lineBreaks()
    {
        QFETCH(QString, text);
        QFETCH(int, letters);
        QFETCH(QStringList, lines);
        WrappedLines wrapped;
        wrapped.layout(text, BoxFont(), Letters(letters));
        QCOMPARE(Shown(wrapped), lines);
    }

    // The lines are those Qt's own layout finds for the paragraph, shaped.
    void asQtBreaksThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("latin, kerned")
            << QStringLiteral("AVAVA Type To Wave LTA fiflffi office. Yes, "
                              "quite (so) - a-b-c; 12,345.67 ")
                   .repeated(4);
        QTest::newRow("hebrew")
            << QStringLiteral("\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd ").repeated(12);
        QTest::newRow("arabic")
            << QStringLiteral(
                   "\u0645\u0631\u062d\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645 ")
                   .repeated(10);
        QTest::newRow("devanagari")
            << QStringLiteral(
                   "\u0928\u092e\u0938\u094d\u0924\u0947 \u0926\u0941\u0928\u093f\u092f\u093e ")
                   .repeated(10);
        QTest::newRow("emoji")
            << QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467 \U0001F44D\U0001F3FD ok ")
                   .repeated(10);
    }
    void asQtBreaksThem()
    {
        QFETCH(QString, text);
        for (const qreal width : {60.5, 97.0, 150.25, 377.0}) {
            WrappedLines wrapped;
            wrapped.layout(text, BoxFont(), width);
            QCOMPARE(Starts(wrapped), QtStarts(text, width));
        }
    }

    // A long text is broken only as far as it is asked for, a little at a
    // time, and the lines found on the way are those Qt's layout finds for it
    // whole; until the end the count is an estimate, near the true one.
    void breaksAsAskedFor_data()
    {
        QTest::addColumn<int>("paragraph"); // words in a paragraph
        QTest::newRow("one paragraph") << 100000;
        QTest::newRow("paragraphs of 500 words") << 500;
    }
    void breaksAsAskedFor()
    {
        QFETCH(int, paragraph);
        const QStringList pool {"lorem",
                                "ipsum",
                                "dolor,",
                                "sit",
                                "caf\u00e9",
                                "(amet)",
                                "consectetur-adipiscing",
                                QString(40, u'w')};
        QString text;
        for (int word = 0; text.size() < 3 * WrappedLines::EagerUnits; ++word)
            text +=
                pool[word * 7 % pool.size()] + (word % paragraph == paragraph - 1 ? u'\n' : u' ');
        WrappedLines lines;
        lines.layout(text, BoxFont(), 150);
        QVERIFY(!lines.isComplete());
        const qsizetype estimate = lines.count();
        QCOMPARE_LT(lines.brokenLines(), estimate / 2);
        QCOMPARE(Starts(lines), QtStarts(text, 150));
        QVERIFY(lines.isComplete());
        QCOMPARE_LT(std::abs(estimate - lines.count()), lines.count() / 20);
    }

    // Edits give the lines a fresh layout gives, and a key at the end of a
    // long line breaks its last lines only.
    void changesBreakOnlyWhatTheyReach()
    {
        QString text = QStringLiteral("lorem ipsum dolor sit amet, consectetur ").repeated(2000);
        WrappedLines lines;
        lines.layout(text, BoxFont(), 150);
        const qsizetype count = lines.count();
        lines.replace(text.size(), 0, QStringLiteral("x"));
        QCOMPARE_LE(lines.brokenLines(), 2);
        struct Change
        {
            qsizetype at, length;
            QString inserted;
        };
        const Change changes[] = {{text.size(), 0, "x"},
                                  {5, 1, "\n"},
                                  {3000, 0, "a longer word here"},
                                  {40, 200, ""},
                                  {0, 0, "\u05e9\u05dc\u05d5\u05dd "},
                                  {6, 1, ""},
                                  {4000, 0, "\n\u05e9\u05dc\u05d5\u05dd "}};
        lines.layout(text, BoxFont(), 150);
        for (const Change &change : changes) {
            // Asked for before and after: what is known of a paragraph must
            // not outlive a change to it.
            Directions(lines);
            lines.replace(change.at, change.length, change.inserted);
            text.replace(change.at, change.length, change.inserted);
            WrappedLines fresh;
            fresh.layout(text, BoxFont(), 150);
            QCOMPARE(Shown(lines), Shown(fresh));
            QCOMPARE(Directions(lines), Directions(fresh));
            QCOMPARE_LT(lines.brokenLines(), count / 10);
        }
        // A pre-edit text takes its room, and gives it back.
        lines.setPreedit(0, QString(60, u'w'));
        QCOMPARE_GT(lines.start(1), 0);
        QCOMPARE_LT(lines.start(1), Shown(lines).at(0).size() + 60);
        lines.setPreedit(-1, {});
        WrappedLines fresh;
        fresh.layout(text, BoxFont(), 150);
        QCOMPARE(Shown(lines), Shown(fresh));
    }

    void directions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("directions"); // per line, L or R
        QTest::newRow("each paragraph its own") << "abc\n\u05d0\u05d1 abc\n12 \u05d0"
                                                << "LRR";
        QTest::newRow("no strong character") << "123 ..."
                                             << "L";
        QTest::newRow("an isolate's letters do not count") << "\u2067\u05d0\u2069 abc"
                                                           << "L";
        QTest::newRow("wrapped lines take the paragraph's")
            << "\u05d0 " + QString(40, u'a') << "RRRRR";
    }
    void directions()
    {
        QFETCH(QString, text);
        QFETCH(QString, directions);
        WrappedLines lines;
        lines.layout(text, BoxFont(), Letters(10));
        QCOMPARE(Directions(lines), directions);
    }
};

QTEST_MAIN(TestWrappedLines)
#include "tst_wrappedlines.moc"
