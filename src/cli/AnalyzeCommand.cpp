#include "analysis/AnalysisJson.h"
#include "cli/AnalysisRun.h"
#include "cli/AnalysisSummary.h"
#include "cli/AnalysisText.h"
#include "cli/CliCommand.h"
#include "cli/MapInput.h"
#include "cli/MethodComparison.h"
#include "cli/RatingOptions.h"
#include "props/PropertyEngine.h"
#include "record/CompressorRecord.h"

#include <iostream>

namespace velutra::cli {

namespace {

struct AnalyzeOptions {
    std::string path;
    std::vector<std::string> paths; // every file given; several only with --summary
    int smoothingMethod = -1; // -1: as the record holds it
    int refrigerant = -1; // -1: the file's own
    int convertTo = -1; // -1: no conversion
    bool perRow = false;
    bool json = false;
    bool compare = false;
    bool summary = false;
    RatingOptions rating { RatingOptions::kRated | RatingOptions::kRerate | RatingOptions::kSuperheatFactor
        | RatingOptions::kDisplacement | RatingOptions::kSpeed };
};

AnalyzeOptions ParseOptions(const std::vector<std::string>& args) {
    AnalyzeOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--compare") {
            options.compare = true;
        } else if (arg == "--per-row") {
            options.perRow = true;
        } else if (arg == "--summary") {
            options.summary = true;
        } else if (arg == "--smoothing") {
            if (i + 1 == args.size())
                throw UsageError("--smoothing needs a method name");
            options.smoothingMethod = SmoothingMethodOf(args[++i]);
        } else if (arg == "--refrigerant") {
            if (i + 1 == args.size())
                throw UsageError("--refrigerant needs a name");
            options.refrigerant = RefrigerantIndexOf(args[++i]);
        } else if (arg == "--convert-to") {
            if (i + 1 == args.size())
                throw UsageError("--convert-to needs a name");
            options.convertTo = RefrigerantIndexOf(args[++i]);
        } else if (options.rating.Take(args, i)) {
            continue;
        } else if (!arg.empty() && arg[0] != '-') {
            options.paths.push_back(arg);
        } else {
            throw UsageError("unexpected argument \"" + arg + "\"");
        }
    }
    if (options.paths.empty())
        throw UsageError("expects a compressor file, a table file (.tab) or a published map (.csv)");
    if (options.paths.size() > 1 && !options.summary)
        throw UsageError("several files need --summary");
    if (options.summary && (options.json || options.compare))
        throw UsageError("--summary cannot be combined with --json or --compare");
    if (options.convertTo >= 0 && (options.summary || options.compare))
        throw UsageError("--convert-to cannot be combined with --summary or --compare");
    options.path = options.paths.front();
    return options;
}

// Reads a map file and applies the command line's choices to it.
void ReadWithOptions(const std::string& path, const AnalyzeOptions& options, CompressorRecord& record) {
    ReadMapFile(path, record); // a table names no refrigerant: R134a unless --refrigerant
    if (options.refrigerant >= 0)
        record.refrigerantIndex = options.refrigerant;
    if (!IsRefrigerantCode(record.refrigerantIndex))
        throw std::runtime_error("refrigerant code " + std::to_string(record.refrigerantIndex)
            + " is not one of the " + std::to_string(kRefrigerantCount));
    if (options.smoothingMethod >= 0)
        record.smoothingMethod = options.smoothingMethod;
    // As on the description form: the entered map cannot stand for another refrigerant, so the
    // original-map method gives way to the linear fits.
    if (options.convertTo >= 0) {
        record.convertRefrigerant = 1;
        record.newRefrigerantIndex = options.convertTo;
    }
    options.rating.ApplyTo(record);
    record.smoothAllTemps = options.perRow ? 0 : 1;
    record.smoothEachCondTemp = options.perRow ? 1 : 0;
}

int Analyze(const std::vector<std::string>& args) {
    const AnalyzeOptions options = ParseOptions(args);
    const auto read = [&options](const std::string& path, CompressorRecord& record) {
        ReadWithOptions(path, options, record);
    };
    if (options.summary)
        return PrintSummary(options.paths, read, std::cout);
    CompressorRecord record;
    read(options.path, record);

    PropertyEngine engine;
    if (options.compare) {
        SetUpFor(engine, record.refrigerantIndex);
        return PrintMethodComparison(engine, record, std::cout);
    }
    int status = 0;
    AnalysisOptions analysisOptions;
    analysisOptions.rerateTo = options.rating.rerate;
    analysisOptions.superheatFactor = options.rating.superheatFactor.value_or(kDefaultSuperheatFactor);
    const AnalysisResult result = RunAnalysis(engine, record, std::cerr, status, analysisOptions);
    if (options.json)
        std::cout << AnalysisToJson(result).dump(2) << '\n';
    else
        PrintAnalysisText(std::cout, result);
    return status;
}

} // namespace

void AddAnalyzeCommands(std::vector<CliCommand>& commands) {
    commands.push_back({ "analyze",
        "FILE [--smoothing original|linear|quadratic|two-variable] [--per-row] [--refrigerant NAME] "
        "[--convert-to NAME] [--json]\n"
        "          [--compare] | FILE... --summary [--smoothing ...] [--per-row] [--refrigerant NAME]",
        "analyse the map of a compressor file, table (.tab) or published map (.csv): derived tables, fits, "
        "the current map, its deviation from the entered one, both rating-point EERs and, when smoothed, the "
        "map at the fixed evaporating temperatures of the smoothed-map form; --compare prints "
        "the deviations and EERs of every smoothing method side by side; --convert-to rebuilds the map "
        "for another refrigerant from the compressor fitted to this one (temperatures of a blend are "
        "dew-point temperatures) and prints it with both rating points; --summary prints one CSV row per "
        "file "
        "(a file that fails is reported in its row's error column)",
        Analyze });
}

} // namespace velutra::cli
