#include "app/CompressorRecord.h"
#include "cli/CliCommand.h"
#include "cli/ExportPreparation.h"
#include "files/CompressorFile.h"
#include "files/TableExport.h"
#include "files/TableImport.h"

#include <algorithm>
#include <cctype>

namespace velutra::cli {

namespace {

bool HasTableExtension(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string extension = path.substr(path.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".tab";
}

int RefrigerantIndex(const std::string& name) {
    for (size_t i = 0; i < kRefrigerantNames.size(); ++i) {
        if (name == kRefrigerantNames[i])
            return static_cast<int>(i);
    }
    std::string known;
    for (const char* refrigerant : kRefrigerantNames)
        known += std::string(known.empty() ? "" : ", ") + refrigerant;
    throw UsageError("unknown refrigerant \"" + name + "\" (one of " + known + ")");
}

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

// The table carries no description or refrigerant: options supply them, New defaults stand in.
int Import(const std::vector<std::string>& args) {
    CompressorRecord chosen;
    chosen.ApplyNewDefaults();
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg[0] != '-') {
            files.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size())
            throw UsageError(arg + " needs a value");
        const std::string& value = args[++i];
        const auto* option = std::find_if(std::begin(kTextOptions), std::end(kTextOptions),
            [&](const TextOption& o) { return arg == o.name; });
        if (option != std::end(kTextOptions))
            chosen.*(option->field) = value;
        else if (arg == "--refrigerant")
            chosen.refrigerantIndex = RefrigerantIndex(value);
        else
            throw UsageError("unknown option \"" + arg + "\"");
    }
    if (files.size() != 2)
        throw UsageError("expects a table file and an output file");

    CompressorRecord record = chosen;
    ImportTable(files[0], record);
    for (const TextOption& option : kTextOptions)
        record.*(option.field) = chosen.*(option.field);
    WriteCompressorFile(files[1], record);
    return 0;
}

int ExportTab(const std::vector<std::string>& args) {
    if (args.size() != 2
        || std::any_of(args.begin(), args.end(), [](const std::string& a) { return a.empty(); }))
        throw UsageError("expects an input file (.cmp or .tab) and an output file");
    CompressorRecord record;
    record.ApplyNewDefaults();
    if (HasTableExtension(args[0]))
        ImportTable(args[0], record);
    else
        ReadCompressorFile(args[0], record);
    PrepareMapForExport(record);
    ExportTable(args[1], record);
    return 0;
}

} // namespace

void AddTableCommands(std::vector<CliCommand>& commands) {
    commands.push_back({ "import",
        "FILE.tab OUT.cmp [--refrigerant NAME] [--manufacturer TEXT] [--model TEXT] [--rating-capacity "
        "TEXT]\n"
        "          [--rating-eer TEXT] [--speed TEXT] [--voltage TEXT]",
        "import a compressor table and save it as a compressor file", Import });
    commands.push_back({ "export-tab", "FILE OUT.tab",
        "write the map of a compressor file (.cmp) or table (.tab) as a compressor table", ExportTab });
}

} // namespace velutra::cli
