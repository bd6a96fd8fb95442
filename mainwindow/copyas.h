#pragma once

#include "engine/formats.h"
#include "engine/gradientsettings.h"

#include <QList>

#include <functional>

class QMenu;
class QMimeData;
class QWidget;

namespace huevane {

/// An entry of the 'Copy as' menu: a format of the table, or formatted text.
struct CopyAsEntry
{
    OutputFormat format;        ///< what is written
    bool formattedText = false; ///< rich text: format's HTML as text/html, the text as text/plain

    friend bool operator==(const CopyAsEntry &, const CopyAsEntry &) = default;
};

/// 'Formatted text': the span HTML, to paste coloured into a word processor or a mail.
inline constexpr CopyAsEntry FormattedTextEntry {FormatNamed(u"span"), true};

/// Every entry, in menu order: each format of the table, then FormattedTextEntry.
QList<CopyAsEntry> CopyAsEntries();

/// The caption of @p entry in the menu, with & written && as menus want it.
QString CopyAsCaption(const CopyAsEntry &entry);

/// The gradient that 'Copy as' copies: the record, whose tag options apply to
/// the formats that have them and whose backColour to those that draw a
/// background, and the colours computed for its text.
struct CopySource
{
    GradientSettings settings;
    QList<CharColour> colours;
};

/// What @p entry puts on the clipboard for @p source: the text of @p source
/// coloured as huevane-html writes it with --merge (font and span also with
/// --escape), as plain text. For FormattedTextEntry, as text/html the escaped
/// span HTML in a span whose white-space is pre-wrap, so that spaces and tabs
/// stay as they are, with lines separated by <br> alone; as text/plain the text
/// itself with the platform's line ends (LF; CR LF on Windows). Null when there
/// is nothing to copy: a blank text, or colours that are not those of the text.
QMimeData *CopyAsData(const CopyAsEntry &entry, const CopySource &source);

/// A 'Copy as' submenu owned by @p parent, an entry for each of CopyAsEntries(). Each
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
