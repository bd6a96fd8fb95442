#include "formats.h"

namespace huevane {

std::optional<OutputFormat> FindFormat(QStringView name)
{
    for (int i = 0; i < FormatCount; ++i) {
        if (name == QStringView(Formats[i].name))
            return OutputFormat(i);
    }
    return std::nullopt;
}

QList<OutputFormat> FormatsIn(FormatGroup group)
{
    QList<OutputFormat> formats;
    for (int i = 0; i < FormatCount; ++i) {
        if (Formats[i].group == group)
            formats.append(OutputFormat(i));
    }
    return formats;
}

QStringList WritableStyles(OutputFormat format)
{
    QStringList names;
    for (int s = 0; s < StyleCount; ++s) {
        if (!RowOf(format).styles[s].on.empty())
            names.append(ToQString(StyleNames[s]));
    }
    return names;
}

QString StyleRefusal(OutputFormat format, Style style)
{
    const FormatRow &row = RowOf(format);
    if (!row.styles[int(style)].on.empty())
        return {};
    if (style == Style::Obfuscated)
        return QStringLiteral("only Minecraft's formats write obfuscated text");
    return QStringLiteral("%1 has no markup for %2")
        .arg(QStringView(row.caption), QStringView(StyleNames[int(style)]));
}

} // namespace huevane
