#pragma once

#include "record/CompressorRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace velutra::cli {

// The options about rating conditions, displacement and speed that several commands share:
//   --rated CONDITIONS             the conditions the map was rated at (default: the file's own, else ashrae)
//   --rerate CONDITIONS            the conditions to re-rate the map to
//   --superheat-factor F     the re-rating's suction-density factor (default 0.75)
//   --displacement CM3       the compressor's displacement per revolution
//   --speed RPM              its speed
struct RatingOptions {
    enum Option { kRated = 1, kRerate = 2, kSuperheatFactor = 4, kDisplacement = 8, kSpeed = 16 };

    explicit RatingOptions(int accepted)
        : accepted_(accepted) { }

    std::optional<RatingConditions> rated;
    std::optional<RatingConditions> rerate;
    std::optional<double> superheatFactor;
    std::optional<double> displacementCm3;
    std::optional<std::string> speedRpm; // as typed, a positive number

    // When args[i] is one of the accepted options, takes it and its value (moving i past it)
    // and returns true; false for any other argument. A missing or bad value, or one of these
    // options the command does not take, is a UsageError naming it.
    bool Take(const std::vector<std::string>& args, size_t& i);

    // Writes what was given into a record read from a file: the rating conditions, the
    // displacement, the speed. What was not given stays as the file has it.
    void ApplyTo(CompressorRecord& record) const;

private:
    int accepted_;
};

} // namespace velutra::cli
