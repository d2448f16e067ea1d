#include "files/CompressorFile.h"

#include "TempDir.h"
#include "record/RatingConditionsText.h"

#include <gtest/gtest.h>
#include <tuple>

namespace velutra {
namespace {

using namespace std::string_literals;

CompressorRecord NewRecord() {
    CompressorRecord record;
    record.ApplyNewDefaults();
    return record;
}

// A record in which every persistent field differs from the New defaults and from its neighbours.
CompressorRecord DistinctRecord() {
    CompressorRecord record;
    record.manufacturer = "K\xC3\xA4ltemittel GmbH \xE2\x82\xAC";
    record.model = "XK-7";
    record.ratingCapacityText = "812.5";
    record.ratingEERText = "4.05";
    record.speedText = "2900";
    record.voltageText = "230";
    record.unitsEnglish = 0;
    record.unitsSI = 1;
    record.refrigerantIndex = 5;
    record.condCount = -7; // stored as it stands: the file checks no ranges
    record.evapCount = 123456789;
    // append, not "c" + text: GCC 12 misreads that here (-Wrestrict)
    for (int r = 0; r < kMaxCond; ++r) {
        record.condTempText[r]
            = { std::string("c").append(std::to_string(r)), std::string("p").append(std::to_string(r)) };
        for (int c = 0; c < kMaxEvap; ++c) {
            record.capacityText[r][c] = std::to_string(100 * r + c);
            record.powerText[r][c] = std::to_string(-(100 * r + c));
            record.evapTempText[c] = std::string("e").append(std::to_string(c));
        }
    }
    return record;
}

TEST(CompressorFile, NewRecordIs262BytesBeginningWithManufacturerAndModel) {
    const std::string bytes = EncodeCompressorFile(NewRecord());
    EXPECT_EQ(bytes.size(), 262u);
    EXPECT_EQ(bytes.substr(0, 19), "\x0CManufacturer\x05Model");
    // unitsEnglish = 1 follows the six description texts (13 + 6 + 9 + 4 + 5 + 4 bytes).
    EXPECT_EQ(bytes.substr(41, 8), "\x01\0\0\0\0\0\0\0"s);
}

TEST(CompressorFile, LengthPrefixTakesThreeFormsByLength) {
    struct Case {
        size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        { 254, "\xFE"s },
        { 255, "\xFF\xFF\x00"s },
        { 65533, "\xFF\xFD\xFF"s },
        { 65534, "\xFF\xFF\xFF\xFE\xFF\x00\x00"s },
        { 70000, "\xFF\xFF\xFF\x70\x11\x01\x00"s },
    };
    for (const Case& c : cases) {
        CompressorRecord record = NewRecord();
        record.manufacturer.assign(c.length, 'x');
        const std::string bytes = EncodeCompressorFile(record);
        EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(bytes.size(), 262u - 13u + c.prefix.size() + c.length) << c.length;

        CompressorRecord back;
        DecodeCompressorFile(bytes, back, "long.cmp");
        EXPECT_EQ(back.manufacturer, record.manufacturer) << c.length;
        EXPECT_EQ(back.model, "Model") << c.length;
    }
}

TEST(CompressorFile, RoundTripRestoresPersistentFieldsAndLeavesWorkingChoices) {
    CompressorRecord record = NewRecord();
    record.smoothingMethod = 2;
    record.convertRefrigerant = 1;
    record.capacity[2][2] = 77.0;
    record.recordLoaded = 0;
    DecodeCompressorFile(EncodeCompressorFile(DistinctRecord()), record, "distinct.cmp");
    EXPECT_TRUE(record.PersistentFieldsEqual(DistinctRecord()));
    EXPECT_EQ(record.smoothingMethod, 2);
    EXPECT_EQ(record.convertRefrigerant, 1) << "Open clears it, not the reading";
    EXPECT_EQ(record.capacity[2][2], 77.0);
    EXPECT_EQ(record.recordLoaded, 1);
    EXPECT_EQ(record.newRecordDefaultsPending, 0);
}

TEST(CompressorFile, TextsAreWindows1252OnDiskAndTheWideFormIsRead) {
    CompressorRecord record = NewRecord();
    record.manufacturer = "K\xC3\xA4ltemittel";
    record.model = "\xE2\x82\xAC \xCE\xB1";
    const std::string bytes = EncodeCompressorFile(record);
    EXPECT_EQ(bytes.substr(0, 16), "\x0BK\xE4ltemittel\x03\x80 ?");
    DecodeCompressorFile(bytes, record, "x.cmp");
    EXPECT_EQ(record.manufacturer, "K\xC3\xA4ltemittel");
    EXPECT_EQ(record.model, "\xE2\x82\xAC ?") << "alpha has no Windows-1252 byte";

    // The wide form is read too, into the code page: "Kä€α" as UTF-16LE with the wide mark, in
    // place of the 13 bytes of "Manufacturer"; the alpha becomes "?" at once, so that the record
    // holds what a save writes.
    const std::string narrow = EncodeCompressorFile(NewRecord());
    const std::string wide = "\xFF\xFE\xFF\x04K\x00\xE4\x00\xAC\x20\xB1\x03"s + narrow.substr(13);
    DecodeCompressorFile(wide, record, "wide.cmp");
    EXPECT_EQ(record.manufacturer, "K\xC3\xA4\xE2\x82\xAC?");
    EXPECT_EQ(record.model, "Model");
    EXPECT_EQ(record.condTempText[5][1], "140.0");

    // The wide form with its own 16-bit length.
    const std::string wide16
        = "\xFF\xFE\xFF\xFF\x02\x01"s + std::string(2 * 258, '\0').replace(0, 2, "A\0"s) + narrow.substr(13);
    DecodeCompressorFile(wide16, record, "wide16.cmp");
    ASSERT_EQ(record.manufacturer.size(), 258u);
    EXPECT_EQ(record.manufacturer[0], 'A');
}

TEST(CompressorFile, TruncatedOrHostileFilesFailAndLeaveTheRecordUnchanged) {
    const std::string bytes = EncodeCompressorFile(DistinctRecord());
    CompressorRecord record = NewRecord();
    record.newRecordDefaultsPending = 1;
    record.recordLoaded = 0;
    const CompressorRecord before = record;
    for (size_t n = 0; n < bytes.size(); ++n) {
        const auto error = test::Thrown<CompressorFileError>(
            [&] { DecodeCompressorFile(std::string_view(bytes).substr(0, n), record, "/maps/cut.cmp"); });
        ASSERT_TRUE(error) << "a file cut to " << n << " bytes was accepted";
        EXPECT_TRUE(test::Mentions(*error, "\"/maps/cut.cmp\"")) << error->what();
        ASSERT_TRUE(record.PersistentFieldsEqual(before)) << n;
        ASSERT_EQ(record.recordLoaded, 0);
        ASSERT_EQ(record.newRecordDefaultsPending, 1);
    }
    // Lengths of 2^31 - 1 and 2^32 - 1 bytes, 2^32 - 1 UTF-16 units, a second wide mark.
    for (const std::string& hostile :
        { "\xFF\xFF\xFF\xFF\xFF\xFF\x7Fxyz"s, "\xFF\xFF\xFF\xFF\xFF\xFF\xFFxyz"s,
            "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFFxyz"s, "\xFF\xFE\xFF\xFF\xFE\xFFxyz"s }) {
        EXPECT_THROW(DecodeCompressorFile(hostile, record, "hostile.cmp"), CompressorFileError);
        EXPECT_TRUE(record.PersistentFieldsEqual(before));
    }
}

// Codes 0..16 are read (the newest refrigerants included); a code past the list, as a newer
// program or a damaged file may hold, is refused with the code and the file's name instead of
// indexing past the refrigerant tables.
TEST(CompressorFile, RefrigerantCodeOutsideTheListIsRefused) {
    for (const int code : { 6, 13, 14, 16 }) {
        CompressorRecord written = NewRecord();
        written.refrigerantIndex = code;
        CompressorRecord back;
        DecodeCompressorFile(EncodeCompressorFile(written), back, "new.cmp");
        EXPECT_EQ(back.refrigerantIndex, code);
    }
    for (const int code : { 17, -1, 255 }) {
        CompressorRecord written = NewRecord();
        written.refrigerantIndex = code;
        CompressorRecord record = NewRecord();
        const CompressorRecord before = record;
        const auto error = test::Thrown<CompressorFileError>(
            [&] { DecodeCompressorFile(EncodeCompressorFile(written), record, "/maps/future.cmp"); });
        ASSERT_TRUE(error) << code;
        EXPECT_TRUE(test::Mentions(*error, "\"/maps/future.cmp\"")) << error->what();
        EXPECT_TRUE(test::Mentions(*error, "refrigerant code " + std::to_string(code))) << error->what();
        EXPECT_TRUE(record.PersistentFieldsEqual(before));
    }
}

TEST(CompressorFile, FilesAreWrittenWholeAndErrorsNameTheFile) {
    test::TempDir dir;
    const std::string path = dir.File("pump.cmp");
    test::WriteBytes(path, "old contents");
    WriteCompressorFile(path, DistinctRecord());
    CompressorRecord record;
    ReadCompressorFile(path, record);
    EXPECT_TRUE(record.PersistentFieldsEqual(DistinctRecord()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "no temporary file is left behind";

    const std::string folder = dir.Path().string();
    const std::string missing = dir.File("missing.cmp");
    const std::string noFolder = dir.File("no/such/folder/x.cmp");
    for (const auto& [target, write] : { std::pair { missing, false }, std::pair { folder, false },
             std::pair { noFolder, true }, std::pair { folder, true } }) {
        const auto error = test::Thrown<CompressorFileError>(
            [&] { write ? WriteCompressorFile(target, record) : ReadCompressorFile(target, record); });
        ASSERT_TRUE(error) << "no error for " << target;
        EXPECT_TRUE(test::Mentions(*error, target)) << error->what();
    }
    EXPECT_TRUE(record.PersistentFieldsEqual(DistinctRecord()));
}

// The New axes, 3 x 6 in use, every cell filled but one blank cell.
CompressorRecord MapRecord() {
    CompressorRecord record = NewRecord();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 6; ++c) {
            record.capacityText[r][c] = "1500.5";
            record.powerText[r][c] = "150";
        }
    record.capacityText[2][5] = record.powerText[2][5] = "";
    return record;
}

TEST(CompressorFile, BlankCellsAreKeptAndBadCellsRefusedNamingFileAndCell) {
    CompressorRecord back;
    DecodeCompressorFile(EncodeCompressorFile(MapRecord()), back, "blank.cmp");
    EXPECT_TRUE(back.PersistentFieldsEqual(MapRecord()));

    for (const auto& [capacity, power, problem] :
        { std::tuple { "1500.5", "", "has a capacity but no power" },
            { "0", "150", "has a capacity of zero" }, { "1500.5", "-150", "has a negative power" } }) {
        CompressorRecord written = MapRecord();
        written.capacityText[1][3] = capacity;
        written.powerText[1][3] = power;
        CompressorRecord record = NewRecord();
        const auto error = test::Thrown<CompressorFileError>(
            [&] { DecodeCompressorFile(EncodeCompressorFile(written), record, "/maps/cell.cmp"); });
        ASSERT_TRUE(error) << capacity << " " << power;
        EXPECT_TRUE(test::Mentions(*error, "\"/maps/cell.cmp\"")) << error->what();
        EXPECT_TRUE(
            test::Mentions(*error, "at 100.0 F condensing, -10.0 F evaporating " + std::string(problem)))
            << error->what();
        EXPECT_TRUE(record.PersistentFieldsEqual(NewRecord()));
    }
}

// What a value that could not be computed formats to is never written into a map text in use.
TEST(CompressorFile, NonFiniteMapTextsAreNotWritten) {
    test::TempDir dir;
    const std::string path = dir.File("pump.cmp");
    test::WriteBytes(path, "old contents");
    for (const char* text : { "nan", "-nan", "inf", "-INF", "Infinity", "1e999" }) {
        CompressorRecord record = MapRecord();
        record.powerText[2][1] = text;
        const auto error = test::Thrown<CompressorFileError>([&] { WriteCompressorFile(path, record); });
        ASSERT_TRUE(error) << text;
        EXPECT_TRUE(test::Mentions(*error, path)) << error->what();
        EXPECT_TRUE(
            test::Mentions(*error, "power at 110.0 F condensing, -30.0 F evaporating could not be computed"))
            << error->what();
        EXPECT_EQ(test::ReadBytes(path), "old contents");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    }
    // Out of use, a text is no value of the map.
    CompressorRecord record = MapRecord();
    record.powerText[3][1] = "nan";
    EXPECT_NO_THROW(WriteCompressorFile(path, record));
}

TEST(CompressorFile, SaveAsCutsTheFileNameAtItsSecondDot) {
    EXPECT_EQ(SaveAsPath("/a.b/Maps/x.cmp.cmp"), "/a.b/Maps/x.cmp");
    EXPECT_EQ(SaveAsPath("/a.b/Maps/x"), "/a.b/Maps/x");
    EXPECT_EQ(SaveAsPath("/a.b/c.d/x.y.z.cmp"), "/a.b/c.d/x.y");
    EXPECT_EQ(SaveAsPath("x.tab.cmp"), "x.tab");
}

// Conditions other than the default and a displacement travel in a block after the map; a
// reader of the fields alone (here: the block cut off) gets the map unchanged.
TEST(CompressorFile, RatingBlockCarriesConditionsAndDisplacementAfterTheFields) {
    const std::string plain = EncodeCompressorFile(DistinctRecord());
    CompressorRecord rated = DistinctRecord();
    rated.ratingConditions = ParseRatingConditions("en12900,superheat=20F,basis=midpoint").value;
    rated.displacementCm3 = 7.48;
    const std::string bytes = EncodeCompressorFile(rated);
    ASSERT_GT(bytes.size(), plain.size());
    EXPECT_EQ(bytes.substr(0, plain.size()), plain) << "today's fields come first, unchanged";

    CompressorRecord read = NewRecord();
    DecodeCompressorFile(bytes, read, "rated.cmp");
    EXPECT_TRUE(read.PersistentFieldsEqual(rated));
    EXPECT_EQ(read.ratingConditions, rated.ratingConditions);
    EXPECT_EQ(read.displacementCm3, 7.48);

    CompressorRecord old = NewRecord();
    old.ratingConditions = rated.ratingConditions;
    DecodeCompressorFile(plain, old, "old.cmp");
    EXPECT_EQ(old.ratingConditions, RatingConditions {}) << "a file without the block is rated ashrae";
    EXPECT_EQ(old.displacementCm3, 0.0);

    // Either alone is enough to need the block.
    CompressorRecord displacementOnly = DistinctRecord();
    displacementOnly.displacementCm3 = 12.5;
    CompressorRecord back = NewRecord();
    DecodeCompressorFile(EncodeCompressorFile(displacementOnly), back, "d.cmp");
    EXPECT_EQ(back.displacementCm3, 12.5);
    EXPECT_EQ(back.ratingConditions, RatingConditions {});
}

TEST(CompressorFile, DamagedRatingBlockIsRefusedNamingTheFile) {
    CompressorRecord rated = DistinctRecord();
    rated.ratingConditions = CecomafRating();
    rated.displacementCm3 = 7.48;
    const std::string bytes = EncodeCompressorFile(rated);
    const size_t fields = EncodeCompressorFile(DistinctRecord()).size();
    const std::string block = bytes.substr(fields);

    std::string badConditions = bytes;
    badConditions.replace(badConditions.find("cecomaf"), 7, "cecomax");
    std::string badNumber = bytes;
    badNumber.replace(badNumber.find("7.48"), 4, "-7.4");
    std::string badVersion = bytes;
    badVersion[fields + 14] = 9;
    const std::string cases[] = {
        bytes.substr(0, bytes.size() - 1), // cut inside the block
        bytes + "x", // a byte more than the block states
        std::string(bytes.substr(0, fields)) + "garbage after the map",
        badConditions,
        badNumber,
        badVersion,
    };
    for (const std::string& damaged : cases) {
        CompressorRecord record = NewRecord();
        const CompressorRecord before = record;
        const auto error = test::Thrown<CompressorFileError>(
            [&] { DecodeCompressorFile(damaged, record, "/maps/rated.cmp"); });
        ASSERT_TRUE(error) << "accepted a damaged block of " << damaged.size() - fields << " bytes";
        EXPECT_TRUE(test::Mentions(*error, "\"/maps/rated.cmp\"")) << error->what();
        EXPECT_TRUE(record.PersistentFieldsEqual(before));
    }
}

} // namespace
} // namespace velutra
