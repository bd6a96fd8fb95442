#include "characters.h"

namespace huevane {

qsizetype CountCharacters(QStringView text)
{
    qsizetype count = 0;
    ForEachCharacter(text, [&count](TextSpan) { ++count; });
    return count;
}

} // namespace huevane
