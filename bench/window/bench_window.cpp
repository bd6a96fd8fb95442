// Where the time of a change goes: each stage of a keystroke and of 'Generate'
// timed on its own, for texts of long lines. bench/desktop times the whole, as
// the user waits for it; this one says which part to look at. Runs offscreen.

#include "bench/mixedtext.h"
#include "engine/charcolours.h"
#include "engine/gradientsettings.h"
#include "engine/formatwriter.h"
#include "engine/stopslist.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/textpreview.h"
#include "mainwindow/typepreview.h"
#include "platform/drawingsurface.h"
#include "textview/textbox.h"
#include "textview/wrappedlines.h"
#include "platform/twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace huevane;

namespace {

constexpr int Repeats = 5;

// Words of two to nine letters between spaces; @p lineLength 0 for one line.
// The letters are the 26 from @p firstLetter on.
QString MakeText(qsizetype characters, qsizetype lineLength, char16_t firstLetter = u'a')
{
    QString text;
    text.reserve(characters + 2);
    quint32 seed = 1;
    qsizetype column = 0;
    while (text.size() < characters) {
        seed = seed * 1103515245 + 12345;
        if (lineLength && column + 10 >= lineLength) {
            text += u'\n';
            column = 0;
        }
        const int letters = 2 + int(seed >> 16) % 8;
        for (int i = 0; i < letters; ++i)
            text += QChar(firstLetter + (seed >> (i + 3)) % 26);
        text += u' ';
        column += letters + 1;
    }
    text.truncate(characters);
    return text;
}

// @p lines lines of MixedCharacters(): emoji and combining marks among letters.
QString MixedText(int lines)
{
    return QStringList(lines, MixedCharacters().join(QString())).join(u'\n');
}

double Median(const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < Repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Row(const char *stage, const char *text, double ms)
{
    std::printf("%-44s %-38s %9.2f ms\n", stage, text, ms);
}

void Stages(MainWindow &window, const char *label, const QString &text)
{
    auto *input = window.findChild<TextBox *>("txtString");
    auto *output = window.findChild<TextBox *>("txtHTML");
    input->setPlainText(text);
    QApplication::processEvents();

    WrappedLines lines;
    Row("breaking the whole text into lines", label, Median([&] {
            lines.layout(text, input->font(), input->viewport()->width() - 8);
            lines.lineOf(text.size());
        }));
    GradientSettings settings = window.model().settings();
    const QString typed = window.model().text();
    Row("preparing the text (SetText)", label, Median([&] { SetText(settings, typed); }));
    QList<CharColour> colours;
    Row("colouring it (ComputeCharColours)", label,
        Median([&] { colours = *ComputeCharColours(settings.text, settings.gradient); }));
    const auto html = [&] { return FormattedText(settings.text, colours); };
    Row("writing the HTML (FormattedText)", label, Median(html));
    const QString written = html();
    Row("the HTML's lines for its first screen", label,
        Median([&] { lines.layout(written, output->font(), output->viewport()->width() - 8); }));
    Row("breaking the whole HTML into lines", label, Median([&] {
            lines.layout(written, output->font(), output->viewport()->width() - 8);
            lines.lineOf(written.size());
        }));

    // The three type previews' stripes, at the previews' width of 2325 twips.
    const int previewWidth = TwipsToPixels(2325, TwipsPerPixelX());
    Row("the type previews' stripes (StripeColumns)", label, Median([&] {
            StripeSettings stripes {settings.gradient, settings.text.totalChars()};
            for (int kind = 1; kind <= 3; ++kind) {
                stripes.gradient.type = GradientType(kind);
                StripeColumns(stripes, 2325, TwipsPerPixelX(), previewWidth);
            }
        }));

    DrawingSurface *preview = window.findChild<DrawingSurface *>("picGradText");
    Row("drawing the text preview (PaintCharacters)", label,
        Median([&] { PaintCharacters(*preview, settings.text, colours); }));

    input->setFocus();
    input->setSelection(text.size(), text.size());
    bool add = true;
    Row("a key at the end, to the previews drawn", label, Median([&] {
            QKeyEvent press(QEvent::KeyPress, add ? Qt::Key_X : Qt::Key_Backspace, Qt::NoModifier,
                            add ? QStringLiteral("x") : QString());
            QApplication::sendEvent(input, &press);
            add = !add;
            input->repaint();
        }));
    Row("'Generate', to the output drawn", label, Median([&] {
            window.model().generate();
            output->repaint();
        }));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    QApplication::processEvents();
    Stages(window, "100,000 characters on one line", MakeText(100'000, 0));
    Stages(window, "1,000,000 characters on one line", MakeText(1'000'000, 0));
    Stages(window, "1,000,000 characters in lines of 100", MakeText(1'000'000, 100));
    Stages(window, "1,000,000 with emoji and marks, lines of 100", MixedText(10'000));
    Stages(window, "1,000,000 Hebrew characters on one line", MakeText(1'000'000, 0, u'\u05D0'));
    QList<Stop> stops;
    ParseStops(u"FF461E,FFB347,FF5E3A@40,D62A68@70,5B1A8C", stops);
    window.model().setStopGradient({stops, ColourSpace::Oklab});
    Stages(window, "1,000,000 on one line, 5 stops in oklab", MakeText(1'000'000, 0));
    return 0;
}
