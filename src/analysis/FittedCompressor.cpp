#include "analysis/FittedCompressor.h"

#include "analysis/Rerating.h"
#include "analysis/SmoothingMethods.h"
#include "record/UnitRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velutra {

CompressorOutput ModelOutput(const CycleStateResult& s, double M, double suctionFlow, double isentropicEff) {
    CompressorOutput out;
    out.massFlowKgH = M * s.d1 * suctionFlow;
    out.capacityKJh = out.massFlowKgH * (s.h1 - s.h3) / M;
    out.powerW = out.massFlowKgH * (s.h2s - s.h1) / M / (isentropicEff * units::kKJhPerWatt);
    return out;
}

double MassFlowOfCapacity(const CycleStateResult& s, double M, double capacityKJh) {
    return capacityKJh / ((s.h1 - s.h3) / M);
}

bool UnsoundPoint(double isentropicEff, double volumetricEff, double suctionFlow) {
    const auto fraction = [](double v) { return v > 0 && v <= 1; };
    return !fraction(isentropicEff) || !fraction(volumetricEff) || !(suctionFlow >= 0);
}

FittedFlow FittedCompressor::Evaluate(
    double pressureRatio, double suctionPressureKPa, const LineFit& line, const Vector3& quad) const {
    const double p = pressureRatio;
    if (method == kSmoothingTwoVariable && surfacesFitted)
        return { flowSurface.Evaluate(p, suctionPressureKPa), iseSurface.Evaluate(p, suctionPressureKPa) };
    const double flowValue = flow.intercept + flow.slope * p;
    if (method == kSmoothingQuadratic)
        return { flowValue, quad[0] + quad[1] * p + quad[2] * p * p };
    return { flowValue, line.intercept + line.slope * p };
}

FittedFlow FittedCompressor::At(double pressureRatio, double suctionPressureKPa, int row) const {
    if (!eachCondTemp || row < 0 || row >= kMaxCond)
        return AllPointsAt(pressureRatio, suctionPressureKPa);
    const auto r = static_cast<size_t>(row);
    return Evaluate(pressureRatio, suctionPressureKPa, iseLineByCond[r], iseQuadByCond[r]);
}

FittedFlow FittedCompressor::AllPointsAt(double pressureRatio, double suctionPressureKPa) const {
    return Evaluate(pressureRatio, suctionPressureKPa, iseLine, iseQuad);
}

CompressorOutput FittedCompressor::OutputAt(const CycleStateResult& s, int row) const {
    const FittedFlow fitted = At(s.Pc / s.Pe, s.Pe, row);
    return ModelOutput(s, s.M, fitted.suctionFlow, fitted.isentropicEff);
}

CompressorOutput FittedCompressor::AllPointsOutputAt(const CycleStateResult& s) const {
    const FittedFlow fitted = AllPointsAt(s.Pc / s.Pe, s.Pe);
    return ModelOutput(s, s.M, fitted.suctionFlow, fitted.isentropicEff);
}

bool FittedCompressor::Unsound(const FittedFlow& fitted) const {
    return UnsoundPoint(fitted.isentropicEff, fitted.suctionFlow / DisplacementFlow(), fitted.suctionFlow);
}

bool BeyondEnteredMap(const OperatingRange& entered, const CycleStateResult& s,
    const FittedCompressor& fitted, const FittedFlow& value, const CompressorOutput& out) {
    const bool positive = out.capacityKJh > 0 && out.powerW > 0 && std::isfinite(out.capacityKJh)
        && std::isfinite(out.powerW);
    return !entered.Contains(s.Pc / s.Pe, s.Pe) || fitted.Unsound(value) || !positive;
}

RatingPointValue FittedAtRatingPoint(CycleStateSource& engine, const FittedCompressor& fitted,
    const RatingConditions& rated, double superheatFactor) {
    RatingPointValue value;
    value.eer = std::numeric_limits<double>::quiet_NaN();
    value.states = engine.CycleStates(kRatingPointK.evapTemp, kRatingPointK.condTemp, rated);
    value.error = value.states.error;
    if (!value.error.empty())
        return value;
    value.out = fitted.AllPointsOutputAt(value.states);
    if (!(rated == RatingConditions {})) {
        const CycleStateResult ashrae
            = engine.CycleStates(kRatingPointK.evapTemp, kRatingPointK.condTemp, RatingConditions {});
        value.error = ashrae.error;
        if (!value.error.empty())
            return value;
        const ReratedPoint point
            = ReratePoint(value.out.capacityKJh, value.out.powerW, value.states, ashrae, superheatFactor);
        value.out = { point.massFlowKgH, point.capacityKJh, point.powerW };
    }
    value.eer = EerOf(value.out.capacityKJh, value.out.powerW);
    return value;
}

FittedCompressor FittedCompressor::FromRecord(const CompressorRecord& record) {
    FittedCompressor fitted;
    fitted.method = record.smoothingMethod;
    fitted.eachCondTemp = record.smoothAllTemps != 1;
    fitted.flow = { record.flowFitIntercept, record.flowFitSlope };
    fitted.iseLine = { record.iseLinIntercept, record.iseLinSlope };
    fitted.iseQuad = record.iseQuad;
    for (int r = 0; r < kMaxCond; ++r) {
        fitted.iseLineByCond[r] = { record.iseLinInterceptByCond[r], record.iseLinSlopeByCond[r] };
        fitted.iseQuadByCond[r] = record.iseQuadByCond[r];
    }
    fitted.flowSurface.c = record.flowSurface;
    fitted.iseSurface.c = record.iseSurface;
    fitted.surfacesFitted = record.smoothingMethod == kSmoothingTwoVariable;
    return fitted;
}

void FittedCompressor::StoreInto(CompressorRecord& record, int rows) const {
    record.flowFitIntercept = flow.intercept;
    record.flowFitSlope = flow.slope;
    record.iseLinIntercept = iseLine.intercept;
    record.iseLinSlope = iseLine.slope;
    record.iseQuad = iseQuad;
    for (int r = 0; r < std::min(rows, kMaxCond); ++r) {
        record.iseLinInterceptByCond[r] = iseLineByCond[r].intercept;
        record.iseLinSlopeByCond[r] = iseLineByCond[r].slope;
        record.iseQuadByCond[r] = iseQuadByCond[r];
    }
    record.flowSurface = flowSurface.c;
    record.iseSurface = iseSurface.c;
}

} // namespace velutra
