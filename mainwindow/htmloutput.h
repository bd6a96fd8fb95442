#pragma once

#include <QObject>
#include <QString>
#include <QStringView>

class QPlainTextEdit;

namespace huevane {

/// The output box's text whenever it shows no current HTML.
inline constexpr QStringView HtmlPlaceholder =
    u"HTML will be generated here when you click 'Generate'";

/// The output box txtHTML and its export to the clipboard. The box turns CR LF
/// into its own line breaks, so what was last written into it is kept as written
/// for as long as the box shows exactly that. The box selects all of its text
/// whenever it gains the focus.
class HtmlOutput : public QObject
{
    Q_OBJECT

public:
    /// The output in @p box, which owns it.
    explicit HtmlOutput(QPlainTextEdit *box);

    /// Writes @p text into the box.
    void show(const QString &text);

    /// Writes HtmlPlaceholder into the box.
    void showPlaceholder();

    /// Copies the box's text to the clipboard, exactly as show() wrote it unless
    /// it was edited since (then with CR LF line ends), after selecting all of it
    /// and giving the box the focus. The placeholder is not copied, nor is an
    /// empty text: the clipboard keeps what it had.
    void sendToClipboard();

private:
    QPlainTextEdit *m_box;
    QString m_written;
    bool m_shown = false; // the box still shows m_written
};

} // namespace huevane
