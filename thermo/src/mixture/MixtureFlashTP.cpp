#include "MixtureFlashTP.h"

#include "MixtureDensityRoot.h"
#include "MixtureProperties.h"
#include "TwoPhaseSplit.h"

namespace velutra::thermo {

MixtureFlashResult MixtureSinglePhase(const MixtureModel& model, const Composition& z, double tempK,
    double pressureKPa, Phase phase, double guess) {
    const DensityResult root = MixtureDensityFromTP(model, z, tempK, pressureKPa, phase, guess);
    if (!root.outcome.ok())
        return FailedMixtureFlash(root.outcome);
    MixtureFlashResult out;
    out.state = MixturePropertiesAt(model, z, tempK, root.rho);
    out.rhoL = out.rhoV = root.rho;
    out.x = out.y = z;
    const bool vapourLike
        = phase == Phase::Vapour && (tempK < model.reducingTempK(z) || root.rho < model.reducingRho(z));
    out.quality = vapourLike ? 1.0 : 0.0;
    return out;
}

MixtureFlashResult MixtureFlashTP(const MixtureModel& model, const Composition& z, double tempK,
    double pressureKPa, const MixtureSaturation* knownDew) {
    const SolverOutcome check = CheckMixtureInput(model, z, tempK, pressureKPa);
    if (!check.ok())
        return FailedMixtureFlash(check);
    if (tempK >= model.reducingTempK(z))
        return MixtureSinglePhase(model, z, tempK, pressureKPa, Phase::Vapour);
    if (knownDew && knownDew->outcome.ok() && knownDew->y == z && knownDew->tempK <= tempK
        && pressureKPa <= knownDew->pressure)
        return MixtureSinglePhase(model, z, tempK, pressureKPa, Phase::Vapour);

    const MixtureSaturation dew = DewPointAtT(model, z, tempK);
    if (!dew.outcome.ok())
        return FailedMixtureFlash(dew.outcome);
    if (pressureKPa <= dew.pressure)
        return MixtureSinglePhase(
            model, z, tempK, pressureKPa, Phase::Vapour, dew.rhoV * pressureKPa / dew.pressure);
    const MixtureSaturation bubble = BubblePointAtT(model, z, tempK);
    if (!bubble.outcome.ok())
        return FailedMixtureFlash(bubble.outcome);
    if (pressureKPa >= bubble.pressure)
        return MixtureSinglePhase(model, z, tempK, pressureKPa, Phase::Liquid, bubble.rhoL);
    return TwoPhaseSplit(model, z, tempK, pressureKPa, dew, bubble);
}

} // namespace velutra::thermo
