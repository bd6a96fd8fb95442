#include "engine/charcolours.h"
#include "engine/htmlwriter.h"
#include "hotcommand/hotcommand.h"
#include "mainwindow/mainwindow.h"
#include "platform/drawingsurface.h"
#include "windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace huevane;
using huevane::test::Window;

namespace {

const QString Untouched = QStringLiteral("on the clipboard before");

bool AllSelected(QPlainTextEdit *box)
{
    const QTextCursor cursor = box->textCursor();
    return cursor.anchor() == 0 && cursor.position() == box->document()->characterCount() - 1;
}

// A window, with the clipboard holding a text of its own before.
struct ClipboardWindow : Window
{
    ClipboardWindow() { QApplication::clipboard()->setText(Untouched); }
};

QString Clipboard()
{
    return QApplication::clipboard()->text();
}

} // namespace

class TestClipboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingToSendBeforeGenerate_data();
    void nothingToSendBeforeGenerate();
    void sendsTheGeneratedHtml_data();
    void sendsTheGeneratedHtml();
    void emptyOutputCopiesNothing();
    void outputOtherThanThePlaceholderIsSent_data();
    void outputOtherThanThePlaceholderIsSent();
    void textBoxesSelectAllOnFocus_data();
    void textBoxesSelectAllOnFocus();
};

void TestClipboard::nothingToSendBeforeGenerate_data()
{
    QTest::addColumn<QString>("change"); // what brought the placeholder back

    // What brings the placeholder back is tested with the window; here, that it
    // holds back the clipboard whether shown first or again.
    QTest::newRow("start-up") << "";
    QTest::newRow("text edited after 'Generate'") << "text";
}

void TestClipboard::nothingToSendBeforeGenerate()
{
    QFETCH(QString, change);
    ClipboardWindow w;
    if (!change.isEmpty())
        w.click("lblGenerate");
    if (change == "text") {
        w.text()->setFocus();
        QTest::keyClicks(w.text(), QStringLiteral("x"));
    }
    QCOMPARE(w.html()->toPlainText(), HtmlPlaceholder);

    w.click("lblClipboard");
    QCOMPARE(Clipboard(), Untouched);
    QCOMPARE(w.html()->textCursor().hasSelection(), false);
    QVERIFY(QApplication::focusWidget() != w.html());
}

void TestClipboard::sendsTheGeneratedHtml_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("clicks");

    QTest::newRow("sample text") << MainWindow::SampleText << QStringList();
    QTest::newRow("upper-case tags, per line, type 3")
        << MainWindow::SampleText << QStringList {"lblUpTags", "lblPerLine", "Option1(2)"};
    QTest::newRow("one line, no quotes") << QStringLiteral("Hello") << QStringList {"chkJSQuote"};
    QTest::newRow("empty lines and marks")
        << QStringLiteral("\r\n\u00e9t\u00e9 \U0001F600\r\n\r\nend") << QStringList();
}

void TestClipboard::sendsTheGeneratedHtml()
{
    QFETCH(QString, text);
    QFETCH(QStringList, clicks);
    ClipboardWindow w;
    w.text()->setPlainText(text);
    for (const QString &name : clicks)
        w.click(name);
    w.click("lblGenerate");

    // Exactly what the writer gives for the window's record, CR LF line ends and all.
    const QString expected = GenerateHtml(w.window.settings());
    QVERIFY(expected.contains(QStringLiteral("<br>\r\n"))
            || expected.contains(QStringLiteral("<BR>\r\n")));
    w.click("lblClipboard");
    QCOMPARE(Clipboard(), expected);
    QCOMPARE(QApplication::focusWidget(), w.html());
    QVERIFY(AllSelected(w.html()));

    // Sending again sends the same.
    QApplication::clipboard()->setText(Untouched);
    w.click("lblClipboard");
    QCOMPARE(Clipboard(), expected);
}

void TestClipboard::emptyOutputCopiesNothing()
{
    ClipboardWindow w;
    w.text()->setPlainText(QStringLiteral("   "));
    w.click("lblGenerate");
    QCOMPARE(w.html()->toPlainText(), QString());
    w.click("lblClipboard");
    QCOMPARE(QApplication::focusWidget(), w.html());
    QCOMPARE(Clipboard(), Untouched);
}

void TestClipboard::outputOtherThanThePlaceholderIsSent_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("sent");

    const QString placeholder = HtmlPlaceholder.toString();
    QTest::newRow("placeholder in other case") << placeholder.toUpper() << placeholder.toUpper();
    QTest::newRow("placeholder and a blank") << placeholder + " " << placeholder + " ";
    QTest::newRow("two lines") << QStringLiteral("a\nb") << QStringLiteral("a\r\nb");
}

void TestClipboard::outputOtherThanThePlaceholderIsSent()
{
    QFETCH(QString, output);
    QFETCH(QString, sent);
    ClipboardWindow w;
    w.html()->setPlainText(output);
    w.click("lblClipboard");
    QCOMPARE(Clipboard(), sent);
    QVERIFY(AllSelected(w.html()));
}

void TestClipboard::textBoxesSelectAllOnFocus_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("click");

    // How the boxes select all is tested with the fields; here, that both do.
    QTest::newRow("txtString by tab") << "txtString"
                                      << "cmdExit" << false;
    QTest::newRow("txtHTML by click") << "txtHTML"
                                      << "txtString" << true;
}

void TestClipboard::textBoxesSelectAllOnFocus()
{
    QFETCH(QString, box);
    QFETCH(QString, from);
    QFETCH(bool, click);
    ClipboardWindow w;
    w.click("lblGenerate");
    auto *edit = w.get<QPlainTextEdit>(box);
    QWidget *start = w.get(from);
    if (auto *button = qobject_cast<HotCommand *>(start))
        start = button->picButton();
    start->setFocus();
    QCOMPARE(QApplication::focusWidget(), start);

    if (click) {
        QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, QPoint(30, 8));
    } else {
        QTest::keyClick(start, Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), edit);
    QVERIFY(AllSelected(edit));
    QVERIFY(!edit->toPlainText().isEmpty());
}

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
