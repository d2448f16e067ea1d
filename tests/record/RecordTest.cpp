#include "record/CompressorRecord.h"

#include <gtest/gtest.h>

namespace velutra {
namespace {

TEST(CompressorRecord, NewRestoresEveryPersistentFieldButKeepsConversionTarget) {
    CompressorRecord record;
    record.ApplyNewDefaults();
    const CompressorRecord fresh = record;

    record.manufacturer = "Acme";
    record.unitsEnglish = 0;
    record.unitsSI = 1;
    record.refrigerantIndex = 4;
    record.condCount = 5;
    record.evapTempText[7] = "20";
    record.capacityText[2][3] = "1234";
    record.powerText[5][7] = "99";
    record.newRefrigerantIndex = 3;
    record.smoothAllTemps = 0;
    record.capacity[1][1] = 42.0;
    record.newRecordDefaultsPending = 0;

    record.ApplyNewDefaults();
    EXPECT_TRUE(record.PersistentFieldsEqual(fresh));
    EXPECT_EQ(record.newRefrigerantIndex, 3);
    EXPECT_EQ(record.smoothAllTemps, 1);
    EXPECT_EQ(record.capacity[1][1], 42.0) << "numeric tables are left as they are";
    EXPECT_EQ(record.newRecordDefaultsPending, 1);
    EXPECT_EQ(record.recordLoaded, 1);
}

// Every listed name and its hyphenated form give the code; near misses give -1 rather than a
// neighbour's code.
TEST(CompressorRecord, RefrigerantNamesAsFilesWriteThem) {
    for (int code = 0; code < kRefrigerantCount; ++code) {
        const std::string name = kRefrigerantNames[static_cast<size_t>(code)];
        EXPECT_EQ(RefrigerantCodeOf(name), code) << name;
        EXPECT_EQ(RefrigerantCodeOf("R-" + name.substr(1)), code) << name;
    }
    EXPECT_EQ(RefrigerantCodeOf("R-410A"), 15);
    EXPECT_EQ(RefrigerantCodeOf("R22"), 14);
    EXPECT_EQ(RefrigerantCodeOf("R407C"), 16);
    for (const char* other :
        { "", "R", "R-", "R-R22", "R--22", "22", "R 22", "r22", "R-410a", "R410", "R4100A", "R22 ", "R12" })
        EXPECT_EQ(RefrigerantCodeOf(other), -1) << '"' << other << '"';
}

TEST(CompressorRecord, SIDefaultAxesLeaveThreeRowsEmptyAndKeepMapTexts) {
    CompressorRecord record;
    record.ApplyNewDefaults();
    record.capacityText[0][0] = "5000";
    record.ApplyDefaultAxes(false);
    EXPECT_EQ(record.condCount, 3);
    EXPECT_EQ(record.evapCount, 6);
    EXPECT_EQ(record.condTempText[0][0], "45.0");
    EXPECT_EQ(record.condTempText[2][1], "65.0");
    EXPECT_EQ(record.condTempText[3][0], "");
    EXPECT_EQ(record.evapTempText[0], "-35.0");
    EXPECT_EQ(record.evapTempText[5], "-10.0");
    EXPECT_EQ(record.capacityText[0][0], "5000");

    record.ApplyDefaultAxes(true);
    EXPECT_EQ(record.condCount, 6);
    EXPECT_EQ(record.condTempText[3][0], "120.0");
}

} // namespace
} // namespace velutra
