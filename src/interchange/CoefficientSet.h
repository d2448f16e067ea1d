#pragma once

#include "interchange/CoefficientUnits.h"
#include "interchange/TenTermPolynomial.h"
#include "record/RatingConditions.h"

#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velutra {

// One compressor's ten-coefficient polynomials for capacity, power and mass flow, with what a
// reader needs to use them: units, refrigerant, the rating conditions they assume, the
// temperature ranges they hold in and how far they lie from the map they came from.
struct CoefficientSet {
    static constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

    CoefficientUnits units = CoefficientUnits::Ahri540;
    std::string refrigerant; // one of kRefrigerantNames
    std::string manufacturer; // optional
    std::string model; // optional
    int smoothingMethod = -1; // the smoothing the set was fitted to; -1 when not known

    // The rating conditions: the suction gas temperature, or with `suction` Superheat the
    // superheat; the liquid line temperature, or with `liquid` Subcooling the subcooling; in the
    // set's temperature unit (F or C; differences in F or K). `basis`: which temperature of a
    // blend's glide the polynomials' S and D are.
    double suctionGasTemp = 0;
    double liquidTemp = 0;
    RatingConditions::Suction suction = RatingConditions::Suction::GasTemperature;
    RatingConditions::Liquid liquid = RatingConditions::Liquid::LiquidTemperature;
    RatingConditions::Basis basis = RatingConditions::Basis::Dew;

    // Where the polynomials hold, in the set's temperature unit.
    double evapMin = 0;
    double evapMax = 0;
    double condMin = 0;
    double condMax = 0;

    TenTermPolynomial capacity;
    TenTermPolynomial power;
    TenTermPolynomial massFlow;
    bool hasMassFlow = true; // published sets often give capacity and power only

    // Deviation of the polynomials from the entered map's valid points, percent; kUnknown when not
    // known (a published set).
    double capacityRms = kUnknown;
    double capacityMax = kUnknown;
    double powerRms = kUnknown;
    double powerMax = kUnknown;
};

// A coefficient file that cannot be used, or a set that cannot be written; the message names
// the file and the field.
class CoefficientFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The rating conditions the analysis assumes: suction gas and liquid at 90 F, in the units' own
// temperature unit.
double AnalysisLineTemp(CoefficientUnits units);

// The set's rating conditions as the analysis takes them, and a set's fields from them. A set
// at the analysis's default line temperatures (within 1e-6 of AnalysisLineTemp) gives exactly
// the default value, so that it is analysed and saved as it always was.
RatingConditions RatingOfSet(const CoefficientSet& set);
void SetRatingOfSet(CoefficientSet& set, const RatingConditions& rating);

// Checks what every reader and writer checks: known units, method and refrigerant, finite
// coefficients, rating conditions and bounds, each minimum below its maximum. Throws
// CoefficientFileError naming `fileName` and the field.
void CheckCoefficientSet(const CoefficientSet& set, const std::string& fileName);

// The two file forms. JSON: one object with the fields above and the coefficients as "C1".."C10"
// of "capacity", "power" and "massFlow". CSV: "key,value" lines for the fields and one row per
// quantity ("capacity,Btu/h,C1,...,C10"), with "#" comment lines. Numbers are written so that
// they read back to the same double. Decoding checks everything and throws CoefficientFileError.
std::string EncodeCoefficientsJson(const CoefficientSet& set);
std::string EncodeCoefficientsCsv(const CoefficientSet& set);
CoefficientSet DecodeCoefficientsJson(std::string_view text, const std::string& fileName);
CoefficientSet DecodeCoefficientsCsv(std::string_view text, const std::string& fileName);

// What every writer of a set checks first: a coefficient, rating condition or range bound that is
// not finite (a fit that could not be computed) or an infinite deviation throws
// CoefficientFileError naming `destination` (as it should appear: a quoted path or "standard
// output") and the field; then CheckCoefficientSet.
void CheckWritableCoefficients(const CoefficientSet& set, const std::string& destination);

// By the file's extension: ".csv" is the CSV form, anything else JSON. Writing goes through a
// temporary file, so a failed write leaves an existing file as it was; a set that
// CheckWritableCoefficients refuses writes nothing.
CoefficientSet ReadCoefficientFile(const std::string& path);
void WriteCoefficientFile(const std::string& path, const CoefficientSet& set);
bool IsCsvPath(const std::string& path);

} // namespace velutra
