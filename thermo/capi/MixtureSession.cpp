#include "MixtureSession.h"

#include "Session.h"
#include "mixture/MixingRules.h"

#include <limits>

namespace velutra::thermo {

MixtureSession& MixtureSession::instance() {
    static MixtureSession session;
    return session;
}

void MixtureSession::setUp(
    const std::vector<std::string>& paths, const std::string& mixPath, const std::string& referenceCode) {
    clear();
    std::string key = mixPath + "\n" + referenceCode;
    for (const std::string& p : paths)
        key += "\n" + p;
    auto& slot = built_[key];
    if (!slot) {
        try {
            std::vector<PureFluid> components;
            components.reserve(paths.size());
            for (const std::string& p : paths)
                components.push_back(Session::instance().load(p, referenceCode));
            slot = std::make_unique<MixtureModel>(LoadMixingRules(mixPath).build(std::move(components)));
        } catch (...) {
            built_.erase(key);
            throw;
        }
    }
    current_ = slot.get();
}

void MixtureSession::clear() {
    current_ = nullptr;
    dews_[0] = dews_[1] = MixtureSaturation {};
    dews_[0].outcome = dews_[1].outcome = { SolverStatus::NoConvergence, "" };
    memoValid_ = false;
}

const SaturationStartValues& MixtureSession::startValues(const Composition& z) {
    // A caller that varies the composition would otherwise fill memory; the program uses one
    // composition per blend.
    constexpr std::size_t kCompositionsKept = 4;
    auto& kept = starts_[current_];
    for (const auto& s : kept)
        if (s->composition() == z)
            return *s;
    if (kept.size() >= kCompositionsKept)
        kept.erase(kept.begin());
    kept.push_back(std::make_unique<SaturationStartValues>(*current_, z));
    return *kept.back();
}

void MixtureSession::rememberDewPoint(const MixtureSaturation& dew) {
    dews_[nextDew_] = dew;
    nextDew_ = 1 - nextDew_;
}

const MixtureSaturation* MixtureSession::dewPointBelow(
    const Composition& z, double tempK, double pressureKPa) const {
    for (const MixtureSaturation& d : dews_)
        if (d.outcome.ok() && d.y == z && d.tempK <= tempK && pressureKPa <= d.pressure)
            return &d;
    return nullptr;
}

const MixtureSaturation* MixtureSession::dewPointAt(const Composition& z, double pressureKPa) const {
    for (const MixtureSaturation& d : dews_)
        if (d.outcome.ok() && d.y == z && d.pressure == pressureKPa)
            return &d;
    return nullptr;
}

void MixtureSession::rememberVapourRoot(const Composition& z, double tempK, double pressureKPa, double rho) {
    memoZ_ = z;
    memoTempK_ = tempK;
    memoPressure_ = pressureKPa;
    memoRho_ = rho;
    memoValid_ = true;
}

double MixtureSession::vapourRoot(const Composition& z, double tempK, double pressureKPa) const {
    if (memoValid_ && z == memoZ_ && tempK == memoTempK_ && pressureKPa == memoPressure_)
        return memoRho_;
    return std::numeric_limits<double>::quiet_NaN();
}

} // namespace velutra::thermo
