#pragma once

#include "engine/fitting.h"
#include "engine/formats.h"
#include "engine/formatwriter.h"
#include "engine/gradientsettings.h"

#include <QList>
#include <QObject>

#include <functional>
#include <optional>

class QMenu;
class QMimeData;
class QWidget;

namespace huevane {

class GradientModel;
class RecentTemplates;

/// An entry of the 'Copy as' menu: a format of the table, formatted text, or a
/// template of the user's own.
struct CopyAsEntry
{
    OutputFormat format;        ///< what is written
    bool formattedText = false; ///< rich text: format's HTML as text/html, the text as text/plain
    std::optional<OwnTemplate> ownTemplate {}; ///< when set, written in place of format
};

/// 'Formatted text': the span HTML, to paste coloured into a word processor or a mail.
inline const CopyAsEntry FormattedTextEntry {FormatNamed(u"span"), true};

/// The caption of @p entry in the menu, with & written && as menus want it.
QString CopyAsCaption(const CopyAsEntry &entry);

/// The gradient that 'Copy as' copies: the record, whose tag options apply to
/// the formats that have them and whose backColour to those that draw a
/// background, the colours computed for its text, the styles to write, and the
/// limit that 'Fit to' fits every entry to.
struct CopySource
{
    GradientSettings settings;
    QList<CharColour> colours;
    Styles styles = 0;                 ///< none by default
    std::optional<LengthLimit> fit {}; ///< none by default
};

/// What 'Copy as' copies for @p model as it is now.
CopySource CopySourceOf(const GradientModel &model);

/// False when @p source has nothing to copy: a blank text, or colours that are
/// not one for every character of it.
bool HasSomethingToCopy(const CopySource &source);

/// How @p entry writes @p source: as huevane-html writes its format with --merge
/// and the source's styles, font and span also with --escape, the tag options
/// where the format has them (not for formatted text, which no one reads as
/// code).
OutputOptions CopyAsOptions(const CopyAsEntry &entry, const CopySource &source);

/// Why @p entry cannot write the styles of @p source, in a sentence; empty when
/// it can.
QString CopyAsRefusal(const CopyAsEntry &entry, const CopySource &source);

/// What @p entry puts on the clipboard for @p source: the text of @p source
/// written with CopyAsOptions(), as plain text. For FormattedTextEntry, as
/// text/html the escaped span HTML in a span whose white-space is pre-wrap, so
/// that spaces and tabs stay as they are, with lines separated by <br> alone;
/// as text/plain the text itself with the platform's line ends (LF; CR LF on
/// Windows). With a fit, the finest output that fits (MeasureCopy()), written
/// with its k characters a colour. Null when there is nothing to copy: a blank
/// text, colours that are not those of the text, or output that cannot fit.
QMimeData *CopyAsData(const CopyAsEntry &entry, const CopySource &source);

/// The first line of @p source as @p entry writes it, with its line end, of at
/// most @p most characters (a longer line is cut there). Empty when there is
/// nothing to copy.
QString FirstLineWritten(const CopyAsEntry &entry, const CopySource &source, qsizetype most);

/// The output box's context menu: the box's own entries, the styles as check
/// items kept in the model, 'Fit to' and 'Copy as'.
class CopyAsMenu : public QObject
{
    Q_OBJECT

public:
    /// Gives @p box a context menu (right button, menu key) that is
    /// @p standardMenu(), a new menu such as TextBox::createStandardContextMenu()
    /// gives, followed by the styles of @p model and the 'Copy as' submenu;
    /// 'Template…' remembers its templates in @p templates. Sets the box's
    /// context menu policy to Qt::CustomContextMenu. Owned by @p box.
    CopyAsMenu(QWidget *box, std::function<QMenu *()> standardMenu, GradientModel *model,
               RecentTemplates *templates);

    /// The whole context menu, which deletes itself when closed.
    QMenu *createContextMenu();

    /// The 'Fit to' submenu, owned by @p parent: None, the places of FitTargets
    /// with their limits, and 'Custom…' (AskForCustomFit()), one of them checked
    /// as the model's fit() is; picking one sets it.
    QMenu *createFitMenu(QWidget *parent) const;

    /// The 'Copy as' submenu, owned by @p parent, for the model as it is when the
    /// menu is made: 'Formatted text' first, a submenu for every FormatGroup
    /// holding its formats in the table's order, then 'Template…'. An entry that
    /// cannot write the styles is disabled, its tooltip saying why; all are
    /// disabled when there is nothing to copy. As a menu shows, its entries
    /// measure what they would copy (MeasureCopy()) and show it after their
    /// caption, "MiniMessage (1,234 characters)"; an entry whose output cannot
    /// fit says so and is disabled, and one whose fit gives several characters a
    /// colour tells how many in its tooltip. A picked entry copies what
    /// CopyAsData() gives for the model then, and tells copied(); 'Template…'
    /// asks for the template first (TemplateDialog).
    QMenu *createCopyAsMenu(QWidget *parent);

Q_SIGNALS:
    /// @p entry, a format's or formatted text, was picked in 'Copy as'.
    void copied(const huevane::CopyAsEntry &entry);

private:
    QWidget *m_box;
    std::function<QMenu *()> m_standardMenu;
    GradientModel *m_model;
    RecentTemplates *m_templates;
};

} // namespace huevane
