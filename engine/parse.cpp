#include "parse.h"

namespace huevane {

void Parse(QStringView source, QList<TextSpan> &pieces, QStringView delimiter)
{
    Q_ASSERT(!delimiter.isEmpty());
    if (source.isEmpty())
        return;

    pieces.clear();
    qsizetype rest = 0;
    while (rest < source.size()) {
        const qsizetype found = source.indexOf(delimiter, rest);
        if (found < 0) {
            pieces.append({rest, source.size() - rest});
            break;
        }
        pieces.append({rest, found - rest});
        rest = found + delimiter.size();
    }
}

} // namespace huevane
