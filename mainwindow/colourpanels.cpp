#include "colourpanels.h"

#include "engine/valueoftext.h"
#include "mainwindow/clicklabel.h"
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

ColourPanels::ColourPanels(QWidget *window)
    : QObject(window)
    , m_window(window)
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
                if (!m_writing && !filter->isEditing())
                    commitField(panel, i);
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
    }
    connect(Control<ClickLabel>(window, QStringLiteral("lblSwap")), &ClickLabel::clicked, this,
            &ColourPanels::swapStartAndEnd);
}

ColourPanels::~ColourPanels() = default;

const ColourPanel &ColourPanels::panel(int number) const
{
    Q_ASSERT(number >= 1 && number <= 3);
    return m_panels[number - 1];
}

ColourTriplet ColourPanels::colour(int number) const
{
    const ColourPanel &p = panel(number);
    return ColourTriplet {static_cast<float>(ValueOfText(p.fields[0]->text())),
                          static_cast<float>(ValueOfText(p.fields[1]->text())),
                          static_cast<float>(ValueOfText(p.fields[2]->text()))};
}

void ColourPanels::setColourChooser(ColourChooser *chooser)
{
    m_chooser = chooser ? chooser : &m_dialogChooser;
}

void ColourPanels::writeField(const ColourPanel &panel, int index, const QString &text)
{
    write(panel.fields[index], text);
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

void ColourPanels::refresh(const ColourPanel &panel)
{
    for (int i = 0; i < 3; ++i) {
        QLineEdit *field = panel.fields[i];
        const QString clamped = ClampedText(field->text());
        if (clamped != field->text())
            write(field, clamped);
        write(panel.fields[i + 3], HexText(ValueOfText(clamped)));
    }
    for (int row = 0; row < 3; ++row)
        paintStrip(panel, row);
    paintSwatch(panel);
    Q_EMIT refreshed(panel.number);
}

void ColourPanels::paintStrip(const ColourPanel &panel, int row)
{
    const float component = static_cast<float>(ValueOfText(panel.fields[row]->text()));
    ColourTriplet alone;
    (row == 0 ? alone.red : row == 1 ? alone.green : alone.blue) = component;
    SetBackground(panel.strips[row], PackColour(alone));
}

void ColourPanels::paintSwatch(const ColourPanel &panel)
{
    panel.swatch->setBackColor(PackColour(colour(panel.number)));
}

void ColourPanels::commitField(const ColourPanel &panel, int index)
{
    QLineEdit *field = panel.fields[index];
    const QString checked = RangeCheckedText(field->text());
    if (checked != field->text())
        write(field, checked);

    const int row = index % 3;
    QLineEdit *decimal = panel.fields[row];
    if (index < 3) {
        write(panel.fields[row + 3], HexText(ValueOfText(field->text())));
    } else {
        // Pasted text escapes the key filter. What is no hexadecimal number
        // (or none that a component holds) is shown again from the decimal field,
        // and the colour stays as it was.
        const std::optional<quint32> value = HexValue(field->text());
        if (!value || *value > 255) {
            write(field, HexText(ValueOfText(decimal->text())));
            return;
        }
        // The hexadecimal field keeps its text as typed, "0a" or "07" included.
        write(decimal, QString::number(*value));
    }

    paintStrip(panel, row);
    paintSwatch(panel);
    Q_EMIT committed(panel.number);
}

void ColourPanels::chooseColour(const ColourPanel &panel)
{
    const std::optional<ColourValue> chosen =
        m_chooser->chooseColour(panel.swatch->backColor(), m_window);
    // Cancelled, or an answer that is no plain colour: the panel stays as it was.
    if (!chosen || *chosen > 0xFFFFFFu)
        return;
    write(panel.fields[0], QString::number(*chosen & 0xFF));
    write(panel.fields[1], QString::number((*chosen >> 8) & 0xFF));
    write(panel.fields[2], QString::number(*chosen >> 16));
    refresh(panel);
}

void ColourPanels::applyPreset(const ColourPanel &panel, int preset)
{
    // Each preset carries the colour it sets as its back colour.
    const LayoutEntry *entry = FindControl(panel.presets[preset]->objectName());
    Q_ASSERT(entry && entry->backColor);
    const ColourValue colour = *entry->backColor;
    for (int component = 0; component < 3; ++component)
        write(panel.fields[component], QString::number((colour >> (8 * component)) & 0xFF));
    refresh(panel);
}

void ColourPanels::swapStartAndEnd()
{
    const ColourPanel &start = m_panels[0];
    const ColourPanel &end = m_panels[1];
    for (int component = 0; component < 3; ++component) {
        const QString remembered = start.fields[component]->text();
        write(start.fields[component], end.fields[component]->text());
        write(end.fields[component], remembered);
    }
    for (const ColourPanel &panel : m_panels)
        refresh(panel);
}

} // namespace huevane
