#include "forms/GraphControl.h"

#include "analysis/PlotData.h"

#include <QAccessibleWidget>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>
#include <limits>

namespace velutra {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

QValueAxis* MakeAxis(const GraphControl::Axis& axis, const QString& title) {
    auto* made = new QValueAxis;
    // A little room beyond both ends, so that the markers of points on an end are not cut in
    // half by the plot area; the labelled ticks stay on the ends.
    const double room = 0.02 * (axis.maximum - axis.minimum);
    made->setRange(axis.minimum - room, axis.maximum + room);
    made->setTitleText(title);
    made->setLabelFormat(QStringLiteral("%g"));
    // Labelled ticks on round values, counted from zero, so that the labels read at a glance.
    made->setTickType(QValueAxis::TicksDynamic);
    made->setTickAnchor(0);
    made->setTickInterval(TickInterval(axis.minimum, axis.maximum, axis.ticks));
    return made;
}

// Screen readers are told that the graph is a chart; its name and description say what it shows.
QAccessibleInterface* GraphAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("velutra::GraphControl") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    return nullptr;
}

} // namespace

GraphControl::GraphControl(QWidget* parent)
    : QWidget(parent)
    , view_(new QChartView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFrameShape(QFrame::NoFrame);
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(GraphAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    setAccessibleName(QStringLiteral("Plot"));
    ResetData();
}

void GraphControl::ResetData() {
    sets_ = 0;
    points_ = 0;
    x_.fill(kNaN);
    data_.fill(kNaN);
    colours_.fill(0);
    legend_.fill(QString());
    legendHeading_.clear();
    legendVisible_ = false;
}

void GraphControl::SetSetCount(int sets) {
    sets_ = std::clamp(sets, 0, kMaxSets);
}

void GraphControl::SetPointCount(int points) {
    points_ = std::clamp(points, 0, kMaxPoints);
}

void GraphControl::SetXPosition(int point, double x) {
    if (ValidPoint(point))
        x_[static_cast<size_t>(point)] = x;
}

double GraphControl::XPosition(int point) const {
    return ValidPoint(point) ? x_[static_cast<size_t>(point)] : kNaN;
}

void GraphControl::SetData(int set, int point, double value) {
    if (ValidSet(set) && ValidPoint(point))
        data_[static_cast<size_t>(Index(set, point))] = value;
}

double GraphControl::Data(int set, int point) const {
    return ValidSet(set) && ValidPoint(point) ? data_[static_cast<size_t>(Index(set, point))] : kNaN;
}

void GraphControl::FeedXPositions(const std::vector<double>& x, int points) {
    for (int p = 0; p < points && p < static_cast<int>(x.size()); ++p)
        SetXPosition(p, x[static_cast<size_t>(p)]);
}

void GraphControl::FeedData(const std::vector<double>& values, int sets, int points) {
    for (int s = 0; s < sets; ++s)
        for (int p = 0; p < points; ++p) {
            const size_t at = static_cast<size_t>(s) * static_cast<size_t>(points) + static_cast<size_t>(p);
            if (at < values.size())
                SetData(s, p, values[at]);
        }
}

void GraphControl::SetColour(int set, int paletteCode) {
    if (ValidSet(set))
        colours_[static_cast<size_t>(set)] = paletteCode;
}

int GraphControl::Colour(int set) const {
    return ValidSet(set) ? colours_[static_cast<size_t>(set)] : 0;
}

void GraphControl::SetLegendText(int set, const QString& text) {
    if (ValidSet(set))
        legend_[static_cast<size_t>(set)] = text;
}

QString GraphControl::LegendText(int set) const {
    return ValidSet(set) ? legend_[static_cast<size_t>(set)] : QString();
}

QColor GraphControl::PaletteColour(int code) {
    return QColor::fromRgb(static_cast<QRgb>(PaletteRgb(code)));
}

QChart* GraphControl::Chart() const {
    return view_->chart();
}

void GraphControl::Draw() {
    auto* chart = new QChart;
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    QValueAxis* x = MakeAxis(xAxis_, bottomTitle_);
    QValueAxis* y = MakeAxis(yAxis_, leftTitle_);
    y->setMinorTickCount(1);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    QLegend* legend = chart->legend();
    legend->setVisible(legendVisible_);
    legend->setAlignment(Qt::AlignBottom);
    // Six condensing temperatures and their heading must fit in one row under the plot.
    QFont legendFont = legend->font();
    legendFont.setPointSizeF(legendFont.pointSizeF() * 0.8);
    legend->setFont(legendFont);
    QXYSeries* heading = nullptr;
    if (legendVisible_ && !legendHeading_.isEmpty()) {
        // An empty series whose only part is its legend entry, with no marker.
        heading = new QLineSeries;
        heading->setName(legendHeading_);
        heading->setColor(Qt::transparent);
        chart->addSeries(heading);
        heading->attachAxis(x);
        heading->attachAxis(y);
    }

    for (int s = 0; s < sets_; ++s) {
        const QColor colour = PaletteColour(colours_[static_cast<size_t>(s)]);
        QXYSeries* series = nullptr;
        if (type_ == Type::Points) {
            auto* points = new QScatterSeries;
            points->setMarkerSize(8);
            points->setColor(colour);
            points->setBorderColor(colour);
            series = points;
        } else {
            auto* line = new QLineSeries;
            QPen pen(colour);
            pen.setWidth(2);
            line->setPen(pen);
            line->setPointsVisible(true);
            line->setMarkerSize(4);
            series = line;
        }
        series->setName(legend_[static_cast<size_t>(s)]);
        for (int p = 0; p < points_; ++p) {
            const double value = Data(s, p);
            const double at = XPosition(p);
            if (std::isfinite(value) && std::isfinite(at))
                series->append(at, value);
        }
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    if (heading) {
        for (QLegendMarker* marker : legend->markers(heading)) {
            marker->setPen(QPen(Qt::transparent));
            marker->setBrush(QBrush(Qt::transparent));
        }
    }

    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
    ++drawCount_;
}

QString GraphControl::Export(const QString& path) const {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg"))
        return QStringLiteral("a plot is exported as a .png image or an .svg drawing");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (suffix == QLatin1String("png")) {
        if (!view_->grab().save(&file, "PNG")) {
            file.cancelWriting();
            return QStringLiteral("the image could not be encoded");
        }
    } else {
        QSvgGenerator drawing;
        drawing.setOutputDevice(&file);
        drawing.setSize(view_->size());
        drawing.setViewBox(view_->rect());
        drawing.setTitle(accessibleName());
        drawing.setDescription(accessibleDescription());
        QPainter painter;
        if (!painter.begin(&drawing)) {
            file.cancelWriting();
            return QStringLiteral("the drawing could not be started");
        }
        view_->render(&painter);
        painter.end();
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace velutra
