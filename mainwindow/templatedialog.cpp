#include "templatedialog.h"

#include "engine/templatetext.h"
#include "mainwindow/copyfit.h"
#include "mainwindow/fieldlabel.h"
#include "mainwindow/gradientmodel.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>

namespace huevane {

namespace {

// What the dialog offers the first time: the colour of each character as CSS.
const TypedTemplate Example {QStringLiteral("<span style=\"color:#{hex}\">{c}</span>"),
                             QStringLiteral("<br>\\n"), TemplateEscape::Html};

constexpr Words EscapeCaptions[] = {u"not at all", u"for HTML (& < > \")",
                                    u"for XML (& < > \" ' and control characters)"};

} // namespace

class TemplateDialog::Private
{
public:
    CopySource source;
    RecentTemplates *templates;
    QComboBox *run = nullptr;
    QLineEdit *lineEnd = nullptr;
    QComboBox *escape = nullptr;
    QPlainTextEdit *preview = nullptr;
    QLabel *message = nullptr;
    QPushButton *copy = nullptr;
    QString fileProblem; // told until the template has one of its own
};

TemplateDialog::TemplateDialog(CopySource source, RecentTemplates *templates, QWidget *parent)
    : QDialog(parent)
    , d(std::make_unique<Private>())
{
    d->source = std::move(source);
    d->templates = templates;
    d->fileProblem = templates->takeProblem();
    setWindowTitle(QStringLiteral("Template - Huevane"));

    d->run = new QComboBox(this);
    d->run->setEditable(true);
    d->run->setInsertPolicy(QComboBox::NoInsert);
    d->run->setMinimumContentsLength(40);
    for (const TypedTemplate &typed : templates->templates())
        d->run->addItem(typed.run);
    d->lineEnd = new QLineEdit(this);
    d->escape = new QComboBox(this);
    for (Words words : EscapeCaptions)
        d->escape->addItem(ToQString(words));
    d->preview = new QPlainTextEdit(this);
    d->preview->setReadOnly(true);
    d->preview->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    d->preview->setFixedHeight(d->preview->fontMetrics().height() * 5);
    d->message = new QLabel(this);
    d->message->setWordWrap(true);

    auto *form = new QFormLayout(this);
    const auto add = [&](const QString &text, QWidget *field) {
        form->addRow(FieldLabel(text, field), field);
    };
    add(QStringLiteral("&Template:"), d->run);
    auto *hint =
        new QLabel(QStringLiteral("{c} the character, {hex} or {HEX} its colour, {r} {g} {b} "
                                  "its parts, {{ and }} braces"),
                   this);
    hint->setWordWrap(true);
    form->addRow(QString(), hint);
    add(QStringLiteral("&Line end:"), d->lineEnd);
    d->lineEnd->setToolTip(QStringLiteral("\\n, \\r, \\t and \\\\ stand for LF, CR, a tab and a "
                                          "backslash"));
    add(QStringLiteral("&Escape the text:"), d->escape);
    add(QStringLiteral("Pre&view of the first line:"), d->preview);
    d->message->setAccessibleName(QStringLiteral("Message"));
    form->addRow(d->message);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    d->copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::AcceptRole);
    d->copy->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &TemplateDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    showRecent(templates->templates().isEmpty() ? -1 : 0);
    connect(d->run, &QComboBox::activated, this, &TemplateDialog::showRecent);
    connect(d->run, &QComboBox::editTextChanged, this, &TemplateDialog::showPreview);
    connect(d->lineEnd, &QLineEdit::textChanged, this, &TemplateDialog::showPreview);
    connect(d->escape, &QComboBox::currentIndexChanged, this, &TemplateDialog::showPreview);
    showPreview();
}

TemplateDialog::~TemplateDialog() = default;

TypedTemplate TemplateDialog::typed() const
{
    return {d->run->currentText(), d->lineEnd->text(), TemplateEscape(d->escape->currentIndex())};
}

QString TemplateDialog::preview() const
{
    return d->preview->toPlainText();
}

QString TemplateDialog::message() const
{
    return d->message->text();
}

void TemplateDialog::setTyped(const TypedTemplate &typed)
{
    d->run->setEditText(typed.run);
    d->lineEnd->setText(typed.lineEnd);
    d->escape->setCurrentIndex(int(typed.escape));
}

bool TemplateDialog::canCopy() const
{
    return d->copy->isEnabled();
}

void TemplateDialog::showRecent(int index)
{
    setTyped(index < 0 ? Example : d->templates->templates().value(index));
}

void TemplateDialog::showPreview()
{
    const TypedTemplate typed = this->typed();
    const QString problem = OwnTemplateProblemText(typed.run);
    d->copy->setEnabled(problem.isEmpty() && !typed.run.isEmpty());
    d->message->setText(problem.isEmpty()
                            ? d->fileProblem
                            : QStringLiteral("The template cannot be read: ") + problem + u'.');
    const CopyAsEntry entry {FormatNamed(u"font"), false, typed.written()};
    d->preview->setPlainText(
        problem.isEmpty() ? FirstLineWritten(entry, d->source, PreviewCharacters) : QString());
}

void TemplateDialog::accept()
{
    if (!canCopy())
        return;
    const TypedTemplate typed = this->typed();
    const CopyAsEntry entry {FormatNamed(u"font"), false, typed.written()};
    QMimeData *data = CopyAsData(entry, d->source);
    // Nothing to copy is no problem to tell; output that cannot fit is, measured
    // again for the telling only.
    if (!data && d->source.fit) {
        const CopyLength measured = MeasureCopy(entry, d->source);
        if (!measured.fits) {
            d->message->setText(QStringLiteral("The text written with it cannot fit: ")
                                + LengthNote(measured, d->source.fit) + u'.');
            return;
        }
    }
    if (data)
        QGuiApplication::clipboard()->setMimeData(data);
    if (!d->templates->remember(typed)) {
        // The copy is made; the dialog stays to tell why the template is not kept.
        d->fileProblem = d->templates->takeProblem();
        d->message->setText(d->fileProblem);
        return;
    }
    QDialog::accept();
}

void AskForTemplate(const GradientModel *model, RecentTemplates *templates, QWidget *parent)
{
    auto *dialog = new TemplateDialog(CopySourceOf(*model), templates, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
}

} // namespace huevane
