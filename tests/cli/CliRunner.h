#pragma once

#include <string>
#include <vector>

namespace velutra::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built velutra-cli with these arguments and collects its exit status and output.
CliResult RunCli(const std::vector<std::string>& args);

} // namespace velutra::test
