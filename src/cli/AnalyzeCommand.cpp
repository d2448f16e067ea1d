#include "analysis/MapAnalysis.h"
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

namespace velutra::cli {

namespace {

using Json = nlohmann::ordered_json;

struct AnalyzeOptions {
    std::string path;
    int smoothingMethod = -1; // -1: as the record holds it
    int refrigerant = -1; // -1: the file's own
    bool perRow = false;
    bool json = false;
    bool compare = false;
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
        } else if (arg == "--smoothing") {
            if (i + 1 == args.size())
                throw UsageError("--smoothing needs a method name");
            options.smoothingMethod = SmoothingMethodOf(args[++i]);
        } else if (arg == "--refrigerant") {
            if (i + 1 == args.size())
                throw UsageError("--refrigerant needs a name");
            options.refrigerant = RefrigerantIndexOf(args[++i]);
        } else if (options.path.empty() && !arg.empty() && arg[0] != '-') {
            options.path = arg;
        } else {
            throw UsageError("unexpected argument \"" + arg + "\"");
        }
    }
    if (options.path.empty())
        throw UsageError("expects a compressor file, a table file (.tab) or a published map (.csv)");
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
    map.Compute(engine, record);
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
    return { { "evapTemp", evapTemp },
        { "condTemp", std::vector<double>(record.condTemp.begin(), record.condTemp.begin() + rows) },
        { "capacity", InUse(map.capacity, rows, SmoothedMap::kFixedColumns) },
        { "power", InUse(map.power, rows, SmoothedMap::kFixedColumns) }, { "failures", failures } };
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

int Analyze(const std::vector<std::string>& args) {
    const AnalyzeOptions options = ParseOptions(args);
    CompressorRecord record;
    ReadMapFile(options.path, record); // a table names no refrigerant: R134a unless --refrigerant
    if (options.refrigerant >= 0)
        record.refrigerantIndex = options.refrigerant;
    if (record.refrigerantIndex < 0 || record.refrigerantIndex >= static_cast<int>(kRefrigerantNames.size()))
        throw std::runtime_error(
            "refrigerant code " + std::to_string(record.refrigerantIndex) + " is not one of the six");
    if (options.smoothingMethod >= 0)
        record.smoothingMethod = options.smoothingMethod;
    record.smoothAllTemps = options.perRow ? 0 : 1;
    record.smoothEachCondTemp = options.perRow ? 1 : 0;

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
    if (options.json)
        std::cout << json.dump(2) << '\n';
    else
        PrintText(std::cout, json);
    return status;
}

} // namespace

void AddAnalyzeCommands(std::vector<CliCommand>& commands) {
    commands.push_back({ "analyze",
        "FILE [--smoothing original|linear|quadratic|two-variable] [--per-row] [--refrigerant NAME] "
        "[--json]\n"
        "          [--compare]",
        "analyse the map of a compressor file, table (.tab) or published map (.csv): derived tables, fits, "
        "the current map, its deviation from the entered one, both rating-point EERs and, when smoothed, the "
        "map at the fixed evaporating temperatures of the smoothed-map form; --compare prints "
        "the deviations and EERs of every smoothing method side by side",
        Analyze });
}

} // namespace velutra::cli
