#pragma once

#include "analysis/Analysis.h"

#include <nlohmann/json.hpp>

namespace velutra {

// The analysis result as JSON: what was analysed, the current map's tables (rows and columns in
// use), the fits, the EERs, the valid points, the failures, the fit quality, the smoothed map
// (null for the original map data) and, when converting, the conversion. Non-finite numbers
// are written as null.
nlohmann::ordered_json AnalysisToJson(const AnalysisResult& result);

} // namespace velutra
