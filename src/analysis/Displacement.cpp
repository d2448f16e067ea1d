#include "analysis/Displacement.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace velutra {

double SpeedRpmOf(const CompressorRecord& record) {
    const std::string& text = record.speedText;
    double rpm = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), rpm);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(rpm) || rpm <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    return rpm;
}

double DisplacementFlowM3h(double displacementCm3, double speedRpm) {
    if (!(displacementCm3 > 0) || !(speedRpm > 0) || !std::isfinite(displacementCm3)
        || !std::isfinite(speedRpm))
        return std::numeric_limits<double>::quiet_NaN();
    return displacementCm3 * 1e-6 * speedRpm * 60.0;
}

double TrueVolumetricEfficiency(double suctionFlowM3h, double displacementCm3, double speedRpm) {
    return suctionFlowM3h / DisplacementFlowM3h(displacementCm3, speedRpm);
}

} // namespace velutra
