#include "analysis/PublishedMapCsv.h"
#include "cli/AnalysisRun.h"
#include "cli/CliCommand.h"
#include "cli/MapInput.h"
#include "cli/RatingOptions.h"
#include "files/CompressorFile.h"
#include "files/TableExport.h"
#include "files/TableImport.h"
#include "props/PropertyEngine.h"
#include "record/CompressorRecord.h"

#include <algorithm>
#include <iostream>

namespace velutra::cli {

namespace {

// Options of import for what a table does not carry.
struct TextOption {
    const char* name;
    std::string CompressorRecord::*field;
};
constexpr TextOption kTextOptions[] = {
    { "--manufacturer", &CompressorRecord::manufacturer },
    { "--model", &CompressorRecord::model },
    { "--rating-capacity", &CompressorRecord::ratingCapacityText },
    { "--rating-eer", &CompressorRecord::ratingEERText },
    { "--speed", &CompressorRecord::speedText },
    { "--voltage", &CompressorRecord::voltageText },
};

bool IsMapCsv(const std::string& path) {
    return path.size() >= 4
        && (path.compare(path.size() - 4, 4, ".csv") == 0 || path.compare(path.size() - 4, 4, ".CSV") == 0);
}

// A table carries no description or refrigerant, a published map (.csv) no description: options
// supply them, New defaults stand in. --rated gives the conditions the map was rated at (a map
// CSV may state its own), --displacement the compressor's displacement. Everything is read and
// checked before the output is written, so a refused import writes nothing.
int Import(const std::vector<std::string>& args) {
    CompressorRecord chosen;
    chosen.ApplyNewDefaults();
    std::vector<std::string> given; // text options given on the command line
    RatingOptions rating(RatingOptions::kRated | RatingOptions::kDisplacement);
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg[0] != '-') {
            files.push_back(arg);
            continue;
        }
        if (arg != "--speed" && rating.Take(args, i))
            continue;
        if (i + 1 >= args.size())
            throw UsageError(arg + " needs a value");
        const std::string& value = args[++i];
        const auto* option = std::find_if(std::begin(kTextOptions), std::end(kTextOptions),
            [&](const TextOption& o) { return arg == o.name; });
        if (option != std::end(kTextOptions)) {
            chosen.*(option->field) = value;
            given.push_back(arg);
        } else if (arg == "--refrigerant")
            chosen.refrigerantIndex = RefrigerantIndexOf(value);
        else
            throw UsageError("unknown option \"" + arg + "\"");
    }
    if (files.size() != 2)
        throw UsageError("expects a table file (.tab) or a published map (.csv) and an output file");

    CompressorRecord record = chosen;
    const bool csv = IsMapCsv(files[0]);
    if (csv)
        ReadPublishedMap(files[0], record);
    else
        ImportTable(files[0], record);
    // A table has none of the texts; a published map may have the speed, which an option overrides.
    for (const TextOption& option : kTextOptions)
        if (!csv || std::find(given.begin(), given.end(), option.name) != given.end()
            || option.field != &CompressorRecord::speedText)
            record.*(option.field) = chosen.*(option.field);
    rating.ApplyTo(record);
    WriteCompressorFile(files[1], record);
    return 0;
}

int ExportTab(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    CompressorRecord options;
    RatingOptions rating(RatingOptions::kRated);
    int refrigerant = -1;
    options.smoothingMethod = 0;
    options.smoothAllTemps = 1;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--per-row") {
            options.smoothAllTemps = 0;
        } else if (arg == "--smoothing" || arg == "--refrigerant") {
            if (i + 1 >= args.size())
                throw UsageError(arg + " needs a value");
            if (arg == "--smoothing")
                options.smoothingMethod = SmoothingMethodOf(args[++i]);
            else
                refrigerant = RefrigerantIndexOf(args[++i]);
        } else if (!arg.empty() && arg[0] != '-') {
            files.push_back(arg);
        } else if (!rating.Take(args, i)) {
            throw UsageError("unknown option \"" + arg + "\"");
        }
    }
    if (files.size() != 2)
        throw UsageError("expects an input file (.cmp, .tab or .csv) and an output file");

    CompressorRecord record;
    ReadMapFile(files[0], record);
    rating.ApplyTo(record);
    if (refrigerant >= 0)
        record.refrigerantIndex = refrigerant;
    record.smoothingMethod = options.smoothingMethod;
    record.smoothAllTemps = options.smoothAllTemps;
    record.smoothEachCondTemp = 1 - options.smoothAllTemps;
    PropertyEngine engine;
    int status = 0;
    const AnalysisResult result = RunAnalysis(engine, record, std::cerr, status,
        { AnalysisExtent::EnteredMap, std::nullopt, kDefaultSuperheatFactor });
    StoreResultsInRecord(result, record);
    ExportTable(files[1], record);
    return status;
}

} // namespace

void AddTableCommands(std::vector<CliCommand>& commands) {
    commands.push_back({ "import",
        "FILE.tab|FILE.csv OUT.cmp [--refrigerant NAME] [--manufacturer TEXT] [--model TEXT]\n"
        "          [--rating-capacity TEXT] [--rating-eer TEXT] [--speed TEXT] [--voltage TEXT]\n"
        "          [--rated CONDITIONS] [--displacement CM3]",
        "import a compressor table or a published map and save it as a compressor file", Import });
    commands.push_back({ "export-tab",
        "FILE OUT.tab [--smoothing original|linear|quadratic] [--per-row] [--refrigerant NAME] [--rated "
        "CONDITIONS]",
        "analyse the map of a compressor file, table (.tab) or published map (.csv) and write the current "
        "map (entered, or rebuilt from the fits) as a compressor table",
        ExportTab });
}

} // namespace velutra::cli
