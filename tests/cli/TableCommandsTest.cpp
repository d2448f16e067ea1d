#include "CliRunner.h"
#include "TempDir.h"
#include "files/CompressorFile.h"
#include "record/RatingConditionsText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace velutra {
namespace {

using test::RunCli;

// An SI table in the DOS layout with CR LF line ends: rows 30 (dropped), 35 and 45 C.
const std::string kSiTable
    = "Maker, Model\r\n\r\n   0.0\r\n     2   EVAP\r\n     3   COND\r\n     1\r\n     2   UNITS\r\n"
      "\r\n\r\n\r\n  CAPACITY\r\n\r\nCOND TEMP, C\r\n   -30   -20\r\n"
      "30  80.5  120.5\r\n35  70.25  110.0\r\n45  60.0  95.75\r\n"
      "\r\n\r\n  POWER\r\n\r\nCOND TEMP, C\r\n   -30   -20\r\n"
      "30  40  45\r\n35  42  47\r\n45  44  50\r\n";

TEST(CliTableCommands, ImportSavesTheTableAsACompressorFileOrWritesNothing) {
    test::TempDir dir;
    const std::string table = dir.File("si.tab");
    const std::string out = dir.File("si.cmp");
    test::WriteBytes(table, kSiTable);

    const auto imported = RunCli({ "import", table, out, "--refrigerant", "R600a", "--model", "XV7" });
    ASSERT_EQ(imported.status, 0) << imported.err;
    CompressorRecord record;
    ReadCompressorFile(out, record);
    EXPECT_EQ(record.refrigerantIndex, 5);
    EXPECT_EQ(record.model, "XV7");
    EXPECT_EQ(record.unitsSI, 1);
    EXPECT_EQ(record.condCount, 2);
    EXPECT_EQ(record.condTempText[0][1], "35");
    EXPECT_EQ(record.capacityText[1][1], "95.75");
    EXPECT_EQ(record.powerText[0][0], "42");

    // A refused table names the file and line and writes nothing.
    std::string bad = kSiTable;
    bad.replace(bad.find("     2   EVAP"), 13, "     9   EVAP");
    test::WriteBytes(table, bad);
    const auto refused = RunCli({ "import", table, dir.File("bad.cmp") });
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(table + "\", line 4"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.cmp")));

    const auto exported = RunCli({ "export-tab", table, dir.File("bad-out.tab") });
    EXPECT_EQ(exported.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad-out.tab")));
}

TEST(CliTableCommands, ExampleFilesExportToTheirTablesUnchanged) {
    // The example tables were written by a separate converter from published maps (SI with eight
    // columns and decimals, English with whole numbers); exporting either the table itself or
    // the compressor file of the same name must reproduce them byte for byte.
    test::TempDir dir;
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VELUTRA_SOURCE_DIR) + "/Maps")) {
        if (entry.path().extension() != ".tab")
            continue;
        const std::string expected = test::ReadBytes(entry.path().string());
        for (const auto& source :
            { entry.path(), std::filesystem::path(entry.path()).replace_extension(".cmp") }) {
            const auto exported = RunCli({ "export-tab", source.string(), dir.File("again.tab") });
            ASSERT_EQ(exported.status, 0) << exported.err;
            EXPECT_EQ(test::ReadBytes(dir.File("again.tab")), expected) << source;
        }
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

TEST(CliTableCommands, ExportOfASmoothedMapWritesTheRebuiltValues) {
    // The example R134a map is not on the fitted curves, so smoothing changes its values; the
    // rebuilt table must still read back with the same axes.
    test::TempDir dir;
    const std::string example = std::string(VELUTRA_SOURCE_DIR) + "/Maps/Example-R134a";
    const std::string smoothed = dir.File("smoothed.tab");
    const auto result
        = RunCli({ "export-tab", example + ".cmp", smoothed, "--smoothing", "quadratic", "--per-row" });
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(test::ReadBytes(smoothed), test::ReadBytes(example + ".tab"));

    CompressorRecord original;
    CompressorRecord rebuilt;
    ReadCompressorFile(example + ".cmp", original);
    ASSERT_EQ(RunCli({ "import", smoothed, dir.File("rebuilt.cmp") }).status, 0);
    ReadCompressorFile(dir.File("rebuilt.cmp"), rebuilt);
    EXPECT_EQ(rebuilt.condCount, original.condCount);
    EXPECT_EQ(rebuilt.evapCount, original.evapCount);
    EXPECT_EQ(rebuilt.evapTempText[0], "-40");
}

// A published map is imported with its own conditions, or those of --rated; show prints them.
// Bad conditions are a usage error that writes nothing.
TEST(CliTableCommands, ImportTakesAMapCsvWithItsRatingConditions) {
    test::TempDir dir;
    const std::string csv = dir.File("map.csv");
    test::WriteBytes(csv,
        "refrigerant,R600a\nunits,SI\nspeed,2000\nevaporating,-30,-20\ncapacity,35,55.0,93.7\n"
        "capacity,45,47.3,82.5\npower,35,34,43\npower,45,35,47\n");
    const std::string out = dir.File("map.cmp");
    const auto imported = RunCli({ "import", csv, out, "--rated", "cecomaf", "--displacement", "7.48" });
    ASSERT_EQ(imported.status, 0) << imported.err;
    CompressorRecord record;
    ReadCompressorFile(out, record);
    EXPECT_EQ(record.ratingConditions, CecomafRating());
    EXPECT_EQ(record.displacementCm3, 7.48);
    EXPECT_EQ(record.speedText, "2000") << "the map's own speed";
    EXPECT_EQ(record.capacityText[1][1], "82.5");
    const auto shown = RunCli({ "show", "--json", out });
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(nlohmann::json::parse(shown.out)["ratingConditions"], "cecomaf");
    EXPECT_EQ(nlohmann::json::parse(shown.out)["displacementCm3"], 7.48);

    const auto refused = RunCli({ "import", csv, dir.File("bad.cmp"), "--rated", "cecomaf,superheat=-3K" });
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("superheat=-3K"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.cmp")));
}

} // namespace
} // namespace velutra
