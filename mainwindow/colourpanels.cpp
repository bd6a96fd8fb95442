#include "colourpanels.h"

#include "engine/valueoftext.h"
#include "mainwindow/clicklabel.h"
#include "mainwindow/gradientmodel.h"
#include "mainwindow/layout.h"
#include "mainwindow/valuefields.h"
#include "platform/drawingsurface.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace huevane {

namespace {

template <typename T>
T *Control(const QWidget *window, const QString &name)
{
    T *widget = window->findChild<T *>(name, Qt::FindDirectChildrenOnly);
    Q_ASSERT_X(widget, "ColourPanels", qPrintable(name));
    return widget;
}

void SetBackground(QLabel *label, ColourValue colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, ResolveColour(colour));
    label->setPalette(palette);
}

} // namespace

ColourPanels::ColourPanels(QWidget *window, GradientModel *model)
    : QObject(window)
    , m_window(window)
    , m_model(model)
{
    for (int p = 0; p < 3; ++p) {
        const ColourPanelNames names = PanelNames(p + 1);
        ColourPanel &panel = m_panels[p];
        panel.number = p + 1;
        for (int i = 0; i < 6; ++i) {
            panel.fields[i] = Control<QLineEdit>(window, ArrayElement(names.fields, i));
            const auto *filter = new ValueFieldFilter(
                panel.fields[i], i < 3 ? ValueFieldKind::Decimal : ValueFieldKind::Hexadecimal);
            connect(filter, &ValueFieldFilter::focusLost, this,
                    [this, &panel, i] { commitField(panel, i); });
            connect(panel.fields[i], &QLineEdit::textChanged, this, [this, &panel, i, filter] {
                if (m_writing)
                    return;
                if (!filter->isEditing())
                    commitField(panel, i);
                else if (i < 3) // what anything drawn meanwhile reads
                    m_model->setEditedValues(panel.number, decimalTexts(panel));
            });
        }
        for (int i = 0; i < 3; ++i)
            panel.strips[i] = Control<QLabel>(window, ArrayElement(names.strips, i));
        panel.swatch = Control<DrawingSurface>(window, names.swatch);
        connect(panel.swatch, &DrawingSurface::click, this,
                [this, &panel] { chooseColour(panel); });
        // From the keyboard, Enter or Space on the swatch opens the dialog.
        connect(panel.swatch, &DrawingSurface::keyPress, this, [this, &panel](int &keyAscii) {
            if (keyAscii == 13 || keyAscii == 32)
                chooseColour(panel);
        });
        panel.swatch->setAccessibleRole(QAccessible::Button);
        panel.swatch->setKeyActions({PressAction()});
        for (int i = 0; i < 5; ++i) {
            auto *preset = Control<ClickLabel>(window, ArrayElement(names.presets, i));
            panel.presets[i] = preset;
            connect(preset, &ClickLabel::clicked, this,
                    [this, &panel, i] { applyPreset(panel, i); });
        }
        show(panel);
    }
    connect(Control<ClickLabel>(window, QStringLiteral("lblSwap")), &ClickLabel::clicked, this,
            &ColourPanels::swapStartAndEnd);
    // Texts the model takes from elsewhere (the gradient editor's first and last
    // stops, the swap) show as a refresh does, every hexadecimal field rewritten.
    const auto follow = [this](int number) {
        return [this, number] {
            if (!m_committing)
                m_typedHex[number - 1] = {};
            show(m_panels[number - 1]);
        };
    };
    connect(model, &GradientModel::startValuesChanged, this, follow(GradientModel::Start));
    connect(model, &GradientModel::endValuesChanged, this, follow(GradientModel::End));
    connect(model, &GradientModel::backValuesChanged, this, follow(GradientModel::Back));
}

ColourPanels::~ColourPanels() = default;

const ColourPanel &ColourPanels::panel(int number) const
{
    Q_ASSERT(number >= 1 && number <= 3);
    return m_panels[number - 1];
}

void ColourPanels::setColourChooser(ColourChooser *chooser)
{
    m_chooser = chooser ? chooser : &m_dialogChooser;
}

QStringList ColourPanels::decimalTexts(const ColourPanel &panel) const
{
    return {panel.fields[0]->text(), panel.fields[1]->text(), panel.fields[2]->text()};
}

void ColourPanels::write(QLineEdit *field, const QString &text)
{
    // The same text again would only reset the field's selection and tell
    // assistive technology of a change that is none.
    if (field->text() == text)
        return;
    const QScopedValueRollback<bool> writing(m_writing, true);
    field->setText(text);
}

void ColourPanels::show(const ColourPanel &panel)
{
    const QStringList texts = m_model->values(panel.number);
    const ColourTriplet colour = m_model->colour(panel.number);
    for (int row = 0; row < 3; ++row) {
        write(panel.fields[row], texts[row]);
        if (!m_typedHex[panel.number - 1][row])
            write(panel.fields[row + 3], HexText(Component(colour, row)));
        ColourTriplet alone;
        (row == 0 ? alone.red : row == 1 ? alone.green : alone.blue) = Component(colour, row);
        SetBackground(panel.strips[row], PackColour(alone));
    }
    panel.swatch->setBackColor(PackColour(colour));
}

// Sets the texts of @p panel as a refresh does: every hexadecimal field is
// written anew, also when the model has the texts already.
void ColourPanels::set(const ColourPanel &panel, const QStringList &texts)
{
    m_typedHex[panel.number - 1] = {};
    m_model->setValues(panel.number, texts);
    show(panel);
}

void ColourPanels::commitField(const ColourPanel &panel, int index)
{
    QLineEdit *field = panel.fields[index];
    const QString checked = RangeCheckedText(field->text());
    if (checked != field->text())
        write(field, checked);

    const int row = index % 3;
    QStringList texts = decimalTexts(panel);
    bool &typedHex = m_typedHex[panel.number - 1][row];
    if (index < 3) {
        typedHex = false;
    } else {
        // Pasted text escapes the key filter. What is no hexadecimal number
        // (or none that a component holds) is shown again from the decimal field,
        // and the colour stays as it was.
        const std::optional<quint32> value = HexValue(field->text());
        if (!value || *value > 255) {
            typedHex = false;
            write(field, HexText(ValueOfText(texts[row])));
            return;
        }
        // The hexadecimal field keeps its text as typed, "0a" or "07" included.
        typedHex = true;
        texts[row] = QString::number(*value);
    }
    const QScopedValueRollback<bool> committing(m_committing, true);
    m_model->setValues(panel.number, texts);
    show(panel);
}

void ColourPanels::chooseColour(const ColourPanel &panel)
{
    const std::optional<ColourValue> chosen =
        m_chooser->chooseColour(panel.swatch->backColor(), m_window);
    // Cancelled, or an answer that is no plain colour: the panel stays as it was.
    if (!chosen || *chosen > 0xFFFFFFu)
        return;
    set(panel,
        {QString::number(*chosen & 0xFF), QString::number((*chosen >> 8) & 0xFF),
         QString::number(*chosen >> 16)});
}

void ColourPanels::applyPreset(const ColourPanel &panel, int preset)
{
    // Each preset carries the colour it sets as its back colour.
    const LayoutEntry *entry = FindControl(panel.presets[preset]->objectName());
    Q_ASSERT(entry && entry->backColor);
    const ColourValue colour = *entry->backColor;
    QStringList texts;
    for (int component = 0; component < 3; ++component)
        texts.append(QString::number((colour >> (8 * component)) & 0xFF));
    set(panel, texts);
}

void ColourPanels::swapStartAndEnd()
{
    m_typedHex = {};
    m_model->reverse();
    for (const ColourPanel &panel : m_panels)
        show(panel);
}

} // namespace huevane
