#include "cli/AnalysisText.h"

#include "analysis/SmoothedMap.h"
#include "analysis/SmoothingMethods.h"
#include "record/RatingConditionsText.h"
#include "record/TextRules.h"
#include "record/UnitRules.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

namespace velutra::cli {

namespace {

// A number, or "n/a" where there is none (an undefined fit, a value of a failed point).
std::string Number(double value, int precision) {
    return std::isfinite(value) ? FormatFixed(value, precision) : "n/a";
}

// A table of rows in use; blank cells of the entered map stay blank (`blank` null for tables at
// other temperatures), and a value that could not be computed reads "n/a".
void PrintTable(std::ostream& out, const std::string& title, const MapTable<double>& table,
    const AnalysisResult& result, int columns, int precision, const MapTable<bool>* blank) {
    out << title << '\n';
    for (int r = 0; r < result.rows; ++r) {
        out << FormatFixed(result.condTemp[r], 1, 8) << " |";
        for (int c = 0; c < columns; ++c) {
            if (blank && (*blank)[r][c])
                out << std::string(11, ' ');
            else
                out << ' '
                    << (std::isfinite(table[r][c]) ? FormatFixed(table[r][c], precision, 10) : "       n/a");
        }
        out << '\n';
    }
}

// An EER, or "n/a" where there is none.
std::string Eer(double value) {
    return std::isfinite(value) ? FormatFixed(value, 3) : "n/a";
}

// "Beyond the entered map (row, column from 1): (1, 2) ..." when any cell is marked.
void PrintMarkedCells(std::ostream& out, const MapTable<bool>& marked, int rows, int columns) {
    std::string cells;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (marked[r][c])
                cells += " (" + std::to_string(r + 1) + ", " + std::to_string(c + 1) + ')';
    if (!cells.empty())
        out << "Beyond the entered map (row, column from 1):" << cells << '\n';
}

std::string CapacityTitle(const AnalysisResult& result) {
    return result.english ? "Capacity (Btu/h)" : "Capacity (kcal/h)";
}

bool AnyFinite(const MapTable<double>& table, const AnalysisResult& result) {
    for (int r = 0; r < result.rows; ++r)
        for (int c = 0; c < result.columns; ++c)
            if (std::isfinite(table[r][c]))
                return true;
    return false;
}

void PrintRerated(std::ostream& out, const AnalysisResult& result) {
    const ReratedMap& map = *result.rerated;
    out << "\nRe-rated to " << FormatRatingConditions(*result.rerateTo) << '\n';
    PrintTable(out, CapacityTitle(result), map.capacity, result, result.columns, 1, &result.pointBlank);
    PrintTable(out, "Power (W)", map.power, result, result.columns, 1, &result.pointBlank);
    PrintTable(out, result.english ? "Mass flow (lb/h)" : "Mass flow (kg/h)",
        MassFlowInMapUnits(map.massFlowKgH, result.english), result, result.columns, 2, &result.pointBlank);
}

void PrintSmoothedMap(std::ostream& out, const AnalysisResult& result) {
    const SmoothedMap& map = result.smoothedMap->map;
    out << "\nSmoothed map at the fixed evaporating temperatures " << (result.english ? "(F)" : "(C)");
    for (int k = 0; k < SmoothedMap::kFixedColumns; ++k)
        out << ' ' << FormatFixed(SmoothedMap::FixedEvapTemp(k, result.english), 0);
    const int shownFor = result.smoothedMap->refrigerantIndex;
    if (shownFor != result.refrigerantIndex)
        out << ", " << kRefrigerantNames[static_cast<size_t>(shownFor)];
    out << '\n';
    PrintTable(out, CapacityTitle(result), map.capacity, result, SmoothedMap::kFixedColumns, 1, nullptr);
    PrintTable(out, "Power (W)", map.power, result, SmoothedMap::kFixedColumns, 1, nullptr);
    const std::string beyond = ExtrapolationText(map.BeyondCount(result.rows),
        result.rows * SmoothedMap::kFixedColumns, result.smoothedMap->ratingBeyondEnteredMap);
    if (beyond.empty())
        return;
    out << beyond << " (row, column from 1):";
    for (int r = 0; r < result.rows; ++r)
        for (int k = 0; k < SmoothedMap::kFixedColumns; ++k)
            if (map.beyondEnteredMap[r][k])
                out << " (" << r + 1 << ", " << k + 1 << ')';
    out << '\n';
}

void PrintFits(std::ostream& out, const AnalysisResult& result) {
    const FittedCompressor& f = result.fitted;
    out << "\nFits against pressure ratio p\n"
        << "  suction flow           " << Number(f.flow.intercept, 6) << " + " << Number(f.flow.slope, 6)
        << " p\n"
        << "  isentropic eff, line   " << Number(f.iseLine.intercept, 6) << " + "
        << Number(f.iseLine.slope, 6) << " p\n"
        << "  isentropic eff, quad   " << Number(f.iseQuad[0], 6) << " + " << Number(f.iseQuad[1], 6)
        << " p + " << Number(f.iseQuad[2], 8) << " p^2\n";
    for (int r = 0; r < result.rows; ++r) {
        const LineFit& line = f.iseLineByCond[r];
        const Vector3& quad = f.iseQuadByCond[r];
        out << "  row " << FormatFixed(result.condTemp[r], 1) << ": line " << Number(line.intercept, 6)
            << " + " << Number(line.slope, 6) << " p; quad " << Number(quad[0], 6) << " + "
            << Number(quad[1], 6) << " p + " << Number(quad[2], 8) << " p^2\n";
    }
}

void PrintQuality(std::ostream& out, const AnalysisResult& result) {
    const FitQuality& q = result.quality;
    out << "\nLargest deviation from the entered map: capacity "
        << Number(result.largestCapacityDeviation * 100, 2) << " %, power "
        << Number(result.largestPowerDeviation * 100, 2) << " %\n"
        << "Smoothed vs entered at the " << result.validPoints.size() << " valid points: capacity RMS "
        << Number(q.capacityRms, 2) << " %, max " << Number(q.capacityMax, 2) << " %; power RMS "
        << Number(q.powerRms, 2) << " %, max " << Number(q.powerMax, 2) << " %\n"
        << "EER at the rating point (Btu/h per W"
        << (result.ratingEERsRerated ? ", the map re-rated to ashrae conditions" : "") << "): map "
        << Eer(result.mapRatingEER) << (result.mapRatingExtrapolated ? " (extrapolated)" : "")
        << ", smoothed " << Eer(result.smoothedRatingEER)
        << (result.smoothedRatingExtrapolated ? " (extrapolated beyond the entered map)" : "") << '\n';
}

void PrintConversion(std::ostream& out, const AnalysisResult& result) {
    const RefrigerantConversion& conversion = *result.conversion;
    const std::string originalName
        = kRefrigerantNames[static_cast<size_t>(conversion.original.refrigerantIndex)];
    const std::string convertedName
        = kRefrigerantNames[static_cast<size_t>(conversion.converted.refrigerantIndex)];
    const std::string unit = result.english ? "Btu/h" : "kcal/h";
    out << "\nConverted to " << convertedName << ": the compressor fitted to the " << originalName
        << " map, at the same (dew-point) temperatures\n";
    PrintTable(out, "Capacity (" + unit + ")", conversion.converted.capacity, result, result.columns, 1,
        &result.pointBlank);
    PrintTable(out, "Power (W)", conversion.converted.power, result, result.columns, 1, &result.pointBlank);
    PrintMarkedCells(out, conversion.converted.beyondEnteredMap, result.rows, result.columns);
    // A ratio of capacities only where both are capacities a compressor can have.
    const auto positive = [](double value) { return value > 0 && std::isfinite(value); };
    MapTable<double> ratio {};
    for (int r = 0; r < result.rows; ++r)
        for (int c = 0; c < result.columns; ++c) {
            const double a = conversion.converted.capacity[r][c];
            const double b = conversion.original.capacity[r][c];
            ratio[r][c] = positive(a) && positive(b) ? a / b * 100 : std::nan("");
        }
    PrintTable(out, "Capacity against the " + originalName + " fits at the same point (%)", ratio, result,
        result.columns, 1, &result.pointBlank);
    const auto line = [&](const RefrigerantMap& map, const std::string& name) {
        out << "  " << name << ": capacity " << Number(map.ratingCapacity, 1) << ' ' << unit << ", power "
            << Number(map.ratingPower, 1) << " W, EER " << Eer(map.ratingEER)
            << (map.ratingBeyondEnteredMap ? " (beyond the entered map)" : "") << '\n';
    };
    out << "Rating point (fits of the entered map)\n";
    line(conversion.original, originalName);
    line(conversion.converted, convertedName);
    if (positive(conversion.original.ratingCapacity) && positive(conversion.converted.ratingCapacity))
        out << "  capacity ratio " << convertedName << "/" << originalName << " "
            << FormatFixed(conversion.converted.ratingCapacity / conversion.original.ratingCapacity * 100, 1)
            << " %\n";
}

} // namespace

void PrintAnalysisText(std::ostream& out, const AnalysisResult& result) {
    const int method = result.smoothingMethod;
    out << "Refrigerant " << kRefrigerantNames[static_cast<size_t>(result.refrigerantIndex)] << ", "
        << (result.english ? "English" : "SI") << " units"
        << (result.rated == RatingConditions {} ? std::string()
                                                : ", rated " + FormatRatingConditions(result.rated))
        << "; " << SmoothingMethodTitle(method)
        << (method == 0                         ? ""
                   : result.smoothAllTemps == 1 ? ", all temperatures"
                                                : ", each condenser temperature")
        << "\n\n";
    out << "Evaporating " << (result.english ? "(F)" : "(C)") << "   ";
    for (int c = 0; c < result.columns; ++c)
        out << ' ' << FormatFixed(result.evapTemp[c], 1, 10);
    out << "\nCondensing rows below; rows below 90 F have suction flow -1.\n\n";
    PrintTable(out, CapacityTitle(result), result.capacity, result, result.columns, 1, &result.pointBlank);
    PrintTable(out, "Power (W)", result.power, result, result.columns, 1, &result.pointBlank);
    PrintTable(out, "Pressure ratio", result.pressureRatio, result, result.columns, 3, &result.pointBlank);
    PrintTable(out, "Suction flow (m3/h)", result.suctionFlow, result, result.columns, 3, &result.pointBlank);
    PrintTable(
        out, "Isentropic efficiency", result.isentropicEff, result, result.columns, 4, &result.pointBlank);
    PrintTable(out, result.english ? "Mass flow (lb/h)" : "Mass flow (kg/h)",
        MassFlowInMapUnits(result.massFlowKgH, result.english), result, result.columns, 2,
        &result.pointBlank);
    if (AnyFinite(result.trueVolumetricEff, result))
        PrintTable(out, "Volumetric efficiency (of displacement x speed)", result.trueVolumetricEff, result,
            result.columns, 4, &result.pointBlank);
    if (result.smoothedMap)
        PrintSmoothedMap(out, result);
    PrintFits(out, result);
    out << "\nValid points (pressure ratio, volumetric eff, isentropic eff)\n";
    for (const EfficiencyPoint& point : result.validPoints)
        out << "  " << Number(point.pressureRatio, 3) << "  " << Number(point.volumetricEff, 4) << "  "
            << Number(point.isentropicEff, 4) << '\n';
    PrintQuality(out, result);
    if (result.rerated)
        PrintRerated(out, result);
    if (result.conversion)
        PrintConversion(out, result);
}

} // namespace velutra::cli
