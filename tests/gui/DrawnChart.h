#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

namespace velutra {
class GraphControl;
}

// What the plot form's graph has drawn, read from its chart's series, legend and axes rather than
// from the values the graph was handed, so that a fault in the drawing shows.
struct DrawnSet {
    QString name; // its legend text
    QColor colour;
    bool lines = false; // a line through marked points; otherwise unconnected points
    QList<QPointF> points; // in drawing order; a point left out leaves no point
};

struct DrawnAxis {
    QString title;
    double minimum = 0;
    double maximum = 0;
    // The values at which labelled ticks are drawn, smallest first.
    QList<double> labels;
};

struct DrawnChart {
    // Why the chart could not be read as a plot (no value axes, a set not on them); empty when
    // it could.
    QString fault;
    QList<DrawnSet> sets; // the legend heading's empty entry is not a set
    bool legendVisible = false;
    QStringList legend; // the texts of the legend's entries, heading first
    DrawnAxis x;
    DrawnAxis y;

    QList<QPointF> AllPoints() const;
    // Whether every drawn point lies inside the plot area.
    bool PointsInside() const;
};

DrawnChart ReadChart(const velutra::GraphControl& graph);
