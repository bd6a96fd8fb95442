#include "layout.h"

#include "mainwindow/fonts.h"

#include <QFont>
#include <QPixmap>

// The tables name only what differs from a member's default; the members they
// leave out keep their default initialisers.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace huevane {

namespace {

constexpr ColourValue White = 0xFFFFFF;
constexpr ColourValue DarkGrey = 0x404040;
constexpr ColourValue Silver = 0xC0C0C0;
constexpr ColourValue LightGrey = 0xE0E0E0;
constexpr ColourValue Black = 0x000000;

DesignedFont Bold()
{
    DesignedFont font;
    font.bold = true;
    return font;
}

DesignedFont Tahoma()
{
    return DesignedFont {QStringLiteral("Tahoma"), 8.25, false, false};
}

// Everything but the colour panels.
QList<LayoutEntry> FixedControls()
{
    using K = ControlKind;
    const QString typeTip = QStringLiteral("Click to select");
    return {
        {.kind = K::Label,
         .name = "Label3",
         .left = 15,
         .top = 0,
         .width = 5085,
         .height = 345,
         .foreColor = White,
         .font = DesignedFont {"Arial", 14.25, true, true}},
        {.kind = K::Label, .name = "Label1", .left = 8895, .top = 210, .width = 285, .height = 255},
        {.kind = K::PictureBox,
         .name = "picTray",
         .left = 150,
         .top = 120,
         .width = 240,
         .height = 240,
         .flags = Hidden,
         .picture = TrayIcon16},
        {.kind = K::Label,
         .name = "Label2",
         .left = 315,
         .top = 622,
         .width = 1470,
         .height = 210,
         .caption = "Text to colorize:",
         .font = Bold()},
        {.kind = K::TextBox,
         .name = "txtString",
         .left = 2040,
         .top = 495,
         .width = 5655,
         .height = 465,
         .backColor = White,
         .foreColor = DarkGrey,
         .font = Tahoma(),
         .flags = MultiLine},
        {.kind = K::Label,
         .name = "Label4",
         .left = 7800,
         .top = 600,
         .width = 1005,
         .height = 240,
         .caption = "Characters:",
         .font = Bold()},
        {.kind = K::Label,
         .name = "lblChars",
         .left = 8835,
         .top = 600,
         .width = 180,
         .height = 240,
         .foreColor = 0x202020},
        {.kind = K::Label,
         .name = "lblSwap",
         .left = 3135,
         .top = 1140,
         .width = 240,
         .height = 1650},
        {.kind = K::OptionButton,
         .name = "Option1(0)",
         .left = 600,
         .top = 3195,
         .width = 210,
         .height = 210,
         .backColor = Silver,
         .foreColor = DarkGrey,
         .flags = Selected},
        {.kind = K::OptionButton,
         .name = "Option1(1)",
         .left = 3345,
         .top = 3195,
         .width = 210,
         .height = 210,
         .backColor = Silver,
         .foreColor = SystemColour::WindowText},
        {.kind = K::OptionButton,
         .name = "Option1(2)",
         .left = 6120,
         .top = 3180,
         .width = 210,
         .height = 210,
         .backColor = Silver,
         .foreColor = SystemColour::WindowText},
        {.kind = K::PictureBox,
         .name = "Picture4(0)",
         .left = 945,
         .top = 3150,
         .width = 2325,
         .height = 285,
         .toolTip = typeTip,
         .backColor = SystemColour::WindowBackground},
        {.kind = K::PictureBox,
         .name = "Picture4(1)",
         .left = 3690,
         .top = 3150,
         .width = 2325,
         .height = 285,
         .toolTip = typeTip,
         .backColor = SystemColour::WindowBackground},
        {.kind = K::PictureBox,
         .name = "Picture4(2)",
         .left = 6465,
         .top = 3150,
         .width = 2325,
         .height = 285,
         .toolTip = "Click to select / Left drag to move center / Right click to reset",
         .backColor = SystemColour::WindowBackground,
         .flags = SizeHorCursor},
        {.kind = K::Label,
         .name = "Label15",
         .left = 300,
         .top = 3690,
         .width = 1635,
         .height = 195,
         .caption = "Resulting Gradient",
         .font = Bold()},
        {.kind = K::Label,
         .name = "Label5",
         .left = 6900,
         .top = 3675,
         .width = 840,
         .height = 210,
         .caption = "Text Size",
         .font = Bold(),
         .alignment = Qt::AlignRight | Qt::AlignTop},
        {.kind = K::TextBox,
         .name = "txtSize",
         .left = 8775,
         .top = 3645,
         .width = 345,
         .height = 285,
         .backColor = LightGrey,
         .foreColor = DarkGrey,
         .alignment = Qt::AlignCenter},
        {.kind = K::Label,
         .name = "Label16",
         .left = 7740,
         .top = 3675,
         .width = 1020,
         .height = 210,
         .caption = "(preview only)"},
        {.kind = K::PictureBox,
         .name = "picGradText",
         .left = 300,
         .top = 4005,
         .width = 8805,
         .height = 690,
         .backColor = SystemColour::WindowBackground,
         .font = Tahoma()},
        {.kind = K::TextBox,
         .name = "txtHTML",
         .left = 300,
         .top = 4725,
         .width = 8805,
         .height = 1095,
         .backColor = LightGrey,
         .font = Tahoma(),
         .flags = MultiLine | ReadOnly},
        {.kind = K::HotCommand,
         .name = "lblGenerate",
         .left = 285,
         .top = 5850,
         .width = 1650,
         .height = 300},
        {.kind = K::CheckBox,
         .name = "chkUpTags",
         .left = 2145,
         .top = 5895,
         .width = 195,
         .height = 240,
         .backColor = Silver,
         .foreColor = DarkGrey},
        {.kind = K::Label,
         .name = "lblUpTags",
         .left = 2385,
         .top = 5910,
         .width = 1305,
         .height = 210,
         .caption = "Uppercase Tags"},
        {.kind = K::CheckBox,
         .name = "chkPerLine",
         .left = 3825,
         .top = 5895,
         .width = 195,
         .height = 240,
         .backColor = Silver,
         .foreColor = DarkGrey},
        {.kind = K::Label,
         .name = "lblPerLine",
         .left = 4065,
         .top = 5910,
         .width = 1245,
         .height = 210,
         .caption = "Per-line gradient"},
        {.kind = K::CheckBox,
         .name = "chkJSQuote",
         .left = 5400,
         .top = 5895,
         .width = 210,
         .height = 240,
         .backColor = Silver,
         .foreColor = DarkGrey},
        {.kind = K::Label,
         .name = "lblJSQuote",
         .left = 5625,
         .top = 5910,
         .width = 3315,
         .height = 210,
         .caption = "Don't use quotes for attributes (for JavaScripts)"},
        {.kind = K::HotCommand,
         .name = "lblClipboard",
         .left = 5970,
         .top = 6315,
         .width = 1650,
         .height = 300},
        {.kind = K::HotCommand,
         .name = "cmdExit",
         .left = 7725,
         .top = 6315,
         .width = 1305,
         .height = 300},
    };
}

// The three colour panels are alike but for their x positions and names.
struct PanelPlacement
{
    const char *fields;
    const char *strips;
    const char *swatch;
    const char *presets;
    const char *rowLabels[3]; // red, green, blue
    int fieldLeft;
    int hexLeft[3]; // value fields 3, 4 and 5
    int stripLeft;
    int presetLeft;
    int presetTop;
    int labelLeft;
};

constexpr PanelPlacement Panels[] = {
    {"txtStCol",
     "lblStartCol",
     "picStartCol",
     "lblStDefCol",
     {"Label6", "Label7", "Label8"},
     1575,
     {2175, 2175, 2175},
     2715,
     345,
     2625,
     390},
    {"txtEndCol",
     "lblEndCol",
     "picEndCol",
     "lblEndDefCol",
     {"Label9", "Label11", "Label10"},
     4695,
     {5310, 5310, 5310},
     5850,
     3480,
     2610,
     3510},
    {"txtBkCol",
     "lblBkCol",
     "picBackCol",
     "lblBkDefCol",
     {"Label12", "Label14", "Label13"},
     7575,
     {8160, 8175, 8175},
     8715,
     6375,
     2610,
     6390},
};

constexpr int RowTop[3] = {1320, 1650, 1980};
constexpr int RowLabelTop[3] = {1350, 1680, 2010};
constexpr ColourValue PresetColours[5] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
constexpr int SwatchTop = 2385;
constexpr int PresetStep = 180;

QList<LayoutEntry> PanelControls(const PanelPlacement &panel)
{
    using K = ControlKind;
    static const char *const rowCaptions[3] = {"Red Value", "Green Value", "Blue Value"};
    QList<LayoutEntry> controls;
    for (int row = 0; row < 3; ++row) {
        controls.append({.kind = K::TextBox,
                         .name = ArrayElement(panel.fields, row),
                         .left = panel.fieldLeft,
                         .top = RowTop[row],
                         .width = 465,
                         .height = 285,
                         .backColor = LightGrey,
                         .foreColor = DarkGrey,
                         .font = Tahoma(),
                         .maxLength = 3});
        controls.append({.kind = K::TextBox,
                         .name = ArrayElement(panel.fields, row + 3),
                         .left = panel.hexLeft[row],
                         .top = RowTop[row],
                         .width = 465,
                         .height = 285,
                         .backColor = LightGrey,
                         .foreColor = DarkGrey,
                         .font = Tahoma(),
                         .maxLength = 2});
        controls.append({.kind = K::Label,
                         .name = ArrayElement(panel.strips, row),
                         .left = panel.stripLeft,
                         .top = RowTop[row],
                         .width = 285,
                         .height = 285,
                         .backColor = SystemColour::WindowBackground,
                         .flags = Opaque | Bordered});
        controls.append({.kind = K::Label,
                         .name = panel.rowLabels[row],
                         .left = panel.labelLeft,
                         .top = RowLabelTop[row],
                         .width = 1155,
                         .height = 210,
                         .caption = rowCaptions[row],
                         .font = Bold(),
                         .alignment = Qt::AlignRight | Qt::AlignTop});
    }
    controls.append({.kind = K::PictureBox,
                     .name = panel.swatch,
                     .left = panel.stripLeft,
                     .top = SwatchTop,
                     .width = 285,
                     .height = 285,
                     .backColor = SystemColour::WindowBackground});
    // The presets are transparent: the skin's squares show through, and the back
    // colour only names the colour each one sets.
    for (int preset = 0; preset < 5; ++preset) {
        controls.append({.kind = K::Label,
                         .name = ArrayElement(panel.presets, preset),
                         .left = panel.presetLeft + PresetStep * preset,
                         .top = panel.presetTop,
                         .width = 150,
                         .height = 135,
                         .backColor = PresetColours[preset]});
    }
    return controls;
}

struct ButtonValues
{
    const char *name;
    const char *caption;
    ColourValue back;
    ColourValue fore;
    std::optional<ColourValue> backHi; // none: the button's default
    ColourValue foreHi;
    std::optional<ColourValue> backDown;
    ColourValue foreDown;
    const char *picture;
};

constexpr ButtonValues Buttons[] = {
    {"lblGenerate", "Generate", 0x80FFFF, DarkGrey, Silver, Black, LightGrey, DarkGrey,
     ":/images/button-generate.png"},
    {"lblClipboard", "Send to Clipboard", 0x80FF80, White, Silver, 0x00FFFF, LightGrey, Silver,
     ":/images/button-clipboard.png"},
    {"cmdExit", "Exit", SystemColour::ButtonFace, White, std::nullopt, 0x00FFFF, std::nullopt,
     Silver, ":/images/button-exit.png"},
};

} // namespace

DesignedFont DefaultFont()
{
    return DesignedFont {};
}

QString ArrayElement(const QString &name, int index)
{
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

const QList<LayoutEntry> &WindowLayout()
{
    static const QList<LayoutEntry> layout = [] {
        QList<LayoutEntry> controls = FixedControls();
        for (const PanelPlacement &panel : Panels)
            controls += PanelControls(panel);
        return controls;
    }();
    return layout;
}

const LayoutEntry *FindControl(const QString &name)
{
    for (const LayoutEntry &control : WindowLayout()) {
        if (control.name == name)
            return &control;
    }
    return nullptr;
}

QVariantMap StoredButtonProperties(const QString &name)
{
    for (const ButtonValues &button : Buttons) {
        if (name != QLatin1String(button.name))
            continue;
        const QFont font = MakeFont(DefaultFont());
        QVariantMap values {
            {"BackColor", QVariant::fromValue(button.back)},
            {"ForeColor", QVariant::fromValue(button.fore)},
            {"Font", font},
            {"Caption", QString::fromLatin1(button.caption)},
            {"Picture", QPixmap(QString::fromLatin1(button.picture))},
            {"ForeColorHi", QVariant::fromValue(button.foreHi)},
            {"ForeColorDown", QVariant::fromValue(button.foreDown)},
        };
        if (button.backHi)
            values.insert("BackColorHi", QVariant::fromValue(*button.backHi));
        if (button.backDown)
            values.insert("BackColorDown", QVariant::fromValue(*button.backDown));
        return values;
    }
    return {};
}

ColourPanelNames PanelNames(int number)
{
    Q_ASSERT(number >= 1 && number <= 3);
    const PanelPlacement &panel = Panels[number - 1];
    return {panel.fields, panel.strips, panel.swatch, panel.presets};
}

QStringList TabOrder()
{
    QStringList order {"txtString"};
    for (const PanelPlacement &panel : Panels) {
        for (int row = 0; row < 3; ++row) {
            order << ArrayElement(panel.fields, row) << ArrayElement(panel.fields, row + 3);
        }
    }
    order << "Option1(0)"
          << "Option1(1)"
          << "Option1(2)"
          << "txtSize"
          << "txtHTML"
          << "chkUpTags"
          << "chkPerLine"
          << "lblGenerate"
          << "lblClipboard"
          << "chkJSQuote"
          << "cmdExit";
    return order;
}

} // namespace huevane
