// The output box's context menu on 1,000,000 characters: 'Copy as' and each of
// its submenus measuring their entries as they show, without a fit and fitted
// to a place, and the text preview's colours grouped for a fit after a change.
// Runs offscreen.

#include "mainwindow/copyas.h"
#include "mainwindow/fitpreview.h"
#include "mainwindow/gradientmodel.h"
#include "mainwindow/mainwindow.h"
#include "textview/textbox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace huevane;

namespace {

constexpr int Repeats = 5;
constexpr qsizetype Characters = 1'000'000;

// Words of letters in lines of 100 characters.
QString MakeText(qsizetype lineLength)
{
    QString text;
    text.reserve(Characters);
    for (qsizetype i = 0; text.size() < Characters; ++i)
        text += lineLength && (i + 1) % lineLength == 0
            ? u'\n'
            : (i % 7 == 6 ? u' ' : QChar(char16_t(u'a' + i % 26)));
    return text;
}

// The median milliseconds from the menu's aboutToShow to its entries measured.
double Shown(MainWindow &window, int submenu)
{
    std::vector<double> times;
    auto *box = window.findChild<TextBox *>(QStringLiteral("txtHTML"));
    for (int i = 0; i < Repeats; ++i) {
        Q_EMIT box->customContextMenuRequested(QPoint(4, 4));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QMenu *copyAs = menu->actions().constLast()->menu();
        QMenu *shown = submenu < 0 ? copyAs : copyAs->actions().value(2 + submenu)->menu();
        QElapsedTimer timer;
        timer.start();
        Q_EMIT shown->aboutToShow();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        menu->close();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The offscreen platform's warnings about popups would bury the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    for (const qsizetype lineLength : {qsizetype(100), qsizetype(0)}) {
        MainWindow window;
        window.show();
        window.model().setText(MakeText(lineLength));
        const char *lines = lineLength ? "in lines of 100" : "on one line";
        for (const int fit : {NoFit, 0, 3}) {
            window.model().setFit(fit);
            const QString place =
                fit == NoFit ? QStringLiteral("no fit") : ToQString(FitTargets[fit].caption);
            std::printf("1,000,000 characters %s, %s:\n", lines, qPrintable(place));
            std::printf("  %-34s %9.1f ms\n", "'Copy as' (formatted text)", Shown(window, -1));
            for (int g = 0; g < FormatGroupCount; ++g)
                std::printf("  %-34s %9.1f ms\n",
                            qPrintable(ToQString(FormatGroupCaptions[g]).remove(u'&')),
                            Shown(window, g));
        }
        window.model().setFit(0);
        QElapsedTimer timer;
        timer.start();
        window.model().setText(window.model().text() + u'x');
        std::printf("  %-34s %9.1f ms\n", "a key, the preview fitted",
                    double(timer.nsecsElapsed()) / 1e6);
    }
    return 0;
}
