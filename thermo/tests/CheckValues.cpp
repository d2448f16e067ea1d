#include "CheckValues.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace velutra::thermo::test {

namespace {

std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> out;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, ','))
        out.push_back(cell);
    if (!line.empty() && line.back() == ',')
        out.emplace_back();
    return out;
}

} // namespace

double CheckRow::number(const std::string& column) const {
    const std::string& value = text(column);
    if (value.empty())
        throw std::runtime_error("check row " + table + "/" + fluid + " has no value in column " + column);
    return std::stod(value);
}

const std::string& CheckRow::text(const std::string& column) const {
    const auto it = fields.find(column);
    if (it == fields.end())
        throw std::runtime_error("check values have no column " + column + " in table " + table);
    return it->second;
}

std::vector<CheckRow> ReadCheckValues(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::vector<CheckRow> rows;
    std::vector<std::string> header;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::vector<std::string> cells = SplitCsv(line);
        // Each table starts with its own header line, whose first cell is "table".
        if (cells.front() == "table") {
            header = cells;
            continue;
        }
        CheckRow row;
        row.table = cells.at(0);
        row.fluid = cells.at(1);
        for (std::size_t i = 2; i < header.size(); ++i)
            row.fields[header[i]] = i < cells.size() ? cells[i] : std::string();
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string CheckValuesPath() {
    return std::string(VELUTRA_SHARED_DIR) + "/fluid-data/check-values.csv";
}

std::string FluidFileFor(const std::string& fluid) {
    static const std::map<std::string, std::string> files { { "R134a", "R134a.fld" },
        { "R152a", "R152a.fld" }, { "R290", "propane.fld" }, { "R600a", "isobutan.fld" },
        { "R125", "R125.fld" }, { "R143a", "R143a.fld" } };
    return std::string(VELUTRA_THERMO_FLUIDS_DIR) + "/" + files.at(fluid);
}

const std::vector<std::string>& PureFluids() {
    static const std::vector<std::string> fluids { "R134a", "R152a", "R290", "R600a", "R125", "R143a" };
    return fluids;
}

} // namespace velutra::thermo::test
