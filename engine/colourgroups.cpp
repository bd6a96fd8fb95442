#include "colourgroups.h"

namespace huevane {

QList<CharColour> GroupedColours(const PreparedText &text, const QList<CharColour> &colours,
                                 qint32 k)
{
    if (colours.size() != text.totalChars() || k <= 1)
        return colours;
    QList<CharColour> grouped = colours;
    qsizetype first = 0; // the line's first entry
    for (qsizetype i = 0; i < text.lineCount(); ++i) {
        const ColourGroups groups(text.lineCharacters(i), k);
        for (qint64 g = 0; g < groups.count(); ++g) {
            const CharColour &middle = colours[first + groups.middle(g)];
            for (qint64 c = groups.start(g); c < groups.start(g) + groups.size(g); ++c) {
                CharColour &entry = grouped[first + c];
                entry.red = middle.red, entry.green = middle.green, entry.blue = middle.blue;
            }
        }
        first += text.lineCharacters(i);
    }
    return grouped;
}

} // namespace huevane
