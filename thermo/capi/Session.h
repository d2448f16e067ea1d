#pragma once

#include "PureFluid.h"
#include "Saturation.h"

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace velutra::thermo {

// What the C routines share between calls: the fluid set up last, the fluids loaded so far
// (set-up runs again for every refrigerant switch, and parsing a file costs far more than a
// state), and the last vapour root computed, which the program asks for right after the
// saturation or flash that produced it.
class Session {
public:
    static Session& instance();

    std::mutex& mutex() { return mutex_; }

    // The set-up fluid, or null when no set-up has succeeded since the last failed one.
    const PureFluid* fluid() const { return current_; }

    // Makes the fluid of `path` with `reference` current, loading it on first use.
    // Throws ThermoError when the file cannot be read or the reference state not computed.
    void setUp(const std::string& path, const std::string& referenceCode);
    // The fluid of `path` with `reference`, loaded on first use (mixture components come from here).
    const PureFluid& load(const std::string& path, const std::string& referenceCode);
    void clear();

    // Remembers rho as the vapour root at (T, p).
    void rememberVapourRoot(double tempK, double pressureKPa, double rho);
    // The remembered vapour root at exactly (T, p), or NaN.
    double vapourRoot(double tempK, double pressureKPa) const;

    // Remembers a saturation state (the last two are kept: the program's dew points at Te and Tc).
    void rememberSaturation(const SaturationResult& sat);
    // A remembered saturation state at exactly pressureKPa, or null.
    const SaturationResult* saturationAt(double pressureKPa) const;

    // The set-up fluid's residual tau factors at T, kept for the last three temperatures: the
    // program asks for the suction gas, the liquid root and its properties all at 90 F.
    const TauTerms& tauTermsAt(double tempK);

private:
    struct TauAtTemperature {
        double tempK = 0.0;
        bool valid = false;
        TauTerms terms;
    };
    std::array<TauAtTemperature, 3> tauCache_;
    std::size_t nextTau_ = 0;
    std::mutex mutex_;
    SaturationResult saturations_[2];
    int nextSaturation_ = 0;
    std::map<std::string, std::unique_ptr<PureFluid>> loaded_;
    const PureFluid* current_ = nullptr;
    double memoTempK_ = 0.0;
    double memoPressure_ = 0.0;
    double memoRho_ = 0.0;
    bool memoValid_ = false;
};

} // namespace velutra::thermo
