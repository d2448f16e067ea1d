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

// Rating conditions (with commas of their own), speed and displacement lines; without them the
// map is rated ashrae with no displacement, whatever the record held.
TEST(PublishedMapCsv, ReadsRatingSpeedAndDisplacementLines) {
    const std::string map = "refrigerant,R449A\nunits,SI\nevaporating,-10,0\ncapacity,40,1,2\npower,40,3,4\n";
    CompressorRecord record;
    record.ApplyNewDefaults();
    DecodePublishedMap(
        "rating,en12900,basis=midpoint\nspeed,2900\ndisplacement,12.5\n" + map, record, "r.csv");
    EXPECT_EQ(record.ratingConditions.basis, RatingConditions::Basis::MidPoint);
    EXPECT_EQ(record.ratingConditions.suction, RatingConditions::Suction::Superheat);
    EXPECT_EQ(record.speedText, "2900");
    EXPECT_EQ(record.displacementCm3, 12.5);
    DecodePublishedMap(map, record, "plain.csv");
    EXPECT_EQ(record.ratingConditions, RatingConditions {});
    EXPECT_EQ(record.displacementCm3, 0.0);

    const std::pair<const char*, const char*> refused[] = {
        { "rating,cecomaf,superheat=-3K\n", "superheat=-3K" },
        { "rating,cecomaf\nrating,ashrae\n", "line 2" },
        { "speed,fast\n", "speed" },
        { "displacement,0\n", "displacement" },
        { "speed,2000\nspeed,4000\n", "one map" },
    };
    for (const auto& [lines, named] : refused) {
        CompressorRecord kept;
        kept.ApplyNewDefaults();
        try {
            DecodePublishedMap(lines + map, kept, "bad.csv");
            ADD_FAILURE() << lines << " was read";
        } catch (const PublishedMapError& error) {
            EXPECT_NE(std::string(error.what()).find(named), std::string::npos) << error.what();
        }
        EXPECT_EQ(kept.speedText, "3450");
    }
}

// Blank cells lie outside the operating envelope: kept as empty texts, the rest read as typed.
TEST(PublishedMapCsv, EmptyFieldsAreBlankCells) {
    CompressorRecord record;
    record.ApplyNewDefaults();
    ReadPublishedMap(VELUTRA_SHARED_DIR "/maps/secop-xv72-r600a-4000rpm.csv", record);
    EXPECT_EQ(record.condCount, 3);
    EXPECT_EQ(record.evapCount, 8);
    for (int r = 0; r < 3; ++r)
        for (int c = 6; c < 8; ++c) {
            EXPECT_EQ(record.capacityText[r][c], "") << r << " " << c;
            EXPECT_EQ(record.powerText[r][c], "") << r << " " << c;
        }
    EXPECT_EQ(record.capacityText[2][5], "213.2");
    EXPECT_EQ(record.powerText[2][5], "128");
}

// A cell must be a number as a whole, and a filled cell needs both values, positive.
TEST(PublishedMapCsv, CellsAreReadStrictlyAndNamedByTheirTemperatures) {
    const auto map = [](const std::string& capacity, const std::string& power) {
        return "refrigerant,R134a\nunits,English\nevaporating,0,10\ncapacity,90,1000," + capacity
            + "\ncapacity,100,900,1100\npower,90,300," + power + "\npower,100,310,330\n";
    };
    const struct {
        const char* capacity;
        const char* power;
        const char* expected;
    } bad[] = {
        { "340abc", "320",
            "line 4: capacity at 90 F condensing, 10 F evaporating: \"340abc\" is not a number" },
        { "3.4.5", "320", "\"3.4.5\" is not a number" },
        { "nan", "320", "\"nan\" is not a number" },
        { "1200", "inf", "line 6: power at 90 F condensing, 10 F evaporating: \"inf\" is not a number" },
        { "1e400", "320", "\"1e400\" is not finite" },
        { "1e-400", "320", "at 90 F condensing, 10 F evaporating has a capacity of zero" },
        { "0", "320", "has a capacity of zero" },
        { "1200", "-320", "has a negative power" },
        { "", "320", "has a power but no capacity" },
        { "1200", "", "has a capacity but no power" },
    };
    for (const auto& cell : bad) {
        CompressorRecord record;
        record.ApplyNewDefaults();
        const auto error = [&]() -> std::string {
            try {
                DecodePublishedMap(map(cell.capacity, cell.power), record, "cells.csv");
            } catch (const PublishedMapError& e) {
                return e.what();
            }
            return "accepted";
        }();
        EXPECT_EQ(error.rfind("cells.csv", 0), 0u) << error;
        EXPECT_NE(error.find(cell.expected), std::string::npos) << error;
        EXPECT_EQ(record.capacityText[0][1], "") << "a refused map leaves the record alone";
    }
    for (const auto& [capacity, power] : { std::pair { " 1200 ", "320" }, { "1.2e3", "+320" }, { "", "" } }) {
        CompressorRecord record;
        record.ApplyNewDefaults();
        EXPECT_NO_THROW(DecodePublishedMap(map(capacity, power), record, "good.csv")) << capacity;
    }
    // Temperatures are numbers as a whole too.
    CompressorRecord record;
    record.ApplyNewDefaults();
    EXPECT_THROW(DecodePublishedMap("refrigerant,R134a\nunits,English\nevaporating,0,10C\n", record, "t.csv"),
        PublishedMapError);
    EXPECT_THROW(DecodePublishedMap(
                     "refrigerant,R134a\nunits,English\nevaporating,0,10\ncapacity,,1,2\n", record, "t.csv"),
        PublishedMapError);
}

TEST(PublishedMapCsv, AMegabyteLineIsNotCopiedIntoTheMessage) {
    CompressorRecord record;
    record.ApplyNewDefaults();
    const std::string line(1 << 20, 'x');
    for (const std::string& text : { "refrigerant,R134a\n" + line + "\n", "refrigerant," + line + "\n",
             "refrigerant,R134a\nunits,English\nevaporating,0,10\ncapacity,90,1," + line + "\n" }) {
        try {
            DecodePublishedMap(text, record, "long.csv");
            ADD_FAILURE() << "accepted";
        } catch (const PublishedMapError& error) {
            EXPECT_LT(std::string(error.what()).size(), 200u);
            EXPECT_NE(std::string(error.what()).find("xxx...\""), std::string::npos) << error.what();
        }
    }
}

} // namespace
} // namespace velutra
