#pragma once

#include "analysis/FitQuality.h"

#include <string>

namespace velutra {

// The line that tells the user how far the current map lies from the entered one, for example
// "Smoothed vs entered: capacity RMS 0.6 %, max 1.4 %; power RMS 0.8 %, max 2.1 %".
std::string FitQualityText(int smoothingMethod, const FitQuality& quality);

} // namespace velutra
