#pragma once

#include "analysis/LeastSquares.h"
#include "analysis/SurfaceFit.h"
#include "props/CycleStateSource.h"
#include "record/CompressorRecord.h"

namespace velutra {

// What the compressor delivers at one point: mass flow (kg/h), capacity (kJ/h) and power (W).
struct CompressorOutput {
    double massFlowKgH = 0;
    double capacityKJh = 0;
    double powerW = 0;
};

// The compressor model at one point: the suction volume flow (m3/h) at the suction density gives
// the mass flow, the enthalpy change from liquid line to suction gas the capacity, and the
// isentropic work over the isentropic efficiency the power. M in g/mol.
CompressorOutput ModelOutput(const CycleStateResult& s, double M, double suctionFlow, double isentropicEff);

// The mass flow (kg/h) that a capacity (kJ/h) means at these states.
double MassFlowOfCapacity(const CycleStateResult& s, double M, double capacityKJh);

// Suction volume flow (m3/h) and isentropic efficiency of the fitted compressor at a point.
struct FittedFlow {
    double suctionFlow = 0;
    double isentropicEff = 0;
};

// A point that no compressor can have: efficiencies outside 0..1 or a negative flow.
bool UnsoundPoint(double isentropicEff, double volumetricEff, double suctionFlow);

// The volumetric efficiency is taken against a displacement flow at which the suction-flow line
// over the valid points gives this at pressure ratio 0.
inline constexpr double kVolumetricEffAtZeroRatio = 0.98;

// The compressor the analysis fitted to a map: its suction volume flow and isentropic efficiency
// as functions of the pressure ratio p (and the suction pressure Pe, for the two-variable
// method), by the chosen smoothing method and scope:
//   linear (1):       V = a + b p,  eta = c + d p
//   quadratic (2):    V = a + b p,  eta = q0 + q1 p + q2 p^2
//   two-variable (3): V and eta the surfaces in ln p and ln Pe
// over all valid points, or with eta fitted per condensing row. The original-map method (0)
// rebuilds nothing; where it is asked for a value it gives the linear fits. A value: everything
// that evaluates the fitted compressor (the rebuilt and smoothed maps, conversions, the rating
// points, the coefficient fits, the plots) evaluates this.
struct FittedCompressor {
    int method = 1;
    bool eachCondTemp = false; // eta per condensing row; the two-variable surfaces span every row
    LineFit flow; // V over all valid points
    LineFit iseLine; // eta over all valid points
    Vector3 iseQuad {};
    CondRow<LineFit> iseLineByCond {};
    CondRow<Vector3> iseQuadByCond {};
    SurfaceFit flowSurface;
    SurfaceFit iseSurface;
    bool surfacesFitted = false; // the two-variable method falls back to the linear fits without

    // V and eta at a state of condensing row `row` (its own eta fit with per-row scope).
    FittedFlow At(double pressureRatio, double suctionPressureKPa, int row) const;
    // V and eta of the fits over all valid points, wherever the point lies.
    FittedFlow AllPointsAt(double pressureRatio, double suctionPressureKPa) const;

    // Mass flow, capacity and power at the states of a point of row `row`, or by the fits over
    // all valid points.
    CompressorOutput OutputAt(const CycleStateResult& s, int row) const;
    CompressorOutput AllPointsOutputAt(const CycleStateResult& s) const;

    // The displacement flow (m3/h) the volumetric efficiency is taken against.
    double DisplacementFlow() const { return flow.intercept / kVolumetricEffAtZeroRatio; }

    // Whether the fitted values at a point are ones no compressor can have.
    bool Unsound(const FittedFlow& fitted) const;

    // The record's copy of the fits (what "Next >>" of the plot form stores), and back.
    static FittedCompressor FromRecord(const CompressorRecord& record);
    // The per-row fits of rows below `rows` only: the record keeps those of rows not in use.
    void StoreInto(CompressorRecord& record, int rows) const;

private:
    FittedFlow Evaluate(
        double pressureRatio, double suctionPressureKPa, const LineFit& line, const Vector3& quad) const;
};

// Whether the fitted compressor's value at a state is one the entered map does not vouch for:
// the state lies outside the region of the map's valid points, the fitted flow or efficiency is
// one no compressor has, or the capacity or power is zero, negative or not finite.
bool BeyondEnteredMap(const OperatingRange& entered, const CycleStateResult& s,
    const FittedCompressor& fitted, const FittedFlow& value, const CompressorOutput& out);

// The fitted compressor (its fits over all valid points) at the rating point, -10 F / 130 F, and
// at the ASHRAE conditions the EER's name promises: evaluated at the map's `rated` conditions
// and, when those differ, re-rated (m' = m [1 + F (rho1'/rho1 - 1)]). `states` are those at the
// rated conditions; the EER is NaN and `error` holds the library's message when a state fails.
struct RatingPointValue {
    CycleStateResult states;
    CompressorOutput out;
    double eer = 0;
    std::string error;
};
RatingPointValue FittedAtRatingPoint(CycleStateSource& engine, const FittedCompressor& fitted,
    const RatingConditions& rated, double superheatFactor);

} // namespace velutra
