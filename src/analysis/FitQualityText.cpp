#include "analysis/FitQualityText.h"

#include "analysis/SmoothingMethods.h"
#include "record/TextRules.h"

namespace velutra {

std::string FitQualityText(int smoothingMethod, const FitQuality& q) {
    if (smoothingMethod == kSmoothingOriginal)
        return "Smoothed vs entered: the entered map is shown unchanged";
    if (q.points == 0)
        return "Smoothed vs entered: the map has no valid point to compare";
    const auto percent = [](double value) { return FormatFixed(value, 1) + " %"; };
    return "Smoothed vs entered: capacity RMS " + percent(q.capacityRms) + ", max " + percent(q.capacityMax)
        + "; power RMS " + percent(q.powerRms) + ", max " + percent(q.powerMax);
}

} // namespace velutra
