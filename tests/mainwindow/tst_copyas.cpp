// The output box's context menu: the styles kept in the model, 'Copy as' with
// its entries disabled where they cannot write a checked style (their tooltips
// say why) or there is nothing to copy, the formatted text as rich-text readers
// read it, and 'Template…' with its preview and its recent templates.

#include "engine/colourgroups.h"
#include "mainwindow/copyas.h"
#include "mainwindow/copyfit.h"
#include "mainwindow/customfitdialog.h"
#include "mainwindow/fitpreview.h"
#include "mainwindow/gradientmodel.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/templatedialog.h"
#include "platform/drawingsurface.h"
#include "tests/common/settings.h"
#include "textview/textbox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>

using namespace huevane;

namespace {

// Opens the context menu of @p box as the right button does.
QMenu *OpenMenu(TextBox *box)
{
    emit box->customContextMenuRequested(QPoint(4, 4));
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

// The entries of @p menu and of its submenus, by their captions.
QHash<QString, QAction *> Entries(QMenu *menu)
{
    QHash<QString, QAction *> entries;
    for (QAction *action : menu->actions()) {
        if (action->menu())
            entries.insert(Entries(action->menu()));
        else if (!action->isSeparator())
            entries.insert(action->text().remove(u'&'), action);
    }
    return entries;
}

// The colours of @p colours, to compare.
QList<quint32> Rgb(const QList<CharColour> &colours)
{
    QList<quint32> rgb;
    for (const CharColour &c : colours)
        rgb.append(quint32(c.red) << 16 | quint32(c.green) << 8 | c.blue);
    return rgb;
}

} // namespace

class tst_CopyAs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void stylesDisableEntries_data();
    void stylesDisableEntries();
    void nothingToCopy();
    void formattedTextKeepsSpacesAndLines();
    void templatePreview_data();
    void templatePreview();
    void templatesRemembered();
    void lengthsInCaptions_data();
    void lengthsInCaptions();
    void previewShowsWhatIsCopied();
    void customFit();

private:
    QTemporaryDir m_config;
};

void tst_CopyAs::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
}

void tst_CopyAs::stylesDisableEntries_data()
{
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<int>("styles");
    QTest::addColumn<bool>("noQuotes");
    // An entry's caption, then its tooltip: empty where it is enabled.
    QTest::addColumn<QStringList>("entries");
    const auto row = [](const char *name, QStringList checked, int styles, bool noQuotes,
                        QStringList entries) {
        QTest::newRow(name) << checked << styles << noQuotes << entries;
    };
    row("bold", {"Bold"}, StyleBit(Style::Bold), false,
        {"Godot", "", "Formatted text", "", "Terraria", "Terraria has no markup for bold.",
         "Template\u2026", "A template has no place for styles."});
    row("italic and obfuscated", {"Italic", "Obfuscated"},
        StyleBit(Style::Italic) | StyleBit(Style::Obfuscated), false,
        {"MiniMessage", "", "Discord (ANSI code block)",
         "Discord (ANSI code block) has no markup for italic.", "Formatted text",
         "Only Minecraft's formats write obfuscated text."});
    row("both lines, without quotes", {"Underline", "Strikethrough"},
        StyleBit(Style::Underline) | StyleBit(Style::Strikethrough), true,
        {"HTML with span tags",
         "Without quotes HTML with span tags cannot hold underline and strikethrough together.",
         "Formatted text", "", "SVG picture", ""});
}

// Checked in the menu, a style is the model's and the text preview shows it;
// each entry says whether it can write the styles, and the menu shows why not
// when the pointer rests on it.
void tst_CopyAs::stylesDisableEntries()
{
    QFETCH(QStringList, checked);
    QFETCH(int, styles);
    QFETCH(bool, noQuotes);
    QFETCH(QStringList, entries);
    MainWindow window;
    auto *box = window.findChild<TextBox *>(QStringLiteral("txtHTML"));
    window.model().setNoQuotes(noQuotes);
    auto *preview = window.findChild<DrawingSurface *>(QStringLiteral("picGradText"));
    const QImage plain = preview->image();
    for (const QString &style : checked) {
        QMenu *menu = OpenMenu(box);
        Entries(menu).value(style)->trigger();
        menu->close();
    }
    QCOMPARE(window.model().styles(), styles);
    QVERIFY(preview->image() != plain);

    QMenu *menu = OpenMenu(box);
    const QHash<QString, QAction *> all = Entries(menu);
    QAction *refused = nullptr;
    for (qsizetype i = 0; i < entries.size(); i += 2) {
        QAction *entry = all.value(entries[i]);
        QVERIFY2(entry, qPrintable(entries[i]));
        QCOMPARE(entry->isEnabled(), entries[i + 1].isEmpty());
        if (!entry->isEnabled())
            QCOMPARE(entry->toolTip(), entries[i + 1]);
        if (!refused && !entry->isEnabled())
            refused = entry;
    }
    auto *holder = qobject_cast<QMenu *>(refused->parent());
    holder->popup(QPoint());
    const QPoint at = holder->actionGeometry(refused).center();
    QHelpEvent help(QEvent::ToolTip, at, holder->mapToGlobal(at));
    QApplication::sendEvent(holder, &help);
    QTRY_COMPARE(QToolTip::text(), refused->toolTip());
    menu->close();
}

// A blank text: every entry disabled, and the clipboard keeps what it had.
void tst_CopyAs::nothingToCopy()
{
    MainWindow window;
    window.findChild<TextBox *>(QStringLiteral("txtString"))->setPlainText(QStringLiteral("   "));
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    QMenu *menu = OpenMenu(window.findChild<TextBox *>(QStringLiteral("txtHTML")));
    const QList<QAction *> entries = Entries(menu->actions().constLast()->menu()).values();
    QCOMPARE(entries.size(), FormatCount + 2);
    for (QAction *entry : entries) {
        QVERIFY(!entry->isEnabled());
        entry->trigger();
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

// Pasted as rich text, runs of spaces and leading tabs collapsed into one space,
// and the plain text ended its lines in CR LF. Qt's own rich-text reader stands in
// for the word processor that reads the HTML: it reads the text as the plain text
// gives it, LF between lines, and in colour.
void tst_CopyAs::formattedTextKeepsSpacesAndLines()
{
    const test::ColouredText coloured =
        test::Coloured("a   b  c\r\n\t\tone\r\n\r\n\t two \r\n<b> &</b>");
    GradientSettings settings;
    settings.text = coloured.text;
    const std::unique_ptr<QMimeData> data(
        CopyAsData(FormattedTextEntry, {settings, coloured.colours}));
    const QString plain = QStringLiteral("a   b  c\n\t\tone\n\n\t two \n<b> &</b>");
    QCOMPARE(data->text(), plain);
    QTextDocument document;
    document.setHtml(data->html());
    QCOMPARE(document.toPlainText(), plain);
    for (const auto &[at, colour] : {std::pair {qsizetype(1), coloured.colours.first()},
                                     std::pair {plain.size(), coloured.colours.last()}}) {
        QTextCursor cursor(&document);
        cursor.setPosition(int(at));
        QCOMPARE(cursor.charFormat().foreground().color(),
                 QColor(colour.red, colour.green, colour.blue));
    }
}

void tst_CopyAs::templatePreview_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TypedTemplate>("typed");
    QTest::addColumn<QString>("problem"); // empty where the template is good
    QTest::newRow("escaped, runs merged")
        << "a<<b\r\nsecond" << TypedTemplate {"[{HEX}]{c}", "\\t|\\n", TemplateEscape::Html} << "";
    QTest::newRow("first line of spaces")
        << "  \r\nab" << TypedTemplate {"<{r},{g},{b}>{c}", "\\\\", TemplateEscape::None} << "";
    QTest::newRow("long first line cut")
        << QString(300, u'x') + "\nab" << TypedTemplate {"{hex}{c}", "", TemplateEscape::Xml} << "";
    QTest::newRow("unknown placeholder")
        << "ab" << TypedTemplate {"<{x}>{c}"}
        << "'{x}' at character 2 is not a placeholder: give {c}, {hex}, {HEX}, {r}, {g} or {b}, "
           "and {{ for a brace";
    QTest::newRow("brace not closed")
        << "ab" << TypedTemplate {"{c}{"}
        << "the '{' at character 4 is not closed (write {{ for a brace)";
}

// The preview is the start of what 'Copy' copies: the first line with its line
// end, cut at its 200th character; 'Copy' copies and remembers the template.
void tst_CopyAs::templatePreview()
{
    QFETCH(QString, text);
    QFETCH(TypedTemplate, typed);
    QFETCH(QString, problem);
    GradientModel model;
    model.setText(text);
    const QString path = m_config.filePath(QTest::currentDataTag());
    RecentTemplates templates(path);
    TemplateDialog dialog(CopySourceOf(model), &templates);
    dialog.setTyped(typed);
    QCOMPARE(dialog.typed(), typed);
    QCOMPARE(dialog.canCopy(), problem.isEmpty());
    if (!problem.isEmpty()) {
        QCOMPARE(dialog.message(), "The template cannot be read: " + problem + ".");
        QCOMPARE(dialog.preview(), QString());
        return;
    }
    const std::unique_ptr<QMimeData> whole(
        CopyAsData({FormatNamed(u"font"), false, typed.written()}, CopySourceOf(model)));
    const QString preview = dialog.preview();
    QCOMPARE(preview, whole->text().left(preview.size()));
    QVERIFY(preview.endsWith(typed.written().lineEnd));
    const QString firstLine = model.preparedText().lineText(0).left(200).toString();
    QCOMPARE(preview.count(firstLine.back()), firstLine.count(firstLine.back()));

    dialog.accept();
    QCOMPARE(QGuiApplication::clipboard()->text(), whole->text());
    QCOMPARE(RecentTemplates(path).templates(), QList<TypedTemplate> {typed});
}

// The last five, most recent first, read again at the next start; picking one
// sets its line end and escape. A damaged file is told once and kept aside; one
// that cannot be written is told, the text copied all the same.
void tst_CopyAs::templatesRemembered()
{
    const QString path = m_config.filePath("recent.conf");
    QFile damaged(path);
    QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("[templates\nsize=1\n") > 0);
    damaged.close();
    RecentTemplates templates(path);
    GradientModel model;
    QVERIFY(
        TemplateDialog(CopySourceOf(model), &templates).message().contains(path + " are damaged"));
    QCOMPARE(TemplateDialog(CopySourceOf(model), &templates).message(), QString());

    for (const char *run : {"0{c}", "1{c}", "2{c}", "3{c}", "4{c}", "5{c}", "6{c}", "3{c}"})
        QVERIFY(templates.remember({run, "\\n", TemplateEscape(run[0] % 3)}));
    QVERIFY(QFile::exists(path + ".damaged"));
    RecentTemplates reread(path);
    QStringList runs;
    for (const TypedTemplate &typed : reread.templates())
        runs << typed.run;
    QCOMPARE(runs, QStringList({"3{c}", "6{c}", "5{c}", "4{c}", "2{c}"}));
    TemplateDialog picked(CopySourceOf(model), &reread);
    emit picked.findChild<QComboBox *>()->activated(1);
    QCOMPARE(picked.typed(), (TypedTemplate {"6{c}", "\\n", TemplateEscape::None}));

    QGuiApplication::clipboard()->clear();
    RecentTemplates unwritable(path + "/templates.conf");
    TemplateDialog refused(CopySourceOf(model), &unwritable);
    refused.show();
    refused.accept();
    QVERIFY(refused.isVisible());
    QVERIFY(refused.message().startsWith("The template cannot be remembered"));
    QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());
}

void tst_CopyAs::lengthsInCaptions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fit");
    QTest::addColumn<LengthLimit>("custom");
    QTest::addColumn<QString>("caption"); // the entry's caption before its length
    QTest::addColumn<QString>("shown");   // disabled where it begins with "!"
    const QString emoji = QStringLiteral("\U0001F600");
    const LengthLimit none {1};
    // <#rrggbb>, the emoji and a line feed; <span foreground="#rrggbb">, the emoji,
    // </span> and a line feed; ^CNN, the emoji, ^O and a line feed.
    QTest::newRow("emoji, 2 in UTF-16") << emoji << NoFit << none << "MiniMessage"
                                        << "MiniMessage (12 characters)";
    QTest::newRow("emoji, 1 code point") << emoji << NoFit << none << "Pango markup"
                                         << "Pango markup (36 characters)";
    QTest::newRow("emoji, 4 bytes") << emoji << NoFit << none << "IRC (mIRC colours)"
                                    << "IRC (mIRC colours) (9 bytes)";
    QTest::newRow("grouped digits") << QString(1234, u'x') << NoFit << none << "Formatted text"
                                    << "Formatted text (1,234 characters)";
    QTest::newRow("fits a line") << emoji << 3 << none << "MiniMessage"
                                 << "MiniMessage (lines up to 13 bytes)";
    QTest::newRow("too long") << QString(60, u'x') << 1 << none << "MiniMessage"
                              << "!MiniMessage (too long: 70 of 50 characters)";
    QTest::newRow("formatted text too long") << QString(60, u'x') << 1 << none << "Formatted text"
                                             << "!Formatted text (too long: 60 of 50 characters)";
    QTest::newRow("custom, a line too long")
        << emoji + "\nab" << CustomFit << LengthLimit {10, {LengthUnit::Bytes, true}}
        << "MiniMessage"
        << "!MiniMessage (too long: a line of 13 of 10 bytes)";
}

// Measured only as its menu shows: what an entry copies, in its format's unit
// or the fit's; the copy as long as the caption says.
void tst_CopyAs::lengthsInCaptions()
{
    QFETCH(QString, text);
    QFETCH(int, fit);
    QFETCH(LengthLimit, custom);
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    MainWindow window;
    window.model().setText(text);
    window.model().setCustomFit(custom);
    window.model().setFit(fit);
    QMenu *menu = OpenMenu(window.findChild<TextBox *>(QStringLiteral("txtHTML")));
    QAction *entry = Entries(menu).value(caption);
    QVERIFY(entry);
    QCOMPARE(entry->text().remove(u'&'), caption);
    emit qobject_cast<QMenu *>(entry->parent())->aboutToShow();
    QCOMPARE(entry->text().remove(u'&'), QString(shown).remove(u'!'));
    QCOMPARE(entry->isEnabled(), !shown.startsWith(u'!'));
    if (!entry->isEnabled())
        return;
    entry->trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    const auto *units = reinterpret_cast<const char16_t *>(copied.utf16());
    const LengthUnit unit = shown.contains("bytes") ? LengthUnit::Bytes
        : caption == "MiniMessage"                  ? LengthUnit::Utf16
                                                    : LengthUnit::CodePoints;
    const bool perLine = shown.contains("lines");
    const qsizetype end = perLine ? copied.indexOf(u'\n') : copied.size();
    QVERIFY(shown.contains(LengthInWords(LengthIn(unit, units, units + end), unit)));
}

// What you see is what you copy: while a fit is on, the preview is drawn in
// colours that, written, are what the entry last copied puts on the clipboard;
// without a fit it shows every colour again.
void tst_CopyAs::previewShowsWhatIsCopied()
{
    MainWindow window;
    GradientModel &model = window.model();
    const FitPreview &preview = window.fitPreview();
    auto *surface = window.findChild<DrawingSurface *>(QStringLiteral("picGradText"));
    const QImage everyColour = surface->image();
    model.setFit(0);
    QVERIFY(preview.k() > 1);
    QVERIFY(surface->image() != everyColour);
    QMenu *menu = OpenMenu(window.findChild<TextBox *>(QStringLiteral("txtHTML")));
    const QHash<QString, QAction *> entries = Entries(menu);
    QList<qint32> ks;
    for (const char *caption : {"Minecraft JSON", "MiniMessage", "Formatted text"}) {
        entries.value(caption)->trigger();
        ks.append(preview.k());
        QCOMPARE(Rgb(preview.colours()),
                 Rgb(GroupedColours(model.preparedText(), model.colours(), preview.k())));
        const CopySource source = CopySourceOf(model);
        QCOMPARE(
            QGuiApplication::clipboard()->text(),
            FormattedText(source.settings.text, preview.colours(),
                          CopyAsOptions(preview.entry(), source))
                    .left(preview.entry().formattedText ? 0 : -1)
                + (preview.entry().formattedText ? model.text().replace("\r\n", "\n") : QString()));
    }
    QVERIFY(ks[0] > ks[1] && ks[2] == 1); // JSON's codes are longer; rich text keeps them all
    model.setFit(NoFit);
    entries.value("MiniMessage")->trigger();
    QCOMPARE(Rgb(preview.colours()), Rgb(model.colours()));
    QCOMPARE(surface->image(), everyColour);
    menu->close();
}

// 'Custom…' asks with the last limit of the session, its fields named; 'OK'
// takes the fields' limit and checks it in 'Fit to', 'Cancel' leaves the fit.
void tst_CopyAs::customFit()
{
    MainWindow window;
    GradientModel &model = window.model();
    auto *box = window.findChild<TextBox *>(QStringLiteral("txtHTML"));
    const auto pick = [&](const QString &caption) {
        QMenu *menu = OpenMenu(box);
        QMenu *fitTo = menu->actions().value(menu->actions().size() - 2)->menu();
        QAction *choice = Entries(fitTo).value(caption);
        choice->trigger();
        menu->close();
        return qobject_cast<CustomFitDialog *>(QApplication::activeModalWidget());
    };
    CustomFitDialog *dialog = pick(QStringLiteral("Custom\u2026"));
    QVERIFY(dialog);
    QCOMPARE(dialog->limit(), model.customFit());
    const QList<QComboBox *> combos = dialog->findChildren<QComboBox *>();
    for (QWidget *field : {static_cast<QWidget *>(dialog->findChild<QSpinBox *>()),
                           static_cast<QWidget *>(combos[0]), static_cast<QWidget *>(combos[1])})
        QVERIFY(!field->accessibleName().isEmpty());
    dialog->findChild<QSpinBox *>()->setValue(40);
    combos[1]->setCurrentIndex(1);
    QTest::keyClick(dialog, Qt::Key_Return);
    const LengthLimit chosen {40, {LengthUnit::Utf16, true}};
    QCOMPARE(model.fit(), CustomFit);
    QCOMPARE(model.fitLimit(), chosen);
    pick(QStringLiteral("IRC line (400 bytes a line)"));
    QCOMPARE(model.fit(), 3);
    QVERIFY(Entries(OpenMenu(box)).value("IRC line (400 bytes a line)")->isChecked());
    QApplication::activePopupWidget()->close();
    dialog = pick(QStringLiteral("Custom\u2026"));
    QCOMPARE(dialog->limit(), chosen);
    dialog->reject();
    QCOMPARE(model.fit(), 3);
}

QTEST_MAIN(tst_CopyAs)
#include "tst_copyas.moc"
