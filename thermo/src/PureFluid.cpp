#include "PureFluid.h"

namespace velutra::thermo {

PureFluid::PureFluid(FluidConstants constants, IdealGasHelmholtz ideal, ResidualHelmholtz residual,
    Superancillary superancillary)
    : constants_(std::move(constants))
    , ideal_(std::move(ideal))
    , residual_(std::move(residual))
    , superancillary_(std::move(superancillary)) { }

void PureFluid::setReferenceShift(double dh, double ds) {
    // alpha0 += a1 + a2 tau shifts h by R T_r a2 and s by -R a1.
    const double r = constants_.gasConstant;
    ideal_.setReferenceOffset(-ds / r, dh / (r * constants_.reducingTempK));
}

} // namespace velutra::thermo
