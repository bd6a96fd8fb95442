#include "mainwindow.h"

#include "hotcommand/hotcommand.h"
#include "mainwindow/announcedlabel.h"
#include "mainwindow/artpixmap.h"
#include "mainwindow/clicklabel.h"
#include "mainwindow/controlfactory.h"
#include "mainwindow/copyas.h"
#include "mainwindow/fitpreview.h"
#include "mainwindow/fonts.h"
#include "mainwindow/gradienteditor.h"
#include "mainwindow/gradientmenu.h"
#include "mainwindow/htmloutput.h"
#include "mainwindow/layout.h"
#include "mainwindow/recenttemplates.h"
#include "mainwindow/savedpresets.h"
#include "mainwindow/textpreview.h"
#include "mainwindow/turningpoint.h"
#include "mainwindow/typepreview.h"
#include "mainwindow/valuefields.h"
#include "mainwindow/windowlooks.h"
#include "platform/desktopshell.h"
#include "platform/drawingsurface.h"
#include "platform/focuspassing.h"
#include "platform/twips.h"
#include "textview/textbox.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QShortcut>
#include <QWindow>

#include <algorithm>

namespace huevane {

namespace {

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
    GradientModel *model = nullptr;
    QHash<QString, QWidget *> controls;
    QPixmap skin;               // for the device pixel ratio it was last painted at
    qreal artRatio = 0;         // the device pixel ratio the controls' art is drawn for
    bool watchesScreen = false; // redrawArt() follows the window to other screens
    MessageSink messageSink;
    ColourPanels *panels = nullptr;
    HtmlOutput *output = nullptr;
    FitPreview *fitPreview = nullptr;
    SavedPresets *presets = nullptr;
    std::unique_ptr<RecentTemplates> templates = std::make_unique<RecentTemplates>();
    GradientEditor *editor = nullptr;
    DialogColourChooser dialogChooser;
    ColourChooser *chooser = &dialogChooser; // for the gradient editor

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

    d->model = new GradientModel(this);
    d->presets = new SavedPresets(SavedPresets::DefaultPath(), this);
    buildControls();
    d->artRatio = devicePixelRatioF();
    HoldWindowLooks(this);
    connectModel(); // fills the controls before their changes reach the model
    connectEvents();
    connectGradientMenus();
    applyWindowOutline();
    createIcon();
    // The first stop of the tab order, not the first control made that takes the
    // focus (the close mark).
    d->txtString->setFocus();
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
    d->panels = new ColourPanels(this, d->model);
    auto *txtHTML = d->control<TextBox>("txtHTML");
    d->output = new HtmlOutput(txtHTML, d->model);
    // 'Copy as' writes the gradient on screen, with the tag options the check
    // boxes show now, whether or not 'Generate' ran; the preview shows the fit of
    // the entry last copied.
    auto *copyAs = new CopyAsMenu(
        txtHTML, [txtHTML] { return txtHTML->createStandardContextMenu(); }, d->model,
        d->templates.get());
    d->fitPreview = new FitPreview(d->model);
    connect(copyAs, &CopyAsMenu::copied, d->fitPreview, &FitPreview::setEntry);
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
    GradientModel *model = d->model;
    connect(d->txtString, &TextBox::textChanged, model,
            [this] { d->model->setText(d->txtString->toPlainText()); });
    new SelectAllOnFocus(d->txtString);
    connect(d->txtSize, &QLineEdit::textChanged, this, &MainWindow::textSizeChanged);

    connectTypeSelector();

    connect(d->chkPerLine, &QCheckBox::toggled, model, &GradientModel::setPerLine);
    connect(d->chkUpTags, &QCheckBox::toggled, model, &GradientModel::setUpperCaseTags);
    connect(d->chkJSQuote, &QCheckBox::toggled, model, &GradientModel::setNoQuotes);
    const std::pair<const char *, QCheckBox *> captions[] = {
        {"lblPerLine", d->chkPerLine}, {"lblUpTags", d->chkUpTags}, {"lblJSQuote", d->chkJSQuote}};
    for (const auto &[label, box] : captions) {
        connect(d->control<ClickLabel>(label), &ClickLabel::clicked, box,
                [box = box] { box->setChecked(!box->isChecked()); });
    }

    connect(d->control<HotCommand>("lblClipboard"), &HotCommand::Click, d->output,
            &HtmlOutput::sendToClipboard);
    connect(d->control<HotCommand>("lblGenerate"), &HotCommand::Click, model,
            &GradientModel::generate);
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
    auto *turningPoint = new TurningPointDrag(d->typePreviews[2], d->model);
    connect(turningPoint, &TurningPointDrag::centreMoved, this, [this](qint32 centre) {
        d->model->setCentre(centre);
        // Moving the turning point chooses type 3, as the press that starts a drag
        // does; from the keyboard there is no press.
        if (!d->options[2]->isChecked())
            d->options[2]->click();
    });
    connect(turningPoint, &TurningPointDrag::released, d->model,
            [this] { d->model->draw(GradientType::RiseAndFall); });
    for (int k = 0; k < 3; ++k) {
        QRadioButton *option = d->options[k];
        // Every click draws, also on the button already selected.
        connect(option, &QRadioButton::clicked, d->model,
                [this, k] { d->model->selectType(GradientType(k + 1)); });
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

// The controls show the model: whatever sets it, they follow, and they draw
// from what it computed.
void MainWindow::connectModel()
{
    GradientModel *model = d->model;
    d->txtString->setPlainText(model->text());
    d->txtSize->setText(QString::number(model->textSize()));
    const auto showCount = [this] {
        SetCaption(d->lblChars, QString::number(d->model->preparedText().totalChars()));
        d->countAnnouncer->changed();
    };
    showCount();
    connect(model, &GradientModel::textChanged, this, showCount);
    const auto showType = [this](GradientType type) {
        if (IsGradientType(type))
            d->options[int(type) - 1]->setChecked(true);
    };
    showType(model->type());
    connect(model, &GradientModel::typeChanged, this, showType);
    connect(model, &GradientModel::perLineChanged, d->chkPerLine, &QCheckBox::setChecked);
    connect(model, &GradientModel::upperCaseTagsChanged, d->chkUpTags, &QCheckBox::setChecked);
    connect(model, &GradientModel::noQuotesChanged, d->chkJSQuote, &QCheckBox::setChecked);
    const auto showSize = [this](double points) {
        QFont font = d->picGradText->font();
        font.setPointSizeF(points);
        d->picGradText->setFont(font);
    };
    showSize(model->textSize());
    connect(model, &GradientModel::textSizeChanged, this, showSize);
    connect(model, &GradientModel::stripesChanged, this, [this](bool turningPointOnly) {
        for (int k = turningPointOnly ? 2 : 0; k < 3; ++k)
            drawTypePreview(k);
    });
    connect(d->fitPreview, &FitPreview::changed, this, &MainWindow::drawTextPreview);
    connect(model, &GradientModel::drawFailed, this, [this](int type) {
        d->messageSink(QStringLiteral("Error setting colors for gradient:%1").arg(type));
    });
    for (int k = 0; k < 3; ++k)
        drawTypePreview(k);
    drawTextPreview();
}

GradientModel &MainWindow::model() const
{
    return *d->model;
}

FitPreview &MainWindow::fitPreview() const
{
    return *d->fitPreview;
}

const ColourPanel &MainWindow::colourPanel(int number) const
{
    return d->panels->panel(number);
}

void MainWindow::drawTextPreview()
{
    DrawingSurface *preview = d->picGradText;
    preview->clear();
    if (IsBlankText(d->model->text()))
        return;
    preview->setBackColor(PackColour(d->model->backColour()));
    if (!d->fitPreview->colours().isEmpty())
        PaintCharacters(*preview, d->model->preparedText(), d->fitPreview->colours(),
                        d->model->styles());
}

void MainWindow::drawTypePreview(int index)
{
    DrawingSurface *preview = d->typePreviews[index];
    StripeSettings stripes {d->model->gradient(), d->model->preparedText().totalChars()};
    stripes.gradient.type = GradientType(index + 1);
    PaintTypePreview(*preview, stripes);
    // A screen reader reads the turning point as a slider's value, in characters.
    if (index == 2) {
        const qint32 centre = stripes.gradient.centre;
        preview->setAccessibleRange(DrawingSurface::AccessibleRange {
            std::min(0, centre), std::max(stripes.count, centre), centre});
    }
}

void MainWindow::setMessageSink(MessageSink sink)
{
    d->messageSink = std::move(sink);
}

void MainWindow::setColourChooser(ColourChooser *chooser)
{
    d->chooser = chooser ? chooser : &d->dialogChooser;
    d->panels->setColourChooser(chooser);
}

// The gradient editor opens from its key anywhere in the window, from the
// context menu of the previews (the right button's release, so that its press
// keeps selecting the type and, on the third preview, a drag with it keeps
// moving the turning point; the menu key, but on the third, where that key puts
// the turning point in the middle), and from their accessible action, which
// posts the key to the preview.
void MainWindow::connectGradientMenus()
{
    auto *edit = new QAction(QStringLiteral("Edit gradient"), this);
    edit->setShortcut(EditGradientKey());
    edit->setShortcutContext(Qt::WindowShortcut);
    addAction(edit);
    connect(edit, &QAction::triggered, this, &MainWindow::showGradientEditor);

    const auto popup = [this](const QPoint &at) {
        QMenu *menu = CreateGradientMenu(
            d->model, d->presets, [this] { showGradientEditor(); }, EditGradientKey(), this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(at);
    };
    for (DrawingSurface *surface :
         {d->typePreviews[0], d->typePreviews[1], d->typePreviews[2], d->picGradText}) {
        connect(surface, &DrawingSurface::mouseUp, this,
                [popup](int &button, int &, float &, float &) {
                    if (button == 2)
                        popup(QCursor::pos());
                });
        const bool menuKey = surface != d->typePreviews[2];
        connect(
            surface, &DrawingSurface::keyDown, this,
            [this, surface, popup, menuKey](int &keyCode, int &shift) {
                if (keyCode == Qt::Key_G && shift == 2) {
                    keyCode = 0;
                    showGradientEditor();
                } else if (menuKey
                           && (keyCode == Qt::Key_Menu || (keyCode == Qt::Key_F10 && shift == 1))) {
                    keyCode = 0;
                    popup(surface->mapToGlobal(surface->rect().center()));
                }
            });
        surface->setKeyActions(surface->keyActions() << KeyAction {QStringLiteral("Edit gradient"),
                                                                   EditGradientKey()[0]});
    }
}

void MainWindow::showGradientEditor()
{
    if (!d->editor)
        d->editor = new GradientEditor(
            d->model, d->presets, [this] { return d->chooser; }, this);
    d->editor->showBeside();
}

GradientEditor *MainWindow::gradientEditor() const
{
    return d->editor;
}

SavedPresets &MainWindow::savedPresets() const
{
    return *d->presets;
}

void MainWindow::textSizeChanged()
{
    // Whatever the box holds, the preview is drawn again, in a new size where
    // the box holds one.
    const std::optional<double> size = PreviewTextSize(d->txtSize->text());
    if (size && *size != d->model->textSize())
        d->model->setTextSize(*size);
    else
        d->model->draw(d->model->type());
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
    for (int k = 0; k < 3; ++k)
        drawTypePreview(k);
    drawTextPreview();
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
