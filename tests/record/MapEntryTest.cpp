#include "record/MapEntry.h"

#include <gtest/gtest.h>

namespace velutra {
namespace {

constexpr const char* kTooCold90F = "   Minimum allowed condenser temperature is 90 F   ";
constexpr const char* kTooCold32C = "   Minimum allowed condenser temperature is 32.2 C   ";
constexpr const char* kNotAscending
    = "   Condenser and evaporator temperatures must be in ascending order   ";

TEST(MapEntry, CountStepsClampFirstAndStopAtTheirLimits) {
    const struct {
        bool rows;
        int count;
        int direction;
        int expected;
    } cases[] = {
        { true, 6, +1, 6 },
        { true, 1, -1, 1 },
        { true, 3, +1, 4 },
        { true, 3, -1, 2 },
        // A count outside the range is brought inside before the step.
        { true, 0, +1, 2 },
        { true, 0, -1, 1 },
        { true, -5, +1, 2 },
        { true, 9, -1, 5 },
        { false, 8, +1, 8 },
        { false, 2, -1, 2 },
        { false, 1, +1, 3 },
        { false, 1, -1, 2 },
        { false, 12, +1, 8 },
        { false, 7, +1, 8 },
    };
    for (const auto& step : cases) {
        const int stepped = step.rows ? StepCondCount(step.count, step.direction)
                                      : StepEvapCount(step.count, step.direction);
        EXPECT_EQ(stepped, step.expected)
            << (step.rows ? "rows " : "columns ") << step.count << " step " << step.direction;
    }
}

// English axes 90..140 F, -40..10 F, in use 3 rows by 6 columns.
MapEntry EnglishEntry() {
    CompressorRecord record;
    record.ApplyNewDefaults();
    MapEntry entry;
    entry.LoadFrom(record);
    return entry;
}

TEST(MapEntry, MinimumCondensingTemperatureOfTheUnitSystem) {
    const struct {
        bool si;
        const char* first;
        const char* message;
    } cases[] = {
        { false, "89.9", kTooCold90F },
        { false, "90", "" },
        { false, "90.0", "" },
        { false, "", kTooCold90F },
        { false, "abc", kTooCold90F },
        // Read as far as the number goes.
        { false, "  95 F", "" },
        { false, "9e1", "" },
        { true, "32.1", kTooCold32C },
        { true, "32.2", "" },
        { true, "", kTooCold32C },
    };
    for (const auto& check : cases) {
        MapEntry entry = EnglishEntry();
        entry.condTempText[0][0] = check.first;
        // Keep the rows ascending in both unit systems so only the minimum decides.
        entry.condTempText[1][0] = "200";
        entry.condTempText[2][0] = "300";
        EXPECT_EQ(CheckTemperatures(entry, check.si), check.message) << check.first;
    }

    // Only the capacity block's field counts; its twin is not examined.
    MapEntry entry = EnglishEntry();
    entry.condTempText[0][1] = "10";
    EXPECT_EQ(CheckTemperatures(entry, false), "");
    // A failed minimum ends the check: descending rows are not reported as well.
    entry.condTempText[0][0] = "80";
    entry.condTempText[1][0] = "70";
    EXPECT_EQ(CheckTemperatures(entry, false), kTooCold90F);
}

TEST(MapEntry, OrderCountsOnlyNeighboursInUse) {
    MapEntry entry = EnglishEntry();
    entry.condTempText[1][0] = "100";
    entry.condTempText[2][0] = "100";
    EXPECT_EQ(CheckTemperatures(entry, false), kNotAscending);
    entry.condCount = 2;
    EXPECT_EQ(CheckTemperatures(entry, false), "") << "the third row is out of use";

    entry.condCount = 6;
    entry.condTempText
        = { { { "90", "90" }, { "100", "" }, { "110", "" }, { "120", "" }, { "130", "" }, { "125", "" } } };
    EXPECT_EQ(CheckTemperatures(entry, false), kNotAscending) << "sixth row below the fifth";
    entry.condCount = 5;
    EXPECT_EQ(CheckTemperatures(entry, false), "");

    entry.evapTempText[4] = "-10.0";
    EXPECT_EQ(CheckTemperatures(entry, false), kNotAscending) << "equal evaporating neighbours";
    entry.evapCount = 4;
    EXPECT_EQ(CheckTemperatures(entry, false), "");
    // Columns beyond the count may hold anything, even empty texts read as 0.
    entry.evapCount = 8;
    entry.evapTempText = { "-40", "-30", "-20", "-10", "0", "10", "20", "" };
    EXPECT_EQ(CheckTemperatures(entry, false), kNotAscending);
    entry.evapCount = 7;
    EXPECT_EQ(CheckTemperatures(entry, false), "");
}

// Assigns through a call GCC 12 does not inline: inlined, its -Wrestrict misreads these string
// assignments.
[[gnu::noinline]] void Put(std::string& text, const char* value) {
    text = value;
}

// The New English axes, 3 rows by 6 columns in use, every cell filled.
MapEntry FilledEntry() {
    MapEntry entry = EnglishEntry();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 6; ++c) {
            Put(entry.capacityText[r][c], "1000");
            Put(entry.powerText[r][c], "200");
        }
    return entry;
}

TEST(MapEntry, CellsAreBlankOrHoldAPositiveCapacityAndPower) {
    MapEntry entry = FilledEntry();
    EXPECT_EQ(CheckMapCells(entry, false), "");
    // Blank cells lie outside the operating envelope, anywhere in the map.
    Put(entry.capacityText[0][0], "");
    Put(entry.powerText[0][0], "");
    Put(entry.capacityText[2][4], "");
    Put(entry.powerText[2][4], "");
    EXPECT_EQ(CheckMapCells(entry, false), "");
    // Cells out of use are not looked at.
    Put(entry.capacityText[3][0], "0");
    Put(entry.powerText[0][6], "-5");
    EXPECT_EQ(CheckMapCells(entry, false), "");

    const struct {
        const char* capacity;
        const char* power;
        const char* problem;
    } refused[] = {
        { "1000", "", "has a capacity but no power" },
        { "", "200", "has a power but no capacity" },
        { "0", "200", "has a capacity of zero" },
        { "1000", "0.0", "has a power of zero" },
        { "-1000", "200", "has a negative capacity (\"-1000\")" },
        { "abc", "200", "has a capacity of \"abc\", which is not a number" },
        { "nan", "200", "has a capacity of \"nan\", which is not a number" },
        { "1000", "1e400", "has a power of \"1e400\", which is not finite" },
        { " ", "200", "has a capacity of \" \", which is not a number" },
    };
    for (const auto& cell : refused) {
        MapEntry bad = FilledEntry();
        Put(bad.capacityText[1][2], cell.capacity);
        Put(bad.powerText[1][2], cell.power);
        const std::string message = CheckMapCells(bad, false);
        EXPECT_NE(message.find("at 100.0 F condensing, -20.0 F evaporating " + std::string(cell.problem)),
            std::string::npos)
            << message;
    }

    // The first bad cell row by row is named; the unit follows the system.
    entry = FilledEntry();
    Put(entry.powerText[2][0], "");
    Put(entry.powerText[1][5], "0");
    EXPECT_NE(
        CheckMapCells(entry, true).find("at 100.0 C condensing, 10.0 C evaporating"), std::string::npos);
    // A temperature without a text is named by its place.
    Put(entry.condTempText[1][0], "");
    EXPECT_NE(CheckMapCells(entry, false).find("at row 2 condensing, 10.0 F evaporating"), std::string::npos);
}

TEST(MapEntry, RecordCellsAreCheckedWithTheRecordsCountsAndUnits) {
    CompressorRecord record;
    record.ApplyNewDefaults();
    EXPECT_EQ(CheckMapCells(record), "") << "a New record is all blank cells";
    record.unitsEnglish = 0;
    record.unitsSI = 1;
    record.capacityText[0][1] = "12";
    EXPECT_NE(CheckMapCells(record).find(" C evaporating has a capacity but no power"), std::string::npos);
    record.evapCount = 1;
    EXPECT_EQ(CheckMapCells(record), "");
}

} // namespace
} // namespace velutra
