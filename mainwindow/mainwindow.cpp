#include "mainwindow.h"

#include "engine/charcolours.h"
#include "engine/formatwriter.h"
#include "engine/lineends.h"
#include "hotcommand/hotcommand.h"
#include "mainwindow/announcedlabel.h"
#include "mainwindow/artpixmap.h"
#include "mainwindow/clicklabel.h"
#include "mainwindow/controlfactory.h"
#include "mainwindow/copyas.h"
#include "mainwindow/fonts.h"
#include "mainwindow/layout.h"
#include "textview/textbox.h"
#include "mainwindow/textpreview.h"
#include "mainwindow/turningpoint.h"
#include "mainwindow/typepreview.h"
#include "mainwindow/valuefields.h"
#include "mainwindow/windowlooks.h"
#include "platform/desktopshell.h"
#include "platform/drawingsurface.h"
#include "platform/focuspassing.h"
#include "platform/twips.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QShortcut>
#include <QWindow>

#include <algorithm>

namespace huevane {

const QString MainWindow::SampleText =
    QStringLiteral("Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\n"
                   "Try it out - it's even more fun!!!");

namespace {

// The value fields' texts when the window opens: start, end and background colour.
constexpr const char *StartValues[3][3] = {
    {"255", "70", "30"}, {"255", "255", "0"}, {"0", "0", "0"}};

// To assistive technology the frameless window is a window, not a plain widget.
QAccessibleInterface *WindowAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(MainWindow::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

class MainWindow::Private
{
public:
    DesktopShell *shell = nullptr;
    GradientSettings settings;
    QList<CharColour> colours; // of the last text preview
    QHash<QString, QWidget *> controls;
    QPixmap skin;               // for the device pixel ratio it was last painted at
    qreal artRatio = 0;         // the device pixel ratio the controls' art is drawn for
    bool watchesScreen = false; // redrawArt() follows the window to other screens
    MessageSink messageSink;
    ColourPanels *panels = nullptr;
    HtmlOutput *output = nullptr;

    TextBox *txtString = nullptr;
    QLineEdit *txtSize = nullptr;
    QLabel *lblChars = nullptr;
    AnnouncedLabel *countAnnouncer = nullptr;
    DrawingSurface *picGradText = nullptr;
    std::array<DrawingSurface *, 3> typePreviews {};
    std::array<QRadioButton *, 3> options {};
    QCheckBox *chkUpTags = nullptr;
    QCheckBox *chkPerLine = nullptr;
    QCheckBox *chkJSQuote = nullptr;

    template <typename T>
    T *control(const QString &name) const
    {
        T *widget = qobject_cast<T *>(controls.value(name));
        Q_ASSERT_X(widget, "MainWindow", qPrintable(name));
        return widget;
    }
};

MainWindow::MainWindow(DesktopShell *shell, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , d(std::make_unique<Private>())
{
    static const bool accessible = (QAccessible::installFactory(WindowAccessibleFactory), true);
    Q_UNUSED(accessible);
    InstallFocusPassingAccessibility();
    d->shell = shell;
    InstallFontSubstitutions();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Huevane"));
    setWindowIcon(ArtIcon({WindowIcon16, WindowIcon32}));
    setFont(MakeFont(DefaultFont()));
    setFixedSize(TwipsToPixels(ClientWidthTwips, TwipsPerPixelX()),
                 TwipsToPixels(ClientHeightTwips, TwipsPerPixelY()));

    d->messageSink = [this](const QString &message) {
        QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), message,
                        QMessageBox::Ok, this);
        box.exec();
    };

    buildControls();
    d->artRatio = devicePixelRatioF();
    HoldWindowLooks(this);
    connectEvents();
    load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    for (const LayoutEntry &entry : WindowLayout())
        d->controls.insert(entry.name, CreateControl(entry, this));

    d->txtString = d->control<TextBox>("txtString");
    d->txtSize = d->control<QLineEdit>("txtSize");
    d->lblChars = d->control<QLabel>("lblChars");
    d->countAnnouncer = new AnnouncedLabel(d->lblChars, d->control<QLabel>("Label4"));
    d->picGradText = d->control<DrawingSurface>("picGradText");
    // The preview draws the characters of a line that neither turns nor joins one
    // by one, so it measures them as drawn; other lines it lays out with shaping.
    d->picGradText->setFont(TextPreviewFont(d->picGradText->font()));
    d->chkUpTags = d->control<QCheckBox>("chkUpTags");
    d->chkPerLine = d->control<QCheckBox>("chkPerLine");
    d->chkJSQuote = d->control<QCheckBox>("chkJSQuote");
    for (int k = 0; k < 3; ++k) {
        d->typePreviews[k] = d->control<DrawingSurface>(ArrayElement("Picture4", k));
        d->options[k] = d->control<QRadioButton>(ArrayElement("Option1", k));
    }
    d->panels = new ColourPanels(this);
    auto *txtHTML = d->control<TextBox>("txtHTML");
    d->output = new HtmlOutput(txtHTML);
    // 'Copy as' writes the gradient on screen, with the tag options the check
    // boxes show now, whether or not 'Generate' ran.
    AddCopyAsMenu(
        txtHTML, [txtHTML] { return txtHTML->createStandardContextMenu(); },
        [this] {
            CopySource source {d->settings, d->colours};
            source.settings.output.upperCaseTags = d->chkUpTags->isChecked();
            source.settings.output.noQuotes = d->chkJSQuote->isChecked();
            return source;
        });
}

// Tab and Shift+Tab follow the window's tab order itself, not Qt's focus chain:
// the chain cannot hold the order for the hot-tracking buttons, whose focus lies
// on an inner surface (Tab from the last check box came back to Send to
// Clipboard and never reached Exit). An option button is a stop only while it
// is selected, as in any group of them.
bool MainWindow::focusNextPrevChild(bool next)
{
    const QStringList order = TabOrder();
    const qsizetype count = order.size();
    const QWidget *focus = QApplication::focusWidget();
    qsizetype at = next ? -1 : count;
    for (qsizetype i = 0; i < count; ++i) {
        const QWidget *control = d->controls.value(order[i]);
        if (control && (control == focus || control->isAncestorOf(focus)))
            at = i;
    }
    for (qsizetype step = 1; step <= count; ++step) {
        QWidget *control =
            d->controls.value(order[((at + (next ? step : -step)) % count + count) % count]);
        const auto *option = qobject_cast<QRadioButton *>(control);
        if (!control || !control->isVisible() || !control->isEnabled()
            || (option && !option->isChecked()))
            continue;
        control->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void MainWindow::connectEvents()
{
    connect(d->txtString, &TextBox::textChanged, this, &MainWindow::textChanged);
    new SelectAllOnFocus(d->txtString);
    connect(d->txtSize, &QLineEdit::textChanged, this, &MainWindow::textSizeChanged);

    connectTypeSelector();

    connect(d->chkPerLine, &QCheckBox::toggled, this, [this](bool checked) {
        d->settings.gradient.perLine = checked;
        drawTextPreview(quint8(d->settings.gradient.type));
    });
    const std::pair<const char *, QCheckBox *> captions[] = {
        {"lblPerLine", d->chkPerLine}, {"lblUpTags", d->chkUpTags}, {"lblJSQuote", d->chkJSQuote}};
    for (const auto &[label, box] : captions) {
        connect(d->control<ClickLabel>(label), &ClickLabel::clicked, box,
                [box = box] { box->setChecked(!box->isChecked()); });
    }

    connect(d->panels, &ColourPanels::refreshed, this, [this] {
        drawAllTypePreviews();
        drawSelectedTextPreview();
    });
    connect(d->panels, &ColourPanels::committed, this, [this](int number) {
        if (number != 3) // the type previews show no background colour
            drawAllTypePreviews();
        drawSelectedTextPreview();
    });

    connect(d->control<HotCommand>("lblClipboard"), &HotCommand::Click, d->output,
            &HtmlOutput::sendToClipboard);
    connect(d->control<HotCommand>("lblGenerate"), &HotCommand::Click, this, &MainWindow::generate);
    connect(d->control<HotCommand>("cmdExit"), &HotCommand::Click, this, &QWidget::close);
    connect(d->control<ClickLabel>("Label1"), &ClickLabel::clicked, this, &QWidget::close);
    // The usual key to quit a program, on every platform (the platform's own Quit
    // key is none on some); Escape is left alone, as it would throw the text away
    // by accident.
    auto *quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    if (d->shell)
        d->shell->makeDragHandle(d->control<ClickLabel>("Label3"));
}

void MainWindow::connectTypeSelector()
{
    // Connected before the presses that select a type below: a right press on the
    // third preview puts the turning point in the middle before type 3 is drawn.
    auto *turningPoint = new TurningPointDrag(d->typePreviews[2], d->settings);
    connect(turningPoint, &TurningPointDrag::centreMoved, this, [this](qint32 centre) {
        d->settings.gradient.centre = centre;
        drawTypePreviews(d->typePreviews[2], quint8(GradientType::RiseAndFall));
        // Moving the turning point chooses type 3, as the press that starts a drag
        // does; from the keyboard there is no press.
        if (!d->options[2]->isChecked())
            d->options[2]->click();
    });
    connect(turningPoint, &TurningPointDrag::released, this,
            [this] { drawTextPreview(quint8(GradientType::RiseAndFall)); });
    for (int k = 0; k < 3; ++k) {
        QRadioButton *option = d->options[k];
        // Every click redraws, also on the button already selected, which changes
        // no state and so toggles nothing.
        connect(option, &QRadioButton::clicked, this, [this, k] {
            d->settings.gradient.type = GradientType(k + 1);
            drawTextPreview(quint8(k + 1));
        });
        // A press on a type preview selects its type, which draws the text preview;
        // the type already selected stays as it is.
        const auto select = [option] {
            if (!option->isChecked())
                option->click();
        };
        connect(d->typePreviews[k], &DrawingSurface::mouseDown, option, select);
        // From the keyboard, Enter or Space on a preview selects its type.
        connect(d->typePreviews[k], &DrawingSurface::keyPress, option, [select](int &keyAscii) {
            if (keyAscii == 13 || keyAscii == 32)
                select();
        });
        // The third is the turning point's slider besides, with its actions.
        d->typePreviews[k]->setAccessibleRole(k < 2 ? QAccessible::Button : QAccessible::Slider);
        if (k < 2)
            d->typePreviews[k]->setKeyActions({PressAction()});
    }
}

void MainWindow::load()
{
    applyWindowOutline();
    createIcon();
    d->output->showPlaceholder();
    d->txtString->setPlainText(SampleText);
    d->txtSize->setText(QStringLiteral("8"));
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < 3; ++i)
            d->panels->writeField(colourPanel(p + 1), i, QString::fromLatin1(StartValues[p][i]));
    }
    d->settings.gradient.centre = Middle(d->settings.text.wholeTextLength());
    d->settings.gradient.type = GradientType::StartToEnd;
    for (int number = 1; number <= 3; ++number)
        refreshAll(colourPanel(number));
    // The first stop of the tab order, not the first control made that takes the
    // focus (the close mark).
    d->txtString->setFocus();
}

const GradientSettings &MainWindow::settings() const
{
    return d->settings;
}

const QList<CharColour> &MainWindow::charColours() const
{
    return d->colours;
}

const ColourPanel &MainWindow::colourPanel(int number) const
{
    return d->panels->panel(number);
}

QString MainWindow::inputText() const
{
    // The gradient record separates the lines with CR LF, whatever ends them in the box.
    return WithLineBreaks(d->txtString->toPlainText(), LineBreak);
}

quint8 MainWindow::selectedType() const
{
    for (int k = 0; k < 3; ++k) {
        if (d->options[k]->isChecked())
            return quint8(k + 1);
    }
    return 0;
}

void MainWindow::refreshAll(const ColourPanel &panel)
{
    d->panels->refresh(panel); // redraws through ColourPanels::refreshed
}

void MainWindow::drawTextPreview(quint8 type)
{
    GradientSettings &settings = d->settings;
    DrawingSurface *preview = d->picGradText;
    if (IsBlankText(settings.text.text())) {
        preview->clear();
        return;
    }

    settings.gradient.start = d->panels->colour(1);
    settings.gradient.end = d->panels->colour(2);
    settings.backColour = d->panels->colour(3);
    preview->clear();
    preview->setBackColor(PackColour(settings.backColour));

    // The preview may show another type than the selected one (the third
    // preview's release draws type 3); the record keeps the selected type.
    Gradient drawn = settings.gradient;
    drawn.type = GradientType(type);
    if (std::optional<QList<CharColour>> colours = ComputeCharColours(settings.text, drawn)) {
        d->colours = std::move(*colours);
        PaintCharacters(*preview, settings.text, d->colours);
    } else {
        // Colours of an earlier drawing must not reach the HTML.
        d->colours.clear();
        d->messageSink(QStringLiteral("Error setting colors for gradient:%1").arg(type));
    }

    d->output->showPlaceholder();
}

void MainWindow::drawSelectedTextPreview()
{
    if (const quint8 type = selectedType())
        drawTextPreview(type);
}

void MainWindow::drawTypePreviews(DrawingSurface *preview, quint8 kind)
{
    StripeSettings stripes {d->settings.gradient, d->settings.text.totalChars()};
    stripes.gradient.type = GradientType(kind);
    stripes.gradient.start = d->panels->colour(1);
    stripes.gradient.end = d->panels->colour(2);
    PaintTypePreview(*preview, stripes);
    // A screen reader reads the turning point as a slider's value, in characters.
    if (preview == d->typePreviews[2]) {
        const qint32 centre = d->settings.gradient.centre;
        preview->setAccessibleRange(DrawingSurface::AccessibleRange {
            std::min(0, centre), std::max(stripes.count, centre), centre});
    }
}

void MainWindow::drawAllTypePreviews()
{
    for (int k = 0; k < 3; ++k)
        drawTypePreviews(d->typePreviews[k], quint8(k + 1));
}

void MainWindow::generate()
{
    d->settings.output.upperCaseTags = d->chkUpTags->isChecked();
    d->settings.output.noQuotes = d->chkJSQuote->isChecked();
    d->output->show(FormattedText(d->settings.text, d->colours, d->settings.output));
}

void MainWindow::setMessageSink(MessageSink sink)
{
    d->messageSink = std::move(sink);
}

void MainWindow::setColourChooser(ColourChooser *chooser)
{
    d->panels->setColourChooser(chooser);
}

void MainWindow::textChanged()
{
    SetText(d->settings, inputText());
    SetCaption(d->lblChars, QString::number(d->settings.text.totalChars()));
    d->countAnnouncer->changed();
    drawSelectedTextPreview();
    drawAllTypePreviews();
    d->output->showPlaceholder();
}

void MainWindow::textSizeChanged()
{
    if (const std::optional<double> size = PreviewTextSize(d->txtSize->text())) {
        d->settings.textSize = static_cast<float>(*size);
        QFont font = d->picGradText->font();
        font.setPointSizeF(*size);
        d->picGradText->setFont(font);
    }
    drawTextPreview(quint8(d->settings.gradient.type));
}

void MainWindow::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (d->skin.isNull() || d->skin.devicePixelRatio() != ratio)
        d->skin = ArtPixmap(QString::fromLatin1(SkinImage), ratio);
    QPainter painter(this);
    painter.drawPixmap(0, 0, d->skin);
}

// The window may open on another screen than the one its controls were made for.
void MainWindow::showEvent(QShowEvent *event)
{
    if (!d->watchesScreen) {
        d->watchesScreen = true;
        connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::redrawArt);
    }
    redrawArt();
    QWidget::showEvent(event);
}

// On a screen of another device pixel ratio the textures are drawn for it, and
// what the surfaces keep is drawn again at its resolution; the output box keeps
// what it shows.
void MainWindow::redrawArt()
{
    const qreal ratio = devicePixelRatioF();
    if (ratio == d->artRatio)
        return;
    d->artRatio = ratio;
    for (const LayoutEntry &entry : WindowLayout()) {
        if (const ButtonLooks *looks = FindButtonLooks(entry.name)) {
            d->control<HotCommand>(entry.name)
                ->setPicture(ArtPixmap(QString::fromLatin1(looks->picture), ratio));
        } else if (!entry.picture.isEmpty()) {
            d->control<DrawingSurface>(entry.name)->setPicture(ArtPixmap(entry.picture, ratio));
        }
    }
    drawAllTypePreviews();
    if (!IsBlankText(d->settings.text.text()) && !d->colours.isEmpty()) {
        d->picGradText->clear();
        PaintCharacters(*d->picGradText, d->settings.text, d->colours);
    }
    update();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    deleteIcon();
    QWidget::closeEvent(event);
}

void MainWindow::applyWindowOutline()
{
    if (d->shell)
        setMask(d->shell->buildWindowOutline());
}

void MainWindow::createIcon()
{
    if (d->shell)
        d->shell->createIcon(this);
}

void MainWindow::deleteIcon()
{
    if (d->shell)
        d->shell->deleteIcon();
}

} // namespace huevane
