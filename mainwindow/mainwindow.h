#pragma once

#include "engine/gradientsettings.h"

#include <QStringView>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;

namespace huevane {

class ColourChooser;
class DesktopShell;
class DrawingSurface;

/// The output box's text whenever it shows no current HTML.
inline constexpr QStringView HtmlPlaceholder =
    u"HTML will be generated here when you click 'Generate'";

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
/// Each colour panel is set in four ways: by typing into its value fields (the
/// colour takes effect when the focus leaves the field), by the colour dialog
/// behind a click on its swatch, by its five presets, and, for the start and end
/// colours, by the swap between them. 'Send to Clipboard' copies the generated
/// HTML, exactly as 'Generate' wrote it, to the clipboard.
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

    /// The gradient record, with the colours of the last text preview.
    const GradientSettings &settings() const;

    /// The colour panel number @p number: 1 start, 2 end, 3 background.
    const ColourPanel &colourPanel(int number) const;

    /// The text of txtString with its lines separated by CR LF.
    QString inputText() const;

    /// The gradient type of the selected option button, 1 to 3; 0 when none is.
    quint8 selectedType() const;

    /// Brings the decimal fields of @p panel into 0..255 (an empty one stays empty),
    /// writes their hexadecimal partners, paints the component strips and the
    /// panel's swatch, then redraws the type previews and the text preview with
    /// the selected type.
    void RefreshAll(const ColourPanel &panel);

    /// Redraws the text preview with gradient type @p type: computes the character
    /// colours, paints them on the background colour and puts the placeholder
    /// into the output box. A blank text only clears the preview; a type other
    /// than 1 to 3 shows a message and paints no character.
    void DrawTextPreview(quint8 type);

    /// Paints gradient kind @p kind onto type preview @p preview as one stripe per
    /// character. With no characters the preview keeps what it shows.
    void DrawTypePreviews(DrawingSurface *preview, quint8 kind);

    /// Writes the HTML of the text in the colours of the last text preview into
    /// the output box, with the tag options of the two check boxes.
    void Generate();

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
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildControls();
    void ConnectEvents();
    void Load();
    void TextChanged();
    void TextSizeChanged();
    void TypePreviewMouseDown(int index, int button);
    void TypePreviewMouseMove(int index, int button, float x);
    void TypePreviewMouseUp(int index);
    void DrawAllTypePreviews();
    ColourTriplet ReadColour(const ColourPanel &panel) const;
    void PaintStrip(const ColourPanel &panel, int row);
    void ShowOutput(const QString &text);

    void CommitField(const ColourPanel &panel, int index);
    void ChooseColour(const ColourPanel &panel);
    void ApplyPreset(const ColourPanel &panel, int preset);
    void SwapStartAndEnd();
    void SendToClipboard();

    void ApplyWindowOutline();
    void CreateIcon();
    void DeleteIcon();

    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace huevane
