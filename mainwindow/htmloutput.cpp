#include "htmloutput.h"

#include "mainwindow/valuefields.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>

namespace huevane {

HtmlOutput::HtmlOutput(QPlainTextEdit *box)
    : QObject(box)
    , m_box(box)
{
    new SelectAllOnFocus(box);
    connect(box, &QPlainTextEdit::textChanged, this, [this] { m_shown = false; });
}

void HtmlOutput::show(const QString &text)
{
    m_box->setPlainText(text);
    m_written = text;
    m_shown = true;
}

void HtmlOutput::showPlaceholder()
{
    show(HtmlPlaceholder.toString());
}

void HtmlOutput::sendToClipboard()
{
    QString text = m_box->toPlainText();
    if (m_shown)
        text = m_written; // exactly as written, with its CR LF line ends
    else
        text.replace(u'\n', QStringLiteral("\r\n"));
    if (text == HtmlPlaceholder)
        return;
    m_box->selectAll();
    m_box->setFocus(Qt::OtherFocusReason);
    // Copying an empty selection copies nothing: the clipboard keeps what it had.
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

} // namespace huevane
