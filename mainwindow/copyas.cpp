#include "copyas.h"

#include "engine/colour.h"
#include "engine/colourgroups.h"
#include "engine/lineends.h"
#include "mainwindow/copyfit.h"
#include "mainwindow/customfitdialog.h"
#include "mainwindow/gradientmodel.h"
#include "mainwindow/templatedialog.h"

#include <QAbstractScrollArea>
#include <QActionGroup>
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

void copy(const CopyAsEntry &entry, const CopySource &source)
{
    if (QMimeData *data = CopyAsData(entry, source))
        QGuiApplication::clipboard()->setMimeData(data);
}

// A disabled entry says why in its tooltip, which the menu shows.
QAction *addEntry(QMenu *menu, const CopyAsEntry &entry, const CopySource &source, bool enabled,
                  const std::function<void()> &picked)
{
    QAction *action = menu->addAction(CopyAsCaption(entry), menu, picked);
    const QString refusal = CopyAsRefusal(entry, source);
    action->setEnabled(enabled && refusal.isEmpty());
    action->setToolTip(refusal);
    return action;
}

using MeasuredEntries = QList<std::pair<QAction *, CopyAsEntry>>;

// Measuring a format costs a few passes over the text, so only the entries of a
// menu that is shown are measured, once, and only those that can copy.
void measureWhenShown(QMenu *menu, const MeasuredEntries &entries, const CopySource &source)
{
    QObject::connect(
        menu, &QMenu::aboutToShow, menu,
        [entries, source] {
            for (const auto &[action, entry] : entries) {
                if (!action->isEnabled())
                    continue;
                const CopyLength measured = MeasureCopy(entry, source);
                action->setText(CopyAsCaption(entry) + QStringLiteral(" (")
                                + LengthNote(measured, source.fit) + u')');
                action->setEnabled(measured.fits);
                if (measured.fits && measured.k > 1)
                    action->setToolTip(
                        QStringLiteral("A colour every %1 characters, to fit").arg(measured.k));
            }
        },
        Qt::SingleShotConnection);
}

// The caption with an & before its first letter that no caption before it took,
// at the start of a word if it can be.
QString withMnemonic(const QString &caption, QString &taken)
{
    for (const bool wordStart : {true, false}) {
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar c = caption[i].toLower();
            if (!c.isLetter() || taken.contains(c)
                || (wordStart && i > 0 && caption[i - 1] != u' '))
                continue;
            taken.append(c);
            return QString(caption).insert(i, u'&');
        }
    }
    return caption;
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
    return {model.settings(), model.colours(), model.styles(), model.fitLimit()};
}

bool HasSomethingToCopy(const CopySource &source)
{
    return !IsBlankText(source.settings.text.text())
        && source.colours.size() == source.settings.text.totalChars();
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
    if (!HasSomethingToCopy(source))
        return nullptr;
    qint32 k = 1;
    if (source.fit) {
        const CopyLength measured = MeasureCopy(entry, source);
        if (!measured.fits)
            return nullptr;
        k = measured.k;
    }
    const PreparedText &text = source.settings.text;
    const QString written =
        FormattedText(text, GroupedColours(text, source.colours, k), CopyAsOptions(entry, source));
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
    if (!HasSomethingToCopy(source))
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

QMenu *CopyAsMenu::createContextMenu()
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
    menu->addMenu(createFitMenu(menu));
    menu->addMenu(createCopyAsMenu(menu));
    return menu;
}

QMenu *CopyAsMenu::createFitMenu(QWidget *parent) const
{
    auto *menu = new QMenu(QStringLiteral("&Fit to"), parent);
    auto *choices = new QActionGroup(menu);
    QString taken = QStringLiteral("nc"); // None and Custom
    const auto add = [&](const QString &caption, int fit, const std::function<void()> &picked) {
        QAction *action = menu->addAction(caption, menu, picked);
        action->setCheckable(true);
        action->setChecked(m_model->fit() == fit);
        choices->addAction(action);
    };
    GradientModel *model = m_model;
    add(QStringLiteral("&None"), NoFit, [model] { model->setFit(NoFit); });
    menu->addSeparator();
    for (int t = 0; t < CustomFit; ++t) {
        const FitTarget &target = FitTargets[t];
        add(withMnemonic(ToQString(target.caption), taken) + QStringLiteral(" (")
                + LimitInWords(target.limit) + u')',
            t, [model, t] { model->setFit(t); });
    }
    menu->addSeparator();
    add(QStringLiteral("&Custom\u2026"), CustomFit,
        [model, window = m_box->window()] { AskForCustomFit(model, window); });
    return menu;
}

QMenu *CopyAsMenu::createCopyAsMenu(QWidget *parent)
{
    auto *menu = new QMenu(QStringLiteral("Copy &as"), parent);
    menu->setToolTipsVisible(true);
    const CopySource source = CopySourceOf(*m_model);
    const bool enabled = HasSomethingToCopy(source);
    const auto copier = [self = this](const CopyAsEntry &entry) {
        return [self, entry] {
            copy(entry, CopySourceOf(*self->m_model));
            Q_EMIT self->copied(entry);
        };
    };

    QAction *formatted =
        addEntry(menu, FormattedTextEntry, source, enabled, copier(FormattedTextEntry));
    measureWhenShown(menu, {{formatted, FormattedTextEntry}}, source);
    menu->addSeparator();
    for (int g = 0; g < FormatGroupCount; ++g) {
        QMenu *group = menu->addMenu(ToQString(FormatGroupCaptions[g]));
        group->setToolTipsVisible(true);
        MeasuredEntries entries;
        for (const OutputFormat format : FormatsIn(FormatGroup(g))) {
            const CopyAsEntry entry {format};
            entries.append({addEntry(group, entry, source, enabled, copier(entry)), entry});
        }
        measureWhenShown(group, entries, source);
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
