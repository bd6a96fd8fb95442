#include "copyas.h"

#include "engine/colour.h"
#include "engine/formatwriter.h"
#include "engine/lineends.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace huevane {

namespace {

// The way huevane-html writes @p entry's format with --merge, escaped where the
// format escapes on request. The tag options apply where huevane-html applies
// them, but not to the formatted text, which no one reads as code.
OutputOptions optionsFor(const CopyAsEntry &entry, const GradientSettings &settings)
{
    const OutputOptions &chosen = settings.output;
    OutputOptions options;
    options.format = entry.format;
    options.merge = true;
    options.escape = RowOf(entry.format).escapeOnRequest;
    options.upperCaseTags = !entry.formattedText && chosen.upperCaseTags;
    options.noQuotes = !entry.formattedText && chosen.noQuotes;
    const quint32 back = PackColour(settings.backColour); // 0x00BBGGRR
    options.background = (back & 0xFF) << 16 | (back & 0xFF00) | back >> 16;
    return options;
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

QList<CopyAsEntry> CopyAsEntries()
{
    QList<CopyAsEntry> entries;
    for (int format = 0; format < FormatCount; ++format)
        entries.append({OutputFormat(format)});
    entries.append(FormattedTextEntry);
    return entries;
}

QString CopyAsCaption(const CopyAsEntry &entry)
{
    if (entry.formattedText)
        return QStringLiteral("Formatted text");
    return ToQString(RowOf(entry.format).caption).replace(u'&', QStringLiteral("&&"));
}

QMimeData *CopyAsData(const CopyAsEntry &entry, const CopySource &source)
{
    if (!hasSomethingToCopy(source))
        return nullptr;
    const QString written =
        FormattedText(source.settings.text, source.colours, optionsFor(entry, source.settings));
    auto *data = new QMimeData;
    if (entry.formattedText) {
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
    for (const CopyAsEntry &entry : CopyAsEntries()) {
        QAction *action = menu->addAction(CopyAsCaption(entry), menu, [entry, source] {
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
