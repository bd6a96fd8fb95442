#pragma once

#include "engine/charcolour.h"
#include "engine/fitting.h"
#include "engine/gradientsettings.h"

#include <QObject>
#include <QStringList>

#include <iterator>
#include <memory>
#include <optional>

namespace huevane {

/// The output box's text whenever it shows no current HTML.
inline constexpr QStringView HtmlPlaceholder =
    u"HTML will be generated here when you click 'Generate'";

/// The choices of 'Fit to' (GradientModel::fit()): none, each of FitTargets by
/// its place there, and the user's own limit (GradientModel::customFit()).
inline constexpr int NoFit = -1;
inline constexpr int CustomFit = int(std::size(FitTargets));

/// Everything the window's controls set, and what follows from it: the one
/// place the panels, the text box, the previews, the output box and 'Copy as'
/// read, each for itself, and the one place that computes. Each input is a
/// property whose setter returns at once when nothing changes; otherwise it
/// stores, tells of the change (its NOTIFY signal) and recomputes once. A user's
/// action that changes several inputs (the swap, a preset) recomputes once too.
///
/// The colours of the panels are the texts of their decimal value fields, read
/// as ValueOfText() reads them: taken when committed (setValues()), and while a
/// field is being edited, with the text it holds (setEditedValues()) by
/// whatever recomputes meanwhile. The gradient is its stops, the first and the
/// last being the start and end colours; two stops at 0 and 100 are the two
/// colours of the window's float arithmetic in rgb, and in another space the
/// stops huevane-html mixes.
///
/// The colours of the text are those of the last drawing of the text preview
/// (drawn()), which 'Generate' writes: of the selected type, or of the type a
/// drawing asked for (draw()). A change of the turning point alone draws only
/// the third type preview; the drawing of the text follows draw().
///
/// Starts with the window's start-up: the sample text, text size 8, start
/// colour 255, 70, 30, end colour 255, 255, 0, background 0, 0, 0, the turning
/// point at half the text's length with CR LF counted (47), type 1.
class GradientModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(
        QStringList startValues READ startValues WRITE setStartValues NOTIFY startValuesChanged)
    Q_PROPERTY(QStringList endValues READ endValues WRITE setEndValues NOTIFY endValuesChanged)
    Q_PROPERTY(QStringList backValues READ backValues WRITE setBackValues NOTIFY backValuesChanged)
    Q_PROPERTY(QList<huevane::Stop> stops READ stops WRITE setStops NOTIFY stopsChanged)
    Q_PROPERTY(huevane::ColourSpace space READ space WRITE setSpace NOTIFY spaceChanged)
    Q_PROPERTY(huevane::HueRule hue READ hue WRITE setHue NOTIFY hueChanged)
    Q_PROPERTY(huevane::GradientType type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(qint32 centre READ centre WRITE setCentre NOTIFY centreChanged)
    Q_PROPERTY(bool perLine READ perLine WRITE setPerLine NOTIFY perLineChanged)
    Q_PROPERTY(double textSize READ textSize WRITE setTextSize NOTIFY textSizeChanged)
    Q_PROPERTY(
        bool upperCaseTags READ upperCaseTags WRITE setUpperCaseTags NOTIFY upperCaseTagsChanged)
    Q_PROPERTY(bool noQuotes READ noQuotes WRITE setNoQuotes NOTIFY noQuotesChanged)
    Q_PROPERTY(quint8 styles READ styles WRITE setStyles NOTIFY stylesChanged)
    Q_PROPERTY(int fit READ fit WRITE setFit NOTIFY fitChanged)
    Q_PROPERTY(
        huevane::LengthLimit customFit READ customFit WRITE setCustomFit NOTIFY customFitChanged)
    Q_PROPERTY(QString output READ output NOTIFY outputChanged)

public:
    /// The sample text the window opens with (lines separated by CR LF).
    static const QString SampleText;

    /// The panels' numbers: 1 start, 2 end, 3 background.
    static constexpr int Start = 1, End = 2, Back = 3;

    explicit GradientModel(QObject *parent = nullptr);
    ~GradientModel() override;

    /// The text as typed; any line end (lineends.h) ends a line.
    QString text() const;
    void setText(const QString &text);

    /// The three decimal texts (red, green, blue) of panel @p panel as last
    /// committed; never brought into 0..255 here (a list of another length is
    /// not taken). Setting them also sets the
    /// first (start) or last (end) stop to the colour they read as, and ends
    /// the editing of setEditedValues().
    QStringList values(int panel) const;
    void setValues(int panel, const QStringList &values);
    QStringList startValues() const { return values(Start); }
    void setStartValues(const QStringList &v) { setValues(Start, v); }
    QStringList endValues() const { return values(End); }
    void setEndValues(const QStringList &v) { setValues(End, v); }
    QStringList backValues() const { return values(Back); }
    void setBackValues(const QStringList &v) { setValues(Back, v); }

    /// The colour panel @p panel's committed texts read (ValueOfText), not
    /// brought into 0..255.
    ColourTriplet colour(int panel) const;

    /// The texts panel @p panel's fields hold while one of them is being
    /// edited: what recomputes read until setValues() commits. Changes nothing
    /// by itself.
    void setEditedValues(int panel, const QStringList &values);

    /// The stops, 2 to 16, places 0 to 100 never decreasing; the first and last
    /// are the start and end colours, each component of their texts rounded
    /// half-even into 0..255. Default: those two, at 0 and 100. Setting a list
    /// that breaks these rules does nothing; setting another first or last
    /// colour writes it into the start or end texts.
    QList<Stop> stops() const;
    void setStops(const QList<Stop> &stops);

    /// The space the stops mix in; rgb by default.
    ColourSpace space() const;
    void setSpace(ColourSpace space);

    /// Which way round a hue goes, for oklch and hsl; shorter by default.
    HueRule hue() const;
    void setHue(HueRule hue);

    /// Stops, space and hue at once, as a preset gives them.
    void setStopGradient(const StopGradient &gradient);

    /// The selected gradient type (1 by default). Setting it draws the text preview.
    GradientType type() const;
    void setType(GradientType type);

    /// Selects @p type and draws the text preview with it, also when it was
    /// selected already.
    void selectType(GradientType type);

    /// The turning point of type 3, in characters; setting the text puts it in
    /// the middle of the text's characters.
    qint32 centre() const;
    void setCentre(qint32 centre);

    /// The gradient restarts on every line; off by default.
    bool perLine() const;
    void setPerLine(bool perLine);

    /// The text preview's size in points; 8 by default. Setting it draws the
    /// text preview.
    double textSize() const;
    void setTextSize(double points);

    /// The options of 'Generate': tag names in upper case, the colour attribute
    /// without quotes; both off by default. They draw nothing.
    bool upperCaseTags() const;
    void setUpperCaseTags(bool upperCase);
    bool noQuotes() const;
    void setNoQuotes(bool noQuotes);

    /// The styles 'Copy as' writes and the text preview shows (a bit for each
    /// Style); none by default. 'Generate' leaves them out. They draw nothing
    /// here: the text preview follows stylesChanged().
    Styles styles() const;
    void setStyles(Styles styles);
    /// Sets or clears one of the styles.
    void setStyle(Style style, bool on);

    /// What 'Fit to' fits every 'Copy as' entry to: NoFit (the default), a place
    /// of FitTargets by its index, or CustomFit. Other numbers are not taken.
    int fit() const;
    void setFit(int fit);

    /// The limit of CustomFit, kept for the session: 256 characters (UTF-16 code
    /// units) of the whole output by default. A length below 1 is not taken.
    LengthLimit customFit() const;
    void setCustomFit(const LengthLimit &limit);

    /// The limit fit() stands for; none for NoFit.
    std::optional<LengthLimit> fitLimit() const;

    /// Turns the whole gradient round: the start and end texts change places
    /// and the stops run the other way; the three panels' texts (those being
    /// edited included) are then brought into 0..255 (an empty one stays
    /// empty). Draws the text preview.
    void reverse();

    /// Draws the text preview with @p type, whatever type is selected; a type
    /// other than 1 to 3 computes no colours and tells drawFailed().
    void draw(GradientType type);

    /// Writes the text in the colours of the last drawing, with the tag
    /// options, into output().
    void generate();

    /// What the output box shows: HtmlPlaceholder, or the HTML of generate().
    QString output() const;

    /// The text with its lines and characters.
    const PreparedText &preparedText() const;

    /// The gradient the last recompute worked out from the inputs, the texts
    /// being edited included.
    const Gradient &gradient() const;

    /// The background colour, read as gradient() is.
    ColourTriplet backColour() const;

    /// Everything above as one record, with the output options.
    const GradientSettings &settings() const;

    /// The colours of the last drawing of the text preview, one for every
    /// character; none for a blank text or after a failed drawing.
    const QList<CharColour> &colours() const;

Q_SIGNALS:
    void textChanged(const QString &text);
    void startValuesChanged(const QStringList &values);
    void endValuesChanged(const QStringList &values);
    void backValuesChanged(const QStringList &values);
    void stopsChanged(const QList<huevane::Stop> &stops);
    void spaceChanged(huevane::ColourSpace space);
    void hueChanged(huevane::HueRule hue);
    void typeChanged(huevane::GradientType type);
    void centreChanged(qint32 centre);
    void perLineChanged(bool perLine);
    void textSizeChanged(double points);
    void upperCaseTagsChanged(bool upperCase);
    void noQuotesChanged(bool noQuotes);
    void stylesChanged(huevane::Styles styles);
    void fitChanged(int fit);
    void customFitChanged(const huevane::LengthLimit &limit);
    void outputChanged(const QString &output);

    /// What the type previews show changed: with @p turningPointOnly, only the
    /// turning point, which the third shows.
    void stripesChanged(bool turningPointOnly);

    /// The text preview was drawn anew: colours() hold its colours, or none
    /// for a blank text (which leaves the preview as it was, background too).
    void drawn();

    /// A drawing was asked for with @p type, which is not 1 to 3.
    void drawFailed(int type);

    /// A recompute ended: once for every change of the inputs.
    void recomputed();

private:
    class Change;
    enum Affects : quint8 { Draw = 1, Stripes = 2, Placeholder = 4 };
    void touch(quint8 affects);
    void recompute();
    void paint(GradientType type);
    void setOutput(const QString &output);

    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace huevane
