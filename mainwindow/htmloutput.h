#pragma once

#include <QObject>

namespace huevane {

class GradientModel;
class TextBox;

/// The output box txtHTML and its export to the clipboard. The box shows the
/// model's output: its placeholder (HtmlPlaceholder), or the HTML 'Generate'
/// wrote. It is read-only, keeps its text exactly as written, CR LF line ends
/// included, and selects all of its text whenever it gains the focus.
class HtmlOutput : public QObject
{
    Q_OBJECT

public:
    /// The output of @p model in @p box, which owns it.
    HtmlOutput(TextBox *box, const GradientModel *model);

    /// Copies the box's text to the clipboard, exactly as it stands, after
    /// selecting all of it and giving the box the focus. The placeholder is not
    /// copied, nor is an empty text: the clipboard keeps what it had.
    void sendToClipboard();

private:
    TextBox *m_box;
};

} // namespace huevane
