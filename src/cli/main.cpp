// velutra-cli: the core of Velutra from the command line, for scripts and end-to-end checks.

#include "cli/CliCommand.h"

#include <exception>
#include <iostream>

namespace {

using velutra::cli::CliCommand;

void PrintUsage(const std::vector<CliCommand>& commands, std::ostream& out) {
    out << "Usage:\n";
    for (const CliCommand& command : commands)
        out << "  velutra-cli " << command.name << ' ' << command.arguments << "\n      " << command.summary
            << '\n';
}

} // namespace

int main(int argc, char** argv) {
    std::vector<CliCommand> commands;
    velutra::cli::AddRecordCommands(commands);
    velutra::cli::AddAnalyzeCommands(commands);
    velutra::cli::AddTableCommands(commands);
    velutra::cli::AddCoefficientCommands(commands);

    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(commands, args.empty() ? std::cerr : std::cout);
        return args.empty() ? 2 : 0;
    }
    for (const CliCommand& command : commands) {
        if (command.name != args[0])
            continue;
        try {
            return command.run({ args.begin() + 1, args.end() });
        } catch (const velutra::cli::UsageError& error) {
            std::cerr << "velutra-cli " << command.name << ": " << error.what() << "\nUsage: velutra-cli "
                      << command.name << ' ' << command.arguments << '\n';
            return 2;
        } catch (const std::exception& error) {
            std::cerr << "velutra-cli " << command.name << ": " << error.what() << '\n';
            return 1;
        }
    }
    std::cerr << "velutra-cli: unknown command \"" << args[0] << "\"\n";
    PrintUsage(commands, std::cerr);
    return 2;
}
