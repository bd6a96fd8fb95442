#pragma once

#include "mainwindow/colourpanels.h"
#include "mainwindow/gradientmodel.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace huevane {

class DesktopShell;
class DrawingSurface;
class FitPreview;
class GradientEditor;
class SavedPresets;

/// The main window, frmMain: the text, the three colour panels, the gradient
/// type selector with its previews, the text preview and the HTML output, laid
/// out over the skin as WindowLayout() gives them, each showing and setting the
/// one GradientModel, which computes.
///
/// Every control is found by its objectName (findChild), array elements as
/// "Name(index)". The colour panels (ColourPanels), the output box with its
/// clipboard export (HtmlOutput) and the drag of the turning point
/// (TurningPointDrag) are units of their own.
///
/// From the keyboard, Enter or Space on a type preview selects its type, moving
/// the turning point (TurningPointDrag) selects type 3 as a press on it does,
/// Ctrl+G opens the gradient editor (GradientEditor) and Ctrl+Q closes the window
/// as 'Exit' does. The type previews and the text preview have the context menu
/// of CreateGradientMenu() on the right button's release and on the menu key
/// (but the third preview, whose menu key puts the turning point in the middle).
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    /// The window, with @p shell for its outline, its notification-area icon and
    /// moving it by its title strip; without one (nullptr, as in tests) the window
    /// stays rectangular, has no icon and does not move.
    explicit MainWindow(DesktopShell *shell = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    /// What the window shows and sets.
    GradientModel &model() const;

    /// The colours the text preview draws, grouped as 'Fit to' groups them.
    FitPreview &fitPreview() const;

    /// The key that opens the gradient editor from anywhere in the window.
    static QKeySequence EditGradientKey() { return QKeySequence(Qt::CTRL | Qt::Key_G); }

    /// Shows the gradient editor beside the window (GradientEditor::showBeside()),
    /// made at its first showing.
    void showGradientEditor();

    /// The gradient editor; null until it is first shown.
    GradientEditor *gradientEditor() const;

    /// The presets the user saved, from SavedPresets::DefaultPath() as it was
    /// when the window was made.
    SavedPresets &savedPresets() const;

    /// The colour panel number @p number: 1 start, 2 end, 3 background.
    const ColourPanel &colourPanel(int number) const;

    /// Shows a message to the user; by default a message box with an OK button
    /// and the application's name as title. Tests replace it.
    using MessageSink = std::function<void(const QString &message)>;
    void setMessageSink(MessageSink sink);

    /// Asks for the colour when a panel's swatch or a stop of the gradient editor
    /// is clicked; by default (and with nullptr) a DialogColourChooser. The window
    /// does not own @p chooser, which must outlive it or be replaced first.
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
    void connectModel();
    void connectGradientMenus();
    void textSizeChanged();
    void drawTypePreview(int index);
    void drawTextPreview();
    void redrawArt();

    void applyWindowOutline();
    void createIcon();
    void deleteIcon();

    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace huevane
