#include "charcolours.h"

#include "memoryadvice.h"
#include "rounding.h"
#include "stopstepper.h"

namespace huevane {

ColourStepper::ColourStepper(const PreparedText &text, const Gradient &gradient)
    : LineColourer(text, gradient)
{
    const bool reversed = gradient.type == GradientType::EndToStart;
    const ColourTriplet &from = reversed ? gradient.end : gradient.start;
    const ColourTriplet &to = reversed ? gradient.start : gradient.end;
    for (int c = 0; c < 3; ++c) {
        m_from[c] = ClampComponent(Component(from, c));
        m_to[c] = ClampComponent(Component(to, c));
    }
    m_steps.setCurrent(m_from);
}

void ColourStepper::beginLine(qsizetype index, qsizetype characters)
{
    const bool perLine = m_gradient.perLine;
    const qint32 total = m_text.totalChars();
    float n;
    qint32 turn;
    if (perLine) {
        n = static_cast<float>(characters);
        turn = RoundHalfEven(static_cast<double>(characters) / total * m_gradient.centre);
        m_steps.setCurrent(m_from);
        m_coloured = 0;
    } else {
        n = static_cast<float>(total);
        turn = m_gradient.centre;
    }
    if (m_gradient.type != GradientType::RiseAndFall) {
        m_steps.begin(AsDouble(n), m_from, m_to);
        return;
    }

    const double d = AsDouble(n) - (static_cast<double>(turn) + 2.0);
    m_steps.beginTurning(AsDouble(n), m_from, m_to, turn, turn == 0 ? 1.0 : turn,
                         d == 0.0 ? 1.0 : d);
    if (turn < 1 && (perLine || index == 0))
        m_steps.setCurrent(m_to);
}

void ColourStepper::colour(CharColour *entry, CharColour *const end)
{
    const auto take = [this](CharColour &e) {
        const float *current = m_steps.current();
        e.red = RoundComponent(current[0]);
        e.green = RoundComponent(current[1]);
        e.blue = RoundComponent(current[2]);
    };
    if (m_gradient.type != GradientType::RiseAndFall) {
        for (; entry != end; ++entry) {
            take(*entry);
            m_steps.advanceByStep();
        }
        return;
    }
    for (; entry != end; ++entry) {
        take(*entry);
        m_steps.advance(m_coloured++);
    }
}

std::unique_ptr<LineColourer> MakeColourer(const PreparedText &text, const Gradient &gradient)
{
    if (!IsGradientType(gradient.type))
        return nullptr;
    if (const std::optional<StopGradient> stops = StopsOf(gradient))
        return std::make_unique<StopStepper>(text, gradient, *stops);
    return std::make_unique<ColourStepper>(text, gradient);
}

std::optional<QList<CharColour>> ComputeCharColours(const PreparedText &text,
                                                    const Gradient &gradient)
{
    const std::unique_ptr<LineColourer> colourer = MakeColourer(text, gradient);
    if (!colourer)
        return std::nullopt;
    QList<CharColour> colours;
    colours.reserve(text.totalChars());
    AdviseLargeBuffer(colours.data(), colours.capacity() * qsizetype(sizeof(CharColour)));
    for (qsizetype i = 0; i < text.lineCount(); ++i)
        colourer->colourLine(i, colours);
    return colours;
}

} // namespace huevane
