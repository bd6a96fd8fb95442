// huevane-manpage: writes huevane-html's man page from its source, with the
// entries of its FORMATS section made from the table of formats and those of
// its places to fit from their table, so that the page lists every format and
// place as huevane-html --help and --list-fits do.
//   huevane-manpage huevane-html.1.in huevane-html.1
// The source holds the lines @FORMATS@ and @FITS@ where the entries go.

#include "engine/fitting.h"
#include "engine/formats.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

using namespace huevane;

namespace {

// @p text as roff text: backslashes, dashes, quotes and accents escaped, what is
// not ASCII by its code point, and a line never starting with a control character.
QString roff(const QString &text)
{
    const std::pair<char32_t, const char *> escapes[] = {{U'\\', "\\e"},   {U'-', "\\-"},
                                                         {U'\'', "\\(aq"}, {U'`', "\\(ga"},
                                                         {U'^', "\\(ha"},  {U'~', "\\(ti"}};
    QString out;
    for (const char32_t c : text.toUcs4()) {
        const auto *escape = std::find_if(std::begin(escapes), std::end(escapes),
                                          [c](const auto &e) { return e.first == c; });
        if (escape != std::end(escapes))
            out += QLatin1StringView(escape->second);
        else if (c < 0x80)
            out += QChar(c);
        else
            out += QStringLiteral("\\[u%1]").arg(
                QString::number(uint(c), 16).toUpper().rightJustified(4, u'0'));
    }
    return out.startsWith(u'.') ? QStringLiteral("\\&") + out : out;
}

// The entry of each format: its name, its help, and the styles it can write.
QString formatEntries()
{
    QString entries;
    for (int f = 0; f < FormatCount; ++f) {
        entries += QStringLiteral(".TP\n.B ") + roff(ToQString(Formats[f].name)) + u'\n';
        for (const QString &line : ToQString(Formats[f].help).split(u'\n'))
            entries += roff(line) + u'\n';
        if (const QStringList styles = WritableStyles(OutputFormat(f)); !styles.isEmpty())
            entries += QStringLiteral(".br\nStyles: ") + styles.join(QStringLiteral(", "))
                + QStringLiteral(".\n");
        if (const LengthUnit unit = Formats[f].unit; unit != LengthUnit::CodePoints)
            entries += QStringLiteral(".br\nIts length is counted in ")
                + ToQString(LengthUnitWords[int(unit)]) + QStringLiteral(".\n");
    }
    return entries;
}

// The entry of each place: its name and the options it stands for.
QString fitEntries()
{
    QString entries;
    for (const FitTarget &target : FitTargets) {
        const LengthLimit &limit = target.limit;
        entries += QStringLiteral(".TP\n.B ") + roff(ToQString(target.name)) + u'\n'
            + roff(ToQString(target.caption)) + QStringLiteral(":\n.B ")
            + roff(QStringLiteral("%1 %2 --count %3")
                       .arg(limit.measure.perLine ? "--max-line-length" : "--max-length")
                       .arg(limit.length)
                       .arg(ToQString(LengthUnitNames[int(limit.measure.unit)])))
            + u'\n';
    }
    return entries;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: huevane-manpage SOURCE PAGE\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "huevane-manpage: cannot read %s\n", argv[1]);
        return 1;
    }
    QString page = QString::fromUtf8(source.readAll());
    for (const auto &[name, entries] :
         {std::pair {"FORMATS", formatEntries()}, std::pair {"FITS", fitEntries()}}) {
        const QString marker = QStringLiteral("\n@%1@\n").arg(QLatin1StringView(name));
        if (page.count(marker) != 1) {
            std::fprintf(stderr, "huevane-manpage: %s does not hold the line @%s@ once\n", argv[1],
                         name);
            return 1;
        }
        page.replace(marker, u'\n' + entries);
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(page.toUtf8()) < 0) {
        std::fprintf(stderr, "huevane-manpage: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
