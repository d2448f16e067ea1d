#pragma once

namespace velutra {

// The conditions a compressor map was rated at: the state of the suction gas at the compressor
// inlet, the state of the liquid entering the expansion device, and, for a zeotropic blend, which
// temperature of the two-phase range the map's evaporating and condensing temperatures name.
// The default is the old household rating both lines at 90 F (305.37 K) on the dew point, at
// which every map was analysed before maps could state their conditions.
struct RatingConditions {
    enum class Suction { GasTemperature, Superheat };
    enum class Liquid { LiquidTemperature, Subcooling };
    enum class Basis { Dew, MidPoint };

    static constexpr double kAshraeLineTempF = 90;
    static constexpr double kAshraeLineTempK = 305.37222222222226; // (90 + 459.67) * 5/9

    Suction suction = Suction::GasTemperature;
    // Suction gas temperature in K, or superheat above the dew temperature at the suction
    // pressure in K of difference.
    double suctionValue = kAshraeLineTempK;
    Liquid liquid = Liquid::LiquidTemperature;
    // Liquid temperature in K, or subcooling below the bubble temperature at the condensing
    // pressure in K of difference (0: saturated liquid).
    double liquidValue = kAshraeLineTempK;
    Basis basis = Basis::Dew;

    bool operator==(const RatingConditions&) const = default;
};

} // namespace velutra
