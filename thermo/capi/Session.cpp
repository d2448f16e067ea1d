#include "Session.h"

#include "FluidFile.h"
#include "ReferenceStateSetter.h"
#include "ThermoError.h"

#include <limits>

namespace velutra::thermo {

Session& Session::instance() {
    static Session session;
    return session;
}

void Session::setUp(const std::string& path, const std::string& referenceCode) {
    clear();
    current_ = &load(path, referenceCode);
}

const PureFluid& Session::load(const std::string& path, const std::string& referenceCode) {
    const std::string key = path + "\n" + referenceCode;
    auto& slot = loaded_[key];
    if (!slot) {
        auto fluid = std::make_unique<PureFluid>(LoadFluidFile(path));
        ReferenceState reference = fluid->constants().defaultReference;
        if (referenceCode == "IIR")
            reference = ReferenceState::IIR;
        else if (referenceCode == "NBP")
            reference = ReferenceState::NBP;
        const SolverOutcome outcome = ApplyReferenceState(*fluid, reference);
        if (!outcome.ok()) {
            loaded_.erase(key);
            throw ThermoError(ErrorCode::NoConvergence,
                std::string("cannot compute the reference state of ") + fluid->name() + ": "
                    + outcome.reason);
        }
        slot = std::move(fluid);
    }
    return *slot;
}

void Session::clear() {
    current_ = nullptr;
    for (TauAtTemperature& entry : tauCache_)
        entry.valid = false;
    memoValid_ = false;
    saturations_[0] = saturations_[1] = SaturationResult {};
    saturations_[0].outcome = saturations_[1].outcome = { SolverStatus::NoConvergence, "" };
}

const TauTerms& Session::tauTermsAt(double tempK) {
    for (const TauAtTemperature& entry : tauCache_)
        if (entry.valid && entry.tempK == tempK)
            return entry.terms;
    TauAtTemperature& entry = tauCache_[nextTau_];
    nextTau_ = (nextTau_ + 1) % tauCache_.size();
    current_->residual().prepareTau(current_->tau(tempK), entry.terms);
    entry.tempK = tempK;
    entry.valid = true;
    return entry.terms;
}

void Session::rememberSaturation(const SaturationResult& sat) {
    saturations_[nextSaturation_] = sat;
    nextSaturation_ = 1 - nextSaturation_;
}

const SaturationResult* Session::saturationAt(double pressureKPa) const {
    for (const SaturationResult& s : saturations_)
        if (s.outcome.ok() && s.pressure == pressureKPa)
            return &s;
    return nullptr;
}

void Session::rememberVapourRoot(double tempK, double pressureKPa, double rho) {
    memoTempK_ = tempK;
    memoPressure_ = pressureKPa;
    memoRho_ = rho;
    memoValid_ = true;
}

double Session::vapourRoot(double tempK, double pressureKPa) const {
    if (memoValid_ && tempK == memoTempK_ && pressureKPa == memoPressure_)
        return memoRho_;
    return std::numeric_limits<double>::quiet_NaN();
}

} // namespace velutra::thermo
