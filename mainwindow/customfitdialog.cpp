#include "customfitdialog.h"

#include "mainwindow/fieldlabel.h"
#include "mainwindow/gradientmodel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include <limits>

namespace huevane {

namespace {

// By LengthUnit.
constexpr Words UnitCaptions[LengthUnitCount] = {
    u"characters, as Minecraft and Discord count them (an emoji counts 2)",
    u"characters, each code point one (an emoji counts 1)",
    u"bytes of UTF-8, as IRC counts them (an emoji counts 4)"};

} // namespace

class CustomFitDialog::Private
{
public:
    QSpinBox *length = nullptr;
    QComboBox *unit = nullptr;
    QComboBox *lines = nullptr;
};

CustomFitDialog::CustomFitDialog(const LengthLimit &limit, QWidget *parent)
    : QDialog(parent)
    , d(std::make_unique<Private>())
{
    setWindowTitle(QStringLiteral("Fit to - Huevane"));
    d->length = new QSpinBox(this);
    d->length->setRange(1, std::numeric_limits<int>::max());
    d->length->setGroupSeparatorShown(true);
    d->unit = new QComboBox(this);
    for (Words caption : UnitCaptions)
        d->unit->addItem(ToQString(caption));
    d->lines = new QComboBox(this);
    d->lines->addItems({QStringLiteral("the whole output"), QStringLiteral("each line")});

    auto *form = new QFormLayout(this);
    const auto add = [&](const QString &text, QWidget *field) {
        form->addRow(FieldLabel(text, field), field);
    };
    add(QStringLiteral("&Limit:"), d->length);
    add(QStringLiteral("&Counting:"), d->unit);
    add(QStringLiteral("&Holds for:"), d->lines);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setLimit(limit);
}

CustomFitDialog::~CustomFitDialog() = default;

LengthLimit CustomFitDialog::limit() const
{
    return {d->length->value(),
            {LengthUnit(d->unit->currentIndex()), d->lines->currentIndex() == 1}};
}

void CustomFitDialog::setLimit(const LengthLimit &limit)
{
    d->length->setValue(int(std::min<qint64>(limit.length, d->length->maximum())));
    d->unit->setCurrentIndex(int(limit.measure.unit));
    d->lines->setCurrentIndex(limit.measure.perLine ? 1 : 0);
}

void AskForCustomFit(GradientModel *model, QWidget *parent)
{
    auto *dialog = new CustomFitDialog(model->customFit(), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    QObject::connect(dialog, &QDialog::accepted, model, [model, dialog] {
        model->setCustomFit(dialog->limit());
        model->setFit(CustomFit);
    });
    dialog->show();
}

} // namespace huevane
