// The window's model: what it writes equals what huevane-html writes for the
// same text and gradient, whatever ends the text's lines; the colours 'Generate'
// writes are those of the last drawing; the stops and the panels' texts follow
// each other.

#include "engine/presets.h"
#include "engine/stopslist.h"
#include "mainwindow/mainwindow.h"
#include "textview/textbox.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace huevane;

namespace {

// What huevane-html writes for @p input with @p arguments.
QByteArray HuevaneHtml(const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    process.start(QStringLiteral(HUEVANE_HTML_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("huevane-html %s failed: %s", qPrintable(arguments.join(u' ')),
               process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

// The options that tell huevane-html the model's gradient, of @p type or the
// selected one.
QStringList Arguments(const GradientModel &model, std::optional<GradientType> type = {})
{
    QStringList arguments;
    const auto colour = [&](int panel) { return model.values(panel).join(u','); };
    const QList<Stop> stops = model.stops();
    if (stops.size() == 2 && stops[0].position == 0 && stops[1].position == 100
        && model.space() == ColourSpace::Rgb)
        arguments << "--start" << colour(GradientModel::Start) << "--end"
                  << colour(GradientModel::End);
    else
        arguments << "--stops" << StopsText(stops) << "--space" << ColourSpaceName(model.space());
    if (HueIndex(model.space()) >= 0)
        arguments << "--hue" << HueRuleName(model.hue());
    arguments << "--type" << QString::number(int(type.value_or(model.type()))) << "--centre"
              << QString::number(model.centre());
    if (model.perLine())
        arguments << "--per-line";
    return arguments;
}

} // namespace

class tst_GradientModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameAsHuevaneHtml_data();
    void sameAsHuevaneHtml();
    void lastDrawing();
    void stopsAndPanels();
};

void tst_GradientModel::sameAsHuevaneHtml_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("gradient"); // stops, or none for the panels' two colours
    QTest::addColumn<int>("space");
    QTest::addColumn<bool>("longer");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("centre"); // -1: where the text puts it
    QTest::addColumn<bool>("perLine");

    const int rgb = int(ColourSpace::Rgb), oklab = int(ColourSpace::Oklab);
    const int oklch = int(ColourSpace::Oklch), hsl = int(ColourSpace::Hsl);
    const QString sample = GradientModel::SampleText;
    const QString lines = QStringLiteral("ab%1c\u00e9d%1%1\U0001F600 xyz%1");
    const QString four = "FF0000,FFFF00@20,00A0FF@65.5,8000FF";
    // clang-format off
    QTest::newRow("two colours, rgb") << sample << "" << rgb << false << 1 << -1 << false;
    QTest::newRow("two colours, rgb, type 3 per line") << sample << "" << rgb << false << 3 << 20 << true;
    QTest::newRow("two colours, oklab, type 2") << sample << "" << oklab << false << 2 << -1 << false;
    QTest::newRow("four stops, oklch longer, type 3") << sample << four << oklch << true << 3 << 10 << false;
    QTest::newRow("five stops, oklab, per line") << sample << "FF461E,FFB347,FF5E3A@40,D62A68@70,5B1A8C" << oklab << false << 1 << -1 << true;
    QTest::newRow("two stops inside the run, hsl, type 2") << sample << "FF0000@10,0000FF@90" << hsl << false << 2 << -1 << false;
    QTest::newRow("two stops at the ends, rgb, type 3") << sample << "000000,FFFFFF" << rgb << false << 3 << 70 << false;
    for (const auto &[name, end] : {std::pair {"CR LF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"},
                                    {"U+2028", "\u2028"}, {"U+2029", "\u2029"}}) {
        QTest::addRow("lines ended by %s, two colours", name) << lines.arg(end) << "" << rgb << false << 3 << -1 << true;
        QTest::addRow("lines ended by %s, stops", name) << lines.arg(end) << four << oklab << false << 3 << -1 << false;
    }
    // clang-format on
}

// The text goes through the window's text box, which ends its lines in LF, to the
// model; 'Generate' then writes what huevane-html writes for the text as it came.
void tst_GradientModel::sameAsHuevaneHtml()
{
    QFETCH(QString, text);
    QFETCH(QString, gradient);
    QFETCH(int, space);
    QFETCH(bool, longer);
    QFETCH(int, type);
    QFETCH(int, centre);
    QFETCH(bool, perLine);
    MainWindow window;
    GradientModel &model = window.model();
    window.findChild<TextBox *>("txtString")->setPlainText(text);
    StopGradient stops {model.stops(), ColourSpace(space),
                        longer ? HueRule::Longer : HueRule::Shorter};
    if (!gradient.isEmpty())
        QVERIFY(ParseGradientText(gradient, stops.stops).isEmpty());
    model.setStopGradient(stops);
    model.setPerLine(perLine);
    model.selectType(GradientType(type));
    if (centre >= 0) {
        model.setCentre(centre);
        model.draw(GradientType(type));
    }
    model.generate();
    QVERIFY(model.output().startsWith("<font"));
    QCOMPARE(model.output().toUtf8(), HuevaneHtml(Arguments(model), text.toUtf8()));
}

// 'Generate' writes the colours of the last drawing: of the type it was drawn
// with, which the release on the third preview makes 3 whatever is selected,
// until the next drawing; options of the tags draw nothing.
void tst_GradientModel::lastDrawing()
{
    GradientModel model;
    QSignalSpy drawn(&model, &GradientModel::drawn);
    model.setStopGradient(PresetStops(*FindPreset(u"sunset")));
    model.draw(GradientType::RiseAndFall);
    model.setUpperCaseTags(true);
    QCOMPARE(drawn.size(), 2);
    model.generate();
    QCOMPARE(model.type(), GradientType::StartToEnd);
    const QStringList typeThree = Arguments(model, GradientType::RiseAndFall)
        << "--upper-case-tags";
    QCOMPARE(model.output().toUtf8(), HuevaneHtml(typeThree, model.text().toUtf8()));

    // A centre moved alone draws nothing; the drawing that follows leaves the
    // output box its placeholder until 'Generate'.
    const QString written = model.output();
    model.setCentre(3);
    QCOMPARE(drawn.size(), 2);
    QCOMPARE(model.output(), written);
    model.draw(GradientType::RiseAndFall);
    QCOMPARE(model.output(), HtmlPlaceholder);
    model.generate();
    QCOMPARE(model.output().toUtf8(),
             HuevaneHtml(Arguments(model, GradientType::RiseAndFall) << "--upper-case-tags",
                         model.text().toUtf8()));
    QVERIFY(model.output() != written);
}

// The first and last stops are the start and end colours, rounded from their
// texts; the swap turns the whole gradient round, texts being edited included;
// lists of stops that are no gradient are refused without a recompute.
void tst_GradientModel::stopsAndPanels()
{
    GradientModel model;
    QSignalSpy recomputed(&model, &GradientModel::recomputed);
    model.setStartValues({"1.5", "300", "-4"});
    QCOMPARE(model.stops().first(), (Stop {2, 255, 0, 0}));
    const QList<Stop> stops {{2, 255, 0, 0}, {9, 8, 7, 25}, {0, 0, 255, 60}, {10, 20, 30, 100}};
    model.setStops(stops);
    QCOMPARE(model.startValues(), QStringList({"1.5", "300", "-4"})); // the same colour
    for (const QList<Stop> &bad :
         {stops.mid(0, 1), QList<Stop>(17, stops.first()),
          QList<Stop> {stops[0], stops[2], stops[1]}, QList<Stop> {stops[0], {0, 0, 0, 100.5}}})
        model.setStops(bad);
    QCOMPARE(recomputed.size(), 2);

    model.setEditedValues(GradientModel::Back, {"400", "", "7"});
    model.reverse();
    QCOMPARE(model.endValues(), QStringList({"1.5", "255", "0"}));
    QCOMPARE(model.backValues(), QStringList({"255", "", "7"}));
    QCOMPARE(StopsText(model.stops()), "0A141E,0000FF@40,090807@75,02FF00");
    // Evenly spread stops stay evenly spread, as a list of stops without places reads.
    model.setStopGradient(PresetStops(*FindPreset(u"rainbow")));
    model.reverse();
    QCOMPARE(StopsText(model.stops()), "8000FF,0000FF,00FFFF,00FF00,FFFF00,FF8000,FF0000");
}

QTEST_MAIN(tst_GradientModel)
#include "tst_gradientmodel.moc"
