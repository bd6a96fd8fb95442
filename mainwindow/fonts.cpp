#include "fonts.h"

#include <QFontInfo>

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

QFont TextPreviewFont(QFont font)
{
    font.setStyleStrategy(QFont::PreferNoShaping);
    // The face the family stands for, as Qt skips a family it cannot find in a
    // list of them and would then take emoji's face for digits and signs.
    font.setFamilies({QFontInfo(font).family(), QString::fromLatin1(ColourEmojiFace)});
    return font;
}

} // namespace huevane
