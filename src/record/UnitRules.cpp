#include "record/UnitRules.h"

namespace velutra {

using namespace units;

double MapTempToKelvin(bool english, double temperature) {
    return english ? (temperature + kFahrenheitOffset) * kKelvinPerRankine : temperature + kCelsiusOffset;
}

double KelvinToMapTemp(bool english, double tempK) {
    return english ? tempK * 1.8 - kFahrenheitOffset : tempK - kCelsiusOffset;
}

double MapCapacityToKJh(bool english, double capacity) {
    return capacity * (english ? kKJPerBtu : kKJPerKcal);
}

double KJhToMapCapacity(bool english, double capacityKJh) {
    return capacityKJh * (english ? kBtuPerKJ : kKcalPerKJ);
}

double KgHToMapMassFlow(bool english, double massFlowKgH) {
    return english ? massFlowKgH / kKgPerLb : massFlowKgH;
}

double EerOf(double capacityKJh, double powerW) {
    return capacityKJh * kBtuPerKJ / powerW;
}

RatingPoint RatingPointInMapUnits(bool english) {
    return english ? RatingPoint { -10, 130 } : RatingPoint { -23.33, 54.44 };
}

} // namespace velutra
