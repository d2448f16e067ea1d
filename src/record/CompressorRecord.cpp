#include "record/CompressorRecord.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace velutra {

namespace {

constexpr std::array<const char*, kMaxCond> kEnglishCondTemps
    = { "90.0", "100.0", "110.0", "120.0", "130.0", "140.0" };
constexpr std::array<const char*, kMaxCond> kSICondTemps = { "45.0", "55.0", "65.0", "", "", "" };
constexpr std::array<const char*, kMaxEvap> kEnglishEvapTemps
    = { "-40.0", "-30.0", "-20.0", "-10.0", "0.0", "10.0", "", "" };
constexpr std::array<const char*, kMaxEvap> kSIEvapTemps
    = { "-35.0", "-30.0", "-25.0", "-20.0", "-15.0", "-10.0", "", "" };

void SetAxes(CompressorRecord& record, const std::array<const char*, kMaxCond>& cond,
    const std::array<const char*, kMaxEvap>& evap) {
    for (int r = 0; r < kMaxCond; ++r) {
        record.condTempText[r][0] = cond[r];
        record.condTempText[r][1] = cond[r];
    }
    for (int c = 0; c < kMaxEvap; ++c)
        record.evapTempText[c] = evap[c];
}

// The number of a refrigerant name after its "R" and the text that follows it.
std::pair<long, const char*> NameParts(const char* name) {
    const char* p = name + (name[0] == 'R' ? 1 : 0);
    long number = 0;
    while (*p >= '0' && *p <= '9')
        number = number * 10 + (*p++ - '0');
    return { number, p };
}

} // namespace

int RefrigerantCodeOf(std::string_view name) {
    // Data sheets and some exchange formats write the ASHRAE designation with a hyphen.
    const std::string_view plain = name.substr(0, 2) == "R-" ? name.substr(2) : name;
    for (int code = 0; code < kRefrigerantCount; ++code) {
        const std::string_view known = kRefrigerantNames[static_cast<size_t>(code)];
        if (name == known || (plain.size() != name.size() && plain == known.substr(1)))
            return code;
    }
    return -1;
}

std::array<int, kRefrigerantCount> RefrigerantCodesByName() {
    std::array<int, kRefrigerantCount> codes {};
    std::iota(codes.begin(), codes.end(), 0);
    std::stable_sort(codes.begin(), codes.end(), [](int a, int b) {
        const auto [numberA, restA] = NameParts(kRefrigerantNames[static_cast<size_t>(a)]);
        const auto [numberB, restB] = NameParts(kRefrigerantNames[static_cast<size_t>(b)]);
        return numberA != numberB ? numberA < numberB : std::strcmp(restA, restB) < 0;
    });
    return codes;
}

void CompressorRecord::ApplyNewDefaults() {
    manufacturer = "Manufacturer";
    model = "Model";
    ratingCapacityText = "Capacity";
    ratingEERText = "EER";
    speedText = "3450";
    voltageText = "115";
    unitsEnglish = 1;
    unitsSI = 0;
    refrigerantIndex = 0;
    condCount = 3;
    evapCount = 6;
    // The New axes are the English ones although the counts are 3 x 6.
    SetAxes(*this, kEnglishCondTemps, kEnglishEvapTemps);
    for (auto& row : capacityText)
        row.fill("");
    for (auto& row : powerText)
        row.fill("");
    ratingConditions = {};
    displacementCm3 = 0;

    convertRefrigerant = 0;
    plotType = 0;
    smoothingMethod = 0;
    smoothEachCondTemp = 0;
    smoothAllTemps = 1;

    recordLoaded = 1;
    newRecordDefaultsPending = 1;
}

void CompressorRecord::ApplyDefaultAxes(bool english) {
    if (english) {
        condCount = 6;
        evapCount = 6;
        SetAxes(*this, kEnglishCondTemps, kEnglishEvapTemps);
    } else {
        condCount = 3;
        evapCount = 6;
        SetAxes(*this, kSICondTemps, kSIEvapTemps);
    }
}

void CompressorRecord::CopyPersistentFrom(const CompressorRecord& other) {
    manufacturer = other.manufacturer;
    model = other.model;
    ratingCapacityText = other.ratingCapacityText;
    ratingEERText = other.ratingEERText;
    speedText = other.speedText;
    voltageText = other.voltageText;
    unitsEnglish = other.unitsEnglish;
    unitsSI = other.unitsSI;
    refrigerantIndex = other.refrigerantIndex;
    condCount = other.condCount;
    evapCount = other.evapCount;
    condTempText = other.condTempText;
    evapTempText = other.evapTempText;
    capacityText = other.capacityText;
    powerText = other.powerText;
    ratingConditions = other.ratingConditions;
    displacementCm3 = other.displacementCm3;
}

bool CompressorRecord::PersistentFieldsEqual(const CompressorRecord& other) const {
    return manufacturer == other.manufacturer && model == other.model
        && ratingCapacityText == other.ratingCapacityText && ratingEERText == other.ratingEERText
        && speedText == other.speedText && voltageText == other.voltageText
        && unitsEnglish == other.unitsEnglish && unitsSI == other.unitsSI
        && refrigerantIndex == other.refrigerantIndex && condCount == other.condCount
        && evapCount == other.evapCount && condTempText == other.condTempText
        && evapTempText == other.evapTempText && capacityText == other.capacityText
        && powerText == other.powerText && ratingConditions == other.ratingConditions
        && displacementCm3 == other.displacementCm3;
}

} // namespace velutra
