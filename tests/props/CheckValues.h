#pragma once

#include "Tolerance.h"

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace velutra::test {

// One row of check-values.csv, fields by column name (the file has a header line per table).
using CheckRow = std::map<std::string, std::string>;

inline std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ','))
        fields.push_back(field);
    return fields;
}

// Rows of the given table ("state" or "cycle") for one fluid, in file order.
inline std::vector<CheckRow> ReadCheckRows(const std::string& table, const std::string& fluid) {
    std::ifstream file(std::string(VELUTRA_SHARED_DIR) + "/fluid-data/check-values.csv");
    std::vector<std::string> header;
    std::vector<CheckRow> rows;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        auto fields = SplitCsv(line);
        if (fields.size() < 2)
            continue;
        if (fields[0] == "table") {
            header = fields;
        } else if (fields[0] == table && fields[1] == fluid) {
            CheckRow row;
            for (std::size_t i = 0; i < fields.size() && i < header.size(); ++i)
                row[header[i]] = fields[i];
            rows.push_back(row);
        }
    }
    return rows;
}

inline double Value(const CheckRow& row, const std::string& column) {
    return std::stod(row.at(column));
}

} // namespace velutra::test
