#include "templatetext.h"

#include "formatwriter.h"

namespace huevane {

QString OwnTemplateProblemText(QStringView run)
{
    const TemplateProblem problem = OwnTemplateProblem(run);
    const QStringView what = run.sliced(problem.at, problem.length);
    const qsizetype where = run.first(problem.at).toUcs4().size() + 1;
    switch (problem.kind) {
    case TemplateProblem::None:
        break;
    case TemplateProblem::UnknownPlaceholder:
        return QStringLiteral("'%1' at character %2 is not a placeholder: give {c}, {hex}, {HEX}, "
                              "{r}, {g} or {b}, and {{ for a brace")
            .arg(what)
            .arg(where);
    case TemplateProblem::UnclosedBrace:
        return QStringLiteral("the '{' at character %1 is not closed (write {{ for a brace)")
            .arg(where);
    case TemplateProblem::UnopenedBrace:
        return QStringLiteral("the '}' at character %1 closes nothing (write }} for a brace)")
            .arg(where);
    case TemplateProblem::SecondText:
        return QStringLiteral("{c} comes again at character %1: a run's characters are written "
                              "once")
            .arg(where);
    }
    return {};
}

QString WithEscapesRead(QStringView text)
{
    QString read;
    read.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
        char16_t meant = 0;
        if (text[i] == u'\\') {
            switch (next) {
            case u'n':
                meant = u'\n';
                break;
            case u'r':
                meant = u'\r';
                break;
            case u't':
                meant = u'\t';
                break;
            case u'\\':
                meant = u'\\';
                break;
            }
        }
        if (meant) {
            read += QChar(meant);
            ++i;
        } else {
            read += text[i];
        }
    }
    return read;
}

} // namespace huevane
