#include "files/TableExport.h"

#include "TempDir.h"
#include "files/TableImport.h"
#include "record/TextRules.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <vector>

namespace velutra {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The map texts decide which cells are blank; these records fill every cell.
void FillMapTexts(CompressorRecord& record) {
    for (int r = 0; r < kMaxCond; ++r)
        for (int c = 0; c < kMaxEvap; ++c) {
            record.capacityText[r][c] = FormatNumber(record.capacity[r][c], -1);
            record.powerText[r][c] = FormatNumber(record.power[r][c], -1);
        }
}

// English 6 x 6 map: rows 90..140 F, columns -40..10 F.
CompressorRecord EnglishRecord() {
    CompressorRecord record;
    record.ApplyNewDefaults();
    record.condCount = 6;
    record.evapCount = 6;
    for (int r = 0; r < 6; ++r) {
        record.condTemp[r] = 90.0 + 10 * r;
        for (int c = 0; c < 6; ++c) {
            record.capacity[r][c] = 300.0 + 200 * c - 20 * r;
            record.power[r][c] = 120.0 + 15 * c + 5 * r;
        }
    }
    for (int c = 0; c < 6; ++c)
        record.evapTemp[c] = -40.0 + 10 * c;
    record.capacity[0][0] = 5234.56;
    record.power[5][5] = 209.04;
    FillMapTexts(record);
    return record;
}

TEST(TableExport, EnglishLayoutCharacterForCharacter) {
    const auto lines = Lines(FormatTable(EnglishRecord()));
    ASSERT_EQ(lines.size(), 32u) << "20 fixed lines and 6 rows in each block";
    const char* expectedHead[] = {
        "Manufacturer, Model, Description",
        "",
        "   0.0        MASS FLOW AT STANDARD RATING POINT (not used)",
        "     6        NUMBER OF DATA POINTS ALONG EVAPORATING TEMPERATURE AXIS",
        "     6        NUMBER OF DATAPOINTS ALONG CONDENSING TEMPERATURE AXIS",
        "     1        COMPRESSOR TYPE (not used)",
        "     1        UNITS FOR CAPACITY, TEMPERATURE DATA, AND MASS FLOW",
        "              (1 - BTU/HR, DEG F, LB/HR; 2 - KCAL/HR, DEG C, KG/HR)",
        "              POWER DATA MUST BE IN WATTS",
        "",
        "                        CAPACITY DATA, BTU/HR",
        "",
        "COND TEMP, F            EVAPORATING TEMPERATURE, F",
        "                  -40         -30         -20         -10           0          10",
        "        90      5234.6       500.0       700.0       900.0      1100.0      1300.0",
    };
    for (size_t i = 0; i < std::size(expectedHead); ++i)
        EXPECT_EQ(lines[i], expectedHead[i]) << "line " << i + 1;
    EXPECT_EQ(
        lines[19], "       140       200.0       400.0       600.0       800.0      1000.0      1200.0");
    EXPECT_EQ(lines[20], "");
    EXPECT_EQ(lines[21], "");
    EXPECT_EQ(lines[22], "                        COMPRESSOR POWER, WATTS");
    EXPECT_EQ(lines[23], "");
    EXPECT_EQ(lines[24], lines[12]);
    EXPECT_EQ(lines[25], lines[13]);
    EXPECT_EQ(
        lines[26], "        90       120.0       135.0       150.0       165.0       180.0       195.0");
    EXPECT_EQ(
        lines[31], "       140       145.0       160.0       175.0       190.0       205.0       209.0");
}

TEST(TableExport, SiLayoutAndTruncationTowardZero) {
    CompressorRecord record;
    record.unitsEnglish = 0;
    record.unitsSI = 1;
    record.condCount = 1;
    record.evapCount = 3;
    record.condTemp[0] = 54.9;
    record.evapTemp = { -10.7, -0.5, 7.99 };
    record.capacity[0] = { 99.95, -0.04, 1e6 };
    FillMapTexts(record);
    const auto lines = Lines(FormatTable(record));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[3], "     3        NUMBER OF DATA POINTS ALONG EVAPORATING TEMPERATURE AXIS");
    EXPECT_EQ(lines[6], "     2        UNITS FOR CAPACITY, TEMPERATURE DATA, AND MASS FLOW");
    EXPECT_EQ(lines[10], "                        CAPACITY DATA, KCAL/HR");
    EXPECT_EQ(lines[12], "COND TEMP, C            EVAPORATING TEMPERATURE, C");
    EXPECT_EQ(lines[13], "                  -10           0           7");
    EXPECT_EQ(lines[14], "        54       100.0        -0.0   1000000.0");
}

TEST(TableExport, CountsOutsideTheTablesAreClamped) {
    CompressorRecord record = EnglishRecord();
    record.condCount = 40;
    record.evapCount = 1000;
    auto lines = Lines(FormatTable(record));
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[3].substr(0, 6), "     8");
    EXPECT_EQ(lines[14].size(), 10u + 8 * 12);

    record.condCount = -2;
    record.evapCount = -1;
    lines = Lines(FormatTable(record));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[3].substr(0, 6), "     0");
}

TEST(TableExport, FileHasCrLfLineEndsAndImportsBackKeepingTheRecordsOtherFields) {
    test::TempDir dir;
    const std::string path = dir.File("map.tab");
    ExportTable(path, EnglishRecord());
    std::string expected;
    for (const char c : FormatTable(EnglishRecord()))
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(test::ReadBytes(path), expected);

    CompressorRecord record;
    record.ApplyNewDefaults();
    record.manufacturer = "Acme";
    record.unitsEnglish = 0;
    record.unitsSI = 1;
    record.refrigerantIndex = 2;
    record.plotType = 2;
    record.capacity[0][0] = 3.0;
    ImportTable(path, record);
    EXPECT_EQ(record.condCount, 6);
    EXPECT_EQ(record.evapCount, 6);
    EXPECT_EQ(record.unitsEnglish, 1);
    EXPECT_EQ(record.unitsSI, 0);
    EXPECT_EQ(record.evapTempText[0], "-40");
    EXPECT_EQ(record.capacityText[0][0], "5234.6");
    EXPECT_EQ(record.powerText[5][5], "209.0");
    EXPECT_EQ(record.manufacturer, "Manufacturer");
    EXPECT_EQ(record.refrigerantIndex, 2);
    EXPECT_EQ(record.plotType, 2);
    EXPECT_EQ(record.capacity[0][0], 3.0);
    EXPECT_EQ(record.reloadFormsFromRecord, 1);
    EXPECT_EQ(record.newRecordDefaultsPending, 0);

    const auto error
        = test::Thrown<TableFileError>([&] { ExportTable(dir.File("missing/map.tab"), record); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->reason(), TableFileError::Reason::CannotWrite);
    EXPECT_TRUE(test::Mentions(*error, dir.File("missing/map.tab"))) << error->what();
}

// Blank cells at the end of a row are left out, so the table reads back with them blank.
TEST(TableExport, BlankCellsAreLeftOutAtTheEndOfTheirRows) {
    test::TempDir dir;
    CompressorRecord record = EnglishRecord();
    record.condCount = 2;
    record.evapCount = 3;
    for (int r = 0; r < 2; ++r)
        record.capacityText[r][2] = record.powerText[r][2] = "";
    record.capacity[0][2] = std::nan(""); // what the analysis leaves there does not matter
    const std::string path = dir.File("blank.tab");
    ExportTable(path, record);
    CompressorRecord back;
    back.ApplyNewDefaults();
    ImportTable(path, back);
    EXPECT_EQ(back.evapCount, 3);
    EXPECT_EQ(back.capacityText[0][1], "500.0");
    EXPECT_EQ(back.capacityText[1][2], "");
    EXPECT_EQ(back.powerText[0][2], "");
}

TEST(TableExport, ValuesThatCouldNotBeComputedOrAMidRowBlankWriteNothing) {
    test::TempDir dir;
    const std::string path = dir.File("map.tab");
    test::WriteBytes(path, "old table");
    const auto refused = [&](const CompressorRecord& record, const std::string& what) {
        const auto error = test::Thrown<TableFileError>([&] { ExportTable(path, record); });
        ASSERT_TRUE(error) << what;
        EXPECT_EQ(error->reason(), TableFileError::Reason::CannotWrite);
        EXPECT_TRUE(test::Mentions(*error, path)) << error->what();
        EXPECT_TRUE(test::Mentions(*error, what)) << error->what();
        EXPECT_EQ(test::ReadBytes(path), "old table");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    };
    CompressorRecord record = EnglishRecord();
    record.power[3][1] = -std::numeric_limits<double>::infinity();
    refused(record, "the power at 120.0 F condensing, -30.0 F evaporating could not be computed (-inf)");
    record = EnglishRecord();
    record.capacity[0][5] = std::nan("");
    refused(record, "the capacity at 90.0 F condensing, 10.0 F evaporating could not be computed");
    record = EnglishRecord();
    record.condTemp[4] = std::nan("");
    refused(record, "condensing temperature of row 5 could not be computed");
    record = EnglishRecord();
    record.capacityText[1][2] = record.powerText[1][2] = "";
    refused(record, "the map cell at 100.0 F condensing, -10.0 F evaporating follows a blank cell");
}

} // namespace
} // namespace velutra
