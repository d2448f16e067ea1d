#include "cli/RatingOptions.h"

#include "cli/CliCommand.h"
#include "record/RatingConditionsText.h"

#include <charconv>
#include <cmath>

namespace velutra::cli {

namespace {

struct Known {
    const char* name;
    int option;
};
constexpr Known kKnown[] = {
    { "--rated", RatingOptions::kRated },
    { "--rerate", RatingOptions::kRerate },
    { "--superheat-factor", RatingOptions::kSuperheatFactor },
    { "--displacement", RatingOptions::kDisplacement },
    { "--speed", RatingOptions::kSpeed },
};

double PositiveNumber(const std::string& option, const std::string& text, const char* what) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value <= 0)
        throw UsageError(option + " expects " + what + "; \"" + text + "\" is not one");
    return value;
}

RatingConditions Conditions(const std::string& option, const std::string& text) {
    const ParsedRatingConditions parsed = ParseRatingConditions(text);
    if (!parsed.ok())
        throw UsageError(option + ": " + parsed.error);
    return parsed.value;
}

} // namespace

bool RatingOptions::Take(const std::vector<std::string>& args, size_t& i) {
    const std::string& arg = args[i];
    const Known* known = nullptr;
    for (const Known& k : kKnown)
        if (arg == k.name)
            known = &k;
    if (known == nullptr)
        return false;
    if ((accepted_ & known->option) == 0)
        throw UsageError(arg + " cannot be used with this command");
    if (i + 1 >= args.size())
        throw UsageError(arg + " needs a value");
    const std::string& value = args[++i];
    switch (known->option) {
    case kRated:
        rated = Conditions(arg, value);
        break;
    case kRerate:
        rerate = Conditions(arg, value);
        break;
    case kSuperheatFactor: {
        double factor = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), factor);
        if (ec != std::errc() || end != value.data() + value.size() || !(factor >= 0 && factor <= 1))
            throw UsageError(arg + " expects a factor from 0 to 1; \"" + value + "\" is not one");
        superheatFactor = factor;
        break;
    }
    case kDisplacement:
        displacementCm3 = PositiveNumber(arg, value, "a displacement in cm3");
        break;
    case kSpeed:
        PositiveNumber(arg, value, "a speed in rpm");
        speedRpm = value;
        break;
    }
    return true;
}

void RatingOptions::ApplyTo(CompressorRecord& record) const {
    if (rated)
        record.ratingConditions = *rated;
    if (displacementCm3)
        record.displacementCm3 = *displacementCm3;
    if (speedRpm)
        record.speedText = *speedRpm;
}

} // namespace velutra::cli
