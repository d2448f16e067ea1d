#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <vector>

class QChart;
class QChartView;

namespace velutra {

// The graph of the plot form: a chart that keeps the display properties and data it is given
// and draws them only on the draw command, so that a form sets everything first and the chart
// is laid out once. Every property reads back as it was set. Colours are codes of the classic
// 16-colour palette (0 black .. 15 white).
class GraphControl : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxSets = 6;
    static constexpr int kMaxPoints = 48;

    // Graph types: lines through marked points, or unconnected points.
    enum class Type { LinesWithMarkers = 6, Points = 9 };

    struct Axis {
        double minimum = 0;
        double maximum = 10;
        int ticks = 0;
    };

    explicit GraphControl(QWidget* parent = nullptr);

    // Clears the data, the counts, colours and legend texts; titles and axes stay.
    void ResetData();

    // Counts are clamped to 0..kMaxSets and 0..kMaxPoints.
    void SetSetCount(int sets);
    int SetCount() const { return sets_; }
    void SetPointCount(int points);
    int PointCount() const { return points_; }

    void SetXPosition(int point, double x);
    double XPosition(int point) const;
    void SetData(int set, int point, double value);
    // NaN for a point left out.
    double Data(int set, int point) const;
    // Array feeds: X positions for the first `points` points, and data for sets x points, row
    // by row.
    void FeedXPositions(const std::vector<double>& x, int points);
    void FeedData(const std::vector<double>& values, int sets, int points);

    void SetColour(int set, int paletteCode);
    int Colour(int set) const;
    void SetLegendText(int set, const QString& text);
    QString LegendText(int set) const;
    // A line above the legend entries saying what they are; empty for none.
    void SetLegendHeading(const QString& heading) { legendHeading_ = heading; }
    QString LegendHeading() const { return legendHeading_; }
    void SetLegendVisible(bool visible) { legendVisible_ = visible; }
    bool LegendVisible() const { return legendVisible_; }

    void SetXAxis(const Axis& axis) { xAxis_ = axis; }
    Axis XAxis() const { return xAxis_; }
    void SetYAxis(const Axis& axis) { yAxis_ = axis; }
    Axis YAxis() const { return yAxis_; }
    void SetBottomTitle(const QString& title) { bottomTitle_ = title; }
    QString BottomTitle() const { return bottomTitle_; }
    void SetLeftTitle(const QString& title) { leftTitle_ = title; }
    QString LeftTitle() const { return leftTitle_; }
    void SetType(Type type) { type_ = type; }
    Type GraphType() const { return type_; }

    // Draws what the properties hold.
    void Draw();
    int DrawCount() const { return drawCount_; }
    // The drawn chart, as the last Draw left it.
    QChart* Chart() const;

    // Writes the drawn chart as a PNG image or an SVG drawing, chosen by the file name's suffix
    // (.png or .svg, any case). The file is replaced only when it was written completely.
    // Returns why it could not be written, or an empty text.
    QString Export(const QString& path) const;

    // A colour code of the classic palette.
    static QColor PaletteColour(int code);

private:
    int Index(int set, int point) const { return set * kMaxPoints + point; }
    bool ValidSet(int set) const { return set >= 0 && set < kMaxSets; }
    bool ValidPoint(int point) const { return point >= 0 && point < kMaxPoints; }

    QChartView* view_;
    int sets_ = 0;
    int points_ = 0;
    std::array<double, kMaxPoints> x_ {};
    std::array<double, kMaxSets * kMaxPoints> data_ {};
    std::array<int, kMaxSets> colours_ {};
    std::array<QString, kMaxSets> legend_ {};
    QString legendHeading_;
    bool legendVisible_ = false;
    Axis xAxis_;
    Axis yAxis_;
    QString bottomTitle_;
    QString leftTitle_;
    Type type_ = Type::LinesWithMarkers;
    int drawCount_ = 0;
};

} // namespace velutra
