#include "hotcommand/hotcommand.h"
#include "mainwindow/layout.h"
#include "mainwindow/mainwindow.h"
#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSet>
#include <QTest>

using namespace huevane;

namespace {

QWidget *Control(const MainWindow &window, const QString &name)
{
    return window.findChild<QWidget *>(name);
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void window();
    void tableHasEveryControlOnce();
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void captionsAndTooltips_data();
    void captionsAndTooltips();
    void fonts_data();
    void fonts();
    void colours_data();
    void colours();
    void valueFieldsTakeAtMostTheirLength_data();
    void valueFieldsTakeAtMostTheirLength();
    void textBoxes();
    void visibilityAndStartSelection();
    void buttonsFromStoredProperties_data();
    void buttonsFromStoredProperties();
    void tabOrder();
    void skinShowsAroundTheControls();

private:
    std::unique_ptr<MainWindow> m_window;
};

void TestLayout::initTestCase()
{
    if (TwipsPerPixelX() != 15.0 || TwipsPerPixelY() != 15.0)
        QSKIP("the pixel positions below are those at 96 DPI");
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestLayout::window()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("frmMain"));
    QVERIFY(m_window->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(m_window->size(), QSize(632, 450));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(!m_window->windowIcon().isNull());
    QCOMPARE(m_window->windowIcon().availableSizes(), (QList<QSize> {{16, 16}, {32, 32}}));
}

void TestLayout::tableHasEveryControlOnce()
{
    // 29 controls outside the panels, 18 for each of the three panels.
    const QList<ControlSpec> &layout = WindowLayout();
    QCOMPARE(layout.size(), 29 + 3 * 18);
    QSet<QString> names;
    const QRect client(0, 0, ClientWidthTwips, ClientHeightTwips);
    for (const ControlSpec &spec : layout) {
        QVERIFY2(!names.contains(spec.name), qPrintable(spec.name));
        names.insert(spec.name);
        QVERIFY2(client.contains(QRect(spec.left, spec.top, spec.width, spec.height)),
                 qPrintable(spec.name));
        QVERIFY2(Control(*m_window, spec.name), qPrintable(spec.name));
    }
}

void TestLayout::controlsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QRect>("pixels");

    QTest::newRow("title drag area")
        << "Label3" << QByteArray("huevane::ClickLabel") << QRect(1, 0, 339, 23);
    QTest::newRow("close area") << "Label1" << QByteArray("huevane::ClickLabel")
                                << QRect(593, 14, 19, 17);
    QTest::newRow("tray carrier") << "picTray" << QByteArray("huevane::DrawingSurface")
                                  << QRect(10, 8, 16, 16);
    QTest::newRow("label off the pixel grid")
        << "Label2" << QByteArray("huevane::ClickLabel") << QRect(21, 41, 98, 14);
    QTest::newRow("text") << "txtString" << QByteArray("QPlainTextEdit") << QRect(136, 33, 377, 31);
    QTest::newRow("count") << "lblChars" << QByteArray("huevane::ClickLabel")
                           << QRect(589, 40, 12, 16);
    QTest::newRow("swap") << "lblSwap" << QByteArray("huevane::ClickLabel")
                          << QRect(209, 76, 16, 110);
    QTest::newRow("first option") << "Option1(0)" << QByteArray("QRadioButton")
                                  << QRect(40, 213, 14, 14);
    QTest::newRow("third option, a pixel higher")
        << "Option1(2)" << QByteArray("QRadioButton") << QRect(408, 212, 14, 14);
    QTest::newRow("second preview")
        << "Picture4(1)" << QByteArray("huevane::DrawingSurface") << QRect(246, 210, 155, 19);
    QTest::newRow("third preview")
        << "Picture4(2)" << QByteArray("huevane::DrawingSurface") << QRect(431, 210, 155, 19);
    QTest::newRow("text size") << "txtSize" << QByteArray("QLineEdit") << QRect(585, 243, 23, 19);
    QTest::newRow("text preview") << "picGradText" << QByteArray("huevane::DrawingSurface")
                                  << QRect(20, 267, 587, 46);
    QTest::newRow("output") << "txtHTML" << QByteArray("QPlainTextEdit") << QRect(20, 315, 587, 73);
    QTest::newRow("generate") << "lblGenerate" << QByteArray("huevane::HotCommand")
                              << QRect(19, 390, 110, 20);
    QTest::newRow("per-line box") << "chkPerLine" << QByteArray("QCheckBox")
                                  << QRect(255, 393, 13, 16);
    QTest::newRow("quotes caption")
        << "lblJSQuote" << QByteArray("huevane::ClickLabel") << QRect(375, 394, 221, 14);
    QTest::newRow("clipboard") << "lblClipboard" << QByteArray("huevane::HotCommand")
                               << QRect(398, 421, 110, 20);
    QTest::newRow("exit") << "cmdExit" << QByteArray("huevane::HotCommand")
                          << QRect(515, 421, 87, 20);
    QTest::newRow("start red") << "txtStCol(0)" << QByteArray("QLineEdit")
                               << QRect(105, 88, 31, 19);
    QTest::newRow("start hex blue")
        << "txtStCol(5)" << QByteArray("QLineEdit") << QRect(145, 132, 31, 19);
    QTest::newRow("end green") << "txtEndCol(1)" << QByteArray("QLineEdit")
                               << QRect(313, 110, 31, 19);
    QTest::newRow("background hex red")
        << "txtBkCol(3)" << QByteArray("QLineEdit") << QRect(544, 88, 31, 19);
    QTest::newRow("background hex green, a pixel right")
        << "txtBkCol(4)" << QByteArray("QLineEdit") << QRect(545, 110, 31, 19);
    QTest::newRow("end blue strip")
        << "lblEndCol(2)" << QByteArray("huevane::ClickLabel") << QRect(390, 132, 19, 19);
    QTest::newRow("background swatch")
        << "picBackCol" << QByteArray("huevane::DrawingSurface") << QRect(581, 159, 19, 19);
    QTest::newRow("start black preset")
        << "lblStDefCol(0)" << QByteArray("huevane::ClickLabel") << QRect(23, 175, 10, 9);
    QTest::newRow("background white preset")
        << "lblBkDefCol(4)" << QByteArray("huevane::ClickLabel") << QRect(473, 174, 10, 9);
    QTest::newRow("end green row label")
        << "Label11" << QByteArray("huevane::ClickLabel") << QRect(234, 112, 77, 14);
}

void TestLayout::controlsAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, kind);
    QFETCH(QRect, pixels);
    QWidget *control = Control(*m_window, name);
    QVERIFY(control);
    QCOMPARE(QByteArray(control->metaObject()->className()), kind);
    QCOMPARE(control->geometry(), pixels);
    QCOMPARE(control->parentWidget(), m_window.get());
}

void TestLayout::captionsAndTooltips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");

    const QString select = QStringLiteral("Click to select");
    QTest::newRow("Label2") << "Label2"
                            << "Text to colorize:"
                            << "";
    QTest::newRow("Label4") << "Label4"
                            << "Characters:"
                            << "";
    QTest::newRow("Label15") << "Label15"
                             << "Resulting Gradient"
                             << "";
    QTest::newRow("Label5") << "Label5"
                            << "Text Size"
                            << "";
    QTest::newRow("Label16") << "Label16"
                             << "(preview only)"
                             << "";
    QTest::newRow("lblUpTags") << "lblUpTags"
                               << "Uppercase Tags"
                               << "";
    QTest::newRow("lblPerLine") << "lblPerLine"
                                << "Per-line gradient"
                                << "";
    QTest::newRow("lblJSQuote") << "lblJSQuote"
                                << "Don't use quotes for attributes (for JavaScripts)"
                                << "";
    QTest::newRow("Label6") << "Label6"
                            << "Red Value"
                            << "";
    QTest::newRow("Label11") << "Label11"
                             << "Green Value"
                             << "";
    QTest::newRow("Label13") << "Label13"
                             << "Blue Value"
                             << "";
    QTest::newRow("title area has no caption") << "Label3"
                                               << ""
                                               << "";
    QTest::newRow("swap has no caption") << "lblSwap"
                                         << ""
                                         << "";
    QTest::newRow("Picture4(0)") << "Picture4(0)"
                                 << "" << select;
    QTest::newRow("Picture4(1)") << "Picture4(1)"
                                 << "" << select;
    QTest::newRow("Picture4(2)")
        << "Picture4(2)"
        << ""
        << "Click to select / Left drag to move center / Right click to reset";
    QTest::newRow("lblGenerate") << "lblGenerate"
                                 << "Generate"
                                 << "";
    QTest::newRow("lblClipboard") << "lblClipboard"
                                  << "Send to Clipboard"
                                  << "";
    QTest::newRow("cmdExit") << "cmdExit"
                             << "Exit"
                             << "";
    QTest::newRow("options have no caption") << "Option1(1)"
                                             << ""
                                             << "";
    QTest::newRow("check boxes have no caption") << "chkJSQuote"
                                                 << ""
                                                 << "";
}

void TestLayout::captionsAndTooltips()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QWidget *control = Control(*m_window, name);
    QVERIFY(control);
    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), caption);
    else if (auto *button = qobject_cast<HotCommand *>(control))
        QCOMPARE(button->Caption(), caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        QCOMPARE(button->text(), caption);
    QCOMPARE(control->toolTip(), toolTip);
}

void TestLayout::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");

    const QString liberation = QStringLiteral("Liberation Sans");
    const QString dejaVu = QStringLiteral("DejaVu Sans Condensed");
    QTest::newRow("Arial title") << "Label3" << liberation << 14.25 << true << true;
    QTest::newRow("bold caption") << "Label2" << liberation << 8.25 << true << false;
    QTest::newRow("right-aligned caption") << "Label5" << liberation << 8.25 << true << false;
    QTest::newRow("window font") << "lblChars" << liberation << 8.25 << false << false;
    QTest::newRow("option caption") << "lblPerLine" << liberation << 8.25 << false << false;
    QTest::newRow("Tahoma text") << "txtString" << dejaVu << 8.25 << false << false;
    QTest::newRow("Tahoma output") << "txtHTML" << dejaVu << 8.25 << false << false;
    QTest::newRow("Tahoma value field") << "txtEndCol(4)" << dejaVu << 8.25 << false << false;
    QTest::newRow("preview at start-up size") << "picGradText" << dejaVu << 8.0 << false << false;
    QTest::newRow("row label") << "Label12" << liberation << 8.25 << true << false;
}

void TestLayout::fonts()
{
    QFETCH(QString, name);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QWidget *control = Control(*m_window, name);
    QVERIFY(control);
    const QFontInfo info(control->font());
    QCOMPARE(info.family(), family);
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(info.bold(), bold);
    QCOMPARE(info.italic(), italic);
}

void TestLayout::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QColor>("colour");

    const QColor darkGrey(0x40, 0x40, 0x40);
    const QColor silver(0xC0, 0xC0, 0xC0);
    const QColor lightGrey(0xE0, 0xE0, 0xE0);
    QTest::newRow("text back") << "txtString" << int(QPalette::Base) << QColor(Qt::white);
    QTest::newRow("text fore") << "txtString" << int(QPalette::Text) << darkGrey;
    QTest::newRow("output back") << "txtHTML" << int(QPalette::Base) << lightGrey;
    QTest::newRow("size back") << "txtSize" << int(QPalette::Base) << lightGrey;
    QTest::newRow("value field back") << "txtBkCol(2)" << int(QPalette::Base) << lightGrey;
    QTest::newRow("value field fore") << "txtBkCol(2)" << int(QPalette::Text) << darkGrey;
    QTest::newRow("count fore") << "lblChars" << int(QPalette::WindowText)
                                << QColor(0x20, 0x20, 0x20);
    QTest::newRow("title fore") << "Label3" << int(QPalette::WindowText) << QColor(Qt::white);
    QTest::newRow("option back") << "Option1(2)" << int(QPalette::Window) << silver;
    QTest::newRow("first option fore") << "Option1(0)" << int(QPalette::WindowText) << darkGrey;
    QTest::newRow("check box back") << "chkUpTags" << int(QPalette::Window) << silver;
    QTest::newRow("preset back names its colour")
        << "lblEndDefCol(3)" << int(QPalette::Window) << QColor(Qt::blue);
}

void TestLayout::colours()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QColor, colour);
    QWidget *control = Control(*m_window, name);
    QVERIFY(control);
    QCOMPARE(control->palette().color(QPalette::ColorRole(role)), colour);
}

void TestLayout::valueFieldsTakeAtMostTheirLength_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kept");

    QTest::newRow("decimal") << "txtStCol(1)"
                             << "123";
    QTest::newRow("hexadecimal") << "txtEndCol(4)"
                                 << "12";
    QTest::newRow("background hexadecimal") << "txtBkCol(5)"
                                            << "12";
}

void TestLayout::valueFieldsTakeAtMostTheirLength()
{
    QFETCH(QString, name);
    QFETCH(QString, kept);
    auto *field = qobject_cast<QLineEdit *>(Control(*m_window, name));
    QVERIFY(field);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("12345"));
    QCOMPARE(field->text(), kept);
}

void TestLayout::textBoxes()
{
    auto *output = qobject_cast<QPlainTextEdit *>(Control(*m_window, "txtHTML"));
    QVERIFY(output && output->isReadOnly());
    QCOMPARE(output->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    auto *text = qobject_cast<QPlainTextEdit *>(Control(*m_window, "txtString"));
    QVERIFY(text && !text->isReadOnly());
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    auto *size = qobject_cast<QLineEdit *>(Control(*m_window, "txtSize"));
    QVERIFY(size && !size->isReadOnly());
    QCOMPARE(size->alignment(), Qt::AlignCenter);
    auto *label5 = qobject_cast<QLabel *>(Control(*m_window, "Label5"));
    QVERIFY(label5->alignment() & Qt::AlignRight);
}

void TestLayout::visibilityAndStartSelection()
{
    QVERIFY(!Control(*m_window, "picTray")->isVisible());
    for (const ControlSpec &spec : WindowLayout()) {
        if (spec.name != QLatin1String("picTray"))
            QVERIFY2(Control(*m_window, spec.name)->isVisible(), qPrintable(spec.name));
    }
    QVERIFY(qobject_cast<QRadioButton *>(Control(*m_window, "Option1(0)"))->isChecked());
    QVERIFY(!qobject_cast<QRadioButton *>(Control(*m_window, "Option1(1)"))->isChecked());
    QVERIFY(!qobject_cast<QCheckBox *>(Control(*m_window, "chkPerLine"))->isChecked());
    QCOMPARE(Control(*m_window, "Picture4(2)")->cursor().shape(), Qt::SizeHorCursor);
    QCOMPARE(Control(*m_window, "Picture4(1)")->cursor().shape(), Qt::ArrowCursor);
    auto *tray = qobject_cast<DrawingSurface *>(Control(*m_window, "picTray"));
    QCOMPARE(tray->picture().size(), QSize(16, 16));
}

void TestLayout::buttonsFromStoredProperties_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<quint32>>("colours"); // Back, Fore, BackHi, ForeHi, BackDown, ForeDown
    QTest::addColumn<QSize>("picture");

    QTest::newRow("generate") << "lblGenerate" << QList<quint32> {0x80FFFF, 0x404040, 0xC0C0C0,
                                                                  0x000000, 0xE0E0E0, 0x404040}
                              << QSize(110, 20);
    QTest::newRow("clipboard") << "lblClipboard" << QList<quint32> {0x80FF80, 0xFFFFFF, 0xC0C0C0,
                                                                    0x00FFFF, 0xE0E0E0, 0xC0C0C0}
                               << QSize(110, 20);
    QTest::newRow("exit keeps the default hover and pressed backgrounds")
        << "cmdExit"
        << QList<quint32> {0x8000000F, 0xFFFFFF, 0x8000000F, 0x00FFFF, 0x8000000F, 0xC0C0C0}
        << QSize(87, 20);
}

void TestLayout::buttonsFromStoredProperties()
{
    QFETCH(QString, name);
    QFETCH(QList<quint32>, colours);
    QFETCH(QSize, picture);
    auto *button = qobject_cast<HotCommand *>(Control(*m_window, name));
    QVERIFY(button);
    const QList<quint32> actual {button->BackColor(),     button->ForeColor(),
                                 button->BackColorHi(),   button->ForeColorHi(),
                                 button->BackColorDown(), button->ForeColorDown()};
    QCOMPARE(actual, colours);
    QCOMPARE(button->Picture().size(), picture);
    QCOMPARE(QFontInfo(button->Font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(button->Font().pointSizeF(), 8.25);
    QVERIFY(!button->Font().bold());
}

void TestLayout::tabOrder()
{
    const QStringList expected {
        "txtString",    "txtStCol(0)",  "txtStCol(3)",  "txtStCol(1)",  "txtStCol(4)",
        "txtStCol(2)",  "txtStCol(5)",  "txtEndCol(0)", "txtEndCol(3)", "txtEndCol(1)",
        "txtEndCol(4)", "txtEndCol(2)", "txtEndCol(5)", "txtBkCol(0)",  "txtBkCol(3)",
        "txtBkCol(1)",  "txtBkCol(4)",  "txtBkCol(2)",  "txtBkCol(5)",  "Option1(0)",
        "Option1(1)",   "Option1(2)",   "txtSize",      "txtHTML",      "chkUpTags",
        "chkPerLine",   "lblGenerate",  "lblClipboard", "chkJSQuote",   "cmdExit"};
    // The focus chain visits them in this order (widgets that take no focus may
    // stand between them). A hot-tracking button takes the focus on its surface.
    QStringList visited;
    QWidget *widget = Control(*m_window, "txtString");
    for (int steps = 0; steps < 500 && visited.size() < expected.size(); ++steps) {
        QString name = widget->objectName();
        if (auto *button = qobject_cast<HotCommand *>(widget->parentWidget());
            button && button->picButton() == widget)
            name = button->objectName();
        if (widget->focusPolicy() != Qt::NoFocus && expected.contains(name)
            && !visited.contains(name))
            visited << name;
        widget = widget->nextInFocusChain();
    }
    QCOMPARE(visited, expected);

    // Tab moves through the value fields in their order.
    Control(*m_window, "txtString")->setFocus();
    for (const char *name : {"txtStCol(0)", "txtStCol(3)", "txtStCol(1)"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
    // The picture boxes do not take the focus.
    QCOMPARE(Control(*m_window, "picGradText")->focusPolicy(), Qt::NoFocus);
    QCOMPARE(Control(*m_window, "Picture4(0)")->focusPolicy(), Qt::NoFocus);
}

void TestLayout::skinShowsAroundTheControls()
{
    const QImage skin(QString::fromLatin1(SkinImage));
    QCOMPARE(skin.size(), QSize(632, 452));
    const QImage shown = m_window->grab().toImage();
    // Points on the skin that no opaque control covers: title tab, between the
    // panels, the swap bar (under a transparent label), the bottom left corner.
    for (const QPoint point :
         {QPoint(60, 5), QPoint(10, 60), QPoint(215, 120), QPoint(30, 445), QPoint(200, 240)}) {
        QCOMPARE(shown.pixelColor(point), skin.pixelColor(point));
    }
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
