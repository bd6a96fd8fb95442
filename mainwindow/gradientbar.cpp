#include "gradientbar.h"

#include "mainwindow/gradientmodel.h"
#include "platform/keyaccess.h"

#include <QAccessibleValueInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace huevane {

namespace {

constexpr int Margin = 7; // room for half a marker at 0 and at 100
constexpr int BarTop = 3;
constexpr int BarHeight = 24;
constexpr int MarkerHeight = 12;
constexpr int MarkerHalfWidth = 6;

double Tenths(double percent)
{
    return std::clamp(std::round(percent * 10.0) / 10.0, 0.0, 100.0);
}

// @p stops with stop @p k at @p percent, kept between its neighbours.
QList<Stop> Placed(QList<Stop> stops, int k, double percent)
{
    const double low = k > 0 ? stops[k - 1].position : 0.0;
    const double high = k + 1 < stops.size() ? stops[k + 1].position : 100.0;
    stops[k].position = std::clamp(percent, low, high);
    return stops;
}

// The bar as assistive technology sees it: a slider whose value is the place of
// the selected stop, with the keys' actions.
class BarAccessible : public KeyActionAccessible, public QAccessibleValueInterface
{
public:
    using KeyActionAccessible::KeyActionAccessible;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return KeyActionAccessible::interface_cast(type);
    }
    void setCurrentValue(const QVariant &value) override
    {
        const double place = value.toDouble();
        if (std::isfinite(place))
            bar()->moveSelected(place - currentValue().toDouble());
    }
    QVariant currentValue() const override { return bar()->selectedPlace(); }
    QVariant maximumValue() const override { return 100.0; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 1.0; }

protected:
    GradientBar *bar() const { return static_cast<GradientBar *>(widget()); }
    QAccessible::Role roleOf() const override { return QAccessible::Slider; }
    QList<KeyAction> actionsOf() const override
    {
        return {{QAccessibleActionInterface::increaseAction(), Qt::Key_Right},
                {QAccessibleActionInterface::decreaseAction(), Qt::Key_Left},
                {QStringLiteral("Select the next stop"), Qt::Key_Down},
                {QStringLiteral("Select the previous stop"), Qt::Key_Up},
                {QStringLiteral("Add a stop"), Qt::Key_Insert},
                {QStringLiteral("Remove the stop"), Qt::Key_Delete},
                {QStringLiteral("Choose its colour"), Qt::Key_Space}};
    }
};

QAccessibleInterface *BarAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(GradientBar::staticMetaObject.className()))
        return new BarAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void PaintGradient(QPainter &painter, const QRect &rect, const StopGradient &gradient)
{
    const StopMixer mixer(gradient);
    const int width = rect.width();
    for (int x = 0; x < width; ++x) {
        const double percent = width > 1 ? 100.0 * x / (width - 1) : 0.0;
        const auto [red, green, blue] = mixer.colourAt(percent);
        painter.fillRect(rect.left() + x, rect.top(), 1, rect.height(), QColor(red, green, blue));
    }
}

QString StopHex(const Stop &stop)
{
    return QString::asprintf("%02X%02X%02X", stop.red, stop.green, stop.blue);
}

StopGradient ShownGradient(const GradientModel &model)
{
    return StopsOf(model.gradient()).value_or(StopGradient {model.stops(), ColourSpace::Rgb});
}

class GradientBar::Private
{
public:
    GradientModel *model;
    int selected = 0;
    // A drag: the stops when it began, and the stop dragged; -1 when none.
    QList<Stop> dragFrom;
    int dragging = -1;
    QPoint pressedAt;
    bool moved = false;
};

GradientBar::GradientBar(GradientModel *model, QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    static const bool accessible = (QAccessible::installFactory(BarAccessibleFactory), true);
    Q_UNUSED(accessible);
    d->model = model;
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Gradient stops"));
    connect(model, &GradientModel::recomputed, this, [this] {
        setSelected(d->selected); // fewer stops than before
        update();
    });
    setSelected(0);
}

GradientBar::~GradientBar() = default;

int GradientBar::selected() const
{
    return d->selected;
}

void GradientBar::setSelected(int index)
{
    const QList<Stop> stops = d->model->stops();
    index = std::clamp(index, 0, int(stops.size()) - 1);
    const Stop &s = stops[index];
    setAccessibleDescription(QStringLiteral("Stop %1 of %2, #%3 at %4%")
                                 .arg(index + 1)
                                 .arg(stops.size())
                                 .arg(StopHex(s))
                                 .arg(s.position, 0, 'f', 1));
    if (index == d->selected)
        return;
    d->selected = index;
    update();
    QAccessibleValueChangeEvent event(this, s.position);
    QAccessible::updateAccessibility(&event);
    Q_EMIT selectedChanged(index);
}

QRect GradientBar::gradientRect() const
{
    return {Margin, BarTop, width() - 2 * Margin, BarHeight};
}

int GradientBar::markerX(int index) const
{
    const QRect bar = gradientRect();
    const double position = d->model->stops().value(index).position;
    return bar.left() + int(std::lround(position / 100.0 * (bar.width() - 1)));
}

double GradientBar::percentAt(int x) const
{
    const QRect bar = gradientRect();
    return Tenths(100.0 * (x - bar.left()) / std::max(1, bar.width() - 1));
}

double GradientBar::selectedPlace() const
{
    return d->model->stops().value(d->selected).position;
}

// The marker under @p point: the selected one where markers overlap, else the
// nearest; -1 for none.
int GradientBar::markerAt(QPoint point) const
{
    const auto distance = [&](int i) { return std::abs(point.x() - markerX(i)); };
    if (distance(d->selected) <= MarkerHalfWidth)
        return d->selected;
    int found = -1;
    for (int i = 0; i < d->model->stops().size(); ++i) {
        if (distance(i) <= MarkerHalfWidth && (found < 0 || distance(i) < distance(found)))
            found = i;
    }
    return found;
}

void GradientBar::addStop(double percent)
{
    QList<Stop> stops = d->model->stops();
    if (stops.size() >= MostStops)
        return;
    percent = Tenths(percent);
    const auto [red, green, blue] = StopMixer(ShownGradient(*d->model)).colourAt(percent);
    int at = 0;
    while (at < stops.size() && stops[at].position <= percent)
        ++at;
    stops.insert(at, {red, green, blue, percent});
    d->model->setStops(stops);
    setSelected(at);
}

void GradientBar::removeSelected()
{
    QList<Stop> stops = d->model->stops();
    if (stops.size() <= FewestStops)
        return;
    stops.removeAt(d->selected);
    d->model->setStops(stops);
    setSelected(d->selected);
}

void GradientBar::moveSelected(double percent)
{
    const QList<Stop> stops = d->model->stops();
    const int k = d->selected;
    d->model->setStops(Placed(stops, k, Tenths(stops[k].position + percent)));
    setSelected(k);
}

void GradientBar::dragTo(QPoint point)
{
    QList<Stop> stops = d->dragFrom;
    const int k = d->dragging;
    const QRect bar = gradientRect();
    const bool off = point.y() < bar.top() - DragOffDistance
        || point.y() > bar.bottom() + MarkerHeight + DragOffDistance;
    if (off && stops.size() > FewestStops) {
        stops.removeAt(k);
        d->model->setStops(stops);
        setSelected(std::min(k, int(stops.size()) - 1));
        return;
    }
    d->model->setStops(Placed(stops, k, percentAt(point.x())));
    setSelected(k);
}

void GradientBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    int k = markerAt(at);
    if (k < 0) {
        addStop(percentAt(at.x()));
        k = d->selected;
    }
    setSelected(k);
    d->dragFrom = d->model->stops();
    d->dragging = k;
    d->pressedAt = at;
    d->moved = false;
}

void GradientBar::mouseMoveEvent(QMouseEvent *event)
{
    if (d->dragging < 0)
        return;
    const QPoint at = event->position().toPoint();
    // A click that wobbles a little is no drag.
    if (!d->moved && (at - d->pressedAt).manhattanLength() < QApplication::startDragDistance())
        return;
    d->moved = true;
    dragTo(at);
}

void GradientBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        d->dragging = -1;
}

void GradientBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int k = markerAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && k >= 0)
        Q_EMIT colourRequested(k);
}

void GradientBar::keyPressEvent(QKeyEvent *event)
{
    const double step = event->modifiers() & Qt::ShiftModifier ? 10.0 : 1.0;
    const QList<Stop> stops = d->model->stops();
    const int k = d->selected;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (d->dragging < 0)
            moveSelected(event->key() == Qt::Key_Left ? -step : step);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        setSelected(k + (event->key() == Qt::Key_Up ? -1 : 1));
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        setSelected(event->key() == Qt::Key_Home ? 0 : int(stops.size()) - 1);
        break;
    case Qt::Key_Insert: {
        const Stop &next = stops[std::min(k + 1, int(stops.size()) - 1)];
        const Stop &before = stops[k + 1 < stops.size() ? k : k - 1];
        addStop((before.position + next.position) / 2.0);
        break;
    }
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (d->dragging < 0)
            removeSelected();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Q_EMIT colourRequested(k);
        break;
    case Qt::Key_Escape:
        // A drag given up: the stops as they were before it.
        if (d->dragging < 0)
            return QWidget::keyPressEvent(event);
        d->model->setStops(d->dragFrom);
        d->dragging = -1;
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    update();
}

// Escape during a drag gives the drag up, before it can close the editor.
bool GradientBar::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && d->dragging >= 0
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void GradientBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect bar = gradientRect();
    PaintGradient(painter, bar, ShownGradient(*d->model));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(bar.adjusted(0, 0, -1, -1));

    painter.setRenderHint(QPainter::Antialiasing);
    const QList<Stop> stops = d->model->stops();
    for (int i = 0; i < stops.size(); ++i) {
        const int x = markerX(i);
        const double top = bar.bottom() + 1.5;
        QPainterPath marker;
        marker.moveTo(x, top);
        marker.lineTo(x + MarkerHalfWidth, top + 5);
        marker.lineTo(x + MarkerHalfWidth, top + MarkerHeight);
        marker.lineTo(x - MarkerHalfWidth, top + MarkerHeight);
        marker.lineTo(x - MarkerHalfWidth, top + 5);
        marker.closeSubpath();
        const bool chosen = i == d->selected;
        painter.setBrush(QColor(stops[i].red, stops[i].green, stops[i].blue));
        painter.setPen(QPen(chosen ? Qt::white : Qt::darkGray, chosen ? 3 : 1));
        painter.drawPath(marker);
        if (chosen) {
            painter.setPen(QPen(Qt::black, 1));
            painter.drawPath(marker);
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (hasFocus())
        DrawFocusMark(painter, rect());
}

QSize GradientBar::sizeHint() const
{
    return {360, minimumSizeHint().height()};
}

QSize GradientBar::minimumSizeHint() const
{
    return {120, BarTop + BarHeight + MarkerHeight + 5};
}

} // namespace huevane
