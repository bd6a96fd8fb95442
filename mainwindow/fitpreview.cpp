#include "fitpreview.h"

#include "engine/colourgroups.h"
#include "mainwindow/copyfit.h"
#include "mainwindow/gradientmodel.h"

namespace huevane {

FitPreview::FitPreview(GradientModel *model)
    : QObject(model)
    , m_model(model)
{
    // Once for every change, after it is drawn. One that draws nothing matters to
    // a fit only: the tag options change its length, and the fit itself.
    connect(model, &GradientModel::drawn, this, [this] { m_stale = true; });
    connect(model, &GradientModel::stylesChanged, this, [this] { m_stale = true; });
    connect(model, &GradientModel::recomputed, this, [this] {
        if (m_stale || m_model->fit() != NoFit || m_k > 1)
            refresh();
    });
    refresh();
}

FitPreview::~FitPreview() = default;

const QList<CharColour> &FitPreview::colours() const
{
    return m_colours;
}

qint32 FitPreview::k() const
{
    return m_k;
}

CopyAsEntry FitPreview::entry() const
{
    return m_entry;
}

void FitPreview::setEntry(const CopyAsEntry &entry)
{
    m_entry = entry;
    if (m_model->fit() != NoFit)
        refresh();
}

void FitPreview::refresh()
{
    m_stale = false;
    const CopySource source = CopySourceOf(*m_model);
    m_k = source.fit ? MeasureCopy(m_entry, source).k : 1;
    m_colours = GroupedColours(m_model->preparedText(), source.colours, m_k);
    Q_EMIT changed();
}

} // namespace huevane
