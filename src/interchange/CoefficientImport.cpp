#include "interchange/CoefficientImport.h"

#include "record/TextRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace velutra {

namespace {

// Map values are written with two decimals, temperatures with as few as keep the value.
constexpr int kMapTextStyle = -2;

std::string TemperatureText(double value) {
    for (int style = -1; style >= -4; --style) {
        const std::string text = FormatNumber(value, style);
        if (static_cast<float>(TextToNumber(text)) == static_cast<float>(value))
            return text;
    }
    return FormatNumber(value, -4);
}

// A value for a message: two decimals, or six digits and an exponent when it is huge.
std::string ValueText(double value) {
    if (!std::isfinite(value) || std::fabs(value) < 1e9)
        return FormatFixed(value, 2);
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return { buffer, result.ptr };
}

// The tenth of a degree at or inside each bound, so that a clipped value written with one decimal
// stays inside; the bounds themselves when they are closer together than that.
std::pair<double, double> TenthsInside(double low, double high) {
    const double inLow = std::ceil(low * 10) / 10;
    const double inHigh = std::floor(high * 10) / 10;
    return inLow < inHigh ? std::pair(inLow, inHigh) : std::pair(low, high);
}

std::vector<double> Clip(const std::vector<double>& axis, double low, double high) {
    const auto [inLow, inHigh] = TenthsInside(low, high);
    std::vector<double> clipped;
    for (const double t : axis) {
        const double v = std::clamp(t, inLow, inHigh);
        if (clipped.empty() || v > clipped.back())
            clipped.push_back(v);
    }
    if (clipped.size() >= 3)
        return clipped;
    // Evenly spaced, rounded to tenths.
    std::vector<double> even;
    const int n = std::max(static_cast<int>(axis.size()), 2);
    for (int i = 0; i < n; ++i) {
        const double v
            = std::clamp(std::round((inLow + (inHigh - inLow) * i / (n - 1)) * 10) / 10, inLow, inHigh);
        if (even.empty() || v > even.back())
            even.push_back(v);
    }
    return even;
}

// Where an error is about a file, its message starts with the file's name.
std::string Source(const std::string& fileName) {
    return fileName.empty() ? std::string() : fileName + ": ";
}

void CheckAxis(const std::vector<double>& axis, size_t most, double low, double high, const char* name,
    const char* unit, const std::string& fileName) {
    const std::string source = Source(fileName);
    if (axis.empty() || axis.size() > most)
        throw MapAxesError(source + "The " + std::string(name) + " temperatures must be 1 to "
            + std::to_string(most) + " values; there are " + std::to_string(axis.size()) + ".");
    for (size_t i = 0; i < axis.size(); ++i) {
        if (!std::isfinite(axis[i]))
            throw MapAxesError(source + "The " + std::string(name) + " temperatures must be finite numbers.");
        if (i > 0 && !(axis[i] > axis[i - 1]))
            throw MapAxesError(
                source + "The " + std::string(name) + " temperatures must be in ascending order.");
        const double slack = 1e-9 * (1 + std::fabs(low) + std::fabs(high));
        if (axis[i] < low - slack || axis[i] > high + slack)
            throw MapAxesError(source + "The " + std::string(name) + " temperature " + FormatFixed(axis[i], 2)
                + " " + unit + " lies outside the range the polynomials hold in, " + FormatFixed(low, 2)
                + " to " + FormatFixed(high, 2) + " " + unit + ".");
    }
}

} // namespace

MapAxes DefaultAxes(const CoefficientSet& set) {
    CompressorRecord defaults;
    defaults.ApplyDefaultAxes(IsEnglish(set.units));
    MapAxes axes;
    for (int c = 0; c < defaults.evapCount; ++c)
        axes.evap.push_back(TextToNumber(defaults.evapTempText[c]));
    for (int r = 0; r < defaults.condCount; ++r)
        axes.cond.push_back(TextToNumber(defaults.condTempText[r][0]));
    axes.evap = Clip(axes.evap, set.evapMin, set.evapMax);
    axes.cond = Clip(axes.cond, set.condMin, set.condMax);
    return axes;
}

CompressorRecord RecordFromCoefficients(
    const CoefficientSet& set, const MapAxes& given, const std::string& fileName) {
    // An axis not given is the default one. The map is evaluated at the temperatures as their
    // texts read, so those are what must lie inside the bounds.
    const MapAxes defaults = DefaultAxes(set);
    MapAxes axes;
    for (const double t : given.evap.empty() ? defaults.evap : given.evap)
        axes.evap.push_back(TextToNumber(TemperatureText(t)));
    for (const double t : given.cond.empty() ? defaults.cond : given.cond)
        axes.cond.push_back(TextToNumber(TemperatureText(t)));
    const char* unit = NamesOf(set.units).temperature;
    CheckAxis(axes.evap, kMaxEvap, set.evapMin, set.evapMax, "evaporating", unit, fileName);
    CheckAxis(axes.cond, kMaxCond, set.condMin, set.condMax, "condensing", unit, fileName);
    const int refrigerant = RefrigerantCodeOf(set.refrigerant);
    if (refrigerant < 0)
        throw CoefficientFileError(Source(fileName) + "the set's refrigerant "
            + QuoteForMessage(set.refrigerant) + " is not one the program knows");

    CompressorRecord record;
    record.ApplyNewDefaults();
    record.unitsEnglish = IsEnglish(set.units) ? 1 : 0;
    record.unitsSI = IsEnglish(set.units) ? 0 : 1;
    record.refrigerantIndex = refrigerant;
    // The polynomials describe the compressor at the set's own conditions; the record keeps them.
    record.ratingConditions = RatingOfSet(set);
    if (!set.manufacturer.empty())
        record.manufacturer = set.manufacturer;
    if (!set.model.empty())
        record.model = set.model;
    record.evapCount = static_cast<int>(axes.evap.size());
    record.condCount = static_cast<int>(axes.cond.size());
    for (int c = 0; c < kMaxEvap; ++c)
        record.evapTempText[c] = c < record.evapCount ? TemperatureText(axes.evap[c]) : std::string();
    for (int r = 0; r < kMaxCond; ++r) {
        const std::string text = r < record.condCount ? TemperatureText(axes.cond[r]) : std::string();
        record.condTempText[r] = { text, text };
    }
    // The map at the temperatures as the texts read, so that the record agrees with itself.
    for (int r = 0; r < record.condCount; ++r) {
        const double d = TextToNumber(record.condTempText[r][0]);
        for (int c = 0; c < record.evapCount; ++c) {
            const double s = TextToNumber(record.evapTempText[c]);
            const auto text = [&](const char* quantity, double value, const char* valueUnit) {
                // The text is what a reader takes: single precision, two decimals. It must read as
                // a positive finite number, or the file written would hold a cell no reader takes.
                const std::string written = FormatNumber(value, kMapTextStyle);
                const double read = TextToNumber(written);
                if (!std::isfinite(value) || !StartsWithNumber(written) || !std::isfinite(read)
                    || !(read > 0))
                    throw CoefficientFileError(Source(fileName) + "the polynomials give a " + quantity
                        + " of " + ValueText(value) + " " + valueUnit + " at " + record.evapTempText[c] + " "
                        + unit + " evaporating, " + record.condTempText[r][0] + " " + unit
                        + " condensing, which is not a positive finite " + quantity
                        + "; no map is made from it");
                return written;
            };
            record.capacityText[r][c]
                = text("capacity", SetCapacityToRecord(set.units, set.capacity.Evaluate(s, d)),
                    IsEnglish(set.units) ? "Btu/h" : "kcal/h");
            record.powerText[r][c] = text("power", set.power.Evaluate(s, d), "W");
        }
    }
    return record;
}

CompressorRecord ImportCoefficients(const std::string& path, const MapAxes& axes) {
    return RecordFromCoefficients(ReadCoefficientFile(path), axes, path);
}

} // namespace velutra
