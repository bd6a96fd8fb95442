#pragma once

#include "engine/charcolour.h"
#include "mainwindow/copyas.h"

#include <QList>
#include <QObject>

namespace huevane {

class GradientModel;

/// The colours the text preview shows, so that it shows what 'Copy as' copies:
/// the model's colours, or while 'Fit to' is on, those colours grouped as the
/// fit groups them for the entry last copied from 'Copy as' (MiniMessage until
/// one is copied). Worked out again whenever what the fit depends on changes: the
/// colours drawn, the styles, the tag options, the fit and the entry.
class FitPreview : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qint32 k READ k NOTIFY changed)

public:
    /// Follows @p model, which owns it.
    explicit FitPreview(GradientModel *model);
    ~FitPreview() override;

    /// What the text preview draws: one entry for every character, or none as the
    /// model's colours() hold none.
    const QList<CharColour> &colours() const;

    /// The characters in a row that share a colour in colours(); 1 without a fit.
    qint32 k() const;

    /// The entry whose fit the preview shows; setting it works the colours out again.
    CopyAsEntry entry() const;
    void setEntry(const CopyAsEntry &entry);

Q_SIGNALS:
    /// colours() were worked out again: the preview is to be drawn.
    void changed();

private:
    void refresh();

    GradientModel *m_model;
    CopyAsEntry m_entry {FormatNamed(u"minimessage")};
    QList<CharColour> m_colours;
    qint32 m_k = 1;
    bool m_stale = false; // drawn or styled since the last refresh
};

} // namespace huevane
