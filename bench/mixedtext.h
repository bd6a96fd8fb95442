#pragma once

#include <QStringList>

/// The 100 characters of a line with emoji and combining marks, in order: five
/// times 14 ASCII characters, three letters with a combining mark, a space, an
/// emoji (plain, with a skin tone, a flag, a family joined by ZWJ, a heart with
/// its emoji selector) and a "!". bench_cli.sh writes the same line.
inline QStringList MixedCharacters()
{
    QStringList characters;
    for (const char16_t *emoji : {u"\U0001F600", u"\U0001F44D\U0001F3FD", u"\U0001F1E9\U0001F1EA",
                                  u"\U0001F468\u200D\U0001F469\u200D\U0001F467", u"\u2764\uFE0F"}) {
        for (QChar c : QStringView(u"The quick brow"))
            characters.append(c);
        characters +=
            {QStringLiteral("e\u0301"), QStringLiteral("o\u0308"), QStringLiteral("n\u0303"),
             QStringLiteral(" "),       QString::fromUtf16(emoji), QStringLiteral("!")};
    }
    return characters;
}
