#include "cli/CliCommand.h"
#include "cli/RecordJson.h"
#include "files/CompressorFile.h"
#include "record/CompressorRecord.h"

#include <iostream>

namespace velutra::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string Quoted(const Json& text) {
    return text.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// One line per field; a table gives one line per row, each cell quoted so empty texts show.
void PrintFields(const Json& fields, std::ostream& out) {
    constexpr size_t kNameWidth = 20;
    for (const auto& [name, value] : fields.items()) {
        const auto printLine = [&](const std::string& label, const Json& cells) {
            out << label << std::string(label.size() < kNameWidth ? kNameWidth - label.size() : 1, ' ');
            if (!cells.is_array()) {
                out << Quoted(cells) << '\n';
                return;
            }
            for (size_t i = 0; i < cells.size(); ++i)
                out << (i ? " " : "") << Quoted(cells[i]);
            out << '\n';
        };
        if (value.is_array() && !value.empty() && value[0].is_array()) {
            for (size_t row = 0; row < value.size(); ++row)
                printLine(name + "[" + std::to_string(row) + "]", value[row]);
        } else {
            printLine(name, value);
        }
    }
}

int New(const std::vector<std::string>& args) {
    if (args.size() != 1)
        throw UsageError("expects one output file");
    CompressorRecord record;
    record.ApplyNewDefaults();
    WriteCompressorFile(args[0], record);
    return 0;
}

int Show(const std::vector<std::string>& args) {
    std::string path;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json")
            json = true;
        else if (path.empty() && !arg.empty() && arg[0] != '-')
            path = arg;
        else
            throw UsageError("unexpected argument \"" + arg + "\"");
    }
    if (path.empty())
        throw UsageError("expects a compressor file");

    CompressorRecord record;
    ReadCompressorFile(path, record);
    const Json fields = PersistentFieldsToJson(record);
    if (json)
        std::cout << fields.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    else
        PrintFields(fields, std::cout);
    return 0;
}

} // namespace

void AddRecordCommands(std::vector<CliCommand>& commands) {
    commands.push_back({ "new", "OUT.cmp", "write a compressor file holding a New record", New });
    commands.push_back({ "show", "FILE.cmp [--json]",
        "print the stored fields of a compressor file (as JSON with --json)", Show });
}

} // namespace velutra::cli
