// 'Copy as' in the output box's context menu: its entries, that a blank text
// leaves nothing to copy, and the formatted text as rich-text readers read it.

#include "mainwindow/copyas.h"
#include "mainwindow/mainwindow.h"
#include "tests/common/settings.h"
#include "textview/textbox.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace huevane;

namespace {

// Opens the context menu of @p box as the right button does; returns its
// 'Copy as' submenu.
QMenu *OpenCopyAs(TextBox *box)
{
    emit box->customContextMenuRequested(QPoint(4, 4));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu || menu->actions().isEmpty())
        return nullptr;
    return menu->actions().constLast()->menu();
}

} // namespace

class tst_CopyAs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contextMenu();
    void formattedTextKeepsSpacesAndLines();
};

void tst_CopyAs::contextMenu()
{
    MainWindow window;
    auto *text = window.findChild<TextBox *>(QStringLiteral("txtString"));
    auto *box = window.findChild<TextBox *>(QStringLiteral("txtHTML"));
    QVERIFY(text && box);
    text->setPlainText(QStringLiteral("a<\n"));

    // The submenu, last in the box's menu, with one entry a format.
    QMenu *copyAs = OpenCopyAs(box);
    QVERIFY(copyAs);
    QCOMPARE(copyAs->title(), QStringLiteral("Copy as"));
    QStringList captions;
    for (const QAction *action : copyAs->actions()) {
        QVERIFY(action->isEnabled());
        captions.append(action->text());
    }
    QCOMPARE(captions,
             QStringList({"HTML with span tags", "BBCode", "Terminal (24-bit)",
                          "Terminal (256 colours)", "Minecraft (&&#)", "Minecraft (\u00A7)",
                          "MiniMessage", "Minecraft JSON", "Formatted text"}));

    // Copying leaves the output box as it was, its placeholder shown. (What each entry
    // copies is checked on a real clipboard, against huevane-html's output.)
    copyAs->actions().constLast()->trigger();
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasHtml());
    QCOMPARE(box->toPlainText(), HtmlPlaceholder);
    copyAs->parentWidget()->close();

    // A blank text: every entry disabled, and the clipboard keeps what it had.
    text->setPlainText(QStringLiteral("   "));
    copyAs = OpenCopyAs(box);
    QVERIFY(copyAs);
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    for (QAction *action : copyAs->actions()) {
        QVERIFY(!action->isEnabled());
        action->trigger();
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
        CopyAsData(CopyAsEntry::FormattedText, {settings, coloured.colours}));
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

QTEST_MAIN(tst_CopyAs)
#include "tst_copyas.moc"
