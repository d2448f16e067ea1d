#include "MixtureProperties.h"

namespace velutra::thermo {

StateProperties MixturePropertiesAt(
    const MixtureModel& model, const Composition& x, double tempK, double rho) {
    return PropertiesFrom(model.gasConstant(), model.molarMass(x), tempK, rho, model.alpha0(x, tempK, rho),
        model.alphar(x, tempK, rho));
}

} // namespace velutra::thermo
