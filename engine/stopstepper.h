#pragma once

#include "linecolourer.h"
#include "stops.h"

namespace huevane {

/// The colours of a gradient through stops: every character gets its place on
/// its run (a line with perLine, otherwise the whole text, line breaks not
/// counted) by the settings' type and centre, and the gradient's colour there.
class StopStepper : public LineColourer
{
public:
    /// Colours the text of @p settings, which must outlive the stepper, on
    /// @p gradient. The settings' colours are not used.
    StopStepper(const GradientSettings &settings, const StopGradient &gradient);

protected:
    void beginLine(qsizetype index, qsizetype characters) override;
    void colour(CharColour *first, CharColour *last) override;

private:
    StopMixer m_mixer;
    qint64 m_count = 0;  // characters of the run
    qint64 m_turn = 0;   // turning point of type 3
    qint64 m_placed = 0; // characters of the run coloured so far
};

} // namespace huevane
