#include "engine/charcolours.h"
#include "engine/htmlwriter.h"
#include "hotcommand/hotcommand.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/textpreview.h"
#include "mainwindow/typepreview.h"
#include "platform/drawingsurface.h"
#include "platform/twips.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

using namespace huevane;
using huevane::test::Window;

namespace {

const ColourTriplet StartColour {255, 70, 30};
const ColourTriplet EndColour {255, 255, 0};
const ColourTriplet BackColour {0, 0, 0};

// The record the window should hold: the engine's own computation for the text
// and options given.
GradientSettings Expected(const QString &text, quint8 type, qint32 centre, bool perLine = false)
{
    GradientSettings settings;
    SetText(settings, text);
    settings.startColour = StartColour;
    settings.endColour = EndColour;
    settings.backColour = BackColour;
    settings.gradientType = type;
    settings.centre = centre;
    settings.perLine = perLine;
    ComputeCharColours(settings);
    return settings;
}

QList<QColor> Colours(const GradientSettings &settings)
{
    QList<QColor> colours;
    for (const CharColour &c : settings.charColours)
        colours << QColor(c.red, c.green, c.blue);
    return colours;
}

QColor Unpack(quint32 colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// The stripes that the third preview shows for the window's current record.
QList<quint32> ThirdPreviewStripes(const Window &w, int kind = 3)
{
    return StripeColumns(
        {quint8(kind), StartColour, EndColour, w.settings().totalChars, w.settings().centre},
        w.typePreview(2)->scaleWidth(), TwipsPerPixelX(), w.typePreview(2)->width());
}

bool ShowsColumns(DrawingSurface *preview, const QList<quint32> &columns)
{
    const QImage shown = preview->grab().toImage();
    for (int x = 0; x < columns.size(); ++x) {
        if (shown.pixelColor(x, preview->height() / 2) != Unpack(columns[x]))
            return false;
    }
    return true;
}

// The pixels of rows @p top to @p bottom (excluded) that are not black.
int Inked(const QImage &image, int top, int bottom)
{
    int count = 0;
    for (int y = top; y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) != QColor(Qt::black) ? 1 : 0;
    return count;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUpState();
    void startUpPreviewDrawsThreeLines();
    void startUpTypePreviews();
    void typingChangesTheText_data();
    void typingChangesTheText();
    void selectingAType_data();
    void selectingAType();
    void captionLabelsToggleTheirBoxes_data();
    void captionLabelsToggleTheirBoxes();
    void textSize_data();
    void textSize();
    void generateWritesTheEnginesHtml_data();
    void generateWritesTheEnginesHtml();
    void placeholderComesBackWithEveryRedraw();
    void blankTextKeepsTheOutput();
    void lineBreakAloneIsNotBlank();
    void typeOutsideOneToThreeShowsAMessage_data();
    void typeOutsideOneToThreeShowsAMessage();
    void rightButtonResetsTheCentre();
    void leftDragMovesTheCentre_data();
    void leftDragMovesTheCentre();
    void releaseOnThirdPreviewRedrawsAsTypeThree();
    void dragWithoutStripesLeavesTheCentre_data();
    void dragWithoutStripesLeavesTheCentre();
    void refreshAllBringsValuesIntoRange_data();
    void refreshAllBringsValuesIntoRange();
    void exitClosesTheWindow();
};

void TestMainWindow::startUpState()
{
    Window w;
    QCOMPARE(w.settings().text, MainWindow::SampleText);
    QCOMPARE(w.text()->toPlainText(), QString(MainWindow::SampleText).replace("\r\n", "\n"));
    QCOMPARE(w.get<QLabel>("lblChars")->text(), QStringLiteral("90"));
    QCOMPARE(w.settings().totalChars, 90);
    QCOMPARE(w.settings().centre, 47);
    QCOMPARE(w.settings().gradientType, quint8(1));
    QVERIFY(w.get<QRadioButton>("Option1(0)")->isChecked());
    QCOMPARE(w.size()->text(), QStringLiteral("8"));
    QCOMPARE(w.preview()->font().pointSizeF(), 8.0);
    QCOMPARE(w.settings().textSize, 8.0f);
    QVERIFY(w.showsPlaceholder());

    const std::pair<const char *, QStringList> fields[] = {
        {"txtStCol", {"255", "70", "30", "FF", "46", "1E"}},
        {"txtEndCol", {"255", "255", "0", "FF", "FF", "0"}},
        {"txtBkCol", {"0", "0", "0", "0", "0", "0"}},
    };
    for (const auto &[name, texts] : fields) {
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w.get<QLineEdit>(QStringLiteral("%1(%2)").arg(name).arg(i))->text(), texts[i]);
    }
    QCOMPARE(w.get<QLabel>("lblStartCol(1)")->palette().color(QPalette::Window), QColor(0, 70, 0));
    QCOMPARE(w.get<QLabel>("lblEndCol(0)")->palette().color(QPalette::Window), QColor(255, 0, 0));
    const std::pair<const char *, QColor> swatches[] = {
        {"picStartCol", {255, 70, 30}}, {"picEndCol", {255, 255, 0}}, {"picBackCol", {0, 0, 0}}};
    for (const auto &[name, colour] : swatches)
        QCOMPARE(w.get<DrawingSurface>(name)->grab().toImage().pixelColor(9, 9), colour);

    QCOMPARE(Colours(w.settings()), Colours(Expected(MainWindow::SampleText, 1, 47)));

    // Setting the same text again takes the centre from its 90 characters.
    w.text()->setPlainText(MainWindow::SampleText);
    QCOMPARE(w.settings().centre, 45);
}

void TestMainWindow::startUpPreviewDrawsThreeLines()
{
    // The preview shows what the painter, tested on its own, draws for the
    // engine's record of the sample: three lines on black, and nothing below them.
    Window w;
    DrawingSurface expected;
    expected.setFont(w.preview()->font());
    expected.resize(w.preview()->size());
    expected.setBackColor(0x000000);
    PaintCharacters(expected, Expected(MainWindow::SampleText, 1, 47));
    const QImage shown = w.preview()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, expected.image().convertToFormat(QImage::Format_RGB32));

    const int lineHeight = QFontMetrics(w.preview()->font(), w.preview()).height();
    for (int line = 0; line < 3; ++line)
        QVERIFY2(Inked(shown, line * lineHeight, (line + 1) * lineHeight) > 50,
                 qPrintable(QString::number(line)));
    QCOMPARE(Inked(shown, 3 * lineHeight, shown.height()), 0);
}

void TestMainWindow::startUpTypePreviews()
{
    Window w;
    QCOMPARE(w.typePreview(0)->grab().toImage().pixelColor(0, 9), QColor(255, 70, 30));
    QCOMPARE(w.typePreview(0)->grab().toImage().pixelColor(154, 9), QColor(255, 255, 0));
    QCOMPARE(w.typePreview(1)->grab().toImage().pixelColor(0, 9), QColor(255, 255, 0));
    QVERIFY(ShowsColumns(w.typePreview(2), ThirdPreviewStripes(w)));
}

void TestMainWindow::typingChangesTheText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");

    const auto row = [](const char *name, const char *typed, const char *text, int count) {
        QTest::newRow(name) << QString(typed) << QString(text) << count;
    };
    row("one line", "abc", "abc", 3);
    row("Enter gives CR LF", "ab\nc", "ab\r\nc", 3);
    row("empty lines", "a\n\n", "a\r\n\r\n", 1);
    row("spaces count", "a b  ", "a b  ", 5);
    row("empty", "", "", 0);
}

void TestMainWindow::typingChangesTheText()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, count);
    Window w;
    w.click("lblGenerate");
    QVERIFY(!w.showsPlaceholder());

    w.type(typed);
    QCOMPARE(w.settings().text, text);
    QCOMPARE(w.get<QLabel>("lblChars")->text(), QString::number(count));
    QCOMPARE(w.settings().centre, Middle(count));
    QVERIFY(w.showsPlaceholder());
    QCOMPARE(Colours(w.settings()), Colours(Expected(text, 1, Middle(count))));
    if (count == 0) // the preview shows only its background
        QCOMPARE(Inked(w.preview()->grab().toImage(), 0, w.preview()->height()), 0);
}

void TestMainWindow::selectingAType_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("type");

    for (int k = 0; k < 3; ++k) {
        QTest::addRow("option %d", k)
            << QStringLiteral("Option1(%1)").arg(k) << Qt::LeftButton << k + 1;
        QTest::addRow("preview %d", k)
            << QStringLiteral("Picture4(%1)").arg(k) << Qt::LeftButton << k + 1;
    }
    QTest::newRow("right button on a preview") << "Picture4(1)" << Qt::RightButton << 2;
}

void TestMainWindow::selectingAType()
{
    QFETCH(QString, clicked);
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, type);
    Window w;
    if (type == 1)
        w.click("Option1(1)");
    w.click("lblGenerate");
    QWidget *target = w.get(clicked);
    QTest::mouseClick(target, button, {}, QPoint(6, 6));
    QCOMPARE(w.settings().gradientType, quint8(type));
    for (int k = 0; k < 3; ++k)
        QCOMPARE(w.get<QRadioButton>(QStringLiteral("Option1(%1)").arg(k))->isChecked(),
                 k + 1 == type);
    QCOMPARE(Colours(w.settings()), Colours(Expected(MainWindow::SampleText, quint8(type), 47)));
    QVERIFY(w.showsPlaceholder());
}

void TestMainWindow::captionLabelsToggleTheirBoxes_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("redraws");

    const auto row = [](const char *label, const char *box, bool redraws) {
        QTest::newRow(label) << QString(label) << QString(box) << redraws;
    };
    row("lblPerLine", "chkPerLine", true);
    row("lblUpTags", "chkUpTags", false);
    row("lblJSQuote", "chkJSQuote", false);
}

void TestMainWindow::captionLabelsToggleTheirBoxes()
{
    QFETCH(QString, label);
    QFETCH(QString, box);
    QFETCH(bool, redraws);
    Window w;
    auto *check = w.get<QCheckBox>(box);
    for (bool expected : {true, false}) {
        w.click("lblGenerate");
        w.click(label);
        QCOMPARE(check->isChecked(), expected);
        QCOMPARE(w.showsPlaceholder(), redraws);
    }
}

void TestMainWindow::textSize_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("size");

    QTest::newRow("fraction") << "12.5" << 12.5;
    QTest::newRow("zero keeps the size") << "0" << 8.0;
    QTest::newRow("letters after a number are not read") << "3x" << 3.0;
    QTest::newRow("too large is capped") << "1000" << MaximumTextSize;
}

void TestMainWindow::textSize()
{
    QFETCH(QString, typed);
    QFETCH(double, size);
    Window w;
    w.click("Option1(1)");
    w.click("lblGenerate");
    w.typeSize(typed);
    QCOMPARE(w.preview()->font().pointSizeF(), size);
    QCOMPARE(w.settings().textSize, float(size));
    // The preview is redrawn in every case, with the selected type.
    QVERIFY(w.showsPlaceholder());
    QCOMPARE(Colours(w.settings()), Colours(Expected(MainWindow::SampleText, 2, 47)));
}

void TestMainWindow::generateWritesTheEnginesHtml_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("perLine");
    QTest::addColumn<bool>("upperCase");
    QTest::addColumn<bool>("noQuotes");

    QTest::newRow("start-up") << QStringList() << 1 << false << false << false;
    QTest::newRow("upper-case tags") << QStringList {"chkUpTags"} << 1 << false << true << false;
    QTest::newRow("no quotes") << QStringList {"lblJSQuote"} << 1 << false << false << true;
    QTest::newRow("both options") << QStringList {"lblUpTags", "chkJSQuote"} << 1 << false << true
                                  << true;
    QTest::newRow("per line, type 2")
        << QStringList {"Option1(1)", "chkPerLine"} << 2 << true << false << false;
    QTest::newRow("type 3") << QStringList {"Option1(2)"} << 3 << false << false << false;
}

void TestMainWindow::generateWritesTheEnginesHtml()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, type);
    QFETCH(bool, perLine);
    QFETCH(bool, upperCase);
    QFETCH(bool, noQuotes);
    Window w;
    for (const QString &name : clicks)
        w.click(name);
    w.click("lblGenerate");

    GradientSettings expected = Expected(MainWindow::SampleText, quint8(type), 47, perLine);
    expected.upperCaseTags = upperCase;
    expected.noQuotes = noQuotes;
    const QString html = GenerateHtml(expected);
    QVERIFY(html.startsWith(upperCase ? "<FONT" : "<font"));
    QCOMPARE(w.htmlShown(), html);
}

void TestMainWindow::placeholderComesBackWithEveryRedraw()
{
    Window w;
    const auto generated = [&] {
        w.click("lblGenerate");
        return !w.showsPlaceholder();
    };
    QVERIFY(generated());
    w.preview()->clear();
    w.click("Option1(0)"); // the type already selected
    QVERIFY(w.showsPlaceholder());
    QVERIFY(Inked(w.preview()->image(), 0, w.preview()->height()) > 0);
    QVERIFY(generated());
    w.click("Option1(2)");
    QVERIFY(w.showsPlaceholder());
    QVERIFY(generated());
    w.click("chkPerLine");
    QVERIFY(w.showsPlaceholder());
    QVERIFY(generated());
    w.typeSize("9");
    QVERIFY(w.showsPlaceholder());
    QVERIFY(generated());
    w.window.refreshAll(w.window.colourPanel(3));
    QVERIFY(w.showsPlaceholder());

    // The two tag options change nothing until the next 'Generate'.
    QVERIFY(generated());
    const QString html = w.htmlShown();
    w.click("chkUpTags");
    w.click("lblJSQuote");
    QCOMPARE(w.htmlShown(), html);
}

void TestMainWindow::blankTextKeepsTheOutput()
{
    Window w;
    w.type(QStringLiteral("   "));
    QVERIFY(w.showsPlaceholder()); // a change of the text always puts it back
    w.click("lblGenerate");
    QCOMPARE(w.htmlShown(), QString()); // no HTML for a blank text

    // A redraw of a blank text only clears the preview, to the background it had.
    w.get<QLineEdit>("txtBkCol(0)")->setText(QStringLiteral("200"));
    w.window.refreshAll(w.window.colourPanel(3));
    w.typeSize("10");
    QCOMPARE(w.htmlShown(), QString());
    QCOMPARE(w.preview()->grab().toImage().pixelColor(5, 5), QColor(0, 0, 0));

    // The new background shows with the next text that is not blank.
    w.type(QStringLiteral("x"));
    QCOMPARE(w.preview()->grab().toImage().pixelColor(w.preview()->width() - 1, 5),
             QColor(200, 0, 0));
}

void TestMainWindow::lineBreakAloneIsNotBlank()
{
    Window w;
    w.get<QLineEdit>("txtBkCol(2)")->setText(QStringLiteral("90"));
    w.type(QStringLiteral("\n"));
    QCOMPARE(w.settings().text, QStringLiteral("\r\n"));
    QCOMPARE(w.get<QLabel>("lblChars")->text(), QStringLiteral("0"));
    w.click("lblGenerate");
    QCOMPARE(w.htmlShown(), QStringLiteral("<br>\r\n"));
    w.typeSize("9");
    QVERIFY(w.showsPlaceholder());
    QCOMPARE(w.preview()->grab().toImage().pixelColor(5, 5), QColor(0, 0, 90));
}

void TestMainWindow::typeOutsideOneToThreeShowsAMessage_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("0") << 0;
    QTest::newRow("4") << 4;
}

void TestMainWindow::typeOutsideOneToThreeShowsAMessage()
{
    QFETCH(int, type);
    Window w;
    w.get<QLineEdit>("txtBkCol(1)")->setText(QStringLiteral("60"));
    w.click("lblGenerate");
    QVERIFY(w.messages.isEmpty());
    w.window.drawTextPreview(quint8(type));
    QCOMPARE(w.messages,
             QStringList {QStringLiteral("Error setting colors for gradient:%1").arg(type)});

    // The new background without characters, the placeholder, and no colours left
    // for 'Generate' to write.
    const QImage shown = w.preview()->grab().toImage();
    for (int x = 0; x < shown.width(); x += 4)
        QCOMPARE(shown.pixelColor(x, 6), QColor(0, 60, 0));
    QVERIFY(w.showsPlaceholder());
    QVERIFY(w.settings().charColours.isEmpty());
    w.click("lblGenerate");
    QCOMPARE(w.htmlShown(), QString());
}

void TestMainWindow::rightButtonResetsTheCentre()
{
    Window w;
    DrawingSurface *third = w.typePreview(2);
    const QPoint inside(60, 9);
    QCOMPARE(w.settings().centre, 47);

    QTest::mousePress(third, Qt::RightButton, {}, inside);
    QCOMPARE(w.settings().centre, 47); // from the whole text: 94 / 2
    QTest::mouseMove(third, inside + QPoint(5, 0));
    QCOMPARE(w.settings().centre, 45); // from the characters alone: 90 / 2
    QVERIFY(ShowsColumns(third, ThirdPreviewStripes(w)));
    QTest::mouseRelease(third, Qt::RightButton, {}, inside + QPoint(5, 0));

    QTest::mousePress(third, Qt::RightButton, {}, inside);
    QCOMPARE(w.settings().centre, 47);
    QVERIFY(ShowsColumns(third, ThirdPreviewStripes(w)));
    QTest::mouseRelease(third, Qt::RightButton, {}, inside);
}

void TestMainWindow::leftDragMovesTheCentre_data()
{
    QTest::addColumn<int>("x"); // pixels
    QTest::addColumn<int>("centre");

    // 2325 twips over 90 stripes: stripes of nearest(25.8) = 26 twips.
    QTest::newRow("100 pixels") << 100 << 58; // 1500 / 26 = 57.7
    QTest::newRow("right edge") << 155 << 89; // 2325 / 26 = 89.4
    QTest::newRow("left of the preview") << -3 << 47;
    QTest::newRow("right of the preview") << 160 << 47;
}

void TestMainWindow::leftDragMovesTheCentre()
{
    QFETCH(int, x);
    QFETCH(int, centre);
    Window w;
    DrawingSurface *third = w.typePreview(2);
    QTest::mousePress(third, Qt::LeftButton, {}, QPoint(80, 9));
    QCOMPARE(w.settings().centre, 47); // a press alone moves nothing
    QTest::mouseMove(third, QPoint(x, 9));
    QCOMPARE(w.settings().centre, centre);
    QVERIFY(ShowsColumns(third, ThirdPreviewStripes(w)));
    QTest::mouseRelease(third, Qt::LeftButton, {}, QPoint(x, 9));
    QCOMPARE(Colours(w.settings()), Colours(Expected(MainWindow::SampleText, 3, centre)));
}

void TestMainWindow::releaseOnThirdPreviewRedrawsAsTypeThree()
{
    Window w;
    w.click("lblGenerate");
    QTest::mouseClick(w.typePreview(0), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!w.showsPlaceholder()); // type 1 was selected already: nothing changed

    QTest::mouseClick(w.typePreview(2), Qt::MiddleButton, {}, QPoint(5, 5));
    QVERIFY(w.showsPlaceholder());
    QCOMPARE(w.settings().gradientType, quint8(3));
    QCOMPARE(Colours(w.settings()), Colours(Expected(MainWindow::SampleText, 3, 47)));
}

void TestMainWindow::dragWithoutStripesLeavesTheCentre_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("centre");

    QTest::newRow("no characters") << 0 << 0;
    QTest::newRow("stripe width rounds to 0") << 5000 << 2500;
}

void TestMainWindow::dragWithoutStripesLeavesTheCentre()
{
    QFETCH(int, characters);
    QFETCH(int, centre);
    Window w;
    w.text()->setPlainText(QString(characters, u'x'));
    QCOMPARE(w.settings().centre, centre);
    DrawingSurface *third = w.typePreview(2);
    const QImage before = third->grab().toImage();

    QTest::mousePress(third, Qt::LeftButton, {}, QPoint(10, 9));
    QTest::mouseMove(third, QPoint(100, 9));
    QCOMPARE(w.settings().centre, centre);
    QCOMPARE(third->grab().toImage(), before);
    QTest::mouseRelease(third, Qt::LeftButton, {}, QPoint(100, 9));
}

void TestMainWindow::refreshAllBringsValuesIntoRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<int>("green");

    // The field's own range rules are tested with the fields; these rows follow a
    // value through the whole window.
    const auto row = [](const char *name, const char *text, const char *decimal, const char *hex,
                        int green) {
        QTest::newRow(name) << QString(text) << QString(decimal) << QString(hex) << green;
    };
    row("above 255", "300", "255", "FF", 255);
    row("empty stays empty", "", "", "0", 0);
    row("fraction rounds half-even", "2.5", "2.5", "2", 2);
    row("letters after a number", "99z", "99z", "63", 99);
}

void TestMainWindow::refreshAllBringsValuesIntoRange()
{
    QFETCH(QString, text);
    QFETCH(QString, decimal);
    QFETCH(QString, hex);
    QFETCH(int, green);
    Window w;
    w.click("lblGenerate");
    const ColourPanel &panel = w.window.colourPanel(1);
    panel.fields[1]->setText(text);
    w.window.refreshAll(panel);

    QCOMPARE(panel.fields[1]->text(), decimal);
    QCOMPARE(panel.fields[4]->text(), hex);
    QCOMPARE(panel.strips[1]->palette().color(QPalette::Window), QColor(0, green, 0));
    QCOMPARE(panel.swatch->grab().toImage().pixelColor(9, 9), QColor(255, green, 30));
    // Both previews follow the new colour.
    QCOMPARE(w.typePreview(0)->grab().toImage().pixelColor(0, 9), QColor(255, green, 30));
    QCOMPARE(w.settings().charColours.first().green, quint8(green));
    QVERIFY(w.showsPlaceholder());
}

void TestMainWindow::exitClosesTheWindow()
{
    Window w;
    QVERIFY(w.window.isVisible());
    w.click("cmdExit");
    QVERIFY(!w.window.isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
