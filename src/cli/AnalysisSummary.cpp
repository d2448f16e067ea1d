#include "cli/AnalysisSummary.h"

#include "analysis/SmoothingMethods.h"
#include "cli/AnalysisRun.h"
#include "props/PropertyEngine.h"
#include "record/RatingConditionsText.h"
#include "record/TextRules.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <sstream>

namespace velutra::cli {

namespace {

constexpr const char* kSummaryHeader
    = "file,refrigerant,smoothing,valid points,isentropic eff min,isentropic eff max,volumetric eff min,"
      "volumetric eff max,map EER,smoothed EER,capacity RMS %,capacity max %,power RMS %,power max "
      "%,rating,error";

// A number, or empty where there is none.
std::string Number(double value, int precision) {
    return std::isfinite(value) ? FormatFixed(value, precision) : std::string();
}

std::string Eer(double value) {
    return value != 0 ? Number(value, 3) : "";
}

// The row's fields after the file name, for an analysed map.
std::string AnalysedFields(const AnalysisResult& result, const std::string& failures) {
    const auto& points = result.validPoints;
    const bool any = !points.empty();
    const auto byIse = [](const EfficiencyPoint& a, const EfficiencyPoint& b) {
        return a.isentropicEff < b.isentropicEff;
    };
    const auto byVol = [](const EfficiencyPoint& a, const EfficiencyPoint& b) {
        return a.volumetricEff < b.volumetricEff;
    };
    const auto [iseLow, iseHigh] = std::minmax_element(points.begin(), points.end(), byIse);
    const auto [volLow, volHigh] = std::minmax_element(points.begin(), points.end(), byVol);
    const FitQuality& quality = result.quality;
    // An EER of 0: the map does not reach the rating point, or no smoothing rebuilt it; not
    // finite: a cell it needs is blank.
    return std::string(kRefrigerantNames[static_cast<size_t>(result.refrigerantIndex)]) + ","
        + kSmoothingMethods[static_cast<size_t>(result.smoothingMethod)].key + ","
        + std::to_string(points.size()) + "," + (any ? Number(iseLow->isentropicEff, 4) : "") + ","
        + (any ? Number(iseHigh->isentropicEff, 4) : "") + "," + (any ? Number(volLow->volumetricEff, 4) : "")
        + "," + (any ? Number(volHigh->volumetricEff, 4) : "") + "," + Eer(result.mapRatingEER) + ","
        + Eer(result.smoothedRatingEER) + "," + Number(quality.capacityRms, 3) + ","
        + Number(quality.capacityMax, 3) + "," + Number(quality.powerRms, 3) + ","
        + Number(quality.powerMax, 3) + "," + CsvField(failures);
}

// One summary row; returns the file's exit status.
int SummaryRow(const std::string& path, const MapReader& read, std::ostream& out) {
    std::string row;
    int status = 0;
    try {
        CompressorRecord record;
        read(path, record);
        PropertyEngine engine;
        std::ostringstream failures;
        const AnalysisResult result = RunAnalysis(engine, record, failures, status);
        std::string reasons = failures.str();
        while (!reasons.empty() && reasons.back() == '\n')
            reasons.pop_back();
        std::replace(reasons.begin(), reasons.end(), '\n', ';');
        row = AnalysedFields(result, reasons);
    } catch (const std::exception& error) {
        row = ",,,,,,,,,,,,,," + CsvField(error.what());
        status = 1;
    }
    out << CsvField(path) << ',' << row << '\n';
    return status;
}

} // namespace

int PrintSummary(const std::vector<std::string>& paths, const MapReader& read, std::ostream& out) {
    out << kSummaryHeader << '\n';
    int status = 0;
    for (const std::string& path : paths) {
        const int fileStatus = SummaryRow(path, read, out);
        if (fileStatus == 1)
            status = 1;
        else if (status == 0)
            status = fileStatus;
    }
    return status;
}

} // namespace velutra::cli
