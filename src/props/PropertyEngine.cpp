#include "props/PropertyEngine.h"

#include "props/RefrigerantFluids.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace velutra {

namespace {

template <std::size_t Size> void CopyText(char (&slot)[Size], const char* text) {
    std::memset(slot, 0, Size);
    std::memcpy(slot, text, std::min(std::strlen(text), Size - 1));
}

void FillNaN(double* values, int count) {
    std::fill(values, values + count, PropertyEngine::kNaN);
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

} // namespace

SetupResult PropertyEngine::SetupFluid(int refrigerantIndex) {
    setUp_ = false;
    solvedBubbles_.fill({});
    lastError_.clear();
    refrigerant = refrigerantIndex;
    enthalpy = entropy = vaporDensity = molarMass = kNaN;
    block_.guessFlag = 0;

    if (refrigerantIndex < 0 || refrigerantIndex >= static_cast<int>(kRefrigerantFluids.size()))
        return SetupFailure("refrigerant code " + std::to_string(refrigerantIndex),
            "it is none of the program's refrigerants (codes 0 to "
                + std::to_string(kRefrigerantFluids.size() - 1) + ")");
    const RefrigerantFluids& fluid = kRefrigerantFluids[refrigerantIndex];

    if (auto error = library_.Load(entries_); !error.empty())
        return SetupFailure(fluid.name, error);

    // Entries beyond the components are cleared so that no mole fraction of a previous blend
    // stays behind for a library that reads more entries than the component count.
    block_.componentCount = fluid.componentCount;
    std::fill(std::begin(block_.composition), std::end(block_.composition), 0.0);
    std::copy_n(fluid.composition.begin(), fluid.componentCount, block_.composition);
    CopyText(block_.fluidFiles, fluid.fluidFiles);
    CopyText(block_.mixingRule, kMixingRuleFile);
    CopyText(block_.referenceState, kReferenceState);
    CopyText(block_.errorText, "Ok");
    block_.errorCode = 0;

    entries_.setup(&block_.componentCount, block_.fluidFiles, block_.mixingRule, block_.referenceState,
        &block_.errorCode, block_.errorText, kFluidFilesLength, kMixingRuleLength, kReferenceStateLength,
        kErrorTextLength);
    block_.errorText[kErrorTextLength] = '\0';
    if (block_.errorCode != 0)
        return SetupFailure(fluid.name,
            "the property library \"" + library_.LoadedPath() + "\" reports error "
                + std::to_string(block_.errorCode) + ": " + block_.errorText);

    setUp_ = true;
    Run(kWMOL);
    if (!std::isfinite(molarMass)) {
        setUp_ = false;
        return SetupFailure(fluid.name, "the property library gives no molar mass for it");
    }
    return { true, {} };
}

SetupResult PropertyEngine::SetupFailure(const std::string& name, const std::string& reason) {
    lastError_ = "Cannot set up " + name + ": " + reason + ".";
    return { false, lastError_ };
}

void PropertyEngine::CallRoutine(int code) {
    lastError_.clear();
    Run(code);
}

void PropertyEngine::CalcStatePoint(int mode) {
    lastError_.clear();
    StatePoint(mode);
}

double PropertyEngine::MolarMass() {
    CallRoutine(kWMOL);
    return molarMass;
}

CycleStateResult PropertyEngine::CycleStates(
    double evapTempK, double condTempK, const RatingConditions& rating) {
    lastError_.clear();
    CycleStateResult result;
    result.Tbubble = kNaN;
    Run(kWMOL);
    result.M = molarMass;
    const bool midPoint = rating.basis == RatingConditions::Basis::MidPoint && block_.componentCount > 1;

    // On the dew basis the map's temperatures are the dew temperatures at Pe and Pc; on the
    // mid-point basis they are the means of dew and bubble temperatures at those pressures.
    result.Te = midPoint ? DewTempOfMidPoint(evapTempK) : evapTempK;
    temperature = result.Te;
    StatePoint(kDewPressureAtT);
    result.Pe = pressure;

    const double gasK = rating.suction == RatingConditions::Suction::Superheat
        ? result.Te + rating.suctionValue
        : rating.suctionValue;
    const bool belowDew = gasK < result.Te;
    if (belowDew)
        Fail("the suction gas at " + Number(gasK) + " K lies below the dew temperature " + Number(result.Te)
            + " K at the suction pressure: the rating gives no suction gas state");
    const std::string errorBefore = lastError_;
    temperature = belowDew ? kNaN : gasK;
    pressure = result.Pe;
    StatePoint(kStateFromTP);
    if (lastError_ != errorBefore && errorBefore.empty())
        lastError_ = "no suction gas state at " + Number(gasK) + " K and " + Number(result.Pe)
            + " kPa: " + lastError_;
    result.h1 = enthalpy;
    result.s1 = entropy;
    result.d1 = vaporDensity;

    result.Tc = midPoint ? DewTempOfMidPoint(condTempK) : condTempK;
    temperature = result.Tc;
    StatePoint(kDewPressureAtT);
    result.Pc = pressure;

    // The bubble temperature at Pc is only solved for where the rating needs it, so that a
    // liquid temperature on the dew basis takes exactly the steps it always took.
    const bool subcooling = rating.liquid == RatingConditions::Liquid::Subcooling;
    if (block_.componentCount == 1)
        result.Tbubble = result.Tc;
    else if (subcooling || midPoint)
        result.Tbubble = BubbleTempAt(result.Pc, result.Tc);
    result.Tliquid = subcooling ? result.Tbubble - rating.liquidValue : rating.liquidValue;

    LiquidLineEnthalpy(result.Tliquid, result.Pc);
    result.h3 = enthalpy;

    pressure = result.Pc;
    entropy = result.s1;
    StatePoint(kStateFromPS);
    result.h2s = enthalpy;
    result.error = lastError_;
    return result;
}

// Bubble pressure at T (SATT, liquid phase flag); NaN and the library's error when it has none.
double PropertyEngine::BubblePressure(double tempK) {
    block_.temperature = tempK;
    block_.phaseFlag = 1;
    Run(kSATT);
    return block_.pressure;
}

double PropertyEngine::DewPressure(double tempK) {
    block_.temperature = tempK;
    block_.phaseFlag = 2;
    Run(kSATT);
    return block_.pressure;
}

// The temperature whose bubble pressure is `pressureKPa`: secant steps on ln P against 1/T,
// nearly a straight line, from the dew temperature at that pressure (the bubble temperature
// lies below it by the glide).
double PropertyEngine::BubbleTempAt(double pressureKPa, double dewTempK) {
    if (!std::isfinite(pressureKPa) || !std::isfinite(dewTempK))
        return kNaN;
    for (const SolvedBubble& known : solvedBubbles_)
        if (known.pressureKPa == pressureKPa)
            return known.tempK;
    const double solved = SolveBubbleTemp(pressureKPa, dewTempK);
    if (std::isfinite(solved)) {
        solvedBubbles_[nextSolvedBubble_] = { pressureKPa, solved };
        nextSolvedBubble_ = (nextSolvedBubble_ + 1) % solvedBubbles_.size();
    }
    return solved;
}

double PropertyEngine::SolveBubbleTemp(double pressureKPa, double dewTempK) {
    constexpr int kMaxSteps = 40;
    constexpr double kToleranceK = 1e-10;
    const double target = std::log(pressureKPa);
    double x0 = 1.0 / dewTempK;
    double f0 = std::log(BubblePressure(dewTempK)) - target;
    double x1 = 1.0 / (dewTempK - 1.0);
    for (int step = 0; step < kMaxSteps && std::isfinite(f0); ++step) {
        const double f1 = std::log(BubblePressure(1.0 / x1)) - target;
        if (!std::isfinite(f1))
            break;
        if (f1 == 0 || f1 == f0)
            return 1.0 / x1;
        const double x2 = x1 - f1 * (x1 - x0) / (f1 - f0);
        x0 = x1;
        f0 = f1;
        x1 = x2;
        if (std::abs(1.0 / x1 - 1.0 / x0) < kToleranceK * (1.0 / x1))
            return 1.0 / x1;
    }
    Fail("no bubble temperature found at " + Number(pressureKPa) + " kPa");
    return kNaN;
}

// The dew temperature whose pressure has dew and bubble temperatures averaging `midPointK`.
// The glide changes slowly with pressure, so moving the dew temperature by the mean's miss
// converges in a few steps.
double PropertyEngine::DewTempOfMidPoint(double midPointK) {
    constexpr int kMaxSteps = 40;
    constexpr double kToleranceK = 1e-10;
    double dewK = midPointK;
    double bubbleK = kNaN;
    for (int step = 0; step < kMaxSteps; ++step) {
        const double p = DewPressure(dewK);
        bubbleK = BubbleTempAt(p, dewK);
        if (!std::isfinite(bubbleK))
            break;
        const double miss = 0.5 * (dewK + bubbleK) - midPointK;
        dewK -= miss;
        if (std::abs(miss) < kToleranceK * midPointK)
            return dewK;
    }
    Fail("no pressure found whose mid-point temperature is " + Number(midPointK) + " K");
    return kNaN;
}

void PropertyEngine::StatePoint(int mode) {
    block_.temperature = temperature;
    block_.pressure = pressure;
    block_.enthalpy = enthalpy;
    block_.entropy = entropy;
    switch (mode) {
    case kDewPressureAtT:
        block_.phaseFlag = 2;
        Run(kSATT);
        pressure = block_.pressure;
        break;
    case kStateFromTP:
        Run(kTPFLSH);
        enthalpy = block_.enthalpy;
        entropy = block_.entropy;
        break;
    case kStateFromPS:
        Run(kPSFLSH);
        enthalpy = block_.enthalpy;
        temperature = block_.temperature;
        break;
    default:
        Fail("unknown state mode " + std::to_string(mode));
        return;
    }
    block_.phaseFlag = 2;
    Run(kTPRHO);
    vaporDensity = block_.density;
}

// The liquid line at its temperature (90 F for the default rating) and the condensing pressure.
// A flash there returns vapour or a two-phase state when the condensing temperature is at or
// below the liquid's, and always for a blend at its condensing dew temperature (its dew pressure
// lies below its bubble pressure), and the refrigerating effect collapses. The liquid root gives
// the saturated liquid at exactly the condensing temperature, the metastable liquid of the bulk
// composition below, and the same subcooled liquid as the flash otherwise.
void PropertyEngine::LiquidLineEnthalpy(double tempK, double pressureKPa) {
    temperature = tempK;
    pressure = pressureKPa;
    block_.temperature = temperature;
    block_.pressure = pressure;
    block_.phaseFlag = 1;
    const std::string errorBefore = lastError_;
    Run(kTPRHO);
    if (std::isnan(block_.density) && std::isfinite(pressureKPa))
        BubbleLiquidInstead(tempK, pressureKPa, errorBefore);
    RunTherm();
    enthalpy = block_.enthalpy;
    entropy = block_.entropy;
}

// A library may have no liquid root below the bubble pressure (no metastable liquid), which is
// where the liquid line lies for a condensing temperature just under the liquid's, such as the
// 32.2 C of an SI map (305.35 K) against 90 F. The bubble-point liquid at the liquid temperature,
// of the same composition, stands in: a liquid's enthalpy changes by about v (1 - T beta) dP, a
// few J/mol for 100 kPa.
void PropertyEngine::BubbleLiquidInstead(double tempK, double pressureKPa, const std::string& errorBefore) {
    block_.temperature = tempK;
    block_.phaseFlag = 1;
    Run(kSATT);
    const bool belowBubble = block_.pressure >= pressureKPa;
    const double liquidDensity = block_.liquidDensity;
    block_.pressure = pressureKPa;
    if (!belowBubble || !std::isfinite(liquidDensity)) {
        block_.density = kNaN;
        return;
    }
    block_.density = liquidDensity;
    lastError_ = errorBefore;
}

void PropertyEngine::Run(int code) {
    ArgumentBlock& b = block_;
    switch (code) {
    case kWMOL:
        if (Ready("WMOLdll")) {
            entries_.wmol(b.composition, &b.molarMass);
            if (!std::isfinite(b.molarMass) || b.molarMass <= 0) {
                Fail("WMOLdll gives no molar mass");
                b.molarMass = kNaN;
            }
        } else {
            b.molarMass = kNaN;
        }
        molarMass = b.molarMass;
        return;
    case kSATT:
        if (Ready("SATTdll") && InputsFinite("SATTdll", { b.temperature })) {
            b.errorCode = 0;
            entries_.satt(&b.temperature, b.composition, &b.phaseFlag, &b.pressure, &b.liquidDensity,
                &b.vaporDensity, b.liquidComposition, b.vaporComposition, &b.errorCode, b.errorText,
                kErrorTextLength);
            if (Succeeded("SATTdll"))
                return;
        }
        b.pressure = b.liquidDensity = b.vaporDensity = kNaN;
        FillNaN(b.liquidComposition, kCompositionSlots);
        FillNaN(b.vaporComposition, kCompositionSlots);
        return;
    case kTPRHO:
        if (Ready("TPRHOdll") && InputsFinite("TPRHOdll", { b.temperature, b.pressure })) {
            b.errorCode = 0;
            entries_.tprho(&b.temperature, &b.pressure, b.composition, &b.phaseFlag, &b.guessFlag, &b.density,
                &b.errorCode, b.errorText, kErrorTextLength);
            if (Succeeded("TPRHOdll"))
                return;
        }
        b.density = kNaN;
        return;
    case kTPFLSH:
        if (Ready("TPFLSHdll") && InputsFinite("TPFLSHdll", { b.temperature, b.pressure })) {
            b.errorCode = 0;
            entries_.tpflsh(&b.temperature, &b.pressure, b.composition, &b.density, &b.liquidDensity,
                &b.vaporDensity, b.liquidComposition, b.vaporComposition, &b.quality, &b.internalEnergy,
                &b.enthalpy, &b.entropy, &b.cv, &b.cp, &b.speedOfSound, &b.errorCode, b.errorText,
                kErrorTextLength);
            if (Succeeded("TPFLSHdll"))
                return;
        }
        b.density = b.liquidDensity = b.vaporDensity = b.quality = b.internalEnergy = kNaN;
        b.enthalpy = b.entropy = b.cv = b.cp = b.speedOfSound = kNaN;
        FillNaN(b.liquidComposition, kCompositionSlots);
        FillNaN(b.vaporComposition, kCompositionSlots);
        return;
    case kPSFLSH:
        if (Ready("PSFLSHdll") && InputsFinite("PSFLSHdll", { b.pressure, b.entropy })) {
            b.errorCode = 0;
            entries_.psflsh(&b.pressure, &b.entropy, b.composition, &b.temperature, &b.density,
                &b.liquidDensity, &b.vaporDensity, b.liquidComposition, b.vaporComposition, &b.quality,
                &b.internalEnergy, &b.enthalpy, &b.cv, &b.cp, &b.speedOfSound, &b.errorCode, b.errorText,
                kErrorTextLength);
            if (Succeeded("PSFLSHdll"))
                return;
        }
        b.temperature = b.density = b.liquidDensity = b.vaporDensity = b.quality = b.internalEnergy = kNaN;
        b.enthalpy = b.cv = b.cp = b.speedOfSound = kNaN;
        FillNaN(b.liquidComposition, kCompositionSlots);
        FillNaN(b.vaporComposition, kCompositionSlots);
        return;
    default:
        Fail("unknown operation code " + std::to_string(code));
        return;
    }
}

// THERMdll has no error code; it leaves NaN for a state it cannot evaluate.
void PropertyEngine::RunTherm() {
    ArgumentBlock& b = block_;
    if (Ready("THERMdll") && InputsFinite("THERMdll", { b.temperature, b.density })) {
        entries_.therm(&b.temperature, &b.density, b.composition, &b.pressure, &b.internalEnergy, &b.enthalpy,
            &b.entropy, &b.cv, &b.cp, &b.speedOfSound, &b.jouleThomson);
        if (std::isfinite(b.enthalpy) && std::isfinite(b.entropy))
            return;
        Fail("THERMdll gives no state at T = " + Number(b.temperature) + " K, density = " + Number(b.density)
            + " mol/dm3");
    }
    b.pressure = b.internalEnergy = b.enthalpy = b.entropy = b.cv = b.cp = b.speedOfSound = b.jouleThomson
        = kNaN;
}

bool PropertyEngine::Ready(const char* routine) {
    if (setUp_)
        return true;
    Fail(std::string(routine) + " not called: no refrigerant is set up");
    return false;
}

// A state that already failed upstream is not passed on: NaN inputs would only produce a
// second, less telling error (or worse, from a library that does not check them).
bool PropertyEngine::InputsFinite(const char* routine, std::initializer_list<double> inputs) {
    if (std::all_of(inputs.begin(), inputs.end(), [](double v) { return std::isfinite(v); }))
        return true;
    Fail(std::string(routine) + " not called: an input is not a number");
    return false;
}

bool PropertyEngine::Succeeded(const char* routine) {
    block_.errorText[kErrorTextLength] = '\0';
    if (block_.errorCode == 0)
        return true;
    Fail(std::string(routine) + " reports error " + std::to_string(block_.errorCode) + ": "
        + block_.errorText);
    return false;
}

// The first failure is kept: later ones follow from it.
void PropertyEngine::Fail(const std::string& what) {
    if (lastError_.empty())
        lastError_ = what;
}

} // namespace velutra
