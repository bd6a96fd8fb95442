#include "linecolourer.h"

namespace huevane {

void LineColourer::colourLine(qsizetype index, QList<CharColour> &out)
{
    const qsizetype characters = m_text.lineCharacters(index);
    if (characters == 0)
        return; // adds no entry; in whole-text mode the gradient goes on where it stopped

    const qsizetype first = out.size();
    m_text.forEachCharacter(index, [&out](TextSpan c) {
        out.append(CharColour {c.start, static_cast<quint32>(c.length), 0, 0, 0});
    });
    beginLine(index, characters);
    colour(out.data() + first, out.data() + out.size());
}

} // namespace huevane
