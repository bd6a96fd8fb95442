// 'Copy as' in the output box's context menu: its entries, that a blank text
// leaves nothing to copy, and the formatted text as rich-text readers read it.

#include "mainwindow/copyas.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/textbox.h"
#include "tests/common/settings.h"

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
    void formattedTextKeepsSpacesAndLines_data();
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

void tst_CopyAs::formattedTextKeepsSpacesAndLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("plain"); // the text as pasted, either way
    QTest::newRow("runs of spaces") << "a   b  c"
                                    << "a   b  c";
    QTest::newRow("leading tabs, CR LF") << "\t\tone\r\n\t two"
                                         << "\t\tone\n\t two";
    QTest::newRow("empty line, trailing spaces") << "x  \r\n\r\n  y "
                                                 << "x  \n\n  y ";
    QTest::newRow("markup") << "<b> &\r\n</b>"
                            << "<b> &\n</b>";
}

// Pasted as rich text, runs of spaces and leading tabs collapsed into one space
// and the plain text ended its lines in CR LF. Qt's own rich-text reader stands
// in for the word processor that reads the HTML.
void tst_CopyAs::formattedTextKeepsSpacesAndLines()
{
    QFETCH(QString, text);
    QFETCH(QString, plain);
    const GradientSettings settings = test::Coloured(text);
    const std::unique_ptr<QMimeData> data(
        CopyAsData(CopyAsEntry::FormattedText, {settings, settings.charColours}));
    QVERIFY(data);
    QCOMPARE(data->text(), plain);

    QTextDocument document;
    document.setHtml(data->html());
    QCOMPARE(document.toPlainText(), plain);
    // Still in colour: the first and the last character in their own.
    const auto colourAt = [&document](int position) {
        QTextCursor cursor(&document);
        cursor.setPosition(position + 1);
        return cursor.charFormat().foreground().color();
    };
    const CharColour first = settings.charColours.first();
    const CharColour last = settings.charColours.last();
    QCOMPARE(colourAt(0), QColor(first.red, first.green, first.blue));
    QCOMPARE(colourAt(int(plain.size()) - 1), QColor(last.red, last.green, last.blue));
}

QTEST_MAIN(tst_CopyAs)
#include "tst_copyas.moc"
