#include "analysis/PublishedMapCsv.h"

#include "record/MapEntry.h"
#include "record/RatingConditionsText.h"
#include "record/TextRules.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace velutra {

namespace {

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> SplitFields(std::string_view line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = line.find(',', start);
        fields.push_back(Trim(line.substr(start, comma == std::string_view::npos ? comma : comma - start)));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

struct Parser {
    const std::string& fileName;
    int lineNumber = 0;

    [[noreturn]] void Fail(const std::string& what) const {
        throw PublishedMapError(fileName + ", line " + std::to_string(lineNumber) + ": " + what);
    }

    // A field must be a number as a whole: "340abc" or "3.4.5" is not read as far as it goes.
    void RequireNumber(const std::string& field, const std::string& what) const {
        const std::optional<double> value = WholeTextNumber(field);
        if (!value)
            Fail(what + " " + QuoteForMessage(field) + " is not a number");
        if (!std::isfinite(*value))
            Fail(what + " " + QuoteForMessage(field) + " is not finite");
    }
};

// A positive number of a "speed" or "displacement" line.
bool PositiveNumber(const std::string& text, double& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value) && value > 0;
}

// A cell named by its temperatures, as the map entry form names it.
std::string CellName(const std::string& cond, const std::string& evap, bool haveUnits, bool unitsSI) {
    const std::string unit = !haveUnits ? "" : unitsSI ? " C" : " F";
    return ClipForMessage(cond) + unit + " condensing, " + ClipForMessage(evap) + unit + " evaporating";
}

} // namespace

void DecodePublishedMap(std::string_view text, CompressorRecord& record, const std::string& fileName) {
    CompressorRecord result = record;
    Parser parser { fileName };
    bool haveRefrigerant = false;
    bool haveUnits = false;
    int evapCount = 0;
    std::vector<std::string> capacityConds;
    std::vector<std::string> powerConds;
    // A map without a "rating" line was rated at the default conditions; one without a
    // "displacement" line has no known displacement.
    result.ratingConditions = {};
    result.displacementCm3 = 0;
    bool haveRating = false, haveSpeed = false, haveDisplacement = false;

    std::istringstream lines { std::string(text) };
    std::string line;
    while (std::getline(lines, line)) {
        ++parser.lineNumber;
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        const std::vector<std::string> f = SplitFields(trimmed);
        const std::string& key = f[0];
        if (key == "refrigerant" && f.size() == 2) {
            const int index = RefrigerantCodeOf(f[1]);
            if (index < 0)
                parser.Fail("unknown refrigerant " + QuoteForMessage(f[1]));
            result.refrigerantIndex = index;
            haveRefrigerant = true;
        } else if (key == "units" && f.size() == 2 && (f[1] == "English" || f[1] == "SI")) {
            result.unitsEnglish = f[1] == "English" ? 1 : 0;
            result.unitsSI = 1 - result.unitsEnglish;
            haveUnits = true;
        } else if (key == "evaporating") {
            evapCount = static_cast<int>(f.size()) - 1;
            if (evapCount < 1 || evapCount > kMaxEvap)
                parser.Fail("expected 1 to 8 evaporating temperatures");
            for (int c = 0; c < evapCount; ++c)
                parser.RequireNumber(f[c + 1], "evaporating temperature " + std::to_string(c + 1));
            for (int c = 0; c < kMaxEvap; ++c)
                result.evapTempText[c] = c < evapCount ? f[c + 1] : std::string();
        } else if (key == "capacity" || key == "power") {
            if (evapCount == 0)
                parser.Fail("map row before the evaporating temperatures");
            if (static_cast<int>(f.size()) != evapCount + 2)
                parser.Fail("expected a condensing temperature and " + std::to_string(evapCount) + " values");
            std::vector<std::string>& conds = key == "capacity" ? capacityConds : powerConds;
            const int r = static_cast<int>(conds.size());
            if (r == kMaxCond)
                parser.Fail("more than 6 " + key + " rows");
            parser.RequireNumber(f[1], "condensing temperature");
            // An empty field is a blank cell (outside the operating envelope); any other must be a
            // number. Whether capacity and power agree is checked on the whole map below.
            for (int c = 0; c < evapCount; ++c)
                if (!f[c + 2].empty())
                    parser.RequireNumber(f[c + 2],
                        key + " at " + CellName(f[1], result.evapTempText[c], haveUnits, result.unitsSI == 1)
                            + ":");
            conds.push_back(f[1]);
            MapTable<std::string>& table = key == "capacity" ? result.capacityText : result.powerText;
            for (int c = 0; c < kMaxEvap; ++c)
                table[r][c] = c < evapCount ? f[c + 2] : std::string();
        } else if (key == "rating" && f.size() >= 2) {
            // The written form has commas of its own: the rest of the line is the conditions.
            const ParsedRatingConditions rating
                = ParseRatingConditions(trimmed.substr(trimmed.find(',') + 1));
            if (!rating.ok() || haveRating)
                parser.Fail(haveRating ? "a second rating line" : "rating conditions " + rating.error);
            result.ratingConditions = rating.value;
            haveRating = true;
        } else if ((key == "speed" || key == "displacement") && f.size() == 2) {
            bool& have = key == "speed" ? haveSpeed : haveDisplacement;
            double value = 0;
            if (have)
                parser.Fail("a second " + key + " line: a file holds one map");
            if (!PositiveNumber(f[1], value))
                parser.Fail(key + " \"" + f[1] + "\" is not a positive number ("
                    + (key == "speed" ? "rpm" : "cm3") + ")");
            if (key == "speed")
                result.speedText = f[1];
            else
                result.displacementCm3 = value;
            have = true;
        } else {
            parser.Fail("unexpected line " + QuoteForMessage(trimmed));
        }
    }
    if (!haveRefrigerant || !haveUnits || evapCount == 0 || capacityConds.empty())
        parser.Fail("refrigerant, units, evaporating temperatures and map rows are all needed");
    if (capacityConds != powerConds)
        parser.Fail("capacity and power rows are not at the same condensing temperatures");

    const int condCount = static_cast<int>(capacityConds.size());
    for (int r = 0; r < kMaxCond; ++r) {
        const std::string cond = r < condCount ? capacityConds[r] : std::string();
        result.condTempText[r] = { cond, cond };
        if (r >= condCount) {
            result.capacityText[r].fill({});
            result.powerText[r].fill({});
        }
    }
    result.condCount = condCount;
    result.evapCount = evapCount;
    if (const std::string problem = CheckMapCells(result); !problem.empty())
        throw PublishedMapError(fileName + ": " + problem);
    record = std::move(result);
}

void ReadPublishedMap(const std::string& path, CompressorRecord& record) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw PublishedMapError(path + ": cannot be opened");
    std::ostringstream text;
    text << in.rdbuf();
    DecodePublishedMap(text.str(), record, path);
}

} // namespace velutra
