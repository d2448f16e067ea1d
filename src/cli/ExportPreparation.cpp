#include "cli/ExportPreparation.h"

#include "analysis/MapAnalysis.h"
#include "props/PropertyEngine.h"

#include <stdexcept>

namespace velutra::cli {

void PrepareMapForExport(CompressorRecord& record) {
    PropertyEngine engine;
    const SetupResult setup = engine.SetupFluid(record.refrigerantIndex);
    if (!setup.ok)
        throw std::runtime_error(setup.message);
    MapAnalysis analysis(engine, record);
    analysis.LoadOptionsFromRecord();
    analysis.ReadMapFromRecord();
    analysis.FitMap();
    analysis.ApplySmoothing();
    analysis.StoreResultsInRecord();
}

} // namespace velutra::cli
