#include "htmloutput.h"

#include "mainwindow/gradientmodel.h"
#include "textview/textbox.h"
#include "mainwindow/valuefields.h"

#include <QClipboard>
#include <QGuiApplication>

namespace huevane {

HtmlOutput::HtmlOutput(TextBox *box, const GradientModel *model)
    : QObject(box)
    , m_box(box)
{
    new SelectAllOnFocus(box);
    box->setPlainText(model->output());
    connect(model, &GradientModel::outputChanged, box, &TextBox::setPlainText);
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
