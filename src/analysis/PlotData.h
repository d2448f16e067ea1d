#pragma once

#include <array>
#include <string>
#include <vector>

namespace velutra {

struct AnalysisResult;
struct CompressorRecord;

// The plot types of the plot form, by the record's code (its plotType field).
enum class PlotType { Capacity = 0, Power = 1, IsentropicEfficiency = 2, VolumetricEfficiency = 3 };

// How the sets are drawn: the map curves as lines through marked points, the efficiencies as
// unconnected points. The values are the graph's own type codes.
enum class GraphKind { LinesWithMarkers = 6, Points = 9 };

// The graph shows at most six sets, one per condensing temperature of the map.
inline constexpr int kPlotSets = 6;

// Colours of sets 0..5 as codes of the classic 16-colour palette: dark blue, dark red, blue,
// dark cyan, red, black.
inline constexpr std::array<int, kPlotSets> kSetColours = { 1, 4, 9, 3, 12, 0 };

// A colour of the classic 16-colour palette as 0xRRGGBB; codes outside 0..15 give black.
unsigned PaletteRgb(int code);

struct AxisScale {
    double minimum = 0;
    double maximum = 0;
    int ticks = 0;
};

// X axis of the map curves from the smallest and largest evaporating temperature: both ends on
// multiples of 10 at or outside the data; ticks are the tens left of zero when the axis reaches
// above zero, otherwise the tens of the whole axis.
AxisScale TemperatureAxis(double smallest, double largest);

// Y axis of the map curves from the smallest and largest capacity or power: the minimum is the
// smallest value truncated to hundreds, the maximum the largest truncated to hundreds plus 100
// (so a largest value of exactly 5600 gives 5700); 5 ticks.
AxisScale MapValueAxis(double smallest, double largest);

// X axis of the efficiency plots from the largest pressure ratio of the sorted points: 0 to the
// next multiple of 10 above it, one tick per 10. With no points (count 0) the axis is 0 to 10.
AxisScale PressureRatioAxis(int count, double largestRatio);

// Y axis of the efficiency plots: 0 to 1 with 5 ticks.
AxisScale EfficiencyAxis();

// Legend text of a condensing temperature: truncated toward zero to an integer (54.44 gives
// "54", -5.5 gives "-5").
std::string LegendText(double condTemp);

// The distance between labelled ticks when an axis is drawn: the axis' own tick count when it
// divides the axis into at least 4 round steps (1, 2, 2.5 or 5 times a power of ten), otherwise
// a round step that gives about 10 intervals.
double TickInterval(double minimum, double maximum, int ticks);

// What one plot type shows of the analysis' current (entered or rebuilt) map.
struct PlotData {
    PlotType type = PlotType::Capacity;
    GraphKind kind = GraphKind::LinesWithMarkers;
    int sets = 0;
    int points = 0;
    std::vector<double> x; // per point
    std::vector<double> values; // sets x points, row by row; NaN where a point is left out
    std::array<std::string, kPlotSets> legend; // map curves: every set's condensing temperature
    AxisScale xAxis;
    AxisScale yAxis;
    std::string bottomTitle;
    std::string leftTitle;

    int CurveCount() const; // sets with at least one point drawn
    int PointCount() const; // points drawn in all sets
};

// The map curves (capacity or power against evaporating temperature, one set per condensing
// row) of the analysis' working map. A point whose states could not be computed, or whose value
// is not finite, is left out (NaN) and takes no part in the Y range.
PlotData MapCurves(const AnalysisResult& analysis, const CompressorRecord& record, PlotType type);

// The efficiency points of the current map against pressure ratio; points whose efficiency is
// not finite are left out.
PlotData EfficiencyPoints(const AnalysisResult& analysis, PlotType type);

// What a screen reader says about the graph: the plot type and the number of curves or points.
std::string PlotDescription(const PlotData& plot);

} // namespace velutra
