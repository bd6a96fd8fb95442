#pragma once

#include "engine/fitting.h"

#include <QDialog>

#include <memory>

namespace huevane {

class GradientModel;

/// The dialog of 'Fit to' ▸ 'Custom…', titled "Fit to - Huevane": a limit (1 to
/// 2,147,483,647), what it counts (characters as UTF-16 code units, characters
/// as code points, or bytes of UTF-8) and whether it holds for the whole output
/// or for each of its lines.
class CustomFitDialog : public QDialog
{
    Q_OBJECT

public:
    /// Asks for a limit, its fields holding @p limit at first.
    explicit CustomFitDialog(const LengthLimit &limit, QWidget *parent = nullptr);
    ~CustomFitDialog() override;

    /// The limit as the fields hold it; setting it fills them.
    LengthLimit limit() const;
    void setLimit(const LengthLimit &limit);

private:
    class Private;
    std::unique_ptr<Private> const d;
};

/// Opens a CustomFitDialog with @p model's customFit(), modal, deleted when it
/// closes; 'OK' sets the model's customFit() to its limit and its fit() to
/// CustomFit, 'Cancel' leaves both as they were.
void AskForCustomFit(GradientModel *model, QWidget *parent);

} // namespace huevane
