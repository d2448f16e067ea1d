#pragma once

#include <fstream>
#include <initializer_list>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace velutra::test {

// One row of fluid-data/check-values.csv, check-values-lowgwp.csv or check-values-legacy.csv: its table
// ("state" or "cycle"), its fluid and the other fields by column name as text (empty where the row has no
// value).
struct CheckRow {
    std::string table;
    std::string fluid;
    std::map<std::string, std::string> fields;

    const std::string& text(const std::string& column) const {
        const auto it = fields.find(column);
        if (it == fields.end())
            throw std::runtime_error("check values have no column " + column + " in table " + table);
        return it->second;
    }
    double number(const std::string& column) const { return std::stod(text(column)); }
};

// All rows of the three files, read once; each table starts with its own header line ("table,...").
inline const std::vector<CheckRow>& CheckValues() {
    static const std::vector<CheckRow> rows = [] {
        std::vector<CheckRow> out;
        for (const char* file :
            { "check-values.csv", "check-values-lowgwp.csv", "check-values-legacy.csv" }) {
            std::ifstream in(std::string(VELUTRA_SHARED_DIR) + "/fluid-data/" + file);
            if (!in)
                throw std::runtime_error(std::string("cannot open the check values ") + file);
            std::vector<std::string> header;
            for (std::string line; std::getline(in, line);) {
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                std::vector<std::string> cells;
                std::istringstream cellsIn(line);
                for (std::string cell; std::getline(cellsIn, cell, ',');)
                    cells.push_back(cell);
                if (cells.size() < 2)
                    continue;
                if (cells[0] == "table") {
                    header = cells;
                    continue;
                }
                CheckRow row { cells[0], cells[1], {} };
                for (std::size_t i = 2; i < header.size(); ++i)
                    row.fields[header[i]] = i < cells.size() ? cells[i] : std::string();
                out.push_back(std::move(row));
            }
        }
        return out;
    }();
    return rows;
}

// The rows of one table for one fluid in file order; with kinds, only the rows of those kinds.
inline std::vector<const CheckRow*> CheckRows(
    const std::string& table, const std::string& fluid, std::initializer_list<const char*> kinds = {}) {
    std::vector<const CheckRow*> out;
    for (const CheckRow& row : CheckValues()) {
        if (row.table != table || row.fluid != fluid)
            continue;
        bool wanted = kinds.size() == 0;
        for (const char* kind : kinds)
            wanted = wanted || row.text("kind") == kind;
        if (wanted)
            out.push_back(&row);
    }
    return out;
}

} // namespace velutra::test
