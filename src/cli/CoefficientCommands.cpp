#include "cli/AnalysisRun.h"
#include "cli/CliCommand.h"
#include "cli/MapInput.h"
#include "cli/RatingOptions.h"
#include "files/CompressorFile.h"
#include "files/ReplaceFile.h"
#include "interchange/CoefficientFit.h"
#include "interchange/CoefficientImport.h"
#include "props/PropertyEngine.h"
#include "record/TextRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>

namespace velutra::cli {

namespace {

struct CoefficientOptions {
    std::string path;
    std::string output;
    int smoothingMethod = -1; // -1: as the record holds it
    int refrigerant = -1; // -1: the file's own
    std::optional<CoefficientUnits> units; // unset: by the record's unit system
    bool csv = false;
    RatingOptions rating { RatingOptions::kRated };
};

CoefficientOptions ParseCoefficientOptions(const std::vector<std::string>& args) {
    CoefficientOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 == args.size())
                throw UsageError(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--csv") {
            options.csv = true;
        } else if (arg == "--per-row") {
            throw UsageError(
                "--per-row cannot be used: per-row fits have no value between the condensing "
                "temperatures, so the polynomial is always fitted to the fits over all valid points");
        } else if (arg == "--smoothing") {
            options.smoothingMethod = SmoothingMethodOf(value());
        } else if (arg == "--refrigerant") {
            options.refrigerant = RefrigerantIndexOf(value());
        } else if (arg == "--units") {
            const std::string& key = value();
            options.units = CoefficientUnitsOfKey(key);
            if (!options.units)
                throw UsageError("unknown units \"" + key + "\" (ahri540 or en12900)");
        } else if (arg == "-o") {
            options.output = value();
        } else if (options.path.empty() && !arg.empty() && arg[0] != '-') {
            options.path = arg;
        } else if (!options.rating.Take(args, i)) {
            throw UsageError("unexpected argument \"" + arg + "\"");
        }
    }
    if (options.path.empty())
        throw UsageError("expects a compressor file, a table file (.tab) or a published map (.csv)");
    return options;
}

int Coefficients(const std::vector<std::string>& args) {
    const CoefficientOptions options = ParseCoefficientOptions(args);
    CompressorRecord record;
    ReadMapFile(options.path, record);
    options.rating.ApplyTo(record);
    if (options.refrigerant >= 0)
        record.refrigerantIndex = options.refrigerant;
    if (options.smoothingMethod >= 0)
        record.smoothingMethod = options.smoothingMethod;
    record.smoothAllTemps = 1;
    record.smoothEachCondTemp = 0;

    PropertyEngine engine;
    int status = 0;
    const AnalysisResult result = RunAnalysis(engine, record, std::cerr, status,
        { AnalysisExtent::EnteredMap, std::nullopt, kDefaultSuperheatFactor });
    const CoefficientUnits units = options.units.value_or(UnitsOfRecordSystem(record.unitsEnglish != 0));
    const CoefficientSet set = FitCoefficients(engine, result, record, units);

    const bool csv = options.csv || (!options.output.empty() && IsCsvPath(options.output));
    const std::string text = csv ? EncodeCoefficientsCsv(set) : EncodeCoefficientsJson(set);
    // A fit that could not be computed is refused, not printed or written as NaN or null.
    if (options.output.empty()) {
        CheckWritableCoefficients(set, "standard output");
        std::cout << text;
    } else {
        CheckWritableCoefficients(set, "\"" + options.output + "\"");
        ReplaceFileContents(options.output, text);
    }
    return status;
}

// "t1,t2,..." as numbers; UsageError for anything else.
std::vector<double> TemperatureList(const std::string& option, const std::string& text) {
    std::vector<double> values;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        double value = 0;
        const char* begin = item.data() + (!item.empty() && item[0] == '+' ? 1 : 0);
        const auto result = std::from_chars(begin, item.data() + item.size(), value);
        if (item.empty() || result.ec != std::errc() || result.ptr != item.data() + item.size()
            || !std::isfinite(value))
            throw UsageError(
                option + " expects comma-separated temperatures; " + QuoteForMessage(item) + " is not one");
        values.push_back(value);
        start = comma + 1;
    }
    return values;
}

int FromCoefficients(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    MapAxes axes;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--evap" || arg == "--cond") {
            if (i + 1 == args.size())
                throw UsageError(arg + " needs a list of temperatures");
            (arg == "--evap" ? axes.evap : axes.cond) = TemperatureList(arg, args[++i]);
        } else if (!arg.empty() && arg[0] != '-') {
            files.push_back(arg);
        } else {
            throw UsageError("unexpected argument \"" + arg + "\"");
        }
    }
    if (files.size() != 2)
        throw UsageError("expects a coefficient file and an output compressor file");

    const CoefficientSet set = ReadCoefficientFile(files[0]);
    const CompressorRecord record = RecordFromCoefficients(set, axes, files[0]);
    WriteCompressorFile(files[1], record);
    return 0;
}

} // namespace

void AddCoefficientCommands(std::vector<CliCommand>& commands) {
    commands.push_back({ "coefficients",
        "FILE [--smoothing original|linear|quadratic|two-variable] [--refrigerant NAME]\n"
        "          [--units ahri540|en12900] [--csv] [-o OUT]",
        "the ten-coefficient polynomials of capacity, power and mass flow of a map (compressor file, table "
        "or "
        "published map), fitted to the entered points (original) or to the smoothed map; units by the "
        "record's "
        "unit system unless given; JSON, or CSV with --csv or an OUT ending in .csv; to standard output "
        "without -o",
        Coefficients });
    commands.push_back({ "from-coefficients", "COEFFS OUT.cmp [--evap LIST] [--cond LIST]",
        "a compressor file whose map is a coefficient file's polynomials evaluated at the given "
        "comma-separated "
        "temperatures (in the set's unit; by default the New record axes clipped to the set's range)",
        FromCoefficients });
}

} // namespace velutra::cli
