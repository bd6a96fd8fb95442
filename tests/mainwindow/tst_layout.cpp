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

class TestLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void window();
    void tableHasEveryControlOnce();
    void controlKinds_data();
    void controlKinds();
    void looks_data();
    void looks();
    void valueFieldsTakeAtMostTheirLength();
    void statesAtStartUp();
    void buttonsFromStoredProperties_data();
    void buttonsFromStoredProperties();
    void tabOrder();
    void skinShowsAroundTheControls();
    void optionsAndCheckBoxesFillTheirBackColour();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();

private:
    QWidget *control(const QString &name) const { return m_window->findChild<QWidget *>(name); }

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
    QCOMPARE(m_window->size(),
             QSize(DesignPixels(ClientWidthTwips), DesignPixels(ClientHeightTwips)));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QCOMPARE(m_window->windowIcon().availableSizes(), (QList<QSize> {{16, 16}, {32, 32}}));
}

void TestLayout::tableHasEveryControlOnce()
{
    // 29 controls outside the panels, 18 in each of the three panels.
    QCOMPARE(WindowLayout().size(), 29 + 3 * 18);
    QSet<QString> names;
    const QRect client(0, 0, ClientWidthTwips, ClientHeightTwips);
    for (const LayoutEntry &entry : WindowLayout()) {
        QVERIFY2(!names.contains(entry.name), qPrintable(entry.name));
        names.insert(entry.name);
        QVERIFY2(client.contains(entry.twips), qPrintable(entry.name));
        QVERIFY2(control(entry.name), qPrintable(entry.name));
        QCOMPARE(control(entry.name)->geometry(), DesignPixels(entry.twips));
    }
}

void TestLayout::controlKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("kind");
    const char *const rows[][2] = {
        {"Label3", "huevane::ClickLabel"},
        {"picTray", "huevane::DrawingSurface"},
        {"txtString", "QPlainTextEdit"},
        {"Option1(2)", "QRadioButton"},
        {"txtSize", "QLineEdit"},
        {"chkPerLine", "QCheckBox"},
        {"cmdExit", "huevane::HotCommand"},
        {"lblEndCol(2)", "huevane::ClickLabel"},
        {"picBackCol", "huevane::DrawingSurface"},
    };
    for (const auto &[name, kind] : rows)
        QTest::newRow(name) << name << QByteArray(kind);
}

void TestLayout::controlKinds()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, kind);
    QWidget *widget = control(name);
    QVERIFY(widget);
    QCOMPARE(QByteArray(widget->metaObject()->className()), kind);
}

void TestLayout::looks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("family"); // after the substitutions
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("fore"); // text colour
    QTest::addColumn<QColor>("back"); // Base of text boxes, Window of the others

    const QString sans = QStringLiteral("Liberation Sans");
    const QString condensed = QStringLiteral("DejaVu Sans Condensed");
    const QColor grey(0x40, 0x40, 0x40);
    const QColor light(0xE0, 0xE0, 0xE0);
    const QColor silver(0xC0, 0xC0, 0xC0);
    const QColor white(Qt::white);
    const QColor none; // not checked
    const struct
    {
        const char *row;
        const char *name;
        const char *caption;
        const char *toolTip;
        QString family;
        double points;
        bool bold;
        QColor fore;
        QColor back;
    } rows[] = {
        {"Label3", "Label3", "", "", sans, 14.25, true, white, none},
        {"Label2", "Label2", "Text to colorize:", "", sans, 8.25, true, none, none},
        {"lblChars", "lblChars", "90", "", sans, 8.25, false, QColor(0x20, 0x20, 0x20), none},
        {"Label5", "Label5", "Text Size", "", sans, 8.25, true, none, none},
        {"lblJSQuote", "lblJSQuote", "Don't use quotes for attributes (for JavaScripts)", "", sans,
         8.25, false, none, none},
        {"Label13", "Label13", "Blue Value", "", sans, 8.25, true, none, none},
        {"txtString", "txtString", "", "", condensed, 8.25, false, grey, white},
        {"txtHTML", "txtHTML", "", "", condensed, 8.25, false, none, light},
        {"txtEndCol(4)", "txtEndCol(4)", "", "", condensed, 8.25, false, grey, light},
        {"Option1(0)", "Option1(0)", "", "", sans, 8.25, false, grey, silver},
        {"chkUpTags", "chkUpTags", "", "", sans, 8.25, false, grey, silver},
        {"Picture4(0)", "Picture4(0)", "", "Click to select", sans, 8.25, false, none, none},
        {"Picture4(2)", "Picture4(2)", "",
         "Click to select / Left drag to move center / Right click to reset", sans, 8.25, false,
         none, none},
        {"picGradText at start-up size", "picGradText", "", "", condensed, 8.0, false, none, none},
        {"preset names its colour", "lblEndDefCol(3)", "", "", sans, 8.25, false, none,
         QColor(Qt::blue)},
    };
    for (const auto &r : rows)
        QTest::newRow(r.row) << QString(r.name) << QString(r.caption) << QString(r.toolTip)
                             << r.family << r.points << r.bold << r.fore << r.back;
}

void TestLayout::looks()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(QColor, fore);
    QFETCH(QColor, back);
    QWidget *widget = control(name);
    QVERIFY(widget);
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), caption);
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), caption);
    QCOMPARE(widget->toolTip(), toolTip);
    QCOMPARE(QFontInfo(widget->font()).family(), family);
    QCOMPARE(widget->font().pointSizeF(), points);
    QCOMPARE(QFontInfo(widget->font()).bold(), bold);
    const bool textBox =
        qobject_cast<QLineEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget);
    if (fore.isValid())
        QCOMPARE(widget->palette().color(textBox ? QPalette::Text : QPalette::WindowText), fore);
    if (back.isValid())
        QCOMPARE(widget->palette().color(textBox ? QPalette::Base : QPalette::Window), back);
}

void TestLayout::valueFieldsTakeAtMostTheirLength()
{
    for (const auto &[name, kept] : {std::pair {"txtStCol(1)", "123"}, {"txtEndCol(4)", "12"}}) {
        auto *field = qobject_cast<QLineEdit *>(control(name));
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("12345"));
        QCOMPARE(field->text(), QString::fromLatin1(kept));
    }
}

void TestLayout::statesAtStartUp()
{
    QVERIFY(!control("picTray")->isVisible());
    for (const LayoutEntry &entry : WindowLayout()) {
        if (entry.name != QLatin1String("picTray"))
            QVERIFY2(control(entry.name)->isVisible(), qPrintable(entry.name));
    }
    QCOMPARE(qobject_cast<DrawingSurface *>(control("picTray"))->picture().size(), QSize(16, 16));
    QVERIFY(qobject_cast<QRadioButton *>(control("Option1(0)"))->isChecked());
    QVERIFY(!qobject_cast<QRadioButton *>(control("Option1(1)"))->isChecked());
    QVERIFY(qobject_cast<QPlainTextEdit *>(control("txtHTML"))->isReadOnly());
    QVERIFY(!qobject_cast<QPlainTextEdit *>(control("txtString"))->isReadOnly());
    QCOMPARE(qobject_cast<QLineEdit *>(control("txtSize"))->alignment(), Qt::AlignCenter);
    QCOMPARE(control("Picture4(2)")->cursor().shape(), Qt::SizeHorCursor);
    QCOMPARE(control("Picture4(1)")->cursor().shape(), Qt::ArrowCursor);
}

void TestLayout::buttonsFromStoredProperties_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<quint32>>("colours"); // Back, Fore, BackHi, ForeHi, BackDown, ForeDown
    QTest::addColumn<QString>("caption");

    QTest::newRow("generate") << "lblGenerate" << QList<quint32> {0x80FFFF, 0x404040, 0xC0C0C0,
                                                                  0,        0xE0E0E0, 0x404040}
                              << "Generate";
    QTest::newRow("clipboard") << "lblClipboard" << QList<quint32> {0x80FF80, 0xFFFFFF, 0xC0C0C0,
                                                                    0xFFFF,   0xE0E0E0, 0xC0C0C0}
                               << "Send to Clipboard";
    QTest::newRow("exit keeps the default hover and pressed backgrounds")
        << "cmdExit"
        << QList<quint32> {0x8000000F, 0xFFFFFF, 0x8000000F, 0xFFFF, 0x8000000F, 0xC0C0C0}
        << "Exit";
}

void TestLayout::buttonsFromStoredProperties()
{
    QFETCH(QString, name);
    QFETCH(QList<quint32>, colours);
    QFETCH(QString, caption);
    auto *button = qobject_cast<HotCommand *>(control(name));
    QVERIFY(button);
    const QList<quint32> actual {button->backColor(),     button->foreColor(),
                                 button->backColorHi(),   button->foreColorHi(),
                                 button->backColorDown(), button->foreColorDown()};
    QCOMPARE(actual, colours);
    // Its texture is drawn the size of the button.
    QCOMPARE(button->picture().size(), DesignPixels(FindControl(name)->twips).size());
    QCOMPARE(button->caption(), caption);
    QCOMPARE(QFontInfo(button->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(button->font().pointSizeF(), 8.25);
    QVERIFY(!button->font().bold());
}

void TestLayout::tabOrder()
{
    const QStringList expected = TabOrder();
    // The focus chain visits them in this order (widgets that take no focus may
    // stand between them). A hot-tracking button takes the focus on its surface.
    QStringList visited;
    QWidget *widget = control("txtString");
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

    control("txtString")->setFocus();
    for (const char *name : {"txtStCol(0)", "txtStCol(3)", "txtStCol(1)"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
    QCOMPARE(control("picGradText")->focusPolicy(), Qt::NoFocus);
    QCOMPARE(control("Picture4(0)")->focusPolicy(), Qt::NoFocus);
}

void TestLayout::skinShowsAroundTheControls()
{
    const QImage skin(QString::fromLatin1(SkinImage));
    QCOMPARE(skin.size(), SkinSize);
    const QImage shown = m_window->grab().toImage();
    // The title tab, between the panels, the swap bar under its transparent label,
    // the bottom left corner.
    for (const QPoint point : {QPoint(60, 5), QPoint(10, 60), QPoint(215, 120), QPoint(30, 445)})
        QCOMPARE(shown.pixelColor(point), skin.pixelColor(point));
}

void TestLayout::optionsAndCheckBoxesFillTheirBackColour()
{
    // The buttons once drew the style's button face there, not their silver.
    const QImage shown = m_window->grab().toImage();
    for (const char *name :
         {"Option1(0)", "Option1(1)", "Option1(2)", "chkUpTags", "chkPerLine", "chkJSQuote"}) {
        const QPoint corner = control(name)->geometry().topLeft(); // outside the indicator
        QVERIFY2(shown.pixelColor(corner) == QColor(0xC0, 0xC0, 0xC0),
                 qPrintable(QStringLiteral("%1: %2").arg(name, shown.pixelColor(corner).name())));
    }
}

void TestLayout::captionsFitTheirControls_data()
{
    QTest::addColumn<QString>("name");
    for (const LayoutEntry &entry : WindowLayout()) {
        const bool captioned = !entry.caption.isEmpty() || entry.kind == ControlKind::HotCommand;
        if (captioned)
            QTest::newRow(qPrintable(entry.name)) << entry.name;
    }
}

void TestLayout::captionsFitTheirControls()
{
    // The faces the window falls back on must not cut a caption short at the
    // size the window was designed with.
    QFETCH(QString, name);
    const LayoutEntry *entry = FindControl(name);
    QWidget *widget = control(name);
    QString caption = entry->caption;
    QFont font = widget->font();
    if (entry->kind == ControlKind::HotCommand) {
        const QVariantMap stored = StoredButtonProperties(name);
        caption = stored.value("Caption").toString();
        font = stored.value("Font").value<QFont>();
    }
    const QFontMetrics metrics(font, widget);
    const QRect room = qobject_cast<QLabel *>(widget)
        ? qobject_cast<QLabel *>(widget)->contentsRect()
        : widget->rect();
    const int width = metrics.horizontalAdvance(caption);
    QVERIFY2(width <= room.width(),
             qPrintable(QStringLiteral("\"%1\" is %2 px wide in %3, its control %4 px")
                            .arg(caption)
                            .arg(width)
                            .arg(QFontInfo(font).family())
                            .arg(room.width())));
    QVERIFY2(metrics.ascent() + metrics.descent() <= room.height(),
             qPrintable(QStringLiteral("%1 px high, its control %2 px")
                            .arg(metrics.ascent() + metrics.descent())
                            .arg(room.height())));
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
