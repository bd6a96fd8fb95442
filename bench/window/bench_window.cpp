// Times the main window's redraw after a change of the text, and 'Generate'.
// Runs on any Qt platform; bench/run.sh runs it offscreen.

#include "bench/mixedtext.h"
#include "mainwindow/mainwindow.h"
#include "platform/drawingsurface.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using huevane::MainWindow;

namespace {

constexpr int Repeats = 15;

// @p characters characters in lines of @p lineLength: letters and spaces, or
// with @p mixed those of MixedCharacters().
QString MakeText(qsizetype characters, qsizetype lineLength, bool mixed = false)
{
    static const QStringList mixedCharacters = MixedCharacters();
    QString text;
    text.reserve((characters + characters / lineLength * 2 + 2) * (mixed ? 2 : 1));
    for (qsizetype i = 0; i < characters; ++i) {
        if (i > 0 && i % lineLength == 0)
            text += QLatin1String("\r\n");
        if (mixed)
            text += mixedCharacters[i % mixedCharacters.size()];
        else
            text += QChar(i % 7 == 6 ? u' ' : char16_t(u'a' + i % 26));
    }
    return text;
}

struct Timing
{
    double median = 0.0;
    double worst = 0.0;
};

Timing Measure(const std::function<void()> &run, const std::function<void()> &setUp = {})
{
    std::vector<double> times;
    for (int i = 0; i < Repeats; ++i) {
        if (setUp)
            setUp();
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

// One keystroke at the end of the text in @p box, typed and taken back in turn.
std::function<void()> Keystroke(QPlainTextEdit *box)
{
    return [box, add = true]() mutable {
        QTextCursor cursor(box->document());
        cursor.movePosition(QTextCursor::End);
        if (add)
            cursor.insertText(QStringLiteral("x"));
        else
            cursor.deletePreviousChar();
        add = !add;
    };
}

void TextChange(MainWindow &window, const char *label, qsizetype characters, qsizetype lineLength,
                bool mixed = false)
{
    const QString text = MakeText(characters, lineLength, mixed);
    auto *box = window.findChild<QPlainTextEdit *>("txtString");
    box->setPlainText(text);
    QApplication::processEvents();

    // The text box's own share of a keystroke (editing and laying out its
    // document), measured on a box of the same size and font that nothing watches.
    QPlainTextEdit alone;
    alone.setFont(box->font());
    alone.setFixedSize(box->size());
    alone.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    alone.setPlainText(text);
    alone.show();
    QApplication::processEvents();
    const Timing boxAlone = Measure(Keystroke(&alone));
    alone.hide();

    const Timing keystroke = Measure(Keystroke(box));
    std::printf("text change, %s:\n"
                "    keystroke in the window %8.2f ms (worst %.2f)\n"
                "    the text box alone      %8.2f ms (worst %.2f)\n"
                "    change to previews      %8.2f ms\n",
                label, keystroke.median, keystroke.worst, boxAlone.median, boxAlone.worst,
                keystroke.median - boxAlone.median);
}

void Generate(MainWindow &window, const char *label, qsizetype characters, qsizetype lineLength)
{
    auto *box = window.findChild<QPlainTextEdit *>("txtString");
    auto *output = window.findChild<QPlainTextEdit *>("txtHTML");
    box->setPlainText(MakeText(characters, lineLength));
    QApplication::processEvents();
    // Each run starts from the placeholder, as after any change of the text.
    const Timing generate = Measure(
        [&] {
            window.generate();
            QApplication::processEvents();
        },
        [&] {
            window.drawTextPreview(window.settings().gradientType);
            QApplication::processEvents();
        });
    std::printf("'Generate', %s: %8.2f ms (worst %.2f), %lld characters of HTML\n", label,
                generate.median, generate.worst,
                static_cast<long long>(output->toPlainText().size()));
}

// A paste of a large text replacing the sample, as the user does it: the whole
// handling, the text box's share included, until the previews are drawn.
void Paste(MainWindow &window, const char *label, qsizetype characters, qsizetype lineLength)
{
    auto *box = window.findChild<QPlainTextEdit *>("txtString");
    const QString text = MakeText(characters, lineLength);
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        box->setPlainText(MainWindow::SampleText);
        QApplication::processEvents();
        QApplication::clipboard()->setText(text);
        box->selectAll();
        QElapsedTimer timer;
        timer.start();
        box->paste();
        QApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("paste, %s: %8.2f ms (median of 3, worst %.2f)\n", label, times[1], times.back());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    QApplication::processEvents();

    std::printf("median of %d runs\n", Repeats);
    TextChange(window, "100,000 characters, lines of 100", 100'000, 100);
    TextChange(window, "100,000 characters, one line", 100'000, 100'000);
    TextChange(window, "1,000,000 characters, lines of 100", 1'000'000, 100);
    TextChange(window, "1,000,000 characters, one line", 1'000'000, 1'000'000);
    TextChange(window, "100,000 with emoji and marks, lines of 100", 100'000, 100, true);
    TextChange(window, "1,000,000 with emoji and marks, lines of 100", 1'000'000, 100, true);
    TextChange(window, "1,000,000 with emoji and marks, one line", 1'000'000, 1'000'000, true);
    Generate(window, "100,000 characters, lines of 100", 100'000, 100);
    Generate(window, "100,000 characters, one line", 100'000, 100'000);
    Paste(window, "10 MB, lines of 100", 10'000'000, 100);
    return 0;
}
