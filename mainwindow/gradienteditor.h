#pragma once

#include <QWidget>

#include <functional>
#include <memory>

namespace huevane {

class ColourChooser;
class GradientBar;
class GradientModel;
class SavedPresets;

/// The gradient editor: a small window of its own beside the main window, not
/// modal, that shows and sets the model's whole gradient. From the top:
/// - the bar with a marker for every stop (GradientBar);
/// - a row for every stop: a button that asks for its colour, the colour in
///   hexadecimal (RRGGBB) and its place in percent; the row that takes the focus
///   selects its stop on the bar;
/// - 'Evenly space' and 'Reverse' (the swap of the main window);
/// - the colour space, and the hue rule where the space has a hue;
/// - the presets, built in and saved (GradientMenu's, in the same order), a
///   click or Enter applying one; 'Delete preset' (or Delete) for a saved one,
///   and 'Save as preset…', which asks for a name;
/// - the gradient as text (StopsText()), to copy, and to paste or type into:
///   Enter or leaving the line reads it (ParseGradientText()), and what cannot
///   be read is told in the line below it, the gradient left as it was. That
///   line also tells what went wrong with the saved presets, once.
/// Every part takes the focus from Tab, shows it, and has an accessible name;
/// Escape closes the editor.
class GradientEditor : public QWidget
{
    Q_OBJECT

public:
    /// The room around the editor's parts, in pixels: the bar's top left corner
    /// stands this far in from the window's.
    static constexpr int Margin = 10;

    /// The editor of @p model's gradient, with @p presets, asking for colours with
    /// @p chooser() at the time; a tool window of @p parent.
    GradientEditor(GradientModel *model, SavedPresets *presets,
                   std::function<ColourChooser *()> chooser, QWidget *parent);
    ~GradientEditor() override;

    /// Shows the editor beside its parent, where there is room on the screen for
    /// it (right, else left, else over the parent's right edge), raised, with
    /// the focus on the bar.
    void showBeside();

    /// The bar; the message line's text.
    GradientBar *bar() const;
    QString message() const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildRows();
    void showStops();
    void showPresets();
    void showDeletable();
    void showMessage(const QString &message);
    void tellProblem(const QString &done = {});
    void chooseColour(int index);
    void readText();
    void saveAsPreset();
    void deletePreset();

    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace huevane
