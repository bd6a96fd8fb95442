#include "mainwindow.h"

#include "engine/charcolours.h"
#include "engine/htmlwriter.h"
#include "engine/valueoftext.h"
#include "hotcommand/hotcommand.h"
#include "mainwindow/clicklabel.h"
#include "mainwindow/controlfactory.h"
#include "mainwindow/fonts.h"
#include "mainwindow/layout.h"
#include "mainwindow/textpreview.h"
#include "mainwindow/typepreview.h"
#include "mainwindow/valuefields.h"
#include "platform/colourdialog.h"
#include "platform/desktopshell.h"
#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextDocument>

namespace huevane {

const QString MainWindow::SampleText =
    QStringLiteral("Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\n"
                   "Try it out - it's even more fun!!!");

namespace {

// The value fields' texts when the window opens: start, end and background colour.
constexpr const char *StartValues[3][3] = {
    {"255", "70", "30"}, {"255", "255", "0"}, {"0", "0", "0"}};

void SetBackground(QLabel *label, ColourValue colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, ResolveColour(colour, palette));
    label->setPalette(palette);
}

} // namespace

class MainWindow::Private
{
public:
    DesktopShell *shell = nullptr;
    GradientSettings settings;
    QHash<QString, QWidget *> controls;
    std::array<ColourPanel, 3> panels;
    QPixmap skin {QString::fromLatin1(SkinImage)};
    MessageSink messageSink;
    DialogColourChooser dialogChooser;
    ColourChooser *chooser = &dialogChooser;
    // The output box turns CR LF into its own line breaks: what was last written
    // into it, and whether the box still shows exactly that.
    QString output;
    bool outputShown = false;

    QPlainTextEdit *txtString = nullptr;
    QPlainTextEdit *txtHTML = nullptr;
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

    BuildControls();
    ConnectEvents();
    Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls()
{
    for (const LayoutEntry &entry : WindowLayout())
        d->controls.insert(entry.name, CreateControl(entry, this));

    d->txtString = d->control<QPlainTextEdit>("txtString");
    d->txtHTML = d->control<QPlainTextEdit>("txtHTML");
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

    for (int p = 0; p < 3; ++p) {
        const ColourPanelNames names = PanelNames(p + 1);
        ColourPanel &panel = d->panels[p];
        panel.number = p + 1;
        for (int i = 0; i < 6; ++i)
            panel.fields[i] = d->control<QLineEdit>(ArrayElement(names.fields, i));
        for (int i = 0; i < 3; ++i)
            panel.strips[i] = d->control<QLabel>(ArrayElement(names.strips, i));
        panel.swatch = d->control<DrawingSurface>(names.swatch);
        for (int i = 0; i < 5; ++i)
            panel.presets[i] = d->control<QLabel>(ArrayElement(names.presets, i));
    }

    const auto focusTarget = [this](const QString &name) -> QWidget * {
        QWidget *widget = d->controls.value(name);
        if (auto *button = qobject_cast<HotCommand *>(widget))
            return button->picButton(); // the part of the button that takes the focus
        return widget;
    };
    const QStringList order = TabOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(focusTarget(order[i - 1]), focusTarget(order[i]));
}

void MainWindow::ConnectEvents()
{
    connect(d->txtString, &QPlainTextEdit::textChanged, this, &MainWindow::TextChanged);
    connect(d->txtSize, &QLineEdit::textChanged, this, &MainWindow::TextSizeChanged);

    for (int k = 0; k < 3; ++k) {
        // Every click redraws, also on the button already selected, which changes
        // no state and so toggles nothing.
        connect(d->options[k], &QRadioButton::clicked, this, [this, k] {
            d->settings.gradientType = quint8(k + 1);
            DrawTextPreview(d->settings.gradientType);
        });
        DrawingSurface *preview = d->typePreviews[k];
        connect(
            preview, &DrawingSurface::mouseDown, this,
            [this, k](int &button, int &, float &, float &) { TypePreviewMouseDown(k, button); });
        connect(preview, &DrawingSurface::mouseMove, this,
                [this, k](int &button, int &, float &x, float &) {
                    TypePreviewMouseMove(k, button, x);
                });
        connect(preview, &DrawingSurface::mouseUp, this,
                [this, k](int &, int &, float &, float &) { TypePreviewMouseUp(k); });
    }

    connect(d->chkPerLine, &QCheckBox::toggled, this, [this](bool checked) {
        d->settings.perLine = checked;
        DrawTextPreview(d->settings.gradientType);
    });
    const std::pair<const char *, QCheckBox *> captions[] = {
        {"lblPerLine", d->chkPerLine}, {"lblUpTags", d->chkUpTags}, {"lblJSQuote", d->chkJSQuote}};
    for (const auto &[label, box] : captions) {
        connect(d->control<ClickLabel>(label), &ClickLabel::clicked, box,
                [box = box] { box->setChecked(!box->isChecked()); });
    }

    for (const ColourPanel &panel : d->panels) {
        for (int i = 0; i < 6; ++i) {
            const auto *filter = new ValueFieldFilter(
                panel.fields[i], i < 3 ? ValueFieldKind::Decimal : ValueFieldKind::Hexadecimal);
            connect(filter, &ValueFieldFilter::focusLost, this,
                    [this, &panel, i] { CommitField(panel, i); });
        }
        connect(panel.swatch, &DrawingSurface::click, this,
                [this, &panel] { ChooseColour(panel); });
        for (int p = 0; p < 5; ++p) {
            connect(qobject_cast<ClickLabel *>(panel.presets[p]), &ClickLabel::clicked, this,
                    [this, &panel, p] { ApplyPreset(panel, p); });
        }
    }
    connect(d->control<ClickLabel>("lblSwap"), &ClickLabel::clicked, this,
            &MainWindow::SwapStartAndEnd);

    new SelectAllOnFocus(d->txtString);
    new SelectAllOnFocus(d->txtHTML);
    connect(d->txtHTML, &QPlainTextEdit::textChanged, this, [this] { d->outputShown = false; });
    connect(d->control<HotCommand>("lblClipboard"), &HotCommand::Click, this,
            &MainWindow::SendToClipboard);

    connect(d->control<HotCommand>("lblGenerate"), &HotCommand::Click, this, &MainWindow::Generate);
    connect(d->control<HotCommand>("cmdExit"), &HotCommand::Click, this, &QWidget::close);
    connect(d->control<ClickLabel>("Label1"), &ClickLabel::clicked, this, &QWidget::close);
    if (d->shell)
        d->shell->MakeDragHandle(d->control<ClickLabel>("Label3"));
}

void MainWindow::Load()
{
    ApplyWindowOutline();
    CreateIcon();
    ShowOutput(HtmlPlaceholder.toString());
    d->txtString->setPlainText(SampleText);
    d->txtSize->setText(QStringLiteral("8"));
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < 3; ++i)
            d->panels[p].fields[i]->setText(QString::fromLatin1(StartValues[p][i]));
    }
    d->settings.centre = Middle(WholeTextLength(d->settings));
    d->settings.gradientType = StartToEnd;
    for (const ColourPanel &panel : d->panels)
        RefreshAll(panel);
}

const GradientSettings &MainWindow::settings() const
{
    return d->settings;
}

const ColourPanel &MainWindow::colourPanel(int number) const
{
    Q_ASSERT(number >= 1 && number <= 3);
    return d->panels[number - 1];
}

QString MainWindow::inputText() const
{
    // Inside the document paragraphs end in U+2029, and Shift+Enter breaks a line
    // with U+2028; the gradient record separates its lines with CR LF.
    QString text = d->txtString->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, LineBreak.toString());
    text.replace(QChar::LineSeparator, LineBreak.toString());
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

ColourTriplet MainWindow::ReadColour(const ColourPanel &panel) const
{
    return ColourTriplet {static_cast<float>(ValueOfText(panel.fields[0]->text())),
                          static_cast<float>(ValueOfText(panel.fields[1]->text())),
                          static_cast<float>(ValueOfText(panel.fields[2]->text()))};
}

void MainWindow::RefreshAll(const ColourPanel &panel)
{
    for (int i = 0; i < 3; ++i) {
        QLineEdit *field = panel.fields[i];
        const QString clamped = ClampedText(field->text());
        if (clamped != field->text())
            field->setText(clamped);
        panel.fields[i + 3]->setText(HexText(ValueOfText(clamped)));
    }

    for (int row = 0; row < 3; ++row)
        PaintStrip(panel, row);
    if (panel.swatch)
        panel.swatch->setBackColor(PackColour(ReadColour(panel)));

    DrawAllTypePreviews();
    if (const quint8 type = selectedType())
        DrawTextPreview(type);
}

void MainWindow::PaintStrip(const ColourPanel &panel, int row)
{
    const float component = static_cast<float>(ValueOfText(panel.fields[row]->text()));
    ColourTriplet alone;
    (row == 0 ? alone.red : row == 1 ? alone.green : alone.blue) = component;
    SetBackground(panel.strips[row], PackColour(alone));
}

void MainWindow::DrawTextPreview(quint8 type)
{
    GradientSettings &settings = d->settings;
    DrawingSurface *preview = d->picGradText;
    if (IsBlankText(settings.text)) {
        preview->clear();
        return;
    }

    settings.startColour = ReadColour(d->panels[0]);
    settings.endColour = ReadColour(d->panels[1]);
    settings.backColour = ReadColour(d->panels[2]);
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
        ComputeCharColours(settings);
        settings.gradientType = selected;
        PaintCharacters(*preview, settings);
    }

    ShowOutput(HtmlPlaceholder.toString());
}

void MainWindow::DrawTypePreviews(DrawingSurface *preview, quint8 kind)
{
    StripeSettings stripes;
    stripes.kind = kind;
    stripes.start = ReadColour(d->panels[0]);
    stripes.end = ReadColour(d->panels[1]);
    stripes.count = d->settings.totalChars;
    stripes.centre = d->settings.centre;
    PaintTypePreview(*preview, stripes);
}

void MainWindow::DrawAllTypePreviews()
{
    for (int k = 0; k < 3; ++k)
        DrawTypePreviews(d->typePreviews[k], quint8(k + 1));
}

void MainWindow::Generate()
{
    d->settings.upperCaseTags = d->chkUpTags->isChecked();
    d->settings.noQuotes = d->chkJSQuote->isChecked();
    ShowOutput(GenerateHtml(d->settings));
}

void MainWindow::ShowOutput(const QString &text)
{
    d->txtHTML->setPlainText(text);
    d->output = text;
    d->outputShown = true;
}

void MainWindow::setMessageSink(MessageSink sink)
{
    d->messageSink = std::move(sink);
}

void MainWindow::setColourChooser(ColourChooser *chooser)
{
    d->chooser = chooser ? chooser : &d->dialogChooser;
}

void MainWindow::CommitField(const ColourPanel &panel, int index)
{
    QLineEdit *field = panel.fields[index];
    const QString checked = RangeCheckedText(field->text());
    if (checked != field->text())
        field->setText(checked);

    const int row = index % 3;
    QLineEdit *decimal = panel.fields[row];
    if (index < 3) {
        panel.fields[row + 3]->setText(HexText(ValueOfText(field->text())));
    } else {
        // Pasted text escapes the key filter. What is no hexadecimal number
        // (or none that a component holds) is shown again from the decimal field,
        // and the colour stays as it was.
        const std::optional<quint32> value = HexValue(field->text());
        if (!value || *value > 255) {
            field->setText(HexText(ValueOfText(decimal->text())));
            return;
        }
        // The hexadecimal field keeps its text as typed, "0a" or "07" included.
        decimal->setText(QString::number(*value));
    }

    PaintStrip(panel, row);
    panel.swatch->setBackColor(PackColour(ReadColour(panel)));
    if (panel.number != 3) // the type previews show no background colour
        DrawAllTypePreviews();
    if (const quint8 type = selectedType())
        DrawTextPreview(type);
}

void MainWindow::ChooseColour(const ColourPanel &panel)
{
    const std::optional<ColourValue> chosen =
        d->chooser->chooseColour(panel.swatch->backColor(), this);
    // Cancelled, or an answer that is no plain colour: the panel stays as it was.
    if (!chosen || *chosen > 0xFFFFFFu)
        return;
    panel.fields[0]->setText(QString::number(*chosen & 0xFF));
    panel.fields[1]->setText(QString::number((*chosen >> 8) & 0xFF));
    panel.fields[2]->setText(QString::number(*chosen >> 16));
    RefreshAll(panel);
}

void MainWindow::ApplyPreset(const ColourPanel &panel, int preset)
{
    // Each preset carries the colour it sets as its back colour.
    const LayoutEntry *entry = FindControl(panel.presets[preset]->objectName());
    Q_ASSERT(entry && entry->backColor);
    const ColourValue colour = *entry->backColor;
    for (int k = 0; k < 3; ++k)
        panel.fields[k]->setText(QString::number((colour >> (8 * k)) & 0xFF));
    RefreshAll(panel);
}

void MainWindow::SwapStartAndEnd()
{
    const ColourPanel &start = d->panels[0];
    const ColourPanel &end = d->panels[1];
    for (int k = 0; k < 3; ++k) {
        const QString remembered = start.fields[k]->text();
        start.fields[k]->setText(end.fields[k]->text());
        end.fields[k]->setText(remembered);
    }
    for (const ColourPanel &panel : d->panels)
        RefreshAll(panel);
}

void MainWindow::SendToClipboard()
{
    QString text = d->txtHTML->toPlainText();
    if (d->outputShown)
        text = d->output; // exactly as written, with its CR LF line ends
    else
        text.replace(u'\n', QStringLiteral("\r\n"));
    if (text == HtmlPlaceholder)
        return;
    d->txtHTML->selectAll();
    d->txtHTML->setFocus(Qt::OtherFocusReason);
    // Copying an empty selection copies nothing: the clipboard keeps what it had.
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void MainWindow::TextChanged()
{
    SetText(d->settings, inputText());
    d->lblChars->setText(QString::number(d->settings.totalChars));
    if (const quint8 type = selectedType())
        DrawTextPreview(type);
    DrawAllTypePreviews();
    ShowOutput(HtmlPlaceholder.toString());
}

void MainWindow::TextSizeChanged()
{
    if (const std::optional<double> size = PreviewTextSize(d->txtSize->text())) {
        d->settings.textSize = static_cast<float>(*size);
        QFont font = d->picGradText->font();
        font.setPointSizeF(*size);
        d->picGradText->setFont(font);
    }
    DrawTextPreview(d->settings.gradientType);
}

void MainWindow::TypePreviewMouseDown(int index, int button)
{
    if (index == 2 && button == 2) {
        d->settings.centre = Middle(WholeTextLength(d->settings));
        DrawTypePreviews(d->typePreviews[2], RiseAndFall);
    }
    // Selecting another option button runs its click handling; the one already
    // selected stays as it is.
    if (!d->options[index]->isChecked())
        d->options[index]->click();
}

void MainWindow::TypePreviewMouseMove(int index, int button, float x)
{
    if (index != 2)
        return;
    DrawingSurface *preview = d->typePreviews[2];
    if (button == 1) {
        const std::optional<qint32> centre =
            CentreFromDrag(x, preview->scaleWidth(), d->settings.totalChars);
        if (!centre)
            return;
        d->settings.centre = *centre;
        DrawTypePreviews(preview, RiseAndFall);
    } else if (button == 2) {
        d->settings.centre = Middle(d->settings.totalChars);
        DrawTypePreviews(preview, RiseAndFall);
    }
}

void MainWindow::TypePreviewMouseUp(int index)
{
    if (index == 2)
        DrawTextPreview(RiseAndFall);
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, d->skin);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    DeleteIcon();
    QWidget::closeEvent(event);
}

void MainWindow::ApplyWindowOutline()
{
    if (d->shell)
        setMask(d->shell->BuildWindowOutline());
}

void MainWindow::CreateIcon()
{
    if (d->shell)
        d->shell->CreateIcon(this);
}

void MainWindow::DeleteIcon()
{
    if (d->shell)
        d->shell->DeleteIcon();
}

} // namespace huevane
