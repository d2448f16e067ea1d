#pragma once

#include "mixture/DewBubble.h"
#include "mixture/MixtureModel.h"
#include "mixture/SaturationStartValues.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velutra::thermo {

// The mixture side of the C routines' session (used under Session's mutex): the mixture set up
// last, the mixtures built so far, and what the program asks for again right after computing it:
// the last two dew points (those at Te and Tc settle the phase of the suction gas and of the
// discharge state) and the last vapour root.
class MixtureSession {
public:
    static MixtureSession& instance();

    // The set-up mixture, or null when the current set-up is a pure fluid or none.
    const MixtureModel* model() const { return current_; }

    // Builds the mixture of the component files `paths` (each with reference `referenceCode`,
    // "DEF" the components' own) and the mixing-rule file `mixPath`, or takes it from the cache.
    // Throws ThermoError for an unreadable file or a pair the mixing rules do not know.
    void setUp(
        const std::vector<std::string>& paths, const std::string& mixPath, const std::string& referenceCode);
    void clear();

    void rememberDewPoint(const MixtureSaturation& dew);
    // A remembered dew point of z at a temperature at most tempK and a pressure at least
    // pressureKPa, or null.
    const MixtureSaturation* dewPointBelow(const Composition& z, double tempK, double pressureKPa) const;
    // A remembered dew point of z at exactly pressureKPa, or null.
    const MixtureSaturation* dewPointAt(const Composition& z, double pressureKPa) const;

    // Start values for the dew and bubble points of the set-up mixture at composition z, built on
    // the first call for z (a few milliseconds) and kept with the mixture for its later set-ups.
    const SaturationStartValues& startValues(const Composition& z);

    void rememberVapourRoot(const Composition& z, double tempK, double pressureKPa, double rho);
    // The remembered vapour root of z at exactly (T, p), or NaN.
    double vapourRoot(const Composition& z, double tempK, double pressureKPa) const;

private:
    std::map<std::string, std::unique_ptr<MixtureModel>> built_;
    const MixtureModel* current_ = nullptr;
    std::map<const MixtureModel*, std::vector<std::unique_ptr<SaturationStartValues>>> starts_;
    MixtureSaturation dews_[2];
    int nextDew_ = 0;
    Composition memoZ_ {};
    double memoTempK_ = 0.0;
    double memoPressure_ = 0.0;
    double memoRho_ = 0.0;
    bool memoValid_ = false;
};

} // namespace velutra::thermo
