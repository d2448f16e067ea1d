#include "analysis/PlotData.h"

#include "analysis/Analysis.h"
#include "analysis/SmoothingMethods.h"
#include "record/CompressorRecord.h"
#include "record/TextRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velutra {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Whether a step is 1, 2, 2.5 or 5 times a power of ten.
bool IsRoundStep(double step) {
    if (!(step > 0) || !std::isfinite(step))
        return false;
    const double magnitude = std::pow(10.0, std::floor(std::log10(step)));
    const double mantissa = step / magnitude;
    for (const double round : { 1.0, 2.0, 2.5, 5.0, 10.0 })
        if (std::abs(mantissa - round) < 1e-9 * round)
            return true;
    return false;
}

const char* PlotTypeTitle(PlotType type) {
    switch (type) {
    case PlotType::Capacity:
        return "Compressor capacity";
    case PlotType::Power:
        return "Compressor power";
    case PlotType::IsentropicEfficiency:
        return "Isentropic efficiency";
    case PlotType::VolumetricEfficiency:
        return "Volumetric efficiency";
    }
    return "";
}

} // namespace

unsigned PaletteRgb(int code) {
    static constexpr std::array<unsigned, 16> palette = {
        0x000000, // black
        0x000080, // dark blue
        0x008000, // dark green
        0x008080, // dark cyan
        0x800000, // dark red
        0x800080, // dark magenta
        0x808000, // dark yellow
        0xC0C0C0, // light grey
        0x808080, // dark grey
        0x0000FF, // blue
        0x00FF00, // green
        0x00FFFF, // cyan
        0xFF0000, // red
        0xFF00FF, // magenta
        0xFFFF00, // yellow
        0xFFFFFF, // white
    };
    return code >= 0 && code < 16 ? palette[static_cast<size_t>(code)] : 0x000000;
}

AxisScale TemperatureAxis(double smallest, double largest) {
    AxisScale axis;
    axis.minimum = std::trunc(smallest * 0.1) * 10;
    if (axis.minimum > smallest)
        axis.minimum -= 10;
    axis.maximum = std::trunc(largest * 0.1) * 10;
    if (axis.maximum < largest)
        axis.maximum += 10;
    axis.minimum += 0.0; // no "-0" on the axis
    axis.maximum += 0.0;
    // The tens left of zero while the axis crosses zero; an axis wholly above zero would get a
    // negative count that way, so it counts its own tens as an axis below zero does.
    axis.ticks = axis.maximum > 0 && axis.minimum < 0 ? TruncateToInt(-axis.minimum * 0.1)
                                                      : TruncateToInt((axis.maximum - axis.minimum) * 0.1);
    return axis;
}

AxisScale MapValueAxis(double smallest, double largest) {
    return { std::trunc(smallest * 0.01) * 100 + 0.0, (std::trunc(largest * 0.01) + 1) * 100, 5 };
}

AxisScale PressureRatioAxis(int count, double largestRatio) {
    AxisScale axis;
    axis.maximum = count > 0 && std::isfinite(largestRatio) ? (std::trunc(largestRatio * 0.1) + 1) * 10 : 10;
    axis.ticks = TruncateToInt(axis.maximum * 0.1);
    return axis;
}

AxisScale EfficiencyAxis() {
    return { 0, 1.0, 5 };
}

std::string LegendText(double condTemp) {
    return IntToText(TruncateToInt(condTemp));
}

double TickInterval(double minimum, double maximum, int ticks) {
    const double range = maximum - minimum;
    if (!(range > 0) || !std::isfinite(range))
        return 1;
    if (ticks >= 4 && IsRoundStep(range / ticks))
        return range / ticks;
    const double raw = range / 10;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double round : { 1.0, 2.0, 2.5, 5.0 })
        if (round * magnitude >= raw * (1 - 1e-9))
            return round * magnitude;
    return 10 * magnitude;
}

int PlotData::CurveCount() const {
    int count = 0;
    for (int s = 0; s < sets; ++s) {
        const auto first = values.begin() + static_cast<std::ptrdiff_t>(s) * points;
        if (std::any_of(first, first + points, [](double v) { return std::isfinite(v); }))
            ++count;
    }
    return count;
}

int PlotData::PointCount() const {
    return static_cast<int>(
        std::count_if(values.begin(), values.end(), [](double v) { return std::isfinite(v); }));
}

PlotData MapCurves(const AnalysisResult& analysis, const CompressorRecord& record, PlotType type) {
    PlotData plot;
    plot.type = type;
    plot.kind = GraphKind::LinesWithMarkers;
    plot.sets = analysis.rows;
    plot.points = analysis.columns;

    double smallestTemp = std::numeric_limits<double>::infinity();
    double largestTemp = -smallestTemp;
    for (int c = 0; c < plot.points; ++c) {
        plot.x.push_back(TruncateToInt(analysis.evapTemp[c]));
        smallestTemp = std::min(smallestTemp, analysis.evapTemp[c]);
        largestTemp = std::max(largestTemp, analysis.evapTemp[c]);
    }

    const MapTable<double>& table = type == PlotType::Power ? analysis.power : analysis.capacity;
    double smallest = std::numeric_limits<double>::infinity();
    double largest = -smallest;
    for (int r = 0; r < plot.sets; ++r) {
        for (int c = 0; c < plot.points; ++c) {
            const double value = table[r][c];
            if (analysis.pointFailed[r][c] || !std::isfinite(value)) {
                plot.values.push_back(kNaN);
                continue;
            }
            plot.values.push_back(value);
            smallest = std::min(smallest, value);
            largest = std::max(largest, value);
        }
    }

    plot.xAxis = plot.points > 0 ? TemperatureAxis(smallestTemp, largestTemp) : AxisScale { 0, 10, 1 };
    plot.yAxis = smallest <= largest ? MapValueAxis(smallest, largest) : MapValueAxis(0, 0);

    const char* unit = record.unitsEnglish == 1 ? " (F)" : record.unitsSI == 1 ? " (C)" : "";
    plot.bottomTitle = std::string("Evaporator Temperature") + unit;
    if (type == PlotType::Power) {
        plot.leftTitle = "Power (W)";
    } else {
        plot.leftTitle = std::string("Capacity")
            + (record.unitsEnglish == 1   ? " (Btuh)"
                    : record.unitsSI == 1 ? " (Kcalh)"
                                          : "");
    }
    for (int k = 0; k < kPlotSets; ++k)
        plot.legend[static_cast<size_t>(k)] = LegendText(analysis.condTemp[k]);
    return plot;
}

PlotData EfficiencyPoints(const AnalysisResult& analysis, PlotType type) {
    PlotData plot;
    plot.type = type;
    plot.kind = GraphKind::Points;
    plot.sets = 1;
    plot.points = static_cast<int>(analysis.validPoints.size());
    for (const EfficiencyPoint& point : analysis.validPoints) {
        const double efficiency
            = type == PlotType::IsentropicEfficiency ? point.isentropicEff : point.volumetricEff;
        plot.x.push_back(point.pressureRatio);
        plot.values.push_back(std::isfinite(efficiency) ? efficiency : kNaN);
    }
    plot.bottomTitle = "Pressure Ratio";
    plot.leftTitle
        = type == PlotType::IsentropicEfficiency ? "Isentropic Efficiency" : "Volumetric Efficiency";
    plot.xAxis = PressureRatioAxis(plot.points, plot.points > 0 ? plot.x.back() : 0);
    plot.yAxis = EfficiencyAxis();
    plot.legend[0] = SmoothingMethodTitle(analysis.smoothingMethod);
    return plot;
}

std::string PlotDescription(const PlotData& plot) {
    std::string text = PlotTypeTitle(plot.type);
    text += " against ";
    text += plot.kind == GraphKind::Points ? "pressure ratio: " : "evaporating temperature: ";
    const int points = plot.PointCount();
    if (plot.kind == GraphKind::LinesWithMarkers) {
        const int curves = plot.CurveCount();
        text += IntToText(curves) + (curves == 1 ? " curve, " : " curves, ");
    }
    text += IntToText(points) + (points == 1 ? " point" : " points");
    return text;
}

} // namespace velutra
