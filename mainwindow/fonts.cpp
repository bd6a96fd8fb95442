#include "fonts.h"

namespace huevane {

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"));
}

QFont MakeFont(const DesignedFont &design)
{
    QFont font(QString::fromLatin1(design.face));
    font.setPointSizeF(design.pointSize);
    // MS Sans Serif sets its characters closer than Liberation Sans of the same
    // height: narrowed a little, captions keep the width they were laid out for.
    if (qstrcmp(design.face, "MS Sans Serif") == 0)
        font.setStretch(MsSansSerifStretch);
    font.setBold(design.bold);
    font.setItalic(design.italic);
    return font;
}

} // namespace huevane
