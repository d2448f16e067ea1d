#pragma once

#include "record/OperatingRange.h"
#include "record/RatingConditions.h"

#include <array>
#include <string>
#include <string_view>

namespace velutra {

inline constexpr int kMaxCond = 6;
inline constexpr int kMaxEvap = 8;

template <typename T> using CondRow = std::array<T, kMaxCond>;
template <typename T> using EvapRow = std::array<T, kMaxEvap>;
template <typename T> using MapTable = std::array<std::array<T, kMaxEvap>, kMaxCond>;

// Refrigerant codes, in the order of refrigerantIndex (the code a compressor file stores). The
// first six are the program's original refrigerants and keep their codes; later ones are added at
// the end. The lists on the forms show them sorted by name.
inline constexpr std::array<const char*, 17> kRefrigerantNames
    = { "R134a", "R152a", "R290", "R404A", "R507A", "R600a", "R32", "R1234yf", "R1234ze(E)", "R454B", "R454C",
          "R513A", "R448A", "R449A", "R22", "R410A", "R407C" };
inline constexpr int kRefrigerantCount = static_cast<int>(kRefrigerantNames.size());

// Whether a stored code names one of kRefrigerantNames.
inline constexpr bool IsRefrigerantCode(int code) {
    return code >= 0 && code < kRefrigerantCount;
}

// The code of a refrigerant name as a file or a command line writes it: the name of
// kRefrigerantNames, or the same with a hyphen after the R ("R-410A", "R-1234ze(E)"); -1 for any
// other text.
int RefrigerantCodeOf(std::string_view name);

// The refrigerant codes in the order the lists show them: by the number in the name (R32 before
// R134a, R1234yf last but one), then by the letters after it (R448A before R449A).
std::array<int, kRefrigerantCount> RefrigerantCodesByName();

// Help topics of the four forms.
inline constexpr int kHelpDescription = 100;
inline constexpr int kHelpMap = 110;
inline constexpr int kHelpPlots = 120;
inline constexpr int kHelpSmoothedMap = 130;

// The one compressor the program works on. Texts hold what the user typed; the numeric
// tables are filled by the analysis. Map tables are [condensing row][evaporating column].
struct CompressorRecord {
    // Persistent fields, in file order.
    std::string manufacturer;
    std::string model;
    std::string ratingCapacityText;
    std::string ratingEERText;
    std::string speedText;
    std::string voltageText;
    int unitsEnglish = 0;
    int unitsSI = 0;
    int refrigerantIndex = 0;
    int condCount = 0;
    int evapCount = 0;
    std::array<std::array<std::string, 2>, kMaxCond> condTempText;
    EvapRow<std::string> evapTempText;
    MapTable<std::string> capacityText;
    MapTable<std::string> powerText;
    // The conditions the map was rated at.
    RatingConditions ratingConditions;
    // Swept volume per revolution in cm3; 0 when not known. With the speed it turns the
    // normalised volumetric efficiency into the true one.
    double displacementCm3 = 0;

    // Working choices, not stored in the compressor file.
    int convertRefrigerant = 0;
    int newRefrigerantIndex = 0;
    int plotType = 0;
    int smoothingMethod = 0;
    int smoothEachCondTemp = 0;
    int smoothAllTemps = 0;
    MapTable<std::string> capacityTextCopy;
    MapTable<std::string> powerTextCopy;

    // Numeric working tables written by the analysis.
    CondRow<double> condTemp {};
    EvapRow<double> evapTemp {};
    MapTable<double> capacity {};
    MapTable<double> power {};
    MapTable<double> pressureRatio {};
    MapTable<double> suctionFlow {};
    MapTable<double> isentropicEff {};
    double flowFitIntercept = 0;
    double flowFitSlope = 0;
    double iseLinIntercept = 0;
    double iseLinSlope = 0;
    CondRow<double> iseLinInterceptByCond {};
    CondRow<double> iseLinSlopeByCond {};
    std::array<double, 3> iseQuad {};
    std::array<std::array<double, 3>, kMaxCond> iseQuadByCond {};
    // Two-variable surfaces of suction flow (m3/h) and isentropic efficiency in ln(pressure
    // ratio) and ln(Pe / kPa): c0 + c1 x + c2 y + c3 x^2 + c4 x y + c5 x^3.
    std::array<double, 6> flowSurface {};
    std::array<double, 6> iseSurface {};
    double smoothedRatingEER = 0;
    double mapRatingEER = 0;
    // Where the entered map's valid points lie; the smoothed map marks what lies beyond.
    OperatingRange enteredRange;

    // Run-state flags through which forms and file commands signal each other.
    std::string mapsDir;
    std::string currentFileName;
    std::string cmdLineFile;
    int cmdLineFileGiven = 0;
    int recordLoaded = 0;
    int firstUpdatePending = 0;
    int newRecordDefaultsPending = 0;
    int reloadFormsFromRecord = 0;
    int helpContext = 0;

    // New: persistent fields and working choices to their defaults; newRefrigerantIndex,
    // the text-map copies and the numeric tables stay as they are.
    void ApplyNewDefaults();

    // Replaces counts and temperature axes by the defaults of the unit system; the map
    // texts are left alone.
    void ApplyDefaultAxes(bool english);

    // Copies the persistent fields (the ones the compressor file stores) from another record.
    void CopyPersistentFrom(const CompressorRecord& other);

    bool PersistentFieldsEqual(const CompressorRecord& other) const;
};

} // namespace velutra
