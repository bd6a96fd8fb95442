#include "copyas.h"

#include "engine/htmlwriter.h"
#include "engine/lineends.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include <iterator>

namespace huevane {

namespace {

// Each entry's caption and format, by CopyAsEntry.
struct EntryRow
{
    const char16_t *caption;
    OutputFormat format;
};
constexpr EntryRow entryRows[] = {
    {u"HTML with span tags", OutputFormat::Span},
    {u"BBCode", OutputFormat::BBCode},
    {u"Terminal (24-bit)", OutputFormat::Ansi},
    {u"Terminal (256 colours)", OutputFormat::Ansi256},
    {u"Minecraft (&&#)", OutputFormat::MinecraftHex}, // && shows one &
    {u"Minecraft (\u00A7)", OutputFormat::MinecraftSection},
    {u"MiniMessage", OutputFormat::MiniMessage},
    {u"Minecraft JSON", OutputFormat::MinecraftJson},
    {u"Formatted text", OutputFormat::Span},
};
static_assert(std::size(entryRows) == std::size(CopyAsEntries));

// The way huevane-html writes @p entry's format with --merge; span escaped.
// The tag options apply where huevane-html applies them, but not to the
// formatted text, which no one reads as code.
OutputOptions optionsFor(CopyAsEntry entry, const OutputOptions &tags)
{
    const OutputFormat format = entryRows[int(entry)].format;
    const bool tagOptions = entry == CopyAsEntry::Span || entry == CopyAsEntry::BBCode;
    return {tagOptions && tags.upperCaseTags, tagOptions && tags.noQuotes, format, true,
            format == OutputFormat::Span};
}

// Rich text keeps the text's runs of spaces and its tabs, which HTML would
// collapse, by white-space: pre-wrap, which also keeps its lines' wrapping; a
// line then ends in its <br> alone, as a line end in the HTML would be a second
// break, and the last line has none, as the text has none.
QString formattedHtml(QString spans)
{
    const QLatin1String lineEnd("<br>\r\n");
    if (spans.endsWith(lineEnd))
        spans.chop(lineEnd.size());
    spans.replace(lineEnd, QLatin1String("<br>"));
    return QLatin1String("<span style=\"white-space:pre-wrap\">") + spans
        + QLatin1String("</span>");
}

// The text with the platform's line ends, as plain text goes on its clipboard.
QString plainText(const GradientSettings &settings)
{
#ifdef Q_OS_WIN
    constexpr QStringView lineEnd = u"\r\n";
#else
    constexpr QStringView lineEnd = u"\n";
#endif
    return WithLineBreaks(settings.text.text(), lineEnd);
}

bool hasSomethingToCopy(const CopySource &source)
{
    return !IsBlankText(source.settings.text.text())
        && source.colours.size() == source.settings.text.totalChars();
}

} // namespace

QMimeData *CopyAsData(CopyAsEntry entry, const CopySource &source)
{
    if (!hasSomethingToCopy(source))
        return nullptr;
    const QString written = GenerateHtml(source.settings.text, source.colours,
                                         optionsFor(entry, source.settings.output));
    auto *data = new QMimeData;
    if (entry == CopyAsEntry::FormattedText) {
        data->setHtml(formattedHtml(written));
        data->setText(plainText(source.settings));
    } else {
        data->setText(written);
    }
    return data;
}

QMenu *CreateCopyAsMenu(const std::function<CopySource()> &source, QWidget *parent)
{
    auto *menu = new QMenu(QStringLiteral("Copy as"), parent);
    const bool enabled = hasSomethingToCopy(source());
    for (const CopyAsEntry entry : CopyAsEntries) {
        const QString caption = QString::fromUtf16(entryRows[int(entry)].caption);
        QAction *action = menu->addAction(caption, menu, [entry, source] {
            if (QMimeData *data = CopyAsData(entry, source()))
                QGuiApplication::clipboard()->setMimeData(data);
        });
        action->setEnabled(enabled);
    }
    return menu;
}

void AddCopyAsMenu(QWidget *widget, std::function<QMenu *()> standardMenu,
                   std::function<CopySource()> source)
{
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    // A scroll area's position is in its viewport's coordinates.
    auto *area = qobject_cast<QAbstractScrollArea *>(widget);
    QWidget *origin = area ? area->viewport() : widget;
    QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                     [origin, standardMenu = std::move(standardMenu),
                      source = std::move(source)](const QPoint &position) {
                         QMenu *menu = standardMenu();
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         menu->addSeparator();
                         menu->addMenu(CreateCopyAsMenu(source, menu));
                         menu->popup(origin->mapToGlobal(position));
                     });
}

} // namespace huevane
