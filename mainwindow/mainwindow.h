#pragma once

#include "engine/gradientsettings.h"
#include "mainwindow/colourpanels.h"
#include "mainwindow/htmloutput.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace huevane {

class DesktopShell;
class DrawingSurface;

/// The main window, frmMain: the text, the three colour panels, the gradient
/// type selector with its previews, the text preview and the HTML output, laid
/// out over the skin as WindowLayout() gives them, and the controller that ties
/// them to the one GradientSettings record.
///
/// Construction runs the start-up: the placeholder in the output box, the sample
/// text, text size 8, the start colours, the centre from the whole text's length,
/// type 1 and a refresh of the three panels. Every control is found by its
/// objectName (findChild), array elements as "Name(index)".
///
/// The colour panels (ColourPanels), the output box with its clipboard export
/// (HtmlOutput) and the drag of the turning point (TurningPointDrag) are units
/// of their own; the changes they report end here in redraws.
///
/// From the keyboard, Enter or Space on a type preview selects its type, moving
/// the turning point (TurningPointDrag) selects type 3 as a press on it does, and
/// Ctrl+Q closes the window as 'Exit' does.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    /// The sample text the window opens with (lines separated by CR LF).
    static const QString SampleText;

    /// The window, with @p shell for its outline, its notification-area icon and
    /// moving it by its title strip; without one (nullptr, as in tests) the window
    /// stays rectangular, has no icon and does not move.
    explicit MainWindow(DesktopShell *shell = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    /// The gradient record: the text, its gradient and the output options.
    const GradientSettings &settings() const;

    /// The colours of the last text preview drawn, which 'Generate' writes; none
    /// after a type other than 1 to 3.
    const QList<CharColour> &charColours() const;

    /// The colour panel number @p number: 1 start, 2 end, 3 background.
    const ColourPanel &colourPanel(int number) const;

    /// The text of txtString with its lines separated by CR LF.
    QString inputText() const;

    /// The gradient type of the selected option button, 1 to 3; 0 when none is.
    quint8 selectedType() const;

    /// The refresh cycle of @p panel: ColourPanels::refresh(), which brings its
    /// decimal fields into 0..255, writes their hexadecimal partners and paints
    /// the strips and the swatch; then the type previews and the text preview
    /// are redrawn, the latter with the selected type.
    void refreshAll(const ColourPanel &panel);

    /// Redraws the text preview with gradient type @p type: computes the character
    /// colours, paints them on the background colour and puts the placeholder
    /// into the output box. A blank text only clears the preview; a type other
    /// than 1 to 3 shows a message and paints no character.
    void drawTextPreview(quint8 type);

    /// Paints gradient kind @p kind onto type preview @p preview as one stripe per
    /// character. With no characters the preview keeps what it shows.
    void drawTypePreviews(DrawingSurface *preview, quint8 kind);

    /// Writes the HTML of the text in the colours of the last text preview into
    /// the output box, with the tag options of the two check boxes.
    void generate();

    /// Shows a message to the user; by default a message box with an OK button
    /// and the application's name as title. Tests replace it.
    using MessageSink = std::function<void(const QString &message)>;
    void setMessageSink(MessageSink sink);

    /// Asks for the colour when a panel's swatch is clicked; by default (and with
    /// nullptr) a DialogColourChooser. The window does not own @p chooser, which
    /// must outlive it or be replaced first.
    void setColourChooser(ColourChooser *chooser);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildControls();
    void connectEvents();
    void connectTypeSelector();
    void load();
    void textChanged();
    void textSizeChanged();
    void drawAllTypePreviews();
    void drawSelectedTextPreview();
    void redrawArt();

    void applyWindowOutline();
    void createIcon();
    void deleteIcon();

    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace huevane
