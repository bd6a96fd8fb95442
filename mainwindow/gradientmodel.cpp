#include "gradientmodel.h"

#include "engine/charcolours.h"
#include "engine/formatwriter.h"
#include "engine/valueoftext.h"
#include "mainwindow/valuefields.h"

#include <QScopeGuard>

#include <algorithm>
#include <optional>

namespace huevane {

const QString GradientModel::SampleText =
    QStringLiteral("Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\n"
                   "Try it out - it's even more fun!!!");

namespace {

ColourTriplet ColourOfTexts(const QStringList &texts)
{
    return {static_cast<float>(ValueOfText(texts[0])), static_cast<float>(ValueOfText(texts[1])),
            static_cast<float>(ValueOfText(texts[2]))};
}

// A stop's colour as the panels' texts read, each component rounded into 0..255.
Stop WithColour(Stop stop, const ColourTriplet &colour)
{
    stop.red = ComponentFromValue(colour.red);
    stop.green = ComponentFromValue(colour.green);
    stop.blue = ComponentFromValue(colour.blue);
    return stop;
}

bool SameColour(const Stop &a, const Stop &b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

QStringList TextsOf(const Stop &stop)
{
    return {QString::number(stop.red), QString::number(stop.green), QString::number(stop.blue)};
}

bool ValidStops(const QList<Stop> &stops)
{
    if (stops.size() < FewestStops || stops.size() > MostStops)
        return false;
    double last = 0.0;
    for (const Stop &s : stops) {
        if (!(s.position >= last && s.position <= 100.0))
            return false;
        last = s.position;
    }
    return true;
}

// Stops whose colours alone make the gradient: two at 0 and 100 are the start
// and end colours, which in rgb follow the window's float arithmetic.
bool TwoColours(const QList<Stop> &stops)
{
    return stops.size() == 2 && stops[0].position == 0.0 && stops[1].position == 100.0;
}

// The place a stop at @p position takes when the stops run the other way; an
// evenly spread stop stays evenly spread, as a list of stops reads it.
double Mirrored(double position, qsizetype k, qsizetype n)
{
    const double even = 100.0 * double(k) / double(n - 1);
    return position == even ? 100.0 * double(n - 1 - k) / double(n - 1) : 100.0 - position;
}

} // namespace

class GradientModel::Private
{
public:
    QString text;
    PreparedText prepared;
    quint64 textVersion = 0; // grows with every new text, for the colours kept
    std::array<QStringList, 3> values {QStringList(3), QStringList(3), QStringList(3)};
    std::array<ColourTriplet, 3> colours {};             // of values
    std::array<std::optional<QStringList>, 3> edited {}; // texts of fields being edited
    std::array<QStringList, 3> used;                     // what the last recompute read
    QList<Stop> stops {{0, 0, 0, 0.0}, {0, 0, 0, 100.0}};
    ColourSpace space = ColourSpace::Rgb;
    HueRule hue = HueRule::Shorter;
    GradientType type = GradientType::StartToEnd;
    qint32 centre = 0;
    bool perLine = false;
    double textSize = 8.0;
    OutputOptions options;
    Styles styles = 0;
    int fit = NoFit;
    LengthLimit customFit {256, {LengthUnit::Utf16}};
    QString output = HtmlPlaceholder.toString();

    GradientSettings settings;
    QList<CharColour> charColours;
    std::optional<std::pair<Gradient, quint64>> coloured; // what charColours were computed for

    int depth = 0;
    quint8 pending = 0;
    std::optional<GradientType> drawType;
};

// Changes made while one lives are recomputed once, when the outermost ends.
class GradientModel::Change
{
public:
    explicit Change(GradientModel *model)
        : m_model(model)
    {
        ++m_model->d->depth;
    }
    ~Change()
    {
        if (--m_model->d->depth == 0)
            m_model->recompute();
    }
    Change(const Change &) = delete;
    Change &operator=(const Change &) = delete;

private:
    GradientModel *m_model;
};

GradientModel::GradientModel(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    // The window's start-up, in its order: the text puts the turning point in
    // the middle of its characters, which the start-up then moves to the middle
    // of its whole length.
    const Change change(this);
    setText(SampleText);
    setTextSize(8.0);
    setValues(Start, {"255", "70", "30"});
    setValues(End, {"255", "255", "0"});
    setValues(Back, {"0", "0", "0"});
    setCentre(Middle(d->prepared.wholeTextLength()));
    setType(GradientType::StartToEnd);
}

GradientModel::~GradientModel() = default;

void GradientModel::touch(quint8 affects)
{
    d->pending |= affects;
}

QString GradientModel::text() const
{
    return d->text;
}

void GradientModel::setText(const QString &text)
{
    if (text == d->text)
        return;
    const Change change(this);
    d->text = text;
    d->prepared = PreparedText(text);
    ++d->textVersion;
    touch(Draw | Stripes | Placeholder);
    Q_EMIT textChanged(text);
    setCentre(Middle(d->prepared.totalChars()));
}

QStringList GradientModel::values(int panel) const
{
    return d->values[panel - 1];
}

ColourTriplet GradientModel::colour(int panel) const
{
    return d->colours[panel - 1];
}

void GradientModel::setValues(int panel, const QStringList &values)
{
    Q_ASSERT(panel >= Start && panel <= Back);
    if (values.size() != 3)
        return;
    const int p = panel - 1;
    d->edited[p].reset();
    // A commit of the texts drawn already while they were being edited changes
    // nothing; one of other texts than those draws again.
    if (values == d->values[p] && d->used[p] == values)
        return;
    const Change change(this);
    touch(Draw | (panel == Back ? 0 : Stripes));
    if (values == d->values[p])
        return;
    d->values[p] = values;
    d->colours[p] = ColourOfTexts(values);
    if (panel == Start)
        Q_EMIT startValuesChanged(values);
    else if (panel == End)
        Q_EMIT endValuesChanged(values);
    else
        Q_EMIT backValuesChanged(values);
    if (panel == Back)
        return;
    Stop &stop = panel == Start ? d->stops.first() : d->stops.last();
    const Stop coloured = WithColour(stop, d->colours[p]);
    if (!SameColour(coloured, stop)) {
        stop = coloured;
        Q_EMIT stopsChanged(d->stops);
    }
}

void GradientModel::setEditedValues(int panel, const QStringList &values)
{
    Q_ASSERT(panel >= Start && panel <= Back);
    if (values.size() == 3)
        d->edited[panel - 1] = values;
}

QList<Stop> GradientModel::stops() const
{
    return d->stops;
}

void GradientModel::setStops(const QList<Stop> &stops)
{
    if (stops == d->stops || !ValidStops(stops))
        return;
    const Change change(this);
    const bool newStart = !SameColour(stops.first(), d->stops.first());
    const bool newEnd = !SameColour(stops.last(), d->stops.last());
    d->stops = stops;
    touch(Draw | Stripes);
    Q_EMIT stopsChanged(stops);
    if (newStart)
        setValues(Start, TextsOf(stops.first()));
    if (newEnd)
        setValues(End, TextsOf(stops.last()));
}

ColourSpace GradientModel::space() const
{
    return d->space;
}

void GradientModel::setSpace(ColourSpace space)
{
    if (space == d->space)
        return;
    const Change change(this);
    d->space = space;
    touch(Draw | Stripes);
    Q_EMIT spaceChanged(space);
}

HueRule GradientModel::hue() const
{
    return d->hue;
}

void GradientModel::setHue(HueRule hue)
{
    if (hue == d->hue)
        return;
    const Change change(this);
    d->hue = hue;
    touch(Draw | Stripes);
    Q_EMIT hueChanged(hue);
}

void GradientModel::setStopGradient(const StopGradient &gradient)
{
    const Change change(this);
    setStops(gradient.stops);
    setSpace(gradient.space);
    setHue(gradient.hue);
}

GradientType GradientModel::type() const
{
    return d->type;
}

void GradientModel::setType(GradientType type)
{
    if (type == d->type)
        return;
    const Change change(this);
    d->type = type;
    touch(Draw);
    Q_EMIT typeChanged(type);
}

void GradientModel::selectType(GradientType type)
{
    const Change change(this);
    setType(type);
    draw(type);
}

qint32 GradientModel::centre() const
{
    return d->centre;
}

void GradientModel::setCentre(qint32 centre)
{
    if (centre == d->centre)
        return;
    const Change change(this);
    d->centre = centre;
    Q_EMIT centreChanged(centre);
}

bool GradientModel::perLine() const
{
    return d->perLine;
}

void GradientModel::setPerLine(bool perLine)
{
    if (perLine == d->perLine)
        return;
    const Change change(this);
    d->perLine = perLine;
    touch(Draw);
    Q_EMIT perLineChanged(perLine);
}

double GradientModel::textSize() const
{
    return d->textSize;
}

void GradientModel::setTextSize(double points)
{
    if (points == d->textSize)
        return;
    const Change change(this);
    d->textSize = points;
    touch(Draw);
    Q_EMIT textSizeChanged(points);
}

bool GradientModel::upperCaseTags() const
{
    return d->options.upperCaseTags;
}

void GradientModel::setUpperCaseTags(bool upperCase)
{
    if (upperCase == d->options.upperCaseTags)
        return;
    const Change change(this);
    d->options.upperCaseTags = upperCase;
    Q_EMIT upperCaseTagsChanged(upperCase);
}

bool GradientModel::noQuotes() const
{
    return d->options.noQuotes;
}

void GradientModel::setNoQuotes(bool noQuotes)
{
    if (noQuotes == d->options.noQuotes)
        return;
    const Change change(this);
    d->options.noQuotes = noQuotes;
    Q_EMIT noQuotesChanged(noQuotes);
}

Styles GradientModel::styles() const
{
    return d->styles;
}

void GradientModel::setStyles(Styles styles)
{
    if (styles == d->styles)
        return;
    const Change change(this);
    d->styles = styles;
    Q_EMIT stylesChanged(styles);
}

void GradientModel::setStyle(Style style, bool on)
{
    setStyles(Styles(on ? d->styles | StyleBit(style) : d->styles & ~StyleBit(style)));
}

int GradientModel::fit() const
{
    return d->fit;
}

void GradientModel::setFit(int fit)
{
    if (fit == d->fit || fit < NoFit || fit > CustomFit)
        return;
    const Change change(this);
    d->fit = fit;
    Q_EMIT fitChanged(fit);
}

LengthLimit GradientModel::customFit() const
{
    return d->customFit;
}

void GradientModel::setCustomFit(const LengthLimit &limit)
{
    if (limit == d->customFit || limit.length < 1)
        return;
    const Change change(this);
    d->customFit = limit;
    Q_EMIT customFitChanged(limit);
}

std::optional<LengthLimit> GradientModel::fitLimit() const
{
    if (d->fit == NoFit)
        return std::nullopt;
    return d->fit == CustomFit ? d->customFit : FitTargets[d->fit].limit;
}

void GradientModel::reverse()
{
    const Change change(this);
    std::array<QStringList, 3> texts;
    for (int p = 0; p < 3; ++p)
        texts[p] = d->edited[p].value_or(d->values[p]);
    std::swap(texts[0], texts[1]);
    const qsizetype n = d->stops.size();
    QList<Stop> stops(n);
    for (qsizetype k = 0; k < n; ++k) {
        stops[n - 1 - k] = d->stops[k];
        stops[n - 1 - k].position = Mirrored(d->stops[k].position, k, n);
    }
    // The ends follow the texts below, which the stops' colours need not be.
    stops.first() = WithColour(stops.first(), ColourOfTexts(texts[0]));
    stops.last() = WithColour(stops.last(), ColourOfTexts(texts[1]));
    if (stops != d->stops) {
        d->stops = stops;
        Q_EMIT stopsChanged(stops);
    }
    for (int p = 0; p < 3; ++p) {
        for (QString &text : texts[p])
            text = ClampedText(text);
        setValues(p + 1, texts[p]);
    }
    touch(Draw | Stripes);
}

void GradientModel::draw(GradientType type)
{
    const Change change(this);
    touch(Draw);
    d->drawType = type;
}

void GradientModel::generate()
{
    setOutput(FormattedText(d->prepared, d->charColours, d->options));
}

QString GradientModel::output() const
{
    return d->output;
}

void GradientModel::setOutput(const QString &output)
{
    if (output == d->output)
        return;
    d->output = output;
    Q_EMIT outputChanged(output);
}

const PreparedText &GradientModel::preparedText() const
{
    return d->prepared;
}

const Gradient &GradientModel::gradient() const
{
    return d->settings.gradient;
}

ColourTriplet GradientModel::backColour() const
{
    return d->settings.backColour;
}

const GradientSettings &GradientModel::settings() const
{
    return d->settings;
}

const QList<CharColour> &GradientModel::colours() const
{
    return d->charColours;
}

void GradientModel::recompute()
{
    // What those told below change follows in a recompute of its own, after this one.
    ++d->depth;
    const auto after = qScopeGuard([this] {
        if (--d->depth == 0 && (d->pending || d->drawType))
            recompute();
    });
    const quint8 affects = std::exchange(d->pending, 0);
    const GradientType drawType = std::exchange(d->drawType, std::nullopt).value_or(d->type);

    std::array<ColourTriplet, 3> read;
    for (int p = 0; p < 3; ++p) {
        d->used[p] = d->edited[p].value_or(d->values[p]);
        read[p] = d->edited[p] ? ColourOfTexts(*d->edited[p]) : d->colours[p];
    }
    Gradient g;
    g.start = read[0];
    g.end = read[1];
    if (!TwoColours(d->stops)) {
        g.stops = d->stops;
        g.stops.first() = WithColour(g.stops.first(), g.start);
        g.stops.last() = WithColour(g.stops.last(), g.end);
    }
    g.space = d->space;
    g.hue = d->hue;
    g.type = d->type;
    g.centre = d->centre;
    g.perLine = d->perLine;

    GradientSettings &s = d->settings;
    const Gradient before = s.gradient;
    s.gradient = g;
    s.text = d->prepared;
    s.backColour = read[2];
    s.textSize = static_cast<float>(d->textSize);
    s.output = d->options;

    if ((affects & Stripes) || g.start != before.start || g.end != before.end
        || g.stops != before.stops || g.space != before.space || g.hue != before.hue)
        Q_EMIT stripesChanged(false);
    else if (g.centre != before.centre)
        Q_EMIT stripesChanged(true);
    if (affects & Placeholder)
        setOutput(HtmlPlaceholder.toString());
    if (affects & Draw)
        paint(drawType);
    Q_EMIT recomputed();
}

void GradientModel::paint(GradientType type)
{
    if (IsBlankText(d->text)) {
        d->charColours.clear();
        d->coloured.reset();
        Q_EMIT drawn();
        return;
    }
    Gradient asked = d->settings.gradient;
    asked.type = type;
    if (!IsGradientType(type)) {
        // Colours of an earlier drawing must not reach the HTML.
        d->charColours.clear();
        d->coloured.reset();
        Q_EMIT drawFailed(int(type));
    } else if (!d->coloured || d->coloured->first != asked
               || d->coloured->second != d->textVersion) {
        d->charColours = ComputeCharColours(d->prepared, asked).value_or(QList<CharColour> {});
        d->coloured = {asked, d->textVersion};
    }
    setOutput(HtmlPlaceholder.toString());
    Q_EMIT drawn();
}

} // namespace huevane
