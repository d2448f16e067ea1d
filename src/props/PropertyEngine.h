#pragma once

#include "props/ArgumentBlock.h"
#include "props/CycleStateSource.h"
#include "props/PropertyLibrary.h"

#include <array>
#include <limits>
#include <string>

namespace velutra {

// Evaluates refrigerant states through the property library. Callers write the inputs into
// the public fields and read the results from them. Until a set-up succeeds, and after a
// failed one, every evaluation gives NaN; a routine that reports an error leaves NaN in the
// results it should have produced, so no plausible-looking number comes out of a failure.
class PropertyEngine final : public CycleStateSource {
public:
    // Operation codes of CallRoutine.
    static constexpr int kWMOL = 0;
    static constexpr int kSATT = 1;
    static constexpr int kTPRHO = 4;
    static constexpr int kTPFLSH = 5;
    static constexpr int kPSFLSH = 11;

    // Modes of CalcStatePoint.
    static constexpr int kDewPressureAtT = 0;
    static constexpr int kStateFromTP = 4;
    static constexpr int kStateFromPS = 6;

    static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

    int refrigerant = -1; // code last set up
    double temperature = kNaN; // K
    double pressure = kNaN; // kPa
    double enthalpy = kNaN; // J/mol
    double entropy = kNaN; // J/(mol K)
    double vaporDensity = kNaN; // mol/dm3, vapour root at the last evaluation's T and P
    double molarMass = kNaN; // g/mol

    // Library file chosen in the program's settings (empty: the default). Takes effect at the
    // next SetupFluid; the environment variable VELUTRA_PROPERTY_LIBRARY takes precedence.
    void SetLibraryPath(std::string path) { library_.SetConfiguredPath(std::move(path)); }

    // Loads the library if needed, resolves its routines and sets up the refrigerant with the
    // given code, the position in kRefrigerantFluids (0 R134a ... 5 R600a, 6 R32 ... 13 R449A).
    SetupResult SetupFluid(int refrigerantIndex) override;
    bool IsSetUp() const { return setUp_; }

    // Runs one library routine on the argument block: 0 WMOL (then molarMass is set), 1 SATT,
    // 4 TPRHO, 5 TPFLSH, 11 PSFLSH.
    void CallRoutine(int code);

    // Evaluates one state from the fields into the fields, ending with the vapour-root density
    // at the final temperature and pressure: 0 dew pressure at `temperature`; 4 enthalpy and
    // entropy at (`temperature`, `pressure`); 6 temperature and enthalpy at (`pressure`, `entropy`).
    void CalcStatePoint(int mode);

    double MolarMass() override;

    // The cycle state sequence at the given rating conditions: dew pressures Pe and Pc (on the
    // mid-point basis at the pressures whose dew and bubble temperatures average Te and Tc),
    // suction gas at Pe (a gas temperature, or a superheat above the dew temperature), liquid at
    // Pc (a liquid temperature, or a subcooling below the bubble temperature), isentropic
    // discharge at (Pc, s1). Leaves the discharge state in the fields. A failure, including
    // conditions that give no state (a suction gas below its dew temperature), leaves NaN in
    // what it affects and its message in `error`.
    CycleStateResult CycleStates(double evapTempK, double condTempK, const RatingConditions& rating) override;

    // What failed in the last SetupFluid, CallRoutine, CalcStatePoint or CycleStates; empty if
    // nothing did.
    const std::string& LastError() const { return lastError_; }

    const ArgumentBlock& Arguments() const { return block_; }

private:
    void Run(int code);
    void RunTherm();
    void StatePoint(int mode);
    double BubblePressure(double tempK);
    double DewPressure(double tempK);
    double BubbleTempAt(double pressureKPa, double dewTempK);
    double SolveBubbleTemp(double pressureKPa, double dewTempK);
    double DewTempOfMidPoint(double midPointK);
    void LiquidLineEnthalpy(double tempK, double pressureKPa);
    void BubbleLiquidInstead(double tempK, double pressureKPa, const std::string& errorBefore);
    bool Ready(const char* routine);
    bool InputsFinite(const char* routine, std::initializer_list<double> inputs);
    bool Succeeded(const char* routine);
    void Fail(const std::string& what);
    SetupResult SetupFailure(const std::string& name, const std::string& reason);

    PropertyLibrary library_;
    EntryPoints entries_;
    ArgumentBlock block_;
    bool setUp_ = false;
    // The last bubble temperatures solved for, by pressure: the points of a map row share their
    // condensing pressure, and an analysis passes the rows twice (entered and rebuilt map) with
    // the rating point between, so one solve serves a row throughout.
    struct SolvedBubble {
        double pressureKPa = kNaN;
        double tempK = kNaN;
    };
    std::array<SolvedBubble, 8> solvedBubbles_ {};
    size_t nextSolvedBubble_ = 0;
    std::string lastError_;
};

} // namespace velutra
