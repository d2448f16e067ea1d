#include "record/RatingConditionsText.h"

#include "record/UnitRules.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace velutra {

namespace {

using Rating = RatingConditions;

// Temperatures and differences in the units the written form allows, to K. Formatting reads its
// candidates back through the same functions, so what it writes parses to the same double.
double CelsiusToK(double c) {
    return c + units::kCelsiusOffset;
}
double FahrenheitToK(double f) {
    return MapTempToKelvin(true, f);
}
double KelvinToK(double k) {
    return k;
}
double FahrenheitDifferenceToK(double f) {
    return f * units::kKelvinPerRankine;
}

struct Unit {
    char letter;
    double (*toK)(double);
    double (*fromK)(double); // a first guess for formatting
};

constexpr std::array<Unit, 3> kTemperatureUnits { {
    { 'C', CelsiusToK, [](double k) { return k - units::kCelsiusOffset; } },
    { 'F', FahrenheitToK, [](double k) { return KelvinToMapTemp(true, k); } },
    { 'K', KelvinToK, KelvinToK },
} };
constexpr std::array<Unit, 2> kDifferenceUnits { {
    { 'K', KelvinToK, KelvinToK },
    { 'F', FahrenheitDifferenceToK, [](double k) { return k * 1.8; } },
} };

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::optional<double> Number(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

struct NamedSet {
    const char* name;
    Rating (*value)();
};
constexpr std::array<NamedSet, 3> kNamedSets { {
    { "ashrae", AshraeRating },
    { "cecomaf", CecomafRating },
    { "en12900", En12900Rating },
} };

// A value with its unit letter, as an item writes it; an error text naming the item otherwise.
template <std::size_t N>
std::optional<double> ValueInK(std::string_view value, const std::array<Unit, N>& allowed, std::string& error,
    const std::string& item, const char* unitsText) {
    if (value.empty()) {
        error = "\"" + item + "\": no value";
        return std::nullopt;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(value.back())));
    for (const Unit& unit : allowed) {
        if (unit.letter != letter)
            continue;
        const std::optional<double> number = Number(Trim(value.substr(0, value.size() - 1)));
        if (!number) {
            error = "\"" + item + "\": not a number before the unit";
            return std::nullopt;
        }
        return unit.toK(*number);
    }
    error = "\"" + item + "\": the value needs a unit (" + unitsText + ")";
    return std::nullopt;
}

// The shortest text of a value in one unit that reads back to exactly `k`, if any.
std::optional<std::string> ExactText(double k, const Unit& unit) {
    const double guess = unit.fromK(k);
    char text[64];
    for (int decimals = 0; decimals <= 17; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, guess);
        const std::optional<double> back = Number(text);
        if (back && unit.toK(*back) == k)
            return std::string(text) + unit.letter;
    }
    // The guess itself may be an ulp off the value that maps onto k.
    double near = guess;
    for (int step = 0; step < 4; ++step) {
        for (double candidate : { std::nextafter(near, -INFINITY), std::nextafter(near, INFINITY) }) {
            if (unit.toK(candidate) != k)
                continue;
            const auto [end, ec] = std::to_chars(text, text + sizeof text - 1, candidate);
            if (ec == std::errc())
                return std::string(text, end) + unit.letter;
        }
        near = std::nextafter(near, INFINITY);
    }
    return std::nullopt;
}

template <std::size_t N> std::string ShortestText(double k, const std::array<Unit, N>& allowed) {
    std::optional<std::string> best;
    for (const Unit& unit : allowed) {
        const std::optional<std::string> text = ExactText(k, unit);
        if (text && (!best || text->size() < best->size()))
            best = text;
    }
    // K always reads back exactly (the shortest round-trip form of a double), so best is set.
    return best.value_or(std::string());
}

std::string SuctionItem(const Rating& r) {
    return r.suction == Rating::Suction::GasTemperature
        ? "gas=" + ShortestText(r.suctionValue, kTemperatureUnits)
        : "superheat=" + ShortestText(r.suctionValue, kDifferenceUnits);
}

std::string LiquidItem(const Rating& r) {
    return r.liquid == Rating::Liquid::LiquidTemperature
        ? "liquid=" + ShortestText(r.liquidValue, kTemperatureUnits)
        : "subcooling=" + ShortestText(r.liquidValue, kDifferenceUnits);
}

std::string BasisItem(const Rating& r) {
    return r.basis == Rating::Basis::MidPoint ? "basis=midpoint" : "basis=dew";
}

void Append(std::string& text, const std::string& item) {
    if (!text.empty())
        text += ',';
    text += item;
}

} // namespace

RatingConditions AshraeRating() {
    return RatingConditions {};
}

RatingConditions CecomafRating() {
    Rating r;
    r.suction = Rating::Suction::GasTemperature;
    r.suctionValue = CelsiusToK(32);
    r.liquid = Rating::Liquid::Subcooling;
    r.liquidValue = 0;
    return r;
}

RatingConditions En12900Rating() {
    Rating r;
    r.suction = Rating::Suction::Superheat;
    r.suctionValue = 10;
    r.liquid = Rating::Liquid::Subcooling;
    r.liquidValue = 0;
    return r;
}

ParsedRatingConditions ParseRatingConditions(std::string_view written) {
    ParsedRatingConditions out;
    std::string& error = out.error;
    Rating& r = out.value;
    if (Trim(written).empty()) {
        error = "no rating conditions given (a named set such as cecomaf, or items such as gas=32C)";
        return out;
    }

    std::vector<std::string_view> items;
    for (std::size_t start = 0;;) {
        const std::size_t comma = written.find(',', start);
        items.push_back(
            Trim(written.substr(start, comma == std::string_view::npos ? written.npos : comma - start)));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }

    bool named = false;
    std::string suctionItem, liquidItem, basisItem;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string item(items[i]);
        if (item.empty()) {
            error = "an empty item (two commas, or a comma at an end)";
            return out;
        }
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos) {
            const std::string name = Lower(item);
            const NamedSet* set = nullptr;
            for (const NamedSet& candidate : kNamedSets)
                if (name == candidate.name)
                    set = &candidate;
            if (!set) {
                error = "\"" + item
                    + "\": neither a named set (ashrae, cecomaf, en12900) nor an item "
                      "(gas=, superheat=, liquid=, subcooling=, basis=)";
                return out;
            }
            if (i != 0) {
                error
                    = "\"" + item + "\": a named set can only come first, before the items that override it";
                return out;
            }
            r = set->value();
            named = true;
            continue;
        }

        const std::string key = Lower(Trim(std::string_view(item).substr(0, equals)));
        const std::string_view value = Trim(std::string_view(item).substr(equals + 1));
        std::string* slot = nullptr;
        if (key == "gas" || key == "superheat")
            slot = &suctionItem;
        else if (key == "liquid" || key == "subcooling")
            slot = &liquidItem;
        else if (key == "basis")
            slot = &basisItem;
        if (!slot) {
            error = "\"" + item + "\": unknown item (gas=, superheat=, liquid=, subcooling=, basis=)";
            return out;
        }
        if (!slot->empty()) {
            const std::string earlierKey = Lower(Trim(std::string_view(*slot).substr(0, slot->find('='))));
            error = "\"" + item + "\": "
                + (earlierKey == key ? key + " is given twice"
                                     : "the same state is already given by \"" + *slot + "\"");
            return out;
        }
        *slot = item;

        if (key == "basis") {
            const std::string basis = Lower(value);
            if (basis == "dew")
                r.basis = Rating::Basis::Dew;
            else if (basis == "midpoint" || basis == "mid-point")
                r.basis = Rating::Basis::MidPoint;
            else {
                error = "\"" + item + "\": the basis is dew or midpoint";
                return out;
            }
            continue;
        }

        const bool difference = key == "superheat" || key == "subcooling";
        const std::optional<double> k = difference
            ? ValueInK(value, kDifferenceUnits, error, item, "K, or F for Fahrenheit degrees")
            : ValueInK(value, kTemperatureUnits, error, item, "C, F or K");
        if (!k)
            return out;
        if (difference && *k < 0) {
            error = "\"" + item + "\": a " + key + " cannot be negative";
            return out;
        }
        if (!difference && *k <= 0) {
            error = "\"" + item + "\": below absolute zero";
            return out;
        }
        const double kelvin = *k + 0.0; // no negative zero
        if (key == "gas" || key == "superheat") {
            r.suction = key == "gas" ? Rating::Suction::GasTemperature : Rating::Suction::Superheat;
            r.suctionValue = kelvin;
        } else {
            r.liquid = key == "liquid" ? Rating::Liquid::LiquidTemperature : Rating::Liquid::Subcooling;
            r.liquidValue = kelvin;
        }
    }

    if (!named && suctionItem.empty())
        error = std::string("\"").append(written).append("\": no suction state (gas=... or superheat=...)");
    else if (!named && liquidItem.empty())
        error
            = std::string("\"").append(written).append("\": no liquid state (liquid=... or subcooling=...)");
    if (!error.empty())
        out.value = {};
    return out;
}

// The shortest of the forms; on a tie a named set, the first of them, since it says more.
std::string FormatRatingConditions(const RatingConditions& rating) {
    std::string items;
    Append(items, SuctionItem(rating));
    Append(items, LiquidItem(rating));
    if (rating.basis != Rating::Basis::Dew)
        Append(items, BasisItem(rating));

    std::string best;
    for (const NamedSet& set : kNamedSets) {
        const Rating base = set.value();
        std::string text = set.name;
        if (base.suction != rating.suction || base.suctionValue != rating.suctionValue)
            Append(text, SuctionItem(rating));
        if (base.liquid != rating.liquid || base.liquidValue != rating.liquidValue)
            Append(text, LiquidItem(rating));
        if (base.basis != rating.basis)
            Append(text, BasisItem(rating));
        if (best.empty() || text.size() < best.size())
            best = text;
    }
    return items.size() < best.size() ? items : best;
}

} // namespace velutra
