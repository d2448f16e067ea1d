#include "interchange/CoefficientSet.h"

#include "analysis/SmoothingMethods.h"
#include "files/ReplaceFile.h"
#include "record/CompressorRecord.h"
#include "record/RatingConditions.h"
#include "record/TextRules.h"
#include "record/UnitRules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <utility>
#include <vector>

namespace velutra {

namespace {

using Json = nlohmann::ordered_json;

// The three quantities by their names in files and messages.
struct Quantity {
    const char* jsonKey;
    const char* csvKey;
    TenTermPolynomial CoefficientSet::*polynomial;
    const char* CoefficientUnitNames::*unit;
};
constexpr std::array<Quantity, 3> kQuantities = { {
    { "capacity", "capacity", &CoefficientSet::capacity, &CoefficientUnitNames::capacity },
    { "power", "power", &CoefficientSet::power, &CoefficientUnitNames::power },
    { "massFlow", "mass flow", &CoefficientSet::massFlow, &CoefficientUnitNames::massFlow },
} };

std::string CoefficientName(int k) {
    std::string name(1, 'C');
    name += std::to_string(k + 1);
    return name;
}

[[noreturn]] void Fail(const std::string& fileName, const std::string& field, const std::string& problem) {
    throw CoefficientFileError(fileName + ": " + field + " " + problem);
}

// A file's refrigerant as the program names it ("R-410A" is R410A); a name it does not know is
// kept as written, for CheckCoefficientSet to refuse.
std::string KnownRefrigerantName(const std::string& written) {
    const int code = RefrigerantCodeOf(written);
    return code < 0 ? written : kRefrigerantNames[static_cast<size_t>(code)];
}

std::string RefrigerantList() {
    std::string list;
    for (const char* name : kRefrigerantNames)
        list += std::string(list.empty() ? "" : ", ") + name;
    return list;
}

// Shortest text that reads back to the same double.
std::string RoundTrip(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return { buffer, result.ptr };
}

std::string MethodKey(int method) {
    return kSmoothingMethods[static_cast<size_t>(method)].key;
}

int MethodOfKey(const std::string& key, const std::string& fileName, const std::string& field) {
    const int method = SmoothingMethodOfKey(key);
    if (method < 0)
        Fail(fileName, field, QuoteForMessage(key) + " is not a smoothing method");
    return method;
}

// --- JSON ---------------------------------------------------------------------------------------

const Json* Member(const Json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

const Json& RequiredObject(const Json& object, const char* key, const std::string& fileName) {
    const Json* member = Member(object, key);
    if (member == nullptr)
        Fail(fileName, key, "is missing");
    if (!member->is_object())
        Fail(fileName, key, "is not an object");
    return *member;
}

double RequiredNumber(
    const Json& object, const char* key, const std::string& fileName, const std::string& field) {
    const Json* member = Member(object, key);
    if (member == nullptr || member->is_null())
        Fail(fileName, field, "is missing");
    if (!member->is_number())
        Fail(fileName, field, "is not a number");
    return member->get<double>();
}

// Absent or null reads as unknown.
double OptionalNumber(
    const Json& object, const char* key, const std::string& fileName, const std::string& field) {
    const Json* member = Member(object, key);
    if (member == nullptr || member->is_null())
        return CoefficientSet::kUnknown;
    if (!member->is_number())
        Fail(fileName, field, "is not a number");
    return member->get<double>();
}

std::string RequiredText(const Json& object, const char* key, const std::string& fileName) {
    const Json* member = Member(object, key);
    if (member == nullptr)
        Fail(fileName, key, "is missing");
    if (!member->is_string())
        Fail(fileName, key, "is not a text");
    return member->get<std::string>();
}

std::string OptionalText(const Json& object, const char* key, const std::string& fileName) {
    return Member(object, key) == nullptr ? std::string() : RequiredText(object, key, fileName);
}

Json NumberOrNull(double value) {
    return std::isfinite(value) ? Json(value) : Json(nullptr);
}

// --- CSV ----------------------------------------------------------------------------------------

std::string Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

// One line split at commas outside double quotes; "" inside quotes is one quote.
std::vector<std::string> SplitCsvLine(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (std::string& field : fields)
        field = Trim(field);
    return fields;
}

struct CsvLine {
    int number = 0;
    std::vector<std::string> fields;
};

class CsvLines {
public:
    CsvLines(std::string_view text, const std::string& fileName)
        : fileName(fileName) {
        int number = 0;
        std::istringstream in { std::string(text) };
        std::string line;
        while (std::getline(in, line)) {
            ++number;
            const std::string trimmed = Trim(line);
            if (trimmed.empty() || trimmed[0] == '#')
                continue;
            CsvLine parsed { number, SplitCsvLine(trimmed) };
            const std::string key = parsed.fields[0];
            if (!lines.emplace(key, std::move(parsed)).second)
                Fail(fileName, "line " + std::to_string(number) + ":",
                    QuoteForMessage(key) + " appears a second time");
        }
    }

    const CsvLine* Find(const std::string& key) const {
        const auto found = lines.find(key);
        return found == lines.end() ? nullptr : &found->second;
    }

    const CsvLine& Required(const std::string& key) const {
        const CsvLine* line = Find(key);
        if (line == nullptr)
            Fail(fileName, QuoteForMessage(key) + " line", "is missing");
        return *line;
    }

    // Field `index` (1 for the first value) of a line, or empty text when the line is short.
    static std::string Field(const CsvLine& line, size_t index) {
        return index < line.fields.size() ? line.fields[index] : std::string();
    }

    std::string Text(const std::string& key) const { return Field(Required(key), 1); }

    double Number(const CsvLine& line, size_t index, const std::string& field) const {
        return ParseNumber(Field(line, index), field, true);
    }

    double ParseNumber(const std::string& text, const std::string& field, bool required) const {
        if (text.empty()) {
            if (required)
                Fail(fileName, field, "is missing");
            return CoefficientSet::kUnknown;
        }
        double value = 0;
        const char* end = text.data() + text.size();
        const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
        const auto result = std::from_chars(begin, end, value);
        if (result.ec == std::errc::result_out_of_range)
            Fail(fileName, field, QuoteForMessage(text) + " is not finite");
        if (result.ec != std::errc() || result.ptr != end)
            Fail(fileName, field, QuoteForMessage(text) + " is not a number");
        return value;
    }

    void RefuseUnknownLines(const std::vector<std::string>& known) const {
        for (const auto& [key, line] : lines)
            if (std::find(known.begin(), known.end(), key) == known.end())
                Fail(fileName, "line " + std::to_string(line.number) + ":",
                    QuoteForMessage(key) + " is not a field of a coefficient file");
    }

private:
    const std::string& fileName;
    std::map<std::string, CsvLine> lines;
};

const char* kCsvDeviationSuffix = " deviation %";

RatingConditions::Basis BasisOfKey(const std::string& key, const std::string& fileName) {
    if (key == "dew")
        return RatingConditions::Basis::Dew;
    if (key == "midpoint")
        return RatingConditions::Basis::MidPoint;
    Fail(fileName, "basis", "\"" + key + "\" is not dew or midpoint");
}

} // namespace

double AnalysisLineTemp(CoefficientUnits units) {
    constexpr double lineF = RatingConditions::kAshraeLineTempF;
    return IsEnglish(units) ? lineF : (lineF - 32) / 1.8;
}

RatingConditions RatingOfSet(const CoefficientSet& set) {
    using R = RatingConditions;
    const bool english = IsEnglish(set.units);
    const double line = AnalysisLineTemp(set.units);
    if (set.suction == R::Suction::GasTemperature && set.liquid == R::Liquid::LiquidTemperature
        && set.basis == R::Basis::Dew && std::fabs(set.suctionGasTemp - line) <= 1e-6
        && std::fabs(set.liquidTemp - line) <= 1e-6)
        return {};
    const auto difference = [&](double value) { return english ? value * units::kKelvinPerRankine : value; };
    R rating;
    rating.suction = set.suction;
    rating.suctionValue = set.suction == R::Suction::Superheat ? difference(set.suctionGasTemp)
                                                               : MapTempToKelvin(english, set.suctionGasTemp);
    rating.liquid = set.liquid;
    rating.liquidValue = set.liquid == R::Liquid::Subcooling ? difference(set.liquidTemp)
                                                             : MapTempToKelvin(english, set.liquidTemp);
    rating.basis = set.basis;
    return rating;
}

void SetRatingOfSet(CoefficientSet& set, const RatingConditions& rating) {
    using R = RatingConditions;
    const bool english = IsEnglish(set.units);
    const auto difference = [&](double k) { return english ? k * 1.8 : k; };
    set.suction = rating.suction;
    set.liquid = rating.liquid;
    set.basis = rating.basis;
    if (rating == R {}) {
        set.suctionGasTemp = set.liquidTemp = AnalysisLineTemp(set.units);
        return;
    }
    set.suctionGasTemp = rating.suction == R::Suction::Superheat
        ? difference(rating.suctionValue)
        : KelvinToMapTemp(english, rating.suctionValue);
    set.liquidTemp = rating.liquid == R::Liquid::Subcooling ? difference(rating.liquidValue)
                                                            : KelvinToMapTemp(english, rating.liquidValue);
}

void CheckCoefficientSet(const CoefficientSet& set, const std::string& fileName) {
    if (RefrigerantCodeOf(set.refrigerant) < 0)
        Fail(fileName, "refrigerant",
            QuoteForMessage(set.refrigerant) + " is not one of " + RefrigerantList());
    if (set.smoothingMethod < -1 || set.smoothingMethod >= static_cast<int>(kSmoothingMethods.size()))
        Fail(fileName, "method", std::to_string(set.smoothingMethod) + " is not a smoothing method");
    const auto finite = [&](double value, const std::string& field) {
        if (!std::isfinite(value))
            Fail(fileName, field, "is not finite");
    };
    const bool superheat = set.suction == RatingConditions::Suction::Superheat;
    const bool subcooling = set.liquid == RatingConditions::Liquid::Subcooling;
    finite(set.suctionGasTemp, superheat ? "superheat" : "suction gas temperature");
    finite(set.liquidTemp, subcooling ? "subcooling" : "liquid temperature");
    if (superheat && set.suctionGasTemp < 0)
        Fail(fileName, "superheat", RoundTrip(set.suctionGasTemp) + " is negative");
    if (subcooling && set.liquidTemp < 0)
        Fail(fileName, "subcooling", RoundTrip(set.liquidTemp) + " is negative");
    const auto range = [&](double low, double high, const std::string& field) {
        finite(low, field + " minimum");
        finite(high, field + " maximum");
        if (!(low < high))
            Fail(fileName, field, "minimum " + RoundTrip(low) + " is not below maximum " + RoundTrip(high));
    };
    range(set.evapMin, set.evapMax, "evaporating range");
    range(set.condMin, set.condMax, "condensing range");
    for (const Quantity& quantity : kQuantities) {
        if (quantity.polynomial == &CoefficientSet::massFlow && !set.hasMassFlow)
            continue;
        const TenTermPolynomial& p = set.*quantity.polynomial;
        for (int k = 0; k < TenTermPolynomial::kTerms; ++k)
            finite(p.c[k], std::string(quantity.csvKey) + " " + CoefficientName(k));
    }
    // Deviations are optional but never negative or infinite.
    const auto deviation = [&](double value, const std::string& field) {
        if (!std::isnan(value) && !(value >= 0 && std::isfinite(value)))
            Fail(fileName, field, RoundTrip(value) + " is not a finite, non-negative percentage");
    };
    deviation(set.capacityRms, "capacity deviation RMS");
    deviation(set.capacityMax, "capacity deviation max");
    deviation(set.powerRms, "power deviation RMS");
    deviation(set.powerMax, "power deviation max");
}

std::string EncodeCoefficientsJson(const CoefficientSet& set) {
    const CoefficientUnitNames& names = NamesOf(set.units);
    Json json;
    json["units"] = names.key;
    json["unitNames"] = { { "temperature", names.temperature }, { "capacity", names.capacity },
        { "power", names.power }, { "massFlow", names.massFlow } };
    json["refrigerant"] = set.refrigerant;
    if (!set.manufacturer.empty())
        json["manufacturer"] = set.manufacturer;
    if (!set.model.empty())
        json["model"] = set.model;
    if (set.smoothingMethod >= 0)
        json["method"] = MethodKey(set.smoothingMethod);
    Json rating = Json::object();
    rating[set.suction == RatingConditions::Suction::Superheat ? "superheat" : "suctionGasTemperature"]
        = set.suctionGasTemp;
    rating[set.liquid == RatingConditions::Liquid::Subcooling ? "subcooling" : "liquidTemperature"]
        = set.liquidTemp;
    if (set.basis == RatingConditions::Basis::MidPoint)
        rating["basis"] = "midpoint";
    json["ratingConditions"] = rating;
    json["evaporatingRange"] = { { "min", set.evapMin }, { "max", set.evapMax } };
    json["condensingRange"] = { { "min", set.condMin }, { "max", set.condMax } };
    for (const Quantity& quantity : kQuantities) {
        if (quantity.polynomial == &CoefficientSet::massFlow && !set.hasMassFlow)
            continue;
        Json coefficients;
        for (int k = 0; k < TenTermPolynomial::kTerms; ++k)
            coefficients[CoefficientName(k)] = (set.*quantity.polynomial).c[k];
        json[quantity.jsonKey] = coefficients;
    }
    json["deviationPercent"]
        = { { "capacity",
                { { "rms", NumberOrNull(set.capacityRms) }, { "max", NumberOrNull(set.capacityMax) } } },
              { "power", { { "rms", NumberOrNull(set.powerRms) }, { "max", NumberOrNull(set.powerMax) } } } };
    return json.dump(2) + "\n";
}

CoefficientSet DecodeCoefficientsJson(std::string_view text, const std::string& fileName) {
    // The keys on the way to the value being read, so that a number too large for a double is
    // reported with its field.
    std::vector<std::string> keys;
    const Json::parser_callback_t track = [&keys](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start)
            keys.emplace_back();
        else if (event == Json::parse_event_t::object_end && !keys.empty())
            keys.pop_back();
        else if (event == Json::parse_event_t::key && !keys.empty())
            keys.back() = parsed.get<std::string>();
        return true;
    };
    Json json;
    try {
        json = Json::parse(text, track);
    } catch (const Json::out_of_range& error) {
        std::string field;
        for (const std::string& key : keys)
            field += (field.empty() ? "" : " ") + (key == "massFlow" ? std::string("mass flow") : key);
        Fail(fileName, ClipForMessage(field), "is not finite (" + ClipForMessage(error.what()) + ")");
    } catch (const Json::exception& error) {
        // The parser's message quotes the token it stopped at, which can be a whole line.
        throw CoefficientFileError(
            fileName + ": not a JSON coefficient file (" + ClipForMessage(error.what()) + ")");
    }
    if (!json.is_object())
        throw CoefficientFileError(fileName + ": not a JSON coefficient file (no object at the top)");

    CoefficientSet set;
    const std::string units = RequiredText(json, "units", fileName);
    const auto known = CoefficientUnitsOfKey(units);
    if (!known)
        Fail(fileName, "units", QuoteForMessage(units) + " is not ahri540 or en12900");
    set.units = *known;
    // The unit names are for the reader; when given they must be those of the units.
    if (const Json* given = Member(json, "unitNames"); given != nullptr) {
        const CoefficientUnitNames& names = NamesOf(set.units);
        const Json expected = { { "temperature", names.temperature }, { "capacity", names.capacity },
            { "power", names.power }, { "massFlow", names.massFlow } };
        if (!given->is_object())
            Fail(fileName, "unitNames", "is not an object");
        for (const auto& [key, value] : given->items())
            if (!expected.contains(key) || value != expected[key])
                Fail(fileName, "unitNames " + ClipForMessage(key),
                    ClipForMessage(value.dump()) + " is not the " + units + " unit");
    }
    set.refrigerant = KnownRefrigerantName(RequiredText(json, "refrigerant", fileName));
    set.manufacturer = OptionalText(json, "manufacturer", fileName);
    set.model = OptionalText(json, "model", fileName);
    if (Member(json, "method") != nullptr)
        set.smoothingMethod = MethodOfKey(RequiredText(json, "method", fileName), fileName, "method");

    const Json& rating = RequiredObject(json, "ratingConditions", fileName);
    // Either form of each line, not both; the basis is dew unless stated.
    const auto either = [&](const char* temperatureKey, const char* differenceKey,
                            const char* temperatureField, const char* differenceField, bool& isDifference) {
        const bool hasTemperature = Member(rating, temperatureKey) != nullptr;
        isDifference = Member(rating, differenceKey) != nullptr;
        if (hasTemperature && isDifference)
            Fail(fileName, "ratingConditions",
                std::string("gives both ") + temperatureKey + " and " + differenceKey);
        return isDifference ? RequiredNumber(rating, differenceKey, fileName, differenceField)
                            : RequiredNumber(rating, temperatureKey, fileName, temperatureField);
    };
    bool superheat = false, subcooling = false;
    set.suctionGasTemp
        = either("suctionGasTemperature", "superheat", "suction gas temperature", "superheat", superheat);
    set.liquidTemp
        = either("liquidTemperature", "subcooling", "liquid temperature", "subcooling", subcooling);
    set.suction
        = superheat ? RatingConditions::Suction::Superheat : RatingConditions::Suction::GasTemperature;
    set.liquid
        = subcooling ? RatingConditions::Liquid::Subcooling : RatingConditions::Liquid::LiquidTemperature;
    if (Member(rating, "basis") != nullptr)
        set.basis = BasisOfKey(RequiredText(rating, "basis", fileName), fileName);
    for (const auto& [key, value] : rating.items())
        if (key != "suctionGasTemperature" && key != "superheat" && key != "liquidTemperature"
            && key != "subcooling" && key != "basis")
            Fail(fileName, "ratingConditions " + key, "is not a rating condition");
    const Json& evap = RequiredObject(json, "evaporatingRange", fileName);
    set.evapMin = RequiredNumber(evap, "min", fileName, "evaporating range minimum");
    set.evapMax = RequiredNumber(evap, "max", fileName, "evaporating range maximum");
    const Json& cond = RequiredObject(json, "condensingRange", fileName);
    set.condMin = RequiredNumber(cond, "min", fileName, "condensing range minimum");
    set.condMax = RequiredNumber(cond, "max", fileName, "condensing range maximum");

    set.hasMassFlow = Member(json, "massFlow") != nullptr;
    for (const Quantity& quantity : kQuantities) {
        if (quantity.polynomial == &CoefficientSet::massFlow && !set.hasMassFlow)
            continue;
        const Json& coefficients = RequiredObject(json, quantity.jsonKey, fileName);
        for (int k = 0; k < TenTermPolynomial::kTerms; ++k)
            (set.*quantity.polynomial).c[k] = RequiredNumber(coefficients, CoefficientName(k).c_str(),
                fileName, std::string(quantity.csvKey) + " " + CoefficientName(k));
    }

    if (const Json* deviation = Member(json, "deviationPercent");
        deviation != nullptr && !deviation->is_null()) {
        if (!deviation->is_object())
            Fail(fileName, "deviationPercent", "is not an object");
        for (const char* name : { "capacity", "power" }) {
            const Json* quantity = Member(*deviation, name);
            if (quantity == nullptr || quantity->is_null())
                continue;
            if (!quantity->is_object())
                Fail(fileName, std::string(name) + " deviation", "is not an object");
            const bool capacity = std::string(name) == "capacity";
            (capacity ? set.capacityRms : set.powerRms)
                = OptionalNumber(*quantity, "rms", fileName, std::string(name) + " deviation RMS");
            (capacity ? set.capacityMax : set.powerMax)
                = OptionalNumber(*quantity, "max", fileName, std::string(name) + " deviation max");
        }
    }
    CheckCoefficientSet(set, fileName);
    return set;
}

std::string EncodeCoefficientsCsv(const CoefficientSet& set) {
    const CoefficientUnitNames& names = NamesOf(set.units);
    const auto optional
        = [](double value) { return std::isfinite(value) ? RoundTrip(value) : std::string(); };
    std::string out;
    out += "# Compressor polynomial X = C1 + C2*S + C3*D + C4*S^2 + C5*S*D + C6*D^2 + C7*S^3 + C8*D*S^2 + "
           "C9*S*D^2 + C10*D^3\n";
    out += "# S evaporating (suction dew) and D condensing (discharge dew) temperature in "
        + std::string(names.temperature) + "; capacity in " + names.capacity + ", power in " + names.power
        + ", mass flow in " + names.massFlow + "\n";
    out += "units," + std::string(names.key) + "\n";
    out += "temperature unit," + std::string(names.temperature) + "\n";
    out += "refrigerant," + CsvField(set.refrigerant) + "\n";
    if (!set.manufacturer.empty())
        out += "manufacturer," + CsvField(set.manufacturer) + "\n";
    if (!set.model.empty())
        out += "model," + CsvField(set.model) + "\n";
    if (set.smoothingMethod >= 0)
        out += "method," + MethodKey(set.smoothingMethod) + "\n";
    out += (set.suction == RatingConditions::Suction::Superheat ? "superheat," : "suction gas temperature,")
        + RoundTrip(set.suctionGasTemp) + "\n";
    out += (set.liquid == RatingConditions::Liquid::Subcooling ? "subcooling," : "liquid temperature,")
        + RoundTrip(set.liquidTemp) + "\n";
    if (set.basis == RatingConditions::Basis::MidPoint)
        out += "basis,midpoint\n";
    out += "# valid range: minimum, maximum\n";
    out += "evaporating range," + RoundTrip(set.evapMin) + "," + RoundTrip(set.evapMax) + "\n";
    out += "condensing range," + RoundTrip(set.condMin) + "," + RoundTrip(set.condMax) + "\n";
    out += "# deviation from the entered map's valid points in percent: RMS, largest\n";
    out += std::string("capacity") + kCsvDeviationSuffix + "," + optional(set.capacityRms) + ","
        + optional(set.capacityMax) + "\n";
    out += std::string("power") + kCsvDeviationSuffix + "," + optional(set.powerRms) + ","
        + optional(set.powerMax) + "\n";
    out += "quantity,unit";
    for (int k = 0; k < TenTermPolynomial::kTerms; ++k)
        out.append(1, ',').append(CoefficientName(k));
    out += "\n";
    for (const Quantity& quantity : kQuantities) {
        if (quantity.polynomial == &CoefficientSet::massFlow && !set.hasMassFlow)
            continue;
        out += std::string(quantity.csvKey) + "," + names.*quantity.unit;
        for (const double c : (set.*quantity.polynomial).c)
            out.append(1, ',').append(RoundTrip(c));
        out += "\n";
    }
    return out;
}

CoefficientSet DecodeCoefficientsCsv(std::string_view text, const std::string& fileName) {
    const CsvLines lines(text, fileName);
    lines.RefuseUnknownLines({ "units", "temperature unit", "refrigerant", "manufacturer", "model", "method",
        "suction gas temperature", "liquid temperature", "superheat", "subcooling", "basis",
        "evaporating range", "condensing range", std::string("capacity") + kCsvDeviationSuffix,
        std::string("power") + kCsvDeviationSuffix, "quantity", "capacity", "power", "mass flow" });

    CoefficientSet set;
    const std::string units = lines.Text("units");
    const auto known = CoefficientUnitsOfKey(units);
    if (!known)
        Fail(fileName, "units", QuoteForMessage(units) + " is not ahri540 or en12900");
    set.units = *known;
    const CoefficientUnitNames& names = NamesOf(set.units);
    if (const CsvLine* unit = lines.Find("temperature unit");
        unit != nullptr && CsvLines::Field(*unit, 1) != names.temperature)
        Fail(fileName, "temperature unit",
            QuoteForMessage(CsvLines::Field(*unit, 1)) + " is not the " + names.key + " unit "
                + names.temperature);
    set.refrigerant = KnownRefrigerantName(lines.Text("refrigerant"));
    if (lines.Find("manufacturer") != nullptr)
        set.manufacturer = lines.Text("manufacturer");
    if (lines.Find("model") != nullptr)
        set.model = lines.Text("model");
    if (lines.Find("method") != nullptr)
        set.smoothingMethod = MethodOfKey(lines.Text("method"), fileName, "method");

    const auto either = [&](const char* temperatureKey, const char* differenceKey, bool& isDifference) {
        isDifference = lines.Find(differenceKey) != nullptr;
        if (isDifference && lines.Find(temperatureKey) != nullptr)
            Fail(fileName, differenceKey, std::string("and ") + temperatureKey + " are both given");
        const char* key = isDifference ? differenceKey : temperatureKey;
        return lines.Number(lines.Required(key), 1, key);
    };
    bool superheat = false, subcooling = false;
    set.suctionGasTemp = either("suction gas temperature", "superheat", superheat);
    set.liquidTemp = either("liquid temperature", "subcooling", subcooling);
    set.suction
        = superheat ? RatingConditions::Suction::Superheat : RatingConditions::Suction::GasTemperature;
    set.liquid
        = subcooling ? RatingConditions::Liquid::Subcooling : RatingConditions::Liquid::LiquidTemperature;
    if (lines.Find("basis") != nullptr)
        set.basis = BasisOfKey(lines.Text("basis"), fileName);
    const CsvLine& evap = lines.Required("evaporating range");
    set.evapMin = lines.Number(evap, 1, "evaporating range minimum");
    set.evapMax = lines.Number(evap, 2, "evaporating range maximum");
    const CsvLine& cond = lines.Required("condensing range");
    set.condMin = lines.Number(cond, 1, "condensing range minimum");
    set.condMax = lines.Number(cond, 2, "condensing range maximum");

    set.hasMassFlow = lines.Find("mass flow") != nullptr;
    for (const Quantity& quantity : kQuantities) {
        if (quantity.polynomial == &CoefficientSet::massFlow && !set.hasMassFlow)
            continue;
        const CsvLine& row = lines.Required(quantity.csvKey);
        const std::string unit = CsvLines::Field(row, 1);
        if (unit != names.*quantity.unit)
            Fail(fileName, std::string(quantity.csvKey) + " unit",
                QuoteForMessage(unit) + " is not the " + names.key + " unit " + names.*quantity.unit);
        if (row.fields.size() > 2 + TenTermPolynomial::kTerms)
            Fail(fileName, quantity.csvKey, "has more than ten coefficients");
        for (int k = 0; k < TenTermPolynomial::kTerms; ++k)
            (set.*quantity.polynomial).c[k] = lines.Number(
                row, 2 + static_cast<size_t>(k), std::string(quantity.csvKey) + " " + CoefficientName(k));
    }

    for (const char* name : { "capacity", "power" }) {
        const CsvLine* line = lines.Find(std::string(name) + kCsvDeviationSuffix);
        if (line == nullptr)
            continue;
        const bool capacity = std::string(name) == "capacity";
        (capacity ? set.capacityRms : set.powerRms)
            = lines.ParseNumber(CsvLines::Field(*line, 1), std::string(name) + " deviation RMS", false);
        (capacity ? set.capacityMax : set.powerMax)
            = lines.ParseNumber(CsvLines::Field(*line, 2), std::string(name) + " deviation max", false);
    }
    CheckCoefficientSet(set, fileName);
    return set;
}

bool IsCsvPath(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string extension = path.substr(path.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".csv";
}

CoefficientSet ReadCoefficientFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CoefficientFileError(path + ": cannot be opened");
    std::ostringstream text;
    text << in.rdbuf();
    return IsCsvPath(path) ? DecodeCoefficientsCsv(text.str(), path)
                           : DecodeCoefficientsJson(text.str(), path);
}

void CheckWritableCoefficients(const CoefficientSet& set, const std::string& destination) {
    const auto computed = [&](double value, const std::string& field) {
        if (!std::isfinite(value))
            throw CoefficientFileError("Cannot write " + destination + ": the " + field
                + " could not be computed (" + FormatFixed(value, 1) + "); nothing was written.");
    };
    computed(set.suctionGasTemp, "suction gas temperature");
    computed(set.liquidTemp, "liquid temperature");
    computed(set.evapMin, "evaporating range minimum");
    computed(set.evapMax, "evaporating range maximum");
    computed(set.condMin, "condensing range minimum");
    computed(set.condMax, "condensing range maximum");
    for (const Quantity& quantity : kQuantities) {
        if (quantity.polynomial == &CoefficientSet::massFlow && !set.hasMassFlow)
            continue;
        for (int k = 0; k < TenTermPolynomial::kTerms; ++k)
            computed(
                (set.*quantity.polynomial).c[k], std::string(quantity.csvKey) + " " + CoefficientName(k));
    }
    // Unknown deviations are written as null or an empty field, but never as infinity.
    for (const auto& [value, field] : { std::pair { set.capacityRms, "capacity deviation RMS" },
             { set.capacityMax, "capacity deviation max" }, { set.powerRms, "power deviation RMS" },
             { set.powerMax, "power deviation max" } })
        if (std::isinf(value))
            computed(value, field);
    CheckCoefficientSet(set, destination);
}

void WriteCoefficientFile(const std::string& path, const CoefficientSet& set) {
    CheckWritableCoefficients(set, "\"" + path + "\"");
    ReplaceFileContents(path, IsCsvPath(path) ? EncodeCoefficientsCsv(set) : EncodeCoefficientsJson(set));
}

} // namespace velutra
