// The output box's context menu: the styles kept in the model, 'Copy as' with
// its entries disabled where they cannot write a checked style (their tooltips
// say why) or there is nothing to copy, the formatted text as rich-text readers
// read it, and 'Template…' with its preview and its recent templates.

#include "mainwindow/copyas.h"
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

QTEST_MAIN(tst_CopyAs)
#include "tst_copyas.moc"
