#include "controls.h"

#include "engine/rounding.h"
#include "windowlayout/art.h"

#include <algorithm>

namespace huevane {

namespace {

constexpr ColourValue White = 0xFFFFFF;
constexpr ColourValue DarkGrey = 0x404040;
constexpr ColourValue Silver = 0xC0C0C0;
constexpr ColourValue LightGrey = 0xE0E0E0;
constexpr ColourValue Black = 0x000000;
constexpr ColourValue WindowBackground = SystemColour::WindowBackground;
constexpr ColourValue WindowText = SystemColour::WindowText;

// The count of characters widens up to the skin's rim at the window's right edge.
constexpr int CountRight = 9420;

constexpr Qt::Alignment RightAligned = Qt::AlignRight | Qt::AlignTop;

constexpr DesignedFont Bold {.bold = true};
constexpr DesignedFont Tahoma {.face = "Tahoma"};
constexpr DesignedFont Title {.face = "Arial", .pointSize = 14.25, .bold = true, .italic = true};

// Everything but the colour panels.
QList<LayoutEntry> FixedControls()
{
    using K = ControlKind;
    const QString typeTip = QStringLiteral("Click to select");
    // clang-format off
    return {
        {.kind = K::Label, .name = "Label3", .twips = {15, 0, 5085, 345}, .foreColor = White, .font = Title},
        {.kind = K::Label, .name = "Label1", .twips = {8895, 210, 285, 255}},
        {.kind = K::PictureBox, .name = "picTray", .twips = {150, 120, 240, 240}, .flags = Hidden, .picture = TrayIcon16},
        {.kind = K::Label, .name = "Label2", .twips = {315, 622, 1470, 210}, .caption = "Text to colorize:", .font = Bold},
        {.kind = K::TextBox, .name = "txtString", .twips = {2040, 495, 5655, 465}, .backColor = White, .foreColor = DarkGrey, .font = Tahoma, .flags = MultiLine},
        {.kind = K::Label, .name = "Label4", .twips = {7800, 600, 1005, 240}, .caption = "Characters:", .font = Bold},
        {.kind = K::Label, .name = "lblChars", .twips = {8835, 600, 180, 240}, .foreColor = 0x202020, .growsTo = CountRight},
        {.kind = K::Label, .name = "lblSwap", .twips = {3135, 1140, 240, 1650}},
        {.kind = K::OptionButton, .name = "Option1(0)", .twips = {600, 3195, 210, 210}, .backColor = Silver, .foreColor = DarkGrey, .flags = Selected},
        {.kind = K::OptionButton, .name = "Option1(1)", .twips = {3345, 3195, 210, 210}, .backColor = Silver, .foreColor = WindowText},
        {.kind = K::OptionButton, .name = "Option1(2)", .twips = {6120, 3180, 210, 210}, .backColor = Silver, .foreColor = WindowText},
        {.kind = K::PictureBox, .name = "Picture4(0)", .twips = {945, 3150, 2325, 285}, .toolTip = typeTip, .backColor = WindowBackground},
        {.kind = K::PictureBox, .name = "Picture4(1)", .twips = {3690, 3150, 2325, 285}, .toolTip = typeTip, .backColor = WindowBackground},
        {.kind = K::PictureBox, .name = "Picture4(2)", .twips = {6465, 3150, 2325, 285}, .toolTip = "Click to select / Left drag to move center / Right click to reset", .backColor = WindowBackground, .flags = SizeHorCursor},
        {.kind = K::Label, .name = "Label15", .twips = {300, 3690, 1635, 195}, .caption = "Resulting Gradient", .font = Bold},
        {.kind = K::Label, .name = "Label5", .twips = {6900, 3675, 840, 210}, .caption = "Text Size", .font = Bold, .alignment = RightAligned},
        {.kind = K::TextBox, .name = "txtSize", .twips = {8775, 3645, 345, 285}, .backColor = LightGrey, .foreColor = DarkGrey, .alignment = Qt::AlignCenter},
        {.kind = K::Label, .name = "Label16", .twips = {7740, 3675, 1020, 210}, .caption = "(preview only)"},
        {.kind = K::PictureBox, .name = "picGradText", .twips = {300, 4005, 8805, 690}, .backColor = WindowBackground, .font = Tahoma},
        {.kind = K::TextBox, .name = "txtHTML", .twips = {300, 4725, 8805, 1095}, .backColor = LightGrey, .font = Tahoma, .flags = MultiLine | ReadOnly},
        {.kind = K::HotCommand, .name = "lblGenerate", .twips = {285, 5850, 1650, 300}},
        {.kind = K::CheckBox, .name = "chkUpTags", .twips = {2145, 5895, 195, 240}, .backColor = Silver, .foreColor = DarkGrey},
        {.kind = K::Label, .name = "lblUpTags", .twips = {2385, 5910, 1305, 210}, .caption = "Uppercase Tags"},
        {.kind = K::CheckBox, .name = "chkPerLine", .twips = {3825, 5895, 195, 240}, .backColor = Silver, .foreColor = DarkGrey},
        {.kind = K::Label, .name = "lblPerLine", .twips = {4065, 5910, 1245, 210}, .caption = "Per-line gradient"},
        {.kind = K::CheckBox, .name = "chkJSQuote", .twips = {5400, 5895, 210, 240}, .backColor = Silver, .foreColor = DarkGrey},
        {.kind = K::Label, .name = "lblJSQuote", .twips = {5625, 5910, 3315, 210}, .caption = "Don't use quotes for attributes (for JavaScripts)"},
        {.kind = K::HotCommand, .name = "lblClipboard", .twips = {5970, 6315, 1650, 300}},
        {.kind = K::HotCommand, .name = "cmdExit", .twips = {7725, 6315, 1305, 300}},
    };
    // clang-format on
}

// The three colour panels are alike but for their x positions and names.
struct PanelPlacement
{
    const char *title;
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

// clang-format off
constexpr PanelPlacement Panels[] = {
    {"Start Color", "txtStCol", "lblStartCol", "picStartCol", "lblStDefCol", {"Label6", "Label7", "Label8"}, 1575, {2175, 2175, 2175}, 2715, 345, 2625, 390},
    {"End Color", "txtEndCol", "lblEndCol", "picEndCol", "lblEndDefCol", {"Label9", "Label11", "Label10"}, 4695, {5310, 5310, 5310}, 5850, 3480, 2610, 3510},
    {"Background Color", "txtBkCol", "lblBkCol", "picBackCol", "lblBkDefCol", {"Label12", "Label14", "Label13"}, 7575, {8160, 8175, 8175}, 8715, 6375, 2610, 6390},
};
// clang-format on

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
    // clang-format off
    for (int row = 0; row < 3; ++row) {
        controls.append({.kind = K::TextBox, .name = ArrayElement(panel.fields, row), .twips = {panel.fieldLeft, RowTop[row], 465, 285}, .backColor = LightGrey, .foreColor = DarkGrey, .font = Tahoma, .maxLength = 3});
        controls.append({.kind = K::TextBox, .name = ArrayElement(panel.fields, row + 3), .twips = {panel.hexLeft[row], RowTop[row], 465, 285}, .backColor = LightGrey, .foreColor = DarkGrey, .font = Tahoma, .maxLength = 2});
        controls.append({.kind = K::Label, .name = ArrayElement(panel.strips, row), .twips = {panel.stripLeft, RowTop[row], 285, 285}, .backColor = WindowBackground, .flags = Opaque | Bordered});
        controls.append({.kind = K::Label, .name = panel.rowLabels[row], .twips = {panel.labelLeft, RowLabelTop[row], 1155, 210}, .caption = rowCaptions[row], .font = Bold, .alignment = RightAligned});
    }
    controls.append({.kind = K::PictureBox, .name = panel.swatch, .twips = {panel.stripLeft, SwatchTop, 285, 285}, .backColor = WindowBackground});
    // The presets are transparent: the skin's squares show through, and the back
    // colour only names the colour each one sets.
    for (int preset = 0; preset < 5; ++preset)
        controls.append({.kind = K::Label, .name = ArrayElement(panel.presets, preset), .twips = {panel.presetLeft + PresetStep * preset, panel.presetTop, 150, 135}, .backColor = PresetColours[preset]});
    // clang-format on
    return controls;
}

// clang-format off
constexpr ButtonLooks Buttons[] = {
    {"lblGenerate", "Generate", 0x80FFFF, DarkGrey, Silver, Black, LightGrey, DarkGrey, GenerateTexture},
    {"lblClipboard", "Send to Clipboard", 0x80FF80, White, Silver, 0x00FFFF, LightGrey, Silver, ClipboardTexture},
    {"cmdExit", "Exit", SystemColour::ButtonFace, White, std::nullopt, 0x00FFFF, std::nullopt, Silver, ExitTexture},
};
// clang-format on

// What a screen reader says for the controls that show no caption of their own.
// clang-format off
constexpr std::pair<const char *, const char *> FixedNames[] = {
    {"Label3", "Huevane, Caldrin's Brightkit"},
    {"Label1", "Close"},
    {"txtString", "Text to colorize"},
    {"lblSwap", "Swap start and end colors"},
    {"Option1(0)", "Type 1, start to end"},
    {"Option1(1)", "Type 2, end to start"},
    {"Option1(2)", "Type 3, rising to the turning point and falling back"},
    {"Picture4(0)", "Choose type 1, start to end"},
    {"Picture4(1)", "Choose type 2, end to start"},
    {"Picture4(2)", "Turning point of type 3"},
    {"txtSize", "Text size (preview only)"},
    {"picGradText", "Resulting gradient"},
    {"txtHTML", "HTML output"},
};
// clang-format on

// Check boxes are named by the caption beside them.
constexpr std::pair<const char *, const char *> CaptionedBy[] = {
    {"chkUpTags", "lblUpTags"}, {"chkPerLine", "lblPerLine"}, {"chkJSQuote", "lblJSQuote"}};

void NameForAssistiveTechnology(QList<LayoutEntry> &controls)
{
    const auto find = [&controls](const QString &name) {
        return std::find_if(controls.begin(), controls.end(),
                            [&name](const LayoutEntry &entry) { return entry.name == name; });
    };
    for (const auto &[name, text] : FixedNames)
        find(name)->accessibleName = QString::fromUtf8(text);
    for (const auto &[box, caption] : CaptionedBy)
        find(box)->accessibleName = find(caption)->caption;
    for (const ButtonLooks &button : Buttons)
        find(button.name)->accessibleName = QString::fromLatin1(button.caption);

    static const char *const components[3] = {"red", "green", "blue"};
    static const char *const presets[5] = {"black", "red", "green", "blue", "white"};
    for (const PanelPlacement &panel : Panels) {
        const QString title = QString::fromLatin1(panel.title);
        for (int row = 0; row < 3; ++row) {
            const QString component = title + QStringLiteral(", ") + components[row];
            find(ArrayElement(panel.fields, row))->accessibleName = component + ", decimal";
            find(ArrayElement(panel.fields, row + 3))->accessibleName = component + ", hexadecimal";
            find(ArrayElement(panel.strips, row))->accessibleName = component + " alone";
        }
        find(panel.swatch)->accessibleName = title + ", choose in the color dialog";
        for (int preset = 0; preset < 5; ++preset)
            find(ArrayElement(panel.presets, preset))->accessibleName =
                title + QStringLiteral(", ") + presets[preset];
    }
}

} // namespace

int DesignPixels(int twips)
{
    return RoundHalfEven(double(twips) / DesignTwipsPerPixel);
}

QRect DesignPixels(const QRect &twips)
{
    return QRect(DesignPixels(twips.left()), DesignPixels(twips.top()), DesignPixels(twips.width()),
                 DesignPixels(twips.height()));
}

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
        NameForAssistiveTechnology(controls);
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

const ButtonLooks *FindButtonLooks(const QString &name)
{
    for (const ButtonLooks &button : Buttons) {
        if (name == QLatin1String(button.name))
            return &button;
    }
    return nullptr;
}

ColourPanelNames PanelNames(int number)
{
    Q_ASSERT(number >= 1 && number <= 3);
    const PanelPlacement &panel = Panels[number - 1];
    return {panel.title,   panel.fields,
            panel.strips,  panel.swatch,
            panel.presets, {panel.rowLabels[0], panel.rowLabels[1], panel.rowLabels[2]}};
}

QStringList TabOrder()
{
    QStringList order {"txtString"};
    for (const PanelPlacement &panel : Panels) {
        for (int row = 0; row < 3; ++row)
            order << ArrayElement(panel.fields, row) << ArrayElement(panel.fields, row + 3);
    }
    order << "Option1(0)"
          << "Option1(1)"
          << "Option1(2)"
          << "txtSize"
          << "txtHTML"
          << "picGradText"
          << "Picture4(2)"
          << "Picture4(1)"
          << "Picture4(0)"
          << "chkUpTags"
          << "chkPerLine"
          << "lblGenerate"
          << "lblClipboard"
          << "chkJSQuote"
          << "cmdExit";
    for (const PanelPlacement &panel : Panels)
        order << panel.swatch;
    // Reached from the keyboard after the designed order: the presets from left to
    // right with the swap bar between the first two panels, then the close mark.
    for (const PanelPlacement &panel : Panels) {
        for (int preset = 0; preset < 5; ++preset)
            order << ArrayElement(panel.presets, preset);
        if (&panel == &Panels[0])
            order << "lblSwap";
    }
    order << "Label1";
    return order;
}

} // namespace huevane
