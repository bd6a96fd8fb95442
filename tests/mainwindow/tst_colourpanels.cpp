#include "engine/colour.h"
#include "hotcommand/hotcommand.h"
#include "mainwindow/layout.h"
#include "mainwindow/mainwindow.h"
#include "platform/colourdialog.h"
#include "platform/drawingsurface.h"
#include "windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

using namespace huevane;
using huevane::test::Window;

namespace {

using Rgb = std::array<int, 3>;

// The colours of the three panels when the window opens.
const Rgb StartUp[3] = {{255, 70, 30}, {255, 255, 0}, {0, 0, 0}};

QColor Shown(QWidget *widget, QPoint at = QPoint(-1, -1))
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(at.x() < 0 ? image.rect().center() : at);
}

QColor Colour(const Rgb &rgb)
{
    return QColor(rgb[0], rgb[1], rgb[2]);
}

QColor Alone(const Rgb &rgb, int row)
{
    Rgb alone {0, 0, 0};
    alone[row] = rgb[row];
    return Colour(alone);
}

QStringList PanelTexts(const Rgb &rgb)
{
    QStringList texts;
    for (int c : rgb)
        texts << QString::number(c);
    for (int c : rgb)
        texts << QString::number(c, 16).toUpper();
    return texts;
}

// The panel shows @p rgb in its strips and swatch.
void VerifyPanelShows(const Window &w, int number, const Rgb &rgb)
{
    const ColourPanel &panel = w.panel(number);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(Shown(panel.strips[row]), Alone(rgb, row));
    QCOMPARE(Shown(panel.swatch), Colour(rgb));
}

// First and last columns of the first type preview: the start and end colours.
QPair<QColor, QColor> TypePreviewEnds(const Window &w)
{
    DrawingSurface *preview = w.get<DrawingSurface>("Picture4(0)");
    return {Shown(preview, {0, 9}), Shown(preview, {preview->width() - 2, 9})};
}

QColor FirstCharacter(const Window &w)
{
    const CharColour &c = w.settings().charColours.first();
    return QColor(c.red, c.green, c.blue);
}

} // namespace

class TestColourPanels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commitField_data();
    void commitField();
    void commitRedrawsPreviews_data();
    void commitRedrawsPreviews();
    void noTypeSelectedCommitDrawsNoTextPreview();
    void keyFilterInEveryField_data();
    void keyFilterInEveryField();
    void pastedHexText_data();
    void pastedHexText();
    void presets_data();
    void presets();
    void presetOverwritesTheFieldBeingEdited();
    void swapAndSwapBack();
    void swapMovesTextsBeingEdited();
    void drawingReadsTheFieldBeingEdited_data();
    void drawingReadsTheFieldBeingEdited();
    void colourDialog_data();
    void colourDialog();
};

void TestColourPanels::commitField_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");    // of the field after the commit
    QTest::addColumn<QString>("partner"); // the other field of its row
    QTest::addColumn<int>("component");

    const auto row = [](const char *name, int panel, int index, const char *typed, const char *text,
                        const char *partner, int component) {
        QTest::newRow(name) << panel << index << QString(typed) << QString(text) << QString(partner)
                            << component;
    };
    row("300 in the start red", 1, 0, "300", "255", "FF", 255);
    row("start green emptied", 1, 1, "", "0", "0", 0);
    row("007 in the end blue", 2, 2, "007", "007", "7", 7);
    row("ff in the end blue's hex", 2, 5, "ff", "ff", "255", 255);
    row("0A in the start green's hex", 1, 4, "0A", "0A", "10", 10);
    row("start blue's hex emptied", 1, 5, "", "0", "0", 0);
    row("128 in the background green", 3, 1, "128", "128", "80", 128);
    row("a in the background red's hex", 3, 3, "a", "a", "10", 10);
}

void TestColourPanels::commitField()
{
    QFETCH(int, panel);
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(QString, partner);
    QFETCH(int, component);
    Window w;
    const int row = index % 3;
    const int partnerIndex = index < 3 ? index + 3 : index - 3;
    Rgb colour = StartUp[panel - 1];
    const QStringList before = w.texts(panel);
    w.click("lblGenerate");

    // While it is being edited, the field changes nothing else.
    w.edit(w.field(panel, index), typed);
    QCOMPARE(w.field(panel, partnerIndex)->text(), before[partnerIndex]);
    VerifyPanelShows(w, panel, colour);
    QVERIFY(!w.showsPlaceholder());

    w.leave();
    colour[row] = component;
    QCOMPARE(w.field(panel, index)->text(), text);
    QCOMPARE(w.field(panel, partnerIndex)->text(), partner);
    VerifyPanelShows(w, panel, colour);
    // The other rows keep their texts.
    for (int i = 0; i < 6; ++i) {
        if (i % 3 != row)
            QCOMPARE(w.field(panel, i)->text(), before[i]);
    }

    // Both previews show the new colour; the output box lost its HTML.
    QVERIFY(w.showsPlaceholder());
    if (panel == 1)
        QCOMPARE(TypePreviewEnds(w).first, Colour(colour));
    if (panel == 2)
        QCOMPARE(TypePreviewEnds(w).second, Colour(colour));
    if (panel == 3) {
        DrawingSurface *preview = w.get<DrawingSurface>("picGradText");
        QCOMPARE(Shown(preview, {preview->width() - 1, 0}), Colour(colour));
    }
    const ColourTriplet stored = panel == 1 ? w.settings().startColour
        : panel == 2                        ? w.settings().endColour
                                            : w.settings().backColour;
    QCOMPARE(stored, (ColourTriplet {float(colour[0]), float(colour[1]), float(colour[2])}));
}

void TestColourPanels::commitRedrawsPreviews_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<bool>("typePreviewsRedrawn");

    QTest::newRow("start") << 1 << true;
    QTest::newRow("end") << 2 << true;
    QTest::newRow("background") << 3 << false;
}

void TestColourPanels::commitRedrawsPreviews()
{
    QFETCH(int, panel);
    QFETCH(bool, typePreviewsRedrawn);
    Window w;
    // A start red that no drawing has read yet: a redraw shows it.
    w.field(1, 0)->setText(QStringLiteral("0"));
    w.click("lblGenerate");

    w.edit(w.field(panel, 2), QString::number(StartUp[panel - 1][2]));
    w.leave();
    QCOMPARE(TypePreviewEnds(w).first,
             typePreviewsRedrawn ? QColor(0, 70, 30) : QColor(255, 70, 30));
    QCOMPARE(FirstCharacter(w), QColor(0, 70, 30));
    QVERIFY(w.showsPlaceholder());
}

void TestColourPanels::noTypeSelectedCommitDrawsNoTextPreview()
{
    Window w;
    for (int k = 0; k < 3; ++k) {
        auto *option = w.get<QRadioButton>(ArrayElement("Option1", k));
        option->setAutoExclusive(false);
        option->setChecked(false);
    }
    QCOMPARE(w.window.selectedType(), quint8(0));
    w.click("lblGenerate");
    const QString html = w.html()->toPlainText();
    QVERIFY(html.startsWith("<font"));

    w.edit(w.field(1, 0), QStringLiteral("100"));
    w.leave();
    QCOMPARE(TypePreviewEnds(w).first, QColor(100, 70, 30));
    QCOMPARE(w.html()->toPlainText(), html);
    QCOMPARE(FirstCharacter(w), QColor(255, 70, 30));
}

void TestColourPanels::keyFilterInEveryField_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("index");

    for (int panel = 1; panel <= 3; ++panel) {
        for (int index = 0; index < 6; ++index) {
            const QString name = ArrayElement(PanelNames(panel).fields, index);
            QTest::newRow(qPrintable(name)) << panel << index;
        }
    }
}

void TestColourPanels::keyFilterInEveryField()
{
    QFETCH(int, panel);
    QFETCH(int, index);
    Window w;
    QLineEdit *field = w.field(panel, index);
    w.edit(field, QStringLiteral("g-+ a7\r1234"));
    QCOMPARE(field->text(), index < 3 ? QStringLiteral("712") : QStringLiteral("a7"));
    QCOMPARE(QApplication::focusWidget(), field); // Enter committed nothing
}

void TestColourPanels::pastedHexText_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<bool>("changed");

    const auto row = [](const char *name, const char *pasted, const char *hex, const char *decimal,
                        bool changed) {
        QTest::newRow(name) << QString(pasted) << QString(hex) << QString(decimal) << changed;
    };
    row("letters", "zz", "46", "70", false);
    row("minus alone", "-", "46", "70", false);
    row("blank before a digit", " 1", "46", "70", false);
    row("prefix", "0x", "46", "70", false);
    row("negative number", "-5", "0", "0", true);
    row("hexadecimal number", "1e", "1e", "30", true);
}

void TestColourPanels::pastedHexText()
{
    QFETCH(QString, pasted);
    QFETCH(QString, hex);
    QFETCH(QString, decimal);
    QFETCH(bool, changed);
    Window w;
    w.click("lblGenerate");
    QLineEdit *field = w.field(1, 4);
    w.click(field);
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text(), pasted);
    w.leave();

    QCOMPARE(field->text(), hex);
    QCOMPARE(w.field(1, 1)->text(), decimal);
    QCOMPARE(w.showsPlaceholder(), changed);
    VerifyPanelShows(w, 1, {255, decimal.toInt(), 30});
}

void TestColourPanels::presets_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("preset");
    QTest::addColumn<Rgb>("colour");

    QTest::newRow("end white") << 2 << 4 << Rgb {255, 255, 255};
    QTest::newRow("start black") << 1 << 0 << Rgb {0, 0, 0};
    QTest::newRow("start green") << 1 << 2 << Rgb {0, 255, 0};
    QTest::newRow("end blue") << 2 << 3 << Rgb {0, 0, 255};
    QTest::newRow("background red") << 3 << 1 << Rgb {255, 0, 0};
    QTest::newRow("background white") << 3 << 4 << Rgb {255, 255, 255};
}

void TestColourPanels::presets()
{
    QFETCH(int, panel);
    QFETCH(int, preset);
    QFETCH(Rgb, colour);
    Window w;
    w.click("lblGenerate");
    QWidget *focused = QApplication::focusWidget();
    w.click(w.panel(panel).presets[preset]);

    QCOMPARE(w.texts(panel), PanelTexts(colour));
    VerifyPanelShows(w, panel, colour);
    QCOMPARE(QApplication::focusWidget(), focused); // presets take no focus
    for (int other = 1; other <= 3; ++other) {
        if (other != panel)
            QCOMPARE(w.texts(other), PanelTexts(StartUp[other - 1]));
    }
    QVERIFY(w.showsPlaceholder());
    if (panel == 2)
        QCOMPARE(TypePreviewEnds(w).second, Colour(colour));
    if (panel == 1)
        QCOMPARE(FirstCharacter(w), Colour(colour));
}

void TestColourPanels::presetOverwritesTheFieldBeingEdited()
{
    Window w;
    w.edit(w.field(1, 0), QStringLiteral("12"));
    w.click(w.panel(1).presets[1]);
    QCOMPARE(w.texts(1), PanelTexts({255, 0, 0}));
    QCOMPARE(QApplication::focusWidget(), w.field(1, 0));
    // The commit, when the focus leaves, takes what the field holds then.
    w.leave();
    QCOMPARE(w.texts(1), PanelTexts({255, 0, 0}));
    VerifyPanelShows(w, 1, {255, 0, 0});
}

void TestColourPanels::swapAndSwapBack()
{
    Window w;
    w.click("lblGenerate");
    w.click("lblSwap");
    QCOMPARE(w.texts(1), PanelTexts(StartUp[1]));
    QCOMPARE(w.texts(2), PanelTexts(StartUp[0]));
    QCOMPARE(w.texts(3), PanelTexts(StartUp[2]));
    VerifyPanelShows(w, 1, StartUp[1]);
    VerifyPanelShows(w, 2, StartUp[0]);
    QCOMPARE(TypePreviewEnds(w), qMakePair(Colour(StartUp[1]), Colour(StartUp[0])));
    QCOMPARE(FirstCharacter(w), Colour(StartUp[1]));
    QVERIFY(w.showsPlaceholder());

    w.click("lblSwap");
    for (int panel = 1; panel <= 3; ++panel) {
        QCOMPARE(w.texts(panel), PanelTexts(StartUp[panel - 1]));
        VerifyPanelShows(w, panel, StartUp[panel - 1]);
    }
    QCOMPARE(TypePreviewEnds(w), qMakePair(Colour(StartUp[0]), Colour(StartUp[1])));

    // A double click is one click: its second press swaps nothing more.
    QWidget *swap = w.get("lblSwap");
    QTest::mouseDClick(w.window.windowHandle(), Qt::LeftButton, {},
                       swap->mapTo(&w.window, swap->rect().center()));
    QCOMPARE(w.texts(1), PanelTexts(StartUp[1]));
}

void TestColourPanels::swapMovesTextsBeingEdited()
{
    Window w;
    w.field(2, 0)->setText(QString()); // an empty end red moves and stays empty
    w.edit(w.field(1, 2), QStringLiteral("999"));
    w.click("lblSwap");
    QCOMPARE(w.texts(1), QStringList({"", "255", "0", "0", "FF", "0"}));
    QCOMPARE(w.texts(2), QStringList({"255", "70", "255", "FF", "46", "FF"}));
    VerifyPanelShows(w, 2, {255, 70, 255});

    // The field being edited now holds the end's old blue, and commits it.
    QCOMPARE(QApplication::focusWidget(), w.field(1, 2));
    w.leave();
    QCOMPARE(w.texts(1), QStringList({"", "255", "0", "0", "FF", "0"}));
}

void TestColourPanels::drawingReadsTheFieldBeingEdited_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<Rgb>("start");
    QTest::addColumn<Rgb>("end");

    QTest::newRow("type chosen on its preview") << "Picture4(1)" << Rgb {255, 0, 30} << StartUp[1];
    QTest::newRow("text set") << "txtString" << Rgb {255, 0, 30} << StartUp[1];
    QTest::newRow("preset of the end") << "lblEndDefCol(3)" << Rgb {255, 0, 30} << Rgb {0, 0, 255};
    QTest::newRow("swap") << "lblSwap" << StartUp[1] << Rgb {255, 0, 30};
}

void TestColourPanels::drawingReadsTheFieldBeingEdited()
{
    QFETCH(QString, action);
    QFETCH(Rgb, start);
    QFETCH(Rgb, end);
    Window w;
    w.edit(w.field(1, 1), QStringLiteral("0"));
    if (action == "txtString")
        w.get<QPlainTextEdit>(action)->setPlainText(QStringLiteral("abc"));
    else
        w.click(action);

    const auto triplet = [](const Rgb &rgb) {
        return ColourTriplet {float(rgb[0]), float(rgb[1]), float(rgb[2])};
    };
    QCOMPARE(w.settings().startColour, triplet(start));
    QCOMPARE(w.settings().endColour, triplet(end));
    if (action != "lblSwap") {
        // Not committed: the start panel's strip and partner show the old green.
        QCOMPARE(w.field(1, 4)->text(), QStringLiteral("46"));
        QCOMPARE(Shown(w.panel(1).strips[1]), QColor(0, 70, 0));
    }
}

void TestColourPanels::colourDialog_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<std::optional<ColourValue>>("answer");
    QTest::addColumn<Rgb>("colour");

    using Answer = std::optional<ColourValue>;
    QTest::newRow("start confirmed") << 1 << Answer(0x563412) << Rgb {18, 52, 86};
    QTest::newRow("end confirmed") << 2 << Answer(0x563412) << Rgb {18, 52, 86};
    QTest::newRow("background confirmed") << 3 << Answer(0xFF0080) << Rgb {128, 0, 255};
    QTest::newRow("start cancelled") << 1 << Answer() << StartUp[0];
    QTest::newRow("end cancelled") << 2 << Answer() << StartUp[1];
    QTest::newRow("answer that is no plain colour")
        << 1 << Answer(SystemColour::ButtonFace) << StartUp[0];
}

void TestColourPanels::colourDialog()
{
    QFETCH(int, panel);
    QFETCH(std::optional<ColourValue>, answer);
    QFETCH(Rgb, colour);
    Window w;
    w.chooser.answer = answer;
    w.click("lblGenerate");
    w.click(w.panel(panel).swatch);

    const Rgb &before = StartUp[panel - 1];
    QCOMPARE(w.chooser.asked, QList<ColourValue> {PackColour(before[0], before[1], before[2])});
    QCOMPARE(w.chooser.askedBy, &w.window);
    QCOMPARE(w.texts(panel), PanelTexts(colour));
    VerifyPanelShows(w, panel, colour);
    const bool changed = colour != before;
    QCOMPARE(w.showsPlaceholder(), changed);
    if (panel == 1)
        QCOMPARE(TypePreviewEnds(w).first, Colour(colour));
}

QTEST_MAIN(TestColourPanels)
#include "tst_colourpanels.moc"
