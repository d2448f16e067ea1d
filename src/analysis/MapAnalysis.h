#pragma once

#include "analysis/AnalysisFailure.h"
#include "analysis/FitQuality.h"
#include "analysis/FittedCompressor.h"
#include "analysis/Rerating.h"
#include "props/CycleStateSource.h"
#include "record/CompressorRecord.h"

#include <array>
#include <string>
#include <vector>

namespace velutra {

inline constexpr int kMaxMapPoints = kMaxCond * kMaxEvap;

// The numerical analysis of the manufacturer's map that the plot form shows: per-point pressure
// ratio, suction volume flow and isentropic efficiency, their least-squares fits against the
// pressure ratio, the map rebuilt from the fits, and the EER at the rating point from the entered
// map and from the fits. Fixed-size tables only; nothing is allocated while computing, except
// for the list of failures. Undefined fits (too few points, equal ratios, zero power) give
// non-finite values, which are kept and stored as they come. A point whose refrigerant states
// the property library cannot compute (a condensing temperature above the critical point, say)
// is NaN in every derived table, is left out of every fit and is listed in Failures().
class MapAnalysis {
public:
    MapAnalysis(CycleStateSource& engine, CompressorRecord& record);

    // The whole analysis of the record's map, as the plot form opens it: the options from the
    // record, the entered map read, every point and fit computed, the chosen smoothing applied.
    void Run();

    // Steering members, mirrors of the record's fields of the same names.
    void LoadOptionsFromRecord();
    void SaveOptionsToRecord() const;

    // Converts the record's texts into condTemp, evapTemp, capacity and power (all cells) and
    // writes the record's mapRatingEER. A pending refrigerant conversion turns method 0 into 1
    // and makes "Original map data" unavailable.
    void ReadMapFromRecord();

    // Pressure ratio, suction flow (m3/h, -1 below 90 F condensing) and isentropic efficiency of
    // one point from its capacity and power. Returns the property library's message when the
    // point's states could not be computed (all three are then NaN), otherwise an empty text.
    std::string ComputePointQuantities(int r, int c);

    // Point quantities for every point in use, the copy of the entered tables into the record,
    // the valid points sorted by pressure ratio, and all fits. Starts the list of failures anew.
    void FitMap();

    // Applies smoothingMethod to the working tables: 0 re-reads the entered map, 1, 2 and 3
    // rebuild it from the fits of the entered map (3 only when its fit exists: otherwise the
    // tables stay as they are). Then the fit quality. The caller redraws.
    void ApplySmoothing();

    // Why a smoothing method cannot be used on this map (empty when it can): the two-variable
    // fit needs six valid points spread over more than one condensing temperature.
    std::string SmoothingRefusal(int method) const;

    // The deviations of the current working map from the entered one, by the last ApplySmoothing.
    const FitQuality& Quality() const { return quality; }

    // The entered map as read by the last ReadMapFromRecord.
    const MapTable<double>& EnteredCapacity() const { return enteredCapacity; }
    const MapTable<double>& EnteredPower() const { return enteredPower; }

    // The span of the valid points of the last FitMap.
    const OperatingRange& EnteredRange() const { return enteredRange; }

    // Whether the rating-point EERs lie outside what the entered map covers: the map's by
    // extrapolation beyond its first row or column, the fits' outside the entered range.
    bool MapRatingExtrapolated() const { return mapRatingExtrapolated; }
    bool SmoothedRatingExtrapolated() const { return smoothedRatingExtrapolated; }

    // Capacity and power of every point in use from suctionFlow and isentropicEff, and the
    // record's smoothedRatingEER from the all-points fits.
    void RebuildMapFromFits();

    // The compressor fitted to the entered map with the current smoothing method and scope.
    FittedCompressor Fitted() const;

    // Valid points of the current working map sorted by pressure ratio, with validFlow replaced
    // by the volumetric efficiency: against `displacementFlowM3h` when it is known (positive),
    // otherwise normalised to 0.98 at pressure ratio 0 on a fresh suction-flow line.
    void VolumetricEfficiencyPoints(double displacementFlowM3h = 0);

    // The copy of the current working tables and fits into the record made by "Next >>".
    void StoreResultsInRecord() const;

    // What could not be computed in the last FitMap and ApplySmoothing, in the order found.
    const std::vector<AnalysisFailure>& Failures() const { return failures; }
    // "F" or "C", the unit of the map's temperatures.
    const char* TemperatureUnit() const;

    // Rows and columns in use: the record's counts, held inside the tables.
    int RowsInUse() const;
    int ColumnsInUse() const;

    // False once a pending refrigerant conversion has been seen: the entered map cannot be shown
    // for a refrigerant it was not measured with.
    bool OriginalMapAvailable() const { return originalMapAvailable; }

    // Whether the states of an entered point could not be computed in the last FitMap; plots
    // leave such points out.
    bool PointFailed(int r, int c) const { return pointFailed[r][c]; }

    // Whether an entered cell is blank: outside the operating envelope, no derived quantities.
    bool PointBlank(int r, int c) const { return pointBlank[r][c]; }

    // Whether an entered point was valid (positive suction flow) in the last FitMap: the points
    // the fits and the fit quality are made of.
    bool PointValid(int r, int c) const { return pointValid[r][c]; }

    // Working members.
    CondRow<double> condTemp {};
    EvapRow<double> evapTemp {};
    MapTable<double> capacity {};
    MapTable<double> power {};
    MapTable<double> pressureRatio {};
    MapTable<double> suctionFlow {};
    MapTable<double> isentropicEff {};
    MapTable<double> suctionPressure {}; // Pe, kPa
    MapTable<double> massFlow {}; // kg/h
    std::array<double, kMaxMapPoints> validFlow {};
    std::array<double, kMaxMapPoints> validIse {};
    std::array<double, kMaxMapPoints> validPressureRatio {};
    std::array<double, kMaxMapPoints> validSuctionPressure {};
    int validCount = 0;
    // The fits of the entered map; method and scope are the steering members'.
    FittedCompressor fits;

    // Steering members.
    // The re-rating factor with which the rating-point EER of a map rated at other conditions is
    // taken to the ASHRAE ones.
    double superheatFactor = kDefaultSuperheatFactor;
    int plotType = 0;
    int smoothingMethod = 0;
    int smoothEachCondTemp = 0;
    int smoothAllTemps = 1;

private:
    void CollectValidPoints();
    void FitAllPoints(bool anyFailed);
    void ComputeQuality();
    void ReportUndefinedFits(bool twoVariable);
    void FitRows(int rows, int columns);
    void FitSurfaces();
    void AddFailure(AnalysisFailure::Stage stage, int r, int c, std::string reason);
    void ForgetFailuresOf(AnalysisFailure::Stage stage);
    double ToKelvin(double temperature) const;
    bool English() const { return record.unitsEnglish != 0; }

    CycleStateSource& engine;
    CompressorRecord& record;
    bool originalMapAvailable = true;
    MapTable<bool> pointFailed {}; // states of the entered point could not be computed
    MapTable<bool> pointValid {}; // a valid point of the entered map
    MapTable<bool> pointBlank {}; // a blank cell of the entered map
    MapTable<double> enteredCapacity {};
    MapTable<double> enteredPower {};
    std::string surfaceRefusal = "the map has not been fitted";
    OperatingRange enteredRange;
    FitQuality quality;
    bool mapRatingExtrapolated = false;
    bool smoothedRatingExtrapolated = false;
    std::vector<AnalysisFailure> failures;
};

} // namespace velutra
