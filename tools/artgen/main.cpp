// huevane-artgen: draws Huevane's skin, button textures and icons.

#include "artwork.h"
#include "skin.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>

using namespace huevane::artgen;

int main(int argc, char *argv[])
{
    // Drawing text needs a platform, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("huevane-artgen"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draws Huevane's skin, button textures and icons into FOLDER:\n"
                       "images/*.png and icons/hicolor/<N>x<N>/apps/*.png."));
    parser.addHelpOption();
    const QCommandLineOption preview(
        QStringLiteral("preview"),
        QStringLiteral("Also write the skin with a mock-up of the controls to FILE."),
        QStringLiteral("FILE"));
    const QCommandLineOption guides(
        QStringLiteral("guides"),
        QStringLiteral("Also write the mock-up with every control's rectangle outlined to FILE."),
        QStringLiteral("FILE"));
    parser.addOptions({preview, guides});
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("Where the images go."));
    parser.process(app);

    const QStringList folders = parser.positionalArguments();
    if (folders.size() != 1) {
        std::fputs("huevane-artgen: give exactly one FOLDER (see --help)\n", stderr);
        return 2;
    }
    const QString folder = folders.first();

    QString error;
    if (!WriteArtwork(folder, &error)) {
        std::fprintf(stderr, "huevane-artgen: %s\n", qUtf8Printable(error));
        return 1;
    }
    for (const auto &[option, outlines] : {std::pair {&preview, false}, {&guides, true}}) {
        if (!parser.isSet(*option))
            continue;
        const QString file = parser.value(*option);
        if (!DrawSkinPreview(outlines).save(file)) {
            std::fprintf(stderr, "huevane-artgen: cannot write %s\n", qUtf8Printable(file));
            return 1;
        }
    }
    return 0;
}
