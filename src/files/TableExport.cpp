#include "files/TableExport.h"

#include "files/ReplaceFile.h"
#include "record/MapEntry.h"
#include "record/TextRules.h"

#include <algorithm>
#include <cmath>

namespace velutra {

namespace {

// "%Nd" of a temperature truncated toward zero.
std::string TemperatureField(double value, int width) {
    std::string text = IntToText(TruncateToInt(value));
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    return text;
}

[[noreturn]] void Refuse(const std::string& what) {
    throw TableFileError(TableFileError::Reason::CannotWrite, what);
}

// A table row is read token by token, so a blank cell can only be left out at the end of a row.
// Everything written must be a finite number.
void CheckWritable(const CompressorRecord& record, int rows, int columns) {
    MapEntry entry;
    entry.LoadFrom(record);
    const bool si = record.unitsSI == 1;
    for (int c = 0; c < columns; ++c)
        if (!std::isfinite(record.evapTemp[c]))
            Refuse(
                "the evaporating temperature of column " + std::to_string(c + 1) + " could not be computed");
    for (int r = 0; r < rows; ++r) {
        if (!std::isfinite(record.condTemp[r]))
            Refuse("the condensing temperature of row " + std::to_string(r + 1) + " could not be computed");
        bool blankSeen = false;
        for (int c = 0; c < columns; ++c) {
            if (IsBlankCell(record.capacityText[r][c], record.powerText[r][c])) {
                blankSeen = true;
                continue;
            }
            if (blankSeen)
                Refuse("the map cell at " + MapCellName(entry, si, r, c)
                    + " follows a blank cell in its row, which a table cannot hold (its rows are read up "
                      "to the first missing value)");
            for (const bool capacity : { true, false }) {
                const double value = capacity ? record.capacity[r][c] : record.power[r][c];
                if (!std::isfinite(value))
                    Refuse(std::string("the ") + (capacity ? "capacity" : "power") + " at "
                        + MapCellName(entry, si, r, c) + " could not be computed (" + FormatFixed(value, 1)
                        + ")");
            }
        }
    }
}

void AppendMapBlock(std::string& out, const CompressorRecord& record, const MapTable<double>& map, int rows,
    int columns, const std::string& heading) {
    out += heading;
    out += std::string(9, ' ');
    for (int c = 0; c < columns; ++c)
        out += TemperatureField(record.evapTemp[c], 12);
    out += '\n';
    for (int r = 0; r < rows; ++r) {
        out += TemperatureField(record.condTemp[r], 10);
        // Blank cells come only at the end of a row (CheckWritable): they are left out.
        for (int c = 0; c < columns; ++c)
            if (!IsBlankCell(record.capacityText[r][c], record.powerText[r][c]))
                out += FormatFixed(map[r][c], 1, 12);
        out += '\n';
    }
}

} // namespace

std::string FormatTable(const CompressorRecord& record) {
    // Counts beyond the tables are clamped, and written as clamped so the table stays consistent.
    const int columns = std::clamp(record.evapCount, 0, kMaxEvap);
    const int rows = std::clamp(record.condCount, 0, kMaxCond);
    const bool english = record.unitsEnglish == 1;
    CheckWritable(record, rows, columns);
    const std::string heading = english ? "COND TEMP, F            EVAPORATING TEMPERATURE, F\n"
                                        : "COND TEMP, C            EVAPORATING TEMPERATURE, C\n";

    std::string out;
    out += "Manufacturer, Model, Description\n";
    out += "\n";
    out += "   0.0        MASS FLOW AT STANDARD RATING POINT (not used)\n";
    out += "     " + IntToText(columns)
        + "        NUMBER OF DATA POINTS ALONG EVAPORATING TEMPERATURE AXIS\n";
    out += "     " + IntToText(rows) + "        NUMBER OF DATAPOINTS ALONG CONDENSING TEMPERATURE AXIS\n";
    out += "     1        COMPRESSOR TYPE (not used)\n";
    out += std::string("     ") + (english ? "1" : "2")
        + "        UNITS FOR CAPACITY, TEMPERATURE DATA, AND MASS FLOW\n";
    out += "              (1 - BTU/HR, DEG F, LB/HR; 2 - KCAL/HR, DEG C, KG/HR)\n";
    out += "              POWER DATA MUST BE IN WATTS\n";
    out += "\n";
    out += std::string("                        CAPACITY DATA, ") + (english ? "BTU/HR" : "KCAL/HR") + "\n";
    out += "\n";
    AppendMapBlock(out, record, record.capacity, rows, columns, heading);
    out += "\n";
    out += "\n";
    out += "                        COMPRESSOR POWER, WATTS\n";
    out += "\n";
    AppendMapBlock(out, record, record.power, rows, columns, heading);
    return out;
}

void ExportTable(const std::string& path, const CompressorRecord& record) {
    std::string table;
    try {
        table = FormatTable(record);
    } catch (const TableFileError& error) {
        throw TableFileError(TableFileError::Reason::CannotWrite,
            "Cannot write \"" + path + "\": " + error.what() + "; nothing was written.");
    }
    std::string crlf;
    crlf.reserve(table.size() + table.size() / 32);
    for (const char c : table) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    try {
        ReplaceFileContents(path, crlf);
    } catch (const FileWriteError& error) {
        throw TableFileError(TableFileError::Reason::CannotWrite, error.what());
    }
}

} // namespace velutra
