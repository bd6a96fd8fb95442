#include "copyas.h"

#include "engine/colour.h"
#include "engine/lineends.h"
#include "mainwindow/gradientmodel.h"
#include "mainwindow/templatedialog.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include <utility>

namespace huevane {

namespace {

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

void copy(const CopyAsEntry &entry, const CopySource &source)
{
    if (QMimeData *data = CopyAsData(entry, source))
        QGuiApplication::clipboard()->setMimeData(data);
}

// A disabled entry says why in its tooltip, which the menu shows.
void addEntry(QMenu *menu, const CopyAsEntry &entry, const CopySource &source, bool enabled,
              const std::function<void()> &picked)
{
    QAction *action = menu->addAction(CopyAsCaption(entry), menu, picked);
    const QString refusal = CopyAsRefusal(entry, source);
    action->setEnabled(enabled && refusal.isEmpty());
    action->setToolTip(refusal);
}

} // namespace

QString CopyAsCaption(const CopyAsEntry &entry)
{
    if (entry.formattedText)
        return QStringLiteral("&Formatted text");
    if (entry.ownTemplate)
        return QStringLiteral("&Template\u2026");
    return ToQString(RowOf(entry.format).caption).replace(u'&', QStringLiteral("&&"));
}

CopySource CopySourceOf(const GradientModel &model)
{
    return {model.settings(), model.colours(), model.styles()};
}

OutputOptions CopyAsOptions(const CopyAsEntry &entry, const CopySource &source)
{
    const OutputOptions &chosen = source.settings.output;
    OutputOptions options;
    options.format = entry.format;
    options.merge = true;
    options.escape = RowOf(entry.format).escapeOnRequest;
    options.upperCaseTags = !entry.formattedText && chosen.upperCaseTags;
    options.noQuotes = !entry.formattedText && chosen.noQuotes;
    options.styles = source.styles;
    const quint32 back = PackColour(source.settings.backColour); // 0x00BBGGRR
    options.background = (back & 0xFF) << 16 | (back & 0xFF00) | back >> 16;
    options.ownTemplate = entry.ownTemplate;
    return options;
}

QString CopyAsRefusal(const CopyAsEntry &entry, const CopySource &source)
{
    const std::optional<RefusedStyle> refused = FindRefusedStyle(CopyAsOptions(entry, source));
    if (!refused)
        return {};
    QString reason = refused->reason + u'.';
    reason[0] = reason[0].toUpper();
    return reason;
}

QMimeData *CopyAsData(const CopyAsEntry &entry, const CopySource &source)
{
    if (!hasSomethingToCopy(source))
        return nullptr;
    const QString written =
        FormattedText(source.settings.text, source.colours, CopyAsOptions(entry, source));
    auto *data = new QMimeData;
    if (entry.formattedText) {
        data->setHtml(formattedHtml(written));
        data->setText(plainText(source.settings));
    } else {
        data->setText(written);
    }
    return data;
}

QString FirstLineWritten(const CopyAsEntry &entry, const CopySource &source, qsizetype most)
{
    if (!hasSomethingToCopy(source))
        return {};
    const PreparedText &text = source.settings.text;
    const qsizetype count = std::min<qsizetype>(text.lineCharacters(0), most);
    const CharColour *first = source.colours.constData();
    const qsizetype units = count ? first[count - 1].start + first[count - 1].length : 0;
    // Written line by line, as a line of nothing but spaces is not left out
    // where it is the first of a text.
    ColouredTextWriter writer(CopyAsOptions(entry, source));
    QString line(writer.maxSize(count, units) + writer.maxLineEndSize(), Qt::Uninitialized);
    char16_t *const start = reinterpret_cast<char16_t *>(line.data());
    char16_t *end = writer.write(start, text.text(), first, first + count);
    end = writer.endLine(end);
    line.truncate(end - start);
    return line;
}

CopyAsMenu::CopyAsMenu(QWidget *box, std::function<QMenu *()> standardMenu, GradientModel *model,
                       RecentTemplates *templates)
    : QObject(box)
    , m_box(box)
    , m_standardMenu(std::move(standardMenu))
    , m_model(model)
    , m_templates(templates)
{
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    // A scroll area's position is in its viewport's coordinates.
    auto *area = qobject_cast<QAbstractScrollArea *>(box);
    QWidget *origin = area ? area->viewport() : box;
    connect(box, &QWidget::customContextMenuRequested, this, [this, origin](const QPoint &at) {
        createContextMenu()->popup(origin->mapToGlobal(at));
    });
}

QMenu *CopyAsMenu::createContextMenu() const
{
    QMenu *menu = m_standardMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    const Words captions[StyleCount] = {u"&Bold", u"&Italic", u"U&nderline", u"Stri&kethrough",
                                        u"&Obfuscated"};
    for (int s = 0; s < StyleCount; ++s) {
        const Style style = Style(s);
        QAction *action =
            menu->addAction(ToQString(captions[s]), m_model,
                            [model = m_model, style](bool on) { model->setStyle(style, on); });
        action->setCheckable(true);
        action->setChecked(m_model->styles() & StyleBit(style));
        // Each shown as it looks, where a font can show it.
        QFont font = action->font();
        font.setBold(style == Style::Bold);
        font.setItalic(style == Style::Italic);
        font.setUnderline(style == Style::Underline);
        font.setStrikeOut(style == Style::Strikethrough);
        action->setFont(font);
    }
    menu->addSeparator();
    menu->addMenu(createCopyAsMenu(menu));
    return menu;
}

QMenu *CopyAsMenu::createCopyAsMenu(QWidget *parent) const
{
    auto *menu = new QMenu(QStringLiteral("Copy &as"), parent);
    menu->setToolTipsVisible(true);
    const CopySource source = CopySourceOf(*m_model);
    const bool enabled = hasSomethingToCopy(source);
    const auto copier = [model = m_model](const CopyAsEntry &entry) {
        return [model, entry] { copy(entry, CopySourceOf(*model)); };
    };

    addEntry(menu, FormattedTextEntry, source, enabled, copier(FormattedTextEntry));
    menu->addSeparator();
    for (int g = 0; g < FormatGroupCount; ++g) {
        QMenu *group = menu->addMenu(ToQString(FormatGroupCaptions[g]));
        group->setToolTipsVisible(true);
        for (const OutputFormat format : FormatsIn(FormatGroup(g))) {
            const CopyAsEntry entry {format};
            addEntry(group, entry, source, enabled, copier(entry));
        }
    }
    menu->addSeparator();
    const CopyAsEntry asked {FormatNamed(u"font"), false, OwnTemplate {}};
    addEntry(menu, asked, source, enabled,
             [model = m_model, templates = m_templates, window = m_box->window()] {
                 AskForTemplate(model, templates, window);
             });
    return menu;
}

} // namespace huevane
