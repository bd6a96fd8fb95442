#include "hotcommand/hotcommand.h"

#include "platform/drawingsurface.h"
#include "platform/propertystore.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using namespace huevane;

namespace {

// The button's colours in these tests, each distinct from the others.
constexpr ColourValue RestBack = 0x00FFFF;  // yellow
constexpr ColourValue RestFore = 0xFF0000;  // blue
constexpr ColourValue HoverBack = 0x00FF00; // green
constexpr ColourValue HoverFore = 0x0000FF; // red
constexpr ColourValue DownBack = 0xFFFFFF;  // white
constexpr ColourValue DownFore = 0xFF00FF;  // magenta
// Button highlight and button shadow come from the palette.
const QColor Highlight(255, 128, 0); // orange
const QColor Shadow(128, 0, 128);    // purple
const QColor PictureGrey(128, 128, 128);

QString ColourName(const QColor &colour)
{
    static const QList<std::pair<QColor, QString>> names {{QColor(255, 255, 0), "yellow"},
                                                          {QColor(0, 0, 255), "blue"},
                                                          {QColor(0, 255, 0), "green"},
                                                          {QColor(255, 0, 0), "red"},
                                                          {QColor(255, 255, 255), "white"},
                                                          {QColor(255, 0, 255), "magenta"},
                                                          {Highlight, "orange"},
                                                          {Shadow, "purple"},
                                                          {PictureGrey, "grey"}};
    for (const auto &[known, name] : names)
        if (known == colour)
            return name;
    return colour.name();
}

// Text drawn without smoothing, so that every glyph pixel has the caption colour.
QFont PlainFont()
{
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

const QList<QColor> CaptionColours {QColor(0, 0, 255), QColor(255, 0, 0), QColor(255, 0, 255),
                                    Shadow};

// The box around the caption's pixels of @p colour, inside the border.
QRect CaptionBox(const QImage &image, const QColor &colour)
{
    QRect box;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (image.pixelColor(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

// A look as "<background> <border> <caption colour>": the border is "flat" (in
// the background colour), "raised" (highlight top and left, shadow right and
// bottom) or "sunken" (the other way round); the caption is "none" without text.
QString LookOf(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    const QColor background = image.pixelColor(1, h / 2);
    const QColor top = image.pixelColor(w / 2, 0);
    const QColor left = image.pixelColor(0, h / 2);
    const QColor right = image.pixelColor(w - 1, h / 2);
    const QColor bottom = image.pixelColor(w / 2, h - 1);
    QString border = QStringLiteral("odd-border");
    if (top == background && left == background && right == background && bottom == background)
        border = QStringLiteral("flat");
    else if (top == Highlight && left == Highlight && right == Shadow && bottom == Shadow)
        border = QStringLiteral("raised");
    else if (top == Shadow && left == Shadow && right == Highlight && bottom == Highlight)
        border = QStringLiteral("sunken");
    QStringList captions;
    for (const QColor &colour : CaptionColours)
        if (!CaptionBox(image, colour).isEmpty())
            captions << ColourName(colour);
    return ColourName(background) + ' ' + border + ' '
        + (captions.isEmpty() ? QStringLiteral("none") : captions.join('+'));
}

const QString Rest = QStringLiteral("yellow flat blue");
const QString Hover = QStringLiteral("green raised red");
const QString Pressed = QStringLiteral("white sunken magenta");
const QString Disabled = QStringLiteral("yellow flat purple");

// A 110 x 20 pixel button at (20, 20) in a larger window, so that the pointer can
// leave it within the window.
struct Fixture
{
    QWidget host;
    HotCommand *button;

    Fixture()
        : button(new HotCommand(&host))
    {
        host.resize(200, 60);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Light, Highlight);
        palette.setColor(QPalette::Dark, Shadow);
        host.setPalette(palette);
        button->setGeometry(20, 20, 110, 20);
        button->setFont(PlainFont());
        button->setBackColor(RestBack);
        button->setForeColor(RestFore);
        button->setBackColorHi(HoverBack);
        button->setForeColorHi(HoverFore);
        button->setBackColorDown(DownBack);
        button->setForeColorDown(DownFore);
        button->setCaption(QStringLiteral("Generate"));
        host.show();
    }

    // Waits for the window and parks the pointer in its far corner, off the button.
    bool ready()
    {
        if (!QTest::qWaitForWindowExposed(&host))
            return false;
        QTest::mouseMove(window(), QPoint(199, 59));
        return true;
    }
    QWindow *window() const { return host.windowHandle(); }
    QPoint inWindow(QPoint buttonPoint) const { return button->mapTo(&host, buttonPoint); }
    QImage shown() const { return button->grab().toImage(); }
    QString look() const { return LookOf(shown()); }
    bool captured() const { return button->picButton()->hasCapture(); }
    QString state() const
    {
        return look() + (captured() ? QStringLiteral(", captured") : QStringLiteral(", free"));
    }

    void press(QPoint at, Qt::MouseButton which = Qt::LeftButton)
    {
        QTest::mousePress(window(), which, {}, inWindow(at));
    }
    void release(QPoint at, Qt::MouseButton which = Qt::LeftButton)
    {
        QTest::mouseRelease(window(), which, {}, inWindow(at));
    }
    void move(QPoint at) { QTest::mouseMove(window(), inWindow(at)); }
};

// Every event of the button as "<event> [arguments]: <look>, captured|free", with
// the look and capture as they are when the event is raised.
struct Recorder
{
    QStringList log;

    explicit Recorder(const Fixture &fixture)
    {
        HotCommand *button = fixture.button;
        const auto note = [this, &fixture](const QString &what) {
            log << what + QStringLiteral(": ") + fixture.state();
        };
        const auto mouse = [note](const char *name) {
            return [note, name](int &b, int &, float &, float &) {
                note(QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(b));
            };
        };
        QObject::connect(button, &HotCommand::MouseDown, button, mouse("MouseDown"));
        QObject::connect(button, &HotCommand::MouseMove, button, mouse("MouseMove"));
        QObject::connect(button, &HotCommand::MouseUp, button, mouse("MouseUp"));
        QObject::connect(button, &HotCommand::Click, button, [note] { note("Click"); });
        QObject::connect(button, &HotCommand::DblClick, button, [note] { note("DblClick"); });
        QObject::connect(button, &HotCommand::KeyDown, button, [note](int &code, int &) {
            note(QStringLiteral("KeyDown %1").arg(code));
        });
        QObject::connect(button, &HotCommand::KeyPress, button,
                         [note](int &ascii) { note(QStringLiteral("KeyPress %1").arg(ascii)); });
        QObject::connect(button, &HotCommand::KeyUp, button,
                         [note](int &code, int &) { note(QStringLiteral("KeyUp %1").arg(code)); });
        QObject::connect(button, &HotCommand::propertyChanged, button,
                         [note](const QString &name) { note(QStringLiteral("reports ") + name); });
    }
};

// The offscreen platform cannot grab the pointer for real and says so on every
// capture; Qt's own routing of a grab works regardless.
QtMessageHandler previousHandler = nullptr;
void QuietAboutGrabbing(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.contains(QLatin1String("does not support grabbing the mouse")))
        previousHandler(type, context, text);
}

QVariantMap Comparable(QVariantMap values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        if (it->typeId() == QMetaType::QPixmap)
            *it = it->value<QPixmap>().toImage();
    return values;
}

} // namespace

class tst_HotCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void looks_data();
    void looks();
    void outsideTest_data();
    void outsideTest();
    void sequences_data();
    void sequences();
    void everyMouseButtonPresses_data();
    void everyMouseButtonPresses();
    void backColorReadsTheShownBackground();
    void settersRedrawAndReport_data();
    void settersRedrawAndReport();
    void keysAtTheSurface_data();
    void keysAtTheSurface();
    void argumentsPassByReference();
    void innerButtonKeys_data();
    void innerButtonKeys();
    void followsItsSize();

    void newControl();
    void emptyStoreGivesTheDefaults();
    void fullStoreRoundTrip();
    void captionCommand1SurvivesSaving_data();
    void captionCommand1SurvivesSaving();
    void loadingReportsFontAndPicture();
    void storedValuesAreChecked_data();
    void storedValuesAreChecked();
    void savingWhileHoveredKeepsTheRestingBackground();
};

void tst_HotCommand::initTestCase()
{
    previousHandler = qInstallMessageHandler(QuietAboutGrabbing);
}

void tst_HotCommand::looks_data()
{
    QTest::addColumn<QString>("how"); // rest, hover, pressed, disabled
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("withPicture");
    QTest::addColumn<QString>("look");
    QTest::addColumn<QPoint>("captionShift"); // against the resting caption

    QTest::newRow("rest") << "rest"
                          << "Generate" << false << Rest << QPoint(0, 0);
    QTest::newRow("hover") << "hover"
                           << "Generate" << false << Hover << QPoint(0, 0);
    QTest::newRow("pressed") << "pressed"
                             << "Generate" << false << Pressed << QPoint(2, 1);
    QTest::newRow("disabled") << "disabled"
                              << "Generate" << false << Disabled << QPoint(0, 0);
    QTest::newRow("pressed, other caption") << "pressed"
                                            << "Exit" << false << Pressed << QPoint(2, 1);
    QTest::newRow("rest, empty caption") << "rest"
                                         << "" << false << "yellow flat none" << QPoint();
    QTest::newRow("hover, empty caption") << "hover"
                                          << "" << false << "green raised none" << QPoint();
    QTest::newRow("pressed, empty caption") << "pressed"
                                            << "" << false << "white sunken none" << QPoint();
    QTest::newRow("hover over a picture") << "hover"
                                          << "Exit" << true << "grey raised red" << QPoint(0, 0);
    QTest::newRow("pressed over a picture")
        << "pressed"
        << "Exit" << true << "grey sunken magenta" << QPoint(2, 1);
    // Back at rest the picture covers the outline drawn in the resting background.
    QTest::newRow("left again over a picture")
        << "left"
        << "Exit" << true << "grey flat blue" << QPoint(0, 0);
    QTest::newRow("disabled over a picture")
        << "disabled"
        << "Exit" << true << "grey flat purple" << QPoint(0, 0);
}

void tst_HotCommand::looks()
{
    QFETCH(QString, how);
    QFETCH(QString, caption);
    QFETCH(bool, withPicture);
    QFETCH(QString, look);
    QFETCH(QPoint, captionShift);

    Fixture fixture;
    fixture.button->setCaption(caption);
    if (withPicture) {
        QPixmap picture(110, 20);
        picture.fill(PictureGrey);
        fixture.button->setPicture(picture);
    }
    QVERIFY(fixture.ready());
    const QImage resting = fixture.shown();
    const QRect restingCaption = CaptionBox(resting, QColor(0, 0, 255));
    if (!caption.isEmpty()) {
        // Centred, give or take the glyphs' side bearings.
        QVERIFY(!restingCaption.isEmpty());
        QVERIFY2(qAbs(restingCaption.left() - (109 - restingCaption.right())) <= 3,
                 qPrintable(QTest::toString(restingCaption)));
        QVERIFY2(qAbs(restingCaption.top() - (19 - restingCaption.bottom())) <= 4,
                 qPrintable(QTest::toString(restingCaption)));
    }

    if (how == QLatin1String("hover")) {
        fixture.move({10, 10});
    } else if (how == QLatin1String("pressed")) {
        fixture.move({10, 10});
        fixture.press({10, 10});
    } else if (how == QLatin1String("left")) {
        fixture.move({10, 10});
        fixture.move({-5, 10});
    } else if (how == QLatin1String("disabled")) {
        fixture.button->setEnabled(false);
    }
    QCOMPARE(fixture.look(), look);
    // The text colour is only lent to a look, whatever the look.
    QCOMPARE(fixture.button->ForeColor(), RestFore);

    if (!caption.isEmpty()) {
        const QImage image = fixture.shown();
        QRect box;
        for (const QColor &colour : CaptionColours)
            box |= CaptionBox(image, colour);
        QCOMPARE(box, restingCaption.translated(captionShift));
    }
}

void tst_HotCommand::outsideTest_data()
{
    QTest::addColumn<QPoint>("to"); // in button pixels, from the hover look
    QTest::addColumn<QString>("look");
    QTest::addColumn<bool>("captured");

    QTest::newRow("on the right edge") << QPoint(110, 10) << Hover << true;
    QTest::newRow("on the bottom edge") << QPoint(50, 20) << Hover << true;
    QTest::newRow("on the far corner") << QPoint(110, 20) << Hover << true;
    QTest::newRow("past the right edge") << QPoint(111, 10) << Rest << false;
    QTest::newRow("past the bottom edge") << QPoint(50, 21) << Rest << false;
    QTest::newRow("left of it") << QPoint(-1, 10) << Rest << false;
    QTest::newRow("above it") << QPoint(50, -1) << Rest << false;
    QTest::newRow("on the top-left pixel") << QPoint(0, 0) << Hover << true;
}

void tst_HotCommand::outsideTest()
{
    QFETCH(QPoint, to);
    QFETCH(QString, look);
    QFETCH(bool, captured);

    Fixture fixture;
    QVERIFY(fixture.ready());
    fixture.move({50, 10});
    QCOMPARE(fixture.look(), Hover);
    fixture.move(to);
    QCOMPARE(fixture.look(), look);
    QCOMPARE(fixture.captured(), captured);
}

void tst_HotCommand::sequences_data()
{
    // Steps: "move x y", "press x y", "release x y" (left button, button pixels;
    // the button is 110 x 20), "set <property>" (assigns the property the value it
    // has, the resting background to BackColor, false to Enabled), "enable", "disable the
    // window".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("events");

    const QString hover = Hover + QStringLiteral(", captured");
    const QString pressed = Pressed + QStringLiteral(", captured");
    const QString rest = Rest + QStringLiteral(", free");

    QTest::newRow("press and release")
        << QStringList {"move 10 10", "press 10 10", "release 10 10", "move 11 10"}
        << QStringList {"MouseMove 0: " + hover, "MouseDown 1: " + pressed,
                        "MouseUp 1: " + Pressed + ", free", "Click: " + rest,
                        "MouseMove 0: " + hover};
    QTest::newRow("press, drag off and back")
        << QStringList {"move 10 10",  "press 10 10", "move 150 10",
                        "move 160 10", "move 12 10",  "release 12 10"}
        << QStringList {"MouseMove 0: " + hover,   "MouseDown 1: " + pressed,
                        "MouseMove 1: " + rest,    "MouseMove 1: " + rest,
                        "MouseMove 1: " + pressed, "MouseUp 1: " + Pressed + ", free",
                        "Click: " + rest};
    QTest::newRow("press, drag off and release")
        << QStringList {"move 10 10", "press 10 10", "move 150 10", "release 150 10", "move 160 10"}
        << QStringList {"MouseMove 0: " + hover, "MouseDown 1: " + pressed, "MouseMove 1: " + rest,
                        "MouseUp 1: " + rest};
    QTest::newRow("hover and leave")
        << QStringList {"move 10 10", "move 150 10", "move 160 10"}
        << QStringList {"MouseMove 0: " + hover, "MouseMove 0: " + rest};
    QTest::newRow("disabled press")
        << QStringList {"set Enabled", "move 10 10", "press 10 10", "release 10 10"}
        << QStringList {"reports Enabled: " + Rest + ", free", "= " + Disabled + ", free"};
    QTest::newRow("disabled, then enabled again")
        << QStringList {"set Enabled", "enable", "move 10 10"}
        << QStringList {"reports Enabled: " + Rest + ", free", "= " + Disabled + ", free",
                        "reports Enabled: " + Disabled + ", free", "= " + rest,
                        "MouseMove 0: " + hover};
    QTest::newRow("hover, then disabled")
        << QStringList {"move 10 10", "set Enabled", "move 11 10"}
        << QStringList {"MouseMove 0: " + hover, "reports Enabled: " + hover,
                        "= " + Disabled + ", free"};
    QTest::newRow("pressed, then the window disabled")
        << QStringList {"move 10 10", "press 10 10", "disable the window"}
        << QStringList {"MouseMove 0: " + hover, "MouseDown 1: " + pressed,
                        "= " + Disabled + ", free"};
    QTest::newRow("hover, then ForeColor")
        << QStringList {"move 10 10", "set ForeColor", "move 11 10"}
        << QStringList {"MouseMove 0: " + hover, "reports ForeColor: green flat blue, captured",
                        "= green flat blue, captured", "MouseMove 0: " + hover};
    QTest::newRow("hover, then Caption")
        << QStringList {"move 10 10", "set Caption"}
        << QStringList {"MouseMove 0: " + hover, "reports Caption: " + hover,
                        "= green flat blue, captured"};
    QTest::newRow("pressed, then BackColor")
        << QStringList {"move 10 10", "press 10 10", "set BackColor", "release 10 10"}
        << QStringList {"MouseMove 0: " + hover,
                        "MouseDown 1: " + pressed,
                        "reports BackColor: " + Rest + ", captured",
                        "= " + Rest + ", captured",
                        "MouseUp 1: " + rest,
                        "Click: " + rest};
    QTest::newRow("hover, then BackColorHi")
        << QStringList {"move 10 10", "set BackColorHi"}
        << QStringList {"MouseMove 0: " + hover, "reports BackColorHi: " + hover, "= " + hover};
}

void tst_HotCommand::sequences()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, events);

    Fixture fixture;
    QVERIFY(fixture.ready());
    Recorder recorder(fixture);
    HotCommand *button = fixture.button;
    for (const QString &step : steps) {
        const QStringList parts = step.split(' ');
        const QPoint at = parts.size() == 3 ? QPoint(parts[1].toInt(), parts[2].toInt()) : QPoint();
        if (parts[0] == QLatin1String("move")) {
            fixture.move(at);
        } else if (parts[0] == QLatin1String("press")) {
            fixture.press(at);
        } else if (parts[0] == QLatin1String("release")) {
            fixture.release(at);
        } else {
            if (step == QLatin1String("enable"))
                button->setEnabled(true);
            else if (step == QLatin1String("disable the window"))
                fixture.host.setEnabled(false);
            else if (parts[1] == QLatin1String("Enabled"))
                button->setEnabled(false);
            else if (parts[1] == QLatin1String("BackColor"))
                button->setBackColor(button->NormalBackColor());
            else
                QVERIFY(button->setProperty(qPrintable(parts[1]),
                                            button->property(qPrintable(parts[1]))));
            recorder.log << QStringLiteral("= ") + fixture.state();
        }
    }
    QCOMPARE(recorder.log, events);
}

void tst_HotCommand::everyMouseButtonPresses_data()
{
    QTest::addColumn<Qt::MouseButton>("which");
    QTest::addColumn<int>("bit");

    QTest::newRow("left") << Qt::LeftButton << 1;
    QTest::newRow("right") << Qt::RightButton << 2;
    QTest::newRow("middle") << Qt::MiddleButton << 4;
}

void tst_HotCommand::everyMouseButtonPresses()
{
    QFETCH(Qt::MouseButton, which);
    QFETCH(int, bit);

    Fixture fixture;
    QVERIFY(fixture.ready());
    fixture.move({10, 10});
    Recorder recorder(fixture);
    fixture.press({10, 10}, which);
    fixture.move({12, 10});
    fixture.release({12, 10}, which);
    const QString pressed = Pressed + QStringLiteral(", captured");
    QCOMPARE(recorder.log,
             (QStringList {QStringLiteral("MouseDown %1: ").arg(bit) + pressed,
                           QStringLiteral("MouseMove %1: ").arg(bit) + pressed,
                           QStringLiteral("MouseUp %1: ").arg(bit) + Pressed + ", free",
                           "Click: " + Rest + ", free"}));
}

void tst_HotCommand::backColorReadsTheShownBackground()
{
    Fixture fixture;
    QVERIFY(fixture.ready());
    HotCommand *button = fixture.button;
    fixture.move({10, 10});
    QCOMPARE(button->BackColor(), HoverBack);
    fixture.press({10, 10});
    QCOMPARE(button->BackColor(), DownBack);
    QCOMPARE(button->NormalBackColor(), RestBack);

    // Assigned while pressed: the new resting background shows at once and stays.
    constexpr ColourValue Grey = 0x808080;
    button->setBackColor(Grey);
    QCOMPARE(button->BackColor(), Grey);
    QCOMPARE(button->NormalBackColor(), Grey);
    QCOMPARE(fixture.shown().pixelColor(1, 10), PictureGrey);
    fixture.release({10, 10});
    QCOMPARE(fixture.shown().pixelColor(1, 10), PictureGrey);
    fixture.move({11, 10});
    QCOMPARE(button->BackColor(), HoverBack);
    fixture.move({150, 10});
    QCOMPARE(button->BackColor(), Grey);
}

void tst_HotCommand::settersRedrawAndReport_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("redraws");
    QTest::addColumn<bool>("reportsFirst"); // reports before it redraws

    QPixmap picture(4, 4);
    picture.fill(PictureGrey);
    QFont bold = PlainFont();
    bold.setBold(true);
    QTest::newRow("BackColor") << "BackColor" << QVariant::fromValue(0x808080u) << true << false;
    QTest::newRow("ForeColor") << "ForeColor" << QVariant::fromValue(0x000000u) << true << false;
    QTest::newRow("Enabled") << "Enabled" << QVariant(true) << true << true;
    QTest::newRow("Font") << "Font" << QVariant(bold) << true << false;
    QTest::newRow("Align") << "Align" << QVariant::fromValue(qint16(1)) << false << true;
    QTest::newRow("Caption") << "Caption" << QVariant(QStringLiteral("Exit")) << true << true;
    QTest::newRow("ToolTipText") << "ToolTipText" << QVariant(QStringLiteral("Tip")) << false
                                 << true;
    QTest::newRow("Picture") << "Picture" << QVariant(picture) << true << false;
    QTest::newRow("BackColorHi") << "BackColorHi" << QVariant::fromValue(0x808080u) << false
                                 << true;
    QTest::newRow("ForeColorHi") << "ForeColorHi" << QVariant::fromValue(0u) << false << true;
    QTest::newRow("BackColorDown")
        << "BackColorDown" << QVariant::fromValue(0x808080u) << false << true;
    QTest::newRow("ForeColorDown") << "ForeColorDown" << QVariant::fromValue(0u) << false << true;
}

void tst_HotCommand::settersRedrawAndReport()
{
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QFETCH(bool, redraws);
    QFETCH(bool, reportsFirst);

    Fixture fixture;
    QVERIFY(fixture.ready());
    HotCommand *button = fixture.button;
    fixture.move({10, 10});
    QCOMPARE(fixture.look(), Hover);

    // The raised border shows until a redraw clears it.
    QStringList reports;
    bool borderAtReport = false;
    connect(button, &HotCommand::propertyChanged, this, [&](const QString &name) {
        reports << name;
        borderAtReport = fixture.look().contains(QLatin1String("raised"));
    });
    QVERIFY(button->setProperty(qPrintable(property), value));
    QCOMPARE(reports, QStringList {property});
    QCOMPARE(borderAtReport, !redraws || reportsFirst);
    QCOMPARE(fixture.look().contains(QLatin1String("raised")), !redraws);
    QCOMPARE(button->property(qPrintable(property)).typeId(), value.typeId());
    // Whatever the property, the pointer's capture stays until it moves off.
    QVERIFY(fixture.captured());
}

void tst_HotCommand::keysAtTheSurface_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("clicks");

    QTest::newRow("Return") << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << true;
    QTest::newRow("letter") << int(Qt::Key_G) << false;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("arrow") << int(Qt::Key_Down) << false;
}

void tst_HotCommand::keysAtTheSurface()
{
    QFETCH(int, key);
    QFETCH(bool, clicks);

    Fixture fixture;
    QVERIFY(fixture.ready());
    fixture.button->setFocus();
    QVERIFY(fixture.button->picButton()->hasFocus());
    fixture.move({10, 10});
    // The focus leaves no mark.
    const QImage before = fixture.shown();
    QCOMPARE(LookOf(before), Hover);

    Recorder recorder(fixture);
    QTest::keyClick(fixture.button->picButton(), Qt::Key(key));
    QCOMPARE(recorder.log, clicks ? QStringList {"Click: " + Rest + ", free"} : QStringList {});
    if (!clicks)
        QCOMPARE(fixture.shown(), before);
}

void tst_HotCommand::argumentsPassByReference()
{
    Fixture fixture;
    QVERIFY(fixture.ready());
    HotCommand *button = fixture.button;
    connect(
        button, &HotCommand::MouseDown, this,
        [](int &b, int &shift, float &x, float &y) {
            b = 2;
            shift = 4;
            x = 1.5f;
            y = -1;
        },
        Qt::DirectConnection);
    QList<float> nextHost;
    connect(
        button, &HotCommand::MouseDown, this,
        [&](int &b, int &shift, float &x, float &y) {
            nextHost = {float(b), float(shift), x, y};
        },
        Qt::DirectConnection);
    // The surface's own later listeners get the very values the host changed.
    QList<float> surfaceAfter;
    connect(
        button->picButton(), &DrawingSurface::mouseDown, this,
        [&](int &b, int &shift, float &x, float &y) {
            surfaceAfter = {float(b), float(shift), x, y};
        },
        Qt::DirectConnection);

    fixture.press({10, 10});
    QCOMPARE(nextHost, (QList<float> {2, 4, 1.5f, -1}));
    QCOMPARE(surfaceAfter, nextHost);
    // The look was drawn from the values as received, before the host changed them.
    QCOMPARE(fixture.look(), Pressed);
}

void tst_HotCommand::innerButtonKeys_data()
{
    // What a host handler does to the arguments, and what the inner button then does.
    QTest::addColumn<QString>("handler"); // none, zero KeyCode, zero KeyAscii
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<bool>("innerButtonClicked");

    QTest::newRow("untouched") << "none" << QStringList {"KeyDown 32", "KeyPress 32", "KeyUp 32"}
                               << true;
    QTest::newRow("KeyCode set to 0 swallows the key")
        << "zero KeyCode" << QStringList {"KeyDown 32", "KeyUp 32"} << false;
    QTest::newRow("KeyAscii set to 0 swallows the character")
        << "zero KeyAscii" << QStringList {"KeyDown 32", "KeyPress 32", "KeyUp 32"} << false;
}

void tst_HotCommand::innerButtonKeys()
{
    QFETCH(QString, handler);
    QFETCH(QStringList, events);
    QFETCH(bool, innerButtonClicked);

    // The inner button never takes the focus, so keys reach it only when sent there.
    Fixture fixture;
    QVERIFY(fixture.ready());
    HotCommand *button = fixture.button;
    QCOMPARE(button->cmdMapped()->focusPolicy(), Qt::NoFocus);
    QVERIFY(!button->cmdMapped()->isVisible());

    QStringList log;
    connect(button, &HotCommand::KeyDown, this, [&](int &code, int &shift) {
        log << QStringLiteral("KeyDown %1").arg(code);
        QCOMPARE(shift, 0);
        if (handler == QLatin1String("zero KeyCode"))
            code = 0;
    });
    connect(button, &HotCommand::KeyPress, this, [&](int &ascii) {
        log << QStringLiteral("KeyPress %1").arg(ascii);
        if (handler == QLatin1String("zero KeyAscii"))
            ascii = 0;
    });
    connect(button, &HotCommand::KeyUp, this,
            [&](int &code, int &) { log << QStringLiteral("KeyUp %1").arg(code); });
    QSignalSpy clicked(button->cmdMapped(), &QPushButton::clicked);

    QTest::keyClick(button->cmdMapped(), Qt::Key_Space);
    QCOMPARE(log, events);
    QCOMPARE(clicked.count(), innerButtonClicked ? 1 : 0);
}

void tst_HotCommand::followsItsSize()
{
    Fixture fixture;
    QVERIFY(fixture.ready());
    HotCommand *button = fixture.button;
    const QRect before = CaptionBox(fixture.shown(), QColor(0, 0, 255));
    button->resize(150, 30);
    QCOMPARE(button->picButton()->geometry(), QRect(0, 0, 150, 30));
    const QImage shown = fixture.shown();
    QCOMPARE(LookOf(shown), Rest);
    QCOMPARE(CaptionBox(shown, QColor(0, 0, 255)), before.translated(20, 5));
    // The inner button stays where it was placed.
    QCOMPARE(button->cmdMapped()->geometry().topLeft(), QPoint(240, 0));
}

void tst_HotCommand::newControl()
{
    HotCommand button;
    QCOMPARE(button.Caption(), QStringLiteral("Command1"));
    QCOMPARE(button.NormalBackColor(), button.BackColor());
    // Saving a new control stores its caption and nothing else.
    VariantMapPropertyStore store;
    button.writeProperties(store);
    QCOMPARE(store.values(), (QVariantMap {{"Caption", QStringLiteral("Command1")}}));
}

void tst_HotCommand::emptyStoreGivesTheDefaults()
{
    VariantMapPropertyStore store;
    QFont ambient(QStringLiteral("DejaVu Serif"), 11);
    store.setAmbientFont(ambient);
    HotCommand button(store);

    const QVariantMap expected {{"BackColor", QVariant::fromValue(0x8000000Cu)},
                                {"ForeColor", QVariant::fromValue(0x80000008u)},
                                {"Enabled", true},
                                {"Font", QVariant(ambient)},
                                {"Align", QVariant::fromValue(qint16(0))},
                                {"Caption", QStringLiteral("HotCommand")},
                                {"ToolTipText", QString()},
                                {"Picture", QVariant(QPixmap())},
                                {"BackColorHi", QVariant::fromValue(0x8000000Fu)},
                                {"ForeColorHi", QVariant::fromValue(0x80000012u)},
                                {"BackColorDown", QVariant::fromValue(0x8000000Fu)},
                                {"ForeColorDown", QVariant::fromValue(0x80000012u)}};
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        const QVariant actual = button.property(qPrintable(it.key()));
        if (it->typeId() == QMetaType::QPixmap)
            QVERIFY2(actual.value<QPixmap>().isNull(), qPrintable(it.key()));
        else
            QVERIFY2(actual == *it, qPrintable(it.key()));
    }
    QCOMPARE(button.NormalBackColor(), 0x8000000Cu);

    // Everything at its default: saving writes nothing.
    VariantMapPropertyStore saved;
    saved.setAmbientFont(ambient);
    button.writeProperties(saved);
    QCOMPARE(saved.values(), QVariantMap());
}

void tst_HotCommand::fullStoreRoundTrip()
{
    QPixmap picture(110, 20);
    picture.fill(PictureGrey);
    QFont font(QStringLiteral("DejaVu Sans"), 8);
    font.setItalic(true);
    const QVariantMap full {{"BackColor", QVariant::fromValue(0x80FFFFu)},
                            {"ForeColor", QVariant::fromValue(0x404040u)},
                            {"Enabled", false},
                            {"Font", font},
                            {"Align", 2},
                            {"Cancel", true},
                            {"Caption", QStringLiteral("Send to Clipboard")},
                            {"ToolTipText", QStringLiteral("Copies the HTML")},
                            {"Picture", picture},
                            {"BackColorHi", QVariant::fromValue(0xC0C0C0u)},
                            {"ForeColorHi", QVariant::fromValue(0x00FFFFu)},
                            {"BackColorDown", QVariant::fromValue(0xE0E0E0u)},
                            {"ForeColorDown", QVariant::fromValue(0xC0C0C0u)}};

    HotCommand button {VariantMapPropertyStore(full)};
    QCOMPARE(button.NormalBackColor(), 0x80FFFFu);
    QVERIFY(!button.Enabled());
    VariantMapPropertyStore saved;
    button.writeProperties(saved);
    QCOMPARE(Comparable(saved.values()), Comparable(full));

    // Loaded again into a button that had other values: the same store comes back.
    HotCommand other;
    other.setCaption(QStringLiteral("Exit"));
    other.setForeColorHi(0x123456);
    other.readProperties(saved);
    VariantMapPropertyStore again;
    other.writeProperties(again);
    QCOMPARE(Comparable(again.values()), Comparable(full));
}

void tst_HotCommand::captionCommand1SurvivesSaving_data()
{
    QTest::addColumn<QString>("caption");

    QTest::newRow("Command1") << "Command1";
    QTest::newRow("HotCommand") << "HotCommand";
    QTest::newRow("empty") << "";
    QTest::newRow("Generate") << "Generate";
}

void tst_HotCommand::captionCommand1SurvivesSaving()
{
    // Fault: the caption was written with the default "Command1" but read with the
    // default "HotCommand", so a caption of exactly "Command1" came back as
    // "HotCommand" after a save and a load.
    QFETCH(QString, caption);

    HotCommand button;
    button.setCaption(caption);
    VariantMapPropertyStore store;
    button.writeProperties(store);
    QCOMPARE(HotCommand(store).Caption(), caption);
    QCOMPARE(store.values().contains(QStringLiteral("Caption")),
             caption != QLatin1String("HotCommand"));
}

void tst_HotCommand::loadingReportsFontAndPicture()
{
    QPixmap picture(4, 4);
    picture.fill(Qt::red);
    const VariantMapPropertyStore store(QVariantMap {{"BackColor", QVariant::fromValue(0x80FFFFu)},
                                                     {"Caption", QStringLiteral("Generate")},
                                                     {"Picture", picture},
                                                     {"Enabled", false}});
    HotCommand button;
    QSignalSpy reports(&button, &HotCommand::propertyChanged);
    button.readProperties(store);
    QCOMPARE(reports.count(), 2);
    QCOMPARE(reports.at(0).at(0).toString(), QStringLiteral("Font"));
    QCOMPARE(reports.at(1).at(0).toString(), QStringLiteral("Picture"));
}

void tst_HotCommand::storedValuesAreChecked_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("loaded"); // as the property reads
    QTest::addColumn<bool>("warns");

    QTest::newRow("system colour stored signed")
        << "BackColor" << QVariant(qint32(0x8000000F - 0x100000000LL))
        << QVariant::fromValue(0x8000000Fu) << false;
    QTest::newRow("colour as a QColor") << "ForeColorHi" << QVariant(QColor(255, 128, 0))
                                        << QVariant::fromValue(0x0080FFu) << false;
    QTest::newRow("colour as hexadecimal text")
        << "ForeColor" << QVariant(QStringLiteral("0x404040")) << QVariant::fromValue(0x404040u)
        << false;
    QTest::newRow("colour out of range")
        << "ForeColor" << QVariant(qint64(1) << 40) << QVariant::fromValue(0x80000008u) << true;
    QTest::newRow("colour as a list") << "BackColorDown" << QVariant(QVariantList {1, 2})
                                      << QVariant::fromValue(0x8000000Fu) << true;
    QTest::newRow("enabled as text")
        << "Enabled" << QVariant(QStringLiteral("False")) << QVariant(false) << false;
    QTest::newRow("enabled as a number") << "Enabled" << QVariant(0) << QVariant(false) << false;
    QTest::newRow("enabled as nonsense")
        << "Enabled" << QVariant(QStringLiteral("maybe")) << QVariant(true) << true;
    QTest::newRow("alignment refused")
        << "Align" << QVariant(7) << QVariant::fromValue(qint16(0)) << true;
    QTest::newRow("caption as a number")
        << "Caption" << QVariant(42) << QVariant(QStringLiteral("42")) << false;
    QTest::newRow("caption as a colour")
        << "Caption" << QVariant(QColor(Qt::red)) << QVariant(QStringLiteral("HotCommand")) << true;
}

void tst_HotCommand::storedValuesAreChecked()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, loaded);
    QFETCH(bool, warns);

    if (warns)
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(QStringLiteral("stored \"%1\" holds an unusable value").arg(key)));
    HotCommand button {VariantMapPropertyStore(QVariantMap {{key, stored}})};
    QCOMPARE(button.property(qPrintable(key)), loaded);
}

void tst_HotCommand::savingWhileHoveredKeepsTheRestingBackground()
{
    // Fault: BackColor was saved from what the surface shows, so saving while the
    // pointer was over the button stored the hover background as the resting one.
    Fixture fixture;
    QVERIFY(fixture.ready());
    fixture.move({10, 10});
    QCOMPARE(fixture.button->BackColor(), HoverBack);
    VariantMapPropertyStore store;
    fixture.button->writeProperties(store);
    QCOMPARE(store.readProperty(QStringLiteral("BackColor"), QVariant()).toUInt(), RestBack);
}

QTEST_MAIN(tst_HotCommand)
#include "tst_hotcommand.moc"
