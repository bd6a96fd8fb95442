#pragma once

#include "engine/colour.h"
#include "platform/colourdialog.h"

#include <QObject>
#include <QStringList>

#include <array>

class QLabel;
class QLineEdit;
class QWidget;

namespace huevane {

class DrawingSurface;
class GradientModel;

/// The controls of one colour panel. Its colour is the text of its three decimal
/// value fields and nothing else.
struct ColourPanel
{
    int number = 0;                       ///< 1 start, 2 end, 3 background
    std::array<QLineEdit *, 6> fields {}; ///< decimal red, green, blue; then hexadecimal
    std::array<QLabel *, 3> strips {};    ///< red, green and blue alone
    DrawingSurface *swatch = nullptr;     ///< the whole colour
    std::array<QLabel *, 5> presets {};   ///< black, red, green, blue, white
};

/// The three colour panels of the main window (start, end and background colour)
/// and the four ways of setting each: typing into its value fields (the colour
/// takes effect when the focus leaves the field), the colour dialog behind a
/// click on its swatch (or Enter or Space on it), its five presets and, for the
/// start and end colours, the swap between them, which turns the whole gradient
/// round. The panels keep no colour of their own: they show the model's texts
/// and hand it what the user sets, the texts of a field being edited included.
///
/// A value field's text set from outside while the field is not being edited
/// (by assistive technology, which sets it without taking the focus, or a drop)
/// takes effect at once, as if typed and left. The panels' own writes do not.
///
/// A hexadecimal field that was typed into keeps its text as typed until its
/// decimal partner is committed or the panel is set another way.
class ColourPanels : public QObject
{
    Q_OBJECT

public:
    /// The panels made of the controls of @p window (its direct children, found
    /// by their object names), which is also the parent of the colour dialog,
    /// showing and setting the colours of @p model.
    ColourPanels(QWidget *window, GradientModel *model);
    ~ColourPanels() override;

    /// The panel number @p number: 1 start, 2 end, 3 background.
    const ColourPanel &panel(int number) const;

    /// Asks for the colour when a swatch is clicked; by default (and with nullptr)
    /// a DialogColourChooser. The panels do not own @p chooser, which must outlive
    /// them or be replaced first.
    void setColourChooser(ColourChooser *chooser);

private:
    QStringList decimalTexts(const ColourPanel &panel) const;
    void show(const ColourPanel &panel);
    void set(const ColourPanel &panel, const QStringList &texts);
    void write(QLineEdit *field, const QString &text);
    void commitField(const ColourPanel &panel, int index);
    void chooseColour(const ColourPanel &panel);
    void applyPreset(const ColourPanel &panel, int preset);
    void swapStartAndEnd();

    QWidget *m_window;
    GradientModel *m_model;
    std::array<ColourPanel, 3> m_panels;
    std::array<std::array<bool, 3>, 3> m_typedHex {}; // by panel and row
    DialogColourChooser m_dialogChooser;
    ColourChooser *m_chooser = &m_dialogChooser;
    bool m_writing = false;    // a field's text is being set by the panels themselves
    bool m_committing = false; // the panels hand the model a commit of their own
};

} // namespace huevane
