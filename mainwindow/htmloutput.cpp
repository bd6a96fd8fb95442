#include "htmloutput.h"

#include "textview/textbox.h"
#include "mainwindow/valuefields.h"

#include <QClipboard>
#include <QGuiApplication>

namespace huevane {

HtmlOutput::HtmlOutput(TextBox *box)
    : QObject(box)
    , m_box(box)
{
    new SelectAllOnFocus(box);
}

void HtmlOutput::show(const QString &text)
{
    m_box->setPlainText(text);
}

void HtmlOutput::showPlaceholder()
{
    // Every change of the text or the colours comes here: the box is not laid
    // out again while it shows the placeholder already.
    if (m_box->toPlainText() != HtmlPlaceholder)
        show(HtmlPlaceholder.toString());
}

void HtmlOutput::sendToClipboard()
{
    const QString text = m_box->toPlainText();
    if (text == HtmlPlaceholder)
        return;
    m_box->selectAll();
    m_box->setFocus(Qt::OtherFocusReason);
    // Copying an empty selection copies nothing: the clipboard keeps what it had.
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

} // namespace huevane
