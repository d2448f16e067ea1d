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

} // namespace
} // namespace velutra
