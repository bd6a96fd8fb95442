#include "mainwindow.h"

#include "engine/charcolours.h"
#include "engine/htmlwriter.h"
#include "hotcommand/hotcommand.h"
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
    QHash<QString, QWidget *> controls;
    QPixmap skin {QString::fromLatin1(SkinImage)};
    MessageSink messageSink;
    ColourPanels *panels = nullptr;
    HtmlOutput *output = nullptr;

    TextBox *txtString = nullptr;
    QLineEdit *txtSize = nullptr;
    QLabel *lblChars = nullptr;
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
    d->shell = shell;
    InstallFontSubstitutions();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Huevane"));
    QIcon icon;
    icon.addFile(QString::fromLatin1(WindowIcon16), QSize(16, 16));
    icon.addFile(QString::fromLatin1(WindowIcon32), QSize(32, 32));
    setWindowIcon(icon);
    setFont(MakeFont(DefaultFont()));
    setFixedSize(TwipsToPixels(ClientWidthTwips, TwipsPerPixelX()),
                 TwipsToPixels(ClientHeightTwips, TwipsPerPixelY()));

    d->messageSink = [this](const QString &message) {
        QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), message,
                        QMessageBox::Ok, this);
        box.exec();
    };

    buildControls();
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
    d->picGradText = d->control<DrawingSurface>("picGradText");
    // The preview draws its characters one by one, so it measures them as drawn:
    // without ligatures or kerning between neighbours.
    QFont previewFont = d->picGradText->font();
    previewFont.setStyleStrategy(QFont::PreferNoShaping);
    d->picGradText->setFont(previewFont);
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
            CopySource source {d->settings, d->settings.charColours};
            source.settings.upperCaseTags = d->chkUpTags->isChecked();
            source.settings.noQuotes = d->chkJSQuote->isChecked();
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
        d->settings.perLine = checked;
        drawTextPreview(d->settings.gradientType);
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
        d->settings.centre = centre;
        drawTypePreviews(d->typePreviews[2], RiseAndFall);
        // Moving the turning point chooses type 3, as the press that starts a drag
        // does; from the keyboard there is no press.
        if (!d->options[2]->isChecked())
            d->options[2]->click();
    });
    connect(turningPoint, &TurningPointDrag::released, this,
            [this] { drawTextPreview(RiseAndFall); });
    for (int k = 0; k < 3; ++k) {
        QRadioButton *option = d->options[k];
        // Every click redraws, also on the button already selected, which changes
        // no state and so toggles nothing.
        connect(option, &QRadioButton::clicked, this, [this, k] {
            d->settings.gradientType = quint8(k + 1);
            drawTextPreview(d->settings.gradientType);
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
            colourPanel(p + 1).fields[i]->setText(QString::fromLatin1(StartValues[p][i]));
    }
    d->settings.centre = Middle(WholeTextLength(d->settings));
    d->settings.gradientType = StartToEnd;
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

const ColourPanel &MainWindow::colourPanel(int number) const
{
    return d->panels->panel(number);
}

QString MainWindow::inputText() const
{
    // The box ends its lines in LF; the gradient record separates them with CR LF.
    QString text = d->txtString->toPlainText();
    text.replace(u'\n', LineBreak.toString());
    return text;
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
    if (IsBlankText(settings.text)) {
        preview->clear();
        return;
    }

    settings.startColour = d->panels->colour(1);
    settings.endColour = d->panels->colour(2);
    settings.backColour = d->panels->colour(3);
    preview->clear();
    preview->setBackColor(PackColour(settings.backColour));

    if (type < StartToEnd || type > RiseAndFall) {
        // Colours of an earlier drawing must not reach the HTML.
        settings.charColours.clear();
        d->messageSink(QStringLiteral("Error setting colors for gradient:%1").arg(type));
    } else {
        // The preview may show another type than the selected one (the third
        // preview's release draws type 3); the record keeps the selected type.
        const quint8 selected = settings.gradientType;
        settings.gradientType = type;
        settings.charColours = *ComputeCharColours(settings);
        settings.gradientType = selected;
        PaintCharacters(*preview, settings);
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
    StripeSettings stripes;
    stripes.kind = kind;
    stripes.start = d->panels->colour(1);
    stripes.end = d->panels->colour(2);
    stripes.count = d->settings.totalChars;
    stripes.centre = d->settings.centre;
    PaintTypePreview(*preview, stripes);
    // A screen reader reads the turning point as a slider's value, in characters.
    if (preview == d->typePreviews[2]) {
        const qint32 centre = d->settings.centre;
        preview->setAccessibleRange(DrawingSurface::AccessibleRange {
            std::min(0, centre), std::max(d->settings.totalChars, centre), centre});
    }
}

void MainWindow::drawAllTypePreviews()
{
    for (int k = 0; k < 3; ++k)
        drawTypePreviews(d->typePreviews[k], quint8(k + 1));
}

void MainWindow::generate()
{
    d->settings.upperCaseTags = d->chkUpTags->isChecked();
    d->settings.noQuotes = d->chkJSQuote->isChecked();
    const GradientSettings &s = d->settings;
    d->output->show(GenerateHtml(s.text, s.lines, s.charColours, {s.upperCaseTags, s.noQuotes}));
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
    SetCaption(d->lblChars, QString::number(d->settings.totalChars));
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
    drawTextPreview(d->settings.gradientType);
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, d->skin);
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
