#include "hotcommand/hotcommand.h"

#include "platform/drawingsurface.h"
#include "platform/propertystore.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QDebug>
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
const QColor Blue(0, 0, 255);

const QList<std::pair<QColor, QString>> Names {
    {QColor(255, 255, 0), "yellow"}, {Blue, "blue"},       {QColor(0, 255, 0), "green"},
    {QColor(255, 0, 0), "red"},      {Qt::white, "white"}, {QColor(255, 0, 255), "magenta"},
    {Highlight, "orange"},           {Shadow, "purple"},   {PictureGrey, "grey"}};
const QList<QColor> CaptionColours {Blue, QColor(255, 0, 0), QColor(255, 0, 255), Shadow};

QString ColourName(const QColor &colour)
{
    for (const auto &[known, name] : Names)
        if (known == colour)
            return name;
    return colour.name();
}

QVariant C(ColourValue value)
{
    return QVariant::fromValue(value);
}

// The box around the caption's pixels of @p colours, inside the border.
QRect CaptionBox(const QImage &image, const QList<QColor> &colours = {Blue})
{
    QRect box;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (colours.contains(image.pixelColor(x, y)))
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
    const QColor back = image.pixelColor(1, h / 2);
    const QList<QColor> edges {image.pixelColor(w / 2, 0), image.pixelColor(0, h / 2),
                               image.pixelColor(w - 1, h / 2), image.pixelColor(w / 2, h - 1)};
    QString border = QStringLiteral("odd-border");
    if (edges == QList<QColor> {back, back, back, back})
        border = QStringLiteral("flat");
    else if (edges == QList<QColor> {Highlight, Highlight, Shadow, Shadow})
        border = QStringLiteral("raised");
    else if (edges == QList<QColor> {Shadow, Shadow, Highlight, Highlight})
        border = QStringLiteral("sunken");
    QStringList captions;
    for (const QColor &colour : CaptionColours)
        if (!CaptionBox(image, {colour}).isEmpty())
            captions << ColourName(colour);
    return ColourName(back) + ' ' + border + ' '
        + (captions.isEmpty() ? QStringLiteral("none") : captions.join('+'));
}

const QString Rest = QStringLiteral("yellow flat blue");
const QString Hover = QStringLiteral("green raised red");
const QString Pressed = QStringLiteral("white sunken magenta");
const QString Disabled = QStringLiteral("yellow flat purple");

// A 110 x 20 pixel button at (20, 20) in a larger window, so that the pointer can
// leave it within the window. Text is drawn without smoothing, so that every
// glyph pixel has the caption colour.
struct Fixture
{
    QWidget host;
    HotCommand *button = new HotCommand(&host);

    Fixture()
    {
        host.resize(200, 60);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Light, Highlight);
        palette.setColor(QPalette::Dark, Shadow);
        host.setPalette(palette);
        button->setGeometry(20, 20, 110, 20);
        QFont font = QApplication::font();
        font.setStyleStrategy(QFont::NoAntialias);
        button->setFont(font);
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
    QPoint at(QPoint p) const { return button->mapTo(&host, p); }
    QImage shown() const { return button->grab().toImage(); }
    QString look() const { return LookOf(shown()); }
    bool captured() const { return button->picButton()->hasCapture(); }
    QString state() const { return look() + (captured() ? ", captured" : ", free"); }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(window(), b, {}, at(p));
    }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(window(), b, {}, at(p));
    }
    void move(QPoint p) { QTest::mouseMove(window(), at(p)); }
};

// Every event of the button as "<event> [arguments]: <look>, captured|free", with
// the look and capture as they are when the event is raised.
struct Recorder
{
    QStringList log;

    explicit Recorder(const Fixture &fixture)
    {
        HotCommand *b = fixture.button;
        const auto note = [this, &fixture](const QString &what) {
            log << what + QStringLiteral(": ") + fixture.state();
        };
        const auto mouse = [note](QString name) {
            return [note, name](int &b, int &, float &, float &) { note(name.arg(b)); };
        };
        const auto key = [note](QString name) {
            return [note, name](int &code) { note(name.arg(code)); };
        };
        const auto key2 = [note](QString name) {
            return [note, name](int &code, int &) { note(name.arg(code)); };
        };
        QObject::connect(b, &HotCommand::MouseDown, b, mouse("MouseDown %1"));
        QObject::connect(b, &HotCommand::MouseMove, b, mouse("MouseMove %1"));
        QObject::connect(b, &HotCommand::MouseUp, b, mouse("MouseUp %1"));
        QObject::connect(b, &HotCommand::Click, b, [note] { note("Click"); });
        QObject::connect(b, &HotCommand::DblClick, b, [note] { note("DblClick"); });
        QObject::connect(b, &HotCommand::KeyDown, b, key2("KeyDown %1"));
        QObject::connect(b, &HotCommand::KeyPress, b, key("KeyPress %1"));
        QObject::connect(b, &HotCommand::KeyUp, b, key2("KeyUp %1"));
        QObject::connect(b, &HotCommand::propertyChanged, b,
                         [note](const QString &name) { note("reports " + name); });
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
    void initTestCase() { previousHandler = qInstallMessageHandler(QuietAboutGrabbing); }

    void looks_data();
    void looks();
    void outsideTest_data();
    void outsideTest();
    void sequences_data();
    void sequences();
    void backColorReadsTheShownBackground();
    void settersRedrawAndReport_data();
    void settersRedrawAndReport();
    void keysAtTheSurface_data();
    void keysAtTheSurface();
    void argumentsPassByReference();
    void innerButtonKeys_data();
    void innerButtonKeys();
    void followsItsSize();

    void defaultsAndEmptySaves();
    void fullStoreRoundTrip();
    void captionCommand1SurvivesSaving_data();
    void captionCommand1SurvivesSaving();
    void storedValuesAreChecked_data();
    void storedValuesAreChecked();
};

void tst_HotCommand::looks_data()
{
    QTest::addColumn<QString>("how"); // rest, hover, pressed, left, disabled
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("withPicture");
    QTest::addColumn<QString>("look");

    // clang-format off
    QTest::newRow("rest") << "rest" << "Generate" << false << Rest;
    QTest::newRow("hover") << "hover" << "Generate" << false << Hover;
    QTest::newRow("pressed") << "pressed" << "Generate" << false << Pressed;
    QTest::newRow("disabled") << "disabled" << "Generate" << false << Disabled;
    QTest::newRow("rest, empty caption") << "rest" << "" << false << "yellow flat none";
    QTest::newRow("pressed, empty caption") << "pressed" << "" << false << "white sunken none";
    QTest::newRow("hover over a picture") << "hover" << "Exit" << true << "grey raised red";
    QTest::newRow("pressed over a picture") << "pressed" << "Exit" << true << "grey sunken magenta";
    // Back at rest the picture covers the outline drawn in the resting background.
    QTest::newRow("left again over a picture") << "left" << "Exit" << true << "grey flat blue";
    QTest::newRow("disabled over a picture") << "disabled" << "Exit" << true << "grey flat purple";
    // clang-format on
}

void tst_HotCommand::looks()
{
    QFETCH(QString, how);
    QFETCH(QString, caption);
    QFETCH(bool, withPicture);
    QFETCH(QString, look);

    Fixture fixture;
    fixture.button->setCaption(caption);
    if (withPicture) {
        QPixmap picture(110, 20);
        picture.fill(PictureGrey);
        fixture.button->setPicture(picture);
    }
    QVERIFY(fixture.ready());
    const QRect resting = CaptionBox(fixture.shown());
    // Centred, give or take the glyphs' side bearings.
    QCOMPARE(resting.isEmpty(), caption.isEmpty());
    if (!caption.isEmpty()) {
        QVERIFY2(qAbs(resting.left() - (109 - resting.right())) <= 3,
                 qPrintable(QDebug::toString(resting)));
        QVERIFY2(qAbs(resting.top() - (19 - resting.bottom())) <= 4,
                 qPrintable(QDebug::toString(resting)));
    }

    if (how != QLatin1String("rest") && how != QLatin1String("disabled"))
        fixture.move({10, 10});
    if (how == QLatin1String("pressed"))
        fixture.press({10, 10});
    else if (how == QLatin1String("left"))
        fixture.move({-5, 10});
    else if (how == QLatin1String("disabled"))
        fixture.button->setEnabled(false);
    QCOMPARE(fixture.look(), look);
    // The text colour is only lent to a look, whatever the look.
    QCOMPARE(fixture.button->foreColor(), RestFore);
    // Pressed, the caption sits two pixels right and one down.
    const QPoint shift = how == QLatin1String("pressed") ? QPoint(2, 1) : QPoint();
    if (!caption.isEmpty())
        QCOMPARE(CaptionBox(fixture.shown(), CaptionColours), resting.translated(shift));
}

void tst_HotCommand::outsideTest_data()
{
    QTest::addColumn<QPoint>("to"); // in button pixels, from the hover look
    QTest::addColumn<bool>("inside");

    QTest::newRow("on the right edge") << QPoint(110, 10) << true;
    QTest::newRow("on the bottom edge") << QPoint(50, 20) << true;
    QTest::newRow("on the top-left pixel") << QPoint(0, 0) << true;
    QTest::newRow("past the right edge") << QPoint(111, 10) << false;
    QTest::newRow("past the bottom edge") << QPoint(50, 21) << false;
    QTest::newRow("left of it") << QPoint(-1, 10) << false;
    QTest::newRow("above it") << QPoint(50, -1) << false;
}

void tst_HotCommand::outsideTest()
{
    QFETCH(QPoint, to);
    QFETCH(bool, inside);

    Fixture fixture;
    QVERIFY(fixture.ready());
    fixture.move({50, 10});
    QCOMPARE(fixture.look(), Hover);
    fixture.move(to);
    QCOMPARE(fixture.state(), inside ? Hover + ", captured" : Rest + ", free");
}

void tst_HotCommand::sequences_data()
{
    // Steps: "move x y", "press x y [bit]", "release x y [bit]" (button pixels, the
    // button is 110 x 20; left button unless a bit 2 or 4 says otherwise),
    // "set <property>" (assigns the property the value it has, the resting
    // background to backColor, false to enabled), "enable", "disable the window".
    // Events as the recorder writes them, "; " between them, with "hover",
    // "pressed", "rest", "disabled" for those looks with the capture they go with
    // and "up" for the pressed look just released.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("events");

    const auto row = [](const char *name, const char *steps, const char *events) {
        QTest::newRow(name) << QString(steps).split(", ") << QString(events).split("; ");
    };
    row("press and release", "move 10 10, press 10 10, release 10 10, move 11 10",
        "MouseMove 0: hover; MouseDown 1: pressed; MouseUp 1: up; Click: rest; MouseMove 0: hover");
    row("right button", "move 10 10, press 10 10 2, move 12 10, release 12 10 2",
        "MouseMove 0: hover; MouseDown 2: pressed; MouseMove 2: pressed; MouseUp 2: up");
    row("middle button", "move 10 10, press 10 10 4, move 12 10, release 12 10 4",
        "MouseMove 0: hover; MouseDown 4: pressed; MouseMove 4: pressed; MouseUp 4: up");
    row("press, drag off and back",
        "move 10 10, press 10 10, move 150 10, move 160 10, move 12 10, release 12 10",
        "MouseMove 0: hover; MouseDown 1: pressed; MouseMove 1: rest; MouseMove 1: rest; "
        "MouseMove 1: pressed; MouseUp 1: up; Click: rest");
    row("press, drag off and release",
        "move 10 10, press 10 10, move 150 10, release 150 10, move 160 10",
        "MouseMove 0: hover; MouseDown 1: pressed; MouseMove 1: rest; MouseUp 1: rest");
    row("hover and leave", "move 10 10, move 150 10, move 160 10",
        "MouseMove 0: hover; MouseMove 0: rest");
    row("disabled press", "set enabled, move 10 10, press 10 10, release 10 10",
        "reports Enabled: rest; = disabled");
    row("disabled, then enabled again", "set enabled, enable, move 10 10",
        "reports Enabled: rest; = disabled; reports Enabled: disabled; = rest; MouseMove 0: hover");
    row("hover, then disabled", "move 10 10, set enabled, move 11 10",
        "MouseMove 0: hover; reports Enabled: hover; = disabled");
    row("pressed, then the window disabled", "move 10 10, press 10 10, disable the window",
        "MouseMove 0: hover; MouseDown 1: pressed; = disabled");
    row("hover, then ForeColor", "move 10 10, set foreColor, move 11 10",
        "MouseMove 0: hover; reports ForeColor: green flat blue, captured; "
        "= green flat blue, captured; MouseMove 0: hover");
    row("pressed, then BackColor", "move 10 10, press 10 10, set backColor, release 10 10",
        "MouseMove 0: hover; MouseDown 1: pressed; reports BackColor: yellow flat blue, captured; "
        "= yellow flat blue, captured; MouseUp 1: rest; Click: rest");
}

void tst_HotCommand::sequences()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, events);

    Fixture fixture;
    QVERIFY(fixture.ready());
    Recorder recorder(fixture);
    HotCommand *button = fixture.button;
    // Fault: the button hid QWidget::setEnabled, so a container disabling it
    // through a QWidget pointer skipped its handling.
    QWidget *widget = button;
    for (const QString &step : steps) {
        const QStringList parts = step.split(' ');
        const QPoint at = parts.size() >= 3 ? QPoint(parts[1].toInt(), parts[2].toInt()) : QPoint();
        const auto which = Qt::MouseButton(parts.size() == 4 ? parts[3].toInt() : 1);
        if (parts[0] == QLatin1String("move")) {
            fixture.move(at);
            continue;
        } else if (parts[0] == QLatin1String("press")) {
            fixture.press(at, which);
            continue;
        } else if (parts[0] == QLatin1String("release")) {
            fixture.release(at, which);
            continue;
        } else if (step == QLatin1String("enable")) {
            widget->setEnabled(true);
        } else if (step == QLatin1String("disable the window")) {
            fixture.host.setEnabled(false);
        } else if (parts[1] == QLatin1String("enabled")) {
            widget->setEnabled(false);
        } else if (parts[1] == QLatin1String("backColor")) {
            button->setBackColor(button->normalBackColor());
        } else {
            const QByteArray name = parts[1].toLatin1();
            QVERIFY(button->setProperty(name.constData(), button->property(name.constData())));
        }
        recorder.log << QStringLiteral("= ") + fixture.state();
    }
    const std::pair<QString, const char *> names[] = {{Hover + ", captured", "hover"},
                                                      {Pressed + ", captured", "pressed"},
                                                      {Rest + ", free", "rest"},
                                                      {Pressed + ", free", "up"},
                                                      {Disabled + ", free", "disabled"}};
    for (QString &event : recorder.log)
        for (const auto &[state, name] : names)
            event.replace(state, QLatin1String(name));
    QCOMPARE(recorder.log, events);
}

void tst_HotCommand::backColorReadsTheShownBackground()
{
    Fixture fixture;
    QVERIFY(fixture.ready());
    HotCommand *button = fixture.button;
    fixture.move({10, 10});
    QCOMPARE(button->backColor(), HoverBack);
    // Fault: BackColor was saved from what the surface shows, so saving while the
    // pointer was over the button stored the hover background as the resting one.
    VariantMapPropertyStore store;
    button->writeProperties(store);
    QCOMPARE(store.readProperty(QStringLiteral("BackColor"), QVariant()).toUInt(), RestBack);
    fixture.press({10, 10});
    QCOMPARE(button->backColor(), DownBack);
    QCOMPARE(button->normalBackColor(), RestBack);

    // Assigned while pressed: the new resting background shows at once and stays.
    button->setBackColor(0x808080);
    QCOMPARE(button->backColor(), 0x808080u);
    QCOMPARE(button->normalBackColor(), 0x808080u);
    QCOMPARE(fixture.shown().pixelColor(1, 10), PictureGrey);
    fixture.release({10, 10});
    QCOMPARE(fixture.shown().pixelColor(1, 10), PictureGrey);
    fixture.move({11, 10});
    QCOMPARE(button->backColor(), HoverBack);
    fixture.move({150, 10});
    QCOMPARE(button->backColor(), 0x808080u);
}

void tst_HotCommand::settersRedrawAndReport_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("redraws");
    QTest::addColumn<bool>("reportsFirst"); // reports before it redraws

    QPixmap picture(4, 4);
    picture.fill(PictureGrey);
    QFont bold = QApplication::font();
    bold.setBold(true);
    const auto row = [](const char *name, const QVariant &value, bool redraws, bool first) {
        QTest::newRow(name) << QString(name) << value << redraws << first;
    };
    row("backColor", C(0x808080), true, false);
    row("foreColor", C(0), true, false);
    row("font", bold, true, false); // QWidget's property: the button must not hide setFont
    row("align", QVariant::fromValue(qint16(1)), false, true);
    row("caption", QStringLiteral("Exit"), true, true);
    row("toolTipText", QStringLiteral("Tip"), false, true);
    row("picture", picture, true, false);
    row("backColorHi", C(0x808080), false, true);
    row("foreColorHi", C(0), false, true);
    row("backColorDown", C(0x808080), false, true);
    row("foreColorDown", C(0), false, true);
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
    // Reported under its stored key: the name, capitalised.
    QCOMPARE(reports, QStringList {property.left(1).toUpper() + property.mid(1)});
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
    using Args = QList<float>;
    const auto change = [](int &b, int &shift, float &x, float &y) {
        b = 2;
        shift = 4;
        x = 1.5f;
        y = -1;
    };
    Args nextHost;
    Args surfaceAfter;
    const auto keep = [](Args &into) {
        return [&into](int &b, int &s, float &x, float &y) { into = {float(b), float(s), x, y}; };
    };
    connect(button, &HotCommand::MouseDown, this, change, Qt::DirectConnection);
    connect(button, &HotCommand::MouseDown, this, keep(nextHost), Qt::DirectConnection);
    // The surface's own later listeners get the very values the host changed.
    connect(button->picButton(), &DrawingSurface::mouseDown, this, keep(surfaceAfter),
            Qt::DirectConnection);

    fixture.press({10, 10});
    QCOMPARE(nextHost, (Args {2, 4, 1.5f, -1}));
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

    const QStringList all {"KeyDown 32", "KeyPress 32", "KeyUp 32"};
    QTest::newRow("untouched") << "none" << all << true;
    QTest::newRow("KeyCode set to 0 swallows the key")
        << "zero KeyCode" << QStringList {"KeyDown 32", "KeyUp 32"} << false;
    QTest::newRow("KeyAscii set to 0 swallows the character") << "zero KeyAscii" << all << false;
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
    const QRect before = CaptionBox(fixture.shown());
    button->resize(150, 30);
    QCOMPARE(button->picButton()->geometry(), QRect(0, 0, 150, 30));
    QCOMPARE(fixture.look(), Rest);
    QCOMPARE(CaptionBox(fixture.shown()), before.translated(20, 5));
    // The inner button stays where it was placed.
    QCOMPARE(button->cmdMapped()->geometry().topLeft(), QPoint(240, 0));
}

void tst_HotCommand::defaultsAndEmptySaves()
{
    // A new control saves its caption and nothing else.
    HotCommand fresh;
    QCOMPARE(fresh.normalBackColor(), fresh.backColor());
    VariantMapPropertyStore store;
    fresh.writeProperties(store);
    QCOMPARE(store.values(), (QVariantMap {{"Caption", QStringLiteral("Command1")}}));

    // Loaded from an empty store, every property has its default and saving writes nothing.
    VariantMapPropertyStore empty;
    const QFont ambient(QStringLiteral("DejaVu Serif"), 11);
    empty.setAmbientFont(ambient);
    HotCommand button(empty);
    const QVariantMap expected {{"backColor", C(0x8000000C)},
                                {"foreColor", C(0x80000008)},
                                {"enabled", true},
                                {"font", QVariant(ambient)},
                                {"align", QVariant::fromValue(qint16(0))},
                                {"caption", QStringLiteral("HotCommand")},
                                {"toolTipText", QString()},
                                {"picture", QVariant(QPixmap())},
                                {"backColorHi", C(0x8000000F)},
                                {"foreColorHi", C(0x80000012)},
                                {"backColorDown", C(0x8000000F)},
                                {"foreColorDown", C(0x80000012)}};
    QVariantMap actual;
    for (auto it = expected.begin(); it != expected.end(); ++it)
        actual[it.key()] = button.property(qPrintable(it.key()));
    QCOMPARE(Comparable(actual), Comparable(expected));
    QCOMPARE(button.normalBackColor(), 0x8000000Cu);
    button.writeProperties(empty);
    QCOMPARE(empty.values(), QVariantMap());
}

void tst_HotCommand::fullStoreRoundTrip()
{
    QPixmap picture(110, 20);
    picture.fill(PictureGrey);
    QFont font(QStringLiteral("DejaVu Sans"), 8);
    font.setItalic(true);
    const QVariantMap full {{"BackColor", C(0x80FFFF)},
                            {"ForeColor", C(0x404040)},
                            {"Enabled", false},
                            {"Font", font},
                            {"Align", 2},
                            {"Cancel", true},
                            {"Caption", QStringLiteral("Send to Clipboard")},
                            {"ToolTipText", QStringLiteral("Copies the HTML")},
                            {"Picture", picture},
                            {"BackColorHi", C(0xC0C0C0)},
                            {"ForeColorHi", C(0x00FFFF)},
                            {"BackColorDown", C(0xE0E0E0)},
                            {"ForeColorDown", C(0xC0C0C0)}};

    HotCommand button {VariantMapPropertyStore(full)};
    QCOMPARE(button.normalBackColor(), 0x80FFFFu);
    QVERIFY(!button.isEnabled());
    VariantMapPropertyStore saved;
    button.writeProperties(saved);
    QCOMPARE(Comparable(saved.values()), Comparable(full));

    // Loaded again into a button that had other values: the same store comes back.
    HotCommand other;
    other.setCaption(QStringLiteral("Exit"));
    other.setForeColorHi(0x123456);
    // Loading reports the font and the picture, and no other property.
    QStringList reports;
    connect(&other, &HotCommand::propertyChanged, this,
            [&](const QString &name) { reports << name; });
    other.readProperties(saved);
    QCOMPARE(reports, (QStringList {"Font", "Picture"}));
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
    QCOMPARE(HotCommand(store).caption(), caption);
    QCOMPARE(store.values().contains(QStringLiteral("Caption")),
             caption != QLatin1String("HotCommand"));
}

void tst_HotCommand::storedValuesAreChecked_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("loaded"); // as the property reads
    QTest::addColumn<bool>("warns");

    const auto row = [](const char *name, const char *key, const QVariant &stored,
                        const QVariant &loaded, bool warns) {
        QTest::newRow(name) << QString(key) << stored << loaded << warns;
    };
    row("system colour stored signed", "BackColor", qint32(0x8000000F - 0x100000000LL),
        C(0x8000000F), false);
    row("colour as a QColor", "ForeColorHi", QColor(255, 128, 0), C(0x0080FF), false);
    row("colour as hexadecimal text", "ForeColor", QStringLiteral("0x404040"), C(0x404040), false);
    row("colour out of range", "ForeColor", qint64(1) << 40, C(0x80000008), true);
    row("colour as a list", "BackColorDown", QVariantList {1, 2}, C(0x8000000F), true);
    row("enabled as text", "Enabled", QStringLiteral("False"), false, false);
    row("enabled as a number", "Enabled", 0, false, false);
    row("enabled as nonsense", "Enabled", QStringLiteral("maybe"), true, true);
    row("alignment refused", "Align", 7, QVariant::fromValue(qint16(0)), true);
    row("caption as a number", "Caption", 42, QStringLiteral("42"), false);
    row("caption as a colour", "Caption", QColor(Qt::red), QStringLiteral("HotCommand"), true);
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
    QCOMPARE(button.property(qPrintable(key.left(1).toLower() + key.mid(1))), loaded);
}

QTEST_MAIN(tst_HotCommand)
#include "tst_hotcommand.moc"
