#include "analysis/MapAnalysis.h"
#include "analysis/RefrigerantConversion.h"
#include "analysis/SmoothedMap.h"
#include "analysis/SmoothingMethods.h"
#include "cli/AnalysisRun.h"
#include "cli/CliCommand.h"
#include "cli/MapInput.h"
#include "cli/MethodComparison.h"
#include "props/PropertyEngine.h"
#include "record/CompressorRecord.h"
#include "record/TextRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace velutra::cli {

namespace {

using Json = nlohmann::ordered_json;

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

// Largest relative deviation of the current map from the entered one, over the points in use.
double LargestDeviation(
    const MapTable<double>& current, const MapTable<std::string>& entered, int rows, int columns) {
    double largest = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const double reference = TextToNumber(entered[r][c]);
            largest = std::max(largest, std::fabs(current[r][c] - reference) / std::fabs(reference));
        }
    }
    return largest;
}

template <typename Table> Json InUse(const Table& table, int rows, int columns) {
    Json json = Json::array();
    for (int r = 0; r < rows; ++r)
        json.push_back(std::vector<double>(table[r].begin(), table[r].begin() + columns));
    return json;
}

Json ToJson(const CompressorRecord& record, const MapAnalysis& analysis, int rows, int columns) {
    Json json;
    json["refrigerant"] = kRefrigerantNames[static_cast<size_t>(record.refrigerantIndex)];
    json["unitsEnglish"] = record.unitsEnglish;
    json["unitsSI"] = record.unitsSI;
    json["smoothingMethod"] = record.smoothingMethod;
    json["smoothAllTemps"] = record.smoothAllTemps;
    json["condCount"] = rows;
    json["evapCount"] = columns;
    json["condTemp"] = std::vector<double>(record.condTemp.begin(), record.condTemp.begin() + rows);
    json["evapTemp"] = std::vector<double>(record.evapTemp.begin(), record.evapTemp.begin() + columns);
    json["capacity"] = InUse(record.capacity, rows, columns);
    json["power"] = InUse(record.power, rows, columns);
    json["pressureRatio"] = InUse(record.pressureRatio, rows, columns);
    json["suctionFlow"] = InUse(record.suctionFlow, rows, columns);
    json["isentropicEff"] = InUse(record.isentropicEff, rows, columns);
    json["flowFitIntercept"] = record.flowFitIntercept;
    json["flowFitSlope"] = record.flowFitSlope;
    json["iseLinIntercept"] = record.iseLinIntercept;
    json["iseLinSlope"] = record.iseLinSlope;
    json["iseLinInterceptByCond"] = std::vector<double>(
        record.iseLinInterceptByCond.begin(), record.iseLinInterceptByCond.begin() + rows);
    json["iseLinSlopeByCond"]
        = std::vector<double>(record.iseLinSlopeByCond.begin(), record.iseLinSlopeByCond.begin() + rows);
    json["iseQuad"] = record.iseQuad;
    json["iseQuadByCond"]
        = std::vector<Vector3>(record.iseQuadByCond.begin(), record.iseQuadByCond.begin() + rows);
    if (record.smoothingMethod == kSmoothingTwoVariable)
        json["twoVariableFit"]
            = { { "flowSurface", record.flowSurface }, { "iseSurface", record.iseSurface } };
    json["smoothedRatingEER"] = record.smoothedRatingEER;
    json["smoothedRatingExtrapolated"] = analysis.SmoothedRatingExtrapolated();
    json["mapRatingEER"] = record.mapRatingEER;
    json["mapRatingExtrapolated"] = analysis.MapRatingExtrapolated();

    // What the efficiency plots show: the valid points sorted by pressure ratio.
    Json points;
    points["pressureRatio"] = std::vector<double>(
        analysis.validPressureRatio.begin(), analysis.validPressureRatio.begin() + analysis.validCount);
    points["volumetricEff"]
        = std::vector<double>(analysis.validFlow.begin(), analysis.validFlow.begin() + analysis.validCount);
    points["isentropicEff"]
        = std::vector<double>(analysis.validIse.begin(), analysis.validIse.begin() + analysis.validCount);
    json["validPoints"] = points;
    Json failures = Json::array();
    for (const AnalysisFailure& failure : analysis.Failures())
        failures.push_back({ { "row", failure.row }, { "column", failure.column },
            { "condTemp", failure.row >= 0 ? Json(failure.condTemp) : Json(nullptr) },
            { "evapTemp", failure.column >= 0 ? Json(failure.evapTemp) : Json(nullptr) },
            { "reason", failure.reason }, { "message", failure.Describe(analysis.TemperatureUnit()) } });
    json["failures"] = failures;
    const FitQuality& quality = analysis.Quality();
    json["fitQuality"] = { { "capacity",
                               { { "rms", quality.capacityRms }, { "max", quality.capacityMax },
                                   { "perPoint", InUse(quality.capacityDeviation, rows, columns) } } },
        { "power",
            { { "rms", quality.powerRms }, { "max", quality.powerMax },
                { "perPoint", InUse(quality.powerDeviation, rows, columns) } } } };
    json["largestDeviation"]
        = { { "capacity", LargestDeviation(record.capacity, record.capacityText, rows, columns) },
              { "power", LargestDeviation(record.power, record.powerText, rows, columns) } };
    return json;
}

// The map the smoothed-map form shows for a smoothed analysis: capacity and power of every row at
// the fixed evaporating temperatures, unadjusted; null for the original map data, which the form
// shows as entered. Points whose states fail are NaN (null), named on `errors` and listed.
Json SmoothedMapJson(
    CycleStateSource& engine, const CompressorRecord& record, int rows, std::ostream& errors) {
    if (record.smoothingMethod == kSmoothingOriginal)
        return nullptr;
    SmoothedMap map;
    map.Compute(engine, record, FittedCompressor::FromRecord(record));
    std::vector<double> evapTemp;
    for (int k = 0; k < SmoothedMap::kFixedColumns; ++k)
        evapTemp.push_back(SmoothedMap::FixedEvapTemp(k, record.unitsEnglish == 1));
    const char* unit = record.unitsEnglish == 1 ? "F" : "C";
    Json failures = Json::array();
    for (const AnalysisFailure& failure : map.failures)
        failures.push_back({ { "row", failure.row }, { "column", failure.column },
            { "condTemp", failure.condTemp }, { "evapTemp", failure.evapTemp }, { "reason", failure.reason },
            { "message", failure.Describe(unit) } });
    errors << DescribeFailures(map.failures, unit);
    Json beyond = Json::array();
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < SmoothedMap::kFixedColumns; ++k)
            if (map.beyondEnteredMap[r][k])
                beyond.push_back({ r, k });
    return { { "evapTemp", evapTemp },
        { "condTemp", std::vector<double>(record.condTemp.begin(), record.condTemp.begin() + rows) },
        { "capacity", InUse(map.capacity, rows, SmoothedMap::kFixedColumns) },
        { "power", InUse(map.power, rows, SmoothedMap::kFixedColumns) }, { "failures", failures },
        { "extrapolated", beyond },
        { "ratingExtrapolated", SmoothedMap::RatingBeyondEnteredMap(engine, record) } };
}

void PrintTable(
    std::ostream& out, const std::string& title, const Json& table, const Json& condTemp, int precision) {
    out << title << '\n';
    for (size_t r = 0; r < table.size(); ++r) {
        out << FormatFixed(condTemp[r].get<double>(), 1, 8) << " |";
        for (const Json& cell : table[r])
            out << ' '
                << (cell.is_number() ? FormatFixed(cell.get<double>(), precision, 10)
                                     : std::string("       nan"));
        out << '\n';
    }
}

std::string Number(const Json& value, int precision) {
    return value.is_number() ? FormatFixed(value.get<double>(), precision) : "nan";
}

std::string Percent(const Json& fraction) {
    return fraction.is_number() ? FormatFixed(fraction.get<double>() * 100, 2) : "nan";
}

void PrintText(std::ostream& out, const Json& json) {
    const bool english = json["unitsEnglish"] == 1;
    const int method = json["smoothingMethod"].get<int>();
    out << "Refrigerant " << json["refrigerant"].get<std::string>() << ", " << (english ? "English" : "SI")
        << " units; " << SmoothingMethodTitle(method)
        << (method == 0                          ? ""
                   : json["smoothAllTemps"] == 1 ? ", all temperatures"
                                                 : ", each condenser temperature")
        << "\n\n";
    out << "Evaporating " << (english ? "(F)" : "(C)") << "   ";
    for (const Json& t : json["evapTemp"])
        out << ' ' << FormatFixed(t.get<double>(), 1, 10);
    out << "\nCondensing rows below; rows below 90 F have suction flow -1.\n\n";
    const Json& cond = json["condTemp"];
    PrintTable(out, english ? "Capacity (Btu/h)" : "Capacity (kcal/h)", json["capacity"], cond, 1);
    PrintTable(out, "Power (W)", json["power"], cond, 1);
    PrintTable(out, "Pressure ratio", json["pressureRatio"], cond, 3);
    PrintTable(out, "Suction flow (m3/h)", json["suctionFlow"], cond, 3);
    PrintTable(out, "Isentropic efficiency", json["isentropicEff"], cond, 4);
    const Json& smoothed = json["smoothedMap"];
    if (!smoothed.is_null()) {
        out << "\nSmoothed map at the fixed evaporating temperatures " << (english ? "(F)" : "(C)");
        for (const Json& t : smoothed["evapTemp"])
            out << ' ' << FormatFixed(t.get<double>(), 0);
        out << '\n';
        PrintTable(out, english ? "Capacity (Btu/h)" : "Capacity (kcal/h)", smoothed["capacity"], cond, 1);
        PrintTable(out, "Power (W)", smoothed["power"], cond, 1);
        const std::string beyond = ExtrapolationText(static_cast<int>(smoothed["extrapolated"].size()),
            static_cast<int>(cond.size()) * SmoothedMap::kFixedColumns,
            smoothed["ratingExtrapolated"] == true);
        if (!beyond.empty())
            out << beyond << " (row, column from 1):";
        for (const Json& cell : smoothed["extrapolated"])
            out << " (" << cell[0].get<int>() + 1 << ", " << cell[1].get<int>() + 1 << ')';
        if (!beyond.empty())
            out << '\n';
    }
    out << "\nFits against pressure ratio p\n"
        << "  suction flow           " << Number(json["flowFitIntercept"], 6) << " + "
        << Number(json["flowFitSlope"], 6) << " p\n"
        << "  isentropic eff, line   " << Number(json["iseLinIntercept"], 6) << " + "
        << Number(json["iseLinSlope"], 6) << " p\n"
        << "  isentropic eff, quad   " << Number(json["iseQuad"][0], 6) << " + "
        << Number(json["iseQuad"][1], 6) << " p + " << Number(json["iseQuad"][2], 8) << " p^2\n";
    for (size_t r = 0; r < cond.size(); ++r)
        out << "  row " << FormatFixed(cond[r].get<double>(), 1) << ": line "
            << Number(json["iseLinInterceptByCond"][r], 6) << " + " << Number(json["iseLinSlopeByCond"][r], 6)
            << " p; quad " << Number(json["iseQuadByCond"][r][0], 6) << " + "
            << Number(json["iseQuadByCond"][r][1], 6) << " p + " << Number(json["iseQuadByCond"][r][2], 8)
            << " p^2\n";
    out << "\nValid points (pressure ratio, volumetric eff, isentropic eff)\n";
    const Json& points = json["validPoints"];
    for (size_t i = 0; i < points["pressureRatio"].size(); ++i)
        out << "  " << Number(points["pressureRatio"][i], 3) << "  " << Number(points["volumetricEff"][i], 4)
            << "  " << Number(points["isentropicEff"][i], 4) << '\n';
    out << "\nLargest deviation from the entered map: capacity "
        << Percent(json["largestDeviation"]["capacity"]) << " %, power "
        << Percent(json["largestDeviation"]["power"]) << " %\n"
        << "Smoothed vs entered at the " << json["validPoints"]["pressureRatio"].size()
        << " valid points: capacity RMS " << Number(json["fitQuality"]["capacity"]["rms"], 2) << " %, max "
        << Number(json["fitQuality"]["capacity"]["max"], 2) << " %; power RMS "
        << Number(json["fitQuality"]["power"]["rms"], 2) << " %, max "
        << Number(json["fitQuality"]["power"]["max"], 2) << " %\n"
        << "EER at the rating point (Btu/h per W): map " << Number(json["mapRatingEER"], 3)
        << (json["mapRatingExtrapolated"] == true ? " (extrapolated)" : "") << ", smoothed "
        << Number(json["smoothedRatingEER"], 3)
        << (json["smoothedRatingExtrapolated"] == true ? " (extrapolated beyond the entered map)" : "")
        << '\n';
}

Json ToJson(const RefrigerantMap& map, int rows, int columns) {
    return { { "refrigerant", kRefrigerantNames[static_cast<size_t>(map.refrigerantIndex)] },
        { "capacity", InUse(map.capacity, rows, columns) }, { "power", InUse(map.power, rows, columns) },
        { "ratingCapacity", map.ratingCapacity }, { "ratingPower", map.ratingPower },
        { "ratingEER", map.ratingEER } };
}

Json ToJson(const RefrigerantConversion& conversion, int rows, int columns) {
    return { { "original", ToJson(conversion.original, rows, columns) },
        { "converted", ToJson(conversion.converted, rows, columns) }, { "failures", conversion.failures } };
}

void PrintConversion(std::ostream& out, const Json& json, const Json& conversion) {
    const bool english = json["unitsEnglish"] == 1;
    const Json& original = conversion["original"];
    const Json& converted = conversion["converted"];
    const std::string unit = english ? "Btu/h" : "kcal/h";
    out << "\nConverted to " << converted["refrigerant"].get<std::string>()
        << ": the compressor fitted to the " << original["refrigerant"].get<std::string>()
        << " map, at the same (dew-point) temperatures\n";
    PrintTable(out, "Capacity (" + unit + ")", converted["capacity"], json["condTemp"], 1);
    PrintTable(out, "Power (W)", converted["power"], json["condTemp"], 1);
    Json ratio = Json::array();
    for (size_t r = 0; r < converted["capacity"].size(); ++r) {
        Json row = Json::array();
        for (size_t c = 0; c < converted["capacity"][r].size(); ++c) {
            const Json& a = converted["capacity"][r][c];
            const Json& b = original["capacity"][r][c];
            row.push_back(
                a.is_number() && b.is_number() ? Json(a.get<double>() / b.get<double>() * 100) : Json());
        }
        ratio.push_back(row);
    }
    PrintTable(out,
        "Capacity against the " + original["refrigerant"].get<std::string>() + " fits at the same point (%)",
        ratio, json["condTemp"], 1);
    const auto line = [&](const Json& map) {
        out << "  " << map["refrigerant"].get<std::string>() << ": capacity "
            << Number(map["ratingCapacity"], 1) << ' ' << unit << ", power " << Number(map["ratingPower"], 1)
            << " W, EER " << Number(map["ratingEER"], 3) << '\n';
    };
    out << "Rating point (fits of the entered map)\n";
    line(original);
    line(converted);
    if (original["ratingCapacity"].is_number() && converted["ratingCapacity"].is_number())
        out << "  capacity ratio " << converted["refrigerant"].get<std::string>() << "/"
            << original["refrigerant"].get<std::string>() << " "
            << FormatFixed(
                   converted["ratingCapacity"].get<double>() / original["ratingCapacity"].get<double>() * 100,
                   1)
            << " %\n";
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
    record.smoothAllTemps = options.perRow ? 0 : 1;
    record.smoothEachCondTemp = options.perRow ? 1 : 0;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

constexpr const char* kSummaryHeader
    = "file,refrigerant,smoothing,valid points,isentropic eff min,isentropic eff max,volumetric eff min,"
      "volumetric eff max,map EER,smoothed EER,capacity RMS %,capacity max %,power RMS %,power max %,error";

// One summary row: what the analysis of the file gives, or the reason it failed in the last
// column. Returns the file's exit status.
int SummaryRow(const std::string& path, const AnalyzeOptions& options, std::ostream& out) {
    CompressorRecord record;
    std::ostringstream failures;
    int status = 0;
    std::string row;
    try {
        ReadWithOptions(path, options, record);
        PropertyEngine engine;
        SetUpEngineFor(engine, record);
        MapAnalysis analysis(engine, record);
        status = AnalyseAndStore(analysis, failures);
        analysis.VolumetricEfficiencyPoints();
        const auto [iseLow, iseHigh]
            = std::minmax_element(analysis.validIse.begin(), analysis.validIse.begin() + analysis.validCount);
        const auto [volLow, volHigh] = std::minmax_element(
            analysis.validFlow.begin(), analysis.validFlow.begin() + analysis.validCount);
        const bool any = analysis.validCount > 0;
        const auto number = [](double value, int precision) { return FormatFixed(value, precision); };
        const FitQuality& quality = analysis.Quality();
        row = std::string(kRefrigerantNames[static_cast<size_t>(record.refrigerantIndex)]) + ","
            + kSmoothingMethods[static_cast<size_t>(record.smoothingMethod)].key + ","
            + std::to_string(analysis.validCount) + "," + (any ? number(*iseLow, 4) : "") + ","
            + (any ? number(*iseHigh, 4) : "") + "," + (any ? number(*volLow, 4) : "") + ","
            + (any ? number(*volHigh, 4) : "")
            + ","
            // An EER of 0: the map does not reach the rating point, or no smoothing rebuilt it.
            + (record.mapRatingEER != 0 ? number(record.mapRatingEER, 3) : "") + ","
            + (record.smoothedRatingEER != 0 ? number(record.smoothedRatingEER, 3) : "") + ","
            + number(quality.capacityRms, 3) + "," + number(quality.capacityMax, 3) + ","
            + number(quality.powerRms, 3) + "," + number(quality.powerMax, 3) + ",";
        std::string reasons = failures.str();
        while (!reasons.empty() && reasons.back() == '\n')
            reasons.pop_back();
        std::replace(reasons.begin(), reasons.end(), '\n', ';');
        row += CsvField(reasons);
    } catch (const std::exception& error) {
        row = ",,,,,,,,,,,,," + CsvField(error.what());
        status = 1;
    }
    out << CsvField(path) << ',' << row << '\n';
    return status;
}

// Several files, one row each; a failed file does not stop the others. The status is 1 when
// a file failed, 3 when only some points of some files could not be computed.
int Summary(const AnalyzeOptions& options) {
    std::cout << kSummaryHeader << '\n';
    int status = 0;
    for (const std::string& path : options.paths) {
        const int fileStatus = SummaryRow(path, options, std::cout);
        if (fileStatus == 1)
            status = 1;
        else if (status == 0)
            status = fileStatus;
    }
    return status;
}

int Analyze(const std::vector<std::string>& args) {
    const AnalyzeOptions options = ParseOptions(args);
    if (options.summary)
        return Summary(options);
    CompressorRecord record;
    ReadWithOptions(options.path, options, record);

    PropertyEngine engine;
    SetUpEngineFor(engine, record);
    if (options.compare)
        return PrintMethodComparison(engine, record, std::cout);
    MapAnalysis analysis(engine, record);
    int status = AnalyseAndStore(analysis, std::cerr);
    analysis.VolumetricEfficiencyPoints();

    Json json = ToJson(record, analysis, analysis.RowsInUse(), analysis.ColumnsInUse());
    json["smoothedMap"] = SmoothedMapJson(engine, record, analysis.RowsInUse(), std::cerr);
    if (!json["smoothedMap"].is_null() && !json["smoothedMap"]["failures"].empty())
        status = kExitSomePointsFailed;
    if (options.convertTo >= 0) {
        const RefrigerantConversion conversion
            = ConvertRefrigerant(engine, analysis, record, options.convertTo);
        for (const std::string& failure : conversion.failures)
            std::cerr << failure << '\n';
        if (!conversion.failures.empty())
            status = kExitSomePointsFailed;
        json["conversion"] = ToJson(conversion, analysis.RowsInUse(), analysis.ColumnsInUse());
    }
    if (options.json) {
        std::cout << json.dump(2) << '\n';
    } else {
        PrintText(std::cout, json);
        if (json.contains("conversion"))
            PrintConversion(std::cout, json, json["conversion"]);
    }
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
