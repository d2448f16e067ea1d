#include "analysis/MapAnalysis.h"
#include "analysis/SmoothingMethods.h"

#include <algorithm>
#include <cmath>
#include <utility>

// The fits of the entered map's point quantities: over all valid points, per condensing row,
// and the two-variable surfaces.
namespace velutra {

void MapAnalysis::CollectValidPoints() {
    const int rows = RowsInUse();
    const int columns = ColumnsInUse();
    validCount = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (!(suctionFlow[r][c] > 0))
                continue;
            validFlow[validCount] = suctionFlow[r][c];
            validIse[validCount] = isentropicEff[r][c];
            validPressureRatio[validCount] = pressureRatio[r][c];
            validSuctionPressure[validCount] = suctionPressure[r][c];
            ++validCount;
        }
    }

    // Bubble sort by pressure ratio; swapping only on a strictly smaller later ratio keeps equal
    // ratios in the order of the walk.
    for (int k = validCount - 1; k >= 1; --k) {
        for (int i = 0; i < k; ++i) {
            if (validPressureRatio[i + 1] < validPressureRatio[i]) {
                std::swap(validPressureRatio[i], validPressureRatio[i + 1]);
                std::swap(validFlow[i], validFlow[i + 1]);
                std::swap(validIse[i], validIse[i + 1]);
                std::swap(validSuctionPressure[i], validSuctionPressure[i + 1]);
            }
        }
    }
}

// The suction-flow line and the efficiency line and parabola over all valid points.
void MapAnalysis::FitAllPoints(bool anyFailed) {
    fits.flow = FitLine(validPressureRatio.data(), validFlow.data(), validCount);
    fits.iseLine = FitLine(validPressureRatio.data(), validIse.data(), validCount);
    fits.iseQuad = FitQuadratic(validPressureRatio.data(), validIse.data(), validCount);
    const Vector3& quad = fits.iseQuad;
    const bool allPointsFitsDefined = std::isfinite(fits.flow.intercept) && std::isfinite(fits.flow.slope)
        && std::isfinite(fits.iseLine.intercept) && std::isfinite(fits.iseLine.slope)
        && std::isfinite(quad[0]) && std::isfinite(quad[1]) && std::isfinite(quad[2]);
    if (anyFailed && !allPointsFitsDefined)
        AddFailure(AnalysisFailure::Stage::Fit, -1, -1,
            "not every fit could be computed from the " + std::to_string(validCount)
                + " valid points left once the failed points are left out");
}

// The two-variable surfaces over all valid points of the entered map.
void MapAnalysis::FitSurfaces() {
    fits.flowSurface = {};
    fits.iseSurface = {};
    fits.surfacesFitted = false;
    int rowsWithValidPoints = 0;
    for (int r = 0; r < RowsInUse(); ++r)
        rowsWithValidPoints
            += std::any_of(pointValid[r].begin(), pointValid[r].end(), [](bool v) { return v; });
    if (validCount >= SurfaceFit::kTerms && rowsWithValidPoints == 1) {
        surfaceRefusal
            = "all valid points lie on one condensing temperature, where pressure ratio and suction "
              "pressure move together and the six terms cannot be told apart";
        return;
    }
    const SurfaceFitResult flow
        = FitSurface(validPressureRatio.data(), validSuctionPressure.data(), validFlow.data(), validCount);
    const SurfaceFitResult ise
        = FitSurface(validPressureRatio.data(), validSuctionPressure.data(), validIse.data(), validCount);
    surfaceRefusal = !flow.refusal.empty() ? flow.refusal : ise.refusal;
    if (!surfaceRefusal.empty())
        return;
    fits.flowSurface = flow.fit;
    fits.iseSurface = ise.fit;
    fits.surfacesFitted = true;
}

std::string MapAnalysis::SmoothingRefusal(int method) const {
    if (method != kSmoothingTwoVariable || surfaceRefusal.empty())
        return {};
    return "The two-variable fit cannot be used on this map: " + surfaceRefusal + ".";
}

// Per-row fits take every point of the row in use, valid or not, except blank cells and those
// whose states could not be computed.
void MapAnalysis::FitRows(int rows, int columns) {
    for (int r = 0; r < rows; ++r) {
        std::array<double, kMaxEvap> ratios {};
        std::array<double, kMaxEvap> efficiencies {};
        int n = 0;
        int failed = 0;
        for (int c = 0; c < columns; ++c) {
            failed += pointFailed[r][c] ? 1 : 0;
            if (pointFailed[r][c] || pointBlank[r][c])
                continue;
            ratios[n] = pressureRatio[r][c];
            efficiencies[n] = isentropicEff[r][c];
            ++n;
        }
        const LineFit line = FitLine(ratios.data(), efficiencies.data(), n);
        fits.iseLineByCond[r] = line;
        fits.iseQuadByCond[r] = FitQuadratic(ratios.data(), efficiencies.data(), n);
        const Vector3& quad = fits.iseQuadByCond[r];
        const bool defined = std::isfinite(line.intercept) && std::isfinite(line.slope)
            && std::isfinite(quad[0]) && std::isfinite(quad[1]) && std::isfinite(quad[2]);
        if (failed > 0 && !defined)
            AddFailure(AnalysisFailure::Stage::Fit, r, -1,
                "not every fit could be computed from the " + std::to_string(n) + " of "
                    + std::to_string(columns) + " points of the row that could be computed");
    }
}

} // namespace velutra
