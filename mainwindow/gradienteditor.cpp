#include "gradienteditor.h"

#include "engine/stopslist.h"
#include "mainwindow/fieldlabel.h"
#include "mainwindow/gradientbar.h"
#include "mainwindow/gradientmenu.h"
#include "mainwindow/gradientmodel.h"
#include "mainwindow/savedpresets.h"
#include "platform/colourdialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace huevane {

namespace {

QIcon ColourIcon(const Stop &stop)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(stop.red, stop.green, stop.blue));
    return QIcon(pixmap);
}

// The widgets of one stop's row.
struct StopRow
{
    QLabel *label;
    QToolButton *colour;
    QLineEdit *hex;
    QDoubleSpinBox *place;
};

} // namespace

class GradientEditor::Private
{
public:
    GradientModel *model;
    SavedPresets *presets;
    std::function<ColourChooser *()> chooser;
    GradientBar *bar = nullptr;
    QWidget *rowsBox = nullptr;
    QGridLayout *rowsLayout = nullptr;
    QList<StopRow> rows;
    QComboBox *space = nullptr;
    QComboBox *hue = nullptr;
    QListWidget *presetList = nullptr;
    QPushButton *deleteButton = nullptr;
    QLineEdit *text = nullptr;
    QLabel *message = nullptr;
    QList<QWidget *> afterRows;  // the parts below the rows, in the order Tab takes them
    QList<NamedGradient> listed; // the presets in the list, in its order
};

GradientEditor::GradientEditor(GradientModel *model, SavedPresets *presets,
                               std::function<ColourChooser *()> chooser, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , d(std::make_unique<Private>())
{
    d->model = model;
    d->presets = presets;
    d->chooser = std::move(chooser);
    setObjectName(QStringLiteral("gradientEditor"));
    setWindowTitle(QStringLiteral("Gradient - Huevane"));
    setAccessibleName(QStringLiteral("Gradient editor"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    d->bar = new GradientBar(model, this);
    layout->addWidget(d->bar);
    connect(d->bar, &GradientBar::colourRequested, this, &GradientEditor::chooseColour);
    connect(d->bar, &GradientBar::selectedChanged, this, &GradientEditor::showStops);

    d->rowsBox = new QWidget;
    d->rowsLayout = new QGridLayout(d->rowsBox);
    d->rowsLayout->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(d->rowsBox);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setMinimumHeight(4 * 30);
    layout->addWidget(scroll);

    auto *buttons = new QHBoxLayout;
    auto *even = new QPushButton(QStringLiteral("&Evenly space"), this);
    auto *reverse = new QPushButton(QStringLiteral("&Reverse"), this);
    buttons->addWidget(even);
    buttons->addWidget(reverse);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(even, &QPushButton::clicked, this, [this] {
        QList<Stop> stops = d->model->stops();
        for (qsizetype k = 0; k < stops.size(); ++k)
            stops[k].position = 100.0 * double(k) / double(stops.size() - 1);
        d->model->setStops(stops);
    });
    connect(reverse, &QPushButton::clicked, this, [this] {
        const int selected = d->bar->selected();
        d->model->reverse();
        d->bar->setSelected(int(d->model->stops().size()) - 1 - selected);
    });

    auto *form = new QGridLayout;
    d->space = new QComboBox(this);
    d->hue = new QComboBox(this);
    for (ColourSpace space : ColourSpaces)
        d->space->addItem(ColourSpaceName(space));
    for (HueRule rule : {HueRule::Shorter, HueRule::Longer})
        d->hue->addItem(HueRuleName(rule));
    const auto labelled = [&](const QString &caption, QWidget *field, int row) {
        form->addWidget(FieldLabel(caption, field), row, 0);
        form->addWidget(field, row, 1);
    };
    labelled(QStringLiteral("Colour &space:"), d->space, 0);
    labelled(QStringLiteral("&Hue:"), d->hue, 1);
    layout->addLayout(form);
    connect(d->space, &QComboBox::activated, this,
            [this](int index) { d->model->setSpace(ColourSpaces[index]); });
    connect(d->hue, &QComboBox::activated, this,
            [this](int index) { d->model->setHue(HueRule(index)); });

    d->presetList = new QListWidget(this);
    d->presetList->setIconSize({48, 12});
    d->presetList->setMaximumHeight(6 * 20);
    layout->addWidget(FieldLabel(QStringLiteral("&Presets:"), d->presetList));
    layout->addWidget(d->presetList);
    const auto apply = [this](QListWidgetItem *item) {
        const int row = d->presetList->row(item);
        if (row >= 0 && row < d->listed.size())
            d->model->setStopGradient(d->listed[row].gradient);
    };
    connect(d->presetList, &QListWidget::itemClicked, this, apply);
    connect(d->presetList, &QListWidget::itemActivated, this, apply);
    d->presetList->installEventFilter(this);
    auto *presetButtons = new QHBoxLayout;
    d->deleteButton = new QPushButton(QStringLiteral("&Delete preset"), this);
    auto *save = new QPushButton(QStringLiteral("Sa&ve as preset\u2026"), this);
    presetButtons->addWidget(d->deleteButton);
    presetButtons->addWidget(save);
    presetButtons->addStretch();
    layout->addLayout(presetButtons);
    connect(d->presetList, &QListWidget::currentRowChanged, this, &GradientEditor::showDeletable);
    connect(d->deleteButton, &QPushButton::clicked, this, &GradientEditor::deletePreset);
    connect(save, &QPushButton::clicked, this, &GradientEditor::saveAsPreset);

    d->text = new QLineEdit(this);
    d->text->setAccessibleDescription(
        QStringLiteral("Stops as huevane-html's --stops takes them, or a CSS linear-gradient"));
    layout->addWidget(FieldLabel(QStringLiteral("Gradient as &text:"), d->text));
    layout->addWidget(d->text);
    connect(d->text, &QLineEdit::returnPressed, this, &GradientEditor::readText);
    connect(d->text, &QLineEdit::editingFinished, this, [this] {
        if (d->text->isModified())
            readText();
    });
    d->message = new QLabel(this);
    d->message->setWordWrap(true);
    d->message->setAccessibleName(QStringLiteral("Message"));
    layout->addWidget(d->message);

    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    d->afterRows = {even, reverse, d->space, d->hue, d->presetList, d->deleteButton, save, d->text};
    connect(model, &GradientModel::recomputed, this, &GradientEditor::showStops);
    connect(presets, &SavedPresets::changed, this, &GradientEditor::showPresets);
    showPresets();
    showStops();
}

GradientEditor::~GradientEditor() = default;

GradientBar *GradientEditor::bar() const
{
    return d->bar;
}

QString GradientEditor::message() const
{
    return d->message->text();
}

void GradientEditor::showMessage(const QString &message)
{
    if (message == d->message->text())
        return;
    d->message->setText(message);
    // A screen reader hears it as it hears any change of the editor's content.
    QAccessibleEvent event(d->message, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void GradientEditor::buildRows()
{
    const QList<Stop> stops = d->model->stops();
    while (d->rows.size() > stops.size()) {
        const StopRow row = d->rows.takeLast();
        for (QWidget *w :
             std::initializer_list<QWidget *> {row.label, row.colour, row.hex, row.place})
            w->deleteLater();
    }
    static const QRegularExpression hex(QStringLiteral("#?[0-9A-Fa-f]{0,6}"));
    while (d->rows.size() < stops.size()) {
        const int k = int(d->rows.size());
        StopRow row {new QLabel(d->rowsBox), new QToolButton(d->rowsBox), new QLineEdit(d->rowsBox),
                     new QDoubleSpinBox(d->rowsBox)};
        row.colour->setToolButtonStyle(Qt::ToolButtonIconOnly);
        row.colour->setFocusPolicy(Qt::StrongFocus);
        row.hex->setValidator(new QRegularExpressionValidator(hex, row.hex));
        row.hex->setMaximumWidth(90);
        row.place->setRange(0.0, 100.0);
        row.place->setDecimals(1);
        row.place->setSuffix(QStringLiteral(" %"));
        row.place->setKeyboardTracking(false);
        const QString stop = QStringLiteral("Stop %1").arg(k + 1);
        row.label->setText(stop);
        row.colour->setAccessibleName(stop + QStringLiteral(", choose its colour"));
        row.hex->setAccessibleName(stop + QStringLiteral(", colour in hexadecimal"));
        row.place->setAccessibleName(stop + QStringLiteral(", place in percent"));
        d->rowsLayout->addWidget(row.label, k, 0);
        d->rowsLayout->addWidget(row.colour, k, 1);
        d->rowsLayout->addWidget(row.hex, k, 2);
        d->rowsLayout->addWidget(row.place, k, 3);
        for (QWidget *w : std::initializer_list<QWidget *> {row.colour, row.hex, row.place})
            w->installEventFilter(this);
        connect(row.colour, &QToolButton::clicked, this, [this, k] { chooseColour(k); });
        connect(row.hex, &QLineEdit::editingFinished, this, [this, k] {
            const QString typed = d->rows[k].hex->text().remove(u'#');
            QList<Stop> stops = d->model->stops();
            if (typed.size() == 6 && k < stops.size()) {
                const uint rgb = typed.toUInt(nullptr, 16);
                stops[k].red = quint8(rgb >> 16), stops[k].green = quint8(rgb >> 8);
                stops[k].blue = quint8(rgb);
                d->model->setStops(stops);
            }
            showStops(); // a colour cut short shows as it was
        });
        connect(row.place, &QDoubleSpinBox::valueChanged, this, [this, k](double place) {
            if (k != d->bar->selected())
                d->bar->setSelected(k);
            d->bar->moveSelected(place - d->model->stops().value(k).position);
            showStops(); // a place beyond a neighbour's shows where the stop stays
        });
        for (QWidget *w :
             std::initializer_list<QWidget *> {row.label, row.colour, row.hex, row.place})
            w->show();
        d->rows.append(row);
    }
    d->rowsLayout->setRowStretch(int(stops.size()), 1);
    // Tab goes from the bar through the rows to the parts below them.
    QWidget *previous = d->bar;
    for (const StopRow &row : std::as_const(d->rows)) {
        for (QWidget *w : std::initializer_list<QWidget *> {row.colour, row.hex, row.place})
            setTabOrder(previous, w), previous = w;
    }
    for (QWidget *w : std::as_const(d->afterRows))
        setTabOrder(previous, w), previous = w;
}

void GradientEditor::showStops()
{
    buildRows();
    const QList<Stop> stops = d->model->stops();
    for (int k = 0; k < stops.size(); ++k) {
        const StopRow &row = d->rows[k];
        row.colour->setIcon(ColourIcon(stops[k]));
        QFont font = row.label->font();
        font.setBold(k == d->bar->selected());
        row.label->setFont(font);
        if (!row.hex->hasFocus() || !row.hex->isModified())
            row.hex->setText(StopHex(stops[k]));
        const QSignalBlocker blocker(row.place);
        row.place->setValue(stops[k].position);
    }
    d->space->setCurrentIndex(int(d->model->space()));
    d->hue->setCurrentIndex(int(d->model->hue()));
    d->hue->setEnabled(HueIndex(d->model->space()) >= 0);
    if (!d->text->hasFocus() || !d->text->isModified())
        d->text->setText(StopsText(stops));
}

void GradientEditor::showPresets()
{
    d->listed = AllPresets(*d->presets);
    // After a preset is deleted, the keys go on from the one that took its place.
    const int current = d->presetList->currentRow();
    d->presetList->clear();
    for (const NamedGradient &preset : d->listed) {
        auto *item = new QListWidgetItem(PresetIcon(preset.gradient), preset.name, d->presetList);
        if (preset.saved)
            item->setToolTip(QStringLiteral("Saved by you; Delete removes it"));
    }
    d->presetList->setCurrentRow(std::min(current, int(d->listed.size()) - 1));
    showDeletable();
}

void GradientEditor::showDeletable()
{
    const int row = d->presetList->currentRow();
    d->deleteButton->setEnabled(row >= 0 && row < d->listed.size() && d->listed[row].saved);
}

void GradientEditor::tellProblem(const QString &done)
{
    const QString problem = d->presets->takeProblem();
    if (!done.isEmpty() || !problem.isEmpty())
        showMessage(QStringList({done, problem}).join(u' ').trimmed());
}

void GradientEditor::chooseColour(int index)
{
    QList<Stop> stops = d->model->stops();
    if (index < 0 || index >= stops.size())
        return;
    d->bar->setSelected(index);
    Stop &stop = stops[index];
    const std::optional<ColourValue> chosen =
        d->chooser()->chooseColour(PackColour(stop.red, stop.green, stop.blue), this);
    if (!chosen || *chosen > 0xFFFFFFu)
        return;
    stop.red = quint8(*chosen), stop.green = quint8(*chosen >> 8);
    stop.blue = quint8(*chosen >> 16);
    d->model->setStops(stops);
}

void GradientEditor::readText()
{
    QList<Stop> stops;
    const QString problem = ParseGradientText(d->text->text(), stops);
    if (!problem.isEmpty()) {
        showMessage(QStringLiteral("Not read: ") + problem + u'.');
        return;
    }
    showMessage({});
    d->text->setModified(false);
    d->model->setStops(stops);
    d->text->setText(StopsText(d->model->stops()));
}

void GradientEditor::saveAsPreset()
{
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("Save as preset"),
                                               QStringLiteral("Name of the preset:"),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    const bool saved =
        d->presets->save(name, {d->model->stops(), d->model->space(), d->model->hue()});
    tellProblem(saved ? QStringLiteral("Saved as the preset '%1'.").arg(name.trimmed())
                      : QString());
    d->presetList->setCurrentRow(int(d->listed.size()) - 1);
}

void GradientEditor::deletePreset()
{
    const int row = d->presetList->currentRow();
    if (row >= 0 && row < d->listed.size() && d->listed[row].saved) {
        d->presets->remove(d->listed[row].name);
        tellProblem();
    }
}

void GradientEditor::showBeside()
{
    QWidget *main = parentWidget();
    adjustSize();
    constexpr int Gap = 8;
    const QRect screen =
        (main->screen() ? main->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    QRect frame = main->frameGeometry();
    // Before it is first shown the editor's frame is not known: its width, and
    // some room for the frame.
    const int width = frameGeometry().width() + (isVisible() ? 0 : Gap);
    int x = frame.right() + Gap;
    if (x + width > screen.right() + 1) {
        if (frame.left() - Gap - width >= screen.left()) {
            x = frame.left() - Gap - width;
        } else if (frame.width() + Gap + width <= screen.width()) {
            // Neither side has room, but the screen has for both: the window
            // moves aside.
            const int left = screen.left() + (screen.width() - frame.width() - Gap - width) / 2;
            main->move(main->pos() + QPoint(left - frame.left(), 0));
            frame.moveLeft(left);
            x = frame.right() + Gap;
        } else {
            x = screen.right() + 1 - width;
        }
    }
    const int y =
        std::clamp(frame.top(), screen.top(),
                   std::max(screen.top(), screen.bottom() + 1 - frameGeometry().height()));
    move(x, y);
    show();
    raise();
    activateWindow();
    d->bar->setFocus(Qt::ShortcutFocusReason);
}

// A row that takes the focus selects its stop; Delete in the list deletes the
// saved preset there.
bool GradientEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        for (int k = 0; k < d->rows.size(); ++k) {
            const StopRow &row = d->rows[k];
            if (watched == row.colour || watched == row.hex || watched == row.place)
                d->bar->setSelected(k);
        }
    } else if (event->type() == QEvent::KeyPress && watched == d->presetList
               && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        deletePreset();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void GradientEditor::showEvent(QShowEvent *event)
{
    tellProblem();
    QWidget::showEvent(event);
}

} // namespace huevane
