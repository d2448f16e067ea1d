#pragma once

#include "record/RatingConditions.h"

#include <string>
#include <string_view>

namespace velutra {

// The written form of rating conditions, the one the command line, the map CSV and the files
// share: a named set, items, or a named set followed by items that override it, joined by commas.
//   named sets  ashrae   suction gas 90 F, liquid 90 F (the default)
//               cecomaf  suction gas 32 C, subcooling 0 K
//               en12900  superheat 10 K, subcooling 0 K
//   items       gas=32C | gas=90F | gas=305.15K      suction gas temperature
//               superheat=10K | superheat=20F         above the dew temperature at the suction
//                                                     pressure (F: Fahrenheit degrees of difference)
//               liquid=...                            liquid temperature, as gas
//               subcooling=...                        below the bubble temperature at the
//                                                     condensing pressure, as superheat
//               basis=dew | basis=midpoint
// Items alone must state both the suction and the liquid state; the basis defaults to dew.

struct ParsedRatingConditions {
    RatingConditions value;
    // Empty when the text was read; otherwise why not, naming the item.
    std::string error;
    bool ok() const { return error.empty(); }
};

ParsedRatingConditions ParseRatingConditions(std::string_view written);

// The shortest written form that reads back to exactly the same value: "cecomaf" for the
// CECOMAF set, "en12900,basis=midpoint", "gas=18.3C,subcooling=0K".
std::string FormatRatingConditions(const RatingConditions& rating);

// The named sets.
RatingConditions AshraeRating();
RatingConditions CecomafRating();
RatingConditions En12900Rating();

} // namespace velutra
