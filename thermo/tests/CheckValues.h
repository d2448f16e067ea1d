#pragma once

#include <map>
#include <string>
#include <vector>

namespace velutra::thermo::test {

// One row of shared/fluid-data/check-values.csv: its table ("state" or "cycle"), fluid, and the
// remaining fields by column name as text (empty where the row has no value).
struct CheckRow {
    std::string table;
    std::string fluid;
    std::map<std::string, std::string> fields;

    double number(const std::string& column) const;
    const std::string& text(const std::string& column) const;
};

// All rows of the file; throws std::runtime_error when it cannot be read.
std::vector<CheckRow> ReadCheckValues(const std::string& path);

// The path of the check-value file in the shared data folder.
std::string CheckValuesPath();

// Our fluid file for a fluid name as the check values spell it ("R290" -> "propane.fld").
std::string FluidFileFor(const std::string& fluid);

// The pure fluids of the check values.
const std::vector<std::string>& PureFluids();

} // namespace velutra::thermo::test
