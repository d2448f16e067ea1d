#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace velutra::cli {

// One sub-command of velutra-cli. `run` gets the arguments after the command name and returns
// the exit status; it throws UsageError for arguments it cannot use and any std::exception for
// a failure, which main reports on stderr.
struct CliCommand {
    std::string name;
    std::string arguments;
    std::string summary;
    std::function<int(const std::vector<std::string>&)> run;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Each command group adds its commands here.
void AddRecordCommands(std::vector<CliCommand>& commands);
void AddAnalyzeCommands(std::vector<CliCommand>& commands);
void AddTableCommands(std::vector<CliCommand>& commands);
void AddCoefficientCommands(std::vector<CliCommand>& commands);

} // namespace velutra::cli
