#pragma once

#include <QObject>
#include <QString>
#include <QStringView>

namespace huevane {

class TextBox;

/// The output box's text whenever it shows no current HTML.
inline constexpr QStringView HtmlPlaceholder =
    u"HTML will be generated here when you click 'Generate'";

/// The output box txtHTML and its export to the clipboard. The box is
/// read-only and keeps its text exactly as written, CR LF line ends included.
/// It selects all of its text whenever it gains the focus.
class HtmlOutput : public QObject
{
    Q_OBJECT

public:
    /// The output in @p box, which owns it.
    explicit HtmlOutput(TextBox *box);

    /// Writes @p text into the box.
    void show(const QString &text);

    /// Writes HtmlPlaceholder into the box.
    void showPlaceholder();

    /// Copies the box's text to the clipboard, exactly as it stands, after
    /// selecting all of it and giving the box the focus. The placeholder is not
    /// copied, nor is an empty text: the clipboard keeps what it had.
    void sendToClipboard();

private:
    TextBox *m_box;
};

} // namespace huevane
