#include "CliRunner.h"

#include "TempDir.h"

#include <cstdlib>
#include <sys/wait.h>

namespace velutra::test {

namespace {

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args) {
    TempDir dir;
    std::string command = ShellQuoted(VELUTRA_CLI_PATH);
    for (const std::string& arg : args)
        command += ' ' + ShellQuoted(arg);
    command += " >" + ShellQuoted(dir.File("out")) + " 2>" + ShellQuoted(dir.File("err"));

    CliResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadBytes(dir.File("out"));
    result.err = ReadBytes(dir.File("err"));
    return result;
}

} // namespace velutra::test
