#include "skinlayout.h"

#include <QStringList>

#include <cmath>

namespace huevane::artgen {

namespace {

int toPixels(int twips)
{
    return int(std::lround(double(twips) / TwipsPerPixel));
}

struct TwipRect
{
    int left, top, width, height;
};

Control make(const QString &name, ControlKind kind, TwipRect r, const QString &caption = {},
             bool bold = false, Qt::Alignment alignment = Qt::AlignLeft)
{
    return Control {name,    kind, TwipsToPixels(r.left, r.top, r.width, r.height),
                    caption, bold, alignment};
}

QString indexed(const QString &name, int index)
{
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

void addPanel(QList<Control> &controls, Panel panel)
{
    const PanelNames names = NamesOf(panel);
    const int p = int(panel);
    const int decimalLeft[] = {1575, 4695, 7575};
    const int stripLeft[] = {2715, 5850, 8715};
    const int presetLeft[] = {345, 3480, 6375};
    const int presetTop[] = {2625, 2610, 2610};
    const int labelLeft[] = {390, 3510, 6390};
    const int rowTop[] = {1320, 1650, 1980};
    const int labelTop[] = {1350, 1680, 2010};
    for (int row = 0; row < 3; ++row) {
        // The background panel's green and blue hexadecimal fields sit one pixel further right.
        const int hexLeft = p == 0 ? 2175 : p == 1 ? 5310 : (row == 0 ? 8160 : 8175);
        controls << make(indexed(names.values, row), ControlKind::TextBox,
                         {decimalLeft[p], rowTop[row], 465, 285});
        controls << make(indexed(names.values, row + 3), ControlKind::TextBox,
                         {hexLeft, rowTop[row], 465, 285});
        controls << make(indexed(names.strips, row), ControlKind::Picture,
                         {stripLeft[p], rowTop[row], 285, 285});
        controls << make(names.rowLabels.at(row), ControlKind::Label,
                         {labelLeft[p], labelTop[row], 1155, 210},
                         QStringList {QStringLiteral("Red Value"), QStringLiteral("Green Value"),
                                      QStringLiteral("Blue Value")}
                             .at(row),
                         true, Qt::AlignRight);
    }
    controls << make(names.swatch, ControlKind::Picture, {stripLeft[p], 2385, 285, 285});
    for (int index = 0; index < 5; ++index)
        controls << make(indexed(names.presets, index), ControlKind::Label,
                         {presetLeft[p] + 180 * index, presetTop[p], 150, 135});
}

} // namespace

QRect TwipsToPixels(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

QPolygon WindowOutline()
{
    static const int twips[44][2] = {
        {0, 0},       {2220, 0},    {2235, 15},   {2250, 15},   //
        {2295, 60},   {5070, 60},   {5100, 90},   {5100, 315},  //
        {5115, 330},  {9375, 330},  {9390, 345},  {9405, 345},  //
        {9435, 375},  {9450, 420},  {9450, 6210}, {9435, 6225}, //
        {9390, 6225}, {9390, 6435}, {9375, 6450}, {9375, 6495}, //
        {9360, 6510}, {9360, 6540}, {9345, 6555}, {9345, 6570}, //
        {9270, 6645}, {9225, 6660}, {9150, 6675}, {9105, 6690}, //
        {9000, 6705}, {5385, 6705}, {5385, 6735}, {5370, 6750}, //
        {345, 6750},  {330, 6735},  {225, 6735},  {210, 6720},  //
        {165, 6720},  {150, 6705},  {135, 6705},  {75, 6645},   //
        {75, 6630},   {45, 6600},   {15, 6525},   {0, 6300},
    };
    QPolygon outline;
    for (const auto &vertex : twips)
        outline << QPoint(toPixels(vertex[0]), toPixels(vertex[1]));
    return outline;
}

PanelNames NamesOf(Panel panel)
{
    switch (panel) {
    case Panel::Start:
        return {QStringLiteral("Start Color"),
                QStringLiteral("txtStCol"),
                QStringLiteral("lblStartCol"),
                QStringLiteral("picStartCol"),
                QStringLiteral("lblStDefCol"),
                {QStringLiteral("Label6"), QStringLiteral("Label7"), QStringLiteral("Label8")}};
    case Panel::End:
        return {QStringLiteral("End Color"),
                QStringLiteral("txtEndCol"),
                QStringLiteral("lblEndCol"),
                QStringLiteral("picEndCol"),
                QStringLiteral("lblEndDefCol"),
                {QStringLiteral("Label9"), QStringLiteral("Label11"), QStringLiteral("Label10")}};
    case Panel::Background:
        break;
    }
    return {QStringLiteral("Background Color"),
            QStringLiteral("txtBkCol"),
            QStringLiteral("lblBkCol"),
            QStringLiteral("picBackCol"),
            QStringLiteral("lblBkDefCol"),
            {QStringLiteral("Label12"), QStringLiteral("Label14"), QStringLiteral("Label13")}};
}

QList<Control> WindowControls()
{
    using K = ControlKind;
    const auto right = Qt::AlignRight;
    QList<Control> controls {
        make(QStringLiteral("Label3"), K::Label, {15, 0, 5085, 345}),
        make(QStringLiteral("Label1"), K::Label, {8895, 210, 285, 255}),
        make(QStringLiteral("Label2"), K::Label, {315, 622, 1470, 210},
             QStringLiteral("Text to colorize:"), true),
        make(QStringLiteral("txtString"), K::TextBox, {2040, 495, 5655, 465}),
        make(QStringLiteral("Label4"), K::Label, {7800, 600, 1005, 240},
             QStringLiteral("Characters:"), true),
        make(QStringLiteral("lblChars"), K::Label, {8835, 600, 180, 240}, QStringLiteral("90")),
        make(QStringLiteral("lblSwap"), K::Label, {3135, 1140, 240, 1650}),
        make(QStringLiteral("Option1(0)"), K::Option, {600, 3195, 210, 210}),
        make(QStringLiteral("Option1(1)"), K::Option, {3345, 3195, 210, 210}),
        make(QStringLiteral("Option1(2)"), K::Option, {6120, 3180, 210, 210}),
        make(QStringLiteral("Picture4(0)"), K::Picture, {945, 3150, 2325, 285}),
        make(QStringLiteral("Picture4(1)"), K::Picture, {3690, 3150, 2325, 285}),
        make(QStringLiteral("Picture4(2)"), K::Picture, {6465, 3150, 2325, 285}),
        make(QStringLiteral("Label15"), K::Label, {300, 3690, 1635, 195},
             QStringLiteral("Resulting Gradient"), true),
        make(QStringLiteral("Label5"), K::Label, {6900, 3675, 840, 210},
             QStringLiteral("Text Size"), true, right),
        make(QStringLiteral("txtSize"), K::TextBox, {8775, 3645, 345, 285}),
        make(QStringLiteral("Label16"), K::Label, {7740, 3675, 1020, 210},
             QStringLiteral("(preview only)")),
        make(QStringLiteral("picGradText"), K::Picture, {300, 4005, 8805, 690}),
        make(QStringLiteral("txtHTML"), K::TextBox, {300, 4725, 8805, 1095}),
        make(QStringLiteral("lblGenerate"), K::Button, {285, 5850, 1650, 300},
             QStringLiteral("Generate")),
        make(QStringLiteral("chkUpTags"), K::Check, {2145, 5895, 195, 240}),
        make(QStringLiteral("lblUpTags"), K::Label, {2385, 5910, 1305, 210},
             QStringLiteral("Uppercase Tags")),
        make(QStringLiteral("chkPerLine"), K::Check, {3825, 5895, 195, 240}),
        make(QStringLiteral("lblPerLine"), K::Label, {4065, 5910, 1245, 210},
             QStringLiteral("Per-line gradient")),
        make(QStringLiteral("chkJSQuote"), K::Check, {5400, 5895, 210, 240}),
        make(QStringLiteral("lblJSQuote"), K::Label, {5625, 5910, 3315, 210},
             QStringLiteral("Don't use quotes for attributes (for JavaScripts)")),
        make(QStringLiteral("lblClipboard"), K::Button, {5970, 6315, 1650, 300},
             QStringLiteral("Send to Clipboard")),
        make(QStringLiteral("cmdExit"), K::Button, {7725, 6315, 1305, 300}, QStringLiteral("Exit")),
    };
    for (Panel panel : {Panel::Start, Panel::End, Panel::Background})
        addPanel(controls, panel);
    return controls;
}

Control FindControl(const QString &name)
{
    const QList<Control> controls = WindowControls();
    for (const Control &control : controls) {
        if (control.name == name)
            return control;
    }
    return {};
}

} // namespace huevane::artgen
