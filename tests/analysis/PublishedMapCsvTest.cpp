#include "analysis/PublishedMapCsv.h"

#include "Tolerance.h"

#include <gtest/gtest.h>

namespace velutra {
namespace {

TEST(PublishedMapCsv, ReadsTheSecopMapAsTypedTexts) {
    CompressorRecord record;
    record.ApplyNewDefaults();
    record.model = "kept";
    ReadPublishedMap(VELUTRA_SHARED_DIR "/maps/secop-xv72-r600a-2000rpm.csv", record);
    EXPECT_EQ(record.refrigerantIndex, 5);
    EXPECT_EQ(record.unitsSI, 1);
    EXPECT_EQ(record.unitsEnglish, 0);
    EXPECT_EQ(record.condCount, 3);
    EXPECT_EQ(record.evapCount, 8);
    EXPECT_EQ(record.evapTempText[0], "-35");
    EXPECT_EQ(record.evapTempText[7], "0");
    EXPECT_EQ(record.condTempText[2][0], "55");
    EXPECT_EQ(record.condTempText[2][1], "55");
    EXPECT_EQ(record.condTempText[3][0], "") << "the New default rows beyond the map are cleared";
    EXPECT_EQ(record.capacityText[0][0], "40.4");
    EXPECT_EQ(record.powerText[2][7], "80");
    EXPECT_EQ(record.model, "kept");
}

// The newer refrigerants by their names, the one with parentheses included, give their codes; so
// do the hyphenated names that makers' sheets print.
TEST(PublishedMapCsv, NamesEveryRefrigerantOfTheList) {
    for (const auto& [name, code] :
        { std::pair { "R32", 6 }, { "R1234ze(E)", 8 }, { "R448A", 12 }, { "R449A", 13 }, { "R22", 14 },
            { "R-22", 14 }, { "R410A", 15 }, { "R-410A", 15 }, { "R-407C", 16 }, { "R-1234ze(E)", 8 } }) {
        CompressorRecord record;
        record.ApplyNewDefaults();
        DecodePublishedMap(std::string("refrigerant,") + name
                + "\nunits,English\nevaporating,0,10\ncapacity,90,1,2\npower,90,3,4\n",
            record, "new.csv");
        EXPECT_EQ(record.refrigerantIndex, code) << name;
    }
}

TEST(PublishedMapCsv, RefusesInconsistentMapsAndKeepsTheRecord) {
    const char* bad[] = {
        "refrigerant,R134a\nunits,English\nevaporating,0,10\ncapacity,90,1,2\npower,100,3,4\n",
        "refrigerant,R134a\nunits,English\nevaporating,0,10\ncapacity,90,1\npower,90,3\n",
        "refrigerant,R12\nunits,English\nevaporating,0,10\ncapacity,90,1,2\npower,90,3,4\n",
        "refrigerant,R-\nunits,English\nevaporating,0,10\ncapacity,90,1,2\npower,90,3,4\n",
        "refrigerant,r-410a\nunits,English\nevaporating,0,10\ncapacity,90,1,2\npower,90,3,4\n",
        "refrigerant,R134a\nunits,English\nevaporating,1,2,3,4,5,6,7,8,9\n",
        "refrigerant,R134a\nevaporating,0,10\ncapacity,90,1,2\npower,90,3,4\n",
    };
    for (const char* text : bad) {
        CompressorRecord record;
        record.ApplyNewDefaults();
        EXPECT_THROW(DecodePublishedMap(text, record, "bad.csv"), PublishedMapError) << text;
        CompressorRecord fresh;
        fresh.ApplyNewDefaults();
        EXPECT_TRUE(record.PersistentFieldsEqual(fresh)) << text;
    }
}

} // namespace
} // namespace velutra
