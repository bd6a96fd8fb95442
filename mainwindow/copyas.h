#pragma once

#include "engine/gradientsettings.h"

#include <QList>

#include <functional>

class QMenu;
class QMimeData;
class QWidget;

namespace huevane {

/// The entries of the 'Copy as' menu, in the order it shows them.
enum class CopyAsEntry : quint8 {
    Span,             ///< HTML with span tags, escaped
    BBCode,           ///< BBCode
    Ansi,             ///< terminal colours, 24-bit
    Ansi256,          ///< terminal colours, the 256-colour palette
    MinecraftHex,     ///< Minecraft's &# codes
    MinecraftSection, ///< Minecraft's § codes
    MiniMessage,      ///< MiniMessage tags
    MinecraftJson,    ///< a Minecraft JSON text component
    FormattedText,    ///< rich text: the span HTML as text/html, the text as text/plain
};

/// Every entry, in menu order.
inline constexpr CopyAsEntry CopyAsEntries[] = {
    CopyAsEntry::Span,        CopyAsEntry::BBCode,        CopyAsEntry::Ansi,
    CopyAsEntry::Ansi256,     CopyAsEntry::MinecraftHex,  CopyAsEntry::MinecraftSection,
    CopyAsEntry::MiniMessage, CopyAsEntry::MinecraftJson, CopyAsEntry::FormattedText};

/// The gradient that 'Copy as' copies: the record, whose tag options apply to
/// span tags and BBCode, and the colours computed for its text.
struct CopySource
{
    GradientSettings settings;
    QList<CharColour> colours;
};

/// What @p entry puts on the clipboard for @p source: the text of @p source
/// coloured as huevane-html writes it with --merge (span also with --escape),
/// as plain text. For FormattedText, as text/html the escaped span HTML in a
/// span whose white-space is pre-wrap, so that spaces and tabs stay as they are,
/// with lines separated by <br> alone; as text/plain the text itself with the
/// platform's line ends (LF; CR LF on Windows). Null when there is nothing to
/// copy: a blank text, or colours that are not those of the text.
QMimeData *CopyAsData(CopyAsEntry entry, const CopySource &source);

/// A 'Copy as' submenu owned by @p parent, an entry for each CopyAsEntry. Each
/// entry copies what CopyAsData gives for @p source() when it is picked; all are
/// disabled when there is nothing to copy at the time the menu is made.
QMenu *CreateCopyAsMenu(const std::function<CopySource()> &source, QWidget *parent);

/// Gives @p widget a context menu (right button, menu key) that is
/// @p standardMenu(), a new menu such as TextBox::createStandardContextMenu()
/// gives, followed by the 'Copy as' submenu for @p source. Sets the widget's
/// context menu policy to Qt::CustomContextMenu.
void AddCopyAsMenu(QWidget *widget, std::function<QMenu *()> standardMenu,
                   std::function<CopySource()> source);

} // namespace huevane
