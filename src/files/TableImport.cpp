#include "files/TableImport.h"

#include "files/TableLineReader.h"
#include "files/Windows1252.h"
#include "record/MapEntry.h"
#include "record/TextRules.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <limits>

namespace velutra {

namespace {

// Lines of the table that carry counts and the units code, and the line of the evaporating axis.
constexpr int kEvapCountLine = 4;
constexpr int kCondCountLine = 5;
constexpr int kUnitsLine = 7;
constexpr int kEvapAxisLine = 14;
// The capacity rows follow the axis line; the power rows start 6 lines after the last of them.
constexpr int kPowerRowsOffset = 21;

// Rows are kept when the integer part of their condensing temperature is above these.
constexpr long long kThresholdF = 89;
constexpr long long kThresholdC = 33;
constexpr long long kUnitsSI = 2;

using Tokens = std::array<std::string, 9>;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The first `count` whitespace-separated tokens (count 1..9); missing ones stay empty.
Tokens SplitTokens(int count, const std::string& line) {
    Tokens tokens;
    if (count < 1 || count > static_cast<int>(tokens.size()))
        return tokens;
    size_t i = 0;
    for (int t = 0; t < count; ++t) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        const size_t start = i;
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
        tokens[static_cast<size_t>(t)] = line.substr(start, i - start);
    }
    return tokens;
}

bool StartsWithInteger(const std::string& line) {
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        ++i;
    return i < line.size() && line[i] >= '0' && line[i] <= '9';
}

class TableReader {
public:
    TableReader(std::istream& in, const std::string& fileName)
        : lines_(in)
        , fileName_(fileName) { }

    void Read(CompressorRecord& record) {
        std::string line;
        while (lines_.Next(line))
            Interpret(line, lines_.LineNumber());
        if (!lines_.ReachedEnd())
            throw TableFileError(
                TableFileError::Reason::CannotRead, "Reading \"" + fileName_ + "\" failed before its end.");
        RequireLine(evapCount_ != 0, kEvapCountLine, "number of evaporating temperatures");
        RequireLine(condCount_ != 0, kCondCountLine, "number of condensing temperatures");
        RequireLine(haveUnits_, kUnitsLine, "units code");
        // Tokens missing at the end of a row leave empty texts: blank cells where both the
        // capacity and the power row end early, refused where only one does.
        CompressorRecord read = record;
        Store(read);
        if (const std::string problem = CheckMapCells(read); !problem.empty())
            throw TableFileError(TableFileError::Reason::Malformed, "\"" + fileName_ + "\": " + problem);
        record = std::move(read);
    }

private:
    void Interpret(const std::string& line, int k) {
        if (k == kEvapCountLine) {
            evapCount_ = static_cast<int>(Count(line, k, "number of evaporating temperatures", 1, kMaxEvap));
        } else if (k == kCondCountLine) {
            condCount_ = static_cast<int>(
                Count(line, k, "number of condensing temperatures", 1, kMaxTableCondCount));
        } else if (k == kUnitsLine) {
            units_ = Count(line, k, "units code", std::numeric_limits<long long>::min(),
                std::numeric_limits<long long>::max());
            haveUnits_ = true;
            if (units_ == kUnitsSI)
                threshold_ = kThresholdC;
        } else if (k == kEvapAxisLine) {
            const Tokens tokens = SplitTokens(evapCount_, line);
            for (int c = 0; c < kMaxEvap; ++c)
                evapTempText_[c] = Checked(tokens[static_cast<size_t>(c)], k);
        } else if (k > kEvapAxisLine && k < condCount_ + kEvapAxisLine + 1) {
            const Tokens tokens = SplitTokens(evapCount_ + 1, line);
            if (LeadingInteger(tokens[0]) > threshold_ && capacityRows_ < kMaxCond) {
                condTempText_[capacityRows_] = Checked(tokens[0], k);
                TakeRow(tokens, k, capacityText_[capacityRows_++]);
            }
        } else if (k >= condCount_ + kPowerRowsOffset) {
            const Tokens tokens = SplitTokens(evapCount_ + 1, line);
            if (LeadingInteger(tokens[0]) > threshold_ && powerRows_ < kMaxCond) {
                Checked(tokens[0], k);
                TakeRow(tokens, k, powerText_[powerRows_++]);
            }
        }
    }

    void TakeRow(const Tokens& tokens, int k, EvapRow<std::string>& row) const {
        for (int c = 0; c < kMaxEvap; ++c)
            row[c] = Checked(tokens[static_cast<size_t>(c) + 1], k);
    }

    long long Count(
        const std::string& line, int k, const std::string& what, long long low, long long high) const {
        const long long value = LeadingInteger(line);
        if (!StartsWithInteger(line) || value < low || value > high) {
            std::string range = low == std::numeric_limits<long long>::min()
                ? "an integer"
                : "an integer from " + std::to_string(low) + " to " + std::to_string(high);
            throw Malformed(k, "the " + what + " must be " + range + ".");
        }
        return value;
    }

    // A token longer than the DOS layout's fields is refused rather than clipped: clipping a number
    // silently changes it. Bytes that are not UTF-8 are read as Windows-1252.
    std::string Checked(const std::string& token, int k) const {
        if (token.size() > kMaxTableToken)
            throw Malformed(k,
                QuoteForMessage(token) + " is longer than " + std::to_string(kMaxTableToken)
                    + " characters.");
        return IsValidUtf8(token) ? token : Windows1252ToUtf8(token);
    }

    void RequireLine(bool present, int k, const std::string& what) const {
        if (!present)
            throw TableFileError(TableFileError::Reason::Malformed,
                "\"" + fileName_ + "\" ends before line " + std::to_string(k) + ", which must hold the "
                    + what + ".");
    }

    TableFileError Malformed(int k, const std::string& what) const {
        return TableFileError(TableFileError::Reason::Malformed,
            "\"" + fileName_ + "\", line " + std::to_string(k) + ": " + what);
    }

    void Store(CompressorRecord& record) const {
        record.condCount = powerRows_;
        record.evapCount = evapCount_;
        record.unitsEnglish = units_ == 1 ? 1 : 0;
        record.unitsSI = units_ == 1 ? 0 : 1;
        record.capacityText = capacityText_;
        record.powerText = powerText_;
        for (int r = 0; r < kMaxCond; ++r)
            record.condTempText[r] = { condTempText_[r], condTempText_[r] };
        record.evapTempText = evapTempText_;
        // The table carries no description: the New texts stand in for it.
        record.manufacturer = "Manufacturer";
        record.model = "Model";
        record.ratingCapacityText = "Capacity";
        record.ratingEERText = "EER";
        record.speedText = "3450";
        record.voltageText = "115";
        record.reloadFormsFromRecord = 1;
        record.newRecordDefaultsPending = 0;
    }

    TableLineReader lines_;
    const std::string& fileName_;
    int evapCount_ = 0;
    int condCount_ = 0;
    long long units_ = 0;
    bool haveUnits_ = false;
    long long threshold_ = kThresholdF;
    int capacityRows_ = 0;
    int powerRows_ = 0;
    EvapRow<std::string> evapTempText_;
    CondRow<std::string> condTempText_;
    MapTable<std::string> capacityText_;
    MapTable<std::string> powerText_;
};

} // namespace

void ImportTable(std::istream& in, CompressorRecord& record, const std::string& fileName) {
    TableReader(in, fileName).Read(record);
}

void ImportTable(const std::string& path, CompressorRecord& record) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw TableFileError(
            TableFileError::Reason::CannotOpen, "Cannot read \"" + path + "\": it is a folder.");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TableFileError(TableFileError::Reason::CannotOpen, "Cannot open \"" + path + "\" for reading.");
    ImportTable(in, record, path);
}

} // namespace velutra
