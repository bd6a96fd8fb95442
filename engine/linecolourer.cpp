#include "linecolourer.h"

namespace huevane {

void LineColourer::colourLine(qsizetype index, QList<CharColour> &out)
{
    const TextSpan line = m_settings.lines.at(index);
    if (line.length == 0)
        return; // adds no entry; in whole-text mode the gradient goes on where it stopped

    const qsizetype first = out.size();
    ForEachCharacter(line.in(m_settings.text), [&](TextSpan c) {
        out.append(CharColour {line.start + c.start, static_cast<quint32>(c.length), 0, 0, 0});
    });
    beginLine(index, out.size() - first);
    colour(out.data() + first, out.data() + out.size());
}

} // namespace huevane
