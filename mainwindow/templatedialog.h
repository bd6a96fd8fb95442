#pragma once

#include "mainwindow/copyas.h"
#include "mainwindow/recenttemplates.h"

#include <QDialog>

#include <memory>

namespace huevane {

class GradientModel;

/// The dialog of 'Copy as' ▸ 'Template…', titled "Template - Huevane": asks for
/// a template of the user's own (the template, its line end and how {c} is
/// escaped), shows as it is typed the first line of the text written with it
/// (at most PreviewCharacters characters), and on 'Copy' puts the whole text
/// written with it on the clipboard, as 'Copy as' writes it (CopyAsData()), and
/// remembers it among the recent templates. When it cannot fit the source's
/// fit, the message line says so, and nothing is copied.
///
/// The template box lists the recent templates, most recent first; picking one
/// sets its line end and escape too. It starts with the most recent, or an
/// example when there is none. The line below the preview tells what is wrong
/// with the template ('Copy' is disabled then, as it is for no template), or,
/// once, what went wrong with the file of recent templates.
class TemplateDialog : public QDialog
{
    Q_OBJECT

public:
    /// The characters of the first line that the preview shows.
    static constexpr qsizetype PreviewCharacters = 200;

    /// Asks for a template to write @p source with, remembered in @p templates.
    TemplateDialog(CopySource source, RecentTemplates *templates, QWidget *parent = nullptr);
    ~TemplateDialog() override;

    /// The template as the dialog's fields hold it; setting it fills them.
    TypedTemplate typed() const;
    void setTyped(const TypedTemplate &typed);

    /// Whether 'Copy' is enabled: the template is there and can be read.
    bool canCopy() const;

    /// The preview's text; the message line's text.
    QString preview() const;
    QString message() const;

    /// Copies, remembers the template and closes, as 'Copy' does; nothing when
    /// 'Copy' is disabled.
    void accept() override;

private:
    void showPreview();
    void showRecent(int index);

    class Private;
    std::unique_ptr<Private> const d;
};

/// Opens a TemplateDialog for what @p model shows now, modal, deleted when it
/// closes.
void AskForTemplate(const GradientModel *model, RecentTemplates *templates, QWidget *parent);

} // namespace huevane
