#include "interchange/CoefficientFit.h"

#include "analysis/SmoothingMethods.h"
#include "record/TextRules.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velutra {

namespace {

// Points in the set's units: temperatures, then capacity, power and mass flow.
struct SetPoints {
    std::vector<double> evap;
    std::vector<double> cond;
    std::vector<double> capacity;
    std::vector<double> power;
    std::vector<double> massFlow;

    void Add(double s, double d, double q, double w, double m) {
        evap.push_back(s);
        cond.push_back(d);
        capacity.push_back(q);
        power.push_back(w);
        massFlow.push_back(m);
    }
    int Count() const { return static_cast<int>(evap.size()); }
};

TenTermPolynomial Fit(const SetPoints& points, const std::vector<double>& values, const std::string& what) {
    const TenTermFitResult result
        = FitTenTerms(points.evap.data(), points.cond.data(), values.data(), points.Count());
    if (!result.refusal.empty())
        throw CoefficientFitError(what + result.refusal + ".");
    return result.fit;
}

// RMS and largest absolute deviation, percent, of a polynomial from values.
void Deviation(const TenTermPolynomial& p, const SetPoints& points, const std::vector<double>& values,
    double& rms, double& largest) {
    double squares = 0;
    largest = 0;
    for (int i = 0; i < points.Count(); ++i) {
        const double d = (p.Evaluate(points.evap[i], points.cond[i]) - values[i]) / values[i] * 100;
        squares += d * d;
        largest = std::isnan(d) ? d : std::max(largest, std::fabs(d));
    }
    rms = std::sqrt(squares / points.Count());
}

} // namespace

CoefficientSet FitCoefficients(CycleStateSource& engine, const AnalysisResult& analysis,
    const CompressorRecord& record, CoefficientUnits units) {
    const int method = analysis.smoothingMethod;
    if (method < kSmoothingOriginal || method > kSmoothingTwoVariable)
        throw CoefficientFitError("Smoothing method " + std::to_string(method) + " is not one of the four.");
    if (method == kSmoothingTwoVariable && !analysis.twoVariableRefusal.empty())
        throw CoefficientFitError(analysis.twoVariableRefusal);
    if (!IsRefrigerantCode(record.refrigerantIndex))
        throw CoefficientFitError("The record's refrigerant code " + std::to_string(record.refrigerantIndex)
            + " is not one of the " + std::to_string(kRefrigerantCount) + ".");

    // The entered valid points, in the set's units. The mass flow of method 0 is what the entered
    // capacity means at the point's states.
    const bool english = record.unitsEnglish != 0;
    SetPoints entered;
    for (int r = 0; r < analysis.rows; ++r) {
        for (int c = 0; c < analysis.columns; ++c) {
            if (!analysis.pointValid[r][c])
                continue;
            const double q = TextToNumber(record.capacityText[r][c]);
            double massFlow = 0;
            if (method == kSmoothingOriginal) {
                const CycleStateResult s
                    = engine.CycleStates(RecordTempToKelvin(english, analysis.evapTemp[c]),
                        RecordTempToKelvin(english, analysis.condTemp[r]), record.ratingConditions);
                massFlow
                    = KgHToSetMassFlow(units, MassFlowOfCapacity(s, s.M, RecordCapacityToKJh(english, q)));
            }
            entered.Add(RecordTempToSet(english, units, analysis.evapTemp[c]),
                RecordTempToSet(english, units, analysis.condTemp[r]), RecordCapacityToSet(english, units, q),
                TextToNumber(record.powerText[r][c]), massFlow);
        }
    }
    if (entered.Count() == 0)
        throw CoefficientFitError("The map has no valid points to fit the ten-coefficient polynomial to.");

    CoefficientSet set;
    set.units = units;
    set.refrigerant = kRefrigerantNames[static_cast<size_t>(record.refrigerantIndex)];
    set.manufacturer = record.manufacturer;
    set.model = record.model;
    set.smoothingMethod = method;
    SetRatingOfSet(set, record.ratingConditions);
    const auto [evapLow, evapHigh] = std::minmax_element(entered.evap.begin(), entered.evap.end());
    const auto [condLow, condHigh] = std::minmax_element(entered.cond.begin(), entered.cond.end());
    set.evapMin = *evapLow;
    set.evapMax = *evapHigh;
    set.condMin = *condLow;
    set.condMax = *condHigh;

    if (method == kSmoothingOriginal) {
        const std::string what = "The ten-coefficient polynomial cannot be fitted to the entered map: ";
        set.capacity = Fit(entered, entered.capacity, what);
        set.power = Fit(entered, entered.power, what);
        set.massFlow = Fit(entered, entered.massFlow, what);
    } else {
        if (!(set.evapMin < set.evapMax) || !(set.condMin < set.condMax))
            throw CoefficientFitError("The ten-coefficient polynomial needs valid points at more than one "
                                      "evaporating and more than one condensing temperature.");
        // The smoothed model sampled across the entered range. Per-row fits have no value between
        // the rows, so the grid always takes the fits over all valid points.
        SetPoints grid;
        std::string firstFailure;
        const int n = kCoefficientGridPoints;
        for (int i = 0; i < n; ++i) {
            const double d = set.condMin + (set.condMax - set.condMin) * i / (n - 1);
            for (int j = 0; j < n; ++j) {
                const double s = set.evapMin + (set.evapMax - set.evapMin) * j / (n - 1);
                const CycleStateResult states = engine.CycleStates(
                    SetTempToKelvin(units, s), SetTempToKelvin(units, d), record.ratingConditions);
                if (!states.error.empty()) {
                    if (firstFailure.empty())
                        firstFailure = states.error;
                    continue;
                }
                const CompressorOutput out = analysis.fitted.AllPointsOutputAt(states);
                grid.Add(s, d, KJhToSetCapacity(units, out.capacityKJh), out.powerW,
                    KgHToSetMassFlow(units, out.massFlowKgH));
            }
        }
        const std::string what = "The ten-coefficient polynomial cannot be fitted to the smoothed map"
            + (firstFailure.empty() ? std::string() : " (some states failed: " + firstFailure + ")") + ": ";
        set.capacity = Fit(grid, grid.capacity, what);
        set.power = Fit(grid, grid.power, what);
        set.massFlow = Fit(grid, grid.massFlow, what);
    }
    Deviation(set.capacity, entered, entered.capacity, set.capacityRms, set.capacityMax);
    Deviation(set.power, entered, entered.power, set.powerRms, set.powerMax);
    return set;
}

void ExportCoefficients(CycleStateSource& engine, const AnalysisResult& analysis,
    const CompressorRecord& record, CoefficientUnits units, const std::string& path) {
    WriteCoefficientFile(path, FitCoefficients(engine, analysis, record, units));
}

} // namespace velutra
