#pragma once

#include "engine/colour.h"
#include "platform/colourdialog.h"

#include <QObject>

#include <array>

class QLabel;
class QLineEdit;
class QWidget;

namespace huevane {

class DrawingSurface;

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
/// start and end colours, the swap between them. The panels keep no colour of
/// their own: every colour is read from the decimal fields when it is needed.
///
/// A value field's text set from outside while the field is not being edited
/// (by assistive technology, which sets it without taking the focus, or a drop)
/// takes effect at once, as if typed and left. The panels' own writes, and
/// those of the window through writeField(), do not.
///
/// The panels only show their colours; what else a new colour redraws is up to
/// the window, told by refreshed() and committed().
class ColourPanels : public QObject
{
    Q_OBJECT

public:
    /// The panels made of the controls of @p window (its direct children, found
    /// by their object names), which is also the parent of the colour dialog.
    explicit ColourPanels(QWidget *window);
    ~ColourPanels() override;

    /// The panel number @p number: 1 start, 2 end, 3 background.
    const ColourPanel &panel(int number) const;

    /// The colour of panel @p number as its decimal fields read (ValueOfText),
    /// not brought into 0..255.
    ColourTriplet colour(int number) const;

    /// Brings the decimal fields of @p panel into 0..255 (an empty one stays
    /// empty), writes their hexadecimal partners, paints the component strips and
    /// the swatch, then emits refreshed().
    void refresh(const ColourPanel &panel);

    /// Sets the text of value field @p index of @p panel as the window's own
    /// code does: nothing is committed, checked or redrawn.
    void writeField(const ColourPanel &panel, int index, const QString &text);

    /// Asks for the colour when a swatch is clicked; by default (and with nullptr)
    /// a DialogColourChooser. The panels do not own @p chooser, which must outlive
    /// them or be replaced first.
    void setColourChooser(ColourChooser *chooser);

Q_SIGNALS:
    /// Panel @p number was refreshed: by refresh(), a preset, the colour dialog
    /// or the swap (which refreshes all three panels in turn).
    void refreshed(int number);

    /// A value field of panel @p number was committed with a valid colour; its
    /// strip and swatch show it.
    void committed(int number);

private:
    void write(QLineEdit *field, const QString &text);
    void commitField(const ColourPanel &panel, int index);
    void chooseColour(const ColourPanel &panel);
    void applyPreset(const ColourPanel &panel, int preset);
    void swapStartAndEnd();
    void paintStrip(const ColourPanel &panel, int row);
    void paintSwatch(const ColourPanel &panel);

    QWidget *m_window;
    std::array<ColourPanel, 3> m_panels;
    DialogColourChooser m_dialogChooser;
    ColourChooser *m_chooser = &m_dialogChooser;
    bool m_writing = false; // a field's text is being set by the panels themselves
};

} // namespace huevane
