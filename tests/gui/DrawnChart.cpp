#include "DrawnChart.h"

#include "forms/GraphControl.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <cmath>

namespace {

// The labelled ticks as the axis lays them out: dynamic ticks at the anchor plus whole steps
// that fall inside the range, fixed ticks spread evenly from end to end.
QList<double> Labels(const QValueAxis& axis) {
    QList<double> labels;
    const double slack = 1e-9 * (axis.max() - axis.min());
    if (axis.tickType() == QValueAxis::TicksDynamic) {
        const double step = axis.tickInterval();
        if (!(step > 0))
            return labels;
        for (double k = std::ceil((axis.min() - slack - axis.tickAnchor()) / step);
             axis.tickAnchor() + k * step <= axis.max() + slack; ++k)
            labels.append(axis.tickAnchor() + k * step);
    } else {
        const int count = axis.tickCount();
        for (int k = 0; k < count && count > 1; ++k)
            labels.append(axis.min() + (axis.max() - axis.min()) * k / (count - 1));
    }
    return labels;
}

QValueAxis* OnlyAxis(QChart& chart, Qt::Orientation orientation) {
    const QList<QAbstractAxis*> axes = chart.axes(orientation);
    return axes.size() == 1 ? qobject_cast<QValueAxis*>(axes.front()) : nullptr;
}

DrawnAxis ReadAxis(const QValueAxis& axis) {
    return { axis.titleText(), axis.min(), axis.max(), Labels(axis) };
}

} // namespace

QList<QPointF> DrawnChart::AllPoints() const {
    QList<QPointF> all;
    for (const DrawnSet& set : sets)
        all.append(set.points);
    return all;
}

bool DrawnChart::PointsInside() const {
    for (const QPointF& point : AllPoints())
        if (point.x() < x.minimum || point.x() > x.maximum || point.y() < y.minimum || point.y() > y.maximum)
            return false;
    return true;
}

DrawnChart ReadChart(const velutra::GraphControl& graph) {
    DrawnChart drawn;
    QChart* chart = graph.Chart();
    if (!chart) {
        drawn.fault = QStringLiteral("nothing drawn");
        return drawn;
    }
    QValueAxis* x = OnlyAxis(*chart, Qt::Horizontal);
    QValueAxis* y = OnlyAxis(*chart, Qt::Vertical);
    if (!x || !y) {
        drawn.fault = QStringLiteral("the chart has not one value axis each way");
        return drawn;
    }
    drawn.x = ReadAxis(*x);
    drawn.y = ReadAxis(*y);
    drawn.legendVisible = chart->legend()->isVisible();
    for (QLegendMarker* marker : chart->legend()->markers())
        if (marker->isVisible())
            drawn.legend.append(marker->label());

    for (QAbstractSeries* series : chart->series()) {
        auto* xy = qobject_cast<QXYSeries*>(series);
        if (!xy) {
            drawn.fault = QStringLiteral("a series of another kind: %1").arg(series->name());
            continue;
        }
        // The legend heading: an entry with nothing drawn.
        if (xy->color().alpha() == 0 && xy->count() == 0)
            continue;
        const QList<QAbstractAxis*> attached = xy->attachedAxes();
        if (!attached.contains(x) || !attached.contains(y))
            drawn.fault = QStringLiteral("set %1 is not drawn on the chart's axes").arg(xy->name());
        DrawnSet set;
        set.name = xy->name();
        set.colour = xy->color();
        set.lines = series->type() == QAbstractSeries::SeriesTypeLine;
        // A point that is not finite is not drawn: it leaves a gap.
        for (const QPointF& point : xy->points())
            if (std::isfinite(point.x()) && std::isfinite(point.y()))
                set.points.append(point);
        drawn.sets.append(set);
    }
    return drawn;
}
